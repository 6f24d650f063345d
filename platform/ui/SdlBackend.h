#pragma once

#include "platform/base/RunLoop.h"
#include "platform/ui/Backend.h"
#include "platform/ui/X11Desktop.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace base {
class Timer;
}

namespace ui {

class SdlWindow;

// Real windows on an X11 display through SDL: one SDL window per window, its pixels copied
// from the window's image. SDL's display connection is the window system's alone; the run
// loop watches its file descriptor in the common modes, so windows keep drawing and
// answering during modal runs, and nothing wakes the loop while nothing happens.
//
// Windows keep their frames in points; on a display that asks for a scale (Xft.dpi,
// GDK_SCALE) every X coordinate is that many pixels per point. Text input is on only while
// a text has the keyboard: an input method (IBus, through SDL) then composes in place and
// puts its candidates beside the caret.
class SdlBackend : public WindowBackend {
public:
    // None when SDL cannot open the display.
    static std::unique_ptr<SdlBackend> open();
    ~SdlBackend() override;

    std::string name() const override { return "sdl"; }
    std::vector<Screen> screens() const override;
    std::unique_ptr<PlatformWindow> createWindow(Window& window) override;
    void attach(Application& application) override;
    void detach() override;
    Point mouseLocation() const override;
    std::uint32_t modifierFlagsNow() const override;
    void beep() override { m_desktop.bell(); }
    std::uint32_t displayTime() const override { return m_desktop.serverTime(0); }
    void setTextInput(Window* window, std::optional<Rect> caret) override;
    void discardComposition() override;
    bool compositesTranslucency() const override { return m_desktop.hasCompositor(); }
    std::optional<EdgeInsets> expectedDecoration() const override;
    std::shared_ptr<gfx::Bitmap> screenSnapshot(Rect rect, double scale) const override;

    // Screen coordinates (y up from the first display's bottom) to X's (y down) and back,
    // both in points.
    double flipY(double y, double height) const;
    double scale() const { return m_scale; }
    // The frame's borders (pixels: left, right, top, bottom) the window manager says a
    // titled window of ours would get; none where none answers.
    std::optional<std::array<long, 4>> expectedFrame() const;
    // A frame's borders told in pixels, in points.
    EdgeInsets borderPoints(int top, int left, int bottom, int right) const;

    // Reads and dispatches whatever SDL has queued.
    void pump();
    // Where the input method was last told to put its candidates: window pixels from the top
    // left; none while no text takes input.
    std::optional<Rect> candidateArea() const { return m_candidateArea; }

private:
    friend class SdlWindow;
    SdlBackend(void* display, void* probe);
    void dispatch(const void* sdlEvent);
    void dispatchKeyEvent(const void* sdlEvent);
    void dispatchWindowEvent(const void* sdlEvent);
    void dispatchTextEvent(const void* sdlEvent);
    // A press or release of a button SDL numbers (SDL_BUTTON_LEFT …), in the window SDL
    // names, at pixels from its top left.
    void dispatchButton(bool down, int button, std::uint32_t sdlWindowId, int x, int y, int clicks);
    // A press the display told of, which SDL will not: it still holds the button down since
    // a release that went to a window of ours closed before SDL read it.
    void recoverPressSdlDrops(const void* xButtonEvent);
    void windowDestroyedByDisplay(unsigned long xWindow);
    // Maximized or not, as the window manager keeps the window while it shows.
    void zoomAsShown(SdlWindow& window);
    SdlWindow* windowFor(std::uint32_t sdlWindowId) const;
    SdlWindow* windowForXWindow(unsigned long xWindow) const;
    // Whether the display gives the keyboard to one of our windows now, whatever SDL has
    // heard of so far.
    bool displayFocusIsOurs() const;
    // The window a mouse event belongs to, and where in it (`at`): the one a button is down
    // in, whichever window SDL tells of.
    SdlWindow* pressedWindowFor(std::uint32_t sdlWindowId, int x, int y, Point& at) const;
    Window* keyboardWindow(std::uint32_t sdlWindowId) const;
    // The shown window that blocks `window` (an alert or a modal window it owns), if any.
    Window* blockerOf(Window& window) const;
    // Reads what the display has sent once this turn's work is done; what was asked of the
    // display meanwhile (the turn's pictures above all) leaves first, in one write.
    void schedulePump();
    // The input method answers over a connection of its own that the loop does not watch:
    // after a key it is looked at again a little later.
    void pollInputMethodSoon();

    Application* m_application { nullptr };
    base::RunLoop::SourceId m_source { 0 };
    int m_fd { -1 };
    void* m_display { nullptr };
    void* m_probe { nullptr };
    X11Desktop m_desktop;
    double m_scale { 1 };
    // The screens as last read: reading the usable area asks the server and waits, and every
    // drawing of a window wants its screen. Read again once the display tells of a change.
    mutable std::vector<Screen> m_screens;
    mutable bool m_screensKnown { false };
    // Asked of the window manager once: it answers for a window not yet shown.
    mutable std::optional<std::optional<std::array<long, 4>>> m_expectedFrame;
    bool m_pumpScheduled { false };
    // ModifierFlag bits held as of the last key or pointer event read; mouse events carry
    // them (the display's own word with each pointer event: a window that never gets keys,
    // the status strip, knows of Super held over it only so).
    std::uint32_t m_modifiers { 0 };
    // The window a mouse button went down in, and the buttons still down.
    std::uint32_t m_pressedWindow { 0 };
    std::uint32_t m_pressedButtons { 0 };
    std::unordered_map<std::uint32_t, SdlWindow*> m_windows;
    // Not owned: the window text input goes to, as the application last said.
    Window* m_textInputWindow { nullptr };
    std::optional<Rect> m_candidateArea;
    std::shared_ptr<base::Timer> m_inputMethodPoll;
    // A drop from another program, gathered item by item until SDL says it is complete.
    std::vector<std::string> m_droppedFiles;
    std::string m_droppedText;
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
};

}
