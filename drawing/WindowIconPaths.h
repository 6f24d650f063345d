#pragma once

#include "platform/gfx/Path.h"

#include <vector>

// The outlines of the main window's fixed icons, in their design coordinates.
namespace ostrel::windowIconPaths {

// The filter funnel, 10 x 12.
gfx::Path filterFunnel();
// The hide icon's eye ring, 18 x 18, cut in two along the strike bar: two contours, even-odd.
gfx::Path hideEye();
// The word-mark's eight shapes in the order they are filled, 187 x 21.
std::vector<gfx::Path> logoShapes();

}
