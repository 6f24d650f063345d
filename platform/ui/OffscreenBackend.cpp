#include "platform/ui/OffscreenBackend.h"

#include "platform/gfx/Bitmap.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <cmath>

namespace ui {

class OffscreenWindow final : public PlatformWindow {
public:
    OffscreenWindow(OffscreenBackend& backend, const Window& window)
        : m_backend(backend)
        , m_window(window)
    {
    }
    ~OffscreenWindow() override
    {
        m_backend.m_states.erase(&m_window);
        if (m_backend.m_textInputWindow == &m_window)
            m_backend.setTextInput(nullptr, std::nullopt);
    }
    void apply(const PlatformWindowState& state) override { m_backend.m_states[&m_window] = state; }
    void present(cairo_surface_t*) override { ++m_backend.m_presented; }
    void focus(std::uint32_t inputTime) override
    {
        ++m_backend.m_focusRequests;
        m_backend.m_lastFocusTime = inputTime;
    }
    std::optional<EdgeInsets> frameExtents() const override
    {
        auto state = m_backend.stateOf(m_window);
        if (!m_backend.m_frameExtents || !state || state->borderless)
            return std::nullopt;
        return m_backend.m_frameExtents;
    }

private:
    OffscreenBackend& m_backend;
    const Window& m_window;
};

OffscreenBackend::OffscreenBackend(double scale)
{
    Screen screen;
    screen.frame = Rect(0, 0, 1440, 900);
    screen.visibleFrame = Rect(0, 0, 1440, 868);
    screen.name = "offscreen-0";
    screen.backingScaleFactor = scale > 0 && std::isfinite(scale) ? scale : 1;
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

Point OffscreenBackend::topLeftToBase(Window& window, Point topLeftPoint) const
{
    return { topLeftPoint.x, window.frame().height() - topLeftPoint.y };
}

void OffscreenBackend::click(Window& window, Point topLeftPoint, std::uint32_t modifiers)
{
    Point base = topLeftToBase(window, topLeftPoint);
    m_mouse = window.convertPointToScreen(base);
    send(Event::mouse(Event::Type::LeftMouseDown, &window, base, modifiers));
    send(Event::mouse(Event::Type::LeftMouseUp, &window, base, modifiers));
}

void OffscreenBackend::moveMouse(Window& window, Point topLeftPoint)
{
    Point base = topLeftToBase(window, topLeftPoint);
    m_mouse = window.convertPointToScreen(base);
    send(Event::mouse(Event::Type::MouseMoved, &window, base, 0, 0));
}

void OffscreenBackend::drag(Window& window, Point fromTopLeft, Point toTopLeft)
{
    Point from = topLeftToBase(window, fromTopLeft);
    m_mouse = window.convertPointToScreen(from);
    send(Event::mouse(Event::Type::LeftMouseDown, &window, from));
    // Where the pointer ends on the screen, wherever the window goes meanwhile.
    Point to = window.convertPointToScreen(topLeftToBase(window, toTopLeft));
    m_mouse = to;
    send(Event::mouse(Event::Type::LeftMouseDragged, &window, window.convertPointFromScreen(to), 0, 0));
    send(Event::mouse(Event::Type::LeftMouseUp, &window, window.convertPointFromScreen(to)));
}

void OffscreenBackend::press(Window& window, std::uint16_t keyCode, const std::string& characters,
    std::uint32_t modifiers)
{
    send(Event::key(Event::Type::KeyDown, &window, keyCode, characters, modifiers));
    send(Event::key(Event::Type::KeyUp, &window, keyCode, characters, modifiers));
}

void OffscreenBackend::compose(const Composition& composition)
{
    if (m_textInputWindow)
        m_textInputWindow->setComposition(composition);
}

void OffscreenBackend::commit(const std::string& text)
{
    if (m_textInputWindow)
        m_textInputWindow->commitText(text);
}

void OffscreenBackend::setTextInput(Window* window, std::optional<Rect> caret)
{
    m_textInputWindow = window;
    m_textInputCaret = caret;
}

std::shared_ptr<gfx::Bitmap> OffscreenBackend::screenSnapshot(Rect rect, double scale) const
{
    auto bitmap = gfx::Bitmap::create(static_cast<int>(std::ceil(rect.width() * scale)), static_cast<int>(std::ceil(rect.height() * scale)));
    if (!bitmap)
        return nullptr;
    auto context = bitmap->makeContext(scale);
    gfx::GraphicsContext::MakeCurrent current(*context);
    context->setFillColor(m_desktop);
    context->fillRect({ 0, 0, rect.width(), rect.height() });
    return bitmap;
}

}
