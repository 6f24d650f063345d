#include "shell/HelpHooks.h"

#include "shell/CustomLayoutManager.h"
#include "shell/GenericAlertHelpDelegate.h"
#include "shell/HelpManager.h"
#include "shell/HelpViewController.h"
#include "shell/PreferencesController.h"
#include "shell/SmartAppDelegate.h"

#include "log/DropboxManager.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/ObjectiveTextView.h"
#include "states/HelpHook.h"

namespace ostrel {

void installHelpHooks(SmartAppDelegate* delegate)
{
    auto& hooks = MainWindowHooks::shared();
    hooks.showHelpPage = [](const std::string& page) { HelpManager::showPage(page, false); };
    hooks.makeHelpController = []() -> std::shared_ptr<NiblessViewController> { return HelpViewController::create(); };
    hooks.prepareObjectiveTextView = [](ObjectiveTextView& textView) { CustomLayoutManager::install(textView); };

    HelpHook::setShowPage([](const std::string& page, bool inBrowser) { HelpManager::showPage(page, inBrowser); });

    DropboxManager::setHelpHook([](const std::string& page) {
        if (page == DropboxManager::kHelpPage)
            HelpManager::createAlertHelpDelegateForDropbox()->alertShowHelp();
        else
            HelpManager::showPage(page, false);
    });

    if (delegate) {
        delegate->willTerminateCallbackList.push_back(
            [](SmartAppDelegate&, const ui::Notification&) { PreferencesController::restoreRunningWindows(); });
    }
}

}
