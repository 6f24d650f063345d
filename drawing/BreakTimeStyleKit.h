#pragma once

#include "drawing/KitFrame.h"
#include "drawing/KitSelectors.h"

namespace ostrel {

// The break screens' kit: the flash colour of the soft-break cues, the rest screen's lock,
// a small status-item dial, five 16 x 16 button glyphs and the break-screen illustration.
class BreakTimeStyleKit {
public:
    using ResizingBehavior = ostrel::ResizingBehavior;

    BreakTimeStyleKit() = delete;

    static const gfx::Color& flashColor();

    // The break count-down illustration, 385 x 191.
    static void drawCanvas1(const gfx::Rect& frame, ResizingBehavior resizing);
    // 16 x 16 glyphs in black.
    static void drawPlayButton(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawPauseButton(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawFastForwardButton(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawTransparentPlayButton(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawAddButton(const gfx::Rect& frame, ResizingBehavior resizing);
    // A ring and the wedge of what is left of a full turn, at fixed coordinates (18 x 18).
    static void drawStatusItem(double endAngle);
    // The rest screen's lock, 39 x 39: a disc filled clockwise from the top through
    // `endAngle` degrees, and a padlock whose shackle opens at exactly 360.
    static void drawLockIcon(const gfx::Rect& frame, ResizingBehavior resizing, double endAngle);

    static std::shared_ptr<gfx::Image> imageOfPlayButton();
    static std::shared_ptr<gfx::Image> imageOfPauseButton();
    static std::shared_ptr<gfx::Image> imageOfFastForwardButton();
    static std::shared_ptr<gfx::Image> imageOfTransparentPlayButton();
    static std::shared_ptr<gfx::Image> imageOfAddButton();
    static std::shared_ptr<gfx::Image> imageOfStatusItem(double endAngle);

    static const KitSelectorTable& selectors();
    static std::optional<KitResult> perform(std::string_view selector, std::span<const KitArgument> arguments = {})
    {
        return selectors().perform(selector, arguments);
    }
};

}
