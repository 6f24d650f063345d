#pragma once

#include "platform/ui/Geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace ui {

// One display. Screen coordinates count from the bottom left of the first display, y up;
// the visible frame leaves out panels and docks.
struct Screen {
    Rect frame;
    Rect visibleFrame;
    std::string name;

    bool operator==(const Screen&) const = default;

    // The displays of the running window system, in its order; empty without one.
    static std::vector<Screen> screens();
    // The display of the key window, else the first one.
    static std::optional<Screen> main();
};

}
