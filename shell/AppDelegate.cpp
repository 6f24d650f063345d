#include "shell/AppDelegate.h"

#include "attention/ActivityMonitor.h"
#include "command/CommandPopUpWindow.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/DataModel.h"
#include "log/FolderContentMonitor.h"
#include "log/LogFileManager.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/Window.h"

namespace ostrel {

std::shared_ptr<AppDelegate> AppDelegate::create() { return create(DataModel::shared()); }

std::shared_ptr<AppDelegate> AppDelegate::create(DataModel& model) { return make<AppDelegate>(model); }

AppDelegate::AppDelegate(DataModel& model)
    : m_model(&model)
{
}

void AppDelegate::finishInitialization()
{
    // Dark whatever the desktop's own setting: every drawing of the program assumes it.
    if (auto* application = ui::Application::shared())
        application->setDarkAppearance(true);
    willFinishLaunchingCallbackList.push_back([](SmartAppDelegate& base, const ui::Notification&) {
        auto& delegate = static_cast<AppDelegate&>(base);
        if (delegate.commandEnvironment)
            delegate.commandWindow = CommandPopUpWindow::makeApplicationPopUpWindow(*delegate.commandEnvironment);
    });
    willResignActiveCallbackList.push_back([](SmartAppDelegate& base, const ui::Notification&) {
        auto& delegate = static_cast<AppDelegate&>(base);
        auto controller = delegate.commandWindow ? delegate.commandWindow->popUpContentViewController() : nullptr;
        if (controller && controller->isRunning())
            controller->dismissDialog();
    });
    activityMonitor = ActivityMonitor::create();
}

void AppDelegate::awakeFromNib()
{
    auto& logFiles = LogFileManager::sharedInstance();
    logFiles.update();
    logFiles.monitor().start();
    mainWindow = MainWindow::makeMainWindow(*m_model);
}

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
    if (!window.isKeyWindow())
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
    auto& button = checkedMainWindow().controller()->commandButton();
    controller->run(true, button.get(), true);
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
