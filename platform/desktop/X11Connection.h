#pragma once

#include "platform/base/RunLoop.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;
union _XEvent;

namespace desktop {

// The one Xlib connection the desktop services share (idle time, global hot keys). The
// window system has its own; this one never creates a window. It is serviced by the main
// run loop in the common modes, so hot keys still work while a menu or an alert is up.
//
// Main thread only: Xlib is used without its thread locks.
class X11Connection : public std::enable_shared_from_this<X11Connection> {
public:
    // The program's connection, opened on first use on $DISPLAY and kept for the run;
    // nullptr without a display (said once in the log).
    static std::shared_ptr<X11Connection> shared();
    // What losing any other display connection of the process (the window system's) does:
    // `ending` runs inside Xlib, at the loss, and must end the process itself, since Xlib
    // would end it with status 1 once it returns.
    static void endOnLostWindowSystem(std::function<void()> ending);

    // A connection of its own, for tests; an empty name means $DISPLAY.
    static std::shared_ptr<X11Connection> open(const std::string& displayName = {});

    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    _XDisplay* display() const { return m_display; }
    unsigned long rootWindow() const { return m_root; }
    // False once the server has gone away; everything then answers "not available".
    bool isAlive() const { return m_display && !m_lost; }

    // Sees every event read from the server, in the order added.
    using EventHandler = std::function<void(const _XEvent& event)>;
    using HandlerId = std::uint64_t;
    HandlerId addEventHandler(EventHandler handler);
    void removeEventHandler(HandlerId id);

    // Runs `requests` and waits for the server to have answered them all; the result is the
    // first X error code they caused (BadAccess, BadValue, ...), 0 when none did. X errors
    // outside such a call are logged rather than ending the program, as Xlib's default would.
    int checked(const std::function<void()>& requests);

    // Hands out events Xlib has already read into its queue (a round trip such as checked()
    // reads them without the fd becoming readable again).
    void dispatchPending();
    // For every caller that waited for a reply (a sync, a query): events read meanwhile are
    // handed out on the main queue, since the fd will not announce them again.
    void afterRoundTrip();

private:
    X11Connection(_XDisplay* display, std::string name);
    void connectionLost();

    struct Handler {
        HandlerId id { 0 };
        EventHandler handler;
    };

    _XDisplay* m_display { nullptr };
    std::string m_name;
    unsigned long m_root { 0 };
    bool m_lost { false };
    base::RunLoop::SourceId m_source { 0 };
    std::vector<Handler> m_handlers;
    HandlerId m_nextHandler { 1 };
};

}
