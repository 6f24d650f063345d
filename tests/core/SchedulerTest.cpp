#include "core/Clock.h"
#include "core/Debouncer.h"
#include "core/SmartScheduler.h"
#include "core/TimedStateMachineModule.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"
#include "platform/base/VirtualTime.h"

#include "tests/core/CapturedLog.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

struct VirtualClock {
    base::VirtualTime time;
    ~VirtualClock() { base::RunLoop::main().discardAll(); }
    double start() const { return base::VirtualTime::kDefaultStart; }
    void runUntil(double offset) { base::RunLoop::main().runUntil(start() + offset); }
};

// A timed screen as the module sees it: it freezes the view model's time on each tick and
// stops the scheduler when its duration has elapsed.
struct TimedScreen : TimedStateType {
    int64_t seconds;
    std::shared_ptr<TimedStateMachineModule> module;
    std::vector<Event> events;
    std::vector<double> remainingAtTicks;

    explicit TimedScreen(int64_t seconds)
        : seconds(seconds)
    {
    }
    int64_t duration() const override { return seconds; }
    void execute(Event event) override
    {
        events.push_back(event);
        if (event == Event::oneTick) {
            module->viewModel->frozenTime = Clock::now();
            remainingAtTicks.push_back(module->viewModel->remainingSeconds());
        } else {
            module->scheduler->timer->stop();
            module->scheduler->timer = nullptr;
        }
    }
    static std::shared_ptr<TimedScreen> activated(int64_t seconds)
    {
        auto screen = std::make_shared<TimedScreen>(seconds);
        screen->module = TimedStateMachineModule::create(screen);
        screen->module->viewModel->frozenTime = Clock::now();
        return screen;
    }
    size_t ticks() const { return std::count(events.begin(), events.end(), Event::oneTick); }
};

struct RecordingItem : ScheduledItemType {
    std::vector<std::string> calls;
    void tick(int64_t second) override { calls.push_back("tick " + std::to_string(second)); }
    void fastForward(int64_t second, int64_t seconds) override
    {
        calls.push_back("fastForward " + std::to_string(second) + " by " + std::to_string(seconds));
    }
};

TEST(TimedStateMachineModule, SixtySecondsGiveFiftyNineTicksThenTheEnd)
{
    VirtualClock clock;
    auto screen = TimedScreen::activated(60);
    EXPECT_DOUBLE_EQ(screen->module->viewModel->remainingSeconds(), 60);
    EXPECT_DOUBLE_EQ(screen->module->viewModel->endDate(), clock.start() + 60);
    clock.runUntil(120);
    EXPECT_EQ(screen->ticks(), 59u);
    EXPECT_EQ(screen->events.back(), Event::elapsed);
    EXPECT_EQ(screen->events.size(), 60u);
    for (size_t i = 0; i < screen->remainingAtTicks.size(); ++i)
        EXPECT_DOUBLE_EQ(screen->remainingAtTicks[i], 59.0 - double(i));
    EXPECT_EQ(base::RunLoop::main().timerCount(), 0u);
}

TEST(TimedStateMachineModule, SleepAcrossTheEndReplaysUpToTheEndOnly)
{
    VirtualClock clock;
    auto screen = TimedScreen::activated(10);
    clock.runUntil(7.5);
    EXPECT_EQ(screen->ticks(), 7u);
    clock.time.advance(30); // the computer slept
    base::RunLoop::main().runOnce();
    EXPECT_EQ(screen->ticks(), 9u);
    EXPECT_EQ(screen->events.back(), Event::elapsed);
    EXPECT_EQ(screen->module->stateMachine->lastStateTransitionSecond(), int64_t(clock.start()) + 10);
    clock.runUntil(60);
    EXPECT_EQ(screen->events.size(), 10u);
}

TEST(TimedStateMachineModule, ShorterDurationAlreadyUsedUpEndsSilently)
{
    VirtualClock clock;
    auto screen = TimedScreen::activated(60);
    clock.runUntil(10.5);
    screen->module->changeDuration(120);
    EXPECT_EQ(screen->module->stateMachine->elapsedSeconds(), 10);
    EXPECT_DOUBLE_EQ(screen->module->viewModel->endDate(), clock.start() + 120);
    screen->module->changeDuration(5);
    EXPECT_EQ(screen->module->stateMachine->currentState(), State::elapsed());
    EXPECT_EQ(screen->events.size(), 10u);
    EXPECT_GE(screen->module->viewModel->remainingSeconds(), 0);
    // As a screen does when it is left: stop the timer and let go of it.
    screen->module->scheduler->timer->stop();
    screen->module->scheduler->timer = nullptr;
}

struct Firing {
    VirtualClock clock;
    std::shared_ptr<SmartScheduler> scheduler = SmartScheduler::create();
    std::shared_ptr<RecordingItem> item = std::make_shared<RecordingItem>();
    int64_t second = int64_t(base::VirtualTime::kDefaultStart);
    Firing()
    {
        scheduler->subscribers.push_back(item);
        scheduler->lastSecondFired = second;
    }
    void fireAt(double offset)
    {
        clock.time.set(clock.start() + offset);
        scheduler->timerFired();
    }
};

TEST(SmartScheduler, GapsOfOneAndMoreTickOrReplay)
{
    Firing f;
    f.fireAt(1.1);
    f.fireAt(6.2);
    EXPECT_EQ(f.item->calls,
        (std::vector<std::string> { "tick " + std::to_string(f.second + 1),
            "fastForward " + std::to_string(f.second + 6) + " by 5" }));
    EXPECT_EQ(f.scheduler->lastSecondFired, f.second + 6);
    EXPECT_DOUBLE_EQ(f.scheduler->lastFired, f.clock.start() + 6.2);
}

TEST(SmartScheduler, SameSecondTicksAgainThenRunsAheadAndLogsTheNegativeGap)
{
    test::CapturedLog log;
    Firing f;
    f.fireAt(1.1);
    f.fireAt(1.5);
    EXPECT_EQ(f.scheduler->lastSecondFired, f.second + 2);
    f.fireAt(1.9);
    EXPECT_EQ(f.item->calls.size(), 2u);
    EXPECT_EQ(f.item->calls[1], "tick " + std::to_string(f.second + 1));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "smart scheduler called with negative delta -1!");
    EXPECT_EQ(f.scheduler->lastSecondFired, f.second + 2);
    f.fireAt(3.0);
    EXPECT_EQ(f.item->calls.back(), "tick " + std::to_string(f.second + 3));
}

TEST(Clock, FollowsTheTimeSourceAndSplitsDates)
{
    VirtualClock clock;
    EXPECT_DOUBLE_EQ(Clock::now(), clock.start());
    clock.time.advance(2.5);
    EXPECT_DOUBLE_EQ(Clock::nowAsDate(), clock.start() + 2.5);
    EXPECT_DOUBLE_EQ(Clock::translateDurationForSystemClock(7), 7);
    EXPECT_EQ(splitIntoComponents(base::Time::distantPast()), DateComponentsSplit {});
    // 2021-03-04 00:00:00 UTC is 636508800 seconds after the reference date.
    EXPECT_EQ(splitIntoComponents(636508800.0 + 5 * 3600 + 6 * 60 + 7.25), (DateComponentsSplit { 2021, 3, 4, 5, 6, 7 }));
}

TEST(Clock, TimersFireOnceOrUntilStoppedAlsoInModalRuns)
{
    VirtualClock clock;
    int once = 0, repeating = 0;
    auto oneShot = Clock::timerWithSimulatedTimeInterval(1, false, [&](base::Timer&) { ++once; });
    auto ticker = Clock::timerWithSystemTimeInterval(1, true, [&](base::Timer&) { ++repeating; });
    clock.runUntil(3.5);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(repeating, 3);
    base::RunLoop::main().runModal([&] { return repeating == 5; });
    EXPECT_EQ(repeating, 5);
    ticker->stop();
    clock.runUntil(10);
    EXPECT_EQ(repeating, 5);
}

// The clock at another speed for one test, and at the system clock's speed again after it.
struct FastClock : VirtualClock {
    explicit FastClock(double speed) { Clock::restart(speed); }
    ~FastClock() { Clock::restart(1); }
};

TEST(Clock, SpeedFromTheEnvironmentIsANumberWithinBoundsOrOne)
{
    test::CapturedLog log;
    unsetenv(Clock::kSpeedVariable);
    EXPECT_EQ(Clock::speedFromEnvironment(), 1);
    EXPECT_TRUE(log.lines.empty()) << "nothing asked, nothing said";
    struct Good {
        const char* text;
        double speed;
        const char* shown;
    };
    for (auto [text, speed, shown] : { Good { "60", 60, "60" }, Good { "0.5", 0.5, "0.5" }, Good { "1e4", 1e4, "10000" } }) {
        setenv(Clock::kSpeedVariable, text, 1);
        EXPECT_EQ(Clock::speedFromEnvironment(), speed) << text;
        ASSERT_FALSE(log.lines.empty());
        EXPECT_EQ(log.lines.back(), "Clock: running at " + std::string(shown) + " times the system clock's speed (OSTREL_CLOCK_SPEED)");
    }
    for (const char* text : { "", "fast", "60x", " 60", "60 ", "0", "-2", "inf", "nan", "1e-9", "20000", "1,5" }) {
        setenv(Clock::kSpeedVariable, text, 1);
        log.lines.clear();
        EXPECT_EQ(Clock::speedFromEnvironment(), 1) << '"' << text << '"';
        ASSERT_EQ(log.lines.size(), 1u) << '"' << text << '"';
        EXPECT_NE(log.lines[0].find("=\"" + std::string(text) + "\" is not a speed"), std::string::npos) << log.lines[0];
    }
    unsetenv(Clock::kSpeedVariable);
}

TEST(Clock, AtSixtyTimesATwoMinuteSliceCountsEverySecondInTwoSeconds)
{
    FastClock clock(60);
    EXPECT_DOUBLE_EQ(Clock::translateDurationForSystemClock(120), 2);
    int simulatedFirings = 0, systemFirings = 0;
    auto simulated = Clock::timerWithSimulatedTimeInterval(1, true, [&](base::Timer&) { ++simulatedFirings; });
    auto system = Clock::timerWithSystemTimeInterval(1, true, [&](base::Timer&) { ++systemFirings; });
    // A quarter into a simulated second, as a user's click would fall: on a whole second the
    // timer's rounding would decide which second it is.
    clock.time.advance(0.25 / 60);
    auto screen = TimedScreen::activated(120);
    clock.runUntil(1.9);
    EXPECT_NEAR(Clock::now(), clock.start() + 1.9 * 60, 1e-4);
    EXPECT_EQ(screen->ticks(), 113u);
    EXPECT_NE(screen->events.back(), Event::elapsed);
    clock.runUntil(2.01);
    EXPECT_EQ(screen->ticks(), 119u);
    EXPECT_EQ(screen->events.back(), Event::elapsed);
    for (size_t i = 0; i < screen->remainingAtTicks.size(); ++i)
        EXPECT_NEAR(screen->remainingAtTicks[i], 118.75 - double(i), 0.01);
    EXPECT_EQ(simulatedFirings, 120);
    EXPECT_EQ(systemFirings, 2) << "a timer in system time keeps the system clock's pace";
    simulated->stop();
    system->stop();
}

TEST(Debouncer, RunsOnlyTheLastOfABurstAfterTheDelay)
{
    VirtualClock clock;
    Debouncer debouncer(1.0);
    std::vector<std::pair<int, double>> ran;
    for (int i = 1; i <= 3; ++i) {
        debouncer.run([&ran, i] { ran.emplace_back(i, Clock::now()); });
        clock.runUntil(0.2 * i);
    }
    clock.runUntil(5);
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_EQ(ran[0].first, 3);
    EXPECT_NEAR(ran[0].second, clock.start() + 1.4, 1e-6);

    debouncer.run([&] { ran.emplace_back(4, Clock::now()); });
    clock.runUntil(7);
    EXPECT_EQ(ran.size(), 2u);

    Debouncer immediate(0);
    bool done = false;
    immediate.run([&] { done = true; });
    EXPECT_FALSE(done);
    base::RunLoop::main().runOnce();
    EXPECT_TRUE(done);
}

}
}
