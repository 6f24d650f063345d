#include "shell/AppDelegate.h"

#include "shell/CommonsHuskFacade.h"
#include "shell/DateProvider.h"
#include "shell/LaunchTasks.h"
#include "shell/MainBundle.h"
#include "shell/MainController.h"
#include "shell/WebAddresses.h"

#include "attention/ActivityMonitor.h"
#include "command/CommandPopUpWindow.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/DataModel.h"
#include "core/DefaultsStorage.h"
#include "core/KVOResponder.h"
#include "log/FolderContentMonitor.h"
#include "log/LogFileManager.h"
#include "mainwindow/LogBookTableViewController.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

namespace ostrel {

namespace {

MainController& checkedMainController()
{
    auto controller = MainController::sharedInstance();
    if (!controller)
        base::fatal("AppDelegate: there is no main controller to forward to");
    return *controller;
}

}

std::shared_ptr<AppDelegate> AppDelegate::create() { return create(DataModel::shared()); }

std::shared_ptr<AppDelegate> AppDelegate::create(DataModel& model) { return make<AppDelegate>(model); }

AppDelegate::AppDelegate(DataModel& model)
    : m_model(&model)
{
    auto stored = model.store()->object("variation");
    auto* text = stored ? stored->asString() : nullptr;
    variation = text ? *text : "D";
}

void AppDelegate::finishInitialization()
{
    // Dark whatever the desktop's own setting: every drawing of the program assumes it.
    if (auto* application = ui::Application::shared())
        application->setDarkAppearance(true);
    appDescription = AppDescription { "Ostrel 4", webAddresses::updateFeed, webAddresses::website };

    commonsHuskFacade = std::make_shared<CommonsHuskFacade>();
    willFinishLaunchingCallbackList.push_back([](SmartAppDelegate& base, const ui::Notification& notification) {
        auto& delegate = static_cast<AppDelegate&>(base);
        delegate.commonsHuskFacade->willFinishLaunching(delegate.menuItemManager.get(), notification);
    });
    willFinishLaunchingCallbackList.push_back([](SmartAppDelegate& base, const ui::Notification& notification) {
        auto& delegate = static_cast<AppDelegate&>(base);
        if (delegate.commandEnvironment)
            delegate.commandWindow = CommandPopUpWindow::makeApplicationPopUpWindow(*delegate.commandEnvironment);
        checkedMainController().applicationWillFinishLaunching(notification);
    });
    willResignActiveCallbackList.push_back([](SmartAppDelegate& base, const ui::Notification&) {
        auto& delegate = static_cast<AppDelegate&>(base);
        auto controller = delegate.commandWindow ? delegate.commandWindow->popUpContentViewController() : nullptr;
        if (controller && controller->isRunning())
            controller->dismissDialog();
    });
    didFinishLaunchingCallbackList.push_back([](SmartAppDelegate&, const ui::Notification& notification) {
        checkedMainController().applicationDidFinishLaunching(notification);
    });
    didBecomeActiveCallbackList.push_back([](SmartAppDelegate&, const ui::Notification& notification) {
        checkedMainController().applicationDidBecomeActive(notification);
    });

    auto storage = std::make_shared<StandardUserDefaultsStorage>(m_model->store());
    auto showWelcomePage = [] {
        if (auto controller = MainController::sharedInstance())
            controller->showHelp(controller.get());
    };
    launchManager = LaunchManager::create(kLaunchManagerDefaultsKeyRoot, applicationLaunchList(storage, showWelcomePage),
        storage, std::make_shared<DateProvider>());
    didFinishLaunchingCallbackList.push_back([](SmartAppDelegate& base, const ui::Notification&) {
        auto& delegate = static_cast<AppDelegate&>(base);
        if (!delegate.launchManager)
            base::fatal("AppDelegate: no launch manager to run the launch-time tasks");
        delegate.launchManager->doIt();
    });
    activityMonitor = ActivityMonitor::create();
    didFinishLaunchingCallbackList.push_back([](SmartAppDelegate& base, const ui::Notification&) {
        static_cast<AppDelegate&>(base).observePadStorageKeys();
    });
}

void AppDelegate::observePadStorageKeys()
{
    std::weak_ptr<MainWindowController> controller = checkedMainWindow().controller();
    for (const auto& key : MainWindowController::padStorageKeyPaths()) {
        padKVOResponders.push_back(KVOResponder::create(key, m_model->store(), false, [controller](base::Defaults&, const std::string&) {
            if (auto shown = controller.lock())
                shown->compressWindow();
        }));
    }
}

void AppDelegate::awakeFromNib()
{
    auto& logFiles = LogFileManager::sharedInstance();
    logFiles.update();
    logFiles.monitor().start();
    mainWindow = MainWindow::makeMainWindow(*m_model);
}

ui::TerminateReply AppDelegate::applicationShouldTerminate() { return checkedMainController().applicationShouldTerminate(); }

MainWindow& AppDelegate::checkedMainWindow() const
{
    if (!mainWindow)
        base::fatal("AppDelegate: the main window is not made yet");
    return *mainWindow;
}

void AppDelegate::showState(ShownState& state) { checkedMainWindow().controller()->showState(state); }

void AppDelegate::validateInputFields()
{
    auto& window = checkedMainWindow().window();
    window.makeFirstResponder(&window);
}

void AppDelegate::makeFront()
{
    auto& window = checkedMainWindow().window();
    auto* application = ui::Application::shared();
    if (application) {
        if (application->isHidden())
            application->unhide();
        application->activate(true);
    }
    // A window minimized by its title bar's button may still be key: it comes back too.
    if (!window.isKeyWindow() || window.isMiniaturized())
        window.makeKeyAndOrderFront();
}

void AppDelegate::hide()
{
    auto* application = ui::Application::shared();
    if (application && !application->isHidden())
        application->hide();
}

void AppDelegate::runCommandWindow()
{
    auto controller = commandWindow ? commandWindow->popUpContentViewController() : nullptr;
    if (!controller)
        base::fatal("AppDelegate: the command pop-up is not built");
    // An alert takes all input while it is up: over it, the pop-up took the keys meant for
    // the alert (its Return ran the command again, a second alert over the first) or did not,
    // as the window manager gave the keyboard.
    if (ui::Alert::frontmost())
        return;
    controller->run(true, checkedMainWindow().controller()->commandPopUpAnchor(), true);
}

void AppDelegate::addLogEntry()
{
    checkedMainController().showLogBook(this);
    checkedMainWindow().controller()->logBookTableViewController()->startNewLogEntry();
}

bool AppDelegate::addLogEntryMenuItemShouldBeEnabled() const
{
    return !checkedMainWindow().controller()->logBookTableViewController()->isCurrentlyOnEditingTab();
}

bool AppDelegate::validateUserInterfaceItem(const std::string& action) const
{
    return action == "addLogEntry:" ? addLogEntryMenuItemShouldBeEnabled() : true;
}

std::string AppDelegate::sparkleUserAgentString() const
{
    return "Ostrel " + MainBundle::versionNumber() + "-" + MainBundle::buildNumber() + "V" + variation;
}

AppDelegate& smartDelegate()
{
    auto* application = ui::Application::shared();
    auto* delegate = application ? dynamic_cast<AppDelegate*>(application->delegate()) : nullptr;
    if (!delegate)
        base::fatal("smartDelegate: the application has no AppDelegate as its delegate");
    return *delegate;
}

}
