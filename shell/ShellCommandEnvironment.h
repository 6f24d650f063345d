#pragma once

#include "command/CommandEnvironment.h"
#include "core/DataModel.h"

#include <memory>

namespace ostrel {

// What the command pop-up and the hot keys ask of the program, answered by the shell: the
// current screen's entries, the main controller's actions, the application delegate's
// pop-up and main window, the banners and the focused pad.
class ShellCommandEnvironment final : public CommandEnvironment {
public:
    // The model outlives the environment.
    explicit ShellCommandEnvironment(DataModel& model);

    base::Defaults& defaults() override;
    void collectCurrentScreenItems(MatchingItemCollector& collector) override;
    void dismissCommandPopUp() override;
    void closeOtherPopUps() override;
    void sendToMainController(const std::string& action, MatchingItemList& sender) override;
    void sendHotKeyActionToMainController(const std::string& action, OstrelHotKeyManager& sender) override;
    void runCommandWindow() override;
    void updateMenuShortcuts() override;
    void sendToApplication(const std::string& action) override;
    void checkForUpdates() override;
    void displayNotification(const std::string& title, const std::string& description, double delay, bool sticky) override;
    std::optional<KeyCombo> storedKeyCombo(const std::string& settingName) const override;
    void compressWindow() override;
    bool addLogEntryMenuItemShouldBeEnabled() const override;
    void addLogEntry(MatchingItemList& sender) override;
    std::optional<FocusedPad> focusedPad() const override;
    void parseSelectionOfFocusedPad() override;
    void revealFocusedPadInFinder(MatchingItemList& sender) override;
    void parseObjectiveField() override;
    bool currentScreenTakes(const std::string& action) const override;
    void parseClipboard() override;
    std::shared_ptr<ui::Menu> statusMenu() const override;

    // The model's variable of one of its hot-key settings ("focusNowPadKeyCombo"), or none.
    static std::shared_ptr<DataModel::KeyComboVariable> keyComboVariable(DataModel& model, const std::string& settingName);

private:
    DataModel* m_model { nullptr };
};

}
