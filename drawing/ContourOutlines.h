#pragma once

#include "platform/gfx/Path.h"

#include <initializer_list>
#include <vector>

// Outlines described by what the art fixes about them: a rough figure of key points, the
// number of segments and which of them are straight, the bounding box and the way round.
// The key points are smoothed, spread to the segment count and placed on the box exactly.
namespace ostrel {

struct ContourOutline {
    std::vector<gfx::Point> keys;
    int segments { 0 };
    std::vector<int> straight;
    gfx::Rect bounds;
    bool counterClockwise { true };
};

gfx::Path contourFromOutline(const ContourOutline&);
// One path of all the contours, in order.
gfx::Path pathFromOutlines(std::initializer_list<ContourOutline>);

// Key figures, in the unit square, for the outlines above.
namespace keys {
// A stroke of `halfWidth` from `from` to `to` with round ends.
std::vector<gfx::Point> capsule(gfx::Point from, gfx::Point to, double halfWidth);
// An ellipse filling the unit square.
std::vector<gfx::Point> oval(int count = 8);
// A band of `halfWidth` along the polyline `spine`, out on one side and back on the other.
std::vector<gfx::Point> band(const std::vector<gfx::Point>& spine, double halfWidth);
}

// A circle or ellipse in `bounds` of exactly `curves` cubic curves.
gfx::Path ovalContour(const gfx::Rect& bounds, int curves, bool counterClockwise);
// A rectangle with each corner rounded by two curves: 4 lines and 8 curves.
gfx::Path roundedBox(const gfx::Rect& bounds, double radius, bool counterClockwise);
// A bar with half-round ends: 2 lines and 8 curves.
gfx::Path capsuleBar(const gfx::Rect& bounds, bool counterClockwise = true);
// A slider bar with one half-round end (at the left or the right) and one square end:
// 3 lines and 4 curves.
gfx::Path sliderBar(const gfx::Rect& bounds, bool roundLeft);
// A gear wheel of eight teeth, one every 45 degrees from the bottom, with a round hole: the
// wheel 48 segments (24 straight), the hole 4 curves running the other way. A tooth is
// measured across (u) and out (v) from the centre: its flat tip, its flank's top and base.
struct GearTooth {
    double tipU, tipV, topU, topV, baseU, baseV;
};
gfx::Path gearWheel(gfx::Point center, const GearTooth&, double holeRadius, bool wheelCounterClockwise);
// A closed outline through on-curve points, each segment straight or a curve as marked.
gfx::Path throughPoints(gfx::Point start, std::initializer_list<std::pair<char, gfx::Point>> segments);

}
