#include "platform/ui/SdlBackend.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/Application.h"
#include "platform/ui/KeyTable.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/Window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <poll.h>

namespace ui {

class SdlWindow final : public PlatformWindow {
public:
    SdlWindow(SdlBackend& backend, Window& window)
        : m_backend(backend)
        , m_window(window)
    {
    }
    ~SdlWindow() override { destroy(); }

    void apply(const PlatformWindowState& state) override;
    void present(cairo_surface_t* surface) override;
    void focus() override;

    Window& window() const { return m_window; }
    SDL_Window* sdl() const { return m_sdl; }
    // Sizes the display gave us, to tell our own changes from the user's.
    Rect lastFrame() const { return m_state.frame; }
    void presentAgain()
    {
        if (m_lastSurface)
            present(m_lastSurface);
    }

private:
    void create(const PlatformWindowState& state);
    void destroy();
    ::Window xWindow() const;
    void setAllDesktops(bool all);
    void setClickThrough(bool through);

    SdlBackend& m_backend;
    Window& m_window;
    SDL_Window* m_sdl { nullptr };
    PlatformWindowState m_state;
    bool m_created { false };
    cairo_surface_t* m_lastSurface { nullptr };
};

void SdlWindow::create(const PlatformWindowState& state)
{
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (state.borderless)
        flags |= SDL_WINDOW_BORDERLESS;
    if (state.resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    if (state.level > 0)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (state.skipTaskbar || state.level > 0)
        flags |= SDL_WINDOW_SKIP_TASKBAR;
    int w = std::max(1, static_cast<int>(state.frame.width()));
    int h = std::max(1, static_cast<int>(state.frame.height()));
    int x = static_cast<int>(state.frame.minX());
    int y = static_cast<int>(m_backend.flipY(state.frame.minY(), state.frame.height()));
    m_sdl = SDL_CreateWindow(state.title.c_str(), x, y, w, h, flags);
    if (!m_sdl) {
        base::diagnostic(std::string("SDL could not create a window: ") + SDL_GetError());
        return;
    }
    m_backend.m_windows[SDL_GetWindowID(m_sdl)] = this;
    m_created = true;
}

void SdlWindow::destroy()
{
    if (!m_sdl)
        return;
    m_backend.m_windows.erase(SDL_GetWindowID(m_sdl));
    SDL_DestroyWindow(m_sdl);
    m_sdl = nullptr;
}

::Window SdlWindow::xWindow() const
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!m_sdl || !SDL_GetWindowWMInfo(m_sdl, &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return info.info.x11.window;
}

void SdlWindow::setAllDesktops(bool all)
{
    auto* display = static_cast<Display*>(m_backend.m_display);
    ::Window xw = xWindow();
    if (!display || !xw)
        return;
    Atom desktop = XInternAtom(display, "_NET_WM_DESKTOP", False);
    if (all) {
        unsigned long everywhere = 0xFFFFFFFFul;
        XChangeProperty(display, xw, desktop, XA_CARDINAL, 32, PropModeReplace,
            reinterpret_cast<unsigned char*>(&everywhere), 1);
    } else {
        XDeleteProperty(display, xw, desktop);
    }
}

void SdlWindow::setClickThrough(bool through)
{
    auto* display = static_cast<Display*>(m_backend.m_display);
    ::Window xw = xWindow();
    if (!display || !xw)
        return;
    if (through) {
        XShapeCombineRectangles(display, xw, ShapeInput, 0, 0, nullptr, 0, ShapeSet, YXBanded);
    } else {
        XRectangle all { 0, 0, 32767, 32767 };
        XShapeCombineRectangles(display, xw, ShapeInput, 0, 0, &all, 1, ShapeSet, YXBanded);
    }
}

void SdlWindow::apply(const PlatformWindowState& state)
{
    bool recreate = m_created
        && (state.skipTaskbar != m_state.skipTaskbar || state.borderless != m_state.borderless
            || (state.level > 0) != (m_state.level > 0));
    if (recreate)
        destroy();
    if (!m_sdl)
        create(state);
    if (!m_sdl)
        return;
    PlatformWindowState old = recreate ? PlatformWindowState {} : m_state;
    m_state = state;

    if (state.title != old.title)
        SDL_SetWindowTitle(m_sdl, state.title.c_str());
    if (state.frame != old.frame || recreate) {
        SDL_SetWindowSize(m_sdl, std::max(1, static_cast<int>(state.frame.width())),
            std::max(1, static_cast<int>(state.frame.height())));
        SDL_SetWindowPosition(m_sdl, static_cast<int>(state.frame.minX()),
            static_cast<int>(m_backend.flipY(state.frame.minY(), state.frame.height())));
    }
    if (state.minSize != old.minSize)
        SDL_SetWindowMinimumSize(m_sdl, static_cast<int>(state.minSize.width), static_cast<int>(state.minSize.height));
    if (state.alpha != old.alpha || recreate)
        SDL_SetWindowOpacity(m_sdl, static_cast<float>(state.alpha));
    if (state.visible && !(SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_SHOWN)) {
        SDL_ShowWindow(m_sdl);
        SDL_RaiseWindow(m_sdl);
    } else if (!state.visible && (SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_SHOWN)) {
        SDL_HideWindow(m_sdl);
    }
    if (state.allDesktops != old.allDesktops || recreate)
        setAllDesktops(state.allDesktops);
    if (state.ignoresMouseEvents != old.ignoresMouseEvents || recreate)
        setClickThrough(state.ignoresMouseEvents);
    if (recreate && m_lastSurface)
        present(m_lastSurface);
    m_backend.schedulePump();
}

void SdlWindow::present(cairo_surface_t* surface)
{
    m_lastSurface = surface;
    if (!m_sdl)
        return;
    SDL_Surface* target = SDL_GetWindowSurface(m_sdl);
    if (!target)
        return;
    cairo_surface_flush(surface);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(surface),
        cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), 32,
        cairo_image_surface_get_stride(surface), SDL_PIXELFORMAT_ARGB8888);
    if (source) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_FreeSurface(source);
        SDL_UpdateWindowSurface(m_sdl);
    }
    // Drawing talks to the server, which may leave events read but not yet handled.
    m_backend.schedulePump();
}

void SdlWindow::focus()
{
    if (!m_sdl)
        return;
    SDL_RaiseWindow(m_sdl);
}

std::unique_ptr<SdlBackend> SdlBackend::open()
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A timer must not keep the desktop's screen saver away; SDL would by default.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        base::diagnostic(std::string("SDL could not open the display: ") + SDL_GetError());
        return nullptr;
    }
    auto backend = std::unique_ptr<SdlBackend>(new SdlBackend);
    // The display connection is only reachable through a window; a hidden one stays for it.
    auto* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!probe || !SDL_GetWindowWMInfo(probe, &info) || info.subsystem != SDL_SYSWM_X11) {
        base::diagnostic("SDL gave no X11 display");
        if (probe)
            SDL_DestroyWindow(probe);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    backend->m_probe = probe;
    backend->m_display = info.info.x11.display;
    backend->m_fd = ConnectionNumber(info.info.x11.display);
    return backend;
}

SdlBackend::~SdlBackend()
{
    detach();
    Pasteboard::general().setSystemClipboard({});
    *m_alive = false;
    if (m_probe)
        SDL_DestroyWindow(static_cast<SDL_Window*>(m_probe));
    // SDL's video stays up for the rest of the process: shutting it down unloads the X
    // libraries it opened, with their own allocations still outstanding, and a program opens
    // its window system once anyway. A later open() finds it ready.
}

void SdlBackend::attach(Application& application)
{
    m_application = &application;
    SDL_StartTextInput();
    // Plain text copied here reaches other programs, and theirs reaches us.
    Pasteboard::general().setSystemClipboard({ [](const std::string& text) { SDL_SetClipboardText(text.c_str()); },
        []() -> std::optional<std::string> {
            if (!SDL_HasClipboardText())
                return std::nullopt;
            char* text = SDL_GetClipboardText();
            std::string copy = text ? text : "";
            SDL_free(text);
            return copy;
        } });
    m_source = base::RunLoop::main().addSource(m_fd, POLLIN, base::RunLoop::Mode::Common, [this](short) { pump(); });
    schedulePump();
}

void SdlBackend::detach()
{
    if (m_source)
        base::RunLoop::main().removeSource(m_source);
    m_source = 0;
    m_application = nullptr;
}

std::vector<Screen> SdlBackend::screens() const
{
    std::vector<Screen> out;
    int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds, usable;
        if (SDL_GetDisplayBounds(i, &bounds) != 0)
            continue;
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0)
            usable = bounds;
        Screen screen;
        screen.frame = Rect(bounds.x, flipY(bounds.y, bounds.h), bounds.w, bounds.h);
        screen.visibleFrame = Rect(usable.x, flipY(usable.y, usable.h), usable.w, usable.h);
        const char* name = SDL_GetDisplayName(i);
        screen.name = name ? name : "";
        out.push_back(screen);
    }
    return out;
}

double SdlBackend::flipY(double y, double height) const
{
    SDL_Rect first { 0, 0, 0, 0 };
    SDL_GetDisplayBounds(0, &first);
    return first.y + first.h - y - height;
}

Point SdlBackend::mouseLocation() const
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return { static_cast<double>(x), flipY(y, 0) };
}

std::unique_ptr<PlatformWindow> SdlBackend::createWindow(Window& window)
{
    return std::make_unique<SdlWindow>(*this, window);
}

SdlWindow* SdlBackend::windowFor(std::uint32_t id) const
{
    auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : it->second;
}

void SdlBackend::schedulePump()
{
    if (m_pumpScheduled || !m_source)
        return;
    m_pumpScheduled = true;
    std::weak_ptr<bool> alive = m_alive;
    base::RunLoop::main().post([this, alive] {
        if (alive.expired())
            return;
        m_pumpScheduled = false;
        pump();
    });
}

void SdlBackend::pump()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
        dispatch(&event);
}

namespace {

std::uint32_t modifiers()
{
    SDL_Keymod mod = SDL_GetModState();
    std::uint32_t flags = 0;
    if (mod & KMOD_SHIFT)
        flags |= ModifierFlag::Shift;
    if (mod & KMOD_CTRL)
        flags |= ModifierFlag::Control;
    if (mod & KMOD_ALT)
        flags |= ModifierFlag::Option;
    if (mod & KMOD_GUI)
        flags |= ModifierFlag::Command;
    if (mod & KMOD_CAPS)
        flags |= ModifierFlag::CapsLock;
    return flags;
}

// The characters of keys that type none through text input.
std::string controlCharacters(SDL_Keycode key)
{
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return "\r";
    case SDLK_TAB:
        return "\t";
    case SDLK_BACKSPACE:
        return "\x7f";
    case SDLK_ESCAPE:
        return "\x1b";
    default:
        break;
    }
    if (key >= 0x20 && key < 0x7f)
        return std::string(1, static_cast<char>(key));
    return {};
}

}

void SdlBackend::dispatch(const void* raw)
{
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    if (!m_application)
        return;
    auto baseLocation = [](Window& w, int x, int y) {
        return Point { static_cast<double>(x), w.frame().height() - y };
    };
    switch (e.type) {
    case SDL_WINDOWEVENT: {
        SdlWindow* sw = windowFor(e.window.windowID);
        if (!sw)
            return;
        Window& w = sw->window();
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            m_application->activate(false);
            if (!w.isKeyWindow() && w.canBecomeKeyWindow())
                m_application->setKeyWindow(&w);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST: {
            // Focus moving between two of our windows passes through no window at all;
            // look once the queue is drained whether another application has it now.
            std::weak_ptr<bool> alive = m_alive;
            base::RunLoop::main().post([this, alive] {
                if (!alive.expired() && m_application && !SDL_GetKeyboardFocus())
                    m_application->deactivate();
            });
            break;
        }
        case SDL_WINDOWEVENT_MOVED:
            w.platformDidMove({ static_cast<double>(e.window.data1), flipY(e.window.data2, w.frame().height()) });
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            w.platformDidResize({ static_cast<double>(e.window.data1), static_cast<double>(e.window.data2) });
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            sw->presentAgain();
            break;
        case SDL_WINDOWEVENT_CLOSE:
            w.performClose();
            break;
        default:
            break;
        }
        return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        SdlWindow* sw = windowFor(e.button.windowID);
        if (!sw)
            return;
        bool down = e.type == SDL_MOUSEBUTTONDOWN;
        bool right = e.button.button == SDL_BUTTON_RIGHT;
        auto type = right ? (down ? Event::Type::RightMouseDown : Event::Type::RightMouseUp)
                          : (down ? Event::Type::LeftMouseDown : Event::Type::LeftMouseUp);
        if (e.button.button != SDL_BUTTON_LEFT && !right)
            return;
        m_application->sendEvent(Event::mouse(type, &sw->window(), baseLocation(sw->window(), e.button.x, e.button.y),
            modifiers(), e.button.clicks));
        return;
    }
    case SDL_MOUSEMOTION: {
        SdlWindow* sw = windowFor(e.motion.windowID);
        if (!sw)
            return;
        auto type = (e.motion.state & SDL_BUTTON_LMASK) ? Event::Type::LeftMouseDragged : Event::Type::MouseMoved;
        m_application->sendEvent(
            Event::mouse(type, &sw->window(), baseLocation(sw->window(), e.motion.x, e.motion.y), modifiers(), 0));
        return;
    }
    case SDL_MOUSEWHEEL: {
        SdlWindow* sw = windowFor(e.wheel.windowID);
        if (!sw)
            return;
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        m_application->sendEvent(Event::scroll(&sw->window(), baseLocation(sw->window(), x, y), e.wheel.preciseX,
            e.wheel.preciseY));
        return;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        SdlWindow* sw = windowFor(e.key.windowID);
        Window* w = sw ? &sw->window() : m_application->keyWindow();
        auto code = KeyTable::codeForScancode(e.key.keysym.scancode);
        if (!code)
            return;
        std::uint32_t flags = modifiers();
        std::string characters;
        // Typed text arrives as its own event right behind the key; fold it into the key
        // event, as the views expect the characters there.
        SDL_Event text;
        if (e.type == SDL_KEYDOWN && SDL_PeepEvents(&text, 1, SDL_PEEKEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1) {
            SDL_PeepEvents(&text, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
            characters = text.text.text;
        } else {
            characters = controlCharacters(e.key.keysym.sym);
        }
        bool isModifier = e.key.keysym.scancode >= SDL_SCANCODE_LCTRL && e.key.keysym.scancode <= SDL_SCANCODE_RGUI;
        auto type = isModifier ? Event::Type::FlagsChanged
                               : (e.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp);
        m_application->sendEvent(Event::key(type, w, static_cast<std::uint16_t>(*code), characters, flags,
            e.key.repeat != 0));
        return;
    }
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        if (e.drop.file) {
            if (e.type == SDL_DROPFILE)
                m_droppedFiles.emplace_back(e.drop.file);
            else
                m_droppedText += e.drop.file;
            SDL_free(e.drop.file);
        }
        return;
    case SDL_DROPCOMPLETE: {
        Pasteboard pasteboard;
        if (!m_droppedFiles.empty())
            pasteboard.setFiles({ m_droppedFiles.begin(), m_droppedFiles.end() });
        if (!m_droppedText.empty())
            pasteboard.setString(m_droppedText);
        m_droppedFiles.clear();
        m_droppedText.clear();
        SdlWindow* sw = windowFor(e.drop.windowID);
        if (!sw || pasteboard.types().empty())
            return;
        int x = 0;
        int y = 0;
        SDL_GetMouseState(&x, &y);
        sw->window().performDrop(pasteboard, baseLocation(sw->window(), x, y));
        return;
    }
    case SDL_QUIT:
        m_application->terminate();
        return;
    default:
        return;
    }
}

std::unique_ptr<WindowBackend> WindowBackend::make(const std::string& requested)
{
    std::string name = requested;
    if (name.empty())
        if (const char* env = std::getenv("OSTREL_BACKEND"))
            name = env;
    if (name.empty())
        name = std::getenv("DISPLAY") ? "sdl" : "offscreen";
    if (name == "sdl") {
        if (auto sdl = SdlBackend::open())
            return sdl;
        base::diagnostic("Window system: no display, drawing offscreen");
    }
    return std::make_unique<OffscreenBackend>();
}

}
