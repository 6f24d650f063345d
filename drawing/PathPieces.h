#pragma once

#include "platform/gfx/Path.h"

#include <span>
#include <vector>

namespace ostrel {

// Appends the arc of the ellipse around `center` with radii `rx` and `ry` from angle `from`
// to angle `to` (degrees counter-clockwise from +x; a smaller `to` runs clockwise) as cubic
// curves of at most `largestPiece` degrees each, continuing from the path's current point.
void appendEllipseArc(gfx::Path&, gfx::Point center, double rx, double ry, double from, double to, double largestPiece = 45);

// A closed rounded rectangle of four straight edges and four quarter-circle corners, running
// clockwise or counter-clockwise (y up) from the bottom edge.
gfx::Path roundedRectOutline(const gfx::Rect&, double radius, bool clockwise);

// Tools for the long outlines whose exact control points are design data: a closed contour
// that passes smoothly through given on-curve points (one segment per point, a cubic unless
// the point starts a straight edge), placed exactly on a stated bounding box.
struct ContourPoint {
    gfx::Point point;
    // The segment leaving this point is a straight line.
    bool straight { false };
};
gfx::Path smoothContour(std::span<const ContourPoint> points);
// Moves and scales `path` so that its drawn outline fills `bounds` exactly.
gfx::Path fittedTo(const gfx::Path&, const gfx::Rect& bounds);
// The same outline, every contour running the other way round.
gfx::Path reversed(const gfx::Path&);
// Each x replaced by 2 * axis - x.
gfx::Path mirroredAbout(const gfx::Path&, double axis);

// What a path is made of, contour by contour: for checking shapes without pixels.
struct ContourShape {
    int lines { 0 };
    int curves { 0 };
    bool counterClockwise { false };
    gfx::Rect bounds;
};
std::vector<ContourShape> contourShapes(const gfx::Path&);

// A closed contour of exactly `segments` segments through points spread evenly along the
// smooth outline of `keyPoints`; the segments whose indices are in `straight` are lines.
gfx::Path resampledContour(std::span<const gfx::Point> keyPoints, int segments, std::span<const int> straight = {});
// The arc of a circle from `from` to `to` degrees in exactly `pieces` cubic curves,
// continuing from the path's current point.
void appendArcPieces(gfx::Path&, gfx::Point center, double radius, double from, double to, int pieces);

}
