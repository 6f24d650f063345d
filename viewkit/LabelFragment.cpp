#include "viewkit/LabelFragment.h"

#include "viewkit/FragmentStackView.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/OstrelControlSkin.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/StandardLabel.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/ImageEffects.h"
#include "platform/gfx/TextLayout.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TemplateImages.h"

namespace ostrel {

using A = ui::LayoutAttribute;
using R = ui::LayoutRelation;

namespace {

// Both kinds of option flip their key; whoever observes it reacts.
void toggleSetting(const std::string& key)
{
    auto store = base::Defaults::standard();
    store->set(key, !store->boolean(key));
    store->synchronize();
}

// An unchecked option shows the check mark all but hidden.
std::shared_ptr<gfx::Image> faintCheckMark()
{
    auto mark = ui::TemplateImages::checkMark();
    auto tinted = gfx::applyColor(mark, gfx::Color::white(1, 0.1));
    tinted->setTemplate(false);
    return tinted;
}

}

std::shared_ptr<LabelFragment> LabelFragment::labelFragment(const std::string& title)
{
    auto fragment = make<LabelFragment>(ui::Rect {});
    fragment->setIdentifier(title + " Fragment");
    fragment->m_label->setStringValue(title);
    return fragment;
}

std::shared_ptr<LabelFragment> LabelFragment::labelFragment(const std::string& title, const std::string& storageKey, bool hiddenByDefault)
{
    auto fragment = labelFragment(title);
    fragment->configure(storageKey, hiddenByDefault);
    return fragment;
}

std::shared_ptr<LabelFragment> LabelFragment::labelFragment(const std::string& title, std::vector<std::string> storageKeys,
    std::vector<std::optional<bool>> initialValues, ShouldHideExpression shouldHideExpression)
{
    auto fragment = labelFragment(title);
    fragment->setStorageKeys(std::move(storageKeys));
    fragment->setInitialValues(std::move(initialValues));
    fragment->setShouldHideExpression(std::move(shouldHideExpression));
    return fragment;
}

LabelFragment::LabelFragment(ui::Rect frame)
    : HideableFragmentWall(frame)
{
}

void LabelFragment::finishCreation()
{
    HideableFragmentWall::finishCreation();
    BricksFactory& bricks = factory();

    m_label = standardLabel("");
    bricks.internalAddBrick(m_label, [](LayoutConstraintMaker& maker) { maker.container().place(A::Left, A::Left).place(A::Top, A::Top); });

    m_wheelButton = PullDownButtonBrick::create(wheelIcon());
    ui::TextField* label = m_label.get();
    bricks.internalAddBrick(m_wheelButton, [label](LayoutConstraintMaker& maker) {
        maker.container().place(A::Right, A::Right).place(A::Bottom, A::Bottom);
        maker.and_(*label).pin(A::CenterY, A::CenterY, 0);
    });
    m_wheelButton->setBezelStyle(ui::BezelStyle::Borderless);
    m_wheelButton->setImagePosition(ui::ImagePosition::ImageOnly);

    m_alternativeUIButton = PushButtonBrick::create(std::string {}, [] { });
    m_alternativeUIButton->setBezelStyle(ui::BezelStyle::Borderless);
    bricks.internalAddBrick(m_alternativeUIButton, [&bricks](LayoutConstraintMaker& maker) {
        // `previous` is the wheel button, added just before.
        if (auto wheel = bricks.previous())
            maker.and_(*wheel).pin(A::CenterY, A::CenterY, 0);
    });
    m_alternativeUIButton->setImage(OstrelStyleKit::imageOfSwapIcon(gfx::colors::lightGray));
    m_alternativeUIButton->setImagePosition(ui::ImagePosition::ImageOnly);
    m_alternativeUIButton->setToolTip("Switch to next alternative control");
    m_alternativeUIButton->setHidden(true);

    hideWheelButton();
    m_wheelButton->setToolTip("Customize this section");
    m_label->setHidden(true);
    // The wall owns the closure, so the fragment outlives every call of it.
    backgroundDrawingFunc = [this](const ui::Rect& frame) { drawLabelFragment(frame); };
}

std::shared_ptr<gfx::Image> LabelFragment::wheelIcon() const { return OstrelStyleKit::imageOfLabelOption(gfx::colors::lightGray); }

void LabelFragment::setIsFirstLabel(bool first)
{
    m_isFirstLabel = first;
    setNeedsDisplay();
}

void LabelFragment::setWheelButtonConstraints(double width, std::shared_ptr<ui::Constraint> alternativeRight)
{
    if (m_wheelButtonWidthConstraint)
        removeConstraint(m_wheelButtonWidthConstraint);
    m_wheelButtonWidthConstraint = ui::Constraint::create(m_wheelButton.get(), A::Width, R::Equal, width);
    addConstraint(m_wheelButtonWidthConstraint);
    if (m_alternativeUIButtonRightConstraint)
        removeConstraint(m_alternativeUIButtonRightConstraint);
    m_alternativeUIButtonRightConstraint = std::move(alternativeRight);
    if (m_alternativeUIButtonRightConstraint)
        addConstraint(m_alternativeUIButtonRightConstraint);
}

void LabelFragment::unhideWheelButton()
{
    m_wheelButton->setHidden(false);
    setWheelButtonConstraints(40,
        m_alternativeUIButton ? ui::Constraint::create(m_alternativeUIButton.get(), A::Right, R::Equal, m_wheelButton.get(), A::Left, 1, 0)
                              : nullptr);
}

void LabelFragment::hideWheelButton()
{
    m_wheelButton->setHidden(true);
    // The hidden button still keeps a 14-point margin at the right.
    setWheelButtonConstraints(14,
        m_alternativeUIButton ? ui::Constraint::create(m_alternativeUIButton.get(), A::Right, R::Equal, this, A::Right, 1, -8)
                              : nullptr);
}

void LabelFragment::addItem(const std::shared_ptr<ui::MenuItem>& item) { m_wheelButton->menu()->addItem(item); }

void LabelFragment::addSeparatorItem() { m_wheelButton->menu()->addItem(ui::MenuItem::separator()); }

void LabelFragment::addCheckedOption(const std::string& menuItemTitle, const std::string& storageKey, std::optional<bool> checkedByDefault)
{
    if (checkedByDefault) {
        auto store = base::Defaults::standard();
        store->registerDefaults({ { storageKey, *checkedByDefault } });
        store->synchronize();
    }
    unhideWheelButton();
    auto item = SmartMenuItem::create(
        menuItemTitle, [storageKey] { toggleSetting(storageKey); },
        [storageKey](ui::MenuItem& shown) {
            bool on = base::Defaults::standard()->boolean(storageKey);
            shown.setState(on ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
        });
    item->setOffStateImage(faintCheckMark());
    addItem(item);
}

void LabelFragment::addVisibilityManagedOption(const std::string& menuItemTitle, const std::string& storageKey)
{
    unhideWheelButton();
    auto item = SmartMenuItem::create(
        menuItemTitle, [storageKey] { toggleSetting(storageKey); },
        [storageKey, menuItemTitle](ui::MenuItem& shown) {
            // The key says whether the section is hidden.
            bool hidden = base::Defaults::standard()->boolean(storageKey);
            shown.setTitle((hidden ? "Show " : "Hide ") + menuItemTitle);
        });
    addItem(item);
}

void LabelFragment::drawHeading(const ui::Rect& frame, double left, const gfx::Font& font, gfx::Color color) const
{
    std::string text = m_label ? m_label->stringValue() : std::string {};
    ui::Rect box(frame.minX() + left, frame.minY() + 2, frame.width() - 3, frame.height() - 2);
    gfx::TextStyle style(font, color, gfx::ParagraphStyle { gfx::TextAlignment::left });
    double measured = gfx::textBoundingRect(text, box.width(), style).height();
    ui::Rect placed(box.minX(), box.minY() + (box.height() - measured) * 0.5 + 0.5, box.width(), measured);
    auto& context = gfx::GraphicsContext::requireCurrent();
    context.save();
    context.clipToRect(box);
    gfx::drawText(text, placed, style);
    context.restore();
}

void LabelFragment::drawLabelFragment(const ui::Rect& frame) const
{
    if (m_isFirstLabel)
        OstrelStyleKit::drawFirstLabelFragmentBar(frame);
    else
        OstrelStyleKit::drawLabelFragmentBar(frame);
    drawHeading(frame, 2 + 8, OstrelControlSkin::shared().secondaryTitleFont(), ui::ControlLook::kText);
}

}
