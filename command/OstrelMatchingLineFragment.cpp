#include "command/OstrelMatchingLineFragment.h"

#include "command/ActionMatchingItem.h"
#include "command/BackgroundDrawingWallWithTintSupport.h"
#include "command/GenericMultiStateOptionMatchingItem.h"
#include "command/KeyComboStaticLabel.h"
#include "command/OnOffOptionMatchingItem.h"
#include "command/TimeScaleMatchingItem.h"
#include "command/WindowCompactnessMatchingItem.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/SmartTextField.h"

#include "platform/ui/Constraint.h"
#include "platform/ui/ControlLook.h"

#include <algorithm>

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

using Draw = void (*)(const gfx::Rect&, OstrelStyleKit::ResizingBehavior, const gfx::Color&);

Draw groupIcon(const std::string& title)
{
    static const std::pair<const char*, Draw> folders[] = {
        { "Navigation", &OstrelStyleKit::drawNavigationFolder },
        { "Tools", &OstrelStyleKit::drawToolsFolder },
        { "Actions", &OstrelStyleKit::drawActionFolder },
        { "State-Specific Options", &OstrelStyleKit::drawOptionsFolder },
        { "Help", &OstrelStyleKit::drawHelpFolder2 },
        { "Global Options", &OstrelStyleKit::drawPreferencesFolder },
        { "Sounds", &OstrelStyleKit::drawSoundFolder },
        { "Logs", &OstrelStyleKit::drawLogFolder },
        { "Statistics", &OstrelStyleKit::drawStatsFolder },
        { "Sidebar", &OstrelStyleKit::drawSideBarFolder },
    };
    for (auto& [name, draw] : folders) {
        if (title == name)
            return draw;
    }
    return &OstrelStyleKit::drawFolder;
}

Draw itemIcon(const MatchingItem& item)
{
    auto byLine = item.byLineString();
    auto& path = item.expandedMatchingStrings();
    auto& title = item.preciseMatchingString();
    if (byLine == "Navigation")
        return &OstrelStyleKit::drawNavigationAction;
    if (byLine == "Help")
        return &OstrelStyleKit::drawHelpItem;
    if (path.size() >= 2 && path[1] == "Sidebar")
        return &OstrelStyleKit::drawSideBarItem;
    if (path.size() >= 2 && path[1] == "Statistics")
        return &OstrelStyleKit::drawStatistics;
    if (title == "Mute All Sounds")
        return &OstrelStyleKit::drawMute;
    if (title == "Un-Mute All Sounds")
        return &OstrelStyleKit::drawUnmute;
    if (title == "Stop Drovel Playback")
        return &OstrelStyleKit::drawStop;
    if (title == "Start Drovel Playback")
        return &OstrelStyleKit::drawPlay;
    return &OstrelStyleKit::drawNextAction6;
}

Draw iconFor(const MatchingItem& item)
{
    switch (item.kind()) {
    case MatchingItemKind::item:
        return itemIcon(item);
    case MatchingItemKind::group:
        return groupIcon(item.preciseMatchingString());
    case MatchingItemKind::globalOption:
    case MatchingItemKind::stateOption:
        return &OstrelStyleKit::drawOption;
    default:
        break;
    }
    // From the default choice on, alternatives and actions take turns.
    bool isAlternative = (static_cast<int>(item.kind()) - static_cast<int>(MatchingItemKind::defaultChoice)) % 2 == 0;
    return isAlternative ? &OstrelStyleKit::drawNextAction3 : &OstrelStyleKit::drawNextAction6;
}

const char* timeScaleText(TimeScale scale)
{
    switch (scale) {
    case TimeScale::oneHour:
        return "1 Hour";
    case TimeScale::oneAndAHalfHour:
        return "1\u00BD Hours";
    case TimeScale::twoHours:
        return "2 Hours";
    case TimeScale::fortyFiveMinutes:
        return "\u00BE Hour";
    }
    return "";
}

const char* compressionText(WindowCompressionMode mode)
{
    switch (mode) {
    case WindowCompressionMode::never:
        return "Never";
    case WindowCompressionMode::always:
        return "Always";
    case WindowCompressionMode::onlyWhenSideBarIsClosed:
        return "With Closed Sidebar";
    }
    return "";
}

}

std::shared_ptr<OstrelMatchingLineFragment> OstrelMatchingLineFragment::create()
{
    return make<OstrelMatchingLineFragment>();
}

void OstrelMatchingLineFragment::build()
{
    MatchingLineFragment::build();

    m_rightAlignedTextField = SmartTextField::create("");
    m_rightAlignedTextField->setAlignment(gfx::TextAlignment::right);
    m_rightAlignedTextField->setBordered(false);
    m_rightAlignedTextField->setEditable(false);
    m_rightAlignedTextField->setSelectable(false);
    m_rightAlignedTextField->setDrawsBackground(false);
    m_rightAlignedTextField->setFont(gfx::Font::system(14, gfx::FontWeight::light));
    factory().internalAddBrick(m_rightAlignedTextField, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0);
    });

    m_keyComboLabel = KeyComboStaticLabel::create(14, gfx::colors::lightGray);
    factory().internalAddBrick(m_keyComboLabel, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0);
    });

    // A long title (or by-line) gives way and ends in "…" short of what the row shows at its
    // right, never running into a key combination.
    for (ui::TextField* text : { titleTextField(), byLineTextField() }) {
        text->setContentCompressionResistancePriority(ui::LayoutPriority::DefaultLow, ui::Orientation::Horizontal);
        auto room = ui::Constraint::create(text, A::Right, ui::LayoutRelation::LessThanOrEqual, this, A::Right, 1, 0);
        addConstraint(room);
        m_textRoom.push_back(room);
    }
}

void OstrelMatchingLineFragment::drawLeftIcon(const ui::Rect& frame, const gfx::Color& tint)
{
    if (auto& item = matchingItem())
        iconFor(*item)(frame, OstrelStyleKit::ResizingBehavior::aspectFit, tint);
}

void OstrelMatchingLineFragment::customDrawChevronRight(const ui::Rect& frame, const gfx::Color& tint)
{
    OstrelStyleKit::drawChevronRight(frame, OstrelStyleKit::ResizingBehavior::aspectFill, tint);
}

void OstrelMatchingLineFragment::customDrawHighlightedBackground(const ui::Rect& frame)
{
    auto* context = gfx::GraphicsContext::current();
    if (!context)
        return;
    context->save();
    context->setFillColor(OstrelStyleKit::n10());
    context->fillRect(frame);
    context->restore();
}

std::string OstrelMatchingLineFragment::stateText(const MatchingItem& item)
{
    if (item.kind() != MatchingItemKind::globalOption && item.kind() != MatchingItemKind::stateOption)
        return {};
    if (auto* onOff = dynamic_cast<const OnOffOptionMatchingItem*>(&item))
        return onOff->userReadableStateDescription();
    if (auto* multi = dynamic_cast<const GenericMultiStateOptionMatchingItem<std::string>*>(&item))
        return multi->userReadableStateDescription();
    if (auto* scale = dynamic_cast<const TimeScaleMatchingItem*>(&item))
        return timeScaleText(scale->currentTimeScale());
    if (auto* compactness = dynamic_cast<const WindowCompactnessMatchingItem*>(&item))
        return compressionText(compactness->currentMode());
    return {};
}

void OstrelMatchingLineFragment::configure(const std::shared_ptr<MatchingItem>& item)
{
    MatchingLineFragment::configure(item);
    auto* action = dynamic_cast<ActionMatchingItem*>(item.get());
    m_keyComboLabel->configure(action ? action->keyCombo() : std::nullopt);
    m_keyComboLabel->setNeedsDisplay();
    std::string state = item ? stateText(*item) : "";
    m_rightAlignedTextField->setStringValue(state);
    double taken = m_keyComboLabel->symbolsWidth();
    if (!state.empty())
        taken = std::max(taken, ui::ControlLook::labelSize(state, m_rightAlignedTextField->font()).width);
    if (item && item->kind() == MatchingItemKind::group)
        taken = std::max(taken, imageSize().width);
    double inset = factory().internalHorizontalInset();
    for (auto& room : m_textRoom)
        room->setConstant(-(inset + taken + (taken > 0 ? inset : 0)));
}

void OstrelMatchingLineFragment::changeColors()
{
    auto& item = matchingItem();
    if (!item)
        return;
    bool enabled = item->isEnabled();
    gfx::Color title, byLine, leftTint, rightTint, state;
    if (!isHighlighted()) {
        title = enabled ? OstrelStyleKit::commandTitle() : OstrelStyleKit::commandByLine();
        byLine = state = rightTint = OstrelStyleKit::commandByLine();
        leftTint = title;
    } else if (enabled) {
        title = leftTint = rightTint = state = OstrelStyleKit::commandHighlightedTitle();
        byLine = OstrelStyleKit::commandHighlightedByLine();
    } else {
        title = byLine = state = OstrelStyleKit::commandHighlightedButDisabled();
        leftTint = OstrelStyleKit::commandHighlightedByLine();
        rightTint = OstrelStyleKit::commandHighlightedTitle();
    }
    setBackgroundColor(isHighlighted() ? ui::ControlLook::kAccent : gfx::colors::clear);
    titleTextField()->setTextColor(title);
    byLineTextField()->setTextColor(byLine);
    leftImageWall()->setTint(leftTint);
    rightImageWall()->setTint(rightTint);
    m_rightAlignedTextField->setTextColor(state);
    setNeedsDisplay();
}

}
