#pragma once

#include "platform/gfx/Path.h"

#include <array>

// The command pop-up's glyph outlines, 180 x 180 unless said otherwise.
namespace ostrel::popUpGlyphPaths {

gfx::Path chevronRight();

// A right arrow of one outline: a shaft with a round left end and two arms with round ends
// that meet in a round tip; 12 straight edges and 12 + `tipCurves` curves.
struct ArrowShape {
    double shaftLeft, shaftBottom, shaftTop;
    gfx::Point tip;
    gfx::Point upperEnd, lowerEnd;
    double armHalfWidth;
    int tipCurves;
};
gfx::Path rightArrow(const ArrowShape&, const gfx::Rect& bounds);
gfx::Path nextActionArrow();
gfx::Path nextAction4Arrow();
gfx::Path nextAction5Arrow();
// The up arrow, 180 x 180, and the down arrow, 20 x 18.
gfx::Path upArrow();
gfx::Path downArrow();

gfx::Path optionSliders();
// The four corner brackets of the navigation glyph in one path, or placed on other boxes.
gfx::Path navigationBrackets();
gfx::Path navigationBrackets(const std::array<gfx::Rect, 4>& boxes);
gfx::Path navigationPointer();

}
