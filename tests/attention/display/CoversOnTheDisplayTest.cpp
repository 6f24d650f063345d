#include "attention/DimmingManager.h"
#include "attention/NoteWindow.h"
#include "attention/OstrelNotificationSystem.h"
#include "attention/ScreenFadingHelper.h"
#include "attention/VisualNotification.h"
#include "tests/desktop/PrivateDisplay.h"
#include "tests/support/TemporaryHome.h"
#include "viewkit/NiblessViewController.h"

#include "platform/base/Defaults.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/desktop/FrontApplication.h"
#include "platform/desktop/X11Connection.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Application.h"
#include "platform/ui/SdlBackend.h"
#include "platform/ui/Window.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace ostrel::test {

namespace {

// The test's own look at the display, as a screenshot tool would have it.
class Screen {
public:
    Screen() { m_display = XOpenDisplay(nullptr); }
    ~Screen()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    // A white desktop, so that whatever covers it shows.
    void paintDesktopWhite()
    {
        ::Window root = DefaultRootWindow(m_display);
        XSetWindowBackground(m_display, root, WhitePixel(m_display, DefaultScreen(m_display)));
        XClearWindow(m_display, root);
        XSync(m_display, False);
    }

    // The brightness (0 … 1) at a point counted from the top left of the display.
    double brightness(int x, int y)
    {
        XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return -1;
        unsigned long p = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return (((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff)) / (3 * 255.0);
    }

private:
    Display* m_display { nullptr };
};

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

class CoversOnTheDisplay : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display: banners and covers are tested on Xvfb by make test";
        auto backend = ui::SdlBackend::open();
        if (!backend)
            GTEST_SKIP() << "SDL could not open the display";
        m_backend = backend.get();
        m_store = base::Defaults::create({});
        base::Defaults::setStandard(m_store);
        m_store->registerDefaults({ { "notificationsSystem", base::Value(false) } });
        m_app = ui::Application::create(std::move(backend));
        OstrelNotificationSystem::setSharedNotifier(OstrelNotificationSystem::create());
        ScreenFadingHelper::setShared(ScreenFadingHelper::create());
    }
    void TearDown() override
    {
        OstrelNotificationSystem::setSharedNotifier(nullptr);
        ScreenFadingHelper::setShared(nullptr);
        VisualNotification::setNotifier(nullptr);
        base::RunLoop::main().discardAll();
        m_app.reset();
        base::Defaults::setStandard(nullptr);
    }

    // The whole display, into the test's folder (display-shots/*.png), to be looked at.
    void shoot(const std::string& name)
    {
        auto folder = std::filesystem::current_path() / "display-shots";
        std::filesystem::create_directories(folder);
        auto screen = ui::Screen::screens().front();
        auto picture = m_backend->screenSnapshot(screen.frame, 1);
        ASSERT_TRUE(picture);
        EXPECT_TRUE(picture->savePng(folder / (name + ".png")));
    }

    TemporaryHome m_home;
    ui::SdlBackend* m_backend { nullptr };
    std::shared_ptr<base::Defaults> m_store;
    std::unique_ptr<ui::Application> m_app;
};

}

TEST_F(CoversOnTheDisplay, ABannerAndADimmingShowOverTheDesktop)
{
    Screen screen;
    ASSERT_TRUE(screen.ok());
    screen.paintDesktopWhite();
    ASSERT_NEAR(screen.brightness(720, 450), 1, 0.01);

    OstrelNotificationSystem::sharedNotifier().displayNotification("Only 5 minutes left", "Wrap up the current step.",
        0, false);
    ASSERT_TRUE(runUntil([&] { return screen.brightness(720, 450) < 0.6; })) << "the note never showed";
    runUntil([] { return false; }, 0.5);
    auto& note = *VisualNotification::notifier().noteWindow()->window();
    EXPECT_EQ(note.alphaValue(), 0.9);
    shoot("banner");

    // A dimming of one second: a second darkening to 0.6 black, a second back.
    DimmingManager::sharedManager().startBlackOutWithDuration(1, 0.6f);
    ASSERT_TRUE(runUntil([&] { return screen.brightness(10, 10) < 0.55; })) << "the display never dimmed";
    EXPECT_GT(screen.brightness(10, 10), 0.35) << "dimmed, not blacked out";
    shoot("dimming");
    EXPECT_TRUE(runUntil([&] { return ScreenFadingHelper::shared().fullScreenWindows().empty(); }, 3));
    EXPECT_TRUE(runUntil([&] { return screen.brightness(10, 10) > 0.99; })) << "the cover stayed";
    EXPECT_TRUE(runUntil([&] { return !note.isVisible(); }, 3)) << "the note stayed";
}

// With a window manager (evilwm) on a display of the test's own: the rest cover takes
// the keyboard from another program's window, and its removal gives it back.
TEST(RestCoverOnTheDesktop, TakesTheFrontFromAnotherProgramAndGivesItBack)
{
    desktop::test::PrivateDisplay server;
    if (server.name().empty())
        GTEST_SKIP() << "Xvfb is not installed";
    if (!server.startWindowManager())
        GTEST_SKIP() << "evilwm is not installed";
    const char* previous = std::getenv("DISPLAY");
    std::string savedDisplay = previous ? previous : "";
    setenv("DISPLAY", server.name().c_str(), 1);
    TemporaryHome home;
    auto store = base::Defaults::create({});
    base::Defaults::setStandard(store);
    auto backend = ui::SdlBackend::open();
    ASSERT_TRUE(backend);
    auto app = ui::Application::create(std::move(backend));
    auto helper = ScreenFadingHelper::create();

    // Another program's window, put in front by the window manager.
    auto other = desktop::X11Connection::open(server.name());
    ASSERT_TRUE(other);
    ::Window theirs = XCreateSimpleWindow(other->display(), other->rootWindow(), 10, 10, 200, 150, 0, 0, 0);
    long pid = 1;
    XChangeProperty(other->display(), theirs, XInternAtom(other->display(), "_NET_WM_PID", False), XA_CARDINAL, 32,
        PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    XMapWindow(other->display(), theirs);
    XSync(other->display(), False);
    auto front = desktop::FrontApplication::createForDisplay(other);
    ASSERT_TRUE(runUntil([&] {
        front->activate(theirs);
        return front->activeWindow() == theirs;
    })) << "the window manager never put the other program in front";
    ASSERT_FALSE(app->isActive());

    auto restScreen = NiblessViewController::create([] { });
    restScreen->setView(ui::View::create(ui::Rect(0, 0, 300, 200)));
    helper->fadeAllScreensToBlack(restScreen);
    EXPECT_EQ(helper->tempPreviousApp(), theirs);
    EXPECT_TRUE(runUntil([&] { return front->activeWindow() && front->activeWindow() != theirs; }))
        << "the rest cover never took the front";
    EXPECT_EQ(front->activeWindowOfAnotherProgram(), std::nullopt) << "ours is in front";

    helper->fadeAllScreensBackToNormal();
    EXPECT_TRUE(runUntil([&] { return front->activeWindow() == theirs; })) << "the front was not given back";

    helper.reset();
    base::RunLoop::main().discardAll();
    app.reset();
    base::Defaults::setStandard(nullptr);
    if (previous)
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

}
