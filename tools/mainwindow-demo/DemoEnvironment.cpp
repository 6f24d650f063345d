#include "DemoEnvironment.h"

#include "mainwindow/LogBookTableViewController.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/ObjectiveTextView.h"

#include "command/ObjectiveParser.h"
#include "core/DataModel.h"
#include "shell/ShellCommandEnvironment.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <cstdio>

using namespace ostrel;

DemoEnvironment::DemoEnvironment(std::shared_ptr<MainWindow> mainWindow)
    : m_mainWindow(std::move(mainWindow))
{
}

void DemoEnvironment::log(const std::string& what) { std::fprintf(stderr, "demo: %s\n", what.c_str()); }

base::Defaults& DemoEnvironment::defaults() { return *base::Defaults::standard(); }

bool DemoEnvironment::perform(const std::string& action)
{
    auto& pads = NowAndLaterBoardManager::sharedManager();
    auto& controller = *m_mainWindow->controller();
    auto toggle = [&controller](const char* key) {
        base::Defaults::standard()->boolean(key) ? controller.showPad(key) : controller.closeAllPads();
    };
    if (action == "nowHotKey:")
        pads.toggleNowPad();
    else if (action == "laterHotKey:")
        pads.toggleLaterPad();
    else if (action == "scratchPadHotKey:")
        pads.toggleScratchPad();
    else if (action == "readObjectiveAloudHotKey:")
        pads.readObjectiveAloud();
    else if (action == "toggleLogBook:")
        toggle("logBookPadHidden");
    else if (action == "toggleStatisticsWindow:")
        toggle("statsPadHidden");
    else if (action == "showStatisticsWindow:")
        controller.showPad("statsPadHidden");
    else if (action == "showHelp:")
        controller.showPad("helpPadHidden");
    else if (action == "closeAllPads:")
        controller.closeAllPads();
    else {
        log(action + " is not served by the demo");
        return false;
    }
    return true;
}

void DemoEnvironment::dismissCommandPopUp()
{
    log("dismiss the command pop-up");
    if (dismissPopUp)
        dismissPopUp();
}

void DemoEnvironment::sendToApplication(const std::string& action)
{
    auto* app = ui::Application::shared();
    if (action == "hide:" && app)
        app->hide();
    else if (action == "terminate:" && app)
        app->terminate();
    else
        log("application " + action);
}

void DemoEnvironment::displayNotification(const std::string& title, const std::string&, double, bool)
{
    log("notification \"" + title + "\"");
}

std::optional<KeyCombo> DemoEnvironment::storedKeyCombo(const std::string& settingName) const
{
    auto variable = ShellCommandEnvironment::keyComboVariable(DataModel::shared(), settingName);
    return variable ? variable->value() : std::nullopt;
}

void DemoEnvironment::compressWindow() { m_mainWindow->controller()->compressWindow(); }

bool DemoEnvironment::addLogEntryMenuItemShouldBeEnabled() const
{
    return !m_mainWindow->controller()->logBookTableViewController()->isCurrentlyOnEditingTab();
}

void DemoEnvironment::addLogEntry()
{
    m_mainWindow->controller()->showPad("logBookPadHidden");
    m_mainWindow->controller()->logBookTableViewController()->startNewLogEntry();
}

std::optional<CommandEnvironment::FocusedPad> DemoEnvironment::focusedPad() const
{
    auto* key = ui::Application::shared() ? ui::Application::shared()->keyWindow() : nullptr;
    auto* pad = key ? dynamic_cast<NowAndLaterBoardTextView*>(key->firstResponder()) : nullptr;
    if (!pad)
        return std::nullopt;
    return FocusedPad { dynamic_cast<ObjectiveTextView*>(pad) != nullptr, pad->selectedRange().length };
}

void DemoEnvironment::parseSelectionOfFocusedPad()
{
    auto* key = ui::Application::shared() ? ui::Application::shared()->keyWindow() : nullptr;
    if (auto* pad = key ? dynamic_cast<NowAndLaterBoardTextView*>(key->firstResponder()) : nullptr)
        pad->parseSelection();
}

void DemoEnvironment::revealFocusedPadInFinder(MatchingItemList&)
{
    auto* key = ui::Application::shared() ? ui::Application::shared()->keyWindow() : nullptr;
    if (auto* pad = key ? dynamic_cast<NowAndLaterBoardTextView*>(key->firstResponder()) : nullptr)
        pad->revealInFinder();
}

void DemoEnvironment::parseObjectiveField() { ObjectiveParser::shared().parseObjectiveField(); }

void DemoEnvironment::parseClipboard() { ObjectiveParser::shared().parseClipboard(); }
