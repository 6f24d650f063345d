#include "shell/HelpManager.h"

#include "shell/AppDelegate.h"
#include "shell/GenericAlertHelpDelegate.h"
#include "shell/HelpViewController.h"
#include "shell/MainController.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Resources.h"
#include "platform/desktop/Opener.h"
#include "platform/ui/WebView.h"

namespace ostrel {

namespace {

HelpViewController& helpPad()
{
    auto main = MainController::sharedInstance();
    if (!main)
        base::fatal("HelpManager: there is no main controller to show the help pad");
    main->showHelpPad();
    auto* delegate = main->pseudoAppDelegate();
    if (!delegate || !delegate->mainWindow || !delegate->mainWindow->controller())
        base::fatal("HelpManager: there is no main window to show the help pad in");
    auto* help = dynamic_cast<HelpViewController*>(delegate->mainWindow->controller()->helpController().get());
    if (!help)
        base::fatal("HelpManager: the main window's help pad has no help view controller");
    return *help;
}

}

std::string HelpManager::rootPath() { return ui::WebView::fileUrl((base::Resources::root() / kPagesFolder).string() + "/"); }

std::string HelpManager::initialURL() { return urlOfPage("welcome.html"); }

std::string HelpManager::urlOfPage(const std::string& lastPathComponent) { return rootPath() + lastPathComponent; }

void HelpManager::openInBrowser(const std::string& lastPathComponent)
{
    desktop::Opener::openLink(urlOfPage(lastPathComponent));
}

void HelpManager::showPage(const std::string& lastPathComponent, bool inBrowser)
{
    if (inBrowser) {
        openInBrowser(lastPathComponent);
        return;
    }
    helpPad().showPage(lastPathComponent);
}

void HelpManager::showHelpIndex() { showPage("index.html", false); }
void HelpManager::showWelcome() { showPage("welcome.html", false); }
void HelpManager::showNoiseMachineHelp(bool inBrowser) { showPage(kNoiseMachinePage, inBrowser); }
void HelpManager::showNotePadHelp() { showPage("fast_type_syntax.html", false); }
void HelpManager::showProductivityTechniques() { showPage("productivity_techniques.html", false); }
void HelpManager::showSoftBreakHelp() { showPage("soft_break_feature.html", false); }
void HelpManager::showAutomaticallyBringToFront() { showPage("automatically_bring_to_front.html", false); }
void HelpManager::showFocusLevelHelp() { showPage("concentration_level.html", false); }
void HelpManager::showOmniFocusHelp(bool inBrowser) { showPage("omnifocus.html", inBrowser); }
void HelpManager::showThingsHelp(bool inBrowser) { showPage("things.html", inBrowser); }
void HelpManager::showHitListHelp(bool) { openInBrowser("hitlist.html"); }
void HelpManager::showDropboxHelp(bool inBrowser) { showPage("dropbox.html", inBrowser); }
void HelpManager::showAppleScriptHelp(bool inBrowser) { showPage("applescript.html", inBrowser); }
void HelpManager::showSpeechTagsReference(bool inBrowser) { showPage("speech_reminder_tags.html", inBrowser); }
void HelpManager::showInputMonitoringHelp() { openInBrowser("input_monitoring.html"); }
void HelpManager::showLockScreenOption() { showPage("lock_screen.html", false); }
void HelpManager::showInformalBreakHelp(bool inBrowser) { showPage("informal_breaks.html", inBrowser); }

std::shared_ptr<GenericAlertHelpDelegate> HelpManager::createAlertHelpDelegateForDropbox()
{
    return GenericAlertHelpDelegate::create([] { showPage("dropbox.html", false); });
}

}
