#pragma once

#include "drawing/KitFrame.h"
#include "drawing/KitSelectors.h"

namespace ostrel {

// The main drawing kit: the named colours the application paints with, and (as they are
// added) its icons, backgrounds and bars. Colours are made once, on first read.
class OstrelStyleKit {
public:
    using ResizingBehavior = ostrel::ResizingBehavior;

    OstrelStyleKit() = delete;

    static const gfx::Color& brightFrame();
    static const gfx::Color& darkFrame();
    // A ramp of dark slate blues for windows, tables and fragments; n8 repeats n10.
    static const gfx::Color& n10();
    static const gfx::Color& n8();
    static const gfx::Color& n6();
    static const gfx::Color& n4();
    static const gfx::Color& n3();
    static const gfx::Color& n2();
    static const gfx::Color& n1();
    static const gfx::Color& n0();
    // Text over the ramp: n0 lightened until it reads on the fragment backgrounds (n2 and
    // darker) at 4.5:1, and hints at 3:1.
    static const gfx::Color& textOnSlate();
    static const gfx::Color& hintOnSlate();
    static const gfx::Color& lightYellow();
    static const gfx::Color& goodFocusColor();
    // The command pop-up's colours.
    static const gfx::Color& commandHighlightedTitle();
    static const gfx::Color& commandHighlightedByLine();
    static const gfx::Color& commandTitle();
    static const gfx::Color& commandByLine();
    static const gfx::Color& commandHighlightedButDisabled();
    static const gfx::Color& commandSearchFieldInactive();
    static const gfx::Color& commandSearchFieldActive();
    static const gfx::Color& commandWindowBackgroundColor();
    // The screens' state colours.
    static const gfx::Color& workingColor();
    static const gfx::Color& restfullColor();
    static const gfx::Color& prepareWorkingColor();
    static const gfx::Color& restColor();
    static const gfx::Color& prepareRestColor();
    static const gfx::Color& pausedColor();

    // Placeholders in the kit that draw nothing and leave the context alone.
    static void drawPadBackground(const gfx::Rect& frame);
    static void drawSegmentedControl(const gfx::Rect& frame);
    static void drawHighlightedSegmentedControl(const gfx::Rect& frame);

    // Backgrounds and fragment bars, computed from the frame: edge lines, insets and radii
    // keep their sizes in points whatever the frame.
    static void drawBackground(const gfx::Rect& frame);
    static void drawInbetweenWall(const gfx::Rect& frame);
    static void drawLogBookEntry(const gfx::Rect& frame);
    static void drawPreferencesBackground(const gfx::Rect& frame);
    static void drawCommandWindowBackground(const gfx::Rect& frame);
    static void drawMessageWindowBackground(const gfx::Rect& frame);
    static void drawTitleFragmentBar(const gfx::Rect& frame);
    static void drawFirstLabelFragmentBar(const gfx::Rect& frame);
    static void drawLabelFragmentBar(const gfx::Rect& frame);
    static void drawOptionFragmentBar(const gfx::Rect& frame);
    static void drawCalendarNoEvents(const gfx::Rect& frame);
    static void drawAlternativeOption(const gfx::Rect& frame);
    static void drawTagTokenFieldBackground(const gfx::Rect& frame);
    static void drawDummyTitleFragmentText(const gfx::Rect& frame);
    static void drawDefaultFragmentBackground(const gfx::Rect& frame);
    static std::shared_ptr<gfx::Image> imageOfMessageWindowBackground(gfx::Size imageSize);

    // The duration slider's labelled marks: a calendar event's rule with its end ticks, and
    // a label with a caret above it at `horizontalCenter`.
    static void drawEventView(const gfx::Rect& frame, bool leftTerminator, bool rightTerminator, std::string_view label);
    static void drawBubbleWithArrowOnTop(const gfx::Rect& frame, std::string_view label, double horizontalCenter);
    // Four characters in a row, 47 x 16: char1, char1, char2, char1.
    static void drawKeyCombo(const gfx::Rect& frame, ResizingBehavior resizing, std::string_view char1, std::string_view char2);

    // The main window's and the pads' fixed icons.
    static void drawNowPadIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawLaterPadIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawScratchPadIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawLogBookIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawStatsIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawHelpIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawLogo(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawTitleBarRoundButton(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawEmptyPlaceholderIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawEmptyEndPlaceholderIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawEmptyStartPlaceholderIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawMainWindowMask(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawFilterIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawStatePreferencesIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawHelpIndexIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawHideIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawAlternativeUIIcon(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawCanvas1(const gfx::Rect& frame, ResizingBehavior resizing);
    static std::shared_ptr<gfx::Image> imageOfNowPadIcon();
    static std::shared_ptr<gfx::Image> imageOfLaterPadIcon();
    static std::shared_ptr<gfx::Image> imageOfScratchPadIcon();
    static std::shared_ptr<gfx::Image> imageOfLogBookIcon();
    static std::shared_ptr<gfx::Image> imageOfStatsIcon();
    static std::shared_ptr<gfx::Image> imageOfHelpIcon();
    static std::shared_ptr<gfx::Image> imageOfEmptyPlaceholderIcon();
    static std::shared_ptr<gfx::Image> imageOfEmptyEndPlaceholderIcon();
    static std::shared_ptr<gfx::Image> imageOfEmptyStartPlaceholderIcon();
    static std::shared_ptr<gfx::Image> imageOfMainWindowMask();
    static std::shared_ptr<gfx::Image> imageOfFilterIcon();
    static std::shared_ptr<gfx::Image> imageOfStatePreferencesIcon();
    static std::shared_ptr<gfx::Image> imageOfHelpIndexIcon();
    static std::shared_ptr<gfx::Image> imageOfHideIcon();
    static std::shared_ptr<gfx::Image> imageOfAlternativeUIIcon();

    // The pads' text-style button letters, 20 x 20, black: only their coverage counts.
    static void drawBoldIndicator(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawStrikeThroughIndicator(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawUnderlineIndicator(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawPlainIndicator(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawItalicsIndicator(const gfx::Rect& frame, ResizingBehavior resizing);
    static std::shared_ptr<gfx::Image> imageOfBoldIndicator();
    static std::shared_ptr<gfx::Image> imageOfStrikeThroughIndicator();
    static std::shared_ptr<gfx::Image> imageOfUnderlineIndicator();
    static std::shared_ptr<gfx::Image> imageOfPlainIndicator();
    static std::shared_ptr<gfx::Image> imageOfItalicsIndicator();

    // The screens' state icons, 22 x 22, every shape in `iconColor`.
    static void drawTargetIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawPauseIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawClockFaceIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor, double endAngle);
    static void drawStarIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawGearIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawProfileIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawProfileIcon2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawTreeIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawWorkingIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfTargetIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfPauseIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfClockFaceIcon(const gfx::Color& iconColor, double endAngle);
    static std::shared_ptr<gfx::Image> imageOfStarIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfGearIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfProfileIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfProfileIcon2(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfTreeIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfWorkingIcon(const gfx::Color& iconColor);

    // The break cup, 22 x 22: a plain cup with two wisps, or a cup on a saucer with three.
    static void drawCoffeeCupIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawCoffeeCupIcon1(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawCoffeeCupIcon2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawCoffeeCupIcon3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawCoffeeCupIcon4(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfCoffeeCupIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfCoffeeCupIcon1(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfCoffeeCupIcon2(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfCoffeeCupIcon3(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfCoffeeCupIcon4(const gfx::Color& iconColor);

    // Option buttons' and the command button's glyphs in `iconColor`.
    static void drawLabelOption(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawLabelOption2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawLabelOption3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawLabelOption4(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawStatePreferencesIcon2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawSwapIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawCommandButtonIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static void drawCommandButtonIcon2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfLabelOption(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfLabelOption2(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfLabelOption3(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfLabelOption4(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfStatePreferencesIcon2(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfSwapIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfCommandButtonIcon(const gfx::Color& iconColor);
    static std::shared_ptr<gfx::Image> imageOfCommandButtonIcon2(const gfx::Color& iconColor);

    // The command pop-up's glyphs, 180 x 180, in `tint`.
    static void drawChevronRight(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNextAction(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNextAction2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNextAction3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNextAction4(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNextAction5(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNextAction6(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawOption(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNavigationAction(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);

    // The pop-up's folder icons and help and sidebar items, 180 x 180, in `tint`.
    static void drawFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawOptionsFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawToolsFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawToolsFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawToolsFolder3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawActionFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNavigationFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawNavigationFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawHelpFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawHelpFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawHelpItem(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawLogFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawSoundFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawSoundFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawStatsFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawSideBarFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawSideBarItem(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawFolder2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawPreferencesFolder(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);

    // Playback, sound and chart glyphs, arrows and the pad icon in a pad's own colour.
    static void drawCanvas2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawStop(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawPlay(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawMute(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawUnmute(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawStatistics(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawUpArrow(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawDownArrow(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static void drawPadIconWithCustomColor(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint);
    static std::shared_ptr<gfx::Image> imageOfUpArrow(const gfx::Color& tint);
    static std::shared_ptr<gfx::Image> imageOfDownArrow(const gfx::Color& tint);
    static std::shared_ptr<gfx::Image> imageOfPadIconWithCustomColor(const gfx::Color& tint);

    static const KitSelectorTable& selectors();
    static std::optional<KitResult> perform(std::string_view selector, std::span<const KitArgument> arguments = {})
    {
        return selectors().perform(selector, arguments);
    }

private:
    // Each group of members publishes itself; the kit's table is the union of them.
    static void publishPalette(KitSelectorTable&);
    static void publishBackgrounds(KitSelectorTable&);
    static void publishLabels(KitSelectorTable&);
    static void publishWindowIcons(KitSelectorTable&);
    static void publishTextIndicators(KitSelectorTable&);
    static void publishStateIcons(KitSelectorTable&);
    static void publishCupIcons(KitSelectorTable&);
    static void publishOptionIcons(KitSelectorTable&);
    static void publishPopUpGlyphs(KitSelectorTable&);
    static void publishFolderIcons(KitSelectorTable&);
    static void publishMediaIcons(KitSelectorTable&);
};

}
