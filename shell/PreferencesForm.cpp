#include "shell/PreferencesForm.h"

#include "shell/PreferencesValueTransformers.h"
#include "shell/PreferencesViews.h"

#include "core/SettingsArchive.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/Archive.h"
#include "platform/ui/ColorWell.h"
#include "platform/ui/Button.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"

#include <algorithm>

namespace ostrel {

namespace {

constexpr double kRowSpacing = 6;
constexpr double kControlSpacing = 8;
constexpr double kTextAreaHeight = 38;

// The form's sheet: counts from the top, as the rows are laid.
class FormView final : public ui::View {
public:
    static std::shared_ptr<FormView> create(ui::Size size) { return std::shared_ptr<FormView>(new FormView(size)); }
    bool isFlipped() const override { return true; }

private:
    explicit FormView(ui::Size size)
        : View(ui::Rect(ui::Point(), size))
    {
    }
};

double heightOf(const ui::View& view)
{
    double height = view.intrinsicContentSize().height;
    if (height <= 0)
        height = view.frame().height();
    return height > 0 ? height : 22;
}

}

PreferencesForm::PreferencesForm(std::shared_ptr<base::Defaults> store, double width, double labelWidth)
    : m_store(std::move(store))
    , m_view(FormView::create(ui::Size(width, 0)))
    , m_width(width)
    , m_labelWidth(labelWidth)
{
}

void PreferencesForm::heading(const std::string& title)
{
    if (m_y > kMargin)
        m_y += 8;
    auto text = label(title);
    text->setFont(gfx::Font::boldSystem(gfx::Font::systemFontSize));
    double textHeight = heightOf(*text);
    text->setFrame(ui::Rect(kMargin, m_y, m_width - 2 * kMargin, textHeight));
    m_view->addSubview(text);
    m_y += textHeight;
    auto divider = DividerCell::create(ui::Rect(kMargin - 4, m_y, m_width - 2 * kMargin + 8, 9));
    m_view->addSubview(divider);
    m_y += 9 + 2;
    m_view->setFrameSize(ui::Size(m_width, height()));
}

void PreferencesForm::gap(double points)
{
    m_y += points;
    m_view->setFrameSize(ui::Size(m_width, height()));
}

void PreferencesForm::row(const std::string& text, std::vector<Placed> controls)
{
    double rowHeight = 0;
    for (auto& [control, width] : controls)
        rowHeight = std::max(rowHeight, heightOf(*control));
    if (!text.empty()) {
        auto caption = label(text);
        caption->setAlignment(gfx::TextAlignment::right);
        double height = heightOf(*caption);
        rowHeight = std::max(rowHeight, height);
        caption->setFrame(ui::Rect(kMargin, m_y + (rowHeight - height) / 2, m_labelWidth - 6, height));
        m_view->addSubview(caption);
    }
    double x = kMargin + m_labelWidth;
    for (auto& [control, width] : controls) {
        double room = std::max(0.0, m_width - kMargin - x);
        double w = width > 0 ? width : control->intrinsicContentSize().width;
        // A control with no width of its own takes the rest of the row.
        w = w > 0 ? std::min(w, room) : room;
        double h = heightOf(*control);
        control->setFrame(ui::Rect(x, m_y + (rowHeight - h) / 2, w, h));
        m_view->addSubview(control);
        x += w + kControlSpacing;
    }
    m_y += rowHeight + kRowSpacing;
    m_view->setFrameSize(ui::Size(m_width, height()));
}

void PreferencesForm::note(const std::string& text)
{
    auto line = label(text);
    line->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    line->setTextColor(ui::ControlLook::kSecondaryText);
    double width = m_width - kMargin - (kMargin + m_labelWidth);
    line->setWraps(true);
    line->setPreferredMaxLayoutWidth(width);
    double height = heightOf(*line);
    line->setFrame(ui::Rect(kMargin + m_labelWidth, m_y, width, height));
    m_view->addSubview(line);
    m_y += height + kRowSpacing;
    m_view->setFrameSize(ui::Size(m_width, this->height()));
}

std::shared_ptr<ui::Button> PreferencesForm::checkBox(const std::string& title, const std::string& key)
{
    auto box = ui::Button::create(title, ui::ButtonType::Switch);
    SettingsBinding::bind(*box, BindingName::value, m_store, key);
    return box;
}

std::shared_ptr<ui::Slider> PreferencesForm::slider(const std::string& key, double minValue, double maxValue, int tickMarks)
{
    auto slider = ui::Slider::create(minValue, maxValue, minValue);
    // One report when the knob is let go: each report may play a preview.
    slider->setContinuous(false);
    if (tickMarks > 1) {
        slider->setNumberOfTickMarks(tickMarks);
        slider->setAllowsTickMarkValuesOnly(true);
    }
    SettingsBinding::bind(*slider, BindingName::value, m_store, key);
    return slider;
}

std::shared_ptr<ui::TextField> PreferencesForm::textField(const std::string& key, SettingsBindingOptions options)
{
    auto field = ui::TextField::create();
    SettingsBinding::bind(*field, BindingName::value, m_store, key, std::move(options));
    return field;
}

std::shared_ptr<ui::PopUpButton> PreferencesForm::popUp(const std::string& key, const std::vector<std::pair<std::string, int>>& items,
    std::function<void()> action)
{
    auto popUp = ui::PopUpButton::create();
    for (const auto& [title, tag] : items)
        popUp->addItem(title)->setTag(tag);
    // Before the binding, which runs the control's own action after storing.
    popUp->onAction = std::move(action);
    SettingsBinding::bind(*popUp, BindingName::selectedTag, m_store, key);
    return popUp;
}

namespace {

// Keeps a colour well and an archived colour setting in step; owned by the well's action, so
// it ends with the well, and holds the well weakly.
class ColorWellBinding {
public:
    ColorWellBinding(const std::shared_ptr<ui::ColorWell>& well, std::shared_ptr<base::Defaults> store, std::string key)
        : m_well(well)
        , m_store(std::move(store))
        , m_key(std::move(key))
    {
        m_observer = m_store->addObserver(m_key, [this](const std::string&) { show(); });
        show();
    }
    ~ColorWellBinding() { m_store->removeObserver(m_observer); }
    ColorWellBinding(const ColorWellBinding&) = delete;
    ColorWellBinding& operator=(const ColorWellBinding&) = delete;

    void show() const
    {
        auto well = m_well.lock();
        if (!well)
            return;
        auto registered = m_store->registeredObject(m_key);
        auto* archive = registered ? registered->asString() : nullptr;
        gfx::Color fallback = archive ? gfx::unarchiveColor(*archive).value_or(gfx::colors::black) : gfx::colors::black;
        well->setColor(readColorSetting(*m_store, m_key, fallback));
    }
    void store() const
    {
        if (auto well = m_well.lock())
            m_store->set(m_key, gfx::archiveColor(well->color()));
    }

private:
    std::weak_ptr<ui::ColorWell> m_well;
    std::shared_ptr<base::Defaults> m_store;
    std::string m_key;
    std::uint64_t m_observer { 0 };
};

}

std::shared_ptr<ui::ColorWell> PreferencesForm::colorWell(const std::string& key)
{
    auto well = ui::ColorWell::create();
    auto binding = std::make_shared<ColorWellBinding>(well, m_store, key);
    well->onAction = [binding] { binding->store(); };
    return well;
}

std::shared_ptr<ui::TextView> PreferencesForm::textArea(const std::string& key)
{
    auto area = ui::TextView::create();
    area->setFrameSize(ui::Size(300, kTextAreaHeight));
    area->setTextContainerInset(ui::Size(4, 3));
    SettingsBindingOptions options;
    // Named when start-up registered it; the binding must never store rich text in a text key.
    options.valueTransformer = ValueTransformer::named("AttributedStringTransformer");
    if (!options.valueTransformer)
        options.valueTransformer = std::make_shared<AttributedStringTransformer>();
    SettingsBinding::bind(*area, BindingName::data, m_store, key, options);
    return area;
}

std::shared_ptr<ui::Button> PreferencesForm::button(const std::string& title, std::function<void()> action)
{
    auto button = ui::Button::create(title);
    button->onAction = std::move(action);
    return button;
}

std::shared_ptr<ui::TextField> PreferencesForm::label(const std::string& text) { return ui::TextField::createLabel(text); }

std::shared_ptr<ui::View> PreferencesForm::sheet(ui::Size size) { return FormView::create(size); }

}
