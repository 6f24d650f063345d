#include "UiFixture.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/MainQueue.h"
#include "platform/base/Timer.h"
#include "platform/ui/Alert.h"

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
    auto answer = base::Timer::create(1, false, Mode::Common, [&](base::Timer&) {
        shown = preferences->isVisible() && preferences->isKeyWindow();
        app().stopModal();
    });
    app().runModalForWindow(*preferences);
    EXPECT_TRUE(shown) << "the preferences never showed";
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
