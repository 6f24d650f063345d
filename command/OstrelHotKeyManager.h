#pragma once

#include "core/KeyCombo.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ostrel {

class CommandEnvironment;
class DataModel;
class KeyboardShortcutsManager;

// The application's ten global hot keys, each stored in a setting of its own: registered from
// the settings as a whole, withdrawn while the preferences are open, and shown on the menu
// items, where the four timer commands fall back to fixed combinations.
class OstrelHotKeyManager {
public:
    // Over the shared model and shortcuts manager; made on first use, kept for the run.
    static OstrelHotKeyManager& shared();

    // Non-owning; the models outlive the manager.
    OstrelHotKeyManager(DataModel& model, KeyboardShortcutsManager& shortcuts);

    // Non-owning: the shell installs itself at start-up. Until then a hot key does nothing,
    // as when there is no main controller.
    void setEnvironment(CommandEnvironment* environment) { m_environment = environment; }

    void registerAllHotKeys();
    void disableAllHotKeys();
    void updateMenuShortcuts();

    // `storageKey` is a hot key's name ("now", "startTimeSlice"), not its settings key.
    std::optional<KeyCombo> currentOrDefaultKeyCombo(const std::string& storageKey) const;

    struct MenuKeyEquivalent {
        std::string keyEquivalent;
        uint64_t modifierMask { 0 };
        bool operator==(const MenuKeyEquivalent&) const = default;
    };
    // The key's display text in lower case with the event modifier flags, or empty both.
    MenuKeyEquivalent menuKeyEquivalent(const std::string& storageKey) const;

    // `item2` is the Dock menu's copy, when there is one.
    template<class MenuItem>
    void updateMenuShortcut(MenuItem& item, MenuItem* item2, const std::string& storageKey) const
    {
        auto shortcut = menuKeyEquivalent(storageKey);
        for (MenuItem* target : { &item, item2 }) {
            if (!target)
                continue;
            target->setKeyEquivalent(shortcut.keyEquivalent);
            target->setKeyEquivalentModifierMask(shortcut.modifierMask);
        }
    }

private:
    DataModel* m_model { nullptr };
    KeyboardShortcutsManager* m_shortcuts { nullptr };
    CommandEnvironment* m_environment { nullptr };
    // Work queued for later asks whether the manager is still there.
    std::shared_ptr<void> m_lifetime { std::make_shared<int>(0) };
};

}
