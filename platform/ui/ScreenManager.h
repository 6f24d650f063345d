#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/Screen.h"

#include <optional>

namespace ui {

// Which display holds a point, and whether there is only one: what the main window asks
// when it places itself.
class ScreenManager {
public:
    static bool isSingleScreen();
    // The first display, in the window system's order, whose frame holds the point (in
    // screen coordinates); none when no display does.
    static std::optional<Screen> screenForMouseLocation(Point location);
};

}
