// The main controller's actions: the targets of menu items, hot keys and pop-up entries that
// belong to no one screen.
#include "shell/MainController.h"

#include "shell/AppDelegate.h"
#include "shell/MailingListManager.h"
#include "shell/ShellState.h"
#include "shell/SoftwareUpdater.h"
#include "shell/WebAddresses.h"

#include "core/StateMachine.h"
#include "core/ZrLog.h"
#include "log/FullFeaturedStatisticsManager.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "mainwindow/ShownState.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/desktop/Opener.h"
#include "platform/ui/Application.h"
#include "platform/ui/FilePanel.h"
#include "platform/ui/Window.h"

#include <filesystem>

namespace ostrel {

namespace {

ui::Application* application() { return ui::Application::shared(); }

bool applicationIsActive() { return application() && application()->isActive(); }

MainWindowController* mainWindowController()
{
    auto controller = MainController::sharedInstance();
    auto* delegate = controller ? controller->pseudoAppDelegate() : nullptr;
    return delegate && delegate->mainWindow ? delegate->mainWindow->controller().get() : nullptr;
}

}

void MainController::sendDownTheChain(const char* action)
{
    // From the application along its next responders: this controller, the state machine
    // and the current screen, which performs the command when it has it.
    if (auto* app = application())
        app->tryToPerform(action);
    else
        tryToPerform(action);
}

void MainController::attemptToTriggerStartTimeSlice(const base::Sender&) { sendDownTheChain("startTimeSlice:"); }
void MainController::attemptToTriggerPauseTimeSlice(const base::Sender&) { sendDownTheChain("pauseOrResumeTimeSlice:"); }
void MainController::attemptToTriggerEndTimeSlice(const base::Sender&) { sendDownTheChain("stopTimeSlice:"); }
void MainController::attemptToTriggerStartTimedBreak(const base::Sender&) { sendDownTheChain("startTimedBreak:"); }

// In front, the pad's hot key toggles it; from the background it brings the window forward
// with the pad open, never closing it.
NowAndLaterBoardManager& MainController::nowAndLaterBoardManager() const { return NowAndLaterBoardManager::sharedManager(); }

void MainController::padHotKey(void (NowAndLaterBoardManager::*toggle)(), void (NowAndLaterBoardManager::*show)())
{
    auto& pads = nowAndLaterBoardManager();
    if (applicationIsActive()) {
        (pads.*toggle)();
        return;
    }
    bringToFront(this);
    (pads.*show)();
}

void MainController::nowHotKey(const base::Sender&) { padHotKey(&NowAndLaterBoardManager::toggleNowPad, &NowAndLaterBoardManager::showNowPad); }
void MainController::laterHotKey(const base::Sender&) { padHotKey(&NowAndLaterBoardManager::toggleLaterPad, &NowAndLaterBoardManager::showLaterPad); }
void MainController::scratchPadHotKey(const base::Sender&)
{
    padHotKey(&NowAndLaterBoardManager::toggleScratchPad, &NowAndLaterBoardManager::showScratchPad);
}

void MainController::readObjectiveAloudHotKey(const base::Sender&) { nowAndLaterBoardManager().readObjectiveAloud(); }

void MainController::showCommandWindow(const base::Sender&)
{
    if (!applicationIsActive())
        bringToFront(this);
    delegate().runCommandWindow();
}

void MainController::bringToFront(const base::Sender&)
{
    if (auto* app = application()) {
        if (app->isHidden())
            app->unhide();
        app->activate(true);
    }
    showInfoWindow();
    // Our windows come forward only when asked: the main window must, or nothing shows.
    delegate().makeFront();
}

void MainController::showInfoWindow() { activateView(); }

void MainController::activateView()
{
    auto machine = StateMachine::sharedStateMachine();
    auto current = machine ? machine->currentState() : nullptr;
    auto* shown = dynamic_cast<ShownState*>(current.get());
    if (!m_pseudoAppDelegate || !shown)
        base::fatal("MainController activateView: no application delegate or no current screen to show");
    m_pseudoAppDelegate->showState(*shown);
}

void MainController::takeDefaultAction(const base::Sender&)
{
    if (auto* state = currentShellState())
        state->simulateDefaultButtonPress();
}

void MainController::hide(const base::Sender&)
{
    zr_log("hide button pressed");
    auto* app = application();
    if (app && app->isActive()) {
        zr_log("isActive -> hide app");
        app->hide();
        zr_log("should now be hidden (actual hidden = %d)", app->isHidden() ? 1 : 0);
    }
}

void MainController::toggleOstrelInterface(const base::Sender& sender)
{
    zr_log("--");
    zr_log("toggleOstrelInterface");
    auto* app = application();
    if (app && app->isActive()) {
        zr_log("isActive -> hide");
        if (auto controller = sharedInstance())
            controller->hide(sender);
        zr_log("application is hidden: %d", app->isHidden() ? 1 : 0);
        return;
    }
    zr_log("hidden -> activate");
    if (app) {
        if (app->isHidden())
            app->unhide();
        app->activate(true);
    }
    showInfoWindow();
    if (auto& window = delegate().mainWindow)
        window->window().makeKeyAndOrderFront();
}

void MainController::togglePadKey(const char* key, bool toggle)
{
    auto store = base::Defaults::standard();
    bool open = !toggle || store->boolean(key);
    if (auto* controller = mainWindowController())
        controller->setPadOpen(key, open);
    else
        store->set(key, !open);
}

void MainController::toggleLogBook(const base::Sender&) { togglePadKey("logBookPadHidden", true); }
void MainController::showLogBook(const base::Sender&) { togglePadKey("logBookPadHidden", false); }
void MainController::toggleHelpPad(const base::Sender&) { togglePadKey("helpPadHidden", true); }
void MainController::showHelpPad() { togglePadKey("helpPadHidden", false); }
void MainController::toggleStatisticsWindow(const base::Sender&) { togglePadKey("statsPadHidden", true); }
void MainController::showStatisticsWindow(const base::Sender&) { togglePadKey("statsPadHidden", false); }

void MainController::closeAllPads(const base::Sender&)
{
    if (auto* controller = mainWindowController())
        controller->hideAllPadsExcept("dummy");
}

void MainController::insertBreadcrumbsTemplate(const base::Sender&) { nowAndLaterBoardManager().addBreadcrumbsTemplate(); }
void MainController::insertPrimingTemplate(const base::Sender&) { nowAndLaterBoardManager().addPrimingTemplate(); }

void MainController::forceLogRead(const base::Sender&) { LogFileManager::sharedInstance().update(); }
void MainController::revealUserLogFolder(const base::Sender&) { Logger::sharedLogger().revealLogFolder(); }

void MainController::exportAsCSV(const base::Sender&)
{
    std::filesystem::path stored = base::Defaults::standard()->string("exportAsCSVPath").value_or("");
    auto panel = ui::FilePanel::savePanel();
    panel->setAllowsOtherFileTypes(true);
    panel->setCanCreateDirectories(true);
    panel->setTitle("Export Logs in CSV format");
    panel->setAllowedFileTypes({ "csv" });
    panel->setNameFieldStringValue(stored.filename().string());
    panel->setDirectory(stored.parent_path());
    if (panel->runModal() != ui::FilePanel::Response::OK || !panel->url())
        return;
    FullFeaturedStatisticsManager::sharedInstance()->exportCSVTo(panel->url()->string());
}

void MainController::showHelp(const base::Sender&)
{
    showHelpPad();
    if (auto& show = MainWindowHooks::shared().showHelpPage)
        show("welcome.html");
}

void MainController::openUserManual(const base::Sender&) { desktop::Opener::openLink(webAddresses::userManual); }
void MainController::openVideoTutorial(const base::Sender&) { desktop::Opener::openLink(webAddresses::videoTutorial); }
void MainController::showContactLink(const base::Sender&) { desktop::Opener::openLink(webAddresses::contactTheDeveloper); }
void MainController::showJoinMailingListDialog(const base::Sender&) { MailingListManager::sharedInstance().openMailingListLink(); }

void MainController::checkForUpdates(const base::Sender& sender)
{
    if (m_mockSoftwareUpdater)
        m_mockSoftwareUpdater->checkForUpdates(sender);
}

void MainController::setRemainingSecondsTo15(const base::Sender&)
{
    auto machine = StateMachine::sharedStateMachine();
    auto current = machine ? machine->currentState() : nullptr;
    if (current && current->className().ends_with("TimeSliceRunningState"))
        current->tryToPerform("setRemainingWithSecondsForDebuggingOnly:", 15.0);
}

void MainController::terminate(const base::Sender&)
{
    if (auto* app = application())
        app->terminate();
}

const base::ActionTable& MainController::actionTable() const
{
    using C = MainController;
    static const auto table = base::ActionTable::of<C>({
        { "attemptToTriggerStartTimeSlice:", &C::attemptToTriggerStartTimeSlice },
        { "attemptToTriggerPauseTimeSlice:", &C::attemptToTriggerPauseTimeSlice },
        { "attemptToTriggerEndTimeSlice:", &C::attemptToTriggerEndTimeSlice },
        { "attemptToTriggerStartTimedBreak:", &C::attemptToTriggerStartTimedBreak },
        { "nowHotKey:", &C::nowHotKey },
        { "laterHotKey:", &C::laterHotKey },
        { "scratchPadHotKey:", &C::scratchPadHotKey },
        { "readObjectiveAloudHotKey:", &C::readObjectiveAloudHotKey },
        { "showCommandWindow:", &C::showCommandWindow },
        { "bringToFront:", &C::bringToFront },
        { "takeDefaultAction:", &C::takeDefaultAction },
        { "hide:", &C::hide },
        { "toggleOstrelInterface:", &C::toggleOstrelInterface },
        { "closeNowAndLaterBoard:", &C::closeNowAndLaterBoard },
        { "toggleLogBook:", &C::toggleLogBook },
        { "showLogBook:", &C::showLogBook },
        { "toggleHelpPad:", &C::toggleHelpPad },
        { "toggleStatisticsWindow:", &C::toggleStatisticsWindow },
        { "showStatisticsWindow:", &C::showStatisticsWindow },
        { "closeAllPads:", &C::closeAllPads },
        { "insertBreadcrumbsTemplate:", &C::insertBreadcrumbsTemplate },
        { "insertPrimingTemplate:", &C::insertPrimingTemplate },
        { "forceLogRead:", &C::forceLogRead },
        { "revealUserLogFolder:", &C::revealUserLogFolder },
        { "exportAsCSV:", &C::exportAsCSV },
        { "showHelp:", &C::showHelp },
        { "showPreferencesDialog:", &C::showPreferencesDialog },
        { "showPreferencesDialogWithDistractionPanePreselected:", &C::showPreferencesDialogWithDistractionPanePreselected },
        { "showOmniFocusIntegrationHelp:", &C::showOmniFocusIntegrationHelp },
        { "showThingsIntegrationHelp:", &C::showThingsIntegrationHelp },
        { "showNoiseMachineIntegrationHelp:", &C::showNoiseMachineIntegrationHelp },
        { "openUserManual:", &C::openUserManual },
        { "openVideoTutorial:", &C::openVideoTutorial },
        { "showContactLink:", &C::showContactLink },
        { "showJoinMailingListDialog:", &C::showJoinMailingListDialog },
        { "checkForUpdates:", &C::checkForUpdates },
        { "setRemainingSecondsTo15:", &C::setRemainingSecondsTo15 },
        { "terminate:", &C::terminate },
    });
    return table;
}

}
