#pragma once

#include "platform/ui/Geometry.h"

namespace gfx {
class GraphicsContext;
}

namespace ui {

class View;

// The ring that shows which control has the keyboard.
namespace FocusRing {

// The view the ring goes around while `focused` has the keyboard: a scroll view's document
// shows it around the scroll view, anything else around itself; none for a view that asked
// for no ring.
View* around(View& focused);
// Strokes the ring just outside a frame, in the coordinates the frame is given in.
void draw(gfx::GraphicsContext& context, const Rect& frame);

}

}
