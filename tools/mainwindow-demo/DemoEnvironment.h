#pragma once

#include "command/CommandEnvironment.h"

#include <functional>
#include <memory>
#include <string>

namespace ostrel {
class MainWindow;
}

// What the program around the command pop-up would answer, answered with the demo's main
// window: the pad and log book commands act on it, the rest is only logged ("demo: …" on
// standard error), so a pop-up added to the demo has everything it can ask for.
class DemoEnvironment final : public ostrel::CommandEnvironment {
public:
    explicit DemoEnvironment(std::shared_ptr<ostrel::MainWindow> mainWindow);

    // The main controller's actions the demo serves; false for one it only logs.
    bool perform(const std::string& action);

    base::Defaults& defaults() override;
    void collectCurrentScreenItems(ostrel::MatchingItemCollector&) override { }
    void dismissCommandPopUp() override;
    void sendToMainController(const std::string& action, ostrel::MatchingItemList&) override { perform(action); }
    void sendHotKeyActionToMainController(const std::string& action, ostrel::OstrelHotKeyManager&) override { perform(action); }
    void runCommandWindow() override { log("run the command window"); }
    void updateMenuShortcuts() override { }
    void sendToApplication(const std::string& action) override;
    void checkForUpdates() override { log("check for updates"); }
    void displayNotification(const std::string& title, const std::string& description, double delay, bool sticky) override;
    std::optional<ostrel::KeyCombo> storedKeyCombo(const std::string& settingName) const override;
    void compressWindow() override;
    bool addLogEntryMenuItemShouldBeEnabled() const override;
    void addLogEntry(ostrel::MatchingItemList&) override { addLogEntry(); }
    void addLogEntry();
    std::optional<FocusedPad> focusedPad() const override;
    void parseSelectionOfFocusedPad() override;
    void revealFocusedPadInFinder(ostrel::MatchingItemList&) override;
    void parseObjectiveField() override;
    void parseClipboard() override;

    // Closes the pop-up once the demo has one.
    std::function<void()> dismissPopUp;

private:
    static void log(const std::string& what);

    std::shared_ptr<ostrel::MainWindow> m_mainWindow;
};
