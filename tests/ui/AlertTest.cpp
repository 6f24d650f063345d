#include "UiFixture.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/MainQueue.h"
#include "platform/base/Timer.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"

using namespace ui;
using Mode = base::RunLoop::Mode;

namespace {

class AlertTest : public UiTest {
protected:
    ~AlertTest() override
    {
        Alert::setResponder({});
        base::AlertPresenter::install({});
    }
    static base::AlertRequest abortQuestion()
    {
        base::AlertRequest request;
        request.message = "Are you sure you want to reset the clock and return to defining a time slice?";
        request.informativeText = "The time you have already spent on this time slice will not be logged.";
        request.buttons = { "OK", "Cancel" };
        return request;
    }
};

TEST_F(AlertTest, ModalRunServesCommonTimersAndTheMainQueueUntilAnswered)
{
    auto w = window();
    int commonTicks = 0;
    int defaultTicks = 0;
    bool queued = false;
    Alert* shown = nullptr;
    Alert::setResponder([&](Alert& alert) -> std::optional<int> {
        shown = &alert;
        return std::nullopt;
    });
    auto common = base::Timer::create(1, true, Mode::Common, [&](base::Timer&) {
        if (++commonTicks == 3)
            shown->buttons()[1]->performClick();
    });
    auto plain = base::Timer::create(1, true, Mode::Default, [&](base::Timer&) { ++defaultTicks; });
    base::MainQueue::async([&] { queued = true; });

    auto alert = Alert::fromRequest(abortQuestion());
    EXPECT_EQ(alert->runModal(), 1);
    EXPECT_EQ(commonTicks, 3);
    EXPECT_EQ(defaultTicks, 0);
    EXPECT_TRUE(queued);
    EXPECT_FALSE(alert->window()->isVisible());
    EXPECT_TRUE(w->isKeyWindow());
    common->invalidate();
    plain->invalidate();
}

TEST_F(AlertTest, ReturnTakesTheFirstButtonAndEscapeTheCancelButton)
{
    auto pressing = [&](base::KeyCode key) {
        Alert::setResponder([this, key](Alert& alert) -> std::optional<int> {
            backend().press(*alert.window(), static_cast<std::uint16_t>(key), "");
            return std::nullopt;
        });
        return Alert::fromRequest(abortQuestion())->runModal();
    };
    EXPECT_EQ(pressing(base::KeyCode::Return), 0);
    EXPECT_EQ(pressing(base::KeyCode::Escape), 1);
}

TEST_F(AlertTest, OtherWindowsTakeNoClicksWhileAnAlertIsUp)
{
    auto w = window();
    auto swatch = Swatch::create(gfx::colors::red, Rect(0, 0, 200, 100));
    w->contentView()->addSubview(swatch);
    Alert::setResponder([&](Alert&) -> std::optional<int> {
        backend().click(*w, Point(50, 50));
        return 0;
    });
    Alert::fromRequest(abortQuestion())->runModal();
    EXPECT_EQ(swatch->clicks, 0);
    backend().click(*w, Point(50, 50));
    EXPECT_EQ(swatch->clicks, 1);
}

TEST_F(AlertTest, PresenterShowsRealAlertsWithTheSuppressionBox)
{
    Alert::installAsPresenter();
    Alert::setResponder([](Alert& alert) -> std::optional<int> {
        alert.suppressionButton()->performClick();
        return 1;
    });
    auto request = abortQuestion();
    request.suppressionTitle = base::AlertRequest::kStandardSuppressionTitle;
    EXPECT_EQ(base::AlertPresenter::present(request), (base::AlertAnswer { 1, true }));

    // Without a responder and without a display nobody could answer: the default is taken.
    Alert::setResponder({});
    EXPECT_EQ(base::AlertPresenter::present(request), (base::AlertAnswer { 0, false }));
}

TEST_F(AlertTest, AlertWithoutButtonsHasOneOk)
{
    Alert::setResponder([](Alert& alert) -> std::optional<int> {
        EXPECT_EQ(alert.buttons().size(), 1u);
        EXPECT_EQ(alert.buttons()[0]->title(), "OK");
        // The alert draws its text: some light pixels right of the icon.
        alert.window()->display();
        int light = 0;
        for (int x = 90; x < 400; ++x)
            light += alert.window()->pixelAt(x, 26).red > 0.6;
        EXPECT_GT(light, 10);
        EXPECT_EQ(alert.window()->title(), "Could not write to log file folder!") << "named, where a window manager shows a title";
        return 0;
    });
    auto alert = Alert::create();
    alert->setMessageText("Could not write to log file folder!");
    EXPECT_EQ(alert->runModal(), 0);
}

}

namespace {

TEST_F(AlertTest, ModalWindowTakesTheInputUntilStoppedOrClosed)
{
    auto main = window();
    auto mainSwatch = Swatch::create(gfx::colors::red, Rect(0, 0, 200, 100));
    main->contentView()->addSubview(mainSwatch);
    auto preferences = Window::create(Rect(400, 400, 200, 100));
    auto swatch = Swatch::create(gfx::colors::blue, Rect(0, 0, 200, 100));
    preferences->contentView()->addSubview(swatch);
    auto clicks = base::Timer::create(1, false, Mode::Common, [&](base::Timer&) {
        backend().click(*main, Point(50, 50));
        backend().click(*preferences, Point(50, 50));
        app().stopModal();
    });
    app().runModalForWindow(*preferences);
    EXPECT_EQ(app().modalWindow(), nullptr);
    EXPECT_EQ(mainSwatch->clicks, 0);
    EXPECT_EQ(swatch->clicks, 1);

    auto closing = base::Timer::create(1, false, Mode::Common, [&](base::Timer&) { preferences->close(); });
    app().runModalForWindow(*preferences);
    EXPECT_FALSE(preferences->isVisible());
}

// The window a modal one blocks owns it for the display, which keeps the modal one above it
// and brings it forward with it; a click on the owner's title bar left it behind otherwise.
TEST_F(AlertTest, AModalWindowBelongsToTheWindowItBlocks)
{
    auto main = window();
    auto preferences = Window::create(Rect(400, 400, 200, 100));
    const Window* owner = nullptr;
    const Window* displayedOwner = nullptr;
    auto look = base::Timer::create(1, false, Mode::Common, [&](base::Timer&) {
        owner = preferences->modalOwner();
        displayedOwner = backend().stateOf(*preferences)->modalFor;
        app().stopModal();
    });
    app().runModalForWindow(*preferences);
    EXPECT_EQ(owner, main.get());
    EXPECT_EQ(displayedOwner, main.get());
    EXPECT_EQ(preferences->modalOwner(), nullptr) << "only while it runs";
    EXPECT_EQ(backend().stateOf(*preferences)->modalFor, nullptr);

    // An alert is a dialog of the window it interrupts, opening with the keyboard and the
    // focus ring on its default button.
    std::optional<PlatformWindowState> alertState;
    View* ringed = nullptr;
    Alert::setResponder([&](Alert& alert) -> std::optional<int> {
        alertState = backend().stateOf(*alert.window());
        ringed = alert.window()->focusRingView();
        EXPECT_EQ(alert.window()->firstResponder(), alert.buttons().front().get());
        return 1;
    });
    main->makeKeyAndOrderFront();
    EXPECT_EQ(Alert::fromRequest(abortQuestion())->runModal(), 1);
    ASSERT_TRUE(alertState);
    EXPECT_EQ(alertState->kind, WindowKind::Dialog);
    EXPECT_EQ(alertState->modalFor, main.get());
    EXPECT_NE(ringed, nullptr) << "no focus ring";

    // Started while the program is hidden, each shows, and is answered rather than ending at
    // once as cancelled.
    bool shown = false;
    Alert::setResponder([&](Alert& alert) -> std::optional<int> {
        shown = alert.window()->isVisible();
        return 0;
    });
    app().hide();
    EXPECT_EQ(Alert::fromRequest(abortQuestion())->runModal(), 0);
    EXPECT_TRUE(shown);
    app().hide();
    shown = false;
    bool keptTheKeyboard = false;
    auto answer = base::Timer::create(1, false, Mode::Common, [&](base::Timer&) {
        shown = preferences->isVisible() && preferences->isKeyWindow();
        // A screen coming forward by itself while it runs (a break ending) leaves it the keyboard.
        main->makeKeyAndOrderFront();
        keptTheKeyboard = preferences->isKeyWindow() && main->isVisible();
        // Closed, it leaves the keyboard to the window it blocked.
        preferences->close();
        main->makeKeyWindow();
    });
    app().runModalForWindow(*preferences);
    EXPECT_TRUE(shown) << "the preferences never showed";
    EXPECT_TRUE(keptTheKeyboard) << "the window it blocks took the keyboard";
    EXPECT_TRUE(main->isKeyWindow()) << "closed, it kept the keyboard from the window it blocked";
}

}

namespace {

TEST_F(AlertTest, HelpButtonCallsItsHandlerAndLeavesTheAlertUp)
{
    int helped = 0;
    auto request = abortQuestion();
    request.help = [&] { ++helped; };
    Alert::setResponder([&](Alert& alert) -> std::optional<int> {
        // The help button is the round one at the bottom left.
        Window& w = *alert.window();
        w.display();
        backend().click(w, Point(32, w.frame().height() - 32));
        EXPECT_TRUE(alert.isRunning());
        return 1;
    });
    EXPECT_EQ(Alert::fromRequest(request)->runModal(), 1);
    EXPECT_EQ(helped, 1);
}

// Nobody could answer an alert whose window has gone: the run ends as its cancel button would.
TEST_F(AlertTest, AnAlertClosedWithoutAnAnswerCountsAsCancel)
{
    auto w = window();
    Alert::setResponder([](Alert& alert) -> std::optional<int> {
        alert.window()->performClose();
        return std::nullopt;
    });
    EXPECT_EQ(Alert::fromRequest(abortQuestion())->runModal(), 1);

    Alert::setResponder([this](Alert&) -> std::optional<int> {
        app().hide();
        return std::nullopt;
    });
    auto single = Alert::create();
    single->setMessageText("The log folder cannot be read.");
    single->setEscapeButton(7);
    EXPECT_EQ(single->runModal(), 0);
    app().unhide();
}
}

namespace {

// Presses a key on an alert, as the display delivers it to the alert's window.
void pressOn(OffscreenBackend& backend, Alert& alert, base::KeyCode key, const std::string& characters, std::uint32_t modifiers = 0)
{
    backend.press(*alert.window(), static_cast<std::uint16_t>(key), characters, modifiers);
}

// A second Ctrl+Q while the quit question waits: the question comes forward, the second
// asking is cancelled, and the question still answers its keys. An alert run inside another
// takes the keys and buttons, and when it ends the outer one takes them again.
TEST_F(AlertTest, AQuestionAskedTwiceIsAskedOnceAndAlertsInsideOthersAnswerInOrder)
{
    auto main = window();
    Alert::installAsPresenter();
    auto quit = abortQuestion();
    quit.message = "Are you sure you want to quit Ostrel?";
    base::AlertRequest full;
    full.message = "Could not write to log file folder!";
    std::vector<std::string> seen;
    std::vector<Alert*> shown;
    std::optional<base::AlertAnswer> again, inner;
    // Whatever is still running after a while never answered: ended by hand, as a fault.
    auto guard = base::Timer::create(30, true, Mode::Common, [&](base::Timer&) {
        seen.push_back("never answered");
        for (Alert* stuck : shown)
            if (stuck->isRunning())
                stuck->pressButton(1);
    });
    Alert::setResponder([&](Alert& alert) -> std::optional<int> {
        seen.push_back(alert.messageText());
        shown.push_back(&alert);
        if (alert.messageText() == full.message)
            pressOn(backend(), alert, base::KeyCode::Return, "\r");
        if (shown.size() > 1)
            return std::nullopt;
        // The same question again, as a menu's Ctrl+Q asks it.
        again = base::AlertPresenter::present(quit);
        EXPECT_TRUE(alert.window()->isKeyWindow()) << "the question asked again comes forward with the keyboard";
        // Another alert inside it takes Return, then the question takes Escape.
        inner = base::AlertPresenter::present(full);
        pressOn(backend(), alert, base::KeyCode::Escape, "\x1b");
        return std::nullopt;
    });
    EXPECT_EQ(base::AlertPresenter::present(quit).button, 1);
    guard->invalidate();
    EXPECT_EQ(seen, (std::vector<std::string> { quit.message, full.message })) << "one question shown once, the other answered";
    ASSERT_TRUE(again);
    EXPECT_EQ(again->button, 1) << "the second asking is answered as Cancel";
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->button, 0);
    EXPECT_EQ(Alert::frontmost(), nullptr);
    EXPECT_TRUE(main->isKeyWindow());
}

// Ctrl+W on an alert is its Cancel, not the menus' close that hides the program behind it;
// the menus' other shortcuts wait until it is answered; a single button answers Escape.
TEST_F(AlertTest, CtrlWCancelsAnAlertAndOtherShortcutsWaitForTheAnswer)
{
    auto main = window();
    auto menu = Menu::create();
    int preferences = 0;
    menu->addItem("Close Window", [this](MenuItem&) { app().hide(); }, "w")->setKeyEquivalentModifierMask(ModifierFlag::Command);
    menu->addItem("Preferences", [&](MenuItem&) { ++preferences; }, ",")->setKeyEquivalentModifierMask(ModifierFlag::Command);
    app().setMainMenu(menu);
    Alert::setResponder([this](Alert& alert) -> std::optional<int> {
        pressOn(backend(), alert, base::KeyCode::Comma, ",", ModifierFlag::Command);
        pressOn(backend(), alert, base::KeyCode::W, "w", ModifierFlag::Command);
        return std::nullopt;
    });
    EXPECT_EQ(Alert::fromRequest(abortQuestion())->runModal(), 1);
    EXPECT_FALSE(app().isHidden());
    EXPECT_TRUE(main->isVisible() && main->isKeyWindow());
    EXPECT_EQ(preferences, 0);

    Alert::setResponder([this](Alert& alert) -> std::optional<int> {
        pressOn(backend(), alert, base::KeyCode::Escape, "\x1b");
        return std::nullopt;
    });
    base::AlertRequest single;
    single.message = "Could not write to log file folder!";
    EXPECT_EQ(Alert::fromRequest(single)->runModal(), 0);
    EXPECT_FALSE(app().isHidden());
}

}
