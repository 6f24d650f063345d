#pragma once

#include "platform/ui/Geometry.h"

#include <memory>
#include <string>

namespace base {
class Timer;
}

namespace ui {

class Event;
class View;
class Window;

// The tool tips of views (View::toolTip): shown once the pointer has rested over such a view
// for kDelay seconds of the clock, in a small dark window below the pointer that never takes
// the keyboard or the mouse; gone when the pointer leaves the view, on a press, a key or a
// scroll, and when the window hides or closes. One per application, which shows it every
// event first.
class ToolTipController {
public:
    static constexpr double kDelay = 0.8;

    ToolTipController() = default;
    ~ToolTipController();
    ToolTipController(const ToolTipController&) = delete;
    ToolTipController& operator=(const ToolTipController&) = delete;

    void noteEvent(const Event& event);
    // The window hid, closed or lost the pointer: its tip goes, and so does the wait.
    void windowWentAway(Window& window);

    // The tip on screen and its text; none while none shows.
    Window* window() const;
    std::string text() const;

private:
    void wait(View& view, Window& window, Point locationInWindow);
    void show();
    void hide();

    std::weak_ptr<View> m_view;
    std::weak_ptr<Window> m_owner;
    // Where the pointer rests, in screen coordinates.
    Point m_pointer;
    std::shared_ptr<base::Timer> m_timer;
    std::shared_ptr<Window> m_tip;
    bool m_shown { false };
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
};

}
