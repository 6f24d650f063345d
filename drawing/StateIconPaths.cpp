#include "drawing/StateIconPaths.h"

#include "drawing/ContourOutlines.h"
#include "drawing/PathPieces.h"

#include <array>
#include <cmath>
#include <numbers>

namespace ostrel::stateIconPaths {

namespace {

double degreesOf(gfx::Point p, gfx::Point center) { return std::atan2(p.y - center.y, p.x - center.x) * 180 / std::numbers::pi; }

double distance(gfx::Point a, gfx::Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// A ring broken at the upper right: the inner edge runs clockwise the long way round from
// `start` to `innerEnd`, a cut leads out to `outerStart`, the outer edge runs back
// counter-clockwise to `outerEnd`, and a second cut closes it at `start`.
gfx::Path brokenRing(gfx::Point center, gfx::Point start, gfx::Point innerEnd, gfx::Point outerStart, gfx::Point outerEnd, int piecesPerEdge)
{
    double inner = distance(start, center), outer = distance(outerStart, center);
    double from = degreesOf(start, center), to = degreesOf(innerEnd, center);
    double outerFrom = degreesOf(outerStart, center), outerTo = degreesOf(outerEnd, center);
    gfx::Path ring;
    ring.moveTo(start);
    appendArcPieces(ring, center, inner, from, to - 360, piecesPerEdge);
    ring.lineTo(outerStart);
    appendArcPieces(ring, center, outer, outerFrom, outerTo + 360, piecesPerEdge);
    ring.closePath();
    return ring;
}

gfx::Path fromPoints(std::span<const ContourPoint> points) { return smoothContour(points); }

}

gfx::Path targetOuterRing()
{
    return brokenRing({ 11.135, 9.83 }, { 17.24, 14.73 }, { 15.03, 16.62 }, { 16.35, 18.17 }, { 18.55, 16.28 }, 5);
}

gfx::Path targetInnerRing()
{
    return brokenRing({ 11.15, 9.8 }, { 14.78, 11.81 }, { 12.58, 13.69 }, { 13.94, 15.28 }, { 16.14, 13.40 }, 4);
}

gfx::Path targetDart()
{
    const std::array<ContourPoint, 13> points { { { { 19.55, 19.74 } }, { { 19.31, 19.88 }, true }, { { 19.43, 22.00 }, true },
        { { 17.27, 19.51 }, true }, { { 17.62, 18.74 }, true }, { { 10.52, 10.40 } }, { { 10.37, 9.59 } }, { { 11.00, 9.05 } },
        { { 11.78, 9.33 }, true }, { { 18.94, 17.75 }, true }, { { 19.67, 17.63 }, true }, { { 21.66, 19.90 }, true }, { { 19.60, 19.69 } } } };
    return fromPoints(points);
}

gfx::Path pauseBar(bool right)
{
    gfx::Path bar;
    bar.moveTo({ 7.90, 19.00 });
    bar.lineTo({ 4.90, 19.00 });
    bar.curveTo({ 4.00, 17.94 }, { 4.40, 19.00 }, { 4.00, 18.52 });
    bar.lineTo({ 4.00, 3.06 });
    bar.curveTo({ 4.90, 2.00 }, { 4.00, 2.48 }, { 4.40, 2.00 });
    bar.lineTo({ 7.90, 2.00 });
    bar.curveTo({ 8.80, 3.06 }, { 8.40, 2.00 }, { 8.80, 2.48 });
    bar.lineTo({ 8.80, 17.94 });
    bar.curveTo({ 7.90, 19.00 }, { 8.80, 18.52 }, { 8.40, 19.00 });
    bar.closePath();
    if (right)
        bar.transform(gfx::AffineTransform::translation(9, 0));
    return bar;
}

gfx::Path clockSector(double endAngle)
{
    gfx::Path sector;
    sector.appendArc({ 12, 12 }, 7.5, 90, 90 - endAngle, true);
    if (sector.isEmpty())
        sector.moveTo({ 12, 19.5 });
    sector.lineTo({ 12, 12 });
    sector.closePath();
    return sector;
}

gfx::Path clockRing()
{
    constexpr double k = 0.5522847498;
    auto circle = [&](gfx::Path& path, double r, bool counterClockwise) {
        // Four quarter curves from the top (counter-clockwise) or the bottom (clockwise).
        double s = counterClockwise ? 1 : -1;
        gfx::Point p0 { 12, 12 + s * r }, p1 { 12 - r, 12 }, p2 { 12, 12 - s * r }, p3 { 12 + r, 12 };
        path.moveTo(p0);
        path.curveTo(p1, { p0.x - k * r, p0.y }, { p1.x, p1.y + s * k * r });
        path.curveTo(p2, { p1.x, p1.y - s * k * r }, { p2.x - k * r, p2.y });
        path.curveTo(p3, { p2.x + k * r, p2.y }, { p3.x, p3.y - s * k * r });
        path.curveTo(p0, { p3.x, p3.y + s * k * r }, { p0.x + k * r, p0.y });
        path.closePath();
    };
    gfx::Path ring;
    circle(ring, 11, true);
    circle(ring, 8.8, false);
    return ring;
}

gfx::Path star()
{
    gfx::Path path;
    const std::array<gfx::Point, 10> points { { { 11.00, 20.82 }, { 13.59, 14.73 }, { 20.18, 14.15 }, { 15.18, 9.81 }, { 16.67, 3.36 },
        { 11.00, 6.77 }, { 5.33, 3.36 }, { 6.82, 9.81 }, { 1.82, 14.15 }, { 8.41, 14.73 } } };
    path.moveTo(points[0]);
    for (size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    path.closePath();
    return path;
}

gfx::Path gear() { return gearWheel({ 11, 11 }, { 0.72, 8, 1.1, 7.6, 1.6, 6.2 }, 2.74, true); }

namespace {

// The head's silhouette, counter-clockwise from the front of the neck's foot; true where a
// straight edge leaves the point.
const std::array<ContourPoint, 29> kHead { { { { 7.2, 1.0 }, true }, { { 13.8, 1.0 }, true }, { { 14.3, 4.6 } }, { { 16.6, 6.6 } },
    { { 18.4, 9.0 } }, { { 19.11, 12.0 } }, { { 18.8, 15.0 } }, { { 17.3, 17.6 } }, { { 15.0, 19.3 } }, { { 12.0, 19.92 } },
    { { 9.0, 19.5 } }, { { 6.6, 18.2 } }, { { 5.0, 16.3 } }, { { 4.4, 14.3 } }, { { 4.3, 13.2 }, true }, { { 3.6, 11.8 }, true },
    { { 3.0, 10.3 } }, { { 3.3, 9.7 } }, { { 4.3, 9.5 }, true }, { { 4.2, 8.4 } }, { { 4.6, 7.9 } }, { { 4.2, 7.3 } }, { { 4.5, 6.6 } },
    { { 4.4, 5.6 } }, { { 5.2, 4.6 } }, { { 6.4, 4.3 } }, { { 7.3, 3.9 } }, { { 7.5, 2.8 } }, { { 7.3, 1.8 }, true } } };

}

gfx::Path profileHead()
{
    constexpr double band = 1.2;
    gfx::Path head = smoothContour(kHead);
    // The inside edge: every point moved the band's width inwards (to the left of the way
    // round), with five more points where the outline bends most, run the other way.
    std::vector<ContourPoint> inner;
    size_t n = kHead.size();
    for (size_t i = 0; i < n; ++i) {
        gfx::Point before = kHead[(i + n - 1) % n].point, after = kHead[(i + 1) % n].point;
        double dx = after.x - before.x, dy = after.y - before.y, length = std::hypot(dx, dy);
        gfx::Point p = kHead[i].point;
        inner.push_back({ { p.x - dy / length * band, p.y + dx / length * band }, kHead[i].straight });
        if (i == 3 || i == 6 || i == 9 || i == 11 || i == 24) {
            gfx::Point q = kHead[i + 1].point;
            gfx::Point mid { (p.x + q.x) / 2, (p.y + q.y) / 2 };
            double ex = q.x - p.x, ey = q.y - p.y, el = std::hypot(ex, ey);
            inner.push_back({ { mid.x - ey / el * band, mid.y + ex / el * band } });
        }
    }
    head.appendPath(reversed(smoothContour(inner)));
    return fittedTo(head, { 3.00, 1.00, 16.11, 18.92 });
}

gfx::Path profileBrain()
{
    // Each fold is a thin stroke round a wavy spine; `capped` folds end square.
    struct Fold {
        gfx::Point from, to;
        double bulge, waves;
        int segments;
        bool capped;
    };
    const std::array<Fold, 6> folds { { { { 7.2, 11.5 }, { 16.6, 12.0 }, 5.2, 3, 23, true }, { { 8.6, 12.8 }, { 10.6, 16.4 }, 0.6, 2, 17, true },
        { { 8.4, 10.2 }, { 15.8, 13.0 }, 1.6, 7, 56, false }, { { 12.2, 14.2 }, { 13.6, 17.2 }, 0.5, 2, 15, true },
        { { 14.4, 14.8 }, { 15.8, 12.8 }, 0.5, 1, 10, true }, { { 10.2, 9.5 }, { 12.4, 11.2 }, 0.4, 1, 9, false } } };
    constexpr double halfWidth = 0.32;
    gfx::Path brain;
    for (const Fold& fold : folds) {
        double dx = fold.to.x - fold.from.x, dy = fold.to.y - fold.from.y, length = std::hypot(dx, dy);
        gfx::Point normal { -dy / length, dx / length };
        auto spine = [&](double t, double side) {
            double arch = fold.bulge * std::sin(t * std::numbers::pi);
            double wave = 0.45 * std::sin(t * fold.waves * 2 * std::numbers::pi);
            double offset = arch + wave + side * halfWidth;
            return gfx::Point { fold.from.x + dx * t + normal.x * offset, fold.from.y + dy * t + normal.y * offset };
        };
        int forward = (fold.segments + 1) / 2, back = fold.segments - forward;
        std::vector<ContourPoint> points;
        for (int i = 0; i < forward; ++i)
            points.push_back({ spine(double(i) / (forward - 1), -1), fold.capped && i == forward - 1 });
        for (int i = 0; i < back; ++i)
            points.push_back({ spine(1 - double(i) / (back - 1), 1), fold.capped && i == back - 1 });
        gfx::Path contour = smoothContour(points);
        // All folds run the same way round, so none cuts a hole in another.
        if (!contourShapes(contour).front().counterClockwise)
            contour = reversed(contour);
        brain.appendPath(contour);
    }
    return fittedTo(brain, { 6.83, 9.34, 16.96 - 6.83, 17.79 - 9.34 });
}

gfx::Path personInCircle()
{
    constexpr gfx::Point center { 11.25, 10.25 };
    gfx::Path person;
    person.moveTo({ center.x + 9.75, center.y });
    appendArcPieces(person, center, 9.75, 0, 360, 20);
    person.closePath();
    person.moveTo({ center.x + 8.06, center.y });
    appendArcPieces(person, center, 8.06, 0, -360, 20);
    person.closePath();

    // The bust: shoulders rounding down into the ring, its foot a flat cut.
    const std::array<gfx::Point, 10> bust { { { 11.2, 1.4 }, { 15.0, 2.3 }, { 17.2, 4.0 }, { 17.4, 5.6 }, { 15.8, 6.8 }, { 11.2, 7.0 },
        { 6.6, 6.8 }, { 5.0, 5.6 }, { 5.1, 4.0 }, { 7.4, 2.3 } } };
    const std::array<int, 2> flat { 0, 15 };
    person.appendPath(fittedTo(resampledContour(bust, 16, flat), { 4.87, 1.37, 17.61 - 4.87, 7.0 - 1.37 }));

    const std::array<gfx::Point, 6> head { { { 11.25, 8.57 }, { 13.9, 9.6 }, { 14.4, 12.6 }, { 11.25, 15.71 }, { 8.1, 12.6 }, { 8.6, 9.6 } } };
    person.appendPath(fittedTo(resampledContour(head, 12), { 7.97, 8.57, 14.52 - 7.97, 15.71 - 8.57 }));
    return person;
}

std::vector<gfx::Rect> treeCrownOvals()
{
    std::vector<gfx::Rect> ovals;
    for (gfx::Point p : { gfx::Point { 6, 15 }, { 11, 14 }, { 2, 13 }, { 1, 10 }, { 2, 7 }, { 14, 12 }, { 14, 9 }, { 12, 6 }, { 7, 6 } })
        ovals.push_back({ p.x, p.y, 6, 4 });
    return ovals;
}

gfx::Path workingFigure()
{
    // The main mass: a rounded block on the left, a band slanting down from the top edge into
    // a broad part at the right edge, and a lower band under the middle.
    const std::array<gfx::Point, 26> mass { { { 1.0, 11.5 }, { 2.5, 8.0 }, { 6.0, 7.0 }, { 7.2, 6.2 }, { 7.0, 4.2 }, { 10.0, 3.63 },
        { 15.2, 3.9 }, { 16.0, 5.6 }, { 15.0, 7.0 }, { 13.5, 7.6 }, { 15.5, 8.8 }, { 19.5, 9.0 }, { 21.5, 10.6 }, { 21.3, 13.0 },
        { 19.8, 14.0 }, { 17.0, 14.2 }, { 15.5, 16.0 }, { 14.0, 19.0 }, { 10.0, 19.0 }, { 11.5, 16.5 }, { 12.8, 13.8 }, { 11.5, 15.6 },
        { 9.0, 16.0 }, { 5.0, 16.0 }, { 2.0, 15.0 }, { 0.5, 13.5 } } };
    const std::array<int, 6> straightMass { 16, 17, 18, 19, 35, 36 };
    gfx::Path figure = fittedTo(resampledContour(mass, 74, straightMass), { 0.5, 3.63, 21, 19 - 3.63 });

    const std::array<gfx::Point, 6> piece { { { 3.93, 4.4 }, { 5.5, 3.0 }, { 8.0, 3.1 }, { 9.07, 4.3 }, { 8.0, 5.69 }, { 5.2, 5.6 } } };
    const std::array<int, 2> straightPiece { 2, 8 };
    figure.appendPath(fittedTo(resampledContour(piece, 11, straightPiece), { 3.93, 3.0, 9.07 - 3.93, 5.69 - 3.0 }));

    const std::array<gfx::Point, 4> hole { { { 18.52, 10.5 }, { 19.17, 11.2 }, { 18.52, 11.9 }, { 17.87, 11.2 } } };
    figure.appendPath(reversed(fittedTo(resampledContour(hole, 8), { 17.87, 10.5, 19.17 - 17.87, 11.9 - 10.5 })));
    return figure;
}

}
