#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Timer.h"
#include "platform/ui/Alert.h"

#include <csignal>
#include <optional>

#include <string>
#include <vector>

using namespace ui;

namespace {

struct Recorder : ApplicationDelegate {
    std::vector<std::string> messages;
    TerminateReply reply { TerminateReply::Now };
    void applicationWillFinishLaunching(const Notification&) override { messages.push_back("willFinish"); }
    void applicationDidFinishLaunching(const Notification&) override { messages.push_back("didFinish"); }
    void applicationWillBecomeActive(const Notification&) override { messages.push_back("willBecomeActive"); }
    void applicationDidBecomeActive(const Notification&) override { messages.push_back("didBecomeActive"); }
    void applicationWillResignActive(const Notification&) override { messages.push_back("willResignActive"); }
    void applicationDidResignActive(const Notification&) override { messages.push_back("didResignActive"); }
    void applicationWillTerminate(const Notification&) override { messages.push_back("willTerminate"); }
    TerminateReply applicationShouldTerminate() override
    {
        messages.push_back("shouldTerminate");
        return reply;
    }
};

// The chain the program builds: application → controller → state machine → current screen.
struct Link : ui::Responder { };

struct RunningScreen : ui::Responder {
    int started { 0 };
    void startTimeSlice(const base::Sender&) { ++started; }
    const base::ActionTable& actionTable() const override
    {
        static const auto table = base::ActionTable::of<RunningScreen>({ { "startTimeSlice:", &RunningScreen::startTimeSlice } });
        return table;
    }
};

}

using Applications = UiTest;

TEST_F(Applications, DelegateHearsLaunchActivationAndTerminationInOrder)
{
    Recorder recorder;
    app().setDelegate(&recorder);
    app().finishLaunching();
    app().finishLaunching();
    EXPECT_TRUE(app().isActive());
    app().deactivate();
    app().activate(true);
    recorder.reply = TerminateReply::Cancel;
    app().terminate();
    EXPECT_FALSE(app().isTerminating());
    recorder.reply = TerminateReply::Now;
    app().terminate();
    EXPECT_TRUE(app().isTerminating());
    EXPECT_EQ(recorder.messages,
        (std::vector<std::string> { "willFinish", "didFinish", "willBecomeActive", "didBecomeActive",
            "willResignActive", "didResignActive", "willBecomeActive", "didBecomeActive", "shouldTerminate",
            "shouldTerminate", "willTerminate" }));
}

TEST_F(Applications, TerminationLaterWaitsForTheReply)
{
    Recorder recorder;
    recorder.reply = TerminateReply::Later;
    app().setDelegate(&recorder);
    app().terminate();
    EXPECT_FALSE(app().isTerminating());
    app().replyToApplicationShouldTerminate(false);
    EXPECT_FALSE(app().isTerminating());
    app().terminate();
    app().replyToApplicationShouldTerminate(true);
    EXPECT_TRUE(app().isTerminating());
}

TEST_F(Applications, EveryWayOutTellsTheWillTerminateObserversOnce)
{
    Recorder recorder;
    app().setDelegate(&recorder);
    int saved = 0;
    auto token = app().addWillTerminateObserver([&] {
        recorder.messages.push_back("saved");
        ++saved;
    });
    // Asked first: a cancelled quit saves nothing yet.
    recorder.reply = TerminateReply::Cancel;
    app().terminate();
    EXPECT_EQ(saved, 0);
    // A stop signal asks nobody, and still saves, after the delegate heard.
    std::vector<int> heard;
    app().terminateOnStopSignals([&](int signal) { heard.push_back(signal); });
    ASSERT_EQ(raise(SIGTERM), 0);
    app().run();
    EXPECT_EQ(heard, std::vector<int> { SIGTERM });
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(recorder.messages.back(), "saved");
    EXPECT_EQ(recorder.messages[recorder.messages.size() - 2], "willTerminate");
    app().terminateNow();
    app().terminate();
    EXPECT_EQ(saved, 1) << "once";
}

TEST_F(Applications, NobodyOnTheWayOutIsAskedAnything)
{
    // Real alerts are up on a display; on the way out they would hold the program up, so
    // what comes then is only logged.
    Alert::installAsPresenter();
    Alert::setResponder({});
    std::optional<int> answered;
    auto token = app().addWillTerminateObserver([&] {
        base::AlertRequest question;
        question.message = "Delete it?";
        question.buttons = { "Delete", "Cancel" };
        question.destructive = true;
        answered = base::AlertPresenter::present(question).button;
    });
    app().terminateNow();
    EXPECT_EQ(answered, 1) << "a destructive question nobody can answer takes Cancel";
    base::AlertPresenter::install({});
}

TEST_F(Applications, HideOrdersWindowsOutAndUnhideBringsBackOnlyThose)
{
    auto shown = window();
    auto never = Window::create(Rect(0, 0, 50, 50));
    app().hide();
    EXPECT_TRUE(app().isHidden());
    EXPECT_FALSE(shown->isVisible());
    EXPECT_FALSE(app().isActive());
    // Showing a window of a hidden application waits for unhide.
    never->orderFront();
    EXPECT_FALSE(never->isVisible());
    app().hide();
    app().unhide();
    EXPECT_TRUE(shown->isVisible());
    EXPECT_FALSE(never->isVisible());
}

// The keyboard goes to the window under the one that closed, ours; but a click into another
// program that closes our pop-up leaves it there.
TEST_F(Applications, AClosedWindowHandsTheKeyboardToOursUnlessTheProgramIsLeavingTheFront)
{
    app().activate();
    auto main = window();
    auto preferences = Window::create(Rect(300, 300, 200, 100));
    preferences->makeKeyAndOrderFront();
    ASSERT_EQ(app().mainWindow(), preferences.get());
    int asked = backend().focusRequests();
    preferences->close();
    EXPECT_EQ(app().keyWindow(), main.get()) << "the keyboard went to nobody";
    EXPECT_EQ(backend().focusRequests(), asked + 1);

    struct Closer : ApplicationDelegate {
        std::shared_ptr<Window> popUp;
        void applicationWillResignActive(const Notification&) override { popUp->close(); }
    } closer;
    closer.popUp = Window::create(Rect(300, 300, 200, 100));
    closer.popUp->makeKeyAndOrderFront();
    app().setDelegate(&closer);
    asked = backend().focusRequests();
    app().deactivate();
    app().setDelegate(nullptr);
    EXPECT_FALSE(closer.popUp->isVisible());
    EXPECT_EQ(backend().focusRequests(), asked) << "the main window took the keyboard back";
}

// Whether the program counts as hidden follows what shows: asking to be active shows a
// hidden program with the keyboard where it was, and so does an ordinary window put on the
// screen regardless; what stands above the ordinary windows shows over a hidden program.
TEST_F(Applications, HiddenFollowsWhatTheDisplayShows)
{
    auto shown = window();
    shown->makeKeyAndOrderFront();
    app().hide();
    app().activate(true);
    EXPECT_FALSE(app().isHidden());
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(app().keyWindow(), shown.get());

    app().hide();
    auto banner = Window::create(Rect(0, 0, 50, 50), WindowStyle::Borderless);
    banner->setLevel(WindowLevel::AboveAll);
    banner->orderFrontRegardless();
    EXPECT_TRUE(app().isHidden()) << "a banner shows over a hidden program";
    EXPECT_FALSE(shown->isVisible());

    shown->orderFrontRegardless();
    EXPECT_FALSE(app().isHidden()) << "its main window is on the screen";
    app().hide();
    EXPECT_TRUE(app().isHidden()) << "and hiding works again";
    EXPECT_FALSE(shown->isVisible());
}

TEST_F(Applications, ActionsTravelTheChainToTheScreenThatImplementsThem)
{
    Link controller, machine;
    RunningScreen screen;
    app().setNextResponder(&controller);
    controller.setNextResponder(&machine);
    machine.setNextResponder(&screen);
    auto w = window();

    EXPECT_TRUE(app().sendAction("startTimeSlice:"));
    EXPECT_EQ(screen.started, 1);
    EXPECT_FALSE(app().sendAction("pauseOrResumeTimeSlice:"));
    // With a target the chain is not consulted.
    EXPECT_FALSE(app().sendAction("startTimeSlice:", &controller));
    EXPECT_EQ(screen.started, 1);

    // A window gone leaves no stale key window behind.
    w.reset();
    EXPECT_EQ(app().keyWindow(), nullptr);
    EXPECT_TRUE(app().sendAction("startTimeSlice:"));
}

TEST_F(Applications, LocalMonitorsRewriteOrSwallowEventsAndSeeTheCurrentEvent)
{
    auto w = window();
    struct Typist : View {
        Typist() : View({}) { }
        bool acceptsFirstResponder() const override { return true; }
        void keyDown(const Event& e) override { typed += e.characters(); }
        std::string typed;
    };
    auto typist = std::shared_ptr<Typist>(new Typist);
    w->contentView()->addSubview(typist);
    ASSERT_TRUE(w->makeFirstResponder(typist.get()));

    std::string seenCurrent;
    auto upper = app().addLocalMonitor(EventMask::KeyDown, [&](const Event& e) -> std::optional<Event> {
        EXPECT_EQ(app().currentEvent(), nullptr);
        Event changed = e;
        if (e.characters() == "x")
            return std::nullopt;
        changed.setCharacters(e.characters() == "a" ? "A" : e.characters());
        return changed;
    });
    backend().press(*w, static_cast<std::uint16_t>(base::KeyCode::A), "a");
    backend().press(*w, static_cast<std::uint16_t>(base::KeyCode::X), "x");
    backend().press(*w, static_cast<std::uint16_t>(base::KeyCode::B), "b");
    EXPECT_EQ(typist->typed, "Ab");
    app().removeMonitor(upper);
    backend().press(*w, static_cast<std::uint16_t>(base::KeyCode::X), "x");
    EXPECT_EQ(typist->typed, "Abx");
    EXPECT_EQ(app().currentEvent(), nullptr);
}

TEST_F(Applications, ModalRunFiresOnlyCommonModeTimers)
{
    int common = 0, plain = 0;
    auto a = base::Timer::create(1, true, base::RunLoop::Mode::Common, [&](base::Timer&) { ++common; });
    auto b = base::Timer::create(1, true, base::RunLoop::Mode::Default, [&](base::Timer&) { ++plain; });
    auto w = window();
    auto s = Swatch::create(gfx::colors::red, Rect(0, 0, 10, 10));
    w->contentView()->addSubview(s);
    int presented = backend().presentedFrames();
    loop().runModal([&] { return common >= 3; });
    EXPECT_EQ(common, 3);
    EXPECT_EQ(plain, 0);
    // Windows still draw while the modal run lasts.
    EXPECT_GT(backend().presentedFrames(), presented);
    loop().runUntil([&] { return plain >= 1; });
    EXPECT_EQ(plain, 1);
    a->invalidate();
    b->invalidate();
}

TEST(ApplicationLifetime, WindowsOutlivingTheApplicationStayUsable)
{
    base::VirtualTime clock;
    auto app = Application::create(std::make_unique<OffscreenBackend>());
    auto w = Window::create(Rect(0, 0, 50, 50));
    w->makeKeyAndOrderFront();
    app.reset();
    EXPECT_EQ(Application::shared(), nullptr);
    w->setFrame(Rect(10, 10, 60, 60));
    w->orderOut();
    EXPECT_EQ(w->pixelAt(5, 5), gfx::colors::clear);
    w.reset();
    base::RunLoop::main().discardAll();
}
