#pragma once

#include "platform/ui/Forward.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Screen.h"

#include <cairo.h>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gfx {
class Bitmap;
}

namespace ui {

// What a window is to the desktop, so that any window manager floats, stacks, decorates and
// focuses it as meant (a tiling one tiles only the normal ones).
enum class WindowKind {
    Normal,
    // An alert or panel above the window it belongs to.
    Dialog,
    // A note that shows for a moment and asks for nothing.
    Notification,
    // A menu being tracked.
    Menu,
    // A small window of its own that takes the keyboard for a moment: the command pop-up,
    // a popover.
    PopUp,
    // A screen cover.
    Cover,
    // The status item's own strip, where no tray shows it.
    Dock,
};

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
    // False for windows that must never get the keyboard: covers, tool tips.
    bool takesFocus { true };
    // A tool tip: no desktop decoration, management or focus of any kind.
    bool toolTip { false };
    bool zoomed { false };
    WindowKind kind { WindowKind::Normal };
    // Pixels per point of the pictures presented; frames stay in points.
    double scale { 1 };
    std::string title;
    Size minSize;
    // A new number asks for the frame's place again where it has not changed: a window
    // manager puts its own frame at the place first asked for, the content lower.
    int placement { 0 };
    // The window a modal one blocks: the display keeps it above that one, and brings it
    // forward with it. Not owned; none for other windows.
    const Window* modalFor { nullptr };
    // The space from the top of the screen down to the window's bottom edge, across its
    // width, is kept clear of other windows (a strip at the top edge of the screen).
    bool reservesSpace { false };
};

// The display side of one window.
class PlatformWindow {
public:
    virtual ~PlatformWindow() = default;
    virtual void apply(const PlatformWindowState& state) = 0;
    // Shows a finished frame of the window's content.
    virtual void present(cairo_surface_t* surface) = 0;
    // The same, where only a part changed since the last frame (in pixels from the top left;
    // empty when nothing did): a display that can hand over just that part does.
    virtual void presentPart(cairo_surface_t* surface, Rect changedPixels)
    {
        (void)changedPixels;
        present(surface);
    }
    // Asks the display to give this window the keyboard, as of the display's time stamp of
    // the input that asked for it (0: now).
    virtual void focus(std::uint32_t inputTime) { (void)inputTime; }
    // Brings the shown window above the others: what ordering it front again asks for.
    virtual void raise() { }
    // What the desktop draws around the content (its title bar on top), in points, once its
    // window manager has said; none before, or where there is none.
    virtual std::optional<EdgeInsets> frameExtents() const { return std::nullopt; }
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

    // The modifier keys held now (ModifierFlag bits), where the backend can ask the display:
    // a click told by a tray host comes without them.
    virtual std::uint32_t modifierFlagsNow() const { return 0; }

    // The desktop's warning sound.
    virtual void beep() { }

    // The display's clock now, as its input's time stamps count; 0 where it has none.
    virtual std::uint32_t displayTime() const { return 0; }

    // Text input: the window whose text has the keyboard and its caret (window base
    // coordinates), where an input method composes; none turns input methods off.
    virtual void setTextInput(Window* window, std::optional<Rect> caret) { (void)window, (void)caret; }
    // Makes the input method drop what it is composing.
    virtual void discardComposition() { }

    // Whether the display shows translucent windows by itself (a compositing manager runs).
    virtual bool compositesTranslucency() const { return true; }
    // The decoration (points) the window manager says a titled window of ours would get,
    // asked before any has shown; none where no window manager answers.
    virtual std::optional<EdgeInsets> expectedDecoration() const { return std::nullopt; }
    // The screen's pixels in a rectangle (screen coordinates) at `scale` pixels per point,
    // as they are now; none where they cannot be read.
    virtual std::shared_ptr<gfx::Bitmap> screenSnapshot(Rect rect, double scale) const
    {
        (void)rect, (void)scale;
        return nullptr;
    }

    // The backend named by `name` ("offscreen" or "sdl"); an empty name takes
    // OSTREL_BACKEND, else SDL when a display is set, else offscreen. An SDL backend that
    // cannot open the display falls back to offscreen with a logged line.
    static std::unique_ptr<WindowBackend> make(const std::string& name = {});
};

}
