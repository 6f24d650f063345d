#include "states/MainWindowAccess.h"

#include "mainwindow/MainWindow.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"

namespace ostrel::MainWindowAccess {

MainWindowController* controller()
{
    auto mainController = MainController::sharedInstance();
    auto* delegate = mainController ? mainController->pseudoAppDelegate() : nullptr;
    if (!delegate || !delegate->mainWindow)
        return nullptr;
    return delegate->mainWindow->controller().get();
}

}
