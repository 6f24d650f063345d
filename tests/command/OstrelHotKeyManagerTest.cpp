#include "RecordingEnvironment.h"
#include "ManualHotKeys.h"

#include "command/HotKeysController.h"
#include "command/KeyboardShortcutsManager.h"
#include "command/OstrelHotKeyManager.h"
#include "command/SystemKeyCombos.h"
#include "core/DataModel.h"

#include "platform/base/RunLoop.h"
#include "platform/desktop/HotKeys.h"

#include <gtest/gtest.h>

#include <set>

namespace ostrel {
namespace {

using Combination = desktop::ManualHotKeys::Combination;
using CarbonModifier::command;
using CarbonModifier::control;
using CarbonModifier::option;

// A menu item as far as its key equivalent goes.
struct FakeMenuItem {
    void setKeyEquivalent(const std::string& text) { keyEquivalent = text; }
    void setKeyEquivalentModifierMask(uint64_t mask) { modifierMask = mask; }
    std::string keyEquivalent { "x" };
    uint64_t modifierMask { 1 };
};

class ApplicationHotKeys : public testing::Test {
protected:
    void SetUp() override
    {
        desktop = &test::installManualHotKeys();
        manager.setEnvironment(&environment);
    }
    void TearDown() override
    {
        shortcuts.unregisterAll();
        HotKeysController::setDesktopHotKeys(nullptr);
    }

    // Key code and modifiers of every combination the desktop granted.
    std::set<std::pair<uint32_t, uint32_t>> registered() const
    {
        std::set<std::pair<uint32_t, uint32_t>> combinations;
        for (const auto& entry : desktop->registered())
            combinations.emplace(entry.second.keyCode, entry.second.modifiers);
        return combinations;
    }

    void store(const std::string& key, const std::string& json) { environment.memory->set(key, base::Value(json)); }

    test::RecordingEnvironment environment;
    std::unique_ptr<DataModel> model { DataModel::create(environment.memory) };
    KeyboardShortcutsManager shortcuts;
    OstrelHotKeyManager manager { *model, shortcuts };
    desktop::ManualHotKeys* desktop { nullptr };
};

TEST_F(ApplicationHotKeys, TheInitialSettingsRegisterThePadsAndThePopUp)
{
    manager.registerAllHotKeys();
    EXPECT_EQ(registered(),
        (std::set<std::pair<uint32_t, uint32_t>> { { 45, option | command }, { 37, option | command }, { 35, option | command }, { 15, control } }));
    EXPECT_EQ(shortcuts.allIdentifiers(), (std::vector<std::string> { "later", "now", "scratch", "showCommandPopOver" }));

    // Again: the same four, each once.
    manager.registerAllHotKeys();
    EXPECT_EQ(desktop->registered().size(), 4u);
    EXPECT_EQ(registered().size(), 4u);
}

TEST_F(ApplicationHotKeys, EachHotKeySendsItsOwnAction)
{
    const std::vector<std::pair<std::string, std::string>> settings {
        { "focusNowPadKeyCombo", "MainController nowHotKey:" },
        { "focusLaterPadKeyCombo", "MainController laterHotKey:" },
        { "focusScratchPadKeyCombo", "MainController scratchPadHotKey:" },
        { "readObjectiveAloudKeyCombo", "MainController readObjectiveAloudHotKey:" },
        { "startTimeSlice", "MainController attemptToTriggerStartTimeSlice:" },
        { "pauseTimeSliceKeyCombo", "MainController attemptToTriggerPauseTimeSlice:" },
        { "endTimeSliceKeyCombo", "MainController attemptToTriggerEndTimeSlice:" },
        { "startTimedBreakKeyCombo", "MainController attemptToTriggerStartTimedBreak:" },
        { "bringToFrontKeyCombo", "MainController toggleOstrelInterface:" },
        { "showCommandPopOver", "runCommandWindow" },
    };
    // Function keys F1 … F10, all with control.
    const uint32_t functionKeys[] = { 0x7A, 0x78, 0x63, 0x76, 0x60, 0x61, 0x62, 0x64, 0x65, 0x6D };
    for (size_t i = 0; i < settings.size(); ++i)
        store(settings[i].first, keyComboJSON(KeyCombo(functionKeys[i], control)));
    manager.registerAllHotKeys();

    for (size_t i = 0; i < settings.size(); ++i) {
        environment.calls.clear();
        EXPECT_TRUE(desktop->press({ functionKeys[i], control })) << settings[i].first;
        EXPECT_EQ(environment.calls, std::vector<std::string> { settings[i].second });
    }
}

TEST_F(ApplicationHotKeys, NothingHappensBeforeTheShellIsThere)
{
    manager.setEnvironment(nullptr);
    manager.registerAllHotKeys();
    EXPECT_TRUE(desktop->press({ 15, control }));
    base::RunLoop::main().runOnce();
    EXPECT_TRUE(environment.calls.empty());
}

TEST_F(ApplicationHotKeys, UnreadableOrNullSettingsRegisterNothingYetMenusKeepTheirFallbacks)
{
    store("startTimeSlice", "null");
    store("focusNowPadKeyCombo", "null");
    store("focusLaterPadKeyCombo", "{\"carbonKeyCode\": 37}");
    store("focusScratchPadKeyCombo", "{\"carbonKeyCode\": -1, \"carbonModifiers\": 2304}");
    manager.registerAllHotKeys();
    EXPECT_EQ(registered(), (std::set<std::pair<uint32_t, uint32_t>> { { 15, control } }));

    EXPECT_EQ(manager.currentOrDefaultKeyCombo("startTimeSlice"), KeyCombo(1, control));
    EXPECT_EQ(manager.currentOrDefaultKeyCombo("pauseTimeSlice"), KeyCombo(35, control));
    EXPECT_EQ(manager.currentOrDefaultKeyCombo("endTimeSlice"), KeyCombo(14, control));
    EXPECT_EQ(manager.currentOrDefaultKeyCombo("startTimedBreak"), KeyCombo(11, control));
    EXPECT_EQ(manager.currentOrDefaultKeyCombo("now"), std::nullopt);
    EXPECT_EQ(manager.currentOrDefaultKeyCombo("nowPad"), std::nullopt);

    store("startTimeSlice", keyComboJSON(KeyCombo(1, option)));
    EXPECT_EQ(manager.currentOrDefaultKeyCombo("startTimeSlice"), KeyCombo(1, option));
    EXPECT_EQ(manager.currentOrDefaultKeyCombo("showCommandPopOver"), std::nullopt);
}

TEST_F(ApplicationHotKeys, WithdrawnWhileThePreferencesAreOpen)
{
    manager.registerAllHotKeys();
    manager.disableAllHotKeys();
    EXPECT_TRUE(shortcuts.allIdentifiers().empty());
    EXPECT_FALSE(desktop->press({ 15, control }));

    // A combination recorded meanwhile counts from the next registration on.
    store("bringToFrontKeyCombo", keyComboJSON(KeyCombo(11, option | command)));
    EXPECT_FALSE(desktop->press({ 11, option | command }));
    manager.registerAllHotKeys();
    EXPECT_TRUE(desktop->press({ 11, option | command }));
    EXPECT_EQ(environment.calls, std::vector<std::string> { "MainController toggleOstrelInterface:" });
}

TEST_F(ApplicationHotKeys, MenusAreUpdatedAfterTheCurrentWork)
{
    manager.registerAllHotKeys();
    EXPECT_TRUE(environment.calls.empty());
    base::RunLoop::main().runOnce();
    EXPECT_EQ(environment.calls, std::vector<std::string> { "updateMenuShortcuts" });
}

TEST_F(ApplicationHotKeys, MenuItemsShowTheKeyInLowerCaseWithEventModifiers)
{
    FakeMenuItem item, dockItem;
    manager.updateMenuShortcut(item, &dockItem, "now");
    EXPECT_EQ(item.keyEquivalent, "n");
    EXPECT_EQ(item.modifierMask, 0x180000u);
    EXPECT_EQ(dockItem.keyEquivalent, "n");
    EXPECT_EQ(dockItem.modifierMask, 0x180000u);

    manager.updateMenuShortcut(item, static_cast<FakeMenuItem*>(nullptr), "startTimedBreak");
    EXPECT_EQ(item.keyEquivalent, "b");
    EXPECT_EQ(item.modifierMask, 0x40000u);

    // A code that names no key clears both items.
    store("bringToFrontKeyCombo", keyComboJSON(KeyCombo(0x0A, command)));
    manager.updateMenuShortcut(item, &dockItem, "bringToFront");
    EXPECT_EQ(item.keyEquivalent, "");
    EXPECT_EQ(item.modifierMask, 0u);
    EXPECT_EQ(dockItem.keyEquivalent, "");

    store("bringToFrontKeyCombo", keyComboJSON(KeyCombo(0x6F, control)));
    EXPECT_EQ(manager.menuKeyEquivalent("bringToFront").keyEquivalent, "f12");
}

TEST(SystemKeyCombos, NothingToReadGivesTheEmptyList)
{
    EXPECT_TRUE(systemKeyCombos().empty());
}

}
}
