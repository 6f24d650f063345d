#include "drawing/OstrelStyleKit.h"
#include "tests/drawing/KitCanvas.h"

#include <gtest/gtest.h>
#include <set>

using namespace ostrel;

namespace {

// The main kit's members as its index lists them, family by family: colours, backgrounds
// and bars, the empty routines, the slider marks and key combo, the window icons, the
// text-style letters, the state icons, the cups, the option glyphs, the pop-up's glyphs,
// folders and items, and the media, chart and arrow icons.
const std::vector<std::string>& mainKitIndex()
{
    static const std::vector<std::string> index {
        "brightFrame",
        "darkFrame",
        "n10",
        "n8",
        "n6",
        "n4",
        "n3",
        "n2",
        "n1",
        "n0",
        "lightYellow",
        "goodFocusColor",
        "commandHighlightedTitle",
        "commandHighlightedByLine",
        "commandTitle",
        "commandByLine",
        "commandHighlightedButDisabled",
        "commandSearchFieldInactive",
        "commandSearchFieldActive",
        "commandWindowBackgroundColor",
        "workingColor",
        "restfullColor",
        "prepareWorkingColor",
        "restColor",
        "prepareRestColor",
        "pausedColor",
        "drawBackgroundWithFrame:",
        "drawAlternativeOptionWithFrame:",
        "drawLogBookEntryWithFrame:",
        "drawTagTokenFieldBackgroundWithFrame:",
        "drawDummyTitleFragmentTextWithFrame:",
        "drawTitleFragmentBarWithFrame:",
        "drawFirstLabelFragmentBarWithFrame:",
        "drawDefaultFragmentBackgroundWithFrame:",
        "drawLabelFragmentBarWithFrame:",
        "drawOptionFragmentBarWithFrame:",
        "drawInbetweenWallWithFrame:",
        "drawCalendarNoEventsWithFrame:",
        "drawCommandWindowBackgroundWithFrame:",
        "drawPreferencesBackgroundWithFrame:",
        "drawMessageWindowBackgroundWithFrame:",
        "imageOfMessageWindowBackgroundWithImageSize:",
        "drawPadBackgroundWithFrame:",
        "drawSegmentedControlWithFrame:",
        "drawHighlightedSegmentedControlWithFrame:",
        "drawEventViewWithFrame:leftTerminator:rightTerminator:label:",
        "drawBubbleWithArrowOnTopWithFrame:label:horizontalCenter:",
        "drawKeyComboWithFrame:resizing:char1:char2:",
        "drawHideIconWithFrame:resizing:",
        "imageOfHideIcon",
        "drawLogoWithFrame:resizing:",
        "drawNowPadIconWithFrame:resizing:",
        "imageOfNowPadIcon",
        "drawLaterPadIconWithFrame:resizing:",
        "imageOfLaterPadIcon",
        "drawScratchPadIconWithFrame:resizing:",
        "imageOfScratchPadIcon",
        "drawLogBookIconWithFrame:resizing:",
        "imageOfLogBookIcon",
        "drawStatsIconWithFrame:resizing:",
        "imageOfStatsIcon",
        "drawHelpIconWithFrame:resizing:",
        "imageOfHelpIcon",
        "drawTitleBarRoundButtonWithFrame:resizing:",
        "drawEmptyPlaceholderIconWithFrame:resizing:",
        "imageOfEmptyPlaceholderIcon",
        "drawEmptyEndPlaceholderIconWithFrame:resizing:",
        "imageOfEmptyEndPlaceholderIcon",
        "drawEmptyStartPlaceholderIconWithFrame:resizing:",
        "imageOfEmptyStartPlaceholderIcon",
        "drawMainWindowMaskWithFrame:resizing:",
        "imageOfMainWindowMask",
        "drawFilterIconWithFrame:resizing:",
        "imageOfFilterIcon",
        "drawStatePreferencesIconWithFrame:resizing:",
        "imageOfStatePreferencesIcon",
        "drawCanvas1WithFrame:resizing:",
        "drawHelpIndexIconWithFrame:resizing:",
        "imageOfHelpIndexIcon",
        "drawAlternativeUIIconWithFrame:resizing:",
        "imageOfAlternativeUIIcon",
        "drawBoldIndicatorWithFrame:resizing:",
        "imageOfBoldIndicator",
        "drawStrikeThroughIndicatorWithFrame:resizing:",
        "imageOfStrikeThroughIndicator",
        "drawUnderlineIndicatorWithFrame:resizing:",
        "imageOfUnderlineIndicator",
        "drawPlainIndicatorWithFrame:resizing:",
        "imageOfPlainIndicator",
        "drawItalicsIndicatorWithFrame:resizing:",
        "imageOfItalicsIndicator",
        "drawTargetIconWithFrame:resizing:iconColor:",
        "imageOfTargetIconWithIconColor:",
        "drawPauseIconWithFrame:resizing:iconColor:",
        "imageOfPauseIconWithIconColor:",
        "drawClockFaceIconWithFrame:resizing:iconColor:endAngle:",
        "imageOfClockFaceIconWithIconColor:endAngle:",
        "drawStarIconWithFrame:resizing:iconColor:",
        "imageOfStarIconWithIconColor:",
        "drawGearIconWithFrame:resizing:iconColor:",
        "imageOfGearIconWithIconColor:",
        "drawProfileIconWithFrame:resizing:iconColor:",
        "imageOfProfileIconWithIconColor:",
        "drawProfileIcon2WithFrame:resizing:iconColor:",
        "imageOfProfileIcon2WithIconColor:",
        "drawTreeIconWithFrame:resizing:iconColor:",
        "imageOfTreeIconWithIconColor:",
        "drawWorkingIconWithFrame:resizing:iconColor:",
        "imageOfWorkingIconWithIconColor:",
        "drawCoffeeCupIconWithFrame:resizing:iconColor:",
        "imageOfCoffeeCupIconWithIconColor:",
        "drawCoffeeCupIcon1WithFrame:resizing:iconColor:",
        "imageOfCoffeeCupIcon1WithIconColor:",
        "drawCoffeeCupIcon2WithFrame:resizing:iconColor:",
        "imageOfCoffeeCupIcon2WithIconColor:",
        "drawCoffeeCupIcon3WithFrame:resizing:iconColor:",
        "imageOfCoffeeCupIcon3WithIconColor:",
        "drawCoffeeCupIcon4WithFrame:resizing:iconColor:",
        "imageOfCoffeeCupIcon4WithIconColor:",
        "drawLabelOptionWithFrame:resizing:iconColor:",
        "imageOfLabelOptionWithIconColor:",
        "drawLabelOption2WithFrame:resizing:iconColor:",
        "imageOfLabelOption2WithIconColor:",
        "drawLabelOption3WithFrame:resizing:iconColor:",
        "imageOfLabelOption3WithIconColor:",
        "drawLabelOption4WithFrame:resizing:iconColor:",
        "imageOfLabelOption4WithIconColor:",
        "drawStatePreferencesIcon2WithFrame:resizing:iconColor:",
        "imageOfStatePreferencesIcon2WithIconColor:",
        "drawSwapIconWithFrame:resizing:iconColor:",
        "imageOfSwapIconWithIconColor:",
        "drawCommandButtonIconWithFrame:resizing:iconColor:",
        "imageOfCommandButtonIconWithIconColor:",
        "drawCommandButtonIcon2WithFrame:resizing:iconColor:",
        "imageOfCommandButtonIcon2WithIconColor:",
        "drawChevronRightWithFrame:resizing:tint:",
        "drawNextActionWithFrame:resizing:tint:",
        "drawNextAction2WithFrame:resizing:tint:",
        "drawNextAction3WithFrame:resizing:tint:",
        "drawNextAction4WithFrame:resizing:tint:",
        "drawNextAction5WithFrame:resizing:tint:",
        "drawNextAction6WithFrame:resizing:tint:",
        "drawOptionWithFrame:resizing:tint:",
        "drawNavigationActionWithFrame:resizing:tint:",
        "drawFolderWithFrame:resizing:tint:",
        "drawOptionsFolderWithFrame:resizing:tint:",
        "drawToolsFolderWithFrame:resizing:tint:",
        "drawToolsFolder2WithFrame:resizing:tint:",
        "drawToolsFolder3WithFrame:resizing:tint:",
        "drawActionFolderWithFrame:resizing:tint:",
        "drawNavigationFolderWithFrame:resizing:tint:",
        "drawNavigationFolder2WithFrame:resizing:tint:",
        "drawHelpFolderWithFrame:resizing:tint:",
        "drawHelpFolder2WithFrame:resizing:tint:",
        "drawHelpItemWithFrame:resizing:tint:",
        "drawLogFolderWithFrame:resizing:tint:",
        "drawSoundFolderWithFrame:resizing:tint:",
        "drawSoundFolder2WithFrame:resizing:tint:",
        "drawStatsFolderWithFrame:resizing:tint:",
        "drawSideBarFolderWithFrame:resizing:tint:",
        "drawSideBarItemWithFrame:resizing:tint:",
        "drawFolder2WithFrame:resizing:tint:",
        "drawPreferencesFolderWithFrame:resizing:tint:",
        "drawCanvas2WithFrame:resizing:tint:",
        "drawStopWithFrame:resizing:tint:",
        "drawPlayWithFrame:resizing:tint:",
        "drawMuteWithFrame:resizing:tint:",
        "drawUnmuteWithFrame:resizing:tint:",
        "drawStatisticsWithFrame:resizing:tint:",
        "drawUpArrowWithFrame:resizing:tint:",
        "imageOfUpArrowWithTint:",
        "drawDownArrowWithFrame:resizing:tint:",
        "imageOfDownArrowWithTint:",
        "drawPadIconWithCustomColorWithFrame:resizing:tint:",
        "imageOfPadIconWithCustomColorWithTint:"
    };
    return index;
}

// Arguments of the right kinds that show a member off.
std::vector<KitArgument> sampleArguments(const KitSelectorTable::Entry& entry)
{
    std::vector<KitArgument> arguments;
    for (KitArgumentKind kind : entry.parameters) {
        switch (kind) {
        case KitArgumentKind::rect: arguments.emplace_back(gfx::Rect { 0, 0, 60, 60 }); break;
        case KitArgumentKind::size: arguments.emplace_back(gfx::Size { 60, 60 }); break;
        // A resizing of aspectFit, an angle, a caret position: 0 serves them all.
        case KitArgumentKind::number: arguments.emplace_back(arguments.size() == 1 ? 0.0 : 120.0); break;
        case KitArgumentKind::boolean: arguments.emplace_back(true); break;
        case KitArgumentKind::text: arguments.emplace_back(std::string("K")); break;
        case KitArgumentKind::color: arguments.emplace_back(gfx::Color { 0.2, 0.4, 0.8, 1 }); break;
        case KitArgumentKind::gradient: arguments.emplace_back(gfx::Gradient(gfx::colors::black, gfx::colors::white)); break;
        case KitArgumentKind::shadow: arguments.emplace_back(gfx::Shadow {}); break;
        }
    }
    return arguments;
}

bool isColor(const std::string& selector) { return selector.find(':') == std::string::npos && !selector.starts_with("imageOf"); }

}

TEST(MainKitIndex, EveryIndexedMemberIsPublishedAndNothingElse)
{
    const auto& table = OstrelStyleKit::selectors();
    std::set<std::string> published;
    for (const auto& entry : table.entries())
        published.insert(entry.selector);
    std::set<std::string> indexed(mainKitIndex().begin(), mainKitIndex().end());
    ASSERT_EQ(indexed.size(), 175u);
    for (const std::string& selector : mainKitIndex())
        EXPECT_TRUE(published.contains(selector)) << selector << " is missing";
    for (const std::string& selector : published)
        EXPECT_TRUE(indexed.contains(selector)) << selector << " is not in the index";
    EXPECT_EQ(table.size(), 175u);
}

TEST(MainKitIndex, FamiliesHaveTheirSizes)
{
    int colours = 0, frameOnly = 0, resizable = 0, cachedImages = 0, perCallImages = 0;
    for (const std::string& selector : mainKitIndex()) {
        if (isColor(selector))
            ++colours;
        else if (selector.starts_with("imageOf"))
            ++(selector.find(':') == std::string::npos ? cachedImages : perCallImages);
        else if (selector.find(":resizing:") != std::string::npos)
            ++resizable;
        else
            ++frameOnly;
    }
    EXPECT_EQ(colours, 26);
    EXPECT_EQ(resizable, 83);
    EXPECT_EQ(frameOnly, 20);
    EXPECT_EQ(cachedImages, 20);
    EXPECT_EQ(perCallImages, 26);
}

TEST(MainKitIndex, EveryMemberAnswersItsSelector)
{
    const auto& table = OstrelStyleKit::selectors();
    const std::set<std::string> drawsNothing { "drawPadBackgroundWithFrame:", "drawSegmentedControlWithFrame:",
        "drawHighlightedSegmentedControlWithFrame:", "drawEmptyPlaceholderIconWithFrame:resizing:", "drawEmptyEndPlaceholderIconWithFrame:resizing:",
        "drawEmptyStartPlaceholderIconWithFrame:resizing:", "imageOfEmptyPlaceholderIcon", "imageOfEmptyEndPlaceholderIcon",
        "imageOfEmptyStartPlaceholderIcon" };
    for (const std::string& selector : mainKitIndex()) {
        SCOPED_TRACE(selector);
        const KitSelectorTable::Entry* entry = table.find(selector);
        ASSERT_NE(entry, nullptr);
        std::optional<KitResult> result;
        // Wide enough for the calendar texts, laid out 435 wide whatever the frame.
        auto pixels = test::drawn(460, 80, [&] { result = table.perform(selector, sampleArguments(*entry)); });
        ASSERT_TRUE(result.has_value());
        if (isColor(selector)) {
            EXPECT_TRUE(std::holds_alternative<const gfx::Color*>(*result));
        } else if (selector.starts_with("imageOf")) {
            ASSERT_TRUE(std::holds_alternative<std::shared_ptr<gfx::Image>>(*result));
            auto image = std::get<std::shared_ptr<gfx::Image>>(*result);
            EXPECT_EQ(test::inkedPixels(*image->rasterize()) > 0, !drawsNothing.contains(selector));
        } else {
            EXPECT_TRUE(std::holds_alternative<std::monostate>(*result));
            EXPECT_EQ(test::inkedPixels(*pixels) > 0, !drawsNothing.contains(selector));
        }
    }
}

TEST(MainKitIndex, TwinMembersDrawAlike)
{
    gfx::Color white = gfx::colors::white;
    auto one = test::drawn(29, 16, [&] { OstrelStyleKit::drawCommandButtonIcon({ 0, 0, 29, 16 }, ResizingBehavior::aspectFit, white); });
    auto two = test::drawn(29, 16, [&] { OstrelStyleKit::drawCommandButtonIcon2({ 0, 0, 29, 16 }, ResizingBehavior::aspectFit, white); });
    EXPECT_TRUE(test::samePixels(*one, *two));
    EXPECT_TRUE(test::samePixels(*OstrelStyleKit::imageOfCommandButtonIcon(white)->rasterize(), *OstrelStyleKit::imageOfCommandButtonIcon2(white)->rasterize()));
    EXPECT_EQ(OstrelStyleKit::imageOfUpArrow(white)->size(), (gfx::Size { 180, 180 }));
    EXPECT_EQ(OstrelStyleKit::imageOfDownArrow(white)->size(), (gfx::Size { 20, 18 }));
}

TEST(MainKitIndex, ImagesHaveTheirRoutinesDesignSizes)
{
    const std::vector<std::pair<std::string, gfx::Size>> sizes { { "imageOfHideIcon", { 18, 18 } }, { "imageOfNowPadIcon", { 18, 18 } },
        { "imageOfLaterPadIcon", { 18, 18 } }, { "imageOfScratchPadIcon", { 18, 18 } }, { "imageOfLogBookIcon", { 18, 18 } },
        { "imageOfStatsIcon", { 18, 18 } }, { "imageOfHelpIcon", { 18, 18 } }, { "imageOfEmptyPlaceholderIcon", { 20, 18 } },
        { "imageOfEmptyEndPlaceholderIcon", { 29, 18 } }, { "imageOfEmptyStartPlaceholderIcon", { 24, 18 } }, { "imageOfMainWindowMask", { 64, 64 } },
        { "imageOfFilterIcon", { 10, 12 } }, { "imageOfStatePreferencesIcon", { 16, 18 } }, { "imageOfHelpIndexIcon", { 16, 18 } },
        { "imageOfAlternativeUIIcon", { 16, 18 } }, { "imageOfBoldIndicator", { 20, 20 } }, { "imageOfStrikeThroughIndicator", { 20, 20 } },
        { "imageOfUnderlineIndicator", { 20, 20 } }, { "imageOfPlainIndicator", { 20, 20 } }, { "imageOfItalicsIndicator", { 20, 20 } },
        { "imageOfTargetIconWithIconColor:", { 22, 22 } }, { "imageOfClockFaceIconWithIconColor:endAngle:", { 22, 22 } },
        { "imageOfCoffeeCupIcon4WithIconColor:", { 22, 22 } }, { "imageOfLabelOptionWithIconColor:", { 16, 16 } },
        { "imageOfLabelOption2WithIconColor:", { 18, 18 } }, { "imageOfLabelOption3WithIconColor:", { 18, 18 } },
        { "imageOfLabelOption4WithIconColor:", { 20, 18 } }, { "imageOfStatePreferencesIcon2WithIconColor:", { 21, 18 } },
        { "imageOfSwapIconWithIconColor:", { 19, 18 } }, { "imageOfCommandButtonIconWithIconColor:", { 29, 16 } },
        { "imageOfCommandButtonIcon2WithIconColor:", { 29, 16 } }, { "imageOfUpArrowWithTint:", { 180, 180 } },
        { "imageOfDownArrowWithTint:", { 20, 18 } }, { "imageOfPadIconWithCustomColorWithTint:", { 18, 18 } },
        { "imageOfMessageWindowBackgroundWithImageSize:", { 60, 60 } } };
    const auto& table = OstrelStyleKit::selectors();
    for (const auto& [selector, size] : sizes) {
        SCOPED_TRACE(selector);
        const KitSelectorTable::Entry* entry = table.find(selector);
        ASSERT_NE(entry, nullptr);
        auto result = table.perform(selector, sampleArguments(*entry));
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(std::get<std::shared_ptr<gfx::Image>>(*result)->size(), size);
        // Cached images are the same object on every read; the others are made anew.
        auto again = table.perform(selector, sampleArguments(*entry));
        EXPECT_EQ(std::get<std::shared_ptr<gfx::Image>>(*again) == std::get<std::shared_ptr<gfx::Image>>(*result), entry->parameters.empty());
    }
}
