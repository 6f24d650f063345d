#pragma once

#include "drawing/KitFrame.h"
#include "drawing/KitSelectors.h"

#include <string_view>

namespace ostrel {

// The count-down dial: the wedge of a period already gone, the ring around it and the
// minutes-and-seconds read-out, all in white. The dial's layers take per-call images.
class CountDownStyleKit {
public:
    CountDownStyleKit() = delete;

    // A wedge of the ellipse inscribed in the frame less 40 on every side (39 below), from
    // `startAngle` clockwise to `endAngle`, degrees counter-clockwise from three o'clock.
    static void drawSlice(const gfx::Rect& frame, double startAngle, double endAngle);
    // A 10-wide ring on the oval 20 inside the frame.
    static void drawOuterCircle(const gfx::Rect& frame);
    // The text centred on the band (0, -1, 300, 40), at fixed coordinates.
    static void drawReadOut(std::string_view text);

    static std::shared_ptr<gfx::Image> imageOfSlice(gfx::Size imageSize, double startAngle, double endAngle);
    static std::shared_ptr<gfx::Image> imageOfOuterCircle(gfx::Size imageSize);
    // 300 x 40.
    static std::shared_ptr<gfx::Image> imageOfReadOut(std::string_view text);

    static const KitSelectorTable& selectors();
    static std::optional<KitResult> perform(std::string_view selector, std::span<const KitArgument> arguments = {})
    {
        return selectors().perform(selector, arguments);
    }
};

}
