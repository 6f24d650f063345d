// What the display and its window manager know of a program's windows: which show, where,
// framed how, in which order, and the work area they are meant to keep to.
#include "tests/acceptance/driver/Desktop.h"

#include <algorithm>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace ostrel::acceptance {

namespace {

// A property's items of 32 bits (longs, as Xlib hands them), none when it is not there.
std::vector<long> longsOf(Display* display, ::Window window, const char* name, Atom type = AnyPropertyType)
{
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, type, &actual, &format,
            &count, &remaining, &data)
            == Success
        && data && format == 32) {
        auto* items = reinterpret_cast<long*>(data);
        values.assign(items, items + count);
    }
    if (data)
        XFree(data);
    return values;
}

std::string nameOf(Display* display, ::Window window)
{
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False,
            XInternAtom(display, "UTF8_STRING", False), &actual, &format, &count, &remaining, &data)
            == Success
        && data && format == 8)
        name.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    if (name.empty()) {
        char* plain = nullptr;
        if (XFetchName(display, window, &plain) && plain) {
            name = plain;
            XFree(plain);
        }
    }
    return name;
}

constexpr long kIconicState = 3;

// The client inside a window manager's frame: the window that carries WM_STATE.
std::optional<::Window> clientIn(Display* display, ::Window window, int depth)
{
    if (!longsOf(display, window, "WM_STATE").empty())
        return window;
    if (depth == 0)
        return std::nullopt;
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<::Window> found;
    for (unsigned i = 0; i < count && !found; ++i)
        found = clientIn(display, children[i], depth - 1);
    if (children)
        XFree(children);
    return found;
}

}

std::vector<ProgramWindow> Desktop::windowsOf(pid_t process)
{
    std::vector<ProgramWindow> windows;
    if (!m_display)
        return windows;
    Display* display = m_display;
    ::Window root = DefaultRootWindow(display), parent = 0;
    ::Window* tops = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &tops, &count))
        return windows;
    auto has = [&](const std::vector<long>& atoms, const char* name) {
        return std::find(atoms.begin(), atoms.end(), long(XInternAtom(display, name, False))) != atoms.end();
    };
    // With no window manager nobody frames a window or marks it with WM_STATE: the program's
    // own top-level windows are its windows as they are.
    bool framing = !longsOf(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty();
    // XQueryTree lists the root's children from the bottom of the stack to its top.
    for (unsigned order = 0; order < count; ++order) {
        XWindowAttributes top {};
        if (!XGetWindowAttributes(display, tops[order], &top))
            continue;
        auto client = clientIn(display, tops[order], 3);
        bool managed = client.has_value();
        if (!client && (top.override_redirect || !framing) && top.map_state == IsViewable)
            client = tops[order];
        if (!client)
            continue;
        auto owner = longsOf(display, *client, "_NET_WM_PID", XA_CARDINAL);
        if (owner.empty() || pid_t(owner[0]) != process)
            continue;
        XWindowAttributes attributes {};
        if (!XGetWindowAttributes(display, *client, &attributes))
            continue;
        auto wmState = longsOf(display, *client, "WM_STATE");
        bool minimized = managed && !wmState.empty() && wmState[0] == kIconicState;
        if (attributes.map_state != IsViewable && !minimized)
            continue;
        ProgramWindow window;
        window.id = *client;
        window.name = nameOf(display, *client);
        window.managed = managed;
        window.minimized = minimized;
        int x = 0, y = 0;
        ::Window child = 0;
        XTranslateCoordinates(display, *client, root, 0, 0, &x, &y, &child);
        window.box = { x, y, attributes.width, attributes.height };
        auto extents = longsOf(display, *client, "_NET_FRAME_EXTENTS", XA_CARDINAL);
        window.frame = window.box;
        if (extents.size() == 4) {
            window.frame = { x - int(extents[0]), y - int(extents[2]), attributes.width + int(extents[0] + extents[1]),
                attributes.height + int(extents[2] + extents[3]) };
        }
        auto states = longsOf(display, *client, "_NET_WM_STATE", XA_ATOM);
        window.alwaysOnTop = has(states, "_NET_WM_STATE_ABOVE");
        window.modal = has(states, "_NET_WM_STATE_MODAL");
        window.maximized = has(states, "_NET_WM_STATE_MAXIMIZED_VERT") && has(states, "_NET_WM_STATE_MAXIMIZED_HORZ");
        window.fullScreen = has(states, "_NET_WM_STATE_FULLSCREEN");
        window.reservesSpace = !longsOf(display, *client, "_NET_WM_STRUT_PARTIAL", XA_CARDINAL).empty()
            || !longsOf(display, *client, "_NET_WM_STRUT", XA_CARDINAL).empty();
        ::Window transient = 0;
        if (XGetTransientForHint(display, *client, &transient) && transient && transient != root)
            window.transientFor = transient;
        for (long kind : longsOf(display, *client, "_NET_WM_WINDOW_TYPE", XA_ATOM)) {
            if (char* name = XGetAtomName(display, Atom(kind))) {
                std::string text = name;
                XFree(name);
                const std::string prefix = "_NET_WM_WINDOW_TYPE_";
                window.kinds.push_back(text.starts_with(prefix) ? text.substr(prefix.size()) : text);
            }
        }
        window.stackingOrder = int(windows.size());
        windows.push_back(std::move(window));
    }
    if (tops)
        XFree(tops);
    return windows;
}

std::optional<Box> Desktop::workArea()
{
    if (!m_display)
        return std::nullopt;
    ::Window root = DefaultRootWindow(m_display);
    auto areas = longsOf(m_display, root, "_NET_WORKAREA", XA_CARDINAL);
    auto current = longsOf(m_display, root, "_NET_CURRENT_DESKTOP", XA_CARDINAL);
    std::size_t desktop = current.empty() ? 0 : std::size_t(current[0]);
    if (areas.size() < 4 * (desktop + 1))
        desktop = 0;
    if (areas.size() < 4)
        return std::nullopt;
    return Box { int(areas[4 * desktop]), int(areas[4 * desktop + 1]), int(areas[4 * desktop + 2]),
        int(areas[4 * desktop + 3]) };
}

}
