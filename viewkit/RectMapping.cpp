#include "viewkit/RectMapping.h"

namespace ostrel {

gfx::AffineTransform mapFrom(const gfx::Rect& from, const gfx::Rect& to) { return gfx::AffineTransform::mapping(from, to); }

gfx::AffineTransform scaleBounds(const gfx::Rect& bounds, double toHeight, double centeredDistance, gfx::Point abovePoint)
{
    float scale = static_cast<float>(toHeight / bounds.height());
    double width = bounds.width() * scale;
    double height = bounds.height() * scale;
    return mapFrom(bounds, gfx::Rect(abovePoint.x - width / 2, abovePoint.y + centeredDistance, width, height));
}

gfx::AffineTransform scaleBounds(const gfx::Rect& bounds, double toHeight, double centeredAboveOrigin)
{
    return scaleBounds(bounds, toHeight, centeredAboveOrigin, gfx::Point {});
}

gfx::AffineTransform flipVertical(const gfx::Rect& rect) { return { 1, 0, 0, -1, 0, rect.height() }; }

}
