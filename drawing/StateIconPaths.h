#pragma once

#include "platform/gfx/Path.h"

#include <vector>

// The outlines of the state icons in their 22 x 22 design coordinates. Each is filled once,
// so its contours never darken each other; holes are contours running the other way round.
namespace ostrel::stateIconPaths {

gfx::Path targetOuterRing();
gfx::Path targetInnerRing();
gfx::Path targetDart();
// The left pause bar, or the right one 9 further on.
gfx::Path pauseBar(bool right);
// Built around (12, 12): the clock face is drawn moved by (-1, -1).
gfx::Path clockSector(double endAngle);
gfx::Path clockRing();
gfx::Path star();
gfx::Path gear();
gfx::Path profileHead();
gfx::Path profileBrain();
gfx::Path personInCircle();
// The tree's crown ovals, each filled on its own, then its centre oval and trunk.
std::vector<gfx::Rect> treeCrownOvals();
constexpr gfx::Rect kTreeCentre { 4, 9, 13, 7 };
constexpr gfx::Rect kTreeTrunk { 9, 2, 3, 5 };
gfx::Path workingFigure();

}
