#pragma once

#include "platform/gfx/Color.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ui {
class Animation;
class Window;
}

namespace ostrel {

class NiblessViewController;

// Covers every display with a borderless window of one colour above all other windows:
// the black cover that carries the rest screen and stays until it is taken down, and short
// flashes of a colour (the soft break's ticks, the dimming before the end of a slice or a
// break). Their fades follow the simulated clock. Without displays nothing is made.
//
// Flash covers never take the keyboard or the mouse, and go when their flash ends; the
// rest cover takes both, since the rest screen is to be clicked.
class ScreenFadingHelper : public std::enable_shared_from_this<ScreenFadingHelper> {
public:
    using WindowId = unsigned long;
    // Which window of another program is in front, and how it gets the front back: the
    // window manager's word on the desktop, a stand-in in tests.
    struct FrontApplication {
        std::function<std::optional<WindowId>()> frontmostWindow;
        std::function<bool(WindowId)> activate;
    };

    // The one start-up installs; until then covers are only logged. None restores that.
    static ScreenFadingHelper& shared();
    static void setShared(std::shared_ptr<ScreenFadingHelper> helper);
    // Over the desktop's active window (EWMH), read when first needed.
    static std::shared_ptr<ScreenFadingHelper> create();
    static std::shared_ptr<ScreenFadingHelper> create(FrontApplication front);

    virtual ~ScreenFadingHelper();
    ScreenFadingHelper(const ScreenFadingHelper&) = delete;
    ScreenFadingHelper& operator=(const ScreenFadingHelper&) = delete;

    // Black over every display, at full strength after 1.25 s; the controller's view (built
    // first if it has none) in the middle of the main display's cover, there after 5 s.
    // `viewDidDisappear` runs when the covers are taken down.
    void fadeAllScreensToBlack(const std::shared_ptr<NiblessViewController>& viewController);
    virtual void fadeAllScreensToBlack(const std::shared_ptr<NiblessViewController>& viewController,
        std::function<void()> viewDidDisappear);
    // Takes every cover of every effect down at once and gives the front back to the
    // program that had it when the rest cover went up.
    virtual void fadeAllScreensBackToNormal();
    // The colour rises over every display to its own alpha for half the duration (seconds)
    // and falls back for the other half; then its covers go, leaving any other.
    virtual void quickFadeAllScreens(const gfx::Color& color, double duration);
    // A black flash of `duration` rising to `alpha` (0 … 1): the dimming.
    void startBlackOut(double duration, double alpha);

    // The covers up now, one per display per effect, in the order made.
    const std::vector<std::shared_ptr<ui::Window>>& fullScreenWindows() const { return m_fullScreenWindows; }
    // The window that was in front when the rest cover took the front from it.
    std::optional<WindowId> tempPreviousApp() const { return m_tempPreviousApp; }

protected:
    explicit ScreenFadingHelper(FrontApplication front);

private:
    // The application takes the front for the rest cover, remembering who had it.
    void bringApplicationToFront();
    void takeDown(const std::vector<std::shared_ptr<ui::Window>>& windows);
    void keep(std::shared_ptr<ui::Animation> animation);

    FrontApplication m_front;
    std::vector<std::shared_ptr<ui::Window>> m_fullScreenWindows;
    std::optional<WindowId> m_tempPreviousApp;
    std::vector<std::shared_ptr<ui::Animation>> m_animations;
    std::vector<std::function<void()>> m_disappearHandlers;
};

}
