#include "drawing/PopUpGlyphPaths.h"

#include "drawing/ContourOutlines.h"
#include "drawing/OptionIconPaths.h"
#include "drawing/PathPieces.h"

#include <cmath>
#include <numbers>

namespace ostrel::popUpGlyphPaths {

gfx::Path chevronRight()
{
    gfx::Path path;
    path.moveTo({ 159.11, 89.27 });
    path.curveTo({ 157.54, 92.84 }, { 159.11, 90.69 }, { 158.57, 91.86 });
    path.lineTo({ 107.35, 141.13 });
    path.curveTo({ 103.88, 142.54 }, { 106.42, 142.06 }, { 105.25, 142.54 });
    path.curveTo({ 99, 137.71 }, { 101.15, 142.54 }, { 99, 140.49 });
    path.curveTo({ 100.42, 134.29 }, { 99, 136.39 }, { 99.54, 135.17 });
    path.lineTo({ 147.19, 89.27 });
    path.lineTo({ 100.42, 44.3 });
    path.curveTo({ 99, 40.88 }, { 99.54, 43.42 }, { 99, 42.25 });
    path.curveTo({ 103.88, 36 }, { 99, 38.1 }, { 101.15, 36 });
    path.curveTo({ 107.35, 37.42 }, { 105.25, 36 }, { 106.42, 36.54 });
    path.lineTo({ 157.54, 85.71 });
    path.curveTo({ 159.11, 89.27 }, { 158.57, 86.73 }, { 159.11, 87.9 });
    path.closePath();
    return path;
}

namespace {

constexpr double kDegrees = 180 / std::numbers::pi;

gfx::Point along(gfx::Point p, gfx::Point d, double t) { return { p.x + d.x * t, p.y + d.y * t }; }
gfx::Point mid(gfx::Point a, gfx::Point b) { return { (a.x + b.x) / 2, (a.y + b.y) / 2 }; }
double angleOf(gfx::Point d) { return std::atan2(d.y, d.x) * kDegrees; }

// An arm from the tip's centre `tip` to its end's centre `end`: the unit direction and the
// unit normal on the side towards `towards` (the other arm).
struct Arm {
    gfx::Point d, inner;
};

Arm armOf(gfx::Point tip, gfx::Point end, double towardsY)
{
    double dx = end.x - tip.x, dy = end.y - tip.y, length = std::hypot(dx, dy);
    gfx::Point d { dx / length, dy / length }, n { -d.y, d.x };
    // The inner side of an arm faces the shaft, which lies between the arms.
    if ((n.y > 0) != (towardsY > end.y))
        n = { -n.x, -n.y };
    return { d, n };
}

// Where the horizontal line at `y` meets the line through `p` along `d`.
gfx::Point atHeight(gfx::Point p, gfx::Point d, double y) { return along(p, d, (y - p.y) / d.y); }

}

gfx::Path rightArrow(const ArrowShape& a, const gfx::Rect& bounds)
{
    double h = a.armHalfWidth, r = (a.shaftTop - a.shaftBottom) / 2, midY = a.shaftBottom + r;
    gfx::Point tip { a.tip.x - h, a.tip.y };
    Arm lower = armOf(tip, a.lowerEnd, midY), upper = armOf(tip, a.upperEnd, midY);
    auto offset = [](gfx::Point p, gfx::Point n, double s) { return gfx::Point { p.x + n.x * s, p.y + n.y * s }; };

    gfx::Point start { a.shaftLeft + r, a.shaftBottom };
    gfx::Point j1 = atHeight(offset(tip, lower.inner, h), lower.d, a.shaftBottom);
    gfx::Point lowerInnerEnd = offset(a.lowerEnd, lower.inner, h), lowerOuterEnd = offset(a.lowerEnd, lower.inner, -h);
    gfx::Point lowerOuterTip = offset(tip, lower.inner, -h), upperOuterTip = offset(tip, upper.inner, -h);
    gfx::Point upperOuterEnd = offset(a.upperEnd, upper.inner, -h), upperInnerEnd = offset(a.upperEnd, upper.inner, h);
    gfx::Point j2 = atHeight(offset(tip, upper.inner, h), upper.d, a.shaftTop);

    auto cap = [&](gfx::Path& path, gfx::Point center, gfx::Point fromNormal, gfx::Point through, int pieces) {
        double from = angleOf(fromNormal), across = angleOf(through);
        // Round the end the way that passes the arm's far end.
        double to = from + 180;
        double middle = std::remainder(across - (from + 90), 360);
        if (std::abs(middle) > 90)
            to = from - 180;
        appendEllipseArc(path, center, h, h, from, to, 180.0 / pieces * (1 + 1e-9));
    };

    gfx::Path path;
    path.moveTo(start);
    path.lineTo(mid(start, j1));
    path.lineTo(j1);
    path.lineTo(mid(j1, lowerInnerEnd));
    path.lineTo(lowerInnerEnd);
    cap(path, a.lowerEnd, lower.inner, lower.d, 4);
    path.lineTo(mid(lowerOuterEnd, lowerOuterTip));
    path.lineTo(lowerOuterTip);
    // The tip turns round its centre from one arm's outside to the other's.
    double from = angleOf({ -lower.inner.x, -lower.inner.y }), to = angleOf({ -upper.inner.x, -upper.inner.y });
    if (to < from)
        to += 360;
    appendEllipseArc(path, tip, h, h, from, to, (to - from) / a.tipCurves * (1 + 1e-9));
    path.lineTo(mid(upperOuterTip, upperOuterEnd));
    path.lineTo(upperOuterEnd);
    cap(path, a.upperEnd, { -upper.inner.x, -upper.inner.y }, upper.d, 4);
    path.lineTo(mid(upperInnerEnd, j2));
    path.lineTo(j2);
    gfx::Point end { a.shaftLeft + r, a.shaftTop };
    path.lineTo(mid(j2, end));
    path.lineTo(end);
    appendEllipseArc(path, { a.shaftLeft + r, midY }, r, r, 90, 270, 45 * (1 + 1e-9));
    path.closePath();
    return fittedTo(path, bounds);
}

gfx::Path nextActionArrow()
{
    return rightArrow({ 31, 84.53, 94, { 147.99, 89.27 }, { 100, 131.8 }, { 100, 46.7 }, 4.735, 5 }, { 31, 42, 147.99 - 31, 136.53 - 42 });
}

gfx::Path nextAction4Arrow()
{
    return rightArrow({ 55, 80.26, 99.94, { 154.88, 90.12 }, { 104, 131.5 }, { 104, 48.8 }, 9.84, 5 }, { 55, 39, 154.88 - 55, 141.3 - 39 });
}

gfx::Path nextAction5Arrow()
{
    return rightArrow({ 57, 79.54, 99.17, { 153.46, 89.36 }, { 110, 121 }, { 110, 57.8 }, 9.8, 5 }, { 57, 48, 153.46 - 57, 130.76 - 48 });
}

gfx::Path upArrow()
{
    // Built pointing right, then turned a quarter counter-clockwise.
    gfx::Path right = rightArrow({ 53, 84.15, 94.6, { 126.19, 89.37 }, { 96, 119.74 - 5.2 }, { 96, 59 + 5.2 }, 5.2, 4 }, { 53, 59, 73.19, 60.74 });
    return fittedTo(right.transformed({ 0, 1, -1, 0, 0, 0 }), { 59, 53, 119.74 - 59, 126.19 - 53 });
}

gfx::Path downArrow()
{
    gfx::Path right = rightArrow({ 0, 8.04, 10.96, { 15, 9.5 }, { 8.5, 17 }, { 8.5, 2 }, 1.4, 4 }, { 0, 1, 15, 17 });
    // Turned a quarter clockwise: the tip points down.
    return fittedTo(right.transformed({ 0, -1, 1, 0, 0, 0 }), { 1, 2, 17, 15 });
}

gfx::Path optionSliders()
{
    using optionIconPaths::SliderTrack;
    const SliderTrack tracks[3] {
        { 55.21, 62.13, 40, 100.25, { 96.72, 47, 119.76 - 96.72, 70.26 - 47 }, { 102.22, 52.55, 114.26 - 102.22, 64.75 - 52.55 }, 116.78, 139.59 },
        { 86.02, 92.94, 40, 63.89, { 60.83, 77.85, 83.87 - 60.83, 101.11 - 77.85 }, { 66.33, 83.36, 78.37 - 66.33, 95.6 - 83.36 }, 80.35, 139.59 },
        { 116.87, 123.79, 40, 100.36, { 96.72, 108.74, 119.76 - 96.72, 132 - 108.74 }, { 102.22, 114.29, 114.26 - 102.22, 126.49 - 114.29 }, 116.35, 139.59 },
    };
    return optionIconPaths::sliders(tracks);
}

namespace {

gfx::Path upperLeftBracket()
{
    return throughPoints({ 34.89, 110.7 }, { { 'C', { 39.83, 115.71 } }, { 'L', { 39.83, 130.13 } }, { 'C', { 42.28, 137.31 } }, { 'C', { 49.3, 139.72 } },
        { 'L', { 64.09, 139.72 } }, { 'C', { 69.09, 144.67 } }, { 'C', { 64.09, 149.56 } }, { 'L', { 49.18, 149.56 } }, { 'C', { 34.8, 144.82 } },
        { 'C', { 30, 130.68 } }, { 'L', { 30, 115.71 } }, { 'C', { 34.89, 110.7 } } });
}

gfx::Path mirroredY(const gfx::Path& path, double axis) { return path.transformed({ 1, 0, 0, -1, 0, 2 * axis }); }

}

namespace {

// Upper left, upper right, lower left, lower right: mirror images of the first, each turned
// back to run the first one's way round.
std::array<gfx::Path, 4> fourBrackets()
{
    gfx::Path ul = upperLeftBracket();
    return { ul, reversed(mirroredAbout(ul, 89.8)), reversed(mirroredY(ul, 89.78)), mirroredY(mirroredAbout(ul, 89.8), 89.78) };
}

}

gfx::Path navigationBrackets()
{
    gfx::Path path;
    for (const gfx::Path& bracket : fourBrackets())
        path.appendPath(bracket);
    return path;
}

gfx::Path navigationBrackets(const std::array<gfx::Rect, 4>& boxes)
{
    auto brackets = fourBrackets();
    gfx::Path path;
    for (size_t i = 0; i < 4; ++i)
        path.appendPath(fittedTo(brackets[i], boxes[i]));
    return path;
}

gfx::Path navigationPointer()
{
    // Through the art's end points, then set on its box: the art's own curves bulge a little
    // further than these.
    return fittedTo(throughPoints({ 57.24, 84.62 }, { { 'L', { 82.84, 84.62 } }, { 'C', { 84.79, 82.6 } }, { 'L', { 84.79, 57.37 } }, { 'C', { 86.32, 53.52 } },
        { 'C', { 89.65, 52.88 } }, { 'C', { 92.37, 55.29 } }, { 'L', { 119.49, 113.08 } }, { 'C', { 119.86, 117.36 } }, { 'C', { 117.2, 119.99 } },
        { 'C', { 112.89, 119.62 } }, { 'L', { 55.23, 92.19 } }, { 'C', { 52.78, 89.44 } }, { 'C', { 53.46, 86.11 } }, { 'C', { 57.24, 84.62 } } }), { 52.5, 52.57, 120.35 - 52.5, 120.48 - 52.57 });
}

}
