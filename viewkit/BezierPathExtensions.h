#pragma once

#include "platform/gfx/Path.h"

#include <cstddef>
#include <vector>

namespace ostrel {

// Geometry on a path's own elements: mirroring it, listing and moving its control points,
// and hit-testing a point against its stroke.

// A new path with every point mirrored about the horizontal line at p.y (V) or the vertical
// line at p.x (H); curves keep the order of their control points.
gfx::Path pathFromVFlipAtPoint(const gfx::Path& path, gfx::Point p);
gfx::Path pathFromHFlipAtPoint(const gfx::Path& path, gfx::Point p);
// One point for each move and line, three for each curve (control 1, control 2, end), up to
// the first close.
std::vector<gfx::Point> controlPoints(const gfx::Path& path);
std::size_t numControlPoints(const gfx::Path& path);
// A copy with the index-th control point (counted as above) moved to `point`, ending with a
// close at the path's first close (later elements are dropped).
gfx::Path pathFromMovingControlPoint(const gfx::Path& path, std::size_t index, gfx::Point point);
// Whether a point lies on the stroke, within half the line width and 2 points more.
bool pointInStroke(const gfx::Path& path, gfx::Point point);
// Fills the path under a soft black shadow cast `distance` points away at `degrees`.
void fillWithShadowAtDegrees(const gfx::Path& path, double degrees, double distance);

}
