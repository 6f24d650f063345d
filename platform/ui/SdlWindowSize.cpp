// The window's size as asked of the display and as the display keeps it: a window manager
// may grant it, take its time, or keep a size of its own (a tiling one's tile), which SDL
// does not pass on; the window follows what the display says.
#include "platform/ui/SdlWindow.h"

#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"
#include "platform/ui/SdlBackend.h"
#include "platform/ui/Window.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

namespace {

int pixels(double points, double scale) { return static_cast<int>(std::lround(points * scale)); }

// Sizes refused are remembered for as many screens as the main window has, and no more;
// sizes asked, for as many requests as may be on their way at once.
constexpr std::size_t kSizesRefusedKept = 16;
constexpr std::size_t kSizesAskedKept = 8;
// How long a window manager that has not answered within SDL's wait is given.
constexpr double kAnswerWait = 1.0;

}

std::pair<int, int> SdlWindow::pixelSize(Size points) const
{
    double scale = m_backend.scale();
    return { std::max(1, pixels(points.width, scale)), std::max(1, pixels(points.height, scale)) };
}

void SdlWindow::applyFrame(const PlatformWindowState& state, bool sized)
{
    auto [width, height] = pixelSize(state.frame.size);
    auto [oldWidth, oldHeight] = displaySize();
    bool mapped = (SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_SHOWN) && !m_unmapAsked;
    // Only moved: the size is not asked again, or a resize by the user that the display has
    // made and not yet told of would be undone by the size we last heard.
    bool refusedBefore = std::find(m_sizesRefused.begin(), m_sizesRefused.end(), std::pair { width, height }) != m_sizesRefused.end();
    if (sized && refusedBefore) {
        // Refused before: not asked again (SDL waits for an answer each time), and where the
        // display's size holds the content, the window takes it.
        if (oldWidth >= width && oldHeight >= height) {
            std::weak_ptr<bool> alive = m_alive;
            base::RunLoop::main().post([this, alive] {
                if (alive.expired())
                    return;
                auto [displayWidth, displayHeight] = displaySize();
                takeDisplaySize(displayWidth, displayHeight);
            });
        }
    } else if (sized) {
        m_sizesAskedLately.emplace_back(width, height);
        if (m_sizesAskedLately.size() > kSizesAskedKept)
            m_sizesAskedLately.pop_front();
        SDL_SetWindowSize(m_sdl, width, height);
        if (mapped && (width != oldWidth || height != oldHeight))
            checkSizeSoon(width, height, oldWidth, oldHeight);
    }
    auto [x, y] = contentTopLeft(state);
    moveContentTo(x, y);
}

void SdlWindow::checkSizeSoon(int width, int height, int oldWidth, int oldHeight)
{
    // SDL waited a moment for the window manager's answer. A window manager that refuses
    // says so only with the size it keeps, which SDL does not pass on (it takes the size it
    // asked for as the window's).
    XWindowAttributes attributes {};
    if (readAttributes(&attributes) && attributes.width == width && attributes.height == height) {
        displayHasSize(width, height);
        return;
    }
    forgetSizeAsked();
    m_sizeAsked = std::pair { width, height };
    m_sizeAskedFrom = std::pair { oldWidth, oldHeight };
    std::weak_ptr<bool> alive = m_alive;
    base::RunLoop::main().post([this, alive] {
        if (!alive.expired())
            settleSizeAsked(false);
    });
}

void SdlWindow::settleSizeAsked(bool lastLook)
{
    if (!m_sizeAsked)
        return;
    auto [width, height] = *m_sizeAsked;
    auto [oldWidth, oldHeight] = m_sizeAskedFrom;
    XWindowAttributes now {};
    bool known = m_sdl && (SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_SHOWN) && !m_unmapAsked && readAttributes(&now);
    bool viewable = known && now.map_state == IsViewable;
    // Unchanged when SDL's wait is over, the window manager may not have answered yet (a
    // loaded machine): taken for a refusal then, the window went back to the size it had
    // and asked for that, crossing the answer. A window manager refuses with word of the
    // size it keeps; without one, what the display has a while later is its answer.
    if (!lastLook && viewable && now.width == oldWidth && now.height == oldHeight) {
        std::weak_ptr<bool> alive = m_alive;
        m_answerWait = base::Timer::create(kAnswerWait, false, base::RunLoop::Mode::Common, [this, alive](base::Timer&) {
            if (!alive.expired())
                settleSizeAsked(true);
        });
        return;
    }
    forgetSizeAsked();
    if (viewable) {
        displayHasSize(now.width, now.height);
        // The size it had before, kept: refused. Any other is the display's choice too (a
        // drag by the user meanwhile, a size fitted to the screen), taken but not held
        // against a later asking.
        if (now.width == oldWidth && now.height == oldHeight && m_sizesRefused.size() < kSizesRefusedKept)
            m_sizesRefused.emplace_back(width, height);
        if (now.width != width || now.height != height)
            takeDisplaySize(now.width, now.height);
    }
    showHeldPicture();
}

void SdlWindow::forgetSizeAsked()
{
    m_sizeAsked.reset();
    if (auto wait = std::exchange(m_answerWait, nullptr))
        wait->invalidate();
}

bool SdlWindow::readAttributes(void* attributes) const
{
    bool read = false;
    m_backend.m_desktop.ignoringErrors([&] {
        read = XGetWindowAttributes(static_cast<Display*>(m_backend.m_display), xWindow(), static_cast<XWindowAttributes*>(attributes)) != 0;
    });
    return read;
}

void SdlWindow::configuredByDisplay(int width, int height)
{
    displayHasSize(width, height);
    if (m_sizeAsked) {
        // Word of an earlier request may come before the answer: what the display settled
        // on is read once SDL's wait for the answer is over.
        if (*m_sizeAsked == std::pair { width, height }) {
            forgetSizeAsked();
            showHeldPicture();
        } else if (m_answerWait && m_sizeAskedFrom == std::pair { width, height }) {
            settleSizeAsked(true);
        }
        return;
    }
    // A size asked: the answer to a request, which SDL passes on where it is news (one that
    // came after a later request is a step the display took on its way to the last).
    if (std::find(m_sizesAskedLately.begin(), m_sizesAskedLately.end(), std::pair { width, height }) != m_sizesAskedLately.end())
        return;
    // Shown, or asked to be: the display's own doing (a tile given at the mapping, or
    // changed), its last word on the window's size unless it has another by now: word of a
    // size since left (a window manager's repeated word of the maximized size, read after
    // the answer to the size asked as it gave the window back), taken, was asked for again.
    XWindowAttributes now {};
    if (m_sdl && m_state.visible && !m_unmapAsked && (!readAttributes(&now) || (now.width == width && now.height == height)))
        takeDisplaySize(width, height);
}

void SdlWindow::displayHasSize(int width, int height)
{
    std::pair size { width, height };
    // Another size (a tile given another, a window let float): a size refused may be granted.
    // Told before SDL passes the change on, the window still stands where it stood before it.
    if (m_displaySize != size) {
        m_sizesRefused.clear();
        m_frameBeforeDisplayResize = m_window.frame();
    }
    m_displaySize = size;
}

std::pair<int, int> SdlWindow::displaySize() const
{
    if (m_displaySize)
        return *m_displaySize;
    int width = 0, height = 0;
    if (m_sdl)
        SDL_GetWindowSize(m_sdl, &width, &height);
    return { width, height };
}

void SdlWindow::takeDisplaySize(int width, int height)
{
    if (!m_sdl)
        return;
    double scale = m_backend.scale();
    // Taken for another size, a frame a fraction of a point more asked for the size again at
    // each answer.
    auto differs = [&](Size points) { return pixelSize(points) != std::pair { width, height }; };
    Size size { width / scale, height / scale };
    if (differs(m_state.frame.size)) {
        surfaceResized();
        resizedByDisplay(size);
    }
    // The window may have taken an earlier word of the display for a late answer.
    if (differs(m_window.frame().size))
        m_window.platformKeptSize(size);
}

bool SdlWindow::holdsBack(cairo_surface_t* surface)
{
    if (!m_sizeAsked || !m_displaySize
        || (cairo_image_surface_get_width(surface) == m_displaySize->first && cairo_image_surface_get_height(surface) == m_displaySize->second))
        return false;
    m_pictureHeldBack = true;
    return true;
}

void SdlWindow::showHeldPicture()
{
    if (std::exchange(m_pictureHeldBack, false))
        presentAgain();
}

}
