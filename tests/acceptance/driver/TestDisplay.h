#pragma once

#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

namespace ostrel::acceptance {

// A screen as a user may have it: its size in pixels and the dots per inch the desktop asks
// for (Xft.dpi; 192 is a scale of 2).
struct ScreenSetting {
    int width { 1440 };
    int height { 900 };
    int dpi { 96 };

    // "1280×800", with " at 192 dpi" when not the plain 96: what a failure message names.
    std::string describe() const;
};

// An X server of a road's own, of the screen's size and with its Xft.dpi on the root window
// before anything starts: the program, the window manager and the road's hands see it through
// DISPLAY, set for this process while it lives and given back after.
class TestDisplay {
public:
    // None when Xvfb could not be started.
    static std::unique_ptr<TestDisplay> start(const ScreenSetting& screen);
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

    const std::string& name() const { return m_name; }
    // The server's process: whether it sleeps tells whether it has dealt with what it was sent.
    pid_t server() const { return m_server; }

private:
    TestDisplay() = default;

    pid_t m_server { -1 };
    std::string m_name;
    std::optional<std::string> m_previous;
};

}
