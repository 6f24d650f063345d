#include "shell/ShellCommandEnvironment.h"

#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "shell/ShellState.h"

#include "attention/OstrelNotificationSystem.h"
#include "command/CommandPopUpWindow.h"
#include "command/ObjectiveParser.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/DataModel.h"
#include "core/StateMachine.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/ObjectiveTextView.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <map>

namespace ostrel {

namespace {

ShellState* currentScreen()
{
    auto machine = StateMachine::sharedStateMachine();
    return machine ? dynamic_cast<ShellState*>(machine->currentState().get()) : nullptr;
}

AppDelegate* appDelegate()
{
    auto* application = ui::Application::shared();
    return application ? dynamic_cast<AppDelegate*>(application->delegate()) : nullptr;
}

MainWindowController* mainWindowController()
{
    auto* delegate = appDelegate();
    return delegate && delegate->mainWindow ? delegate->mainWindow->controller().get() : nullptr;
}

NowAndLaterBoardTextView* focusedPadView()
{
    auto* key = ui::Application::shared() ? ui::Application::shared()->keyWindow() : nullptr;
    return key ? dynamic_cast<NowAndLaterBoardTextView*>(key->firstResponder()) : nullptr;
}

}

ShellCommandEnvironment::ShellCommandEnvironment(DataModel& model)
    : m_model(&model)
{
}

base::Defaults& ShellCommandEnvironment::defaults() { return *m_model->store(); }

void ShellCommandEnvironment::collectCurrentScreenItems(MatchingItemCollector& collector)
{
    if (auto* screen = currentScreen())
        screen->collectMatchingItems(collector);
}

void ShellCommandEnvironment::dismissCommandPopUp()
{
    auto* delegate = appDelegate();
    if (delegate && delegate->commandWindow)
        delegate->commandWindow->popUpContentViewController()->dismissDialog();
}

void ShellCommandEnvironment::closeOtherPopUps()
{
    if (auto* screen = currentScreen())
        screen->closeOtherPopUps(PopUpKind::commandPopUp);
}

void ShellCommandEnvironment::sendToMainController(const std::string& action, MatchingItemList& sender)
{
    auto controller = MainController::sharedInstance();
    if (!controller || !controller->tryToPerform(action, &sender))
        base::diagnostic("the command pop-up's \"" + action + "\" found nobody to perform it");
}

void ShellCommandEnvironment::sendHotKeyActionToMainController(const std::string& action, OstrelHotKeyManager& sender)
{
    if (auto controller = MainController::sharedInstance())
        controller->tryToPerform(action, &sender);
}

void ShellCommandEnvironment::runCommandWindow()
{
    if (auto* delegate = appDelegate())
        delegate->runCommandWindow();
}

void ShellCommandEnvironment::updateMenuShortcuts()
{
    if (auto controller = MainController::sharedInstance())
        controller->updateMenuShortcuts();
}

void ShellCommandEnvironment::sendToApplication(const std::string& action)
{
    auto* application = ui::Application::shared();
    if (!application)
        return;
    if (action == "hide:")
        application->hide();
    else if (action == "terminate:")
        application->terminate();
    else if (!application->tryToPerform(action))
        base::diagnostic("the application does not perform " + action);
}

void ShellCommandEnvironment::checkForUpdates()
{
    if (auto controller = MainController::sharedInstance())
        controller->checkForUpdates(controller.get());
}

void ShellCommandEnvironment::displayNotification(const std::string& title, const std::string& description, double delay, bool sticky)
{
    OstrelNotificationSystem::sharedNotifier().displayNotification(title, description, delay, sticky);
}

std::shared_ptr<DataModel::KeyComboVariable> ShellCommandEnvironment::keyComboVariable(DataModel& model, const std::string& settingName)
{
    const std::map<std::string, std::shared_ptr<DataModel::KeyComboVariable>> combos {
        { "focusNowPadKeyCombo", model.focusNowPadKeyCombo }, { "focusLaterPadKeyCombo", model.focusLaterPadKeyCombo },
        { "focusScratchPadKeyCombo", model.focusScratchPadKeyCombo }, { "readObjectiveAloudKeyCombo", model.readObjectiveAloudKeyCombo },
        { "startTimeSliceKeyCombo", model.startTimeSliceKeyCombo }, { "pauseTimeSliceKeyCombo", model.pauseTimeSliceKeyCombo },
        { "endTimeSliceKeyCombo", model.endTimeSliceKeyCombo }, { "startTimedBreakKeyCombo", model.startTimedBreakKeyCombo },
        { "bringToFrontKeyCombo", model.bringToFrontKeyCombo }, { "showCommandPopOverCombo", model.showCommandPopOverCombo },
    };
    auto found = combos.find(settingName);
    return found == combos.end() ? nullptr : found->second;
}

std::optional<KeyCombo> ShellCommandEnvironment::storedKeyCombo(const std::string& settingName) const
{
    auto variable = keyComboVariable(*m_model, settingName);
    return variable ? variable->value() : std::nullopt;
}

void ShellCommandEnvironment::compressWindow()
{
    if (auto* controller = mainWindowController())
        controller->compressWindow();
}

bool ShellCommandEnvironment::addLogEntryMenuItemShouldBeEnabled() const
{
    auto* delegate = appDelegate();
    return delegate && delegate->mainWindow && delegate->addLogEntryMenuItemShouldBeEnabled();
}

void ShellCommandEnvironment::addLogEntry(MatchingItemList&)
{
    if (auto* delegate = appDelegate())
        delegate->addLogEntry();
}

std::optional<CommandEnvironment::FocusedPad> ShellCommandEnvironment::focusedPad() const
{
    auto* pad = focusedPadView();
    if (!pad)
        return std::nullopt;
    return FocusedPad { dynamic_cast<ObjectiveTextView*>(pad) != nullptr, pad->selectedRange().length };
}

void ShellCommandEnvironment::parseSelectionOfFocusedPad()
{
    if (auto* pad = focusedPadView())
        pad->parseSelection();
}

void ShellCommandEnvironment::revealFocusedPadInFinder(MatchingItemList&)
{
    if (auto* pad = focusedPadView())
        pad->revealInFinder();
}

void ShellCommandEnvironment::parseObjectiveField() { ObjectiveParser::shared().parseObjectiveField(); }

bool ShellCommandEnvironment::currentScreenTakes(const std::string& action) const
{
    // Along the application's chain: the main controller, the state machine, the screen.
    for (const base::Responder* responder = ui::Application::shared(); responder; responder = responder->nextResponder())
        if (responder->respondsTo(action))
            return true;
    return false;
}

void ShellCommandEnvironment::parseClipboard() { ObjectiveParser::shared().parseClipboard(); }

std::shared_ptr<ui::Menu> ShellCommandEnvironment::statusMenu() const
{
    auto controller = MainController::sharedInstance();
    return controller ? controller->dockMenu() : nullptr;
}

}
