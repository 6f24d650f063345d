#include "drawing/OptionIconPaths.h"

#include "drawing/ContourOutlines.h"
#include "drawing/PathPieces.h"

#include <array>
#include <numbers>

namespace ostrel::optionIconPaths {

gfx::Path smallGear() { return gearWheel({ 8, 8 }, { 0.735, 7.5, 1.03, 7.125, 1.5, 5.45 }, 2.68, false); }

gfx::Path commandChevron()
{
    gfx::Path chevron;
    chevron.moveTo({ 22, 9 });
    chevron.lineTo({ 25, 6 });
    chevron.lineTo({ 28, 9 });
    chevron.setLineWidth(1.5);
    return chevron;
}

namespace {

// The crossed tools as the small glyph places them, 18 x 18; the emblems scale this layout.
constexpr gfx::Rect kToolsGlyph { 1, 2, 15, 14.87 };

struct ToolPieces {
    int handle, handleStraight;
    int groove, grooveStraight;
    bool groovesAreHoles;
    int blade, bladeStraight;
    int wrench, wrenchStraight;
    int head, headStraight;
    int jaw, jawStraight;
};

std::vector<int> firstOf(int count, int every)
{
    std::vector<int> indices;
    for (int i = 0; i < count; ++i)
        indices.push_back(i * every);
    return indices;
}

}

gfx::Path crossedTools(ToolsDrawing drawing, const gfx::Rect& bounds)
{
    auto at = gfx::AffineTransform::mapping(kToolsGlyph, bounds);
    auto place = [&](double x0, double y0, double x1, double y1) {
        gfx::Point a = at.apply({ x0, y0 }), b = at.apply({ x1, y1 });
        return gfx::Rect { a.x, a.y, b.x - a.x, b.y - a.y };
    };
    ToolPieces p {};
    switch (drawing) {
    case ToolsDrawing::glyph: p = { 8, 2, 10, 2, true, 15, 7, 36, 4, 24, 6, 14, 5 }; break;
    case ToolsDrawing::smallEmblem: p = { 8, 4, 10, 2, true, 15, 8, 36, 2, 24, 2, 14, 8 }; break;
    case ToolsDrawing::largeEmblem: p = { 16, 8, 10, 2, false, 23, 16, 36, 2, 24, 2, 14, 8 }; break;
    }
    bool large = drawing == ToolsDrawing::largeEmblem;
    // The handle and the shaft run from the upper left to the lower right; the wrench rises
    // from its ring end at the lower left to an open jaw at the upper right.
    std::vector<gfx::Point> handle = large ? keys::band({ { 0.1, 0.9 }, { 0.5, 0.5 }, { 0.9, 0.1 } }, 0.14) : keys::capsule({ 0.15, 0.85 }, { 0.85, 0.15 }, 0.15);
    std::vector<gfx::Point> groove = keys::capsule({ 0.1, 0.1 }, { 0.9, 0.9 }, 0.09);
    std::vector<gfx::Point> blade = large ? keys::band({ { 0.05, 0.95 }, { 0.5, 0.5 }, { 0.95, 0.05 } }, 0.07)
                                          : std::vector<gfx::Point> { { 0, 0.9 }, { 0.1, 1 }, { 0.75, 0.35 }, { 1, 0.05 }, { 0.95, 0 }, { 0.65, 0.25 } };
    std::vector<gfx::Point> wrench = keys::band({ { 0.12, 0.12 }, { 0.3, 0.3 }, { 0.6, 0.6 }, { 0.95, 0.95 } }, 0.08);
    std::vector<gfx::Point> head;
    for (int i = 0; i <= 8; ++i) {
        double t = (75 + 300.0 * i / 8) * std::numbers::pi / 180;
        head.push_back({ 0.5 + 0.4 * std::cos(t), 0.5 + 0.4 * std::sin(t) });
    }
    head = keys::band(head, 0.1);
    std::vector<gfx::Point> jaw { { 0.1, 0.1 }, { 0.9, 0.3 }, { 1, 0.8 }, { 0.7, 1 }, { 0.2, 0.7 } };

    const std::array<ContourOutline, 8> pieces { {
        { handle, p.handle, firstOf(p.handleStraight, p.handle / std::max(1, p.handleStraight)), place(1, 8.16, 9.73, 16.56) },
        { groove, p.groove, firstOf(p.grooveStraight, 5), place(2.84, 10.87, 5.84, 13.88), !p.groovesAreHoles },
        { groove, p.groove, firstOf(p.grooveStraight, 5), place(3.67, 11.68, 6.66, 14.70), !p.groovesAreHoles },
        { blade, p.blade, firstOf(p.bladeStraight, p.blade / std::max(1, p.bladeStraight)), place(8.23, 2.23, 15.26, 9.29) },
        { wrench, p.wrench, firstOf(p.wrenchStraight, p.wrench / std::max(1, p.wrenchStraight)), place(1.19, 2, 11.27, 12.12) },
        { head, p.head, firstOf(p.headStraight, p.head / std::max(1, p.headStraight)), place(8.65, 9.5, 16, 16.87) },
        { jaw, p.jaw, firstOf(p.jawStraight, p.jaw / std::max(1, p.jawStraight)), place(11.28, 12.15, 15.46, 16.35) },
        { keys::oval(), 8, {}, place(3.06, 3.87, 4.64, 5.45) },
    } };
    // The larger drawing lays the disc down right after the wrench's handle.
    const std::array<int, 8> order = large ? std::array<int, 8> { 0, 1, 2, 3, 4, 7, 5, 6 } : std::array<int, 8> { 0, 1, 2, 3, 4, 5, 6, 7 };
    gfx::Path path;
    for (int i : order)
        path.appendPath(contourFromOutline(pieces[i]));
    return path;
}

gfx::Path brush()
{
    const std::vector<gfx::Point> body { { 0.0, 0.03 }, { 0.1, 0.0 }, { 0.42, 0.45 }, { 0.6, 0.6 }, { 0.62, 0.75 }, { 0.85, 0.76 }, { 1.0, 0.88 },
        { 0.96, 1.0 }, { 0.62, 1.0 }, { 0.56, 0.9 }, { 0.55, 0.78 }, { 0.38, 0.62 }, { 0.05, 0.14 } };
    const std::vector<gfx::Point> slit = keys::capsule({ 0.05, 0.5 }, { 0.95, 0.5 }, 0.3);
    return pathFromOutlines({
        { body, 33, { 3, 11, 19, 27 }, { 0, 1, 15.19, 16 } },
        { keys::oval(), 8, {}, { 1.80, 2.77, 1.55, 1.51 }, false },
        { slit, 9, { 0, 5 }, { 9.27, 12.04, 1.85, 0.75 }, false },
        { slit, 9, { 0, 5 }, { 9.45, 11.26, 1.85, 0.75 }, false },
        { slit, 9, { 0, 5 }, { 9.63, 10.49, 1.85, 0.75 }, false },
        { { { 0, 0.1 }, { 0.5, 0 }, { 1, 0.45 }, { 0.8, 1 }, { 0.3, 0.7 } }, 8, {}, { 12.94, 9.38, 3.06, 3.19 } },
    });
}

gfx::Path sliders(const SliderTrack (&tracks)[3])
{
    gfx::Path path;
    for (const SliderTrack& track : tracks) {
        path.appendPath(ovalContour(track.ring, 12, true));
        path.appendPath(ovalContour(track.hole, 8, false));
        double height = track.barTop - track.barBottom;
        path.appendPath(sliderBar({ track.leftFrom, track.barBottom, track.leftTo - track.leftFrom, height }, true));
        path.appendPath(sliderBar({ track.rightFrom, track.barBottom, track.rightTo - track.rightFrom, height }, false));
    }
    return path;
}

gfx::Path sliderGlyph(double from, double to, double thickness, const double (&rows)[3], const double (&knobs)[3], gfx::Size ring,
    gfx::Size hole, double rightLeftEnd, double rightRightStart, double middleLeftEnd, double middleRightStart)
{
    SliderTrack tracks[3];
    for (int i = 0; i < 3; ++i) {
        bool middle = i == 1;
        gfx::Point knob { knobs[i], rows[i] };
        tracks[i] = { rows[i] - thickness / 2, rows[i] + thickness / 2, from, middle ? middleLeftEnd : rightLeftEnd,
            { knob.x - ring.width / 2, knob.y - ring.height / 2, ring.width, ring.height },
            { knob.x - hole.width / 2, knob.y - hole.height / 2, hole.width, hole.height }, middle ? middleRightStart : rightRightStart, to };
    }
    return sliders(tracks);
}

gfx::Path swapWindows()
{
    // The back window's frame, one contour round its outer and inner edges, left open at the
    // lower right where the front window covers it.
    gfx::Path back = throughPoints({ 8.01, 5.07 },
        { { 'L', { 2.2, 5.07 } }, { 'C', { 1.35, 5.42 } }, { 'C', { 1.00, 6.27 } }, { 'L', { 1.00, 14.44 } }, { 'C', { 1.35, 15.29 } },
            { 'C', { 2.2, 15.64 } }, { 'L', { 13.49, 15.64 } }, { 'C', { 14.34, 15.29 } }, { 'C', { 14.69, 14.44 } }, { 'L', { 14.69, 9.69 } },
            { 'L', { 13.50, 9.69 } }, { 'L', { 13.50, 14.0 } }, { 'C', { 13.35, 14.32 } }, { 'C', { 13.05, 14.47 } }, { 'L', { 2.64, 14.47 } },
            { 'C', { 2.32, 14.32 } }, { 'C', { 2.19, 14.02 } }, { 'L', { 2.19, 6.69 } }, { 'C', { 2.32, 6.38 } }, { 'C', { 2.64, 6.24 } },
            { 'L', { 8.01, 6.24 } }, { 'L', { 8.01, 5.07 } } });
    gfx::Path path = back;
    path.appendPath(roundedBox({ 7.46, 2.00, 10.54, 8.21 }, 1.2, true));
    // Arrows made as a right arrow turned a quarter: down-right in the back window, up-left
    // out of the front one.
    const std::vector<gfx::Point> downRight { { 0.0, 0.85 }, { 0.15, 1.0 }, { 0.62, 0.53 }, { 0.62, 0.8 }, { 0.8, 0.8 }, { 1.0, 0.75 },
        { 1.0, 0.0 }, { 0.25, 0.0 }, { 0.2, 0.18 }, { 0.2, 0.38 }, { 0.47, 0.38 } };
    std::vector<gfx::Point> upLeft;
    for (gfx::Point p : downRight)
        upLeft.push_back({ 1 - p.x, 1 - p.y });
    path.appendPath(pathFromOutlines({ { downRight, 16, { 0, 3, 6, 9, 12, 14 }, { 3.21, 10.05, 3.42, 3.36 } },
        { upLeft, 16, { 0, 3, 6, 9, 12, 14 }, { 9.34, 5.32, 3.41, 3.36 }, false } }));
    return path;
}

}
