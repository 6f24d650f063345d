#include "platform/ui/X11Desktop.h"

#include "platform/gfx/Bitmap.h"
#include "platform/ui/DisplayScale.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cairo.h>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace ui {

namespace {

int s_errors = 0;

int countError(Display*, XErrorEvent*)
{
    ++s_errors;
    return 0;
}

// Xlib's own handler ends the program on any error, and SDL's passes errors on to it: a
// request on a window that went meanwhile must cost nothing but the request.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display)
        : m_display(display)
    {
        XSync(m_display, False);
        s_errors = 0;
        m_previous = XSetErrorHandler(countError);
    }
    ~ErrorTrap()
    {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    bool failed()
    {
        XSync(m_display, False);
        return s_errors > 0;
    }

private:
    Display* m_display;
    int (*m_previous)(Display*, XErrorEvent*) { nullptr };
};

Display* xDisplay(void* display) { return static_cast<Display*>(display); }

std::vector<unsigned long> readProperty(Display* display, ::Window window, Atom property, Atom type, long length)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, property, 0, length, False, type, &actualType, &format, &count, &after, &data)
            == Success
        && data && actualType == type && format == 32) {
        // Format 32 comes as longs, whatever the width of a long.
        auto* longs = reinterpret_cast<unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data)
        XFree(data);
    return values;
}

void sendToRoot(Display* display, ::Window window, Atom type, std::initializer_list<long> data)
{
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    int i = 0;
    for (long value : data)
        event.xclient.data.l[i++] = value;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

}

unsigned long X11Desktop::atom(const char* name) const { return XInternAtom(xDisplay(m_display), name, False); }

X11Desktop::XWindow X11Desktop::windowManagerCheck() const
{
    Display* display = xDisplay(m_display);
    Atom check = atom("_NET_SUPPORTING_WM_CHECK");
    auto child = readProperty(display, DefaultRootWindow(display), check, XA_WINDOW, 1);
    if (child.empty() || !child.front())
        return 0;
    // A window manager that died leaves its word on the root window: its own window must
    // still say the same.
    ErrorTrap trap(display);
    auto self = readProperty(display, child.front(), check, XA_WINDOW, 1);
    if (trap.failed() || self.empty() || self.front() != child.front())
        return 0;
    return child.front();
}

bool X11Desktop::windowManagerSupports(const char* atomName) const
{
    if (!m_display || !windowManagerCheck())
        return false;
    Display* display = xDisplay(m_display);
    auto supported = readProperty(display, DefaultRootWindow(display), atom("_NET_SUPPORTED"), XA_ATOM, 4096);
    return std::find(supported.begin(), supported.end(), atom(atomName)) != supported.end();
}

std::uint32_t X11Desktop::serverTime(XWindow window) const
{
    if (!m_display)
        return 0;
    Display* display = xDisplay(m_display);
    if (!window)
        window = DefaultRootWindow(display);
    Atom stamp = atom("_OSTREL_TIME_STAMP");
    ErrorTrap trap(display);
    // Appending nothing changes nothing, yet the server tells of it with its time.
    XChangeProperty(display, window, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XSync(display, False);
    XEvent event;
    struct Wanted {
        XWindow window;
        Atom atom;
    } wanted { window, stamp };
    auto matches = [](Display*, XEvent* e, XPointer arg) -> Bool {
        auto* w = reinterpret_cast<Wanted*>(arg);
        return e->type == PropertyNotify && e->xproperty.window == w->window && e->xproperty.atom == w->atom;
    };
    if (XCheckIfEvent(display, &event, matches, reinterpret_cast<XPointer>(&wanted)))
        return static_cast<std::uint32_t>(event.xproperty.time);
    return 0;
}

void X11Desktop::activate(XWindow window, std::uint32_t time) const
{
    if (!m_display || !window)
        return;
    Display* display = xDisplay(m_display);
    // Asked on the program's own account: as of now, which the window manager weighs against
    // the user's latest input elsewhere.
    if (!time)
        time = serverTime(window);
    if (windowManagerSupports("_NET_ACTIVE_WINDOW")) {
        // Source 1: an application asking, which the window manager weighs by the time.
        sendToRoot(display, window, atom("_NET_ACTIVE_WINDOW"), { 1, static_cast<long>(time), static_cast<long>(focusedWindow()) });
        return;
    }
    ErrorTrap trap(display);
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToParent, time ? time : CurrentTime);
}

X11Desktop::XWindow X11Desktop::focusedWindow() const
{
    if (!m_display)
        return 0;
    ::Window focused = None;
    int revert = 0;
    XGetInputFocus(xDisplay(m_display), &focused, &revert);
    return focused == PointerRoot ? 0 : focused;
}

void X11Desktop::giveFocusBack(XWindow shown, XWindow previous) const
{
    if (!m_display || !shown || focusedWindow() != shown || previous == shown)
        return;
    Display* display = xDisplay(m_display);
    ErrorTrap trap(display);
    if (previous)
        XSetInputFocus(display, previous, RevertToParent, CurrentTime);
    else
        XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
}

void X11Desktop::setTakesFocus(XWindow window, bool takes) const
{
    if (!m_display || !window)
        return;
    Display* display = xDisplay(m_display);
    XWMHints* hints = XGetWMHints(display, window);
    if (!hints)
        hints = XAllocWMHints();
    if (!hints)
        return;
    hints->flags |= InputHint;
    hints->input = takes ? True : False;
    XSetWMHints(display, window, hints);
    XFree(hints);
    // A user time of 0 asks the window manager not to focus the window when it maps.
    Atom userTime = atom("_NET_WM_USER_TIME");
    if (takes) {
        XDeleteProperty(display, window, userTime);
    } else {
        unsigned long never = 0;
        XChangeProperty(display, window, userTime, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&never), 1);
    }
    XFlush(display);
}

void X11Desktop::raise(XWindow window) const
{
    if (!m_display || !window)
        return;
    ErrorTrap trap(xDisplay(m_display));
    XRaiseWindow(xDisplay(m_display), window);
}

void X11Desktop::setOnAllDesktops(XWindow window, bool all, bool mapped) const
{
    if (!m_display || !window)
        return;
    Display* display = xDisplay(m_display);
    Atom desktop = atom("_NET_WM_DESKTOP");
    bool managed = mapped && windowManagerCheck();
    if (managed) {
        // A managed window's desktop and state belong to the window manager: we ask.
        long current = 0;
        auto now = readProperty(display, DefaultRootWindow(display), atom("_NET_CURRENT_DESKTOP"), XA_CARDINAL, 1);
        if (!now.empty())
            current = static_cast<long>(now.front());
        sendToRoot(display, window, desktop, { all ? 0xFFFFFFFFl : current, 1 });
    } else if (all) {
        unsigned long everywhere = 0xFFFFFFFFul;
        XChangeProperty(display, window, desktop, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&everywhere), 1);
    } else {
        XDeleteProperty(display, window, desktop);
    }
    changeStates(window, managed, all, atom("_NET_WM_STATE_STICKY"));
}

void X11Desktop::unmaximize(XWindow window, bool mapped) const
{
    if (!m_display || !window)
        return;
    changeStates(window, mapped && windowManagerCheck(), false, atom("_NET_WM_STATE_MAXIMIZED_VERT"),
        atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

void X11Desktop::maximizeOnMapping(XWindow window) const
{
    if (!m_display || !window)
        return;
    ErrorTrap trap(xDisplay(m_display));
    changeStates(window, false, true, atom("_NET_WM_STATE_MAXIMIZED_VERT"), atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

std::optional<bool> X11Desktop::shownMaximized(XWindow window) const
{
    if (!m_display || !window)
        return std::nullopt;
    Display* display = xDisplay(m_display);
    ErrorTrap trap(display);
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return std::nullopt;
    auto states = readProperty(display, window, atom("_NET_WM_STATE"), XA_ATOM, 64);
    auto has = [&](const char* name) { return std::ranges::find(states, atom(name)) != states.end(); };
    return has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
}

std::optional<std::array<long, 4>> X11Desktop::expectedFrameExtents() const
{
    if (!m_display || !windowManagerSupports("_NET_REQUEST_FRAME_EXTENTS"))
        return std::nullopt;
    Display* display = xDisplay(m_display);
    ::Window root = DefaultRootWindow(display);
    ::Window unshown = XCreateSimpleWindow(display, root, 0, 0, 100, 100, 0, 0, 0);
    Atom extents = atom("_NET_FRAME_EXTENTS");
    sendToRoot(display, unshown, atom("_NET_REQUEST_FRAME_EXTENTS"), {});
    // The window manager answers on the window in a few milliseconds; a loaded machine shows
    // the window as before, once framed.
    std::optional<std::array<long, 4>> told;
    constexpr int kTries = 60;
    for (int tries = 0; tries < kTries && !told; ++tries) {
        auto values = readProperty(display, unshown, extents, XA_CARDINAL, 4);
        if (values.size() == 4)
            told = std::array<long, 4> { long(values[0]), long(values[1]), long(values[2]), long(values[3]) };
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    XDestroyWindow(display, unshown);
    XFlush(display);
    return told;
}

std::optional<std::pair<int, int>> X11Desktop::placeNow(XWindow window) const
{
    if (!m_display || !window)
        return std::nullopt;
    Display* display = xDisplay(m_display);
    ErrorTrap trap(display);
    int x = 0, y = 0;
    ::Window child = 0;
    if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child))
        return std::nullopt;
    return std::pair { x, y };
}

void X11Desktop::changeStates(XWindow window, bool managed, bool on, unsigned long first, unsigned long second) const
{
    Display* display = xDisplay(m_display);
    Atom state = atom("_NET_WM_STATE");
    if (managed) {
        sendToRoot(display, window, state, { on ? 1 : 0, static_cast<long>(first), static_cast<long>(second), 1 });
        return;
    }
    auto states = readProperty(display, window, state, XA_ATOM, 64);
    for (unsigned long changed : { first, second }) {
        std::erase(states, changed);
        if (on && changed)
            states.push_back(changed);
    }
    XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(states.data()),
        static_cast<int>(states.size()));
    XFlush(display);
}

void X11Desktop::setWindowType(XWindow window, const char* type) const
{
    if (!m_display || !window)
        return;
    Display* display = xDisplay(m_display);
    unsigned long value = atom(type);
    ErrorTrap trap(display);
    XChangeProperty(display, window, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&value), 1);
}

void X11Desktop::setUrgent(XWindow window, bool urgent) const
{
    if (!m_display || !window)
        return;
    Display* display = xDisplay(m_display);
    ErrorTrap trap(display);
    XWMHints* hints = XGetWMHints(display, window);
    if (!hints)
        hints = XAllocWMHints();
    if (!hints)
        return;
    if (urgent)
        hints->flags |= XUrgencyHint;
    else
        hints->flags &= ~XUrgencyHint;
    XSetWMHints(display, window, hints);
    XFree(hints);
}

void X11Desktop::setModalFor(XWindow window, XWindow owner, bool modal, bool mapped) const
{
    if (!m_display || !window)
        return;
    Display* display = xDisplay(m_display);
    {
        ErrorTrap trap(display);
        if (owner)
            XSetTransientForHint(display, window, owner);
        else
            XDeleteProperty(display, window, XA_WM_TRANSIENT_FOR);
    }
    changeStates(window, mapped && windowManagerCheck(), modal && owner, atom("_NET_WM_STATE_MODAL"));
}

void X11Desktop::reserveTop(XWindow window, long bottom, long left, long right) const
{
    if (!m_display || !window)
        return;
    Display* display = xDisplay(m_display);
    // left, right, top, bottom, then where along each edge: the top's from and to.
    long partial[12] = { 0, 0, std::max(0l, bottom), 0, 0, 0, 0, 0, left, std::max(left, right), 0, 0 };
    long whole[4] = { 0, 0, std::max(0l, bottom), 0 };
    ErrorTrap trap(display);
    if (bottom <= 0) {
        XDeleteProperty(display, window, atom("_NET_WM_STRUT_PARTIAL"));
        XDeleteProperty(display, window, atom("_NET_WM_STRUT"));
        return;
    }
    XChangeProperty(display, window, atom("_NET_WM_STRUT_PARTIAL"), XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(partial), 12);
    XChangeProperty(display, window, atom("_NET_WM_STRUT"), XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(whole), 4);
}

void X11Desktop::watchRootProperties() const
{
    if (!m_display)
        return;
    Display* display = xDisplay(m_display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, DefaultRootWindow(display), &attributes))
        return;
    XSelectInput(display, DefaultRootWindow(display), attributes.your_event_mask | PropertyChangeMask | StructureNotifyMask);
    XFlush(display);
}

bool X11Desktop::isWorkAreaChange(const void* xEvent) const
{
    const auto& event = *static_cast<const XEvent*>(xEvent);
    if (!m_display)
        return false;
    Display* display = xDisplay(m_display);
    if (event.type == ConfigureNotify)
        return event.xconfigure.window == DefaultRootWindow(display);
    return event.type == PropertyNotify && event.xproperty.window == DefaultRootWindow(display)
        && event.xproperty.atom == atom("_NET_WORKAREA");
}

X11Desktop::XWindow X11Desktop::propertyChangedBy(const void* xEvent, const char* property) const
{
    const auto& event = *static_cast<const XEvent*>(xEvent);
    if (!m_display || event.type != PropertyNotify || event.xproperty.atom != atom(property))
        return 0;
    return event.xproperty.window;
}

bool X11Desktop::hasCompositor() const
{
    if (!m_display)
        return false;
    Display* display = xDisplay(m_display);
    std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, atom(name.c_str())) != None;
}

std::shared_ptr<gfx::Bitmap> X11Desktop::snapshot(int x, int y, int width, int height) const
{
    auto bitmap = gfx::Bitmap::create(width, height);
    if (!m_display || !bitmap)
        return nullptr;
    Display* display = xDisplay(m_display);
    int screen = DefaultScreen(display);
    cairo_surface_t* surface = bitmap->cairoSurface();
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    // Only the part on the root window can be read; asking for more is an error.
    int left = std::max(x, 0);
    int top = std::max(y, 0);
    int right = std::min(x + width, DisplayWidth(display, screen));
    int bottom = std::min(y + height, DisplayHeight(display, screen));
    if (right <= left || bottom <= top)
        return bitmap;
    XImage* image = nullptr;
    {
        ErrorTrap trap(display);
        image = XGetImage(display, DefaultRootWindow(display), left, top, static_cast<unsigned>(right - left),
            static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
        if (trap.failed() && image) {
            XDestroyImage(image);
            image = nullptr;
        }
    }
    if (!image)
        return nullptr;
    int hostOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    bool plain = image->bits_per_pixel == 32 && image->byte_order == hostOrder && image->red_mask == 0xff0000 && image->green_mask == 0xff00 && image->blue_mask == 0xff;
    if (plain) {
        cairo_surface_flush(surface);
        unsigned char* data = cairo_image_surface_get_data(surface);
        int stride = cairo_image_surface_get_stride(surface);
        for (int row = 0; row < image->height; ++row) {
            auto* source = reinterpret_cast<const std::uint32_t*>(image->data + row * image->bytes_per_line);
            auto* target = reinterpret_cast<std::uint32_t*>(data + (row + top - y) * stride) + (left - x);
            for (int column = 0; column < image->width; ++column)
                target[column] = 0xff000000u | (source[column] & 0xffffffu);
        }
        cairo_surface_mark_dirty(surface);
    }
    XDestroyImage(image);
    return plain ? bitmap : nullptr;
}

void X11Desktop::ignoringErrors(const std::function<void()>& requests) const
{
    ErrorTrap trap(xDisplay(m_display));
    requests();
}

void X11Desktop::bell() const
{
    if (!m_display)
        return;
    XBell(xDisplay(m_display), 0);
    XFlush(xDisplay(m_display));
}

double X11Desktop::scale() const
{
    const char* resources = m_display ? XResourceManagerString(xDisplay(m_display)) : nullptr;
    return displayScale(resources ? xftDpiResource(resources) : std::nullopt, std::getenv("GDK_SCALE"));
}

}
