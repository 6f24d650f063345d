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

    static const KitSelectorTable& selectors();
    static std::optional<KitResult> perform(std::string_view selector, std::span<const KitArgument> arguments = {})
    {
        return selectors().perform(selector, arguments);
    }

private:
    // Each group of members publishes itself; the kit's table is the union of them.
    static void publishPalette(KitSelectorTable&);
};

}
