#pragma once

#include "platform/gfx/Path.h"

namespace ostrel {

// Appends the arc of the ellipse around `center` with radii `rx` and `ry` from angle `from`
// to angle `to` (degrees counter-clockwise from +x; a smaller `to` runs clockwise) as cubic
// curves of at most `largestPiece` degrees each, continuing from the path's current point.
void appendEllipseArc(gfx::Path&, gfx::Point center, double rx, double ry, double from, double to, double largestPiece = 45);

// A closed rounded rectangle of four straight edges and four quarter-circle corners, running
// clockwise or counter-clockwise (y up) from the bottom edge.
gfx::Path roundedRectOutline(const gfx::Rect&, double radius, bool clockwise);

}
