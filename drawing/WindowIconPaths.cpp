#include "drawing/WindowIconPaths.h"

#include "drawing/PathPieces.h"

#include <array>
#include <cmath>
#include <numbers>

namespace ostrel::windowIconPaths {

gfx::Path filterFunnel()
{
    gfx::Path path;
    path.moveTo({ 1, 10 });
    for (gfx::Point p : { gfx::Point { 9, 10 }, { 6, 7 }, { 6, 2 }, { 4, 2 }, { 4, 7 } })
        path.lineTo(p);
    path.closePath();
    return path;
}

namespace {

constexpr gfx::Point kEyeCenter { 9, 9.1 };
constexpr double kOuterX = 9, kOuterY = 4.39, kOpening = 3.21;
// The strike bar's half width and the space left free beside it.
constexpr double kCut = 0.575 + 0.3;

double dot(gfx::Point a, gfx::Point b) { return a.x * b.x + a.y * b.y; }

// The angle range (degrees) of an ellipse around the eye's centre lying on the far side of
// the cut line at signed distance `side` * kCut along the bar's normal.
std::pair<double, double> arcBeyondCut(double rx, double ry, gfx::Point normal, int side)
{
    // Sample finely, then keep the longest run of angles beyond the cut.
    constexpr int steps = 3600;
    auto beyond = [&](double degrees) {
        double t = degrees * std::numbers::pi / 180;
        return side * dot({ rx * std::cos(t), ry * std::sin(t) }, normal) > kCut;
    };
    double start = 0;
    for (int i = 0; i < steps; ++i) {
        double a = i * 0.1;
        if (!beyond(a) && beyond(a + 0.1)) {
            start = a + 0.1;
            break;
        }
    }
    double end = start;
    while (beyond(end + 0.1) && end < start + 360)
        end += 0.1;
    return { start, end };
}

gfx::Path eyeHalf(gfx::Point normal, int side, const gfx::Rect& bounds)
{
    auto [outerFrom, outerTo] = arcBeyondCut(kOuterX, kOuterY, normal, side);
    auto [innerFrom, innerTo] = arcBeyondCut(kOpening, kOpening, normal, side);
    gfx::Path half;
    appendEllipseArc(half, kEyeCenter, kOuterX, kOuterY, outerFrom, outerTo, (outerTo - outerFrom) / 4 + 1e-6);
    double t = innerTo * std::numbers::pi / 180;
    half.lineTo({ kEyeCenter.x + kOpening * std::cos(t), kEyeCenter.y + kOpening * std::sin(t) });
    appendEllipseArc(half, kEyeCenter, kOpening, kOpening, innerTo, innerFrom, (innerTo - innerFrom) / 2 + 1e-6);
    half.closePath();
    return fittedTo(half, bounds);
}

}

gfx::Path hideEye()
{
    // The bar is upright turned 40.65 degrees counter-clockwise; its normal points lower
    // left to upper right.
    double angle = 0.7094763409356949;
    gfx::Point normal { std::cos(angle), std::sin(angle) };
    gfx::Path eye = eyeHalf(normal, -1, { 0, 4.71, 11.43, 12.8 - 4.71 });
    eye.appendPath(eyeHalf(normal, 1, { 6.62, 5.4, 18 - 6.62, 13.49 - 5.4 }));
    eye.setWindingRule(gfx::WindingRule::evenOdd);
    return eye;
}

namespace {

gfx::Path polygon(std::initializer_list<gfx::Point> points)
{
    gfx::Path path;
    for (gfx::Point p : points) {
        if (path.isEmpty())
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closePath();
    return path;
}

}

std::vector<gfx::Path> logoShapes()
{
    constexpr double bottom = 2, top = 16.77, cap = 16, stroke = 3;
    std::vector<gfx::Path> shapes;

    // O: a ring, the one shape of two contours.
    gfx::Path o = gfx::Path::oval({ 17, bottom, 23, top - bottom });
    o.appendPath(reversed(gfx::Path::oval({ 17 + stroke, bottom + stroke, 23 - 2 * stroke, top - bottom - 2 * stroke })));
    shapes.push_back(o);

    // S: its spine thickened to a stroke on both sides, with square ends.
    const std::array<gfx::Point, 9> spine { { { 64.5, 14.2 }, { 60.5, 15.4 }, { 55, 15.3 }, { 49.8, 12.6 }, { 56.5, 9.4 }, { 63.8, 6.6 },
        { 59.5, 3.5 }, { 54, 3.5 }, { 49.5, 4.6 } } };
    std::vector<ContourPoint> outline;
    for (int side : { 1, -1 }) {
        for (size_t k = 0; k < spine.size(); ++k) {
            size_t i = side > 0 ? k : spine.size() - 1 - k;
            gfx::Point before = spine[i == 0 ? 0 : i - 1], after = spine[std::min(i + 1, spine.size() - 1)];
            double dx = after.x - before.x, dy = after.y - before.y, length = std::hypot(dx, dy);
            gfx::Point normal { -dy / length * stroke / 2, dx / length * stroke / 2 };
            bool end = k == spine.size() - 1;
            outline.push_back({ { spine[i].x + side * normal.x, spine[i].y + side * normal.y }, end });
        }
    }
    shapes.push_back(fittedTo(smoothContour(outline), { 48, bottom, 18, top - bottom }));

    // T: its top and its stem.
    shapes.push_back(polygon({ { 74, cap - stroke }, { 94, cap - stroke }, { 94, cap }, { 74, cap } }));
    shapes.push_back(gfx::Path::roundedRect({ 82.5, bottom, stroke, 14 }, 1, 1));

    // R: the stem, then the bowl and leg with the bowl's counter as a hole.
    shapes.push_back(gfx::Path::roundedRect({ 102, bottom, stroke, 14 }, 1, 1));
    gfx::Path bowl;
    bowl.moveTo({ 104, cap });
    bowl.lineTo({ 114, cap });
    bowl.curveTo({ 114, 8 }, { 119.5, cap }, { 119.5, 8 });
    bowl.lineTo({ 121, bottom });
    bowl.lineTo({ 117.6, bottom });
    bowl.lineTo({ 112.4, 8 });
    bowl.lineTo({ 104, 8 });
    bowl.closePath();
    bowl.moveTo({ 104, 10.8 });
    bowl.lineTo({ 113.5, 10.8 });
    bowl.curveTo({ 113.5, cap - stroke }, { 116.5, 10.8 }, { 116.5, cap - stroke });
    bowl.lineTo({ 104, cap - stroke });
    bowl.closePath();
    bowl.setWindingRule(gfx::WindingRule::evenOdd);
    shapes.push_back(bowl);

    // E and L, with their stems drawn into the outline.
    shapes.push_back(polygon({ { 129, bottom }, { 146, bottom }, { 146, bottom + stroke }, { 132, bottom + stroke }, { 132, 7.6 },
        { 143, 7.6 }, { 143, 10.4 }, { 132, 10.4 }, { 132, cap - stroke }, { 146, cap - stroke }, { 146, cap }, { 129, cap } }));
    shapes.push_back(polygon({ { 155, bottom }, { 173.99, bottom }, { 173.99, bottom + stroke }, { 158, bottom + stroke }, { 158, cap }, { 155, cap } }));
    return shapes;
}

}
