#pragma once

#include "drawing/KitFrame.h"
#include "drawing/KitSelectors.h"
#include "platform/gfx/Gradient.h"

namespace ostrel {

// The control skins' kit: its palette, the rounded push and pull-down buttons, check boxes,
// a tick, the slider knob and two small glyphs. The frame-only routines leave the outline's
// (or tick's, or knob's) colour current in the caller's context.
class BricksDrawing {
public:
    using ResizingBehavior = ostrel::ResizingBehavior;

    BricksDrawing() = delete;

    static const gfx::Color& standardFill();
    static const gfx::Color& standardStroke();
    static const gfx::Color& standardText();
    static const gfx::Color& standardHighlightedText();
    static const gfx::Color& standardHighlightedStroke();
    static const gfx::Color& darkFill();
    static const gfx::Color& darkStroke();
    static const gfx::Color& darkText();
    static const gfx::Color& darkHighlightedFill();
    // Fully transparent: a highlighted dark control has no visible outline.
    static const gfx::Color& darkHighlightedStroke();
    static const gfx::Color& darkHighlightedText();
    static const gfx::Color& highlightGradientStart();
    static const gfx::Color& highlightGradientEnd();
    static const gfx::Gradient& standardHighlightGradient();
    static const gfx::Shadow& lightShadow();

    // Rounded buttons: a body 19.5 high placed a little below the frame's middle, titled in
    // the system font.
    static void drawRoundedRegularButton(const gfx::Rect& frame, std::string_view title);
    static void drawRoundedRegularButtonHighlighted(const gfx::Rect& frame, std::string_view title);
    static void drawDarkRoundedRegularButton(const gfx::Rect& frame, std::string_view title);
    static void drawPushButton(const gfx::Rect& frame, const gfx::Color& genericFillColor, const gfx::Color& genericStrokeColor,
        const gfx::Color& genericTextColor, const gfx::Shadow& genericShadow, std::string_view title);
    static void drawPushButtonWithGradient(const gfx::Rect& frame, const gfx::Color& genericStrokeColor,
        const gfx::Color& genericTextColor, const gfx::Gradient& genericGradient, std::string_view title);
    // Pull-down buttons: a body 20 high, a left-aligned title and the arrow at the right.
    static void drawRoundedPullDownButton(const gfx::Rect& frame, const gfx::Color& genericFillColor,
        const gfx::Color& genericStrokeColor, const gfx::Color& genericTextColor, std::string_view title);
    static void drawDarkRoundedPullDownButton(const gfx::Rect& frame, const gfx::Color& genericTextColor, std::string_view title);
    // The pull-down arrow, a V on an 8 x 5 design.
    static void drawCanvas3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& genericTextColor);

    // A 13 x 13 box hanging from the frame's maxY edge at its left (the top in y-up terms, the
    // bottom on screen in a flipped view) and the title beside it; the on state adds a tick
    // drawn for flipped views.
    static void drawCheckBoxInOffState(const gfx::Rect& frame, const gfx::Color& genericFillColor,
        const gfx::Color& genericStrokeColor, const gfx::Color& genericTextColor, std::string_view title);
    static void drawCheckBoxInOnState(const gfx::Rect& frame, const gfx::Color& genericFillColor,
        const gfx::Color& genericStrokeColor, const gfx::Color& genericTextColor, std::string_view title);
    // A black tick on an 18 x 18 design.
    static void drawCheck(const gfx::Rect& frame, ResizingBehavior resizing);
    // A grey pentagon pointing up.
    static void drawSliderKnob(const gfx::Rect& frame);
    // A grey triangle on a 28 x 18 design.
    static void drawCanvas2(const gfx::Rect& frame, ResizingBehavior resizing);

    static const KitSelectorTable& selectors();
    static std::optional<KitResult> perform(std::string_view selector, std::span<const KitArgument> arguments = {})
    {
        return selectors().perform(selector, arguments);
    }
};

}
