#include "drawing/ResizingBehavior.h"

#include <cmath>

namespace ostrel {

std::optional<ResizingBehavior> resizingBehaviorFromRaw(double raw)
{
    if (!(raw >= 0 && raw <= 3) || raw != std::floor(raw))
        return std::nullopt;
    return ResizingBehavior(int(raw));
}

gfx::Rect apply(ResizingBehavior behavior, const gfx::Rect& rect, const gfx::Rect& target)
{
    gfx::Rect design = rect.standardized();
    gfx::Rect frame = target.standardized();
    if (design == frame || target == gfx::Rect {})
        return rect;

    double sx = std::abs(frame.width() / design.width());
    double sy = std::abs(frame.height() / design.height());
    switch (behavior) {
    case ResizingBehavior::aspectFit: sx = sy = std::min(sx, sy); break;
    case ResizingBehavior::aspectFill: sx = sy = std::max(sx, sy); break;
    case ResizingBehavior::stretch: break;
    case ResizingBehavior::center: sx = sy = 1; break;
    }
    double width = sx * design.width();
    double height = sy * design.height();
    return { frame.minX() + (frame.width() - width) * 0.5, frame.minY() + (frame.height() - height) * 0.5, width, height };
}

}
