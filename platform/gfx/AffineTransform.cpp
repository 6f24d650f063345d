#include "platform/gfx/AffineTransform.h"

#include <cmath>
#include <numbers>

namespace gfx {

AffineTransform AffineTransform::rotation(double degrees)
{
    // Quarter turns are exact so that rotated icons keep their pixel grid.
    double turns = degrees / 90;
    double c, s;
    if (turns == std::round(turns)) {
        int quarter = ((int(std::fmod(turns, 4)) % 4) + 4) % 4;
        constexpr double cosines[] = { 1, 0, -1, 0 };
        constexpr double sines[] = { 0, 1, 0, -1 };
        c = cosines[quarter];
        s = sines[quarter];
    } else {
        double radians = degrees * std::numbers::pi / 180;
        c = std::cos(radians);
        s = std::sin(radians);
    }
    return { c, s, -s, c, 0, 0 };
}

AffineTransform AffineTransform::mapping(const Rect& from, const Rect& to)
{
    double sx = from.size.width == 0 ? 0 : to.size.width / from.size.width;
    double sy = from.size.height == 0 ? 0 : to.size.height / from.size.height;
    return { sx, 0, 0, sy, to.origin.x - sx * from.origin.x, to.origin.y - sy * from.origin.y };
}

AffineTransform AffineTransform::concatenated(const AffineTransform& b) const
{
    return {
        m11 * b.m11 + m12 * b.m21,
        m11 * b.m12 + m12 * b.m22,
        m21 * b.m11 + m22 * b.m21,
        m21 * b.m12 + m22 * b.m22,
        tX * b.m11 + tY * b.m21 + b.tX,
        tX * b.m12 + tY * b.m22 + b.tY,
    };
}

AffineTransform AffineTransform::inverted() const
{
    double det = determinant();
    if (det == 0)
        return *this;
    double a = m22 / det, b = -m12 / det, c = -m21 / det, d = m11 / det;
    return { a, b, c, d, -(tX * a + tY * c), -(tX * b + tY * d) };
}

}
