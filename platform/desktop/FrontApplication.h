#pragma once

#include <memory>
#include <optional>

namespace desktop {

class X11Connection;

// The window another program has in front, so that it can be put back in front after we
// took the screen (the rest screen's covers). Read and asked for through the window
// manager's _NET_ACTIVE_WINDOW (EWMH): without a window manager that keeps it, or without a
// display, there is no front window and nothing to activate.
class FrontApplication {
public:
    using WindowId = unsigned long;

    // Over the desktop services' shared connection.
    static std::unique_ptr<FrontApplication> create();
    static std::unique_ptr<FrontApplication> createForDisplay(std::shared_ptr<X11Connection> connection);

    // The active window when it belongs to another program; none when one of ours is
    // active, when none is, or without a window manager.
    std::optional<WindowId> activeWindowOfAnotherProgram();
    // The active window, whoever's it is.
    std::optional<WindowId> activeWindow();

    // Asks the window manager to bring the window to the front and give it the focus, as a
    // pager would (so that focus-stealing rules let it through). False when there is no
    // window manager or the window has gone.
    bool activate(WindowId window);

private:
    explicit FrontApplication(std::shared_ptr<X11Connection> connection);
    bool hasWindowManager();
    bool isOurs(WindowId window);

    std::shared_ptr<X11Connection> m_connection;
};

}
