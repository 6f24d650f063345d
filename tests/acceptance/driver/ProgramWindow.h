#pragma once

#include "tests/acceptance/driver/Screenshot.h"

#include <optional>
#include <string>
#include <vector>

namespace ostrel::acceptance {

using WindowId = unsigned long;

// One window of a program as the display and its window manager know it at one moment.
struct ProgramWindow {
    WindowId id { 0 };
    std::string name;
    // Its content, in screen pixels.
    Box box;
    // With the window manager's title bar and borders around it; the box itself without.
    Box frame;
    // Framed by the window manager; a window that places itself (a tool tip) is not.
    bool managed { false };
    bool minimized { false };
    bool alwaysOnTop { false };
    bool modal { false };
    bool maximized { false };
    bool fullScreen { false };
    // It keeps a strip of the screen's edge for itself (a strut), as a panel does: the work
    // area leaves that strip out.
    bool reservesSpace { false };
    std::optional<WindowId> transientFor;
    // Its kinds as _NET_WM_WINDOW_TYPE lists them, without the prefix: "NORMAL", "DOCK",
    // "NOTIFICATION", "DIALOG"; empty when it tells none.
    std::vector<std::string> kinds;
    // Its place among the same program's windows, from 0 at the back: higher is nearer the front.
    int stackingOrder { 0 };

    bool decorated() const { return frame.y < box.y; }
    bool operator==(const ProgramWindow&) const = default;
};

}
