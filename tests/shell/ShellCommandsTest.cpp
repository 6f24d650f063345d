#include "StartUpFixture.h"

#include "shell/OstrelStatusItemButtonController.h"
#include "viewkit/SmartMenuItem.h"

#include "platform/base/Timer.h"
#include "platform/desktop/UrlScheme.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuBarView.h"
#include "platform/ui/Screen.h"
#include "platform/ui/StatusItem.h"

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace ostrel::test {

namespace {

class ShellCommandsTest : public StartUpTest {
protected:
    ui::Window& strip() { return *controller().item()->stripWindow(); }
    // A press on the status item, as the window system hands it over; its handling waits
    // for a later turn of the loop.
    void clickStatusItem(ui::Event::Type type = ui::Event::Type::LeftMouseDown, std::uint32_t modifiers = 0)
    {
        ui::Point inStrip(strip().frame().width() / 2, strip().frame().height() / 2);
        backend().send(ui::Event::mouse(type, &strip(), inStrip, modifiers));
        backend().send(ui::Event::mouse(ui::Event::Type::LeftMouseUp, &strip(), inStrip, modifiers));
    }
    // Whether the status menu came up for a click; it is closed again at once.
    bool statusMenuPopsUpFor(const std::function<void()>& click)
    {
        bool tracked = false;
        auto menu = controller().dockMenu();
        auto closer = base::Timer::create(0.05, false, base::RunLoop::Mode::Common, [&](base::Timer&) {
            tracked = menu->isTracking() && menu->trackingWindow() && menu->trackingWindow()->isVisible();
            menu->cancelTracking();
        });
        click();
        drain();
        closer->invalidate();
        return tracked;
    }
    // The program started from a link or to the front, as the desktop starts it; its exit code.
    static int launchSecondCopy(const std::vector<std::string>& arguments)
    {
        std::vector<char*> argv { const_cast<char*>(OSTREL_PROGRAM) };
        for (const auto& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        pid_t child = 0;
        if (posix_spawn(&child, OSTREL_PROGRAM, nullptr, nullptr, argv.data(), environ) != 0)
            return -1;
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(ShellCommandsTest, StatusClicks)
{
    launch();
    auto& window = mainWindow();
    double stripLeft = strip().frame().minX();

    // In the background: the click brings the window to the icon, its left edge where the
    // item's is on the screen (not in the item's own window), and to the front.
    delegate().hide();
    ASSERT_FALSE(app().isActive());
    clickStatusItem();
    EXPECT_TRUE(app().isHidden()) << "handled on a later turn of the loop";
    drain();
    EXPECT_TRUE(app().isActive());
    EXPECT_TRUE(window.isVisible());
    EXPECT_DOUBLE_EQ(controller().statusItemButtonController()->temporaryHint().x, stripLeft);
    EXPECT_LE(window.frame().maxY(), strip().frame().minY()) << "below the icon, not over it";

    // In front on the same screen: the next click hides the program, not its status item;
    // also when the window's frame reaches a pixel below the screen, as a maximized one's
    // border does under some window managers.
    ui::Point below(window.frame().minX(), ui::Screen::main()->frame.minY() - 1);
    window.platformDidMove(below);
    clickStatusItem();
    drain();
    EXPECT_TRUE(app().isHidden()) << "moved, as if on another screen";
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(strip().isVisible()) << "the way back stays";

    // Super held, or the right button: the status menu instead, also while hidden.
    EXPECT_TRUE(statusMenuPopsUpFor([&] { clickStatusItem(ui::Event::Type::RightMouseDown); }));
    EXPECT_TRUE(app().isHidden());
    delegate().makeFront();
    EXPECT_TRUE(statusMenuPopsUpFor([&] { clickStatusItem(ui::Event::Type::LeftMouseDown, ui::ModifierFlag::Control); }));
    EXPECT_TRUE(app().isActive()) << "the window was not touched";
    EXPECT_TRUE(statusMenuPopsUpFor([&] { clickStatusItem(ui::Event::Type::RightMouseDown); }));

    // Without moving: a click toggles the program where its window stands.
    settings->set("clickMovesWindowBelowIcon", false);
    auto frame = window.frame();
    clickStatusItem();
    drain();
    EXPECT_TRUE(app().isHidden());
    clickStatusItem();
    drain();
    EXPECT_TRUE(app().isActive());
    EXPECT_EQ(window.frame(), frame);
    // Minimized by its title bar's button, still key: one click brings it back.
    window.platformDidMiniaturize(true);
    app().deactivate();
    ASSERT_TRUE(window.isKeyWindow());
    clickStatusItem();
    drain();
    EXPECT_FALSE(window.isMiniaturized()) << "a second click needed";
    EXPECT_TRUE(app().isActive());

    // Another icon at once, without a restart.
    auto icon = controller().item()->button()->image();
    settings->set("menubarIconChoice", 1);
    EXPECT_NE(controller().item()->button()->image(), icon);
    EXPECT_TRUE(controller().item()->button()->image()->isTemplate());
}

TEST_F(ShellCommandsTest, AFullApplicationHasItsMenuBarInTheMainWindowAndADocklessOneNone)
{
    launch();
    auto bar = startUp->menuBar;
    ASSERT_TRUE(bar) << "\"dockless\" is off by default";
    EXPECT_EQ(bar->window(), &mainWindow());
    EXPECT_EQ(app().activationPolicy(), ui::ActivationPolicy::Regular);
    auto& all = *bar->menu()->itemAt(0)->submenu();
    EXPECT_EQ(&all, app().mainMenu().get());
    bool tracked = false;
    auto closer = base::Timer::create(0.05, false, base::RunLoop::Mode::Common, [&](base::Timer&) {
        tracked = all.isTracking() && bar->openIndex() == 0u;
        all.cancelTracking();
    });
    mainWindow().layoutIfNeeded();
    auto title = bar->rectOfItem(0);
    ASSERT_TRUE(title);
    ui::Point inWindow = bar->convertPointTo(title->center(), nullptr);
    backend().click(mainWindow(), { inWindow.x, mainWindow().frame().height() - inWindow.y });
    drain();
    EXPECT_TRUE(tracked) << "pressing the title opens the main menu";
    EXPECT_FALSE(bar->openIndex());

    settings->set("dockless", true);
    relaunch();
    EXPECT_FALSE(startUp->menuBar);
    EXPECT_EQ(app().activationPolicy(), ui::ActivationPolicy::Accessory);
}

// For a look: the strip, the status menu with a running screen's block, the main window with
// its menu bar and the main menu open; into OSTREL_SCREEN_PICTURES when set.
TEST_F(ShellCommandsTest, Pictures)
{
    const char* asked = std::getenv("OSTREL_SCREEN_PICTURES");
    std::filesystem::path folder = asked ? asked : std::filesystem::path(testing::TempDir()) / "ostrel-shell-pictures";
    std::filesystem::create_directories(folder);
    settings->set("launchManagerLaunchCounter", 3);
    launch();
    controller().item()->button()->setTitle("24:59 ");
    strip().display();
    EXPECT_TRUE(strip().writePng(folder / "strip.png"));
    mainWindow().layoutIfNeeded();
    mainWindow().display();
    EXPECT_TRUE(mainWindow().writePng(folder / "main-window-with-menu-bar.png"));

    auto& manager = StatusItemMenuManager::instance();
    for (const char* title : { "+1 Minute", "+5 Minutes", "Finish Time Slice" })
        manager.addItem(SmartMenuItem::create(title, [] { }));
    auto pictureOfTracked = [&](const std::shared_ptr<ui::Menu>& menu, const std::string& name, const std::function<void()>& open) {
        bool written = false;
        auto shooter = base::Timer::create(0.05, false, base::RunLoop::Mode::Common, [&](base::Timer&) {
            if (auto* tracking = menu->trackingWindow()) {
                tracking->display();
                written = tracking->writePng(folder / name);
            }
            menu->cancelTracking();
        });
        open();
        drain();
        return written;
    };
    EXPECT_TRUE(pictureOfTracked(controller().dockMenu(), "status-menu-with-a-block.png", [&] { controller().statusItemButtonController()->rightButtonDown(); }));
    manager.removeAllItems();
    EXPECT_TRUE(pictureOfTracked(app().mainMenu(), "main-menu.png", [&] { startUp->menuBar->openItem(0); }));
}

TEST_F(ShellCommandsTest, QuitAsksWhileSecondsAreUnlogged)
{
    settings->set("launchManagerLaunchCounter", 3);
    launch();
    ASSERT_EQ(currentScreen(), "Ostrel_4.DefineTimeSliceState");

    // A slice paused, in the soft break or being rated still has seconds to log: quitting asks.
    Logger::sharedLogger().incrementActualSecondsWorked();
    answers.push_back({ 1, false });
    delegate().hide();
    app().terminate();
    EXPECT_TRUE(mainWindow().isVisible() && app().isActive()) << "the question comes with the program in front";
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Are you sure you want to quit Ostrel?");
    EXPECT_EQ(alerts[0].informativeText, "Your timeslice will not be logged.");
    EXPECT_EQ(alerts[0].buttons, (std::vector<std::string> { "OK", "Cancel" }));
    EXPECT_FALSE(app().isTerminating()) << "\"Cancel\" keeps the program running";
    answers.push_back({ 0, false });
    app().terminate();
    EXPECT_TRUE(app().isTerminating());
    Logger::sharedLogger().resetActualSecondsWorked();
}

TEST_F(ShellCommandsTest, NothingUnloggedQuitsUnasked)
{
    settings->set("launchManagerLaunchCounter", 3);
    launch();
    app().terminate();
    EXPECT_TRUE(alerts.empty());
    EXPECT_TRUE(app().isTerminating());
}

TEST_F(ShellCommandsTest, UrlRequests)
{
    // Only links of our scheme name a to-do; the two slashes are optional.
    EXPECT_EQ(MainController::thingsToDoIdentifier("ostrel2things://ABC"), "ABC");
    EXPECT_EQ(MainController::thingsToDoIdentifier("ostrel2things:ABC"), "ostrel2things:ABC");
    EXPECT_EQ(MainController::thingsToDoIdentifier("xostrel2things://ABC"), std::nullopt);

    auto claim = desktop::UrlScheme::claim("ostrel2things");
    ASSERT_TRUE(claim.listener) << "this test is the running copy";
    urlListener = std::move(claim.listener);
    launchUrl = "ostrel2things://LAUNCHED";
    settings->set("launchManagerLaunchCounter", 3);
    launch();
    // The link the program was started with is served once it has finished launching.
    drain();
    EXPECT_TRUE(loggedLineContaining("could not find Things application"));
    EXPECT_TRUE(loggedLineContaining("url scheme activated!"));

    logged.clear();
    controller().getUrl("xostrel2things://ABC");
    EXPECT_FALSE(loggedLineContaining("could not find Things application")) << "another scheme is only logged";
    EXPECT_TRUE(loggedLineContaining("url scheme activated!"));

    // A second copy started for a link hands it over and ends; the running one serves it.
    logged.clear();
    EXPECT_EQ(launchSecondCopy({ "ostrel2things://SECOND" }), 0);
    base::RunLoop::main().runUntil([&] { return loggedLineContaining("could not find Things application"); });
    EXPECT_TRUE(loggedLineContaining("url scheme activated!"));

    // Started again without a link, it brings the running copy to the front.
    delegate().hide();
    EXPECT_EQ(launchSecondCopy({}), 0);
    base::RunLoop::main().runUntil([&] { return app().isActive(); });
    EXPECT_TRUE(mainWindow().isVisible());
}

}

}
