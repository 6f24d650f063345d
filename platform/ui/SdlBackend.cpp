#include "platform/ui/SdlBackend.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Time.h"
#include "platform/base/Timer.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Application.h"
#include "platform/ui/KeyTable.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/PrimarySelection.h"
#include "platform/ui/SdlWindow.h"
#include "platform/ui/Window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <cctype>
#include <cmath>
#include <poll.h>

namespace ui {

namespace {
std::uint32_t pointerModifierFlags(unsigned int state);
// How soon after a key the input method's answers are looked for: at once it may not have
// answered yet; a little later it has.
constexpr double kInputMethodAnswer = 0.05;
}

std::unique_ptr<SdlBackend> SdlBackend::open()
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A timer must not keep the desktop's screen saver away; SDL would by default.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // Pictures go to the X server as they are. A GL texture instead would make SDL recreate
    // each X window at its first picture, losing what we set on it (input shape, focus
    // hints, desktops) and handing the new window the keyboard.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A long composition arrives whole rather than cut at 32 bytes.
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        base::diagnostic(std::string("SDL could not open the display: ") + SDL_GetError());
        return nullptr;
    }
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
    return std::unique_ptr<SdlBackend>(new SdlBackend(info.info.x11.display, probe));
}

SdlBackend::SdlBackend(void* display, void* probe)
    : m_fd(ConnectionNumber(static_cast<Display*>(display)))
    , m_display(display)
    , m_probe(probe)
    , m_desktop(display)
    , m_scale(m_desktop.scale())
{
}

SdlBackend::~SdlBackend()
{
    detach();
    Pasteboard::general().setSystemClipboard({});
    PrimarySelection::shared().setSystem({});
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
    // SDL starts with text input on; it stays off until a text has the keyboard, so an
    // input method never composes into a view that takes no text.
    SDL_StopTextInput();
    // X's own events, for their time stamps: focus asked in answer to input names its time.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    m_desktop.watchRootProperties();
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
    // Text selected here becomes the desktop's primary selection; a middle click pastes
    // whoever's is there.
    PrimarySelection::shared().setSystem({ [](const std::string& text) { SDL_SetPrimarySelectionText(text.c_str()); },
        []() -> std::optional<std::string> {
            if (!SDL_HasPrimarySelectionText())
                return std::nullopt;
            char* text = SDL_GetPrimarySelectionText();
            std::string copy = text ? text : "";
            SDL_free(text);
            return copy;
        } });
    // Any round trip to the server made outside the pump (asking where the pointer is, how
    // large a screen is, SDL waiting for a window to take its size) reads the events that
    // came before its answer into the connection's queue, where the fd no longer shows them:
    // the loop asks for those, and for SDL's own queue, before it sleeps. A click went
    // unhandled until the next event otherwise.
    auto* display = static_cast<Display*>(m_display);
    m_source = base::RunLoop::main().addSource(m_fd, POLLIN, base::RunLoop::Mode::Common, [this](short) { pump(); },
        [display] { return XEventsQueued(display, QueuedAlready) > 0 || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); });
    schedulePump();
}

void SdlBackend::detach()
{
    if (m_source)
        base::RunLoop::main().removeSource(m_source);
    if (m_inputMethodPoll)
        m_inputMethodPoll->invalidate();
    m_inputMethodPoll.reset();
    m_source = 0;
    m_application = nullptr;
    m_textInputWindow = nullptr;
}

std::vector<Screen> SdlBackend::screens() const
{
    // Read once and kept until the display says they changed: reading the usable area is a
    // round trip, a wake-up of its own for every window placed or drawn.
    if (m_screensKnown)
        return m_screens;
    std::vector<Screen> out;
    int count = SDL_GetNumVideoDisplays();
    auto points = [this](const SDL_Rect& r) {
        return Rect(r.x / m_scale, flipY(r.y / m_scale, r.h / m_scale), r.w / m_scale, r.h / m_scale);
    };
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds, usable;
        if (SDL_GetDisplayBounds(i, &bounds) != 0)
            continue;
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0)
            usable = bounds;
        Screen screen;
        screen.frame = points(bounds);
        screen.visibleFrame = points(usable);
        const char* name = SDL_GetDisplayName(i);
        screen.name = name ? name : "";
        screen.backingScaleFactor = m_scale;
        out.push_back(screen);
    }
    m_screens = out;
    m_screensKnown = true;
    return out;
}

double SdlBackend::flipY(double y, double height) const
{
    SDL_Rect first { 0, 0, 0, 0 };
    SDL_GetDisplayBounds(0, &first);
    return (first.y + first.h) / m_scale - y - height;
}

Point SdlBackend::mouseLocation() const
{
    int x = 0, y = 0;
    // Asked of the server: SDL's own answer is what its input extension last saw, and a
    // pointer moved without it (a warp, a tool playing the user) left a window dragged by its
    // background a few steps short of where the button was let go.
    auto* display = static_cast<Display*>(m_display);
    ::Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    if (!display || !XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY, &buttons))
        SDL_GetGlobalMouseState(&x, &y);
    return { x / m_scale, flipY(y / m_scale, 0) };
}

std::uint32_t SdlBackend::modifierFlagsNow() const
{
    auto* display = static_cast<Display*>(m_display);
    ::Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    if (!display || !XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY, &mask))
        return m_modifiers;
    return pointerModifierFlags(mask);
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

SdlWindow* SdlBackend::windowForXWindow(unsigned long xWindow) const
{
    for (const auto& [id, window] : m_windows)
        if (window->xWindow() == xWindow)
            return window;
    return nullptr;
}

bool SdlBackend::displayFocusIsOurs() const
{
    auto focused = m_desktop.focusedWindow();
    if (!focused)
        return false;
    for (const auto& [id, window] : m_windows) {
        if (window->xWindow() == focused)
            return true;
    }
    return false;
}

Window* SdlBackend::blockerOf(Window& window) const
{
    for (const auto& other : m_application->windows())
        if (other.get() != &window && other->isVisible() && other->modalOwner() == &window)
            return other.get();
    return nullptr;
}

SdlWindow* SdlBackend::pressedWindowFor(std::uint32_t id, int x, int y, Point& at) const
{
    SdlWindow* told = windowFor(id);
    SdlWindow* pressed = m_pressedButtons ? windowFor(m_pressedWindow) : nullptr;
    auto local = [this](Window& w, int px, int py) { return Point { px / m_scale, w.frame().height() - py / m_scale }; };
    if (told)
        at = local(told->window(), x, y);
    // While a button is down, the window it went down in has the pointer, as the display's
    // own grab has it; SDL tells of a release in the window its pointer focus went to (one
    // just shown beside it), and the press was left without its release.
    if (!pressed || pressed == told)
        return told;
    if (told)
        at = pressed->window().convertPointFromScreen(told->window().convertPointToScreen(at));
    else
        at = pressed->window().convertPointFromScreen(mouseLocation());
    return pressed;
}

void SdlBackend::dispatchButton(bool down, int button, std::uint32_t sdlWindowId, int x, int y, int clicks)
{
    std::uint32_t bit = 1u << (button & 31);
    if (down && !m_pressedButtons)
        m_pressedWindow = sdlWindowId;
    if (down)
        m_pressedButtons |= bit;
    Point at;
    SdlWindow* sw = pressedWindowFor(sdlWindowId, x, y, at);
    if (!down && (m_pressedButtons &= ~bit) == 0)
        m_pressedWindow = 0;
    if (!sw)
        return;
    bool right = button == SDL_BUTTON_RIGHT;
    bool middle = button == SDL_BUTTON_MIDDLE;
    auto type = right    ? (down ? Event::Type::RightMouseDown : Event::Type::RightMouseUp)
                : middle ? (down ? Event::Type::OtherMouseDown : Event::Type::OtherMouseUp)
                         : (down ? Event::Type::LeftMouseDown : Event::Type::LeftMouseUp);
    if (button != SDL_BUTTON_LEFT && !right && !middle)
        return;
    m_application->sendEvent(Event::mouse(type, &sw->window(), at, m_modifiers, clicks));
}

void SdlBackend::recoverPressSdlDrops(const void* xButtonEvent)
{
    // As a button goes down SDL grabs the pointer for the window it last saw the pointer in
    // (an open menu's, when the press lands on the status item beside it); the release goes
    // to that window, and when the press closed it before SDL read the release, SDL drops
    // the release and takes the button for still down: it drops the next press too, and that
    // click is lost. The display's word says the button was up before this press; ours, SDL's.
    const auto& press = *static_cast<const XButtonEvent*>(xButtonEvent);
    static constexpr std::pair<unsigned, int> kButtons[] { { Button1, SDL_BUTTON_LEFT }, { Button2, SDL_BUTTON_MIDDLE }, { Button3, SDL_BUTTON_RIGHT } };
    static constexpr unsigned kMasks[] { Button1Mask, Button2Mask, Button3Mask };
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        auto [xButton, sdlButton] = kButtons[i];
        if (press.button != xButton || (press.state & kMasks[i]) || !(m_pressedButtons & (1u << sdlButton)))
            continue;
        // The release SDL missed, then the press it will not tell of; its own release later
        // finds SDL's word and ours agreeing again.
        dispatchButton(false, sdlButton, 0, 0, 0, 1);
        SdlWindow* sw = windowForXWindow(press.window);
        if (sw)
            dispatchButton(true, sdlButton, SDL_GetWindowID(sw->sdl()), press.x, press.y, 1);
    }
}

Window* SdlBackend::keyboardWindow(std::uint32_t id) const
{
    SdlWindow* sw = windowFor(id);
    return sw ? &sw->window() : m_application ? m_application->keyWindow() : nullptr;
}

std::shared_ptr<gfx::Bitmap> SdlBackend::screenSnapshot(Rect rect, double scale) const
{
    (void)scale;
    // X's pixels are ours at the backend's scale, whatever the window asked for.
    int x = static_cast<int>(std::lround(rect.minX() * m_scale));
    int y = static_cast<int>(std::lround(flipY(rect.minY(), rect.height()) * m_scale));
    int width = static_cast<int>(std::ceil(rect.width() * m_scale));
    int height = static_cast<int>(std::ceil(rect.height() * m_scale));
    return m_desktop.snapshot(x, y, width, height);
}

EdgeInsets SdlBackend::borderPoints(int top, int left, int bottom, int right) const
{
    // In whole points, each side rounded up: half points of a border at two pixels a point
    // moved a window placed with them by a pixel at each showing.
    auto points = [this](int side) { return std::ceil(side / m_scale); };
    return EdgeInsets { points(top), points(left), points(bottom), points(right) };
}

std::optional<std::array<long, 4>> SdlBackend::expectedFrame() const
{
    if (!m_expectedFrame)
        m_expectedFrame = m_desktop.expectedFrameExtents();
    return *m_expectedFrame;
}

std::optional<EdgeInsets> SdlBackend::expectedDecoration() const
{
    auto told = expectedFrame();
    if (!told)
        return std::nullopt;
    auto [left, right, top, bottom] = *told;
    return borderPoints(int(top), int(left), int(bottom), int(right));
}

void SdlBackend::setTextInput(Window* window, std::optional<Rect> caret)
{
    if (!window || !caret) {
        if (SDL_IsTextInputActive())
            SDL_StopTextInput();
        m_textInputWindow = nullptr;
        m_candidateArea.reset();
        return;
    }
    // Another window, or another text: the input method starts afresh there.
    if (window != m_textInputWindow && SDL_IsTextInputActive())
        SDL_StopTextInput();
    m_textInputWindow = window;
    if (!SDL_IsTextInputActive())
        SDL_StartTextInput();
    // Pixels of the window, from its top left.
    double height = window->frame().height();
    SDL_Rect area { static_cast<int>(std::lround(caret->minX() * m_scale)),
        static_cast<int>(std::lround((height - caret->maxY()) * m_scale)),
        std::max(1, static_cast<int>(std::lround(caret->width() * m_scale))),
        std::max(1, static_cast<int>(std::lround(caret->height() * m_scale))) };
    SDL_SetTextInputRect(&area);
    m_candidateArea = Rect(area.x, area.y, area.w, area.h);
}

void SdlBackend::discardComposition()
{
    if (!SDL_IsTextInputActive())
        return;
    // Stopping resets the input method, which drops what it was composing.
    SDL_StopTextInput();
    SDL_StartTextInput();
}

void SdlBackend::schedulePump()
{
    auto* display = static_cast<Display*>(m_display);
    if (!m_source) {
        XFlush(display);
        return;
    }
    if (m_pumpScheduled)
        return;
    m_pumpScheduled = true;
    std::weak_ptr<bool> alive = m_alive;
    base::RunLoop::main().post([this, alive, display] {
        if (alive.expired())
            return;
        m_pumpScheduled = false;
        XFlush(display);
        pump();
    });
}

void SdlBackend::pollInputMethodSoon()
{
    if (!SDL_IsTextInputActive() || (m_inputMethodPoll && m_inputMethodPoll->isValid()))
        return;
    std::weak_ptr<bool> alive = m_alive;
    m_inputMethodPoll = base::Timer::create(kInputMethodAnswer, false, base::RunLoop::Mode::Common, [this, alive](base::Timer&) {
        if (!alive.expired())
            pump();
    });
}

void SdlBackend::pump()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        dispatch(&event);
        // A key typed right after the event that closed a modal window is the outer run's:
        // the modal one would hold it back as aimed past its window.
        if (base::RunLoop::main().modalRunEnded())
            return;
    }
}

namespace {

// The one place where this desktop's modifier keys meet the combinations' names: Ctrl is
// their Command, Super their Control, Alt their Option. Everything above reads the flags.
std::uint32_t modifierFlags(std::uint16_t mod)
{
    std::uint32_t flags = 0;
    if (mod & KMOD_SHIFT)
        flags |= ModifierFlag::Shift;
    if (mod & KMOD_CTRL)
        flags |= ModifierFlag::Command;
    if (mod & KMOD_GUI)
        flags |= ModifierFlag::Control;
    if (mod & KMOD_ALT)
        flags |= ModifierFlag::Option;
    if (mod & KMOD_CAPS)
        flags |= ModifierFlag::CapsLock;
    return flags;
}

// The same from the state the display gives with a pointer event (X's modifier masks; Mod1
// is Alt and Mod4 Super on every common keyboard map).
std::uint32_t pointerModifierFlags(unsigned int state)
{
    std::uint32_t flags = 0;
    if (state & ShiftMask)
        flags |= ModifierFlag::Shift;
    if (state & ControlMask)
        flags |= ModifierFlag::Command;
    if (state & Mod4Mask)
        flags |= ModifierFlag::Control;
    if (state & Mod1Mask)
        flags |= ModifierFlag::Option;
    if (state & LockMask)
        flags |= ModifierFlag::CapsLock;
    return flags;
}

bool isModifierKey(SDL_Scancode scancode)
{
    return (scancode >= SDL_SCANCODE_LCTRL && scancode <= SDL_SCANCODE_RGUI) || scancode == SDL_SCANCODE_CAPSLOCK;
}

// The characters of keys that type none through text input (text input is off while no
// text has the keyboard).
std::string controlCharacters(SDL_Keycode key, std::uint32_t flags)
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
    if (key >= 0x20 && key < 0x7f) {
        char c = static_cast<char>(key);
        if (flags & (ModifierFlag::Shift | ModifierFlag::CapsLock))
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return std::string(1, c);
    }
    return {};
}

}

void SdlBackend::zoomAsShown(SdlWindow& sw)
{
    // Only a window on the screen: a withdrawn one keeps what it was, and is maximized again
    // as it maps.
    if (auto maximized = m_desktop.shownMaximized(sw.xWindow())) {
        sw.zoomedByDisplay(*maximized);
        sw.window().platformDidZoom(*maximized, sw.frameBeforeDisplayResize());
    }
}

void SdlBackend::dispatch(const void* raw)
{
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    if (!m_application)
        return;
    auto baseLocation = [this](Window& w, int x, int y) {
        return Point { x / m_scale, w.frame().height() - y / m_scale };
    };
    switch (e.type) {
    case SDL_SYSWMEVENT: {
        const XEvent& x = e.syswm.msg->msg.x11.event;
        // A panel or a strip reserving space moved the work area, or the screen changed size
        // (SDL says nothing of either): windows keep inside it, those showing moved into it.
        if (m_desktop.isWorkAreaChange(&x)) {
            m_screensKnown = false;
            m_application->workAreaChanged();
        }
        if (x.type == KeyPress || x.type == KeyRelease)
            m_application->setInputTime(static_cast<std::uint32_t>(x.xkey.time));
        else if (x.type == ButtonPress || x.type == ButtonRelease) {
            m_application->setInputTime(static_cast<std::uint32_t>(x.xbutton.time));
            // SDL queues its own event for the press behind this one.
            m_modifiers = pointerModifierFlags(x.xbutton.state);
            if (x.type == ButtonPress)
                recoverPressSdlDrops(&x.xbutton);
        } else if (x.type == MotionNotify)
            m_modifiers = pointerModifierFlags(x.xmotion.state);
        else if (x.type == DestroyNotify)
            windowDestroyedByDisplay(x.xdestroywindow.window);
        else if (x.type == ConfigureNotify && x.xconfigure.window == x.xconfigure.event) {
            if (SdlWindow* sw = windowForXWindow(x.xconfigure.window))
                sw->configuredByDisplay(x.xconfigure.width, x.xconfigure.height);
        } else if (auto changed = m_desktop.propertyChangedBy(&x, "_NET_WM_STATE")) {
            if (SdlWindow* sw = windowForXWindow(changed))
                zoomAsShown(*sw);
        } else if (auto framed = m_desktop.propertyChangedBy(&x, "_NET_FRAME_EXTENTS")) {
            if (SdlWindow* sw = windowForXWindow(framed))
                sw->framedByDisplay();
        }
        return;
    }
    case SDL_WINDOWEVENT:
        dispatchWindowEvent(raw);
        return;
    case SDL_DISPLAYEVENT:
        m_screensKnown = false;
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        dispatchButton(e.type == SDL_MOUSEBUTTONDOWN, e.button.button, e.button.windowID, e.button.x, e.button.y, e.button.clicks);
        return;
    case SDL_MOUSEMOTION: {
        Point at;
        SdlWindow* sw = pressedWindowFor(e.motion.windowID, e.motion.x, e.motion.y, at);
        if (!sw)
            return;
        auto type = (e.motion.state & SDL_BUTTON_LMASK) ? Event::Type::LeftMouseDragged : Event::Type::MouseMoved;
        m_application->sendEvent(Event::mouse(type, &sw->window(), at, m_modifiers, 0));
        return;
    }
    case SDL_MOUSEWHEEL: {
        SdlWindow* sw = windowFor(e.wheel.windowID);
        if (!sw)
            return;
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        // With the modifiers held, so that Shift turns the wheel sideways.
        m_application->sendEvent(Event::scroll(&sw->window(), baseLocation(sw->window(), x, y), e.wheel.preciseX,
            e.wheel.preciseY, m_modifiers));
        return;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        dispatchKeyEvent(raw);
        return;
    case SDL_TEXTINPUT:
    case SDL_TEXTEDITING:
    case SDL_TEXTEDITING_EXT:
        dispatchTextEvent(raw);
        return;
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

void SdlBackend::dispatchKeyEvent(const void* raw)
{
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    Window* w = keyboardWindow(e.key.windowID);
    pollInputMethodSoon();
    // The state as of this key, not as of the end of the queue: a key typed with Shift and
    // queued behind its release still had Shift.
    m_modifiers = modifierFlags(e.key.keysym.mod);
    auto code = KeyTable::codeForScancode(e.key.keysym.scancode);
    if (!code)
        return;
    bool isModifier = isModifierKey(e.key.keysym.scancode);
    std::string characters;
    // The text a key typed is queued right behind the key. Text further on belongs to a later
    // key (Shift pressed, then the key that typed ":"), and a modifier types none of its own.
    SDL_Event text;
    if (e.type == SDL_KEYDOWN && !isModifier && SDL_PeepEvents(&text, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1
        && text.type == SDL_TEXTINPUT) {
        SDL_PeepEvents(&text, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
        characters = text.text.text;
    } else if (!isModifier) {
        characters = controlCharacters(e.key.keysym.sym, m_modifiers);
    }
    auto type = isModifier ? Event::Type::FlagsChanged : (e.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp);
    m_application->sendEvent(Event::key(type, w, static_cast<std::uint16_t>(*code), characters, m_modifiers, e.key.repeat != 0));
}

void SdlBackend::dispatchWindowEvent(const void* raw)
{
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    SdlWindow* sw = windowFor(e.window.windowID);
    if (!sw)
        return;
    Window& w = sw->window();
    switch (e.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        // The server focuses only shown windows: word of focus for one we have ordered out
        // since (a pop-up put away at once) is stale, and would take the keyboard from the
        // window that holds it now.
        if (!w.isVisible())
            break;
        sw->focused();
        m_application->becomeActive(false);
        // A window a modal one or an alert blocks, brought forward by a click: the modal one
        // comes with it and keeps the keyboard, or Escape and Return went nowhere.
        if (Window* modal = blockerOf(w)) {
            // Asked as of now: the display gave the blocked window the keyboard after the
            // user's last input, and a window manager weighing the time refuses a request
            // stamped with that input.
            modal->orderFront();
            m_application->setKeyWindow(modal);
            if (auto* platform = dynamic_cast<SdlWindow*>(modal->platformWindow()))
                platform->focus(0);
            break;
        }
        if (!w.isKeyWindow() && w.canBecomeKeyWindow())
            m_application->setKeyWindow(&w);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST: {
        // Focus moving between two of our windows passes through no window at all;
        // look once the queue is drained whether another application has it now. The
        // display may not have told of the other window yet (a pop-up shown right after
        // its program came forward), so it is asked: deactivating would close the pop-up.
        std::weak_ptr<bool> alive = m_alive;
        base::RunLoop::main().post([this, alive] {
            if (!alive.expired() && m_application && !SDL_GetKeyboardFocus() && !displayFocusIsOurs())
                m_application->deactivate();
        });
        break;
    }
    case SDL_WINDOWEVENT_MOVED: {
        // The place it has now: word of a place since left (a window manager's own place for
        // a maximized window it gives back, read after the answer to the place asked, which
        // SDL then passed over as no news) left the window counting itself there.
        auto [x, y] = m_desktop.placeNow(sw->xWindow()).value_or(std::pair { e.window.data1, e.window.data2 });
        // In whole points: at two pixels a point, a frame border of one pixel put the window
        // half a point off, and each showing moved it by a pixel more.
        Point origin { std::round(x / m_scale), std::round(flipY(y / m_scale, w.frame().height())) };
        sw->movedByDisplay(origin, x, y);
        w.platformDidMove(origin);
        break;
    }
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        Size size { e.window.data1 / m_scale, e.window.data2 / m_scale };
        sw->surfaceResized();
        sw->resizedByDisplay(size);
        w.platformDidResize(size);
        break;
    }
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
        // Maximized or not is read from the window manager's own word (zoomAsShown): SDL
        // says "restored" of every window it sees mapped, and of a maximized one the window
        // manager withdrew and forgot the state of.
        w.platformDidMiniaturize(false);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        // SDL says so of a window we withdrew too: only one still meant to show is minimized.
        w.platformDidMiniaturize(w.isVisible());
        break;
    case SDL_WINDOWEVENT_SHOWN:
        w.platformDidMiniaturize(false);
        sw->mapStateChanged();
        zoomAsShown(*sw);
        break;
    case SDL_WINDOWEVENT_HIDDEN:
        sw->mapStateChanged();
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        sw->presentAgain();
        break;
    case SDL_WINDOWEVENT_LEAVE:
        m_application->pointerLeftWindow(w);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        w.performClose();
        break;
    default:
        break;
    }
}

void SdlBackend::windowDestroyedByDisplay(unsigned long xWindow)
{
    // Windows we let go ourselves are out of the list before the display says they went.
    SdlWindow* sw = windowForXWindow(xWindow);
    if (!sw)
        return;
    Window& w = sw->window();
    auto keep = w.weak_from_this().lock();
    sw->destroyedByDisplay();
    // Forgotten, as if closed: shown again, it is made anew.
    w.close();
}

void SdlBackend::dispatchTextEvent(const void* raw)
{
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    if (e.type == SDL_TEXTINPUT) {
        // Text with no key before it: what an input method committed. SDL cuts it into
        // pieces of 32 bytes; whole, it is one insertion and one undo step.
        std::string committed = e.text.text;
        Window* w = keyboardWindow(e.text.windowID);
        SDL_Event next;
        while (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 && next.type == SDL_TEXTINPUT) {
            SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
            committed += next.text.text;
        }
        if (w)
            w->commitText(committed);
        return;
    }
    bool extended = e.type == SDL_TEXTEDITING_EXT;
    std::string text = extended ? (e.editExt.text ? e.editExt.text : "") : e.edit.text;
    Sint32 start = extended ? e.editExt.start : e.edit.start;
    Sint32 length = extended ? e.editExt.length : e.edit.length;
    if (extended)
        SDL_free(e.editExt.text);
    Window* w = keyboardWindow(extended ? e.editExt.windowID : e.edit.windowID);
    if (!w)
        return;
    Composition composition { text, 0, 0 };
    // SDL says -1 where the input method gave no caret: then it is at the end.
    composition.cursor = start < 0 ? std::string::npos : static_cast<std::size_t>(start);
    composition.selectionLength = length < 0 ? 0 : static_cast<std::size_t>(length);
    w->setComposition(composition);
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
