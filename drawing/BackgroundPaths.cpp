#include "drawing/BackgroundPaths.h"

#include <cmath>

namespace ostrel::backgroundPaths {

namespace {
// Rounded outlines need room for their corners; a rectangle too small for them keeps its
// square corners rather than arcs around centres outside it.
bool roomFor(const gfx::Rect& rect, double radius) { return rect.width() >= 2 * radius && rect.height() >= 2 * radius; }
}

double wholeWidth(const gfx::Rect& frame) { return std::floor(frame.width() + 0.5); }

gfx::Path topRoundedBar(const gfx::Rect& bar)
{
    if (!roomFor(bar, 1))
        return gfx::Path::rect(bar);
    gfx::Rect inner = bar.insetBy(1, 1);
    gfx::Path path;
    path.moveTo({ bar.minX(), bar.minY() });
    path.lineTo({ bar.maxX(), bar.minY() });
    path.appendArc({ inner.maxX(), inner.maxY() }, 1, 0, 90);
    path.appendArc({ inner.minX(), inner.maxY() }, 1, 90, 180);
    path.closePath();
    return path;
}

gfx::Path alternativeOption(const gfx::Rect& frame)
{
    gfx::Rect outer = frame.insetBy(1, 1);
    if (!roomFor(outer, 3))
        return gfx::Path::rect(outer);
    gfx::Rect inner = outer.insetBy(3, 3);
    gfx::Path path;
    path.appendArc({ inner.minX(), inner.minY() }, 3, 180, 270);
    path.appendArc({ inner.maxX(), inner.minY() }, 3, 270, 360);
    path.appendArc({ inner.maxX(), inner.maxY() }, 3, 0, 90);
    path.lineTo({ outer.minX(), outer.maxY() });
    path.closePath();
    return path;
}

gfx::Path commandBottomBar(const gfx::Rect& frame)
{
    gfx::Rect bar { frame.minX(), frame.minY(), wholeWidth(frame), 32 };
    if (!roomFor(bar, 9))
        return gfx::Path::rect(bar);
    gfx::Rect inner = bar.insetBy(9, 9);
    gfx::Path path;
    path.appendArc({ inner.minX(), inner.minY() }, 9, 180, 270);
    path.appendArc({ inner.maxX(), inner.minY() }, 9, 270, 360);
    path.lineTo({ bar.maxX(), bar.maxY() });
    path.lineTo({ bar.minX(), bar.maxY() });
    path.closePath();
    return path;
}

}
