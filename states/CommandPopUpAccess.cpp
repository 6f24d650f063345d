#include "states/CommandPopUpAccess.h"

#include "command/CommandPopUpWindow.h"
#include "command/PopUpWindowContentViewController.h"
#include "shell/AppDelegate.h"

namespace ostrel::CommandPopUpAccess {

namespace {

PopUpWindowContentViewController* controller()
{
    auto& window = smartDelegate().commandWindow;
    return window ? window->popUpContentViewController().get() : nullptr;
}

}

bool isRunning()
{
    auto* popUp = controller();
    return popUp && popUp->isRunning();
}

void dismiss()
{
    if (auto* popUp = controller())
        popUp->dismissDialog();
}

void runOnCommandButton() { smartDelegate().runCommandWindow(); }

}
