#include "platform/ui/SdlWindow.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"
#include "platform/ui/SdlBackend.h"
#include "platform/ui/Window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <utility>

namespace ui {

namespace {

int pixels(double points, double scale) { return static_cast<int>(std::lround(points * scale)); }

void setClickThrough(Display* display, ::Window window, bool through)
{
    if (!display || !window)
        return;
    if (through) {
        XShapeCombineRectangles(display, window, ShapeInput, 0, 0, nullptr, 0, ShapeSet, YXBanded);
    } else {
        XRectangle all { 0, 0, 32767, 32767 };
        XShapeCombineRectangles(display, window, ShapeInput, 0, 0, &all, 1, ShapeSet, YXBanded);
    }
}

// The window's picture as an SDL surface, to be copied into the window surface as it is. A
// window surface without alpha takes the colour bytes unchanged: wrapped as its own format
// the copy is row by row, where dropping the alpha in a conversion went pixel by pixel and
// cost a third of a redrawn window's time.
SDL_Surface* wrapPicture(cairo_surface_t* surface, const SDL_Surface& target)
{
    Uint32 format = target.format->format == SDL_PIXELFORMAT_RGB888 ? SDL_PIXELFORMAT_RGB888 : SDL_PIXELFORMAT_ARGB8888;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(surface),
        cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), 32,
        cairo_image_surface_get_stride(surface), format);
    if (source)
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    return source;
}

// The EWMH window type of each kind. A cover stays a normal window, fixed in size (which a
// tiling window manager floats): every window manager gives a normal window the keyboard,
// and a cover that takes input needs it.
const char* windowType(WindowKind kind)
{
    switch (kind) {
    case WindowKind::Dialog:
        return "_NET_WM_WINDOW_TYPE_DIALOG";
    case WindowKind::Notification:
        return "_NET_WM_WINDOW_TYPE_NOTIFICATION";
    case WindowKind::Menu:
        return "_NET_WM_WINDOW_TYPE_POPUP_MENU";
    case WindowKind::PopUp:
        return "_NET_WM_WINDOW_TYPE_UTILITY";
    case WindowKind::Dock:
        return "_NET_WM_WINDOW_TYPE_DOCK";
    case WindowKind::Normal:
    case WindowKind::Cover:
        break;
    }
    return "_NET_WM_WINDOW_TYPE_NORMAL";
}

}

SdlWindow::~SdlWindow()
{
    if (m_focusCheck)
        m_focusCheck->invalidate();
    forgetSizeAsked();
    destroy();
    if (m_lastSurface)
        cairo_surface_destroy(m_lastSurface);
}

void SdlWindow::create(const PlatformWindowState& state)
{
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (state.borderless)
        flags |= SDL_WINDOW_BORDERLESS;
    // A note's size is the program's alone: fixed for the window manager, which a tiling
    // one then floats rather than giving it a tile beside the main window's.
    if (state.resizable && state.kind != WindowKind::Notification)
        flags |= SDL_WINDOW_RESIZABLE;
    if (state.level > 0)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (state.skipTaskbar || state.level > 0)
        flags |= SDL_WINDOW_SKIP_TASKBAR;
    // A tool tip is nobody's business but ours: no decoration, no management, no focus.
    if (state.toolTip)
        flags |= SDL_WINDOW_TOOLTIP;
    double scale = m_backend.scale();
    int w = std::max(1, pixels(state.frame.width(), scale));
    int h = std::max(1, pixels(state.frame.height(), scale));
    auto [x, y] = contentTopLeft(state);
    m_sdl = SDL_CreateWindow(state.title.c_str(), x, y, w, h, flags);
    if (!m_sdl) {
        base::diagnostic(std::string("SDL could not create a window: ") + SDL_GetError());
        return;
    }
    m_backend.m_windows[SDL_GetWindowID(m_sdl)] = this;
    m_presenter.attach(m_backend.m_display, xWindow());
    m_displaySize = std::pair { w, h };
    forgetSizeAsked();
    m_sizesRefused.clear();
    m_sizesAskedLately.clear();
    m_created = true;
    m_mappedOnce = false;
    m_mapAsked = false;
    m_frameWhenAway.reset();
    m_bordersGivenBack.reset();
}

void SdlWindow::destroy()
{
    if (!m_sdl)
        return;
    m_backend.m_windows.erase(SDL_GetWindowID(m_sdl));
    m_presenter.detach();
    SDL_DestroyWindow(m_sdl);
    m_sdl = nullptr;
    m_displaySize.reset();
    forgetSizeAsked();
}

unsigned long SdlWindow::xWindow() const
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!m_sdl || !SDL_GetWindowWMInfo(m_sdl, &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return info.info.x11.window;
}

std::pair<int, int> SdlWindow::contentTopLeft(const PlatformWindowState& state) const
{
    // Asked to stand where the display last put it, it stays there to the pixel: at two
    // pixels a point the display may have put it half a point off the whole points the
    // window counts in, and asked again in those (a pad opened), it moved by a pixel.
    constexpr double kSame = 1e-6;
    if (m_placeTold && std::fabs(state.frame.minX() - m_placeTold->topLeft.x) < kSame
        && std::fabs(state.frame.maxY() - m_placeTold->topLeft.y) < kSame)
        return { m_placeTold->x, m_placeTold->y };
    double scale = m_backend.scale();
    return { pixels(state.frame.minX(), scale), pixels(m_backend.flipY(state.frame.minY(), state.frame.height()), scale) };
}

void SdlWindow::movedByDisplay(Point origin, int pixelX, int pixelY)
{
    m_state.frame.origin = origin;
    // Let go while put away, the window stands wherever the window manager leaves it, which
    // is no place of the user's.
    if (m_state.visible && !m_unmapAsked)
        m_placeTold = PlaceTold { Point(origin.x, origin.y + m_window.frame().height()), pixelX, pixelY };
}

void SdlWindow::moveFrameAround(std::pair<int, int> borders, int x, int y)
{
    auto* display = static_cast<Display*>(m_backend.m_display);
    XMoveWindow(display, xWindow(), x - borders.first, y - borders.second);
    XFlush(display);
}

std::optional<std::pair<int, int>> SdlWindow::bordersHeard() const
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!m_sdl || SDL_GetWindowBordersSize(m_sdl, &top, &left, &bottom, &right) != 0 || (top == 0 && left == 0))
        return std::nullopt;
    return std::pair { left, top };
}

void SdlWindow::zoomedByDisplay(bool zoomed)
{
    if (m_state.zoomed && !zoomed)
        m_bordersGivenBack = bordersHeard();
    m_state.zoomed = zoomed;
}

void SdlWindow::framedByDisplay()
{
    // Borders told while maximized, or still the maximized frame's once given back, are not
    // those of the window at rest. Maximized or not as the display stands now: its word of the
    // state may come after this word, and SDL may have heard more of the frame since.
    auto borders = bordersHeard();
    bool atRest = !m_backend.m_desktop.shownMaximized(xWindow()).value_or(true);
    if (!atRest || !borders || borders == m_bordersGivenBack)
        return;
    m_bordersAtRest = borders;
    m_extentsAtRest = extentsHeard();
    // Given back its size, the window still has the maximized frame until the display tells
    // of the one it gives back: fitted to the work area now, it would stay that large.
    if (!std::exchange(m_bordersGivenBack, std::nullopt))
        m_window.platformDidFrame();
}

void SdlWindow::moveContentTo(int x, int y)
{
    // SDL asks for the frame as much up and left as the frame it knows. The window manager,
    // letting the window go, clears its frame: moved before it frames the window again, SDL
    // would ask for the frame at the content's place, and the window came back that much lower.
    auto borders = bordersHeard();
    if (m_frameWhenAway && !m_state.borderless && !borders) {
        moveFrameAround(*m_frameWhenAway, x, y);
        return;
    }
    // Given back its size, the window has its frame at rest before SDL hears of it: placed
    // by the maximized frame's borders (none at the sides), it stood a pixel or two off.
    if (!m_state.zoomed && !m_state.borderless && m_bordersAtRest && borders == m_bordersGivenBack && borders != m_bordersAtRest) {
        moveFrameAround(*m_bordersAtRest, x, y);
        return;
    }
    // A window manager puts a new window's frame where the window asks to stand: asked at the
    // content's place, it showed a title bar lower, and moved up once told of its frame.
    auto expected = m_state.borderless || m_state.toolTip || m_mappedOnce ? std::nullopt : m_backend.expectedFrame();
    if (expected && !borders) {
        moveFrameAround({ int((*expected)[0]), int((*expected)[2]) }, x, y);
        return;
    }
    SDL_SetWindowPosition(m_sdl, x, y);
}

void SdlWindow::map()
{
    // Asked after a withdrawal the display has not answered yet: that one is past, and a
    // hide asked next is asked again, or the window stayed up once the display mapped it.
    m_mapAsked = true;
    m_unmapAsked = false;
    if (!m_mappedOnce) {
        m_mappedOnce = true;
        SDL_ShowWindow(m_sdl);
        return;
    }
    // SDL waits for the display to map the window, for ever where a window manager keeps it
    // minimized (a note window minimized by the user, then shown again by its animation):
    // after the first showing it is asked for without waiting, and SDL hears of it with the
    // display's answer.
    auto* display = static_cast<Display*>(m_backend.m_display);
    // Mapped again, a window manager puts its frame where the window stands: it is put where
    // its own frame says, not where SDL last heard (letting it go, the window manager may or
    // may not yet have told SDL of its frame's place).
    if (m_frameWhenAway && !m_state.borderless) {
        waitUntilLetGo(display);
        auto [x, y] = contentTopLeft(m_state);
        moveFrameAround(*m_frameWhenAway, x, y);
    }
    XMapRaised(display, xWindow());
    XFlush(display);
}

void SdlWindow::waitUntilLetGo(void* xDisplay) const
{
    // Withdrawn a moment ago, the window may still sit in the window manager's frame: mapped
    // now, it would be taken for the old one and framed where the content stood, that much
    // lower. It is mapped again once let go (as the window managers' convention asks), which
    // takes a few milliseconds; where no window manager frames it, at once.
    auto* display = static_cast<Display*>(xDisplay);
    constexpr int kTries = 60;
    for (int tries = 0; tries < kTries; ++tries) {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        bool known = false;
        m_backend.m_desktop.ignoringErrors([&] { known = XQueryTree(display, xWindow(), &root, &parent, &children, &count) != 0; });
        if (children)
            XFree(children);
        if (!known || parent == root)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void SdlWindow::hide()
{
    // Asked of the display without waiting for its answer: SDL would wait for the window to
    // be unmapped, for ever where it is gone. SDL learns of it with the display's answer; a
    // window asked to map and put away before the display's answer came is withdrawn all
    // the same, or it would stay up once the display mapped it.
    if (auto borders = bordersHeard())
        m_frameWhenAway = borders;
    auto* display = static_cast<Display*>(m_backend.m_display);
    XWithdrawWindow(display, xWindow(), DefaultScreen(display));
    XFlush(display);
    m_unmapAsked = true;
}

void SdlWindow::destroyedByDisplay()
{
    if (!m_sdl)
        return;
    base::diagnostic("Window system: the display destroyed the window of \"" + m_state.title + "\"");
    m_backend.m_windows.erase(SDL_GetWindowID(m_sdl));
    // SDL hides a window it still thinks shown before letting it go, and waits for the
    // display to say it was unmapped: of a window already gone that word may never come.
    // It is put in the queue for SDL to find; unneeded, it is skipped as a stranger's.
    unsigned long gone = xWindow();
    auto* display = static_cast<Display*>(m_backend.m_display);
    if (gone && display) {
        XEvent unmapped {};
        unmapped.xunmap.type = UnmapNotify;
        unmapped.xunmap.display = display;
        unmapped.xunmap.event = gone;
        unmapped.xunmap.window = gone;
        XPutBackEvent(display, &unmapped);
    }
    m_presenter.detach();
    m_backend.m_desktop.ignoringErrors([this] { SDL_DestroyWindow(m_sdl); });
    m_sdl = nullptr;
    m_displaySize.reset();
    forgetSizeAsked();
    m_unmapAsked = false;
    m_firstFrameReported = false;
}

void SdlWindow::show(const PlatformWindowState& state)
{
    // Maximized when put away, it comes back so: the window manager forgot it meanwhile,
    // and would frame the work area's size as an ordinary window, past the work area.
    if (state.zoomed && m_mappedOnce)
        m_backend.m_desktop.maximizeOnMapping(xWindow());
    if (state.takesFocus) {
        // Raised only: the keyboard is asked for by focus() with the time of the input that
        // showed it. SDL's own raise asks with no time, which a window manager grants even
        // after a click the user made elsewhere meanwhile.
        map();
        m_backend.m_desktop.raise(xWindow());
        return;
    }
    // Shown on top but without the keyboard, which SDL gives to every window it maps where
    // no window manager runs: it goes back where it was.
    unsigned long before = m_backend.m_desktop.focusedWindow();
    map();
    m_backend.m_desktop.raise(xWindow());
    m_backend.m_desktop.giveFocusBack(xWindow(), before);
}

void SdlWindow::apply(const PlatformWindowState& state)
{
    bool recreate = m_created
        && (state.skipTaskbar != m_state.skipTaskbar || state.borderless != m_state.borderless
            || (state.level > 0) != (m_state.level > 0) || state.toolTip != m_state.toolTip);
    if (recreate)
        destroy();
    // Gone (the display destroyed it) or made anew while put away: no window is made until
    // it is shown again.
    if (!m_sdl && m_created && !state.visible) {
        m_state = state;
        m_mapAsked = false;
        return;
    }
    bool fresh = !m_sdl;
    if (!m_sdl)
        create(state);
    if (!m_sdl)
        return;
    // A new SDL window starts from nothing: everything asked is applied.
    PlatformWindowState old = fresh ? PlatformWindowState {} : m_state;
    m_state = state;
    auto* display = static_cast<Display*>(m_backend.m_display);
    unsigned long xw = xWindow();

    if (state.title != old.title)
        SDL_SetWindowTitle(m_sdl, state.title.c_str());
    // SDL marks a tool tip itself.
    if ((fresh || state.kind != old.kind) && !state.toolTip)
        m_backend.m_desktop.setWindowType(xw, windowType(state.kind));
    // Zooming is the window manager's where there is one; the frame asked for stands where
    // there is none. Not by SDL's flag, which a mapping clears while the window manager keeps
    // the window maximized.
    if (!state.zoomed && old.zoomed) {
        m_bordersGivenBack = bordersHeard();
        m_backend.m_desktop.unmaximize(xw, SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_SHOWN);
    }
    // Another frame in the display's pixels only: asked again for the frame it has (content a
    // fraction of a point higher than the size it gave), the request crossed the display's
    // next move (a maximized window given back its size, then its place) and pulled it back.
    bool sized = fresh || state.scale != old.scale || pixelSize(state.frame.size) != pixelSize(old.frame.size);
    if (sized || state.placement != old.placement || contentTopLeft(state) != contentTopLeft(old))
        applyFrame(state, sized);
    if (state.zoomed && !old.zoomed)
        SDL_MaximizeWindow(m_sdl);
    if (state.minSize != old.minSize)
        SDL_SetWindowMinimumSize(m_sdl, pixels(state.minSize.width, m_backend.scale()), pixels(state.minSize.height, m_backend.scale()));
    if (state.alpha != old.alpha || fresh)
        SDL_SetWindowOpacity(m_sdl, static_cast<float>(state.alpha));
    if (state.takesFocus != old.takesFocus)
        m_backend.m_desktop.setTakesFocus(xw, state.takesFocus);
    bool mapped = (SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_SHOWN) && !m_unmapAsked;
    if (state.allDesktops != old.allDesktops)
        m_backend.m_desktop.setOnAllDesktops(xw, state.allDesktops, mapped);
    // Asked once for each showing: an animation changing the alpha at every frame of a
    // window the window manager keeps minimized does not ask again at every frame.
    if (state.visible && !mapped && (!m_mapAsked || !old.visible))
        show(state);
    else if (!state.visible && (mapped || m_mapAsked) && !m_unmapAsked)
        hide();
    if (!state.visible)
        m_mapAsked = false;
    if (state.ignoresMouseEvents != old.ignoresMouseEvents)
        setClickThrough(display, xw, state.ignoresMouseEvents);
    if (state.modalFor != old.modalFor || recreate)
        applyModalFor(state, mapped);
    if (state.reservesSpace != old.reservesSpace || (state.reservesSpace && (state.frame != old.frame || state.placement != old.placement)))
        applyReservation(state);
    if (recreate && m_lastSurface)
        present(m_lastSurface);
    m_backend.schedulePump();
}

void SdlWindow::applyModalFor(const PlatformWindowState& state, bool mapped)
{
    unsigned long owner = 0;
    if (state.modalFor) {
        if (auto* platform = dynamic_cast<SdlWindow*>(state.modalFor->platformWindow()))
            owner = platform->xWindow();
    }
    m_backend.m_desktop.setModalFor(xWindow(), owner, owner != 0, mapped);
}

void SdlWindow::applyReservation(const PlatformWindowState& state)
{
    if (!state.reservesSpace) {
        m_backend.m_desktop.reserveTop(xWindow(), 0, 0, 0);
        return;
    }
    double scale = m_backend.scale();
    auto [left, top] = contentTopLeft(state);
    int height = pixels(state.frame.height(), scale);
    int width = pixels(state.frame.width(), scale);
    m_backend.m_desktop.reserveTop(xWindow(), top + height, left, left + width - 1);
}

void SdlWindow::presentPart(cairo_surface_t* surface, Rect changedPixels)
{
    // A part is copied only into a window surface that already shows the rest.
    if (!m_firstFrameReported || surface != m_lastSurface || !m_sdl || m_wholeNeeded || holdsBack(surface)) {
        present(surface);
        return;
    }
    if (changedPixels.isEmpty())
        return;
    if (m_presenter.put(surface, changedPixels)) {
        m_backend.schedulePump();
        return;
    }
    SDL_Surface* target = SDL_GetWindowSurface(m_sdl);
    if (!target)
        return;
    cairo_surface_flush(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    SDL_Rect part { int(changedPixels.minX()), int(changedPixels.minY()), int(changedPixels.width()), int(changedPixels.height()) };
    SDL_Rect whole { 0, 0, std::min(width, target->w), std::min(height, target->h) };
    if (!SDL_IntersectRect(&part, &whole, &part))
        return;
    SDL_Surface* source = wrapPicture(surface, *target);
    if (source) {
        SDL_Rect to = part;
        SDL_BlitSurface(source, &part, target, &to);
        SDL_FreeSurface(source);
        SDL_UpdateWindowSurfaceRects(m_sdl, &part, 1);
    }
    m_backend.schedulePump();
}

void SdlWindow::present(cairo_surface_t* surface)
{
    // Kept for an expose: the window may replace its picture while hidden.
    if (surface != m_lastSurface) {
        cairo_surface_reference(surface);
        if (m_lastSurface)
            cairo_surface_destroy(m_lastSurface);
        m_lastSurface = surface;
    }
    if (!m_sdl || holdsBack(surface))
        return;
    if (m_presenter.put(surface, Rect(0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)))
        || presentThroughSdl(surface)) {
        m_wholeNeeded = false;
        m_pictureHeldBack = false;
        // Once per window: start-up is timed from outside by this line.
        if (!m_firstFrameReported && (SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_SHOWN)) {
            m_firstFrameReported = true;
            base::diagnostic("Window system: first frame of \"" + m_state.title + "\" on the screen");
        }
    }
    // Drawing talks to the server, which may leave events read but not yet handled.
    m_backend.schedulePump();
}

bool SdlWindow::presentThroughSdl(cairo_surface_t* surface)
{
    SDL_Surface* target = SDL_GetWindowSurface(m_sdl);
    if (!target)
        return false;
    cairo_surface_flush(surface);
    SDL_Surface* source = wrapPicture(surface, *target);
    if (!source)
        return false;
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(m_sdl);
    return true;
}

void SdlWindow::raise()
{
    if (!m_sdl)
        return;
    // Minimized by the window manager, it is given back: mapped again, without waiting.
    if (m_state.visible && (SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_MINIMIZED)) {
        auto* display = static_cast<Display*>(m_backend.m_display);
        XMapRaised(display, xWindow());
        XFlush(display);
        return;
    }
    if (SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_SHOWN)
        m_backend.m_desktop.raise(xWindow());
}

void SdlWindow::focus(std::uint32_t inputTime)
{
    if (!m_sdl || !m_state.takesFocus)
        return;
    m_backend.m_desktop.activate(xWindow(), inputTime);
    if (m_focusCheck)
        m_focusCheck->invalidate();
    // A window manager preventing focus stealing may refuse: the user is asked to look then.
    m_focusCheck = base::Timer::create(1, false, base::RunLoop::Mode::Common, [this](base::Timer&) {
        m_focusCheck.reset();
        unsigned long xw = xWindow();
        if (xw && m_state.visible && m_backend.m_desktop.focusedWindow() != xw && !m_urgent) {
            m_urgent = true;
            m_backend.m_desktop.setUrgent(xw, true);
        }
    });
}

void SdlWindow::focused()
{
    if (m_focusCheck)
        m_focusCheck->invalidate();
    m_focusCheck.reset();
    if (std::exchange(m_urgent, false))
        m_backend.m_desktop.setUrgent(xWindow(), false);
}

std::optional<EdgeInsets> SdlWindow::extentsHeard() const
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!m_sdl || SDL_GetWindowBordersSize(m_sdl, &top, &left, &bottom, &right) != 0)
        return std::nullopt;
    if (top == 0 && left == 0 && bottom == 0 && right == 0)
        return std::nullopt;
    return m_backend.borderPoints(top, left, bottom, right);
}

std::optional<EdgeInsets> SdlWindow::frameExtents() const
{
    // SDL keeps what the window manager last said (_NET_FRAME_EXTENTS); all zero until it has,
    // and again once it let the window go (a window put away, or made anew): what it said
    // last holds meanwhile. Another window's decoration (an alert's, with no handle at its
    // bottom) let the main window come back that much taller, its bottom edge below the screen.
    if (m_state.borderless)
        return std::nullopt;
    // Not maximized as far as we have heard, the frame at rest: word of the maximized frame
    // may come before word of the state, and a window kept inside the screen by the maximized
    // frame's borders (none at the sides) stood a pixel past its edge.
    if (!m_state.zoomed && m_extentsAtRest)
        return m_extentsAtRest;
    if (auto heard = extentsHeard())
        m_extentsTold = heard;
    return m_extentsTold;
}

}
