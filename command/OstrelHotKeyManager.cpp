#include "command/OstrelHotKeyManager.h"

#include "command/CommandEnvironment.h"
#include "command/HotKey.h"
#include "command/KeyboardShortcutsManager.h"
#include "core/DataModel.h"

#include "platform/base/MainQueue.h"

#include <algorithm>
#include <memory>

namespace ostrel {

namespace {

using Variable = std::shared_ptr<DataModel::KeyComboVariable> DataModel::*;

struct ApplicationHotKey {
    const char* name;
    Variable variable;
    // Empty: the application delegate's command window.
    const char* mainControllerAction;
};

// In registration order.
constexpr ApplicationHotKey applicationHotKeys[] = {
    { "now", &DataModel::focusNowPadKeyCombo, "nowHotKey:" },
    { "later", &DataModel::focusLaterPadKeyCombo, "laterHotKey:" },
    { "scratch", &DataModel::focusScratchPadKeyCombo, "scratchPadHotKey:" },
    { "readObjectiveAloud", &DataModel::readObjectiveAloudKeyCombo, "readObjectiveAloudHotKey:" },
    { "startTimeSlice", &DataModel::startTimeSliceKeyCombo, "attemptToTriggerStartTimeSlice:" },
    { "pauseTimeSlice", &DataModel::pauseTimeSliceKeyCombo, "attemptToTriggerPauseTimeSlice:" },
    { "endTimeSlice", &DataModel::endTimeSliceKeyCombo, "attemptToTriggerEndTimeSlice:" },
    { "startTimedBreak", &DataModel::startTimedBreakKeyCombo, "attemptToTriggerStartTimedBreak:" },
    { "bringToFront", &DataModel::bringToFrontKeyCombo, "toggleOstrelInterface:" },
    { "showCommandPopOver", &DataModel::showCommandPopOverCombo, "" },
};

// The menus show these for the timer commands even when no hot key is set.
std::optional<KeyCombo> menuFallback(const std::string& name)
{
    using CarbonModifier::control;
    if (name == "startTimeSlice")
        return KeyCombo(1, control);
    if (name == "pauseTimeSlice")
        return KeyCombo(35, control);
    if (name == "endTimeSlice")
        return KeyCombo(14, control);
    if (name == "startTimedBreak")
        return KeyCombo(11, control);
    return std::nullopt;
}

const ApplicationHotKey* applicationHotKey(const std::string& name)
{
    auto found = std::find_if(std::begin(applicationHotKeys), std::end(applicationHotKeys),
        [&](const ApplicationHotKey& hotKey) { return name == hotKey.name; });
    return found == std::end(applicationHotKeys) ? nullptr : found;
}

}

OstrelHotKeyManager& OstrelHotKeyManager::shared()
{
    static auto* manager = new OstrelHotKeyManager(DataModel::shared(), KeyboardShortcutsManager::shared());
    return *manager;
}

OstrelHotKeyManager::OstrelHotKeyManager(DataModel& model, KeyboardShortcutsManager& shortcuts)
    : m_model(&model)
    , m_shortcuts(&shortcuts)
{
}

void OstrelHotKeyManager::registerAllHotKeys()
{
    base::MainQueue::async([this, alive = std::weak_ptr<void>(m_lifetime)] {
        if (!alive.expired())
            updateMenuShortcuts();
    });
    m_shortcuts->unregisterAll();
    for (const auto& entry : applicationHotKeys) {
        auto combo = (m_model->*entry.variable)->value();
        if (!combo || m_shortcuts->allHotKeysDic.contains(entry.name))
            continue;
        std::string action = entry.mainControllerAction;
        auto keyDown = [this, action] {
            if (!m_environment)
                return;
            if (action.empty())
                m_environment->runCommandWindow();
            else
                m_environment->sendHotKeyActionToMainController(action, *this);
        };
        m_shortcuts->allHotKeysDic[entry.name] = HotKey::create(*combo, keyDown);
    }
}

void OstrelHotKeyManager::disableAllHotKeys()
{
    m_shortcuts->unregisterAll();
}

void OstrelHotKeyManager::updateMenuShortcuts()
{
    if (m_environment)
        m_environment->updateMenuShortcuts();
}

std::optional<KeyCombo> OstrelHotKeyManager::currentOrDefaultKeyCombo(const std::string& storageKey) const
{
    // The pop-up's own combination is never shown on a menu item.
    if (storageKey == "showCommandPopOver")
        return std::nullopt;
    auto* entry = applicationHotKey(storageKey);
    if (!entry)
        return std::nullopt;
    if (auto stored = (m_model->*entry->variable)->value())
        return stored;
    return menuFallback(storageKey);
}

OstrelHotKeyManager::MenuKeyEquivalent OstrelHotKeyManager::menuKeyEquivalent(const std::string& storageKey) const
{
    auto combo = currentOrDefaultKeyCombo(storageKey);
    auto key = combo ? combo->key() : std::nullopt;
    if (!key)
        return {};
    auto text = key->description();
    // Display texts have no upper case outside ASCII ("N", the "F" of "F12").
    std::transform(text.begin(), text.end(), text.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return { text, combo->modifiers() };
}

}
