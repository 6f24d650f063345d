// The keys the command pop-up shows, screen by screen: each one reaches, through the main
// menu, the command its row names, and nothing else claims it.
#include "StartUpFixture.h"

#include "command/ActionMatchingItem.h"
#include "command/CommandPopUpWindow.h"
#include "command/MatchingItemList.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/KeyCombo.h"
#include "states/DefineTimeSliceState.h"
#include "states/QuickDurationChangingViewController.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/KeyNames.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/Popover.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace ostrel::test {

namespace {

class ScreenKeysTest : public StartUpTest {
protected:
    void SetUp() override
    {
        settings->set("launchManagerLaunchCounter", int64_t(1));
        launch();
        drain();
    }
    std::string screen() { return currentScreen().substr(currentScreen().find('.') + 1); }
    void go(const std::string& transition, const std::string& expected)
    {
        startUp->stateMachine->triggerTransition(transition);
        drain();
        ASSERT_EQ(screen(), expected);
    }
    // The key press a combination is, as the window system hands it on.
    ui::Event press(const KeyCombo& combo)
    {
        std::string characters = combo.carbonKeyCode == static_cast<std::uint32_t>(base::KeyCode::Return)
            ? "\r"
            : std::string(base::KeyNames::name(combo.carbonKeyCode));
        if (characters.size() == 1)
            characters[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(characters[0])));
        return ui::Event::key(ui::Event::Type::KeyDown, &mainWindow(), static_cast<std::uint16_t>(combo.carbonKeyCode), characters,
            ui::ModifierFlag::fromKeyModifiers(combo.carbonModifiers));
    }
    // Every row of the pop-up as it would open now that shows a key.
    std::vector<std::pair<std::string, KeyCombo>> shownKeys()
    {
        auto& list = delegate().commandWindow->popUpContentViewController()->matchingItemList();
        list.gatherAllPossibleMatchingItems();
        std::vector<std::pair<std::string, KeyCombo>> keys;
        for (const auto& item : list.allMatchingOptionsAsMatchingItems())
            if (auto* action = dynamic_cast<ActionMatchingItem*>(item.get()); action && action->keyCombo())
                keys.emplace_back(action->displayString(), *action->keyCombo());
        return keys;
    }
    // The main menu's item a row's key reaches: its title.
    static std::string menuTitleFor(const std::string& row, const KeyCombo& combo)
    {
        // Ctrl+Return is every screen's default choice.
        if (combo == KeyCombo(static_cast<std::uint32_t>(base::KeyCode::Return), CarbonModifier::command))
            return "Take Default Action";
        static const std::map<std::string, std::string> named {
            { "Go Straight to Next Time Slice", "Start Time Slice" },
            { "Toggle Now Pad", "Now Pad" },
            { "Toggle Later Pad", "Later Pad" },
            { "Toggle Scratch Pad", "Scratch Pad" },
            { "Toggle Log Book", "Log Book" },
            { "Toggle Statistics", "Statistics" },
            { "Show Preferences...", "Preferences\u2026" },
            { "Quit...", "Quit Ostrel" },
            { "Quickly Change Duration...", "Quickly Change Duration\u2026" },
        };
        auto found = named.find(row);
        return found != named.end() ? found->second : row;
    }
    // Each key shown on the current screen reaches the command of its row.
    void expectEveryShownKeyReachesItsCommand()
    {
        auto keys = shownKeys();
        EXPECT_FALSE(keys.empty());
        for (const auto& [row, combo] : keys) {
            auto item = app().mainMenu()->itemForKeyEquivalent(press(combo));
            ASSERT_TRUE(item) << currentScreen() << ": \"" << row << "\" shows " << combo.description() << ", which does nothing";
            EXPECT_EQ(item->title(), menuTitleFor(row, combo)) << currentScreen() << ": " << combo.description();
        }
    }
    bool rowShowsKey(const std::string& row)
    {
        auto keys = shownKeys();
        return std::any_of(keys.begin(), keys.end(), [&](const auto& key) { return key.first == row; });
    }
};

}

TEST_F(ScreenKeysTest, EveryKeyThePopUpShowsReachesItsCommandOnEveryScreen)
{
    ASSERT_EQ(screen(), "DefineTimeSliceState");
    expectEveryShownKeyReachesItsCommand();
    go("next", "TimeSliceRunningState");
    expectEveryShownKeyReachesItsCommand();
    go("pause", "PausedState");
    expectEveryShownKeyReachesItsCommand();
    go("continueTimeSlice", "TimeSliceRunningState");
    go("softBreak", "SoftBreakState");
    expectEveryShownKeyReachesItsCommand();
    go("elapsed", "RateTimeSliceState");
    expectEveryShownKeyReachesItsCommand();
    go("next", "PrepareTimedBreakState");
    expectEveryShownKeyReachesItsCommand();
    go("informalBreak", "InformalBreakState");
    expectEveryShownKeyReachesItsCommand();
    go("next", "DefineTimeSliceState");
    go("next", "TimeSliceRunningState");
    go("elapsed", "RateTimeSliceState");
    go("next", "PrepareTimedBreakState");
    go("next", "TimedBreakRunningState");
    expectEveryShownKeyReachesItsCommand();
    go("elapsed", "DefineTimeSliceState");
    go("welcome", "WelcomeState");
    expectEveryShownKeyReachesItsCommand();
}

TEST_F(ScreenKeysTest, SuperPParsesWhereNothingPausesAndPausesWhereSomethingRuns)
{
    KeyCombo superP(static_cast<std::uint32_t>(base::KeyCode::P), CarbonModifier::control);
    auto item = app().mainMenu()->itemForKeyEquivalent(press(superP));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->title(), "Parse Objective");
    EXPECT_TRUE(rowShowsKey("Parse Objective"));

    go("next", "TimeSliceRunningState");
    item = app().mainMenu()->itemForKeyEquivalent(press(superP));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->title(), "Pause Time Slice");
    EXPECT_FALSE(rowShowsKey("Parse Objective")) << "the pop-up does not claim what pauses";
    backend().press(mainWindow(), static_cast<std::uint16_t>(base::KeyCode::P), "p", ui::ModifierFlag::Control);
    drain();
    EXPECT_EQ(screen(), "PausedState");
}

TEST_F(ScreenKeysTest, TheDurationKeysChangeTheDurationAndCtrlReturnEndsASoftBreak)
{
    auto key = [this](base::KeyCode code, const std::string& characters, std::uint32_t flags = ui::ModifierFlag::Command) {
        backend().press(mainWindow(), static_cast<std::uint16_t>(code), characters, flags);
        drain();
    };
    settings->set("durationInSeconds", int64_t(900));
    key(base::KeyCode::Equal, "=");
    EXPECT_EQ(settings->integer("durationInSeconds"), 960);
    key(base::KeyCode::Minus, "-");
    key(base::KeyCode::Minus, "-");
    EXPECT_EQ(settings->integer("durationInSeconds"), 840);
    key(base::KeyCode::D, "d");
    auto& define = static_cast<DefineTimeSliceState&>(*startUp->stateMachine->currentState());
    ASSERT_TRUE(define.quickDurationChangingViewController());
    EXPECT_TRUE(define.quickDurationChangingViewController()->popOver()->isShown()) << "Ctrl+D";
    define.quickDurationChangingViewController()->popOver()->close();

    go("next", "TimeSliceRunningState");
    go("softBreak", "SoftBreakState");
    key(base::KeyCode::Return, "\r");
    EXPECT_NE(screen(), "SoftBreakState") << "the soft break's default choice ends it";
}

}
