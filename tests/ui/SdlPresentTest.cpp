#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/base/VirtualTime.h"
#include "platform/ui/Screen.h"
#include "platform/ui/SdlWindow.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "SdlFixture.h"

#include <gtest/gtest.h>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include "SdlUserFixture.h"

using namespace ui;

namespace {

// The program's own connection: what it sent, and how far the server's answers reached.
Display* programDisplay(const ui::Window& window)
{
    auto* platform = dynamic_cast<SdlWindow*>(window.platformWindow());
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!platform || !platform->sdl() || !SDL_GetWindowWMInfo(platform->sdl(), &info))
        return nullptr;
    return info.info.x11.display;
}

class SdlPresenting : public SdlWithUser { };

}

TEST_F(SdlPresenting, FramesReachTheDisplayWithoutTheProgramWaitingForAnAnswer)
{
    // A read-out ticking once a second woke the program twice for each tick: once for the
    // tick, once more for the server's answer to the round trip that ended each frame.
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    double top = screens.front().frame.maxY();
    auto window = ui::Window::create(Rect(100, top - 100 - 60, 200, 60), WindowStyle::Borderless);
    auto left = Swatch::create(gfx::colors::red, Rect(0, 0, 100, 60));
    auto right = Swatch::create(gfx::colors::blue, Rect(100, 0, 100, 60));
    window->contentView()->addSubview(left);
    window->contentView()->addSubview(right);
    window->orderFront();
    // The window's top left is at 100, 100 of the display.
    ASSERT_TRUE(runUntil([&] {
        return pixelOnDisplay(m_user, 150, 130) == gfx::colors::red && pixelOnDisplay(m_user, 250, 130) == gfx::colors::blue;
    })) << "the first frame never showed whole";
    Display* display = programDisplay(*window);
    ASSERT_NE(display, nullptr);

    // Whatever the showing itself asked of the display is answered and handled first.
    XSync(display, False);
    runUntil([] { return false; }, 0.2);

    // One view changes: only its part is sent, and nothing is waited for.
    unsigned long answered = LastKnownRequestProcessed(display);
    unsigned long next = NextRequest(display);
    right->setColor(gfx::colors::green);
    right->setNeedsDisplay();
    EXPECT_TRUE(runUntil([&] { return pixelOnDisplay(m_user, 250, 130) == gfx::colors::green; })) << "the change never showed";
    EXPECT_EQ(pixelOnDisplay(m_user, 150, 130), gfx::colors::red);
    EXPECT_GT(NextRequest(display), next) << "nothing was sent";
    EXPECT_EQ(LastKnownRequestProcessed(display), answered) << "the frame waited for the server";

    // A whole frame again, as after an expose: the same.
    next = NextRequest(display);
    static_cast<SdlWindow*>(window->platformWindow())->presentAgain();
    runUntil([] { return false; }, 0.1);
    EXPECT_GT(NextRequest(display), next);
    EXPECT_EQ(LastKnownRequestProcessed(display), answered);
    EXPECT_EQ(pixelOnDisplay(m_user, 250, 130), gfx::colors::green);
}

TEST_F(SdlPresenting, TheScreensAreAskedOfTheDisplayOnlyWhenItSaysTheyChanged)
{
    auto window = ui::Window::create(Rect(50, 50, 120, 80), WindowStyle::Borderless);
    window->orderFront();
    ASSERT_TRUE(runUntil([&] { return programDisplay(*window) != nullptr; }));
    Display* display = programDisplay(*window);
    auto first = ui::Screen::screens();
    ASSERT_FALSE(first.empty());

    // However long the program runs, knowing the screens costs no round trip.
    {
        base::VirtualTime clock(base::Time::now());
        clock.advance(3600);
        unsigned long next = NextRequest(display);
        EXPECT_EQ(ui::Screen::screens().front().visibleFrame, first.front().visibleFrame);
        EXPECT_EQ(NextRequest(display), next) << "the screens were asked for again";
    }

    // A panel takes the top 40 pixels: windows placed from now on keep below it.
    int width = DisplayWidth(m_user, DefaultScreen(m_user));
    int height = DisplayHeight(m_user, DefaultScreen(m_user));
    long area[4] = { 0, 40, width, height - 40 };
    Atom workArea = XInternAtom(m_user, "_NET_WORKAREA", False);
    XChangeProperty(m_user, DefaultRootWindow(m_user), workArea, XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(area), 4);
    XSync(m_user, False);
    double scale = first.front().backingScaleFactor;
    EXPECT_TRUE(runUntil([&] { return ui::Screen::screens().front().visibleFrame.height() == (height - 40) / scale; }))
        << "the new work area was never read";
    XDeleteProperty(m_user, DefaultRootWindow(m_user), workArea);
    XSync(m_user, False);
    EXPECT_TRUE(runUntil([&] { return ui::Screen::screens().front().visibleFrame == first.front().visibleFrame; }));
}
