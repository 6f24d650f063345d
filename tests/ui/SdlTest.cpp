#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/base/Timer.h"
#include "platform/ui/Application.h"
#include "platform/ui/SdlBackend.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

using namespace ui;

namespace {

// A view that turns green when clicked, so the picture on the display shows the click.
class Button : public View {
public:
    static std::shared_ptr<Button> create(Rect frame) { return std::shared_ptr<Button>(new Button(frame)); }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        context.setFillColor(m_color);
        context.fillRect(bounds());
    }
    void mouseDown(const Event&) override
    {
        ++clicks;
        m_color = gfx::colors::green;
        setNeedsDisplay();
    }
    int clicks { 0 };

private:
    explicit Button(Rect frame)
        : View(frame)
    {
    }
    gfx::Color m_color { gfx::colors::blue };
};

// The test's own connection to the display: it plays the user and the screenshot tool.
class User {
public:
    User() { m_display = XOpenDisplay(nullptr); }
    ~User()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    // The colour on the display at a point, counted from the top left of the root window.
    gfx::Color pixel(int x, int y)
    {
        XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return gfx::colors::clear;
        unsigned long p = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return { ((p >> 16) & 0xff) / 255.0, ((p >> 8) & 0xff) / 255.0, (p & 0xff) / 255.0, 1 };
    }

    void click(int x, int y)
    {
        XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
        XFlush(m_display);
    }

private:
    Display* m_display { nullptr };
};

// Runs the real loop until the condition holds or a few seconds pass.
bool runUntil(const std::function<bool()>& done, double seconds = 5)
{
    double deadline = base::Time::now() + seconds;
    while (!done()) {
        if (base::Time::now() > deadline)
            return false;
        base::RunLoop::main().runUntil(base::Time::now() + 0.02);
    }
    return true;
}

class Sdl : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display: the SDL window system is tested under Xvfb by make test";
        auto backend = SdlBackend::open();
        if (!backend)
            GTEST_SKIP() << "SDL could not open the display";
        m_app = Application::create(std::move(backend));
    }
    void TearDown() override
    {
        base::RunLoop::main().discardAll();
        m_app.reset();
    }
    std::unique_ptr<Application> m_app;
};

}

TEST_F(Sdl, ClickOnARealWindowReachesTheViewAndShowsOnTheDisplay)
{
    User user;
    ASSERT_TRUE(user.ok());
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    double top = screens.front().frame.maxY();

    auto window = ui::Window::create(Rect(100, top - 100 - 120, 200, 120), WindowStyle::Borderless);
    window->setLevel(WindowLevel::Floating);
    auto left = View::create(Rect(0, 0, 100, 120));
    struct Red : View {
        Red() : View(Rect(0, 0, 100, 120)) { }
        void draw(gfx::GraphicsContext& c, const Rect&) override
        {
            c.setFillColor(gfx::colors::red);
            c.fillRect(bounds());
        }
    };
    window->contentView()->addSubview(std::shared_ptr<View>(new Red));
    auto button = Button::create(Rect(100, 0, 100, 120));
    window->contentView()->addSubview(button);
    window->makeKeyAndOrderFront();

    // The window's top left sits at 100, 100 on the display (X counts from the top).
    ASSERT_TRUE(runUntil([&] { return user.pixel(150, 160) == gfx::colors::red; })) << "the window never showed";
    EXPECT_EQ(user.pixel(250, 160), gfx::colors::blue);

    user.click(250, 160);
    ASSERT_TRUE(runUntil([&] { return button->clicks == 1; })) << "the click never arrived";
    EXPECT_TRUE(runUntil([&] { return user.pixel(250, 160) == gfx::colors::green; }));
    EXPECT_EQ(user.pixel(150, 160), gfx::colors::red);

    // Inside a modal run (an alert up) the window still answers: the display is a
    // common-mode source.
    bool timedOut = false;
    auto guard = base::Timer::create(5, false, base::RunLoop::Mode::Common, [&](base::Timer&) {
        timedOut = true;
    });
    user.click(250, 160);
    base::RunLoop::main().runModal([&] { return button->clicks == 2 || timedOut; });
    guard->invalidate();
    EXPECT_EQ(button->clicks, 2);
}

TEST_F(Sdl, AnIdleLoopWithAWindowOpenHasNothingToWakeFor)
{
    auto window = ui::Window::create(Rect(50, 50, 120, 80));
    window->makeKeyAndOrderFront();
    runUntil([] { return false; }, 0.3);
    // Settled: no timer of ours, and a pass finds nothing to do.
    EXPECT_EQ(base::RunLoop::main().timerCount(), 0u);
    int idlePasses = 0;
    for (int i = 0; i < 5; ++i)
        idlePasses += base::RunLoop::main().runOnce() ? 0 : 1;
    EXPECT_EQ(idlePasses, 5);
}
