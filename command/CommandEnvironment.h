#pragma once

#include "core/KeyCombo.h"

#include <memory>
#include <optional>
#include <string>

namespace base {
class Defaults;
}

namespace ui {
class Menu;
}

namespace ostrel {

class MatchingItemCollector;
class MatchingItemList;
class OstrelHotKeyManager;

// What the application around it offers the pop-up's model: the current screen, the main
// controller's actions, the application object and the pads. The shell implements it once
// those exist; tests implement it with a recorder.
class CommandEnvironment {
public:
    virtual ~CommandEnvironment() = default;

    // The standard user defaults.
    virtual base::Defaults& defaults() = 0;

    // The current screen of the state machine adds its entries (collectMatchingItems).
    virtual void collectCurrentScreenItems(MatchingItemCollector&) = 0;
    // Closes the command pop-up through the application delegate's command window.
    virtual void dismissCommandPopUp() = 0;
    // Just before the pop-up opens: the current screen's closeOtherPopUps(for:) with the
    // command pop-up's kind, when it is a ModernUIState, so that it closes its own popovers.
    // Nothing until the shell knows the screens.
    virtual void closeOtherPopUps() { }

    // An action by name ("nowHotKey:") to the shared MainController, the list as sender.
    virtual void sendToMainController(const std::string& action, MatchingItemList& sender) = 0;
    // An application hot key's action by name ("laterHotKey:") to the shared MainController,
    // the hot-key manager as sender; nothing when there is no controller yet.
    virtual void sendHotKeyActionToMainController(const std::string& action, OstrelHotKeyManager& sender) = 0;
    // The application delegate's runCommandWindow(), reached through the application.
    virtual void runCommandWindow() = 0;
    // MainController's updateMenuShortcuts: each menu item that shows a hot key takes
    // OstrelHotKeyManager::updateMenuShortcut.
    virtual void updateMenuShortcuts() = 0;
    // An action by name ("hide:", "terminate:") to the application object.
    virtual void sendToApplication(const std::string& action) = 0;
    virtual void checkForUpdates() = 0;
    virtual void displayNotification(const std::string& title, const std::string& description,
        double delay, bool sticky) = 0;
    // The combination stored under one of DataModel's hot-key settings, if any.
    virtual std::optional<KeyCombo> storedKeyCombo(const std::string& settingName) const = 0;
    virtual void compressWindow() = 0;

    virtual bool addLogEntryMenuItemShouldBeEnabled() const = 0;
    virtual void addLogEntry(MatchingItemList& sender) = 0;

    // The key window's first responder, when it is a pad text view.
    struct FocusedPad {
        bool isObjectiveTextView { false };
        std::size_t selectedLength { 0 };
    };
    virtual std::optional<FocusedPad> focusedPad() const = 0;
    virtual void parseSelectionOfFocusedPad() = 0;
    virtual void revealFocusedPadInFinder(MatchingItemList& sender) = 0;

    virtual void parseObjectiveField() = 0;
    virtual void parseClipboard() = 0;

    // Whether an action by name ("pauseOrResumeTimeSlice:") reaches the current screen now:
    // a key the pop-up shows must do what the row says.
    virtual bool currentScreenTakes(const std::string&) const { return false; }
    // The status item's menu, which the pop-up mirrors; none before the shell made it.
    virtual std::shared_ptr<ui::Menu> statusMenu() const { return nullptr; }
};

}
