#pragma once

#include "platform/ui/Geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace ui {

// One display. Screen coordinates count from the bottom left of the first display, y up,
// in points; the visible frame leaves out panels and docks. A high-density display shows
// each point with more than one pixel: windows there draw at that many pixels per point.
struct Screen {
    Rect frame;
    Rect visibleFrame;
    std::string name;
    double backingScaleFactor { 1 };

    bool operator==(const Screen&) const = default;

    // The displays of the running window system, in its order; empty without one.
    static std::vector<Screen> screens();
    // The display of the key window, else the first one.
    static std::optional<Screen> main();
};

}
