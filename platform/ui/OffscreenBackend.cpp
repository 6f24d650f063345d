#include "platform/ui/OffscreenBackend.h"

#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

namespace ui {

class OffscreenWindow final : public PlatformWindow {
public:
    OffscreenWindow(OffscreenBackend& backend, const Window& window)
        : m_backend(backend)
        , m_window(window)
    {
    }
    ~OffscreenWindow() override { m_backend.m_states.erase(&m_window); }
    void apply(const PlatformWindowState& state) override { m_backend.m_states[&m_window] = state; }
    void present(cairo_surface_t*) override { ++m_backend.m_presented; }

private:
    OffscreenBackend& m_backend;
    const Window& m_window;
};

OffscreenBackend::OffscreenBackend()
{
    Screen screen;
    screen.frame = Rect(0, 0, 1440, 900);
    screen.visibleFrame = Rect(0, 0, 1440, 868);
    screen.name = "offscreen-0";
    m_screens.push_back(screen);
}

std::unique_ptr<PlatformWindow> OffscreenBackend::createWindow(Window& window)
{
    return std::make_unique<OffscreenWindow>(*this, window);
}

std::optional<PlatformWindowState> OffscreenBackend::stateOf(const Window& window) const
{
    auto it = m_states.find(&window);
    if (it == m_states.end())
        return std::nullopt;
    return it->second;
}

void OffscreenBackend::send(const Event& event)
{
    if (m_application)
        m_application->sendEvent(event);
    else if (event.window())
        event.window()->sendEvent(event);
}

void OffscreenBackend::click(Window& window, Point topLeftPoint, std::uint32_t modifiers)
{
    Point base { topLeftPoint.x, window.frame().height() - topLeftPoint.y };
    m_mouse = window.convertPointToScreen(base);
    send(Event::mouse(Event::Type::LeftMouseDown, &window, base, modifiers));
    send(Event::mouse(Event::Type::LeftMouseUp, &window, base, modifiers));
}

void OffscreenBackend::press(Window& window, std::uint16_t keyCode, const std::string& characters,
    std::uint32_t modifiers)
{
    send(Event::key(Event::Type::KeyDown, &window, keyCode, characters, modifiers));
    send(Event::key(Event::Type::KeyUp, &window, keyCode, characters, modifiers));
}

}
