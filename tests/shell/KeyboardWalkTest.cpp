// The keyboard alone, in every screen and window: Tab (Ctrl+Tab out of a page, where Tab is
// text) reaches every enabled control in turn, each with its focus ring showing and none
// disabled or hidden; Down shows a selected row in a list; Ctrl+Page Down goes through every
// pane of the preferences, and Escape closes them. A control the walk cannot reach is a fault.
#include "StartUpFixture.h"

#include "command/KeyComboRecorderView.h"
#include "mainwindow/ShownState.h"
#include "shell/PreferencesController.h"
#include "shell/ShortcutsPreferencesViewController.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Button.h"
#include "platform/ui/Control.h"
#include "platform/ui/Event.h"
#include "platform/base/Timer.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/TabView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextView.h"

#include <any>
#include <functional>
#include <set>
#include <typeinfo>

namespace ostrel::test {

namespace {

using base::KeyCode;

class KeyboardWalkTest : public StartUpTest {
protected:
    void SetUp() override
    {
        settings->set("launchManagerLaunchCounter", int64_t(1));
        // The log book beside every screen: its rows, filter and date fields are walked too.
        settings->set("logBookPadHidden", false);
        launch();
        drain();
    }
    void press(ui::Window& window, KeyCode code, const std::string& characters, std::uint32_t modifiers = 0)
    {
        backend().press(window, static_cast<std::uint16_t>(code), characters, modifiers);
        drain();
    }
    static std::string nameOf(ui::View* view)
    {
        if (auto* button = dynamic_cast<ui::Button*>(view); button && !button->title().empty())
            return "\"" + button->title() + "\"";
        if (!view->toolTip().empty())
            return "\"" + view->toolTip() + "\"";
        return typeid(*view).name();
    }
    // What a user can work in the window: enabled controls that take the keyboard, editable
    // texts and lists, shown.
    static std::vector<ui::View*> workable(ui::Window& window)
    {
        std::vector<ui::View*> found;
        for (ui::View* view : window.contentView()->subtree()) {
            auto* control = dynamic_cast<ui::Control*>(view);
            auto* text = dynamic_cast<ui::TextView*>(view);
            bool works = (control && control->isEnabled() && control->acceptsFirstResponder()) || (text && text->isEditable())
                || dynamic_cast<ui::TableView*>(view);
            if (works && !view->isHiddenOrHasHiddenAncestor())
                found.push_back(view);
        }
        return found;
    }
    // The view among `controls` that holds the keyboard: the first responder or its ancestor.
    static ui::View* holder(ui::Window& window, const std::vector<ui::View*>& controls)
    {
        for (auto* view = dynamic_cast<ui::View*>(window.firstResponder()); view; view = view->superview())
            if (std::find(controls.begin(), controls.end(), view) != controls.end())
                return view;
        return nullptr;
    }
    // Tab round the window from no focus, twice as far as it has controls; every fault found.
    std::vector<std::string> walk(ui::Window& window, const std::string& where, bool onScreens = false)
    {
        std::vector<std::string> faults;
        auto fault = [&](const std::string& text) {
            if (std::find(faults.begin(), faults.end(), where + ": " + text) == faults.end())
                faults.push_back(where + ": " + text);
        };
        auto controls = workable(window);
        std::set<ui::View*> reached;
        // As the user has it: in front, taking the keys.
        if (!window.isKeyWindow())
            window.makeKeyAndOrderFront();
        // Whatever holds the keyboard as the window shows is a control a user can work.
        if (auto* first = dynamic_cast<ui::Control*>(window.firstResponder()); first && !first->isEnabled())
            fault("it opens with the keyboard on the disabled " + nameOf(first));
        window.makeFirstResponder(nullptr);
        for (std::size_t i = 0; i < 2 * controls.size() + 8; ++i) {
            bool inText = dynamic_cast<ui::TextView*>(window.firstResponder()) != nullptr;
            // Ctrl is the Command flag here.
            press(window, KeyCode::Tab, "\t", inText ? ui::ModifierFlag::Command : 0);
            auto* focused = dynamic_cast<ui::View*>(window.firstResponder());
            if (!focused || focused == window.contentView())
                continue;
            if (auto* control = dynamic_cast<ui::Control*>(focused); control && !control->isEnabled())
                fault("the focus rests on the disabled " + nameOf(focused));
            if (focused->isHiddenOrHasHiddenAncestor())
                fault("the focus rests on the hidden " + nameOf(focused));
            auto* control = holder(window, controls);
            if (!control)
                continue;
            reached.insert(control);
            // A text shows its caret; any other control its ring.
            if (!dynamic_cast<ui::TextView*>(control) && !window.focusRingView())
                fault("no focus ring shows around " + nameOf(control));
            // Return presses the focused button, not the screen's default one: on a pad's
            // icon it opens or closes the pad and the screen stays.
            static const std::set<std::string> pads { "\"Now Pad\"", "\"Later Pad\"", "\"Scratch Pad\"", "\"Log Book\"" };
            if (pads.count(nameOf(control)) && onScreens) {
                std::string before = screen();
                press(window, KeyCode::Return, "\r");
                if (screen() != before) {
                    fault("Return on " + nameOf(control) + " went on to " + screen() + " instead of pressing it");
                    return faults;
                }
                continue;
            }
            if (auto* table = dynamic_cast<ui::TableView*>(control); table && table->numberOfRows() > 0) {
                press(window, KeyCode::DownArrow, "");
                if (table->selectedRow() < 0)
                    fault("Down in " + nameOf(control) + " selects no row");
            }
        }
        // What the walk itself put away (a page it switched from) is not a control left out.
        for (auto* control : controls)
            if (!reached.count(control) && control->window() == &window && !control->isHiddenOrHasHiddenAncestor()) {
                auto frame = control->convertRectTo(control->bounds(), nullptr);
                fault("Tab never reaches " + nameOf(control) + " at " + std::to_string(int(frame.minX())) + ","
                    + std::to_string(int(frame.minY())) + " " + std::to_string(int(frame.width())) + "x" + std::to_string(int(frame.height())));
            }
        return faults;
    }
    std::string screen() { return currentScreen().substr(currentScreen().find('.') + 1); }
    // Ctrl+, then the steps inside the preferences' modal run once it started, then Escape;
    // a window Escape left open is a fault, closed by hand. False when nothing opened.
    bool insidePreferences(const std::function<void(ui::Window&)>& steps, std::vector<std::string>& faults)
    {
        bool ran = false;
        std::function<void()> during = [&] {
            auto* window = app().modalWindow();
            if (!window) {
                base::RunLoop::main().post(during);
                return;
            }
            ran = true;
            steps(*window);
            backend().press(*window, static_cast<std::uint16_t>(KeyCode::Escape), "\x1b");
            // Looked at once the modal run had its turn: still open then, they are closed by hand.
            base::RunLoop::main().post([&, window] {
                if (window->isVisible())
                    faults.push_back("Escape leaves the preferences open");
                app().stopModal();
            });
        };
        base::RunLoop::main().post(during);
        press(mainWindow(), KeyCode::Comma, ",", ui::ModifierFlag::Command);
        drain();
        return ran;
    }
    static std::string listed(const std::vector<std::string>& faults)
    {
        std::string all;
        for (const auto& fault : faults)
            all += "\n  " + fault;
        return all;
    }
};

// Each screen as a user comes to it: the transition from the one before, and its name.
struct Step {
    const char* transition;
    const char* screen;
};
const Step kScreens[] = { { "", "DefineTimeSliceState" }, { "next", "TimeSliceRunningState" }, { "pause", "PausedState" },
    { "continueTimeSlice", "TimeSliceRunningState" }, { "softBreak", "SoftBreakState" }, { "elapsed", "RateTimeSliceState" },
    { "next", "PrepareTimedBreakState" }, { "informalBreak", "InformalBreakState" }, { "next", "DefineTimeSliceState" },
    { "next", "TimeSliceRunningState" }, { "elapsed", "RateTimeSliceState" }, { "next", "PrepareTimedBreakState" },
    { "next", "TimedBreakRunningState" }, { "elapsed", "DefineTimeSliceState" }, { "welcome", "WelcomeState" } };

}

TEST_F(KeyboardWalkTest, TabReachesEveryEnabledControlOfEveryScreenWithItsRingShowing)
{
    std::vector<std::string> faults;
    for (const auto& step : kScreens) {
        // As a key brings a screen (Return on "Log", a pop-up's row): inside the key press, by
        // a user whose last Tab is long gone (a click, off every control, put the ring away).
        if (*step.transition) {
            mainWindow().sendEvent(ui::Event::mouse(ui::Event::Type::LeftMouseDown, &mainWindow(), ui::Point(-10, -10)));
            mainWindow().sendEvent(ui::Event::mouse(ui::Event::Type::LeftMouseUp, &mainWindow(), ui::Point(-10, -10)));
            auto key = ui::Event::key(ui::Event::Type::KeyDown, &mainWindow(), static_cast<std::uint16_t>(KeyCode::Return), "\r");
            app().handleAsCurrentEvent(key, [&] { startUp->stateMachine->triggerTransition(step.transition); });
        }
        drain();
        if (screen() != step.screen) {
            faults.push_back(std::string("the walk meant for ") + step.screen + " came to " + screen());
            break;
        }

        // A screen that puts the window away is brought back, as the user does to work in it.
        if (!mainWindow().isVisible())
            delegate().makeFront();
        drain();
        // A screen with a first control gives it the keyboard, ringed since a key brought the
        // screen; one without leaves the keyboard on nothing unseen.
        auto* shown = dynamic_cast<ShownState*>(startUp->stateMachine->currentState().get());
        auto* held = dynamic_cast<ui::View*>(mainWindow().firstResponder());
        bool seen = held && held->window() == &mainWindow() && !held->isHiddenOrHasHiddenAncestor();
        if (shown && shown->firstResponder() && *step.transition) {
            if (!seen)
                faults.push_back(std::string(step.screen) + ": opens with the keyboard on no control it shows");
            else if (!mainWindow().focusRingView())
                faults.push_back(std::string(step.screen) + ": opens with no ring around " + nameOf(held));
        } else if (held && !seen && held != mainWindow().contentView()) {
            faults.push_back(std::string(step.screen) + ": opens with the keyboard on the unseen " + nameOf(held));
        }
        mainWindow().layoutIfNeeded();
        for (auto& fault : walk(mainWindow(), step.screen, true))
            faults.push_back(fault);
        // Tab alone never changes the screen: the next step's transition belongs to this one.
        if (screen() != step.screen) {
            faults.push_back(std::string("walking ") + step.screen + " with Tab came to " + screen());
            break;
        }
    }
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

TEST_F(KeyboardWalkTest, CtrlPageDownGoesThroughEveryPaneOfThePreferencesAndTabThroughEachPane)
{
    std::vector<std::string> faults, panes;
    std::size_t paneCount = 0;
    bool ran = insidePreferences(
        [&](ui::Window& window) {
            ui::TabView* tabs = nullptr;
            for (ui::View* view : window.contentView()->subtree())
                if (!tabs)
                    tabs = dynamic_cast<ui::TabView*>(view);
            paneCount = tabs ? tabs->items().size() : 0;
            for (std::size_t i = 0; tabs && i < paneCount; ++i) {
                auto pane = std::any_cast<std::string>(tabs->selectedItem()->identifier());
                panes.push_back(pane);
                window.layoutIfNeeded();
                for (auto& fault : walk(window, "the preferences' " + pane + " pane"))
                    faults.push_back(fault);
                press(window, KeyCode::PageDown, "", ui::ModifierFlag::Command);
            }
        },
        faults);
    ASSERT_TRUE(ran) << "Ctrl+, opened no preferences";
    EXPECT_GT(paneCount, 1u);
    EXPECT_EQ(std::set<std::string>(panes.begin(), panes.end()).size(), paneCount) << "Ctrl+Page Down skipped a pane";
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

TEST_F(KeyboardWalkTest, F10OpensTheMenuFromTheKeyboardAndEscapeClosesIt)
{
    auto& menu = *app().mainMenu();
    bool opened = false, closed = false;
    int looks = 0;
    // Inside the menu's tracking, once it began.
    std::function<void()> during = [&] {
        if (!menu.isTracking()) {
            if (++looks < 50)
                base::RunLoop::main().post(during);
            return;
        }
        opened = true;
        backend().press(*menu.trackingWindow(), static_cast<std::uint16_t>(KeyCode::Escape), "\x1b");
        // Looked at once the tracking had its turn: a menu still open then is closed by hand.
        base::RunLoop::main().post([&] {
            closed = !menu.isTracking();
            if (!closed)
                menu.cancelTracking();
        });
    };
    base::RunLoop::main().post(during);
    press(mainWindow(), KeyCode::F10, "");
    drain();
    EXPECT_TRUE(opened) << "F10 opened no menu";
    EXPECT_TRUE(closed) << "Escape left the menu open";
}

}

namespace ostrel::test {
namespace {

// The preferences open with the keyboard on their first control; on the shortcuts pane, the
// clear button of a recorder, pressed with Space, leaves the keyboard on that recorder's box
// (it hid itself), ringed, and Tab goes on from there.
TEST_F(KeyboardWalkTest, ThePreferencesOpenOnAControlAndARecordersClearButtonKeepsTheKeyboardOnIt)
{
    std::vector<std::string> faults;
    bool ran = insidePreferences(
        [&](ui::Window& window) {
            auto* opened = dynamic_cast<ui::View*>(window.firstResponder());
            if (!opened || opened->isHiddenOrHasHiddenAncestor())
                faults.push_back("the preferences open with the keyboard on no control");
            auto preferences = PreferencesController::running();
            auto* pane = preferences ? preferences->shortcutsPreferencesViewController() : nullptr;
            if (!pane) {
                faults.push_back("no shortcuts pane");
                return;
            }
            preferences->tryToPerform("changePane:", base::Sender(std::string("Shortcuts")));
            window.layoutIfNeeded();
            auto& recorder = *pane->recorders().front();
            window.makeFirstResponderWithRing(recorder.deleteButtonBrick());
            press(window, KeyCode::Space, " ");
            if (recorder.keyCombo())
                faults.push_back("Space on the clear button left the combination");
            if (window.firstResponder() != recorder.keyComboButtonBrick())
                faults.push_back("the clear button gave the keyboard to " + (window.firstResponder() == &window ? std::string("nothing")
                                                                                 : nameOf(dynamic_cast<ui::View*>(window.firstResponder()))));
            else if (!window.focusRingView())
                faults.push_back("the recorder holds the keyboard with no ring");
        },
        faults);
    ASSERT_TRUE(ran) << "Ctrl+, opened no preferences";
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

// The first start's wizard opens with its technique pop-up ringed; Return applies the
// configuration and moves on, as "Let's Get Started" does, rather than opening the pop-up.
class WizardKeysTest : public KeyboardWalkTest {
protected:
    void SetUp() override
    {
        settings->set("launchManagerLaunchCounter", int64_t(0));
        launch();
        drain();
    }
};

TEST_F(WizardKeysTest, ReturnOnTheWizardAppliesTheConfigurationAndMovesOn)
{
    ASSERT_EQ(screen(), "WelcomeState");
    auto* popUp = dynamic_cast<ui::PopUpButton*>(mainWindow().firstResponder());
    ASSERT_TRUE(popUp) << "the technique pop-up holds the keyboard";
    EXPECT_TRUE(mainWindow().focusRingView());
    bool menuOpened = false;
    auto look = base::Timer::create(0.1, true, base::RunLoop::Mode::Common, [&](base::Timer&) {
        if (popUp->menu()->isTracking()) {
            menuOpened = true;
            popUp->menu()->cancelTracking();
        }
    });
    press(mainWindow(), KeyCode::Return, "\r");
    look->invalidate();
    EXPECT_FALSE(menuOpened) << "Return opened the pop-up's menu";
    EXPECT_EQ(screen(), "DefineTimeSliceState");
    EXPECT_TRUE(settings->hasStoredValue("hideTagEditor")) << "the configuration was applied";
}

}
}
