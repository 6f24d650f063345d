#include "shell/MainController.h"

#include "shell/AppDelegate.h"
#include "shell/HelpManager.h"
#include "shell/PreferencesController.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"

#include "platform/base/Defaults.h"

namespace ostrel {

void MainController::showPreferencesDialog(const base::Sender&)
{
    if (auto open = PreferencesController::running()) {
        open->window().makeKeyAndOrderFront();
        return;
    }
    auto preferences = PreferencesController::create();
    preferences->setMainController(shared_from_this());
    preferences->run();
}

void MainController::showPreferencesDialogWithDistractionPanePreselected(const base::Sender& sender)
{
    auto store = base::Defaults::standard();
    store->set("preferencesTabViewItemIdentifier", "Distractions");
    store->synchronize();
    showPreferencesDialog(sender);
}

void MainController::showHelp(const base::Sender&) { HelpManager::showWelcome(); }

void MainController::showHelpPad()
{
    auto store = base::Defaults::standard();
    store->set("helpPadHidden", false);
    if (m_pseudoAppDelegate && m_pseudoAppDelegate->mainWindow && m_pseudoAppDelegate->mainWindow->controller())
        m_pseudoAppDelegate->mainWindow->controller()->hideAllPadsExcept("helpPadHidden");
}

void MainController::showOmniFocusIntegrationHelp(const base::Sender&) { HelpManager::showOmniFocusHelp(false); }

void MainController::showThingsIntegrationHelp(const base::Sender&) { HelpManager::showThingsHelp(false); }

void MainController::showNoiseMachineIntegrationHelp(const base::Sender&) { HelpManager::showNoiseMachineHelp(false); }

}
