#include "drawing/FolderIconPaths.h"

#include "drawing/ContourOutlines.h"
#include "drawing/OptionIconPaths.h"
#include "drawing/PathPieces.h"
#include "drawing/PopUpGlyphPaths.h"

#include <cmath>
#include <numbers>

namespace ostrel::folderIconPaths {

namespace {

gfx::Rect box(double x0, double y0, double x1, double y1) { return { x0, y0, x1 - x0, y1 - y0 }; }

gfx::Path rectContour(const gfx::Rect& r)
{
    gfx::Path path;
    path.moveTo({ r.minX(), r.minY() });
    path.lineTo({ r.maxX(), r.minY() });
    path.lineTo({ r.maxX(), r.maxY() });
    path.lineTo({ r.minX(), r.maxY() });
    path.closePath();
    return path;
}

}

gfx::Path folder(bool divider)
{
    gfx::Path path = throughPoints({ 25.45, 21 },
        { { 'L', { 155.34, 21 } }, { 'C', { 170.69, 26.49 } }, { 'C', { 176, 42.47 } }, { 'L', { 176, 123.05 } }, { 'C', { 170.59, 139.03 } },
            { 'C', { 154.55, 144.52 } }, { 'L', { 78.78, 144.52 } }, { 'C', { 71.03, 145.47 } }, { 'C', { 64.97, 149.41 } }, { 'L', { 60.8, 153.21 } },
            { 'C', { 53.75, 157.9 } }, { 'C', { 44.62, 159 } }, { 'L', { 22.57, 159 } }, { 'C', { 8.72, 154.21 } }, { 'C', { 4, 139.83 } },
            { 'L', { 4, 42.47 } }, { 'C', { 9.41, 26.44 } }, { 'C', { 25.45, 21 } } });
    path.appendPath(throughPoints({ 25.65, 27.79 },
        { { 'C', { 14.53, 31.58 } }, { 'C', { 10.75, 42.87 } }, { 'L', { 10.75, 139.33 } }, { 'C', { 13.98, 149.11 } }, { 'C', { 23.66, 152.41 } },
            { 'L', { 43.23, 152.41 } }, { 'C', { 50.67, 151.36 } }, { 'C', { 56.73, 147.32 } }, { 'L', { 61, 143.42 } }, { 'C', { 67.9, 138.93 } },
            { 'C', { 77.39, 137.73 } }, { 'L', { 154.35, 137.73 } }, { 'C', { 165.37, 133.94 } }, { 'C', { 169.25, 122.65 } },
            { 'L', { 169.25, 42.77 } }, { 'C', { 165.37, 31.58 } }, { 'C', { 154.35, 27.79 } }, { 'L', { 25.65, 27.79 } } }));
    if (divider)
        path.appendPath(rectContour(box(7.97, 108.67, 172.33, 115.16)));
    return path;
}

gfx::Path optionsEmblem()
{
    using optionIconPaths::SliderTrack;
    const SliderTrack tracks[3] {
        { 61.31, 65.79, 61, 101.53, box(99.16, 56, 114.66, 71.05), box(102.86, 59.59, 110.96, 67.49), 112.66, 128 },
        { 81.25, 85.73, 61, 77.07, box(75.01, 75.96, 90.51, 91.01), box(78.71, 79.53, 86.82, 87.45), 88.14, 128 },
        { 101.21, 105.69, 61, 101.61, box(99.16, 95.95, 114.66, 111), box(102.86, 99.54, 110.96, 107.43), 112.37, 128 },
    };
    return optionIconPaths::sliders(tracks);
}

gfx::Path hammer()
{
    // The handle rises from its butt at the lower left into the head; the head is a block
    // across the handle's line with the claw at its upper left.
    const std::vector<gfx::Point> handle = keys::band({ { 0.06, 0.06 }, { 0.5, 0.5 }, { 0.97, 0.97 } }, 0.07);
    const std::vector<gfx::Point> head { { 0.0, 0.62 }, { 0.08, 0.75 }, { 0.3, 0.78 }, { 0.5, 1.0 }, { 0.62, 0.92 }, { 0.55, 0.72 },
        { 1.0, 0.3 }, { 0.95, 0.15 }, { 0.75, 0.0 }, { 0.6, 0.05 }, { 0.25, 0.4 } };
    return pathFromOutlines({
        { handle, 16, { 0, 2, 4, 6, 8, 10, 12, 14 }, box(52.9, 44.91, 101.92, 94.53) },
        { head, 36, { 0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33 }, box(73.23, 71.07, 127.04, 115.02) },
        { head, 28, { 0, 2, 5, 7, 10, 12, 14, 17, 19, 22, 24, 26 }, box(79.53, 76.57, 121.51, 110.36), false },
    });
}

gfx::Path navigationEmblem()
{
    return throughPoints({ 69.7, 78.62 }, { { 'L', { 87.07, 78.52 } }, { 'C', { 87.5, 78.41 } }, { 'C', { 87.61, 78.01 } }, { 'L', { 87.67, 60.66 } },
        { 'C', { 88.45, 58.2 } }, { 'C', { 90.38, 57.05 } }, { 'C', { 92.68, 57.47 } }, { 'C', { 94.52, 59.61 } }, { 'L', { 112.46, 98.51 } },
        { 'C', { 112.97, 101.22 } }, { 'C', { 112, 103.16 } }, { 'C', { 109.96, 103.99 } }, { 'C', { 107.26, 103.42 } }, { 'L', { 68.27, 85.3 } },
        { 'C', { 66.4, 83.6 } }, { 'C', { 66.05, 81.36 } }, { 'C', { 67.16, 79.43 } }, { 'C', { 69.7, 78.62 } } });
}

gfx::Path navigationEmblem2Brackets()
{
    return popUpGlyphPaths::navigationBrackets({ box(53, 92.68, 77.44, 116.98), box(102.49, 92.68, 126.93, 116.98), box(53, 43, 77.44, 67.29),
        box(102.49, 43, 126.93, 67.29) });
}

gfx::Path navigationEmblem2Pointer() { return fittedTo(popUpGlyphPaths::navigationPointer(), box(67.18, 57.13, 108.6, 98.64)); }

gfx::Path toolsEmblem2() { return optionIconPaths::crossedTools(optionIconPaths::ToolsDrawing::smallEmblem, box(64, 54.89, 116.11, 106.11)); }

gfx::Path toolsEmblem3() { return optionIconPaths::crossedTools(optionIconPaths::ToolsDrawing::largeEmblem, box(57.98, 51.99, 121.15, 115.16)); }

gfx::Path questionMark(const QuestionMark& q)
{
    gfx::Path path = ovalContour(q.ring, 16, true);
    path.appendPath(ovalContour(q.hole, 16, false));
    // The hook: a stroke from the left over the top, down the right and in to the stem.
    const std::vector<gfx::Point> spine { { 0.12, 0.72 }, { 0.25, 0.92 }, { 0.5, 0.97 }, { 0.78, 0.9 }, { 0.88, 0.72 }, { 0.75, 0.52 },
        { 0.55, 0.4 }, { 0.5, 0.2 }, { 0.5, 0.04 } };
    path.appendPath(contourFromOutline({ keys::band(spine, 0.11), q.hookSegments, { 8, 17, q.hookSegments - 1 }, q.hook }));
    path.appendPath(ovalContour(q.dot, 8, true));
    return path;
}

gfx::Path helpEmblem()
{
    return questionMark({ box(57, 36, 122, 101), box(63.2, 42.2, 115.8, 94.8), box(79.38, 61.9, 100.31, 85.01), box(85.05, 52.23, 92.46, 59.32), 27 });
}

gfx::Path helpEmblem2()
{
    return questionMark({ box(57, 50, 123, 116), box(63.3, 56.3, 116.7, 109.7), box(79.72, 76.29, 100.97, 99.77), box(85.48, 66.48, 93.0, 73.68), 27 });
}

gfx::Path helpItem()
{
    return questionMark({ box(26, 26, 153, 153.61), box(36.65, 36.63, 142.42, 142.98), box(70.2, 76.86, 109.98, 121.83), box(81.41, 58.22, 94.79, 71.23), 30 });
}

gfx::Path archiveBox()
{
    const std::vector<gfx::Point> body { { 0.0, 1.0 }, { 0.0, 0.12 }, { 0.04, 0.02 }, { 0.12, 0.0 }, { 0.88, 0.0 }, { 0.96, 0.02 }, { 1.0, 0.12 },
        { 1.0, 1.0 }, { 0.89, 1.0 }, { 0.89, 0.16 }, { 0.86, 0.13 }, { 0.14, 0.13 }, { 0.11, 0.16 }, { 0.11, 1.0 } };
    gfx::Path path = contourFromOutline({ body, 16, { 0, 3, 5, 7, 8, 9, 12, 15 }, box(56.81, 47, 122.29, 99.49) });
    path.appendPath(roundedBox(box(74.19, 80.64, 105.0, 87.82), 3.5, true));
    path.appendPath(roundedBox(box(51, 96.22, 128.15, 118.19), 4, true));
    path.appendPath(roundedBox(box(58.03, 102.76, 121.07, 111.6), 2, false));
    return path;
}

gfx::Path loudspeaker(const gfx::Rect& bounds, int frontCurves)
{
    // Drawn on the speaker of the pop-up's un-mute glyph, then placed on `bounds`.
    constexpr gfx::Point lowerFront { 112.2, 52.6 }, upperFront { 112.2, 125.5 };
    constexpr double rx = 5.95, ry = 6.6;
    auto on = [&](gfx::Point c, double degrees) {
        double t = degrees * std::numbers::pi / 180;
        return gfx::Point { c.x + rx * std::cos(t), c.y + ry * std::sin(t) };
    };
    gfx::Path path;
    path.moveTo({ 85.44, 68.8 });
    path.lineTo(on(lowerFront, -150));
    appendEllipseArc(path, lowerFront, rx, ry, -150, 0, 150.0 / frontCurves * (1 + 1e-9));
    path.lineTo(on(upperFront, 0));
    appendEllipseArc(path, upperFront, rx, ry, 0, 150, 150.0 / frontCurves * (1 + 1e-9));
    path.lineTo({ 85.44, 109.23 });
    path.curveTo({ 85.2, 108.79 }, { 85.36, 109.08 }, { 85.3, 108.9 });
    path.lineTo({ 66, 108.79 });
    appendEllipseArc(path, { 66, 102.79 }, 6, 6, 90, 180, 45 * (1 + 1e-9));
    path.lineTo({ 60, 75.24 });
    appendEllipseArc(path, { 66, 75.24 }, 6, 6, 180, 270, 45 * (1 + 1e-9));
    path.lineTo({ 85.2, 69.24 });
    path.curveTo({ 85.44, 68.8 }, { 85.3, 69.13 }, { 85.36, 68.95 });
    path.closePath();
    return fittedTo(path, bounds);
}

gfx::Path soundEmblem() { return loudspeaker(box(61, 45, 107.34, 113.36), 4); }

gfx::Path soundEmblem2()
{
    gfx::Path path = loudspeaker(box(60, 44, 107.27, 112.36), 4);
    path.appendPath(reversed(loudspeaker(box(66.84, 52.94, 100.48, 103.42), 3)));
    return path;
}

gfx::Path statsEmblem()
{
    gfx::Path path = roundedBox(box(50, 53, 72.86, 92.31), 7, true);
    path.appendPath(roundedBox(box(78.05, 53, 100.95, 101.17), 7, true));
    path.appendPath(roundedBox(box(106.14, 53, 129, 110), 7, true));
    return path;
}

gfx::Path sideBarWindow(const gfx::Rect& outer, const gfx::Rect& inner, const gfx::Rect& divider, double linesFrom, double linesTo,
    const double (&lines)[3][2], double outerRadius, double innerRadius)
{
    gfx::Path path = roundedBox(outer, outerRadius, true);
    path.appendPath(roundedBox(inner, innerRadius, false));
    path.appendPath(rectContour(divider));
    for (const auto& line : lines)
        path.appendPath(capsuleBar(box(linesFrom, line[0], linesTo, line[1])));
    return path;
}

gfx::Path sideBarEmblem()
{
    const double lines[3][2] { { 97.95, 102.74 }, { 88.19, 92.97 }, { 78.42, 83.16 } };
    return sideBarWindow(box(44, 48, 134.58, 119.19), box(51.03, 55.08, 127.54, 112.11), box(87.3, 53.71, 94.13, 113.33), 99.11, 122.61, lines, 8, 3);
}

gfx::Path sideBarItem()
{
    const double lines[3][2] { { 114.06, 120.99 }, { 98.02, 104.95 }, { 82.04, 88.92 } };
    return sideBarWindow(box(17, 33, 163, 147), box(26.97, 42.97, 153.03, 137.03), box(86.28, 41.05, 96.0, 138.89), 104.36, 144.67, lines, 12, 4);
}

gfx::Path globe()
{
    gfx::Path path = ovalContour(box(73.38, 50.05, 105.62, 110.76), 16, true);
    path.appendPath(ovalContour(box(78.13, 54.42, 100.87, 106.38), 16, false));
    path.appendPath(rectContour(box(87.15, 50.65, 91.81, 110.32)));
    // The parallels bend away from the equator at their ends.
    const std::vector<gfx::Point> arch = keys::band({ { 0.0, 0.15 }, { 0.25, 0.62 }, { 0.5, 0.72 }, { 0.75, 0.62 }, { 1.0, 0.15 } }, 0.2);
    std::vector<gfx::Point> sag;
    for (gfx::Point p : arch)
        sag.push_back({ p.x, 1 - p.y });
    path.appendPath(contourFromOutline({ arch, 12, { 5, 11 }, box(66.54, 59.28, 112.46, 69.04) }));
    path.appendPath(rectContour(box(60.5, 78.08, 118.46, 82.73)));
    path.appendPath(contourFromOutline({ sag, 12, { 5, 11 }, box(66.54, 91.61, 112.46, 101.36) }));
    path.appendPath(ovalContour(box(57, 48, 122, 112.81), 16, true));
    path.appendPath(ovalContour(box(61.87, 52.82, 117.13, 107.99), 16, false));
    return path;
}

}
