#pragma once

// What the display shows of the program at one moment, told apart as a user sees it (the
// main window, the status strip, the command pop-up, windows that block the main window),
// and what must hold of it whatever the user did before: every window where the user can
// reach it and of its kind, the status strip over no title bar, a modal window above its
// owner and holding the keyboard, menus inside the work area.
#include "tests/acceptance/driver/Desktop.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ostrel::acceptance {

struct Scene {
    Box screen;
    Box workArea;
    // Shown or minimized, back to front.
    std::vector<ProgramWindow> windows;
    std::optional<WindowId> focused;

    // The program's windows as the display has them now; the work area is the screen where
    // no window manager tells it.
    static Scene look(Desktop& desktop, pid_t program, const Box& screen);

    // The titled window of the program's name; the largest where several are.
    const ProgramWindow* mainWindow() const;
    bool mainWindowShown() const;
    bool mainWindowHasKeyboard() const;
    // The strip at the top right of the screen where no tray shows the status item.
    const ProgramWindow* statusStrip() const;
    // An untitled window of ours, not the strip, holding the keyboard: the command pop-up.
    const ProgramWindow* popUpWithKeyboard() const;
    // Windows that block the main window while they show: titled ones besides it (the
    // preferences, alerts, panels), and any the window manager was told is modal.
    std::vector<const ProgramWindow*> modalWindows() const;
    // Its owner: the window it is transient for, else the main window.
    const ProgramWindow* ownerOf(const ProgramWindow& modal) const;
    // Nothing shows but the main window (or not even it) and the status strip: a state in which
    // what a hot key, the status item or the close button does is known.
    bool quiet() const;
    // A note (a banner of our own): it shows for a moment and goes by itself.
    static bool isNote(const ProgramWindow& window);
    bool noteShown() const;
    // How many menus of ours are open.
    int menusShown() const;
    // The frontmost window of ours that takes clicks (not the strip): where a user's hands go.
    const ProgramWindow* front() const;
    // Whether the keyboard is with a window of ours, shown.
    bool keyboardWithUs() const;
    // An alert: a titled window whose title is a sentence (an alert's title is its message).
    static bool isAlert(const ProgramWindow& window);

    // "main window 420,256 840×512 (frame 419,236 842×537); status strip …": for a message.
    std::string describe() const;
    bool operator==(const Scene&) const = default;
};

// One rule that does not hold, named, with what it does not hold for (a window and how it
// stands, a field, a way of showing the program) and the details.
struct Broken {
    std::string invariant;
    std::string subject;
    std::string detail;
};

inline constexpr const char* kWorkAreaRule = "every window of ours keeps its title bar and bottom edge inside the work area";

// The rules the scene breaks, of those that must hold after any action.
std::vector<Broken> brokenRules(const Scene& scene);

}
