#include "shell/PreferencesViews.h"

#include "core/MacOSVersion.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/BezierPathUtility.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/gfx/TextLayout.h"
#include "platform/base/KeyCodes.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/FocusRing.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

namespace ostrel {

namespace {
constexpr gfx::Color kGrey = gfx::Color::white(0.5);
}

void framePreferencesRect(gfx::GraphicsContext& context, const ui::Rect& rect, const gfx::Color& color)
{
    context.setFillColor(color);
    context.fillRect(ui::Rect(rect.minX(), rect.minY(), rect.width(), 1));
    context.fillRect(ui::Rect(rect.minX(), rect.maxY() - 1, rect.width(), 1));
    context.fillRect(ui::Rect(rect.minX(), rect.minY(), 1, rect.height()));
    context.fillRect(ui::Rect(rect.maxX() - 1, rect.minY(), 1, rect.height()));
}

std::shared_ptr<PreferencesView> PreferencesView::create(ui::Rect frame)
{
    return std::shared_ptr<PreferencesView>(new PreferencesView(frame));
}

PreferencesView::PreferencesView(ui::Rect frame)
    : View(frame)
{
}

void PreferencesView::draw(gfx::GraphicsContext&, const ui::Rect&)
{
    OstrelStyleKit::drawPreferencesBackground(ui::Rect({}, frame().size));
}

std::shared_ptr<PreferencesBorderedScrollView> PreferencesBorderedScrollView::create()
{
    return std::shared_ptr<PreferencesBorderedScrollView>(new PreferencesBorderedScrollView);
}

void PreferencesBorderedScrollView::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    context.save();
    framePreferencesRect(context, bounds(), kGrey);
    context.restore();
}

std::shared_ptr<PreferencesToolbar> PreferencesToolbar::create()
{
    return std::shared_ptr<PreferencesToolbar>(new PreferencesToolbar);
}

PreferencesToolbar::PreferencesToolbar()
{
    // Drawn by the toolbar itself, around the chosen item.
    setFocusRingType(ui::FocusRingType::None);
}

std::optional<std::size_t> PreferencesToolbar::selectedIndex() const
{
    for (std::size_t index = 0; index < items().size(); ++index)
        if (items()[index]->itemIdentifier() == selectedItemIdentifier())
            return index;
    return std::nullopt;
}

void PreferencesToolbar::choose(std::size_t index)
{
    if (index >= items().size())
        return;
    // The item's action may change the items: a copy of its name lasts through it.
    std::string identifier = items()[index]->itemIdentifier();
    performClick(identifier);
    setNeedsDisplay();
}

void PreferencesToolbar::step(int step)
{
    auto count = static_cast<std::ptrdiff_t>(items().size());
    if (count == 0)
        return;
    auto index = selectedIndex();
    // A pane without an item (the update pane) steps from before the first one.
    std::ptrdiff_t from = index ? static_cast<std::ptrdiff_t>(*index) : (step > 0 ? -1 : 0);
    choose(static_cast<std::size_t>(((from + step) % count + count) % count));
}

void PreferencesToolbar::keyDown(const ui::Event& event)
{
    using K = base::KeyCode;
    constexpr std::uint32_t kModifiers = ui::ModifierFlag::Shift | ui::ModifierFlag::Control | ui::ModifierFlag::Option | ui::ModifierFlag::Command;
    if (!(event.modifierFlags() & kModifiers) && !items().empty()) {
        m_ringShown = true;
        switch (static_cast<K>(event.keyCode())) {
        case K::LeftArrow:
        case K::UpArrow:
            if (auto index = selectedIndex(); !index || *index > 0)
                step(-1);
            return;
        case K::RightArrow:
        case K::DownArrow:
            if (auto index = selectedIndex(); !index || *index + 1 < items().size())
                step(1);
            return;
        case K::Home:
            choose(0);
            return;
        case K::End:
            choose(items().size() - 1);
            return;
        default:
            break;
        }
    }
    Toolbar::keyDown(event);
}

bool PreferencesToolbar::performKeyEquivalent(const ui::Event& event)
{
    using K = base::KeyCode;
    auto key = static_cast<K>(event.keyCode());
    constexpr std::uint32_t kOthers = ui::ModifierFlag::Shift | ui::ModifierFlag::Control | ui::ModifierFlag::Option;
    if (event.type() == ui::Event::Type::KeyDown && (key == K::PageDown || key == K::PageUp)
        && (event.modifierFlags() & ui::ModifierFlag::Command) && !(event.modifierFlags() & kOthers) && !isHidden() && !items().empty()) {
        step(key == K::PageDown ? 1 : -1);
        return true;
    }
    return Toolbar::performKeyEquivalent(event);
}

void PreferencesToolbar::draw(gfx::GraphicsContext& context, const ui::Rect& dirty)
{
    Toolbar::draw(context, dirty);
    auto* window = this->window();
    auto index = selectedIndex();
    if (m_ringShown && window && index && window->firstResponder() == this && window->isKeyWindow())
        ui::FocusRing::draw(context, rectOfItem(*index).insetBy(3, 2));
}

void PreferencesToolbar::mouseDown(const ui::Event& event)
{
    m_ringShown = false;
    Toolbar::mouseDown(event);
}

bool PreferencesToolbar::becomeFirstResponder()
{
    m_ringShown = true;
    setNeedsDisplay();
    return true;
}

bool PreferencesToolbar::resignFirstResponder()
{
    m_ringShown = false;
    setNeedsDisplay();
    return true;
}

std::shared_ptr<PreferencesTabView> PreferencesTabView::create()
{
    return std::shared_ptr<PreferencesTabView>(new PreferencesTabView);
}

std::shared_ptr<PreferencesTablessTabView> PreferencesTablessTabView::create()
{
    return std::shared_ptr<PreferencesTablessTabView>(new PreferencesTablessTabView);
}

void PreferencesTablessTabView::draw(gfx::GraphicsContext& context, const ui::Rect& dirty)
{
    if (MacOSVersion::singleton().isDarkMode()) {
        ui::TabView::draw(context, dirty);
        return;
    }
    ui::Rect rect = bounds();
    context.setFillColor(gfx::Color::white(0.88));
    context.fillRect(rect);
    framePreferencesRect(context, rect, gfx::Color::white(0.75));
    framePreferencesRect(context, ui::Rect(rect.origin, ui::Size(rect.width(), 1)), gfx::Color::white(0.56));
}

std::shared_ptr<DividerCell> DividerCell::create(ui::Rect frame) { return std::shared_ptr<DividerCell>(new DividerCell(frame)); }

DividerCell::DividerCell(ui::Rect frame)
    : View(frame)
{
}

void DividerCell::drawInteriorWithFrame(gfx::GraphicsContext& context, const ui::Rect& frame) const
{
    context.setFillColor(gfx::colors::lightGray);
    context.fillRect(ui::Rect(frame.minX() + 4, frame.minY() + frame.height() * 0.5, frame.width() - 8, 1));
}

void DividerCell::draw(gfx::GraphicsContext& context, const ui::Rect&) { drawInteriorWithFrame(context, bounds()); }

std::shared_ptr<PreferencesPanePullDownButton> PreferencesPanePullDownButton::create()
{
    return std::shared_ptr<PreferencesPanePullDownButton>(new PreferencesPanePullDownButton);
}

PreferencesPanePullDownButton::PreferencesPanePullDownButton()
    : PopUpButton(true)
{
}

void PreferencesPanePullDownButton::drawWithFrame(gfx::GraphicsContext& context, const ui::Rect& frame) const
{
    double x = frame.minX();
    double y = frame.minY();
    // A pull-down shows its first item as its title.
    std::string shown = numberOfItems() ? itemAt(0)->title() : title();
    gfx::drawText(shown, ui::Rect(x + 5, y + 4, std::max(0.0, frame.width() - 25), std::max(0.0, frame.height() - 4)),
        gfx::TextStyle(gfx::Font::system(13), ui::ControlLook::kText));
    framePreferencesRect(context, frame, kGrey);
    context.setFillColor(ui::ControlLook::kText);
    BezierPathUtility::bezierPathForRightFacingArrow(ui::Rect(x + frame.width() - 15, y + frame.height() * 0.5 - 5, 8, 10)).fill();
}

void PreferencesPanePullDownButton::drawOwnLook(gfx::GraphicsContext& context) { drawWithFrame(context, bounds()); }

std::shared_ptr<PreferencesPanePullDownBottomButton> PreferencesPanePullDownBottomButton::create()
{
    return std::shared_ptr<PreferencesPanePullDownBottomButton>(new PreferencesPanePullDownBottomButton);
}

std::shared_ptr<PreferencesTableCell> PreferencesTableCell::create(ui::Rect frame, const std::string& text, const gfx::Font& font,
    double indent)
{
    std::shared_ptr<PreferencesTableCell> cell(new PreferencesTableCell(frame));
    auto label = ui::TextField::createLabel(text);
    label->setFont(font);
    double height = std::max(0.0, label->intrinsicContentSize().height);
    label->setFrame(ui::Rect(indent, (frame.height() - height) / 2, std::max(0.0, frame.width() - indent - 6), height));
    cell->addSubview(label);
    return cell;
}

PreferencesTableCell::PreferencesTableCell(ui::Rect frame)
    : View(frame)
{
}

ui::View* PreferencesTableCell::hitTest(ui::Point point) { return frame().contains(point) && !isHidden() ? this : nullptr; }

}
