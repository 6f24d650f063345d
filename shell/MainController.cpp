#include "shell/MainController.h"

#include "shell/AppDelegate.h"
#include "shell/DefaultSettings.h"

#include "core/StateMachine.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/ShownState.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"
#include "platform/ui/StatusItem.h"

namespace ostrel {

namespace {
std::shared_ptr<MainController>& shared()
{
    static std::shared_ptr<MainController> instance;
    return instance;
}
}

std::shared_ptr<MainController> MainController::create()
{
    return std::shared_ptr<MainController>(new MainController);
}

MainController::MainController()
    : m_dockMenu(ui::Menu::create())
{
}

std::shared_ptr<MainController> MainController::sharedInstance() { return shared(); }

void MainController::setSharedInstance(std::shared_ptr<MainController> controller) { shared() = std::move(controller); }

void MainController::prepareDefaults() { ostrel::prepareDefaults(); }

void MainController::awakeFromNib()
{
    shared() = shared_from_this();
    createMenuItem();
}

void MainController::createMenuItem()
{
    m_item = ui::StatusItem::create();
    m_item->setMenu(m_dockMenu);
}

void MainController::activateView()
{
    auto machine = StateMachine::sharedStateMachine();
    auto current = machine ? machine->currentState() : nullptr;
    auto* shown = dynamic_cast<ShownState*>(current.get());
    if (!m_pseudoAppDelegate || !shown)
        base::fatal("MainController activateView: no application delegate or no current screen to show");
    m_pseudoAppDelegate->showState(*shown);
}

void MainController::hide(const base::Sender&)
{
    auto* application = ui::Application::shared();
    if (application && application->isActive())
        application->hide();
}

void MainController::run()
{
    if (auto machine = StateMachine::sharedStateMachine())
        machine->start();
}

const base::ActionTable& MainController::actionTable() const
{
    static const auto table = base::ActionTable::of<MainController>({ { "hide:", &MainController::hide },
        { "showPreferencesDialog:", &MainController::showPreferencesDialog },
        { "showPreferencesDialogWithDistractionPanePreselected:", &MainController::showPreferencesDialogWithDistractionPanePreselected },
        { "showHelp:", &MainController::showHelp },
        { "showOmniFocusIntegrationHelp:", &MainController::showOmniFocusIntegrationHelp },
        { "showThingsIntegrationHelp:", &MainController::showThingsIntegrationHelp },
        { "showNoiseMachineIntegrationHelp:", &MainController::showNoiseMachineIntegrationHelp } });
    return table;
}

}
