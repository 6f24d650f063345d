#pragma once

#include "platform/gfx/Path.h"

// The outlines of the main kit's backgrounds and bars, apart from their fills.
namespace ostrel::backgroundPaths {

// `bar` with its two top corners rounded by 1 point and square bottom corners.
gfx::Path topRoundedBar(const gfx::Rect& bar);
// The frame inset by 1 with its bottom-left, bottom-right and top-right corners rounded by
// 3 and a square top-left corner.
gfx::Path alternativeOption(const gfx::Rect& frame);
// The command pop-up's bottom bar, 32 high and whole points wide, its bottom corners rounded
// by 9 like the window's.
gfx::Path commandBottomBar(const gfx::Rect& frame);
// A frame's width brought to whole points, halves going up.
double wholeWidth(const gfx::Rect& frame);

}
