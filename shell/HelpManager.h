#pragma once

#include <memory>
#include <string>

namespace ostrel {

class GenericAlertHelpDelegate;

// Opens the program's help pages by file name, in the main window's help pad or in the
// user's browser. The pages are the program's own, installed with its resources under
// "help/Ostrel/help_pages/v4/"; the browser gets the same file addresses.
class HelpManager {
public:
    HelpManager() = delete;

    static constexpr const char* kPagesFolder = "help/Ostrel/help_pages/v4";
    static constexpr const char* kNoiseMachinePage = "noise_machine.html";

    // The file address of the installed pages' folder, ending in "/".
    static std::string rootPath();
    // The help pad's first page, "welcome.html".
    static std::string initialURL();
    static std::string urlOfPage(const std::string& lastPathComponent);

    // In the help pad when `inBrowser` is false. The help pad is reached through the main
    // controller and the main window; start-up makes both, so a missing link is a
    // programming error.
    static void showPage(const std::string& lastPathComponent, bool inBrowser);

    static void showHelpIndex();
    static void showWelcome();
    static void showNoiseMachineHelp(bool inBrowser);
    static void showNotePadHelp();
    static void showProductivityTechniques();
    static void showSoftBreakHelp();
    static void showAutomaticallyBringToFront();
    static void showFocusLevelHelp();
    static void showOmniFocusHelp(bool inBrowser);
    static void showThingsHelp(bool inBrowser);
    // Always in the browser.
    static void showHitListHelp(bool inBrowser);
    static void showDropboxHelp(bool inBrowser);
    static void showAppleScriptHelp(bool inBrowser);
    static void showSpeechTagsReference(bool inBrowser);
    // Always in the browser.
    static void showInputMonitoringHelp();
    static void showLockScreenOption();
    static void showInformalBreakHelp(bool inBrowser);

    // For the alert that asks for the Dropbox folder: its help button shows "dropbox.html" in
    // the help pad.
    static std::shared_ptr<GenericAlertHelpDelegate> createAlertHelpDelegateForDropbox();

private:
    static void openInBrowser(const std::string& lastPathComponent);
};

}
