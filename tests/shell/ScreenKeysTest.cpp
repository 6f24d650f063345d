// The keys the command pop-up shows, screen by screen: each one reaches, through the main
// menu, the command its row names, and nothing else claims it.
#include "StartUpFixture.h"

#include "command/ActionMatchingItem.h"
#include "command/CommandPopUpWindow.h"
#include "command/MatchingItemList.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/KeyCombo.h"
#include "mainwindow/ShownState.h"
#include "states/DefineTimeSliceState.h"
#include "states/QuickDurationChangingViewController.h"
#include "states/WelcomeState.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/KeyNames.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Control.h"
#include "platform/ui/Popover.h"
#include "platform/ui/TextView.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <typeinfo>

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
    // The screen's controls a user can work, in reading order: rows from the top, each left to
    // right. The style indicators are left out: they leave the keyboard to the text.
    std::vector<ui::View*> controlsInReadingOrder()
    {
        auto* shown = dynamic_cast<ShownState*>(startUp->stateMachine->currentState().get());
        std::vector<std::pair<ui::View*, ui::Rect>> found;
        for (const auto& wall : { shown->infoWall(), shown->buttonWall() }) {
            for (ui::View* view : wall->subtree()) {
                auto* control = dynamic_cast<ui::Control*>(view);
                auto* text = dynamic_cast<ui::TextView*>(view);
                bool works = (control && control->isEnabled() && control->acceptsFirstResponder()) || (text && text->isEditable());
                if (works && !view->isHiddenOrHasHiddenAncestor() && view->window())
                    found.emplace_back(view, view->convertRectTo(view->bounds(), nullptr));
            }
        }
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            // One row when each one's middle lies beside the other.
            bool sameRow = (a.second.midY() >= b.second.minY() && a.second.midY() <= b.second.maxY())
                || (b.second.midY() >= a.second.minY() && b.second.midY() <= a.second.maxY());
            return sameRow ? a.second.minX() < b.second.minX() : a.second.maxY() > b.second.maxY();
        });
        std::vector<ui::View*> views;
        for (const auto& [view, rect] : found)
            views.push_back(view);
        return views;
    }
    // Tab from the first control to the screen's last: every control is visited, in order.
    void expectTabWalksTheScreenInReadingOrder()
    {
        auto expected = controlsInReadingOrder();
        ASSERT_FALSE(expected.empty()) << screen();
        mainWindow().makeFirstResponder(expected.front());
        std::vector<ui::View*> visited { expected.front() };
        for (std::size_t i = 0; i < 60 && visited.size() < expected.size(); ++i) {
            backend().press(mainWindow(), static_cast<std::uint16_t>(base::KeyCode::Tab), "\t", 0);
            auto* now = dynamic_cast<ui::View*>(mainWindow().firstResponder());
            // A text view's own parts (its scroll view) are not controls; what is not the
            // screen's (the pads) is walked past.
            if (std::find(expected.begin(), expected.end(), now) != expected.end() && now != visited.back())
                visited.push_back(now);
        }
        std::vector<std::string> wanted, got;
        auto name = [](ui::View* view) {
            if (auto* button = dynamic_cast<ui::Button*>(view))
                return "\"" + button->title() + "\"";
            return std::string(typeid(*view).name());
        };
        for (auto* view : expected)
            wanted.push_back(name(view));
        for (auto* view : visited)
            got.push_back(name(view));
        EXPECT_EQ(got, wanted) << screen();
    }
    // The check on every screen in turn, each reached as a user reaches it.
    void onEveryScreen(const std::function<void()>& check)
    {
        ASSERT_EQ(screen(), "DefineTimeSliceState");
        check();
        go("next", "TimeSliceRunningState");
        check();
        go("pause", "PausedState");
        check();
        go("continueTimeSlice", "TimeSliceRunningState");
        go("softBreak", "SoftBreakState");
        check();
        go("elapsed", "RateTimeSliceState");
        check();
        go("next", "PrepareTimedBreakState");
        check();
        go("informalBreak", "InformalBreakState");
        check();
        go("next", "DefineTimeSliceState");
        go("next", "TimeSliceRunningState");
        go("elapsed", "RateTimeSliceState");
        go("next", "PrepareTimedBreakState");
        go("next", "TimedBreakRunningState");
        check();
        go("elapsed", "DefineTimeSliceState");
        go("welcome", "WelcomeState");
        check();
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
    onEveryScreen([this] { expectEveryShownKeyReachesItsCommand(); });
}

TEST_F(ScreenKeysTest, TabWalksEveryScreensControlsInReadingOrder)
{
    onEveryScreen([this] { expectTabWalksTheScreenInReadingOrder(); });
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

TEST_F(ScreenKeysTest, APadOpenBesideTheScreenLeavesItsReadingOrderAlone)
{
    // The pad's page runs the window's height: it must not make one row of the whole screen.
    settings->set("nowPadHidden", false);
    drain();
    mainWindow().layoutIfNeeded();
    expectTabWalksTheScreenInReadingOrder();
    go("next", "TimeSliceRunningState");
    go("elapsed", "RateTimeSliceState");
    expectTabWalksTheScreenInReadingOrder();
    go("next", "PrepareTimedBreakState");
    expectTabWalksTheScreenInReadingOrder();
}

// The first thing a new user sees, on a display too small for the column and a pad side by
// side (1280 × 800 at a scale of 2): the wizard, its first control ringed, not the help pad
// that the first launch opens on the welcome page.
TEST_F(ScreenKeysTest, AFirstStartOnASmallDenseDisplayShowsTheWizardWithItsFirstControlRinged)
{
    endRun();
    settings->remove("launchManagerLaunchCounter");
    settings->remove("launchManagerFirstLaunch");
    prepareRun = [this] { backend().setScreens({ { ui::Rect(0, 0, 640, 400), ui::Rect(0, 0, 640, 372), "dense", 2 } }); };
    launch();
    drain();
    ASSERT_EQ(screen(), "WelcomeState");
    auto& wizard = static_cast<WelcomeState&>(*startUp->stateMachine->currentState());
    ui::View& technique = *wizard.techniquePopUpButton();
    EXPECT_FALSE(technique.isHiddenOrHasHiddenAncestor()) << "the column is in sight";
    EXPECT_EQ(mainWindow().focusRingView(), &technique);
}

}
