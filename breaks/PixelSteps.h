#pragma once

namespace ui {
class View;
}

namespace ostrel {

// How far a drawn edge must move before anyone could see it move: one pixel of the display
// the view is on, in points (a point while it is on none). The rest screen's moving parts are
// drawn again, and their animations wake, only at such steps.
double pixelInPoints(const ui::View& view);
// The turn, in degrees, that moves a point `radius` points from the centre by that pixel.
double visibleTurn(const ui::View& view, double radius);

}
