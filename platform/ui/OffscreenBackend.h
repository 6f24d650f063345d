#pragma once

#include "platform/ui/Backend.h"
#include "platform/ui/Event.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <string>
#include <vector>

namespace ui {

// The window system without a display: windows draw into their images and nothing shows
// them. Tests set the displays and inject input here as if a user gave it.
class OffscreenBackend : public WindowBackend {
public:
    // One 1440 × 900 display with a 32-point panel at the top.
    OffscreenBackend();

    std::string name() const override { return "offscreen"; }
    std::vector<Screen> screens() const override { return m_screens; }
    std::unique_ptr<PlatformWindow> createWindow(Window& window) override;
    void attach(Application& application) override { m_application = &application; }
    void detach() override { m_application = nullptr; }
    Point mouseLocation() const override { return m_mouse; }

    void setScreens(std::vector<Screen> screens) { m_screens = std::move(screens); }
    void setMouseLocation(Point location) { m_mouse = location; }

    // Input, at a point of the window's content counted from its top left as in a picture.
    void click(Window& window, Point topLeftPoint, std::uint32_t modifiers = 0);
    void press(Window& window, std::uint16_t keyCode, const std::string& characters, std::uint32_t modifiers = 0);
    void send(const Event& event);

    // How many pictures windows have handed over, and what each window last asked of the
    // display (none for a window never shown).
    int presentedFrames() const { return m_presented; }
    std::optional<PlatformWindowState> stateOf(const Window& window) const;

private:
    friend class OffscreenWindow;
    std::vector<Screen> m_screens;
    Point m_mouse;
    Application* m_application { nullptr };
    int m_presented { 0 };
    std::unordered_map<const Window*, PlatformWindowState> m_states;
};

}
