#include "shell/MainController.h"

#include "shell/HelpManager.h"
#include "shell/PreferencesController.h"

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
    preferences->setSoftwareUpdater(m_mockSoftwareUpdater);
    preferences->run();
}

void MainController::showPreferencesDialogWithDistractionPanePreselected(const base::Sender& sender)
{
    auto store = base::Defaults::standard();
    store->set("preferencesTabViewItemIdentifier", "Distractions");
    store->synchronize();
    showPreferencesDialog(sender);
}

void MainController::showOmniFocusIntegrationHelp(const base::Sender&) { HelpManager::showOmniFocusHelp(false); }

void MainController::showThingsIntegrationHelp(const base::Sender&) { HelpManager::showThingsHelp(false); }

void MainController::showNoiseMachineIntegrationHelp(const base::Sender&) { HelpManager::showNoiseMachineHelp(false); }

}
