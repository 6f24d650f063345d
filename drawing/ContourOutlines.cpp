#include "drawing/ContourOutlines.h"

#include "drawing/PathPieces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ostrel {

gfx::Path contourFromOutline(const ContourOutline& outline)
{
    gfx::Path contour = fittedTo(resampledContour(outline.keys, outline.segments, outline.straight), outline.bounds);
    auto shapes = contourShapes(contour);
    if (!shapes.empty() && shapes.front().counterClockwise != outline.counterClockwise)
        contour = reversed(contour);
    return contour;
}

gfx::Path pathFromOutlines(std::initializer_list<ContourOutline> outlines)
{
    gfx::Path path;
    for (const ContourOutline& outline : outlines)
        path.appendPath(contourFromOutline(outline));
    return path;
}

namespace keys {

std::vector<gfx::Point> capsule(gfx::Point from, gfx::Point to, double halfWidth)
{
    double dx = to.x - from.x, dy = to.y - from.y, length = std::hypot(dx, dy);
    double ux = dx / length, uy = dy / length, nx = -uy * halfWidth, ny = ux * halfWidth;
    double k = 0.7071;
    return { { from.x + nx, from.y + ny }, { to.x + nx, to.y + ny }, { to.x + (nx + ux * halfWidth) * k, to.y + (ny + uy * halfWidth) * k },
        { to.x + ux * halfWidth, to.y + uy * halfWidth }, { to.x + (-nx + ux * halfWidth) * k, to.y + (-ny + uy * halfWidth) * k },
        { to.x - nx, to.y - ny }, { from.x - nx, from.y - ny }, { from.x + (-nx - ux * halfWidth) * k, from.y + (-ny - uy * halfWidth) * k },
        { from.x - ux * halfWidth, from.y - uy * halfWidth }, { from.x + (nx - ux * halfWidth) * k, from.y + (ny - uy * halfWidth) * k } };
}

std::vector<gfx::Point> oval(int count)
{
    std::vector<gfx::Point> points;
    for (int i = 0; i < count; ++i) {
        double t = 2 * std::numbers::pi * i / count;
        points.push_back({ 0.5 + 0.5 * std::cos(t), 0.5 + 0.5 * std::sin(t) });
    }
    return points;
}

std::vector<gfx::Point> band(const std::vector<gfx::Point>& spine, double halfWidth)
{
    std::vector<gfx::Point> points;
    size_t n = spine.size();
    for (int side : { 1, -1 }) {
        for (size_t k = 0; k < n; ++k) {
            size_t i = side > 0 ? k : n - 1 - k;
            gfx::Point before = spine[i == 0 ? 0 : i - 1], after = spine[std::min(i + 1, n - 1)];
            double dx = after.x - before.x, dy = after.y - before.y, length = std::hypot(dx, dy);
            points.push_back({ spine[i].x - side * dy / length * halfWidth, spine[i].y + side * dx / length * halfWidth });
        }
    }
    return points;
}

}

gfx::Path ovalContour(const gfx::Rect& bounds, int curves, bool counterClockwise)
{
    gfx::Path path;
    gfx::Point center = bounds.center();
    double rx = bounds.width() / 2, ry = bounds.height() / 2;
    double sweep = counterClockwise ? 360 : -360;
    path.moveTo({ center.x + rx, center.y });
    appendEllipseArc(path, center, rx, ry, 0, sweep, 360.0 / curves * (1 + 1e-9));
    path.closePath();
    return path;
}

gfx::Path roundedBox(const gfx::Rect& bounds, double radius, bool counterClockwise)
{
    return roundedRectOutline(bounds, std::min({ radius, bounds.width() / 2, bounds.height() / 2 }), !counterClockwise);
}

gfx::Path capsuleBar(const gfx::Rect& bounds, bool counterClockwise)
{
    double r = std::min(bounds.width(), bounds.height()) / 2;
    gfx::Path path;
    if (bounds.width() >= bounds.height()) {
        path.moveTo({ bounds.minX() + r, bounds.minY() });
        path.lineTo({ bounds.maxX() - r, bounds.minY() });
        appendEllipseArc(path, { bounds.maxX() - r, bounds.midY() }, r, r, -90, 90);
        path.lineTo({ bounds.minX() + r, bounds.maxY() });
        appendEllipseArc(path, { bounds.minX() + r, bounds.midY() }, r, r, 90, 270);
    } else {
        path.moveTo({ bounds.maxX(), bounds.minY() + r });
        path.lineTo({ bounds.maxX(), bounds.maxY() - r });
        appendEllipseArc(path, { bounds.midX(), bounds.maxY() - r }, r, r, 0, 180);
        path.lineTo({ bounds.minX(), bounds.minY() + r });
        appendEllipseArc(path, { bounds.midX(), bounds.minY() + r }, r, r, 180, 360);
    }
    path.closePath();
    return counterClockwise ? path : reversed(path);
}

gfx::Path sliderBar(const gfx::Rect& bounds, bool roundLeft)
{
    double r = bounds.height() / 2;
    gfx::Path path;
    if (roundLeft) {
        path.moveTo({ bounds.minX() + r, bounds.minY() });
        path.lineTo({ bounds.maxX(), bounds.minY() });
        path.lineTo({ bounds.maxX(), bounds.maxY() });
        path.lineTo({ bounds.minX() + r, bounds.maxY() });
        appendEllipseArc(path, { bounds.minX() + r, bounds.midY() }, r, r, 90, 270);
    } else {
        path.moveTo({ bounds.minX(), bounds.minY() });
        path.lineTo({ bounds.maxX() - r, bounds.minY() });
        appendEllipseArc(path, { bounds.maxX() - r, bounds.midY() }, r, r, -90, 90);
        path.lineTo({ bounds.minX(), bounds.maxY() });
        path.lineTo({ bounds.minX(), bounds.minY() });
    }
    path.closePath();
    return path;
}

gfx::Path throughPoints(gfx::Point start, std::initializer_list<std::pair<char, gfx::Point>> segments)
{
    // Point i carries the kind of the segment leaving it; the last segment ends at the start.
    std::vector<ContourPoint> points { { start } };
    for (const auto& [kind, point] : segments) {
        points.back().straight = kind == 'L';
        points.push_back({ point });
    }
    if (points.size() > 1 && std::hypot(points.back().point.x - start.x, points.back().point.y - start.y) < 1e-9)
        points.pop_back();
    return smoothContour(points);
}

namespace {

gfx::Point polar(gfx::Point center, double degrees, double u, double v)
{
    double t = degrees * std::numbers::pi / 180;
    return { center.x + v * std::cos(t) - u * std::sin(t), center.y + v * std::sin(t) + u * std::cos(t) };
}

}

gfx::Path gearWheel(gfx::Point center, const GearTooth& tooth, double holeRadius, bool wheelCounterClockwise)
{
    gfx::Path wheel;
    for (int i = 0; i < 8; ++i) {
        double a = -90 + 45 * i;
        if (i == 0)
            wheel.moveTo(polar(center, a, -tooth.baseU, tooth.baseV));
        wheel.lineTo(polar(center, a, -tooth.topU, tooth.topV));
        wheel.curveTo(polar(center, a, -tooth.tipU, tooth.tipV), polar(center, a, -tooth.topU * 0.9, tooth.topV + (tooth.tipV - tooth.topV) * 0.75),
            polar(center, a, -tooth.tipU - (tooth.topU - tooth.tipU) * 0.25, tooth.tipV));
        wheel.lineTo(polar(center, a, tooth.tipU, tooth.tipV));
        wheel.curveTo(polar(center, a, tooth.topU, tooth.topV), polar(center, a, tooth.tipU + (tooth.topU - tooth.tipU) * 0.25, tooth.tipV),
            polar(center, a, tooth.topU * 0.9, tooth.topV + (tooth.tipV - tooth.topV) * 0.75));
        wheel.lineTo(polar(center, a, tooth.baseU, tooth.baseV));
        // The root between this tooth and the next, round about the centre.
        double radius = std::hypot(tooth.baseU, tooth.baseV), spread = std::atan2(tooth.baseU, tooth.baseV) * 180 / std::numbers::pi;
        appendEllipseArc(wheel, center, radius, radius, a + spread, a + 45 - spread, 90);
    }
    wheel.closePath();
    if (!wheelCounterClockwise)
        wheel = reversed(wheel);
    gfx::Path hole;
    hole.moveTo({ center.x, center.y + holeRadius });
    appendEllipseArc(hole, center, holeRadius, holeRadius, 90, wheelCounterClockwise ? -270 : 450, 90 * (1 + 1e-9));
    hole.closePath();
    wheel.appendPath(hole);
    return wheel;
}

}
