#include "attention/DimmingManager.h"
#include "attention/NoteWindow.h"
#include "attention/OstrelNotificationSystem.h"
#include "attention/ScreenFadingHelper.h"
#include "attention/VisualNotification.h"
#include "tests/desktop/DesktopTesting.h"
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

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

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

// evilwm on the test's display for the object's life, as a user's window manager would be.
class WindowManager {
public:
    ~WindowManager()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    // False when evilwm is not installed.
    bool start()
    {
        pid_t parent = getpid();
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() == parent)
                execlp("evilwm", "evilwm", "--fn", "fixed", static_cast<char*>(nullptr));
            _exit(127);
        }
        if (m_pid < 0)
            return false;
        // A missing program ends at once; a window manager keeps running, or leaves at once
        // when the display has one already.
        int status = 0;
        bool exited = false;
        desktop::test::runLoopUntil([&] { return exited = exited || waitpid(m_pid, &status, WNOHANG) == m_pid; }, 0.3);
        if (exited) {
            m_pid = 0;
            return !(WIFEXITED(status) && WEXITSTATUS(status) == 127);
        }
        return true;
    }

private:
    pid_t m_pid { 0 };
};

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
    ASSERT_TRUE(desktop::test::runLoopUntil([&] { return screen.brightness(720, 450) < 0.6; })) << "the note never showed";
    // The fade-in runs on the real clock: a loaded machine may take longer than its half second.
    auto& note = *VisualNotification::notifier().noteWindow()->window();
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return note.alphaValue() == 0.9; }, 3)) << note.alphaValue();
    shoot("banner");

    // A dimming of one second: a second darkening to 0.6 black, a second back.
    DimmingManager::sharedManager().startBlackOutWithDuration(1, 0.6f);
    ASSERT_TRUE(desktop::test::runLoopUntil([&] { return screen.brightness(10, 10) < 0.55; })) << "the display never dimmed";
    EXPECT_GT(screen.brightness(10, 10), 0.35) << "dimmed, not blacked out";
    shoot("dimming");
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return ScreenFadingHelper::shared().fullScreenWindows().empty(); }, 3));
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return screen.brightness(10, 10) > 0.99; }, 1)) << "the cover stayed";
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return !note.isVisible(); }, 3)) << "the note stayed";
}

// The rest cover takes the keyboard from another program's window, and its removal gives
// it back, under a window manager.
TEST_F(CoversOnTheDisplay, TheRestCoverTakesTheFrontFromAnotherProgramAndGivesItBack)
{
    WindowManager manager;
    if (!manager.start())
        GTEST_SKIP() << "evilwm is not installed";
    auto other = desktop::X11Connection::open();
    ASSERT_TRUE(other);
    // Another program's window, put in front by the window manager once it runs.
    ::Window theirs = XCreateSimpleWindow(other->display(), other->rootWindow(), 10, 10, 200, 150, 0, 0, 0);
    long pid = 1;
    XChangeProperty(other->display(), theirs, XInternAtom(other->display(), "_NET_WM_PID", False), XA_CARDINAL, 32,
        PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    XMapWindow(other->display(), theirs);
    // Every change of the active window wakes the loop.
    XSelectInput(other->display(), other->rootWindow(), PropertyChangeMask);
    XSync(other->display(), False);
    auto front = desktop::FrontApplication::createForDisplay(other);
    ASSERT_TRUE(desktop::test::runLoopUntil([&] {
        front->activate(theirs);
        return front->activeWindow() == theirs;
    })) << "the window manager never put the other program in front";
    ASSERT_FALSE(m_app->isActive());

    auto& helper = ScreenFadingHelper::shared();
    auto restScreen = NiblessViewController::create([] { });
    restScreen->setView(ui::View::create(ui::Rect(0, 0, 300, 200)));
    helper.fadeAllScreensToBlack(restScreen);
    EXPECT_EQ(helper.tempPreviousApp(), theirs);
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return front->activeWindow() && front->activeWindow() != theirs; }))
        << "the rest cover never took the front";
    EXPECT_EQ(front->activeWindowOfAnotherProgram(), std::nullopt) << "ours is in front";

    helper.fadeAllScreensBackToNormal();
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return front->activeWindow() == theirs; }))
        << "the front was not given back";
}

}
