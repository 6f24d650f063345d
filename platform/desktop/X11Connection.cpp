#include "platform/desktop/X11Connection.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/MainQueue.h"

#include <X11/Xlib.h>
#include <algorithm>
#include <cstdlib>
#include <poll.h>
#include <utility>

namespace desktop {

namespace {
// Xlib has one error handler per process; a checked() call borrows it for its display.
struct ErrorTrap {
    Display* display { nullptr };
    int firstError { 0 };
};
ErrorTrap* g_trap = nullptr;

int onXError(Display* display, XErrorEvent* error)
{
    if (g_trap && g_trap->display == display) {
        if (g_trap->firstError == 0)
            g_trap->firstError = error->error_code;
        return 0;
    }
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    base::diagnostic(std::string("X error: ") + text + " (request " + std::to_string(error->request_code) + "."
        + std::to_string(error->minor_code) + ")");
    return 0;
}

// The desktop services' own displays: losing one of them costs only those services.
std::vector<Display*>& desktopDisplays()
{
    static std::vector<Display*> displays;
    return displays;
}

std::function<void()>& windowSystemLost()
{
    static std::function<void()> ending;
    return ending;
}

// Xlib's own handler prints and its exit handler ends the process with status 1, which
// loses whatever was typed in the last seconds. A lost server must only cost the desktop
// services their display; losing the window system's ends the program as a quit does,
// right here: once this returns, Xlib's exit handler for that display ends the process.
int onXIOError(Display* display)
{
    static bool ending = false;
    if (std::find(desktopDisplays().begin(), desktopDisplays().end(), display) != desktopDisplays().end())
        return 0;
    if (ending || !windowSystemLost())
        return 0;
    ending = true;
    windowSystemLost()();
    return 0;
}

void installErrorHandlers()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    XSetErrorHandler(onXError);
    XSetIOErrorHandler(onXIOError);
}
}

void X11Connection::endOnLostWindowSystem(std::function<void()> ending)
{
    installErrorHandlers();
    windowSystemLost() = std::move(ending);
}

std::shared_ptr<X11Connection> X11Connection::shared()
{
    static bool tried = false;
    static std::shared_ptr<X11Connection> connection;
    if (!tried) {
        tried = true;
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            base::diagnostic("no X display: idle time comes from our own windows, global hot keys are off");
        else
            connection = open();
    }
    return connection && connection->isAlive() ? connection : nullptr;
}

std::shared_ptr<X11Connection> X11Connection::open(const std::string& displayName)
{
    installErrorHandlers();
    std::string name = displayName;
    if (name.empty()) {
        const char* fromEnvironment = std::getenv("DISPLAY");
        name = fromEnvironment ? fromEnvironment : "";
    }
    if (name.empty())
        return nullptr;
    Display* display = XOpenDisplay(name.c_str());
    if (!display) {
        base::diagnostic("cannot open X display \"" + name + "\"");
        return nullptr;
    }
    auto connection = std::shared_ptr<X11Connection>(new X11Connection(display, name));
    desktopDisplays().push_back(display);
    // Xlib only calls this from inside a call on this display, so the object is alive.
    XSetIOErrorExitHandler(
        display,
        [](Display*, void* data) {
            auto* self = static_cast<X11Connection*>(data);
            self->m_lost = true;
            // We are inside whichever Xlib call met the loss; tidy up once it has returned.
            base::MainQueue::async([weak = self->weak_from_this()] {
                if (auto alive = weak.lock())
                    alive->connectionLost();
            });
        },
        connection.get());
    std::weak_ptr<X11Connection> weak = connection;
    connection->m_source = base::RunLoop::main().addSource(ConnectionNumber(display), POLLIN,
        base::RunLoop::Mode::Common, [weak](short) {
            if (auto self = weak.lock())
                self->dispatchPending();
        });
    return connection;
}

X11Connection::X11Connection(Display* display, std::string name)
    : m_display(display)
    , m_name(std::move(name))
    , m_root(DefaultRootWindow(display))
{
}

X11Connection::~X11Connection()
{
    if (m_source)
        base::RunLoop::main().removeSource(m_source);
    // After a loss Xlib must not be asked to flush anything more.
    if (m_display && !m_lost)
        XCloseDisplay(m_display);
    // A display closed (or lost) may be opened again at the same address.
    std::erase(desktopDisplays(), m_display);
}

void X11Connection::connectionLost()
{
    m_lost = true;
    if (m_source) {
        base::RunLoop::main().removeSource(m_source);
        m_source = 0;
    }
    base::diagnostic("lost the X display \"" + m_name + "\": global hot keys and idle time are off");
}

X11Connection::HandlerId X11Connection::addEventHandler(EventHandler handler)
{
    HandlerId id = m_nextHandler++;
    m_handlers.push_back(Handler { id, std::move(handler) });
    return id;
}

void X11Connection::removeEventHandler(HandlerId id)
{
    std::erase_if(m_handlers, [id](const Handler& handler) { return handler.id == id; });
}

int X11Connection::checked(const std::function<void()>& requests)
{
    if (!isAlive())
        return BadImplementation;
    ErrorTrap trap { m_display, 0 };
    ErrorTrap* outer = std::exchange(g_trap, &trap);
    requests();
    XSync(m_display, False);
    g_trap = outer;
    if (m_lost)
        return BadImplementation;
    afterRoundTrip();
    return trap.firstError;
}

void X11Connection::afterRoundTrip()
{
    // XQLength, unlike XPending, reads and flushes nothing: only what already waits.
    if (isAlive() && XQLength(m_display) > 0) {
        base::MainQueue::async([weak = weak_from_this()] {
            if (auto self = weak.lock())
                self->dispatchPending();
        });
    }
}

void X11Connection::dispatchPending()
{
    while (isAlive() && XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        // Copied: a handler may add or remove handlers.
        auto handlers = m_handlers;
        for (auto& handler : handlers)
            handler.handler(event);
    }
}

}
