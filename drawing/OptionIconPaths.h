#pragma once

#include "platform/gfx/Path.h"

// The option and command glyphs' outlines in their design coordinates, and the motifs the
// pop-up's folder icons repeat at other sizes.
namespace ostrel::optionIconPaths {

// The small gear, 16 x 16: the wheel clockwise, the hole the other way.
gfx::Path smallGear();
// The command button's pull-down chevron, open, for stroking.
gfx::Path commandChevron();

// A screwdriver crossed with a wrench, in one of its three drawings, placed on `bounds`.
enum class ToolsDrawing { glyph, smallEmblem, largeEmblem };
gfx::Path crossedTools(ToolsDrawing, const gfx::Rect& bounds);
gfx::Path brush();

// Three slider tracks, one path of twelve contours: per track a ring knob, its hole, a left
// and a right bar. Measures from the bottom track up.
struct SliderTrack {
    double barBottom, barTop;
    double leftFrom, leftTo;
    gfx::Rect ring, hole;
    double rightFrom, rightTo;
};
gfx::Path sliders(const SliderTrack (&tracks)[3]);
// The preferences glyph's three tracks: bars `from` to `to`, knobs on the right, left, right.
gfx::Path sliderGlyph(double from, double to, double thickness, const double (&rows)[3], const double (&knobs)[3], gfx::Size ring,
    gfx::Size hole, double rightLeftEnd, double rightRightStart, double middleLeftEnd, double middleRightStart);

gfx::Path swapWindows();

}
