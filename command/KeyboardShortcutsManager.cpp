#include "command/KeyboardShortcutsManager.h"

#include "command/HotKey.h"
#include "command/HotKeysController.h"

namespace ostrel {

KeyboardShortcutsManager& KeyboardShortcutsManager::shared()
{
    // Never released, like the registry its hot keys unregister from.
    static auto* manager = new KeyboardShortcutsManager;
    return *manager;
}

std::vector<std::string> KeyboardShortcutsManager::allIdentifiers() const
{
    std::vector<std::string> names;
    for (const auto& entry : allHotKeysDic)
        names.push_back(entry.first);
    return names;
}

void KeyboardShortcutsManager::unregisterAll()
{
    for (const auto& name : allIdentifiers()) {
        auto found = allHotKeysDic.find(name);
        if (found == allHotKeysDic.end())
            continue;
        // Out of the dictionary before it goes: its end unregisters nothing a second time,
        // and nothing it sets off finds it still listed.
        auto hotKey = std::move(found->second);
        allHotKeysDic.erase(found);
        if (hotKey)
            HotKeysController::unregisterHotKey(*hotKey);
    }
}

}
