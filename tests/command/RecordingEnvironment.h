#pragma once

#include "command/CommandEnvironment.h"
#include "command/MatchingItemCollector.h"
#include "platform/base/Defaults.h"

#include <functional>
#include <vector>

namespace ostrel::test {

// The application around the pop-up, reduced to a log of what was asked of it.
class RecordingEnvironment final : public CommandEnvironment {
public:
    base::Defaults& defaults() override { return *memory; }
    void collectCurrentScreenItems(MatchingItemCollector& collector) override
    {
        if (screen)
            screen(collector);
    }
    void dismissCommandPopUp() override
    {
        calls.push_back("dismiss");
        if (dismiss)
            dismiss();
    }
    void closeOtherPopUps() override { calls.push_back("closeOtherPopUps"); }
    void sendToMainController(const std::string& action, MatchingItemList&) override
    {
        calls.push_back("MainController " + action);
    }
    void sendHotKeyActionToMainController(const std::string& action, OstrelHotKeyManager&) override
    {
        calls.push_back("MainController " + action);
    }
    void runCommandWindow() override { calls.push_back("runCommandWindow"); }
    void updateMenuShortcuts() override { calls.push_back("updateMenuShortcuts"); }
    void sendToApplication(const std::string& action) override { calls.push_back("application " + action); }
    void checkForUpdates() override { calls.push_back("checkForUpdates"); }
    void displayNotification(const std::string& title, const std::string&, double, bool) override
    {
        calls.push_back("notification " + title);
    }
    std::optional<KeyCombo> storedKeyCombo(const std::string& name) const override
    {
        if (name == "focusNowPadKeyCombo")
            return KeyCombo { 45, 0x900 };
        return std::nullopt;
    }
    void compressWindow() override { calls.push_back("compressWindow"); }
    bool addLogEntryMenuItemShouldBeEnabled() const override { return addLogEntryEnabled; }
    void addLogEntry(MatchingItemList&) override { calls.push_back("addLogEntry"); }
    std::optional<FocusedPad> focusedPad() const override { return pad; }
    void parseSelectionOfFocusedPad() override { calls.push_back("parseSelection"); }
    void revealFocusedPadInFinder(MatchingItemList&) override { calls.push_back("revealInFinder"); }
    void parseObjectiveField() override { calls.push_back("parseObjectiveField"); }
    void parseClipboard() override { calls.push_back("parseClipboard"); }
    std::shared_ptr<ui::Menu> statusMenu() const override { return menu; }

    std::shared_ptr<base::Defaults> memory { base::Defaults::create("") };
    std::function<void(MatchingItemCollector&)> screen;
    // What closing the pop-up does beyond being recorded.
    std::function<void()> dismiss;
    bool addLogEntryEnabled { false };
    std::optional<FocusedPad> pad;
    std::shared_ptr<ui::Menu> menu;
    std::vector<std::string> calls;
};

}
