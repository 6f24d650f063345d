#pragma once

#include "platform/ui/Forward.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Screen.h"

#include <cairo.h>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// What a window shows of itself to the display: kept in one record so a backend can apply
// a change in one go.
struct PlatformWindowState {
    Rect frame;
    int level { 0 };
    bool visible { false };
    bool borderless { false };
    bool resizable { false };
    double alpha { 1 };
    bool allDesktops { false };
    bool skipTaskbar { false };
    bool ignoresMouseEvents { false };
    std::string title;
    Size minSize;
};

// The display side of one window.
class PlatformWindow {
public:
    virtual ~PlatformWindow() = default;
    virtual void apply(const PlatformWindowState& state) = 0;
    // Shows a finished frame of the window's content.
    virtual void present(cairo_surface_t* surface) = 0;
    // Asks the display to give this window the keyboard.
    virtual void focus() { }
};

// A window system: offscreen for tests and headless runs, SDL on a real X11 display.
class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    virtual std::string name() const = 0;
    virtual std::vector<Screen> screens() const = 0;
    virtual std::unique_ptr<PlatformWindow> createWindow(Window& window) = 0;
    // Called once the application exists, to join the run loop.
    virtual void attach(Application& application) { (void)application; }
    virtual void detach() { }
    // The pointer's location in screen coordinates, where the backend knows it.
    virtual Point mouseLocation() const { return {}; }

    // The backend named by `name` ("offscreen" or "sdl"); an empty name takes
    // OSTREL_BACKEND, else SDL when a display is set, else offscreen. An SDL backend that
    // cannot open the display falls back to offscreen with a logged line.
    static std::unique_ptr<WindowBackend> make(const std::string& name = {});
};

}
