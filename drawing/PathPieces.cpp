#include "drawing/PathPieces.h"

#include <cmath>
#include <numbers>

namespace ostrel {

void appendEllipseArc(gfx::Path& path, gfx::Point center, double rx, double ry, double from, double to, double largestPiece)
{
    auto point = [&](double t) { return gfx::Point { center.x + rx * std::cos(t), center.y + ry * std::sin(t) }; };
    auto tangent = [&](double t) { return gfx::Point { -rx * std::sin(t), ry * std::cos(t) }; };
    double radians = std::numbers::pi / 180;
    int pieces = std::max(1, int(std::ceil(std::abs(to - from) / largestPiece - 1e-9)));
    double step = (to - from) / pieces * radians;
    // The control-arm length that makes a cubic follow a circle over `step`.
    double k = 4.0 / 3 * std::tan(step / 4);
    if (!path.hasCurrentPoint())
        path.moveTo(point(from * radians));
    for (int i = 0; i < pieces; ++i) {
        double t0 = from * radians + i * step, t1 = t0 + step;
        gfx::Point p0 = point(t0), p1 = point(t1), d0 = tangent(t0), d1 = tangent(t1);
        path.curveTo(p1, { p0.x + k * d0.x, p0.y + k * d0.y }, { p1.x - k * d1.x, p1.y - k * d1.y });
    }
}

gfx::Path roundedRectOutline(const gfx::Rect& rect, double radius, bool clockwise)
{
    gfx::Rect r = rect.standardized();
    double x0 = r.minX(), y0 = r.minY(), x1 = r.maxX(), y1 = r.maxY();
    gfx::Path path;
    if (clockwise) {
        path.moveTo({ x1 - radius, y0 });
        path.lineTo({ x0 + radius, y0 });
        appendEllipseArc(path, { x0 + radius, y0 + radius }, radius, radius, 270, 180);
        path.lineTo({ x0, y1 - radius });
        appendEllipseArc(path, { x0 + radius, y1 - radius }, radius, radius, 180, 90);
        path.lineTo({ x1 - radius, y1 });
        appendEllipseArc(path, { x1 - radius, y1 - radius }, radius, radius, 90, 0);
        path.lineTo({ x1, y0 + radius });
        appendEllipseArc(path, { x1 - radius, y0 + radius }, radius, radius, 0, -90);
    } else {
        path.moveTo({ x0 + radius, y0 });
        path.lineTo({ x1 - radius, y0 });
        appendEllipseArc(path, { x1 - radius, y0 + radius }, radius, radius, -90, 0);
        path.lineTo({ x1, y1 - radius });
        appendEllipseArc(path, { x1 - radius, y1 - radius }, radius, radius, 0, 90);
        path.lineTo({ x0 + radius, y1 });
        appendEllipseArc(path, { x0 + radius, y1 - radius }, radius, radius, 90, 180);
        path.lineTo({ x0, y0 + radius });
        appendEllipseArc(path, { x0 + radius, y0 + radius }, radius, radius, 180, 270);
    }
    path.closePath();
    return path;
}

}
