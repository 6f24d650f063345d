#pragma once

#include "platform/ui/Backend.h"
#include "platform/ui/XImagePresenter.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace base {
class Timer;
}

struct SDL_Window;

namespace ui {

class SdlBackend;

// The display side of one window in the SDL backend: an SDL window sized in pixels, shown,
// moved and decorated as the window's state asks, its pixels copied from the window's
// picture. Windows that never take the keyboard are shown without it, whatever SDL does.
class SdlWindow final : public PlatformWindow {
public:
    SdlWindow(SdlBackend& backend, Window& window)
        : m_backend(backend)
        , m_window(window)
    {
    }
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    void apply(const PlatformWindowState& state) override;
    void present(cairo_surface_t* surface) override;
    void presentPart(cairo_surface_t* surface, Rect changedPixels) override;
    // Where the window manager does not give the keyboard within a second, the window asks
    // for the user's attention instead (the urgency hint), until it has the keyboard.
    void focus(std::uint32_t inputTime) override;
    // The display gave the window the keyboard.
    void focused();
    void raise() override;
    std::optional<EdgeInsets> frameExtents() const override;

    Window& window() const { return m_window; }
    SDL_Window* sdl() const { return m_sdl; }
    unsigned long xWindow() const;
    void presentAgain()
    {
        if (m_lastSurface)
            present(m_lastSurface);
    }
    // The display moved or resized the window (a window manager's maximizing, a user's
    // drag), told before the window hears of it: what the window asks for next is compared
    // with where the window is, so that a frame it keeps asking for (the size its content
    // needs) is asked for again, and one the display chose is not asked for again at the
    // next change of anything else (which undid a window manager's giving back the size).
    // `pixelX`, `pixelY`: the content's top left as the display counts, which the window, in
    // whole points, may round by half a point.
    void movedByDisplay(Point origin, int pixelX, int pixelY);
    // Told by the display, not asked of it: word of a state already passed (SDL tells a
    // burst of them at once) is not sent back as a request that undoes the present one.
    void zoomedByDisplay(bool zoomed);
    // The window manager told of the frame it draws around the window.
    void framedByDisplay();
    // Where the window stood before the display last changed its size: a maximizing comes
    // with its new size before word of the state.
    std::optional<Rect> frameBeforeDisplayResize() const { return m_frameBeforeDisplayResize; }
    void resizedByDisplay(Size size)
    {
        m_state.frame.origin.y += m_state.frame.height() - size.height;
        m_state.frame.size = size;
    }
    // SDL made the window's surface anew at its new size, blank: the next frame is shown
    // whole, not only the part of it that changed.
    void surfaceResized() { m_wholeNeeded = true; }
    // The display's word of the window's size in pixels (X's ConfigureNotify: the window
    // manager's own doing, or its answer to a request, which a tiling one gives with the
    // size it keeps). SDL counts the window at the size it last asked for and tells only of
    // what differs from that: a size kept by the window manager went untold.
    void configuredByDisplay(int width, int height);
    // The display mapped or unmapped the window: a mapping may be asked for again.
    void mapStateChanged()
    {
        m_mapAsked = false;
        m_unmapAsked = false;
    }
    // Another client destroyed the X window (a tool closing it as a window manager would):
    // SDL's window is let go without a word to the display, which would wait for ever for
    // news of a window that is gone. A new one is made when the window is shown again.
    void destroyedByDisplay();

private:
    void create(const PlatformWindowState& state);
    void destroy();
    void applyFrame(const PlatformWindowState& state, bool sized);
    void show(const PlatformWindowState& state);
    void hide();
    void map();
    void waitUntilLetGo(void* xDisplay) const;
    // The content's top left in the screen's pixels, as the window manager counts.
    std::pair<int, int> contentTopLeft(const PlatformWindowState& state) const;
    // A size in the screen's pixels, as the display holds it: a fraction of a point more is
    // the same size to it.
    std::pair<int, int> pixelSize(Size points) const;
    void moveContentTo(int x, int y);
    // The frame asked for around content at x, y, its borders (left, top) as given.
    void moveFrameAround(std::pair<int, int> borders, int x, int y);
    // The window manager's borders (left, top) in pixels as SDL last heard, if it did.
    std::optional<std::pair<int, int>> bordersHeard() const;
    // All four of them in points, likewise.
    std::optional<EdgeInsets> extentsHeard() const;
    void applyModalFor(const PlatformWindowState& state, bool mapped);
    void applyReservation(const PlatformWindowState& state);
    // A size asked of a window manager that keeps windows at sizes of its own (a tiling
    // one): the display's size is taken, or the window drew a smaller picture into the
    // larger window, the rest of it showing stale pixels.
    void checkSizeSoon(int width, int height, int oldWidth, int oldHeight);
    // What the display did with the size asked, once it answered or, at the last look, as
    // it stands.
    void settleSizeAsked(bool lastLook);
    // No size is awaited any longer, nor its answer waited for.
    void forgetSizeAsked();
    // The display's word on the window now (an XWindowAttributes); false when it has none.
    bool readAttributes(void* attributes) const;
    void takeDisplaySize(int width, int height);
    // The size the display has, in pixels: as it last told, else as SDL last heard.
    std::pair<int, int> displaySize() const;
    // The display told of the size it has: sizes it refused before may be granted now.
    void displayHasSize(int width, int height);
    // While a size asked is not yet answered, a picture of that size is not shown in a
    // window the display may keep at another: it would cover part of it, the rest stale.
    bool holdsBack(cairo_surface_t* surface);
    void showHeldPicture();
    // Through SDL's window surface, for a window whose pixels our image cannot be sent to
    // as they are: SDL converts them, and waits for the server at each frame.
    bool presentThroughSdl(cairo_surface_t* surface);

    SdlBackend& m_backend;
    Window& m_window;
    SDL_Window* m_sdl { nullptr };
    PlatformWindowState m_state;
    bool m_wholeNeeded { false };
    bool m_created { false };
    // Whether SDL has shown this window once, and whether a mapping was asked for and not
    // yet seen done.
    bool m_mappedOnce { false };
    bool m_mapAsked { false };
    // Withdrawn by us and not yet seen unmapped: SDL still counts it shown.
    bool m_unmapAsked { false };
    // The window manager's frame (left, top in pixels) when last put away: SDL forgets it then.
    std::optional<std::pair<int, int>> m_frameWhenAway;
    // The borders of the window manager's frame (left, top in pixels) last told while the
    // window was not maximized, and those SDL knew as the window was given back its size.
    std::optional<std::pair<int, int>> m_bordersAtRest;
    std::optional<std::pair<int, int>> m_bordersGivenBack;
    cairo_surface_t* m_lastSurface { nullptr };
    std::shared_ptr<base::Timer> m_focusCheck;
    // The sizes in pixels asked and refused since the display last changed the window's
    // size: not asked again until it does.
    std::vector<std::pair<int, int>> m_sizesRefused;
    // The display's size of the window in pixels, as it last told.
    std::optional<std::pair<int, int>> m_displaySize;
    std::optional<Rect> m_frameBeforeDisplayResize;
    // A size asked of the shown window and not yet seen answered, in pixels.
    std::optional<std::pair<int, int>> m_sizeAsked;
    // The display's size when it was asked, and the wait for its answer past SDL's own.
    std::pair<int, int> m_sizeAskedFrom;
    std::shared_ptr<base::Timer> m_answerWait;
    // The sizes last asked, in pixels: the display's word of one of them is an answer to a
    // request (maybe one since replaced by another), not a size of the display's own.
    std::deque<std::pair<int, int>> m_sizesAskedLately;
    bool m_pictureHeldBack { false };
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
    bool m_urgent { false };
    XImagePresenter m_presenter;
    bool m_firstFrameReported { false };
    // The decoration the window manager last told of, in points; the last it told while the
    // window was not maximized.
    mutable std::optional<EdgeInsets> m_extentsTold;
    std::optional<EdgeInsets> m_extentsAtRest;
    // Where the display last put the content's top left: in the window's whole points and
    // in the display's pixels.
    struct PlaceTold {
        Point topLeft;
        int x, y;
    };
    std::optional<PlaceTold> m_placeTold;
};

}
