#pragma once

#include "platform/base/Responder.h"
#include "platform/ui/Application.h"
#include "platform/ui/Responder.h"

#include <memory>
#include <optional>
#include <string>

namespace desktop {
class UrlScheme;
}
namespace ui {
class Menu;
class MenuItem;
class StatusItem;
}

namespace ostrel {

class AppDelegate;
class NowAndLaterBoardManager;
class OstrelStatusItemButtonController;
class ShellState;
class SoftwareUpdater;

// The application controller: registers the default settings the first time the class is
// used, owns the status item and the status menu the running screens add to, carries the
// launch steps the application delegate forwards to it, answers links of our scheme, and
// performs the application-wide commands of menus, hot keys and the command pop-up. It sits
// in the responder chain between the application and the state machine, so time-slice
// commands sent into the chain reach the current screen.
class MainController : public ui::Responder, public std::enable_shared_from_this<MainController> {
public:
    static std::shared_ptr<MainController> create();
    ~MainController() override;
    // None until the start-up wiring has woken or set one.
    static std::shared_ptr<MainController> sharedInstance();
    static void setSharedInstance(std::shared_ptr<MainController> controller);
    // The main table of default settings, registered in the standard store.
    static void prepareDefaults();
    // For tests: the next first use sets the class up again, as in a new process.
    static void forgetClassSetUp();
    // Hooks of the first launch; both do nothing here.
    static void chooseVariation() { }
    static void syncOldPreferences() { }

    // The main-menu and status-menu items whose shortcuts and titles the controller keeps
    // up; the menu builder sets them. Any may be absent.
    struct MenuItems {
        std::shared_ptr<ui::MenuItem> showCommandWindowMenuItem;
        std::shared_ptr<ui::MenuItem> focusNowHotkeyMenuItem;
        std::shared_ptr<ui::MenuItem> focusLaterHotkeyMenuItem;
        std::shared_ptr<ui::MenuItem> focusScratchPadHotkeyMenuItem;
        std::shared_ptr<ui::MenuItem> readObjectiveAloudHotKeyMenuItem;
        std::shared_ptr<ui::MenuItem> startTimeSliceMenuItem;
        std::shared_ptr<ui::MenuItem> endTimeSliceMenuItem;
        std::shared_ptr<ui::MenuItem> startTimedBreakMenuItem;
        std::shared_ptr<ui::MenuItem> startInformalBreakMenuItem;
        std::shared_ptr<ui::MenuItem> pauseTimeSliceMenuItem;
        std::shared_ptr<ui::MenuItem> startTimeSliceDockMenuItem;
        std::shared_ptr<ui::MenuItem> endTimeSliceDockMenuItem;
        std::shared_ptr<ui::MenuItem> startTimedBreakDockMenuItem;
        std::shared_ptr<ui::MenuItem> pauseTimeSliceDockMenuItem;
        std::shared_ptr<ui::MenuItem> setRemainingTimeTo15SecondsItem;
        std::shared_ptr<ui::MenuItem> parseSelectionMenuItem;
    };
    MenuItems menuItems;

    // Becomes the shared instance and makes the status item.
    void awakeFromNib();
    // The status item with the menu-bar icon left of its title, clicks to the button controller.
    void createMenuItem();

    // Forwarded by the application delegate's callbacks.
    void applicationWillFinishLaunching(const ui::Notification& notification);
    void applicationDidFinishLaunching(const ui::Notification& notification);
    void applicationDidBecomeActive(const ui::Notification& notification);
    // Asks first on a running slice or while worked seconds are not logged yet; saves the pads.
    ui::TerminateReply applicationShouldTerminate();

    // Starts the state machine on its first screen.
    void run();

    // A link handed to us (by the desktop or a second launch).
    void getUrl(const std::string& url);
    // The to-do a link of our scheme names; none for any other text.
    static std::optional<std::string> thingsToDoIdentifier(const std::string& url);
    // The running copy's listener for the links and front requests of later launches, and
    // the link this launch was started with: served from will-finish-launching on.
    void setUrlSources(std::unique_ptr<desktop::UrlScheme> listener, std::optional<std::string> launchUrl);

    // Actions (menus, hot keys, pop-up entries); the sender is passed on where it matters.
    void attemptToTriggerStartTimeSlice(const base::Sender& sender = {});
    void attemptToTriggerPauseTimeSlice(const base::Sender& sender = {});
    void attemptToTriggerEndTimeSlice(const base::Sender& sender = {});
    void attemptToTriggerStartTimedBreak(const base::Sender& sender = {});
    void nowHotKey(const base::Sender& sender = {});
    void laterHotKey(const base::Sender& sender = {});
    void scratchPadHotKey(const base::Sender& sender = {});
    void readObjectiveAloudHotKey(const base::Sender& sender = {});
    void showCommandWindow(const base::Sender& sender = {});
    void bringToFront(const base::Sender& sender = {});
    void showInfoWindow();
    // The main window shows the state machine's current screen.
    void activateView();
    void takeDefaultAction(const base::Sender& sender = {});
    // Hides the program when it is active.
    void hide(const base::Sender& sender = {});
    void toggleOstrelInterface(const base::Sender& sender = {});
    void closeNowAndLaterBoard(const base::Sender&) { }
    void toggleLogBook(const base::Sender& sender = {});
    void showLogBook(const base::Sender& sender = {});
    void toggleHelpPad(const base::Sender& sender = {});
    void showHelpPad();
    void toggleStatisticsWindow(const base::Sender& sender = {});
    void showStatisticsWindow(const base::Sender& sender = {});
    void closeAllPads(const base::Sender& sender = {});
    void insertBreadcrumbsTemplate(const base::Sender& sender = {});
    void insertPrimingTemplate(const base::Sender& sender = {});
    void forceLogRead(const base::Sender& sender = {});
    void revealUserLogFolder(const base::Sender& sender = {});
    void exportAsCSV(const base::Sender& sender = {});
    void showHelp(const base::Sender& sender = {});
    // The preferences window, run modally; the second opens it on the distractions pane.
    void showPreferencesDialog(const base::Sender& sender = {});
    void showPreferencesDialogWithDistractionPanePreselected(const base::Sender& sender = {});
    // Help on the integrations, in the help pad.
    void showOmniFocusIntegrationHelp(const base::Sender& sender = {});
    void showThingsIntegrationHelp(const base::Sender& sender = {});
    void showNoiseMachineIntegrationHelp(const base::Sender& sender = {});
    void openUserManual(const base::Sender& sender = {});
    void openVideoTutorial(const base::Sender& sender = {});
    void showContactLink(const base::Sender& sender = {});
    void showJoinMailingListDialog(const base::Sender& sender = {});
    void checkForUpdates(const base::Sender& sender = {});
    void setRemainingSecondsTo15(const base::Sender& sender = {});
    void terminate(const base::Sender& sender = {});

    // Each hot key's combination onto its menu items; the hot-key manager calls it after
    // registering the hot keys.
    void updateMenuShortcuts();
    // Every hot-key item loses its shortcut, but the command pop-up's.
    void disableMenuShortcuts();

    // Ends any editing in the main window; always true.
    bool validate();

    // The status item, from awakeFromNib() on.
    const std::shared_ptr<ui::StatusItem>& item() const { return m_item; }
    // The status menu: the status item's right click, where running screens put their items.
    const std::shared_ptr<ui::Menu>& dockMenu() const { return m_dockMenu; }
    const std::shared_ptr<OstrelStatusItemButtonController>& statusItemButtonController() const
    {
        return m_statusItemButtonController;
    }
    const std::shared_ptr<SoftwareUpdater>& mockSoftwareUpdater() const { return m_mockSoftwareUpdater; }
    void setMockSoftwareUpdater(std::shared_ptr<SoftwareUpdater> updater) { m_mockSoftwareUpdater = std::move(updater); }

    // The pads' manager, which the pad commands and hot keys act on.
    NowAndLaterBoardManager& nowAndLaterBoardManager() const;

    // Not owned: the delegate lives as long as the application, which outlives the controller's use.
    AppDelegate* pseudoAppDelegate() const { return m_pseudoAppDelegate; }
    void setPseudoAppDelegate(AppDelegate* delegate) { m_pseudoAppDelegate = delegate; }

    bool acceptsFirstResponder() const override { return true; }

protected:
    const base::ActionTable& actionTable() const override;

private:
    MainController();
    void installUrlHandler();
    // The class's set-up, once, before its first use (creation or prepareDefaults).
    static void initialize();
    AppDelegate& delegate() const;
    static ShellState* currentShellState();
    void sendDownTheChain(const char* action);
    void padHotKey(void (NowAndLaterBoardManager::*toggle)(), void (NowAndLaterBoardManager::*show)());
    void togglePadKey(const char* key, bool toggle);

    std::shared_ptr<ui::StatusItem> m_item;
    std::shared_ptr<ui::Menu> m_dockMenu;
    std::shared_ptr<OstrelStatusItemButtonController> m_statusItemButtonController;
    std::shared_ptr<SoftwareUpdater> m_mockSoftwareUpdater;
    std::unique_ptr<desktop::UrlScheme> m_urlListener;
    std::optional<std::string> m_launchUrl;
    AppDelegate* m_pseudoAppDelegate { nullptr };
};

}
