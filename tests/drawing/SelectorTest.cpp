#include "drawing/BreakTimeStyleKit.h"
#include "drawing/BricksDrawing.h"
#include "drawing/CountDownStyleKit.h"
#include "drawing/DurationViewStyleKit.h"
#include "drawing/KeyboardShortcutsStyleKit.h"
#include "drawing/OstrelStyleKit.h"
#include "platform/base/Diagnostics.h"
#include "tests/drawing/KitCanvas.h"

#include <gtest/gtest.h>
#include <set>

using namespace ostrel;
using gfx::Color;
using gfx::Rect;

namespace {

// One member: its selector, the arguments it is sent, and the same call made directly.
struct Member {
    std::string selector;
    std::vector<KitArgument> arguments;
    std::function<KitResult()> direct;
    // An image that is transparent by design.
    bool blank { false };
};

constexpr Rect kFrame { 3, 4, 100, 70 };
constexpr double kStretch = 2;
constexpr auto stretch = ResizingBehavior::stretch;
const Color kInk = gfx::colors::black;
const Color kPaper = gfx::Color::white(0.9);
const Color kRed = gfx::colors::red;

template<typename Draw>
std::function<KitResult()> drawing(Draw draw)
{
    return [draw] {
        draw();
        return KitResult {};
    };
}

template<typename Value>
Member cached(std::string name, const Value& (*getter)())
{
    return { name, {}, [getter] { return KitResult { &getter() }; } };
}

std::vector<Member> ostrelStyleKitMembers()
{
    using K = OstrelStyleKit;
    std::vector<Member> members;
    for (auto [name, getter] : std::initializer_list<std::pair<const char*, const Color& (*)()>> { { "brightFrame", &K::brightFrame },
             { "darkFrame", &K::darkFrame }, { "n10", &K::n10 }, { "n8", &K::n8 }, { "n6", &K::n6 }, { "n4", &K::n4 }, { "n3", &K::n3 },
             { "n2", &K::n2 }, { "n1", &K::n1 }, { "n0", &K::n0 }, { "lightYellow", &K::lightYellow },
             { "goodFocusColor", &K::goodFocusColor }, { "commandHighlightedTitle", &K::commandHighlightedTitle },
             { "commandHighlightedByLine", &K::commandHighlightedByLine }, { "commandTitle", &K::commandTitle },
             { "commandByLine", &K::commandByLine }, { "commandHighlightedButDisabled", &K::commandHighlightedButDisabled },
             { "commandSearchFieldInactive", &K::commandSearchFieldInactive }, { "commandSearchFieldActive", &K::commandSearchFieldActive },
             { "commandWindowBackgroundColor", &K::commandWindowBackgroundColor }, { "workingColor", &K::workingColor },
             { "restfullColor", &K::restfullColor }, { "prepareWorkingColor", &K::prepareWorkingColor }, { "restColor", &K::restColor },
             { "prepareRestColor", &K::prepareRestColor }, { "pausedColor", &K::pausedColor } })
        members.push_back(cached(name, getter));
    members.push_back({ "drawPadBackgroundWithFrame:", { kFrame }, drawing([] { K::drawPadBackground(kFrame); }) });
    members.push_back({ "drawSegmentedControlWithFrame:", { kFrame }, drawing([] { K::drawSegmentedControl(kFrame); }) });
    members.push_back(
        { "drawHighlightedSegmentedControlWithFrame:", { kFrame }, drawing([] { K::drawHighlightedSegmentedControl(kFrame); }) });

    using FrameOnly = void (*)(const Rect&);
    for (auto [name, draw] : std::initializer_list<std::pair<const char*, FrameOnly>> { { "Background", &K::drawBackground },
             { "InbetweenWall", &K::drawInbetweenWall }, { "LogBookEntry", &K::drawLogBookEntry },
             { "PreferencesBackground", &K::drawPreferencesBackground }, { "CommandWindowBackground", &K::drawCommandWindowBackground },
             { "MessageWindowBackground", &K::drawMessageWindowBackground }, { "TitleFragmentBar", &K::drawTitleFragmentBar },
             { "FirstLabelFragmentBar", &K::drawFirstLabelFragmentBar }, { "LabelFragmentBar", &K::drawLabelFragmentBar },
             { "OptionFragmentBar", &K::drawOptionFragmentBar }, { "CalendarNoEvents", &K::drawCalendarNoEvents },
             { "AlternativeOption", &K::drawAlternativeOption }, { "TagTokenFieldBackground", &K::drawTagTokenFieldBackground },
             { "DummyTitleFragmentText", &K::drawDummyTitleFragmentText }, { "DefaultFragmentBackground", &K::drawDefaultFragmentBackground } })
        members.push_back({ std::string("draw") + name + "WithFrame:", { kFrame }, drawing([draw] { draw(kFrame); }) });
    gfx::Size windowSize { 120, 80 };
    members.push_back({ "imageOfMessageWindowBackgroundWithImageSize:", { windowSize },
        [=] { return KitResult { K::imageOfMessageWindowBackground(windowSize) }; } });

    members.push_back({ "drawEventViewWithFrame:leftTerminator:rightTerminator:label:", { kFrame, true, false, std::string("Standup") },
        drawing([] { K::drawEventView(kFrame, true, false, "Standup"); }) });
    members.push_back({ "drawBubbleWithArrowOnTopWithFrame:label:horizontalCenter:", { kFrame, std::string("25m"), 40.0 },
        drawing([] { K::drawBubbleWithArrowOnTop(kFrame, "25m", 40); }) });
    members.push_back({ "drawKeyComboWithFrame:resizing:char1:char2:", { kFrame, kStretch, std::string("⌘"), std::string("K") },
        drawing([] { K::drawKeyCombo(kFrame, stretch, "⌘", "K"); }) });

    using Resizable = void (*)(const Rect&, ResizingBehavior);
    using Image = std::shared_ptr<gfx::Image> (*)();
    auto fixed = [&](const std::string& name, Resizable draw, Image image) {
        members.push_back({ "draw" + name + "WithFrame:resizing:", { kFrame, kStretch }, drawing([draw] { draw(kFrame, stretch); }) });
        if (image)
            members.push_back({ "imageOf" + name, {}, [image] { return KitResult { image() }; } });
    };
    fixed("NowPadIcon", &K::drawNowPadIcon, &K::imageOfNowPadIcon);
    fixed("LaterPadIcon", &K::drawLaterPadIcon, &K::imageOfLaterPadIcon);
    fixed("ScratchPadIcon", &K::drawScratchPadIcon, &K::imageOfScratchPadIcon);
    fixed("LogBookIcon", &K::drawLogBookIcon, &K::imageOfLogBookIcon);
    fixed("StatsIcon", &K::drawStatsIcon, &K::imageOfStatsIcon);
    fixed("HelpIcon", &K::drawHelpIcon, &K::imageOfHelpIcon);
    fixed("Logo", &K::drawLogo, nullptr);
    fixed("TitleBarRoundButton", &K::drawTitleBarRoundButton, nullptr);
    fixed("MainWindowMask", &K::drawMainWindowMask, &K::imageOfMainWindowMask);
    fixed("FilterIcon", &K::drawFilterIcon, &K::imageOfFilterIcon);
    fixed("StatePreferencesIcon", &K::drawStatePreferencesIcon, &K::imageOfStatePreferencesIcon);
    fixed("HelpIndexIcon", &K::drawHelpIndexIcon, &K::imageOfHelpIndexIcon);
    fixed("HideIcon", &K::drawHideIcon, &K::imageOfHideIcon);
    fixed("AlternativeUIIcon", &K::drawAlternativeUIIcon, &K::imageOfAlternativeUIIcon);
    fixed("Canvas1", &K::drawCanvas1, nullptr);
    fixed("BoldIndicator", &K::drawBoldIndicator, &K::imageOfBoldIndicator);
    fixed("StrikeThroughIndicator", &K::drawStrikeThroughIndicator, &K::imageOfStrikeThroughIndicator);
    fixed("UnderlineIndicator", &K::drawUnderlineIndicator, &K::imageOfUnderlineIndicator);
    fixed("PlainIndicator", &K::drawPlainIndicator, &K::imageOfPlainIndicator);
    fixed("ItalicsIndicator", &K::drawItalicsIndicator, &K::imageOfItalicsIndicator);
    for (auto [name, draw, image] : std::initializer_list<std::tuple<std::string, Resizable, Image>> {
             { "EmptyPlaceholderIcon", &K::drawEmptyPlaceholderIcon, &K::imageOfEmptyPlaceholderIcon },
             { "EmptyEndPlaceholderIcon", &K::drawEmptyEndPlaceholderIcon, &K::imageOfEmptyEndPlaceholderIcon },
             { "EmptyStartPlaceholderIcon", &K::drawEmptyStartPlaceholderIcon, &K::imageOfEmptyStartPlaceholderIcon } }) {
        fixed(name, draw, nullptr);
        members.push_back({ "imageOf" + name, {}, [image] { return KitResult { image() }; }, true });
    }

    using Coloured = void (*)(const Rect&, ResizingBehavior, const Color&);
    using ColouredImage = std::shared_ptr<gfx::Image> (*)(const Color&);
    auto coloured = [&](const std::string& name, Coloured draw, ColouredImage image) {
        members.push_back({ "draw" + name + "WithFrame:resizing:iconColor:", { kFrame, kStretch, kRed }, drawing([draw] { draw(kFrame, stretch, kRed); }) });
        members.push_back({ "imageOf" + name + "WithIconColor:", { kRed }, [image] { return KitResult { image(kRed) }; } });
    };
    coloured("TargetIcon", &K::drawTargetIcon, &K::imageOfTargetIcon);
    coloured("PauseIcon", &K::drawPauseIcon, &K::imageOfPauseIcon);
    coloured("StarIcon", &K::drawStarIcon, &K::imageOfStarIcon);
    coloured("GearIcon", &K::drawGearIcon, &K::imageOfGearIcon);
    coloured("ProfileIcon", &K::drawProfileIcon, &K::imageOfProfileIcon);
    coloured("ProfileIcon2", &K::drawProfileIcon2, &K::imageOfProfileIcon2);
    coloured("TreeIcon", &K::drawTreeIcon, &K::imageOfTreeIcon);
    coloured("WorkingIcon", &K::drawWorkingIcon, &K::imageOfWorkingIcon);
    coloured("CoffeeCupIcon", &K::drawCoffeeCupIcon, &K::imageOfCoffeeCupIcon);
    coloured("CoffeeCupIcon1", &K::drawCoffeeCupIcon1, &K::imageOfCoffeeCupIcon1);
    coloured("CoffeeCupIcon2", &K::drawCoffeeCupIcon2, &K::imageOfCoffeeCupIcon2);
    coloured("CoffeeCupIcon3", &K::drawCoffeeCupIcon3, &K::imageOfCoffeeCupIcon3);
    coloured("CoffeeCupIcon4", &K::drawCoffeeCupIcon4, &K::imageOfCoffeeCupIcon4);
    coloured("LabelOption", &K::drawLabelOption, &K::imageOfLabelOption);
    coloured("LabelOption2", &K::drawLabelOption2, &K::imageOfLabelOption2);
    coloured("LabelOption3", &K::drawLabelOption3, &K::imageOfLabelOption3);
    coloured("LabelOption4", &K::drawLabelOption4, &K::imageOfLabelOption4);
    coloured("StatePreferencesIcon2", &K::drawStatePreferencesIcon2, &K::imageOfStatePreferencesIcon2);
    coloured("SwapIcon", &K::drawSwapIcon, &K::imageOfSwapIcon);
    coloured("CommandButtonIcon", &K::drawCommandButtonIcon, &K::imageOfCommandButtonIcon);
    coloured("CommandButtonIcon2", &K::drawCommandButtonIcon2, &K::imageOfCommandButtonIcon2);
    auto tinted = [&](const std::string& name, Coloured draw) {
        members.push_back({ "draw" + name + "WithFrame:resizing:tint:", { kFrame, kStretch, kRed }, drawing([draw] { draw(kFrame, stretch, kRed); }) });
    };
    for (auto [name, draw] : std::initializer_list<std::pair<std::string, Coloured>> { { "ChevronRight", &K::drawChevronRight },
             { "NextAction", &K::drawNextAction }, { "NextAction2", &K::drawNextAction2 }, { "NextAction3", &K::drawNextAction3 },
             { "NextAction4", &K::drawNextAction4 }, { "NextAction5", &K::drawNextAction5 }, { "NextAction6", &K::drawNextAction6 },
             { "Option", &K::drawOption }, { "NavigationAction", &K::drawNavigationAction }, { "Folder", &K::drawFolder },
             { "OptionsFolder", &K::drawOptionsFolder }, { "ToolsFolder", &K::drawToolsFolder }, { "ToolsFolder2", &K::drawToolsFolder2 },
             { "ToolsFolder3", &K::drawToolsFolder3 }, { "ActionFolder", &K::drawActionFolder }, { "NavigationFolder", &K::drawNavigationFolder },
             { "NavigationFolder2", &K::drawNavigationFolder2 }, { "HelpFolder", &K::drawHelpFolder }, { "HelpFolder2", &K::drawHelpFolder2 },
             { "HelpItem", &K::drawHelpItem }, { "LogFolder", &K::drawLogFolder }, { "SoundFolder", &K::drawSoundFolder },
             { "SoundFolder2", &K::drawSoundFolder2 }, { "StatsFolder", &K::drawStatsFolder }, { "SideBarFolder", &K::drawSideBarFolder },
             { "SideBarItem", &K::drawSideBarItem }, { "Folder2", &K::drawFolder2 }, { "PreferencesFolder", &K::drawPreferencesFolder },
             { "Canvas2", &K::drawCanvas2 }, { "Stop", &K::drawStop }, { "Play", &K::drawPlay }, { "Mute", &K::drawMute },
             { "Unmute", &K::drawUnmute }, { "Statistics", &K::drawStatistics }, { "UpArrow", &K::drawUpArrow },
             { "DownArrow", &K::drawDownArrow }, { "PadIconWithCustomColor", &K::drawPadIconWithCustomColor } })
        tinted(name, draw);
    for (auto [name, image] : std::initializer_list<std::pair<std::string, ColouredImage>> { { "UpArrow", &K::imageOfUpArrow },
             { "DownArrow", &K::imageOfDownArrow }, { "PadIconWithCustomColor", &K::imageOfPadIconWithCustomColor } })
        members.push_back({ "imageOf" + name + "WithTint:", { kRed }, [image] { return KitResult { image(kRed) }; } });
    members.push_back({ "drawClockFaceIconWithFrame:resizing:iconColor:endAngle:", { kFrame, kStretch, kRed, 100.0 },
        drawing([] { K::drawClockFaceIcon(kFrame, stretch, kRed, 100); }) });
    members.push_back({ "imageOfClockFaceIconWithIconColor:endAngle:", { kRed, 100.0 }, [] { return KitResult { K::imageOfClockFaceIcon(kRed, 100) }; } });
    return members;
}

std::vector<Member> countDownMembers()
{
    using K = CountDownStyleKit;
    Rect dial { 0, 0, 200, 180 };
    gfx::Size size { 200, 180 };
    return {
        { "drawSliceWithFrame:startAngle:endAngle:", { dial, 90.0, -30.0 }, drawing([=] { K::drawSlice(dial, 90, -30); }) },
        { "drawOuterCircleWithFrame:", { dial }, drawing([=] { K::drawOuterCircle(dial); }) },
        { "drawReadOutWithText:", { std::string("12:34") }, drawing([] { K::drawReadOut("12:34"); }) },
        { "imageOfSliceWithImageSize:startAngle:endAngle:", { size, 90.0, -30.0 }, [=] { return KitResult { K::imageOfSlice(size, 90, -30) }; } },
        { "imageOfOuterCircleWithImageSize:", { size }, [=] { return KitResult { K::imageOfOuterCircle(size) }; } },
        { "imageOfReadOutWithText:", { std::string("12:34") }, [] { return KitResult { K::imageOfReadOut("12:34") }; } },
    };
}

std::vector<Member> breakTimeMembers()
{
    using K = BreakTimeStyleKit;
    auto button = [](std::string selector, void (*draw)(const Rect&, ResizingBehavior)) {
        return Member { std::move(selector), { kFrame, kStretch }, drawing([draw] { draw(kFrame, stretch); }) };
    };
    auto image = [](std::string selector, std::shared_ptr<gfx::Image> (*accessor)()) {
        return Member { std::move(selector), {}, [accessor] { return KitResult { accessor() }; } };
    };
    return {
        cached("flashColor", &K::flashColor),
        button("drawCanvas1WithFrame:resizing:", &K::drawCanvas1),
        button("drawPlayButtonWithFrame:resizing:", &K::drawPlayButton),
        button("drawPauseButtonWithFrame:resizing:", &K::drawPauseButton),
        button("drawFastForwardButtonWithFrame:resizing:", &K::drawFastForwardButton),
        button("drawTransparentPlayButtonWithFrame:resizing:", &K::drawTransparentPlayButton),
        button("drawAddButtonWithFrame:resizing:", &K::drawAddButton),
        { "drawStatusItemWithEndAngle:", { 100.0 }, drawing([] { K::drawStatusItem(100); }) },
        { "drawLockIconWithFrame:resizing:endAngle:", { kFrame, kStretch, 360.0 }, drawing([] { K::drawLockIcon(kFrame, stretch, 360); }) },
        image("imageOfPlayButton", &K::imageOfPlayButton),
        image("imageOfPauseButton", &K::imageOfPauseButton),
        image("imageOfFastForwardButton", &K::imageOfFastForwardButton),
        image("imageOfTransparentPlayButton", &K::imageOfTransparentPlayButton),
        image("imageOfAddButton", &K::imageOfAddButton),
        { "imageOfStatusItemWithEndAngle:", { 100.0 }, [] { return KitResult { K::imageOfStatusItem(100) }; } },
    };
}

std::vector<Member> keyboardShortcutsMembers()
{
    using K = KeyboardShortcutsStyleKit;
    using Box = void (*)(const Rect&, const Color&, const Color&, std::string_view, double, bool);
    auto box = [](std::string selector, Box draw) {
        return Member { std::move(selector), { kFrame, kRed, kInk, std::string("⌘K"), 90.0, false },
            drawing([draw] { draw(kFrame, kRed, kInk, "⌘K", 90, false); }) };
    };
    return {
        box("drawBoxWithFrame:disabledBorderColor:textColor:title:textFieldWidth:isEnabled:", &K::drawBox),
        box("drawSmallBoxWithFrame:disabledBorderColor:textColor:title:textFieldWidth:isEnabled:", &K::drawSmallBox),
        box("drawBoxDarkModeWithFrame:disabledBorderDarkModeColor:textColor:title:textFieldWidth:isEnabled:", &K::drawBoxDarkMode),
        box("drawSmallBoxDarkModeWithFrame:disabledBorderDarkModeColor:textColor:title:textFieldWidth:isEnabled:", &K::drawSmallBoxDarkMode),
        { "drawClearWithFrame:resizing:", { kFrame, kStretch }, drawing([] { K::drawClear(kFrame, stretch); }) },
        { "drawUndoWithFrame:resizing:", { kFrame, kStretch }, drawing([] { K::drawUndo(kFrame, stretch); }) },
        { "imageOfClear", {}, [] { return KitResult { K::imageOfClear() }; } },
        { "imageOfUndo", {}, [] { return KitResult { K::imageOfUndo() }; } },
    };
}

std::vector<Member> durationViewMembers()
{
    using K = DurationViewStyleKit;
    std::vector<KitArgument> arguments { std::string("h"), std::string("m"), std::string("01"), std::string("25"), 40.0, 10.0, 12.0, true };
    return {
        { "drawDurationViewWithFirstLabel:secondLabel:firstDigits:secondDigits:digitSize:labelBottomInset:labelSize:disabled:", arguments,
            drawing([] { K::drawDurationView("h", "m", "01", "25", 40, 10, 12, true); }) },
        { "drawSmallDurationViewWithFirstLabel:secondLabel:firstDigits:secondDigits:digitSize:labelBottomInset:labelSize:disabled:",
            arguments, drawing([] { K::drawSmallDurationView("h", "m", "01", "25", 40, 10, 12, true); }) },
    };
}

std::vector<Member> bricksMembers()
{
    using K = BricksDrawing;
    std::vector<Member> members;
    for (auto [name, getter] : std::initializer_list<std::pair<const char*, const Color& (*)()>> { { "standardFill", &K::standardFill },
             { "standardStroke", &K::standardStroke }, { "standardText", &K::standardText },
             { "standardHighlightedText", &K::standardHighlightedText }, { "standardHighlightedStroke", &K::standardHighlightedStroke },
             { "darkFill", &K::darkFill }, { "darkStroke", &K::darkStroke }, { "darkText", &K::darkText },
             { "darkHighlightedFill", &K::darkHighlightedFill }, { "darkHighlightedStroke", &K::darkHighlightedStroke },
             { "darkHighlightedText", &K::darkHighlightedText }, { "highlightGradientStart", &K::highlightGradientStart },
             { "highlightGradientEnd", &K::highlightGradientEnd } })
        members.push_back(cached(name, getter));
    members.push_back(cached("standardHighlightGradient", &K::standardHighlightGradient));
    members.push_back(cached("lightShadow", &K::lightShadow));

    std::string title = "Title";
    gfx::Shadow shadow { gfx::colors::black, { 1, -2 }, 3 };
    gfx::Gradient gradient(gfx::colors::red, gfx::colors::blue);
    using Titled = void (*)(const Rect&, std::string_view);
    for (auto [selector, draw] : std::initializer_list<std::pair<const char*, Titled>> {
             { "drawRoundedRegularButtonWithFrame:title:", &K::drawRoundedRegularButton },
             { "drawRoundedRegularButtonHighlightedWithFrame:title:", &K::drawRoundedRegularButtonHighlighted },
             { "drawDarkRoundedRegularButtonWithFrame:title:", &K::drawDarkRoundedRegularButton } })
        members.push_back({ selector, { kFrame, title }, drawing([draw] { draw(kFrame, "Title"); }) });
    members.push_back({ "drawPushButtonWithFrame:genericFillColor:genericStrokeColor:genericTextColor:genericShadow:title:",
        { kFrame, kPaper, kRed, kInk, shadow, title }, drawing([=] { K::drawPushButton(kFrame, kPaper, kRed, kInk, shadow, "Title"); }) });
    members.push_back({ "drawPushButtonWithGradientWithFrame:genericStrokeColor:genericTextColor:genericGradient:title:",
        { kFrame, kRed, kInk, gradient, title }, drawing([=] { K::drawPushButtonWithGradient(kFrame, kRed, kInk, gradient, "Title"); }) });

    using ThreeColours = void (*)(const Rect&, const Color&, const Color&, const Color&, std::string_view);
    for (auto [selector, draw] : std::initializer_list<std::pair<const char*, ThreeColours>> {
             { "drawRoundedPullDownButtonWithFrame:genericFillColor:genericStrokeColor:genericTextColor:title:", &K::drawRoundedPullDownButton },
             { "drawCheckBoxInOffStateWithFrame:genericFillColor:genericStrokeColor:genericTextColor:title:", &K::drawCheckBoxInOffState },
             { "drawCheckBoxInOnStateWithFrame:genericFillColor:genericStrokeColor:genericTextColor:title:", &K::drawCheckBoxInOnState } })
        members.push_back({ selector, { kFrame, kPaper, kRed, kInk, title }, drawing([draw] { draw(kFrame, kPaper, kRed, kInk, "Title"); }) });
    members.push_back({ "drawDarkRoundedPullDownButtonWithFrame:genericTextColor:title:", { kFrame, kRed, title },
        drawing([] { K::drawDarkRoundedPullDownButton(kFrame, kRed, "Title"); }) });
    members.push_back({ "drawCanvas3WithFrame:resizing:genericTextColor:", { kFrame, kStretch, kRed },
        drawing([] { K::drawCanvas3(kFrame, stretch, kRed); }) });
    members.push_back({ "drawCheckWithFrame:resizing:", { kFrame, kStretch }, drawing([] { K::drawCheck(kFrame, stretch); }) });
    members.push_back({ "drawSliderKnobWithFrame:", { kFrame }, drawing([] { K::drawSliderKnob(kFrame); }) });
    members.push_back({ "drawCanvas2WithFrame:resizing:", { kFrame, kStretch }, drawing([] { K::drawCanvas2(kFrame, stretch); }) });
    return members;
}

std::shared_ptr<gfx::Bitmap> pixelsOf(const KitResult& result)
{
    if (auto image = std::get_if<std::shared_ptr<gfx::Image>>(&result))
        return (*image)->rasterize();
    return nullptr;
}

// Every member of the kit answers its selector exactly as its direct form does, and the
// kit publishes nothing else.
void expectReachableAndAlike(const KitSelectorTable& table, const std::vector<Member>& members)
{
    std::set<std::string> published, listed;
    for (const auto& entry : table.entries())
        published.insert(entry.selector);
    for (const Member& member : members) {
        SCOPED_TRACE(member.selector);
        listed.insert(member.selector);
        std::optional<KitResult> bySelector;
        auto viaSelector = test::drawn(320, 200, [&] { bySelector = table.perform(member.selector, member.arguments); });
        KitResult byMember;
        auto viaMember = test::drawn(320, 200, [&] { byMember = member.direct(); });
        ASSERT_TRUE(bySelector.has_value());
        ASSERT_EQ(bySelector->index(), byMember.index());
        EXPECT_TRUE(test::samePixels(*viaSelector, *viaMember));
        if (std::holds_alternative<std::shared_ptr<gfx::Image>>(byMember)) {
            auto a = pixelsOf(*bySelector), b = pixelsOf(byMember);
            ASSERT_TRUE(a && b);
            EXPECT_TRUE(test::samePixels(*a, *b));
            EXPECT_EQ(test::inkedPixels(*a) == 0, member.blank);
            bool parameterless = member.arguments.empty();
            EXPECT_EQ(std::get<std::shared_ptr<gfx::Image>>(*bySelector) == std::get<std::shared_ptr<gfx::Image>>(byMember), parameterless);
        } else if (!std::holds_alternative<std::monostate>(byMember)) {
            EXPECT_EQ(*bySelector, byMember) << "a cached value is handed out as the same object";
        }
    }
    EXPECT_EQ(published, listed);
}

}

TEST(KitSelectors, OstrelStyleKitMembersAnswerTheirSelectors) { expectReachableAndAlike(OstrelStyleKit::selectors(), ostrelStyleKitMembers()); }
TEST(KitSelectors, CountDownMembersAnswerTheirSelectors) { expectReachableAndAlike(CountDownStyleKit::selectors(), countDownMembers()); }
TEST(KitSelectors, BreakTimeMembersAnswerTheirSelectors) { expectReachableAndAlike(BreakTimeStyleKit::selectors(), breakTimeMembers()); }
TEST(KitSelectors, KeyboardShortcutsMembersAnswerTheirSelectors)
{
    expectReachableAndAlike(KeyboardShortcutsStyleKit::selectors(), keyboardShortcutsMembers());
}
TEST(KitSelectors, DurationViewMembersAnswerTheirSelectors) { expectReachableAndAlike(DurationViewStyleKit::selectors(), durationViewMembers()); }
TEST(KitSelectors, BricksMembersAnswerTheirSelectors) { expectReachableAndAlike(BricksDrawing::selectors(), bricksMembers()); }

TEST(KitSelectors, CallsThatDoNotFitDrawNothingAndSaySo)
{
    std::vector<std::string> lines;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
    const auto& table = BreakTimeStyleKit::selectors();
    auto pixels = test::drawn(60, 60, [&] {
        EXPECT_FALSE(table.perform("drawNothingWithFrame:", std::vector<KitArgument> { kFrame }));
        EXPECT_FALSE(table.perform("drawPlayButtonWithFrame:resizing:", std::vector<KitArgument> { kFrame }));
        EXPECT_FALSE(table.perform("drawPlayButtonWithFrame:resizing:", std::vector<KitArgument> { kFrame, std::string("2") }));
        EXPECT_FALSE(table.perform("drawPlayButtonWithFrame:resizing:", std::vector<KitArgument> { kFrame, 4.0 }));
        EXPECT_FALSE(table.perform("drawPlayButtonWithFrame:resizing:", std::vector<KitArgument> { kFrame, -1.0 }));
    });
    base::setDiagnosticSink(previous);
    EXPECT_EQ(test::inkedPixels(*pixels), 0);
    EXPECT_EQ(lines.size(), 5u);
}

TEST(KitSelectors, AMisspelledSelectorIsAProgrammingError)
{
    EXPECT_DEATH(
        {
            KitSelectorTable table;
            table.add("drawCheckWithFrame:", &BricksDrawing::drawCheck);
        },
        "does not match");
}
