#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace gfx {
class Bitmap;
}

namespace ui {

// What our windows ask of an X11 desktop beyond what SDL offers: the keyboard with or
// without a window manager (EWMH _NET_ACTIVE_WINDOW, else XSetInputFocus), windows that
// never take it, presence on every desktop, whether a compositing manager runs, the
// screen's pixels and the bell. Over SDL's own display connection, main thread only;
// requests that could fail on a window gone meanwhile never stop the program.
class X11Desktop {
public:
    using XWindow = unsigned long;

    // `display` is the Xlib display, not owned.
    explicit X11Desktop(void* display)
        : m_display(display)
    {
    }

    // Whether a window manager runs that says it supports the EWMH name given.
    bool windowManagerSupports(const char* atomName) const;
    // Gives a shown window the keyboard, as of `time` (0: now): through the window manager
    // where one takes _NET_ACTIVE_WINDOW requests, else directly.
    void activate(XWindow window, std::uint32_t time) const;

    // The server's time now, read through a property change on `window` (one of ours, or the
    // root window for 0): what a request for the keyboard made on the program's own account
    // (a timed rule, not a key or click) is stamped with. 0 where it cannot be read.
    std::uint32_t serverTime(XWindow window) const;

    // The window with the keyboard now (0 for none or the pointer's).
    XWindow focusedWindow() const;
    // Hands the keyboard back to `previous` if `shown` took it: SDL gives it to every window
    // it maps where no window manager runs.
    void giveFocusBack(XWindow shown, XWindow previous) const;
    // A window that never takes the keyboard: the window manager is told not to give it.
    void setTakesFocus(XWindow window, bool takes) const;
    void raise(XWindow window) const;
    // On every virtual desktop, sticky: set on the window before it shows, asked of the
    // window manager after.
    void setOnAllDesktops(XWindow window, bool all, bool mapped) const;
    // No longer maximized, asked of the window manager without waiting for it: SDL's own
    // restoring maps the window too and waits for ever where the window manager keeps it
    // minimized.
    void unmaximize(XWindow window, bool mapped) const;
    // Maximized as it maps: a window manager forgets the state of a window withdrawn, and
    // reads it again when the window is mapped.
    void maximizeOnMapping(XWindow window) const;
    // Whether the window manager keeps the shown window maximized; nothing for a window
    // withdrawn, whose state the window manager forgets.
    std::optional<bool> shownMaximized(XWindow window) const;
    // The window's top left on the screen in pixels, as the display has it now; nothing for
    // a window it does not know.
    std::optional<std::pair<int, int>> placeNow(XWindow window) const;

    // The borders (pixels: left, right, top, bottom) the window manager says it would frame
    // an ordinary window with, asked of it for one never shown; none where it does not
    // answer within a moment.
    std::optional<std::array<long, 4>> expectedFrameExtents() const;

    // What the window is to the window manager: `type` names the EWMH window type's atom
    // (_NET_WM_WINDOW_TYPE_DIALOG). Set before the window maps, when a window manager reads it.
    void setWindowType(XWindow window, const char* type) const;
    // Asks the window manager for the user's attention to the window (the urgency hint), or
    // takes the asking back.
    void setUrgent(XWindow window, bool urgent) const;

    // Transient for `owner` (0: for none) and, while `modal`, modal for it: the window manager
    // keeps it above its owner and brings it forward with it.
    void setModalFor(XWindow window, XWindow owner, bool modal, bool mapped) const;
    // Keeps the top of the screen down to `bottom` pixels, between `left` and `right`
    // (inclusive), clear of other windows; a bottom of 0 reserves nothing.
    void reserveTop(XWindow window, long bottom, long left, long right) const;
    // The root window tells of changes to its properties (the work area among them) and to
    // its size.
    void watchRootProperties() const;
    // Whether an X event changes where windows may go: the window manager changing the work
    // area, or the screen changing size.
    bool isWorkAreaChange(const void* xEvent) const;
    // The window an X event changes a property of (the window manager's state of it, as
    // maximized or sticky: "_NET_WM_STATE"; its frame: "_NET_FRAME_EXTENTS"), or 0.
    XWindow propertyChangedBy(const void* xEvent, const char* property) const;

    // Whether a compositing manager runs (it owns _NET_WM_CM_S<screen>).
    bool hasCompositor() const;
    // The root window's pixels in a rectangle (pixels, from the top left); parts off the
    // screen stay black. None when the screen's pixel format is not plain 24-bit colour.
    std::shared_ptr<gfx::Bitmap> snapshot(int x, int y, int width, int height) const;

    // Runs requests that may fail on a window gone meanwhile (one the display destroyed):
    // their errors cost nothing but the requests.
    void ignoringErrors(const std::function<void()>& requests) const;

    void bell() const;
    // Pixels per point the desktop asks for (Xft.dpi, else GDK_SCALE).
    double scale() const;

private:
    unsigned long atom(const char* name) const;
    XWindow windowManagerCheck() const;
    // Adds or takes away up to two of the window's states (atoms): asked of the window
    // manager once it manages the window, written on the window before.
    void changeStates(XWindow window, bool managed, bool on, unsigned long first, unsigned long second = 0) const;
    void* m_display { nullptr };
};

}
