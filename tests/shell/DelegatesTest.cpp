#include "ShellFixture.h"

#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "shell/MenuItemManager.h"
#include "shell/SmartAppDelegate.h"
#include "shell/StatusItemMenuManager.h"
#include "viewkit/SmartMenuItem.h"

#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/Window.h"

namespace ostrel::test {

namespace {

// A delegate whose own callbacks write down when they ran.
class RecordingDelegate final : public SmartAppDelegate {
public:
    static std::shared_ptr<RecordingDelegate> create() { return make<RecordingDelegate>(); }
    void finishInitialization() override
    {
        willFinishLaunchingCallbackList.push_back([this](SmartAppDelegate& delegate, const ui::Notification& notification) {
            heard.push_back(std::string(delegate.menuItemManager ? "menus ready, " : "no menus, ") + notification.name);
        });
        didBecomeActiveCallbackList.push_back([this](SmartAppDelegate&, const ui::Notification&) {
            heard.push_back("first");
            // Counts from the next activation on.
            didBecomeActiveCallbackList.push_back([this](SmartAppDelegate&, const ui::Notification&) { heard.push_back("later"); });
        });
        didBecomeActiveCallbackList.push_back([this](SmartAppDelegate&, const ui::Notification&) { heard.push_back("second"); });
    }
    std::vector<std::string> heard;

private:
    friend class SmartAppDelegate;
    RecordingDelegate() = default;
};

class DelegatesTest : public ShellTest {
protected:
    DelegatesTest()
    {
        m_app = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
    }
    ~DelegatesTest() override
    {
        StatusItemMenuManager::instance().removeAllItems();
        MainController::setSharedInstance(nullptr);
        m_app->setDelegate(nullptr);
        base::RunLoop::main().discardAll();
        m_app.reset();
    }
    // A status menu "Open", "Quit" around a separator, when asked, under a shared controller.
    ui::Menu& statusMenu(bool withSeparator)
    {
        controller = MainController::create();
        MainController::setSharedInstance(controller);
        auto& menu = *controller->dockMenu();
        menu.addItem("Open");
        if (withSeparator)
            menu.addItem(ui::MenuItem::separator());
        menu.addItem("Quit");
        return menu;
    }
    static std::vector<std::string> titles(const ui::Menu& menu)
    {
        std::vector<std::string> out;
        for (const auto& item : menu.items())
            out.push_back(item->isSeparator() ? "--" : item->title());
        return out;
    }

    base::VirtualTime clock;
    std::unique_ptr<ui::Application> m_app;
    std::shared_ptr<MainController> controller;
};

TEST_F(DelegatesTest, CallbacksRunInTheirOrderAndOnesAddedMeanwhileWaitForTheNextMessage)
{
    auto delegate = RecordingDelegate::create();
    m_app->setDelegate(delegate.get());
    m_app->finishLaunching();
    EXPECT_EQ(delegate->heard, (std::vector<std::string> { "menus ready, ApplicationWillFinishLaunching", "first", "second" }));
    m_app->deactivate();
    m_app->activate();
    EXPECT_EQ(delegate->heard.back(), "later");
    EXPECT_EQ(std::count(delegate->heard.begin(), delegate->heard.end(), "first"), 2);
}

TEST_F(DelegatesTest, AScreensItemsFormOneBlockAboveTheFirstSeparatorAndLeaveWithoutATrace)
{
    auto& menu = statusMenu(true);
    auto& manager = StatusItemMenuManager::instance();
    for (const char* title : { "+1 Minute", "+5 Minutes", "+10 Minutes" })
        manager.addItem(SmartMenuItem::create(title, [] { }));
    EXPECT_EQ(titles(menu), (std::vector<std::string> { "Open", "--", "+1 Minute", "+5 Minutes", "+10 Minutes", "--", "Quit" }));
    manager.removeAllItems();
    manager.removeAllItems();
    EXPECT_EQ(titles(menu), (std::vector<std::string> { "Open", "--", "Quit" }));
    manager.addItem(SmartMenuItem::create("+1 Minute", [] { }));
    EXPECT_EQ(titles(menu), (std::vector<std::string> { "Open", "--", "+1 Minute", "--", "Quit" }));
}

TEST_F(DelegatesTest, AMenuWithoutSeparatorTakesTheBlockAtItsEnd)
{
    auto& menu = statusMenu(false);
    StatusItemMenuManager::instance().addItem(SmartMenuItem::create("+1 Minute", [] { }));
    EXPECT_EQ(titles(menu), (std::vector<std::string> { "Open", "Quit", "--", "+1 Minute" }));
}

TEST_F(DelegatesTest, WithoutAMainControllerItemsAreOnlyKept)
{
    auto& manager = StatusItemMenuManager::instance();
    manager.addItem(SmartMenuItem::create("+1 Minute", [] { }));
    EXPECT_EQ(manager.currentMenuItems().size(), 1u);
    manager.removeAllItems();
    EXPECT_TRUE(manager.currentMenuItems().empty());
}

TEST_F(DelegatesTest, TheApplicationDelegateMakesTheProgramDarkHidesItAndBringsItBack)
{
    m_app->setDarkAppearance(false);
    // Activation is forwarded to the main controller, which must be there.
    MainController::setSharedInstance(MainController::create());
    auto delegate = AppDelegate::create();
    m_app->setDelegate(delegate.get());
    EXPECT_TRUE(m_app->isDarkAppearance());
    EXPECT_TRUE(delegate->activityMonitor);
    EXPECT_EQ(&smartDelegate(), delegate.get());

    auto window = ui::Window::create(ui::Rect(100, 100, 300, 200));
    window->makeKeyAndOrderFront();
    m_app->activate();
    delegate->hide();
    EXPECT_TRUE(m_app->isHidden());
    EXPECT_FALSE(m_app->isActive());
    delegate->hide();
    EXPECT_TRUE(m_app->isHidden());

    // MainController hides only an active program; a hidden one stays as it is.
    auto main = MainController::create();
    main->hide();
    EXPECT_TRUE(m_app->isHidden());
    m_app->unhide();
    m_app->activate();
    main->hide();
    EXPECT_TRUE(m_app->isHidden());
}

}

}
