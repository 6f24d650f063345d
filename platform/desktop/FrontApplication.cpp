#include "platform/desktop/FrontApplication.h"

#include "platform/desktop/X11Connection.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

namespace desktop {

namespace {
// Source indication of a _NET_ACTIVE_WINDOW request: 2 says a pager (the user's own choice)
// asks, which window managers honour where they would hold back an application's wish.
constexpr long kAsPager = 2;

// A property holding one 32-bit value (a window or a number); none when it is missing, of
// another type, or the window has gone.
std::optional<unsigned long> singleValue(X11Connection& connection, Window window, const char* name, Atom type)
{
    Display* display = connection.display();
    Atom property = XInternAtom(display, name, False);
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    int status = Success;
    int error = connection.checked([&] {
        status = XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType, &format, &count,
            &remaining, &data);
    });
    std::optional<unsigned long> value;
    // Xlib hands 32-bit items over as longs.
    if (error == 0 && status == Success && data && actualType == type && format == 32 && count == 1)
        value = static_cast<unsigned long>(*reinterpret_cast<long*>(data));
    if (data)
        XFree(data);
    return value;
}
}

std::unique_ptr<FrontApplication> FrontApplication::create()
{
    return createForDisplay(X11Connection::shared());
}

std::unique_ptr<FrontApplication> FrontApplication::createForDisplay(std::shared_ptr<X11Connection> connection)
{
    return std::unique_ptr<FrontApplication>(new FrontApplication(std::move(connection)));
}

FrontApplication::FrontApplication(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection))
{
}

bool FrontApplication::hasWindowManager()
{
    if (!m_connection || !m_connection->isAlive())
        return false;
    // EWMH's proof of life: the root names a window that names itself. A window manager
    // that has gone leaves the root's property behind, pointing at a window that is no more.
    auto check = singleValue(*m_connection, m_connection->rootWindow(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return check && *check != 0
        && singleValue(*m_connection, Window(*check), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW) == check;
}

std::optional<FrontApplication::WindowId> FrontApplication::activeWindow()
{
    if (!hasWindowManager())
        return std::nullopt;
    auto active = singleValue(*m_connection, m_connection->rootWindow(), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    if (!active || *active == 0)
        return std::nullopt;
    return active;
}

std::optional<FrontApplication::WindowId> FrontApplication::activeWindowOfAnotherProgram()
{
    auto active = activeWindow();
    if (active && isOurs(*active))
        return std::nullopt;
    return active;
}

bool FrontApplication::isOurs(WindowId window)
{
    auto pid = singleValue(*m_connection, Window(window), "_NET_WM_PID", XA_CARDINAL);
    return pid && *pid == static_cast<unsigned long>(getpid());
}

bool FrontApplication::activate(WindowId window)
{
    if (window == 0 || !hasWindowManager())
        return false;
    Display* display = m_connection->display();
    XWindowAttributes attributes {};
    if (m_connection->checked([&] { XGetWindowAttributes(display, Window(window), &attributes); }) != 0)
        return false;
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window(window);
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = kAsPager;
    event.xclient.data.l[1] = CurrentTime;
    int error = m_connection->checked([&] {
        XSendEvent(display, m_connection->rootWindow(), False, SubstructureRedirectMask | SubstructureNotifyMask,
            &event);
    });
    return error == 0;
}

}
