#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Event.h"
#include "platform/ui/TextInput.h"

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
    // One 1440 × 900 display with a 32-point panel at the top, at `scale` pixels per point.
    explicit OffscreenBackend(double scale = 1);

    std::string name() const override { return "offscreen"; }
    std::vector<Screen> screens() const override { return m_screens; }
    std::unique_ptr<PlatformWindow> createWindow(Window& window) override;
    void attach(Application& application) override { m_application = &application; }
    void detach() override { m_application = nullptr; }
    Point mouseLocation() const override { return m_mouse; }

    void setScreens(std::vector<Screen> screens) { m_screens = std::move(screens); }
    // A window manager's decoration around every titled window; none by default.
    void setFrameExtents(std::optional<EdgeInsets> extents) { m_frameExtents = extents; }
    void setMouseLocation(Point location) { m_mouse = location; }
    std::uint32_t displayTime() const override { return m_displayTime; }
    void setDisplayTime(std::uint32_t time) { m_displayTime = time; }

    // Input, at a point of the window's content counted from its top left as in a picture.
    void click(Window& window, Point topLeftPoint, std::uint32_t modifiers = 0);
    void press(Window& window, std::uint16_t keyCode, const std::string& characters, std::uint32_t modifiers = 0);
    // The pointer moved to the point, no button down.
    void moveMouse(Window& window, Point topLeftPoint);
    // A press at one point, the pointer dragged to the other, and the release there.
    void drag(Window& window, Point fromTopLeft, Point toTopLeft);
    void send(const Event& event);

    // An input method composing in the key window and finishing.
    void compose(const Composition& composition);
    void commit(const std::string& text);
    // Where text input goes, as the windows last told it: the window and its caret, or none.
    Window* textInputWindow() const { return m_textInputWindow; }
    std::optional<Rect> textInputCaret() const { return m_textInputCaret; }
    void setTextInput(Window* window, std::optional<Rect> caret) override;
    void discardComposition() override { ++m_discardedCompositions; }
    int discardedCompositions() const { return m_discardedCompositions; }

    // Translucency: with compositing off, windows that blend over the screen see a desktop
    // of one colour beneath them.
    bool compositesTranslucency() const override { return m_compositing; }
    void setCompositing(bool compositing) { m_compositing = compositing; }
    void setDesktopColor(gfx::Color color) { m_desktop = color; }
    std::shared_ptr<gfx::Bitmap> screenSnapshot(Rect rect, double scale) const override;

    // How many pictures windows have handed over, and what each window last asked of the
    // display (none for a window never shown).
    int presentedFrames() const { return m_presented; }
    std::optional<PlatformWindowState> stateOf(const Window& window) const;
    // Requests for the keyboard the windows made, and the input time of the last one.
    int focusRequests() const { return m_focusRequests; }
    std::uint32_t lastFocusTime() const { return m_lastFocusTime; }

private:
    friend class OffscreenWindow;
    Point topLeftToBase(Window& window, Point topLeftPoint) const;

    std::vector<Screen> m_screens;
    std::optional<EdgeInsets> m_frameExtents;
    Point m_mouse;
    std::uint32_t m_displayTime { 0 };
    Application* m_application { nullptr };
    int m_presented { 0 };
    std::unordered_map<const Window*, PlatformWindowState> m_states;
    Window* m_textInputWindow { nullptr };
    std::optional<Rect> m_textInputCaret;
    int m_discardedCompositions { 0 };
    bool m_compositing { true };
    gfx::Color m_desktop { gfx::Color::rgb(0.2, 0.4, 0.6) };
    int m_focusRequests { 0 };
    std::uint32_t m_lastFocusTime { 0 };
};

}
