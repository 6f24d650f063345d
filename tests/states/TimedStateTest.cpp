#include "ScreensFixture.h"
#include "TestScreens.h"

#include "core/Clock.h"
#include "core/SmartScheduler.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"

namespace ostrel::test {

namespace {

class TimedStateTest : public ScreensTest {
protected:
    TimedStateTest()
    {
        recordEvents("CountingTestState");
        recordEvents("PlainTestState");
    }
    // A timed screen of `seconds` shown first, "next" leading to a plain screen.
    std::shared_ptr<CountingScreen> startCounting(int64_t seconds)
    {
        auto screen = CountingScreen::create(model(), seconds);
        after = PlainScreen::create(model());
        after->build();
        screen->setValue("next", Screen::TransitionTarget(after));
        startWith(screen);
        return screen;
    }
    std::vector<PostedEvent> counted(const std::string& suffix) { return eventsNamed("Ostrel_4.CountingTestState." + suffix); }

    std::shared_ptr<PlainScreen> after;
};

TEST_F(TimedStateTest, AMinuteRunsFiftyNineSecondsOfTicksThenEndsAndFallsSilent)
{
    auto screen = startCounting(60);
    EXPECT_EQ(counted("start"), (std::vector<PostedEvent> { { "Ostrel_4.CountingTestState.start", 0, 60 } }));
    EXPECT_EQ(statusTitle(), " 01:00");
    wait(30.5);
    EXPECT_EQ(statusTitle(), " 00:30");
    wait(60);
    auto ticks = counted("time");
    ASSERT_EQ(ticks.size(), 59u);
    for (int32_t i = 0; i < 59; ++i)
        EXPECT_EQ(ticks[std::size_t(i)], (PostedEvent { "Ostrel_4.CountingTestState.time", i + 1, 60 }));
    EXPECT_EQ(screen->ends, 1);
    EXPECT_EQ(screen->timedStateMachineModule()->scheduler->timer, nullptr);
    wait(120);
    EXPECT_EQ(counted("time").size(), 59u);
    EXPECT_EQ(screen->ends, 1);

    // Once the run has ended its numbers are its duration, twice.
    EXPECT_EQ(screen->totalTime(), 60);
    EXPECT_EQ(screen->totalElapsedSeconds(), 60);
    machine->triggerTransition("next");
    EXPECT_EQ(counted("end"), (std::vector<PostedEvent> { { "Ostrel_4.CountingTestState.end", 60, 60 } }));
    EXPECT_EQ(screen->timedStateMachineModule(), nullptr);
}

TEST_F(TimedStateTest, ASleepWithinTheRunGivesOneTimeEventAndATickForEveryMissedSecond)
{
    auto screen = startCounting(1800);
    wait(100.5);
    ASSERT_EQ(screen->ticks, 100);
    postedEvents().clear();
    sleepFor(600);
    EXPECT_EQ(screen->ticks, 700);
    EXPECT_EQ(counted("time"), (std::vector<PostedEvent> { { "Ostrel_4.CountingTestState.time", 700, 1800 } }));
    wait(1);
    EXPECT_EQ(counted("time").back(), (PostedEvent { "Ostrel_4.CountingTestState.time", 701, 1800 }));
    EXPECT_EQ(screen->ends, 0);
    machine->triggerTransition("next");
}

TEST_F(TimedStateTest, ASleepPastTheEndEndsOnceWithTheDurationAsElapsed)
{
    auto screen = startCounting(60);
    wait(20.5);
    postedEvents().clear();
    sleepFor(600);
    EXPECT_EQ(counted("time"), (std::vector<PostedEvent> { { "Ostrel_4.CountingTestState.time", 60, 60 } }));
    EXPECT_EQ(screen->ends, 1);
    wait(100);
    EXPECT_EQ(counted("time").size(), 1u);
    EXPECT_EQ(screen->ends, 1);
    machine->triggerTransition("next");
    EXPECT_EQ(counted("end"), (std::vector<PostedEvent> { { "Ostrel_4.CountingTestState.end", 60, 60 } }));
}

TEST_F(TimedStateTest, AScreenLeftByItsOwnTickInAReplayHearsNothingMore)
{
    auto screen = startCounting(60);
    wait(10.5);
    screen->leaveAtTick = 15;
    sleepFor(30);
    EXPECT_EQ(screen->ticks, 15);
    EXPECT_EQ(screen->ends, 0);
    EXPECT_EQ(current(), after);
    wait(100);
    EXPECT_EQ(screen->ticks, 15);
    EXPECT_EQ(screen->ends, 0);
    auto ends = counted("end");
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_LE(ends[0].value, ends[0].maxValue);
}

// One wake-up a second: the views of a running screen refresh right after its tick, with
// no timer of their own, also once the window has been away and is back.
TEST_F(TimedStateTest, TheViewsRefreshWithTheTickAndNoTimerOfTheirOwn)
{
    auto screen = startCounting(600);
    EXPECT_FALSE(screen->updateTimer()) << "the module's scheduler alone wakes the screen";
    int refreshes = 0;
    int ticksAtRefresh = -1;
    screen->addUpdatableView(GenericUpdateViewTypeImplementation::create([&] {
        ++refreshes;
        ticksAtRefresh = screen->ticks;
    }));
    wait(3.05);
    EXPECT_EQ(refreshes, 3);
    EXPECT_EQ(ticksAtRefresh, screen->ticks) << "refreshed after the tick's own work";

    window().orderOut();
    wait(2);
    EXPECT_EQ(refreshes, 3) << "nothing refreshes for a window off the screen";
    window().orderFrontRegardless();
    EXPECT_EQ(refreshes, 4) << "brought up to date as the window comes back";
    EXPECT_FALSE(screen->updateTimer());
    wait(2);
    EXPECT_EQ(refreshes, 6);

    // A sleep replays every missed second at one clock time: one refresh for all of them.
    int ticks = screen->ticks;
    sleepFor(5);
    EXPECT_EQ(screen->ticks, ticks + 5);
    EXPECT_EQ(refreshes, 7);
    machine->triggerTransition("next");
    wait(2);
    EXPECT_EQ(refreshes, 7);
}

TEST_F(TimedStateTest, TheRefreshEntryIsRegisteredOnceAcrossActivations)
{
    auto screen = startCounting(600);
    auto views = screen->updatableViewList().size();
    after->setValue("next", Screen::TransitionTarget(screen));
    machine->triggerTransition("next");
    machine->triggerTransition("next");
    EXPECT_EQ(screen->updatableViewList().size(), views);
    EXPECT_EQ(counted("start").back(), (PostedEvent { "Ostrel_4.CountingTestState.start", 0, 600 }));
    machine->triggerTransition("next");
}

}

}
