#pragma once

#include "platform/gfx/Path.h"

// The pop-up folder shape and the emblems it carries, 180 x 180.
namespace ostrel::folderIconPaths {

// The folder band: outer outline counter-clockwise, inner clockwise; with the divider strip
// across it as a third contour when asked.
gfx::Path folder(bool divider = false);

gfx::Path optionsEmblem();
gfx::Path hammer();
gfx::Path navigationEmblem();
gfx::Path navigationEmblem2Brackets();
gfx::Path navigationEmblem2Pointer();
gfx::Path toolsEmblem2();
gfx::Path toolsEmblem3();

// A circled question mark: the ring, the hook and the dot in one path.
struct QuestionMark {
    gfx::Rect ring, hole, hook, dot;
    int hookSegments;
};
gfx::Path questionMark(const QuestionMark&);
gfx::Path helpEmblem();
gfx::Path helpEmblem2();
gfx::Path helpItem();
gfx::Path archiveBox();
// A loudspeaker facing right on `bounds`, its cone's front rounded by `frontCurves` at each
// end: 20 segments with 4, 18 with 3.
gfx::Path loudspeaker(const gfx::Rect& bounds, int frontCurves);
gfx::Path soundEmblem();
gfx::Path soundEmblem2();
gfx::Path statsEmblem();
// A window with a sidebar: frame ring, divider and three text lines.
gfx::Path sideBarWindow(const gfx::Rect& outer, const gfx::Rect& inner, const gfx::Rect& divider, double linesFrom, double linesTo,
    const double (&lines)[3][2], double outerRadius, double innerRadius);
gfx::Path sideBarEmblem();
gfx::Path sideBarItem();
gfx::Path globe();

}
