#pragma once

#include "tests/acceptance/driver/ProgramWindow.h"
#include "tests/acceptance/driver/Screenshot.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

struct _XDisplay;

namespace ostrel::acceptance {

// The test display as a user meets it: windows found by their names, keys and clicks
// through xdotool, and pictures of what shows. Waiting polls the display until the answer
// comes or the time is up; nothing waits a fixed time.
class Desktop {
public:
    // The display DISPLAY names; ok() is false without one.
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    bool ok() const { return m_display != nullptr; }
    // Whether xdotool, which plays the user, is installed.
    static bool hasHands();

    // The first shown window whose name matches `name`, a regular expression as xdotool
    // takes it ("^Ostrel$"), waited for up to `seconds`.
    std::optional<WindowId> waitForWindow(const std::string& name, double seconds = 10);
    // Until no window of that name shows any more.
    bool waitForNoWindow(const std::string& name, double seconds = 10);
    // Until a window manager has announced itself on the screen, as a session's has before
    // any program starts.
    bool waitForWindowManager(double seconds = 10);
    std::vector<WindowId> shownWindows(const std::string& name);
    // Where the window stands, in screen pixels.
    std::optional<Box> frame(WindowId window);
    // Every window of the process shown or minimized now, back to front (DesktopWindows.cpp).
    std::vector<ProgramWindow> windowsOf(pid_t process);
    // The part of the screen the window manager leaves to windows (_NET_WORKAREA): the screen
    // without the panels' strips. None without a window manager that says.
    std::optional<Box> workArea();

    // Each answers whether xdotool did it.
    bool focus(WindowId window);
    bool type(const std::string& text);
    // Keys as xdotool names them: "Return", "ctrl+a", "super+shift+space".
    bool key(const std::string& keys);
    bool clickAt(int x, int y);
    bool rightClickAt(int x, int y);
    // Relative to the window's top left corner.
    bool click(WindowId window, int x, int y);
    // What a window manager's close button does: asks the window to close.
    bool askToClose(WindowId window);
    // The window destroyed under its program, as a tool does it (xdotool windowclose).
    bool destroy(WindowId window);
    // A press at one point, the pointer moved to the other in `steps` steps, the release.
    bool drag(int fromX, int fromY, int toX, int toY, int steps = 6);
    // Wheel notches at a point: positive scrolls down (towards the end), negative up.
    bool wheel(int x, int y, int notches);
    // The window's content resized as a user's drag of its corner would.
    bool resize(WindowId window, int width, int height);
    // The window maximized, or back, as the window manager's button asks for it (only a
    // window manager does it).
    bool maximize(WindowId window);
    // The window minimized, as the title bar's button asks for it (ICCCM's WM_CHANGE_STATE).
    bool minimize(WindowId window);
    // A mouse button pressed or released where the pointer is.
    bool mouseDown(int button = 1);
    bool mouseUp(int button = 1);
    bool moveMouse(int x, int y);
    // The pointer moved `pixels` to the right (left when negative) of where it is: input the
    // program's idle time sees. Safe from any thread, as it goes through xdotool alone.
    bool nudgePointer(int pixels);

    // The whole screen, a part of it, or the part a window covers, as it shows now.
    std::optional<Screenshot> capture();
    std::optional<Screenshot> capture(const Box& box);
    std::optional<Screenshot> capture(WindowId window);
    // The box once two looks a moment apart agree (a window just mapped or moved, a menu
    // just drawn), or as it is after `seconds`: what a check compares against.
    std::optional<Screenshot> settled(const Box& box, double seconds = 3);
    // The box once it shows the same picture twice in a row, 150 ms apart: the program has
    // drawn what it was asked to. None when it is still changing after `seconds`.
    std::optional<Screenshot> waitForStill(const Box& box, double seconds = 10);
    std::optional<Screenshot> waitForStill(WindowId window, double seconds = 10);
    // Until `done` holds for a picture of the box; the last picture taken either way.
    std::optional<Screenshot> waitForPicture(const Box& box, const std::function<bool(const Screenshot&)>& done,
        double seconds = 10);
    // The same for a window wherever it stands meanwhile.
    std::optional<Screenshot> waitForPicture(WindowId window, const std::function<bool(const Screenshot&)>& done,
        double seconds = 10);

    // A window of another program, named `name`, shown and holding the keyboard: what a
    // user works in while the program waits behind. It goes with this desktop.
    std::optional<WindowId> openOtherProgramsWindow(const std::string& name, const Box& where);
    // The window holding the keyboard focus, if any.
    std::optional<WindowId> focusedWindow();

private:
    // A client message to the window, or about it to the window manager.
    bool sendMessage(WindowId window, const char* type, std::initializer_list<long> data, bool toWindowManager);

    _XDisplay* m_display { nullptr };
};

}
