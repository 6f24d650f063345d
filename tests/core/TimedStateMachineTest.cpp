#include "core/TimedStateMachine.h"

#include "platform/base/Diagnostics.h"

#include <algorithm>
#include "tests/core/CapturedLog.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

struct RecordingExecutor : EventExecuterType {
    std::vector<Event> events;
    void execute(Event event) override { events.push_back(event); }
    size_t count(Event e) const { return std::count(events.begin(), events.end(), e); }
};

struct Counting {
    std::shared_ptr<RecordingExecutor> executor = std::make_shared<RecordingExecutor>();
    std::shared_ptr<TimedStateMachine> machine;
    int64_t start { 0 };

    explicit Counting(int64_t duration)
    {
        machine = TimedStateMachine::create(State::working(0), myTick, myStateTransitionFunction,
            myFastForwardFunction, Configuration { duration }, executor);
        start = *machine->lastStateTransitionSecond();
    }
    // Scheduled ticks for the counted seconds first..last after the start second.
    void tickSeconds(int64_t first, int64_t last)
    {
        for (int64_t s = first; s <= last; ++s)
            machine->tick(start + s);
    }
};

TEST(TimedStateMachine, DurationThreeTicksTwiceThenElapsesWithoutTick)
{
    Counting c(3);
    EXPECT_EQ(c.machine->projectedDurationInSeconds(), 3);
    c.tickSeconds(1, 2);
    EXPECT_EQ(c.executor->events, (std::vector { Event::oneTick, Event::oneTick }));
    c.tickSeconds(3, 3);
    EXPECT_EQ(c.executor->events.back(), Event::elapsed);
    EXPECT_EQ(c.executor->count(Event::oneTick), 2u);
    EXPECT_EQ(c.machine->currentState(), State::elapsed());
    EXPECT_EQ(c.machine->elapsedSeconds(), 0);
    EXPECT_EQ(c.machine->projectedDurationInSeconds(), 1);
    EXPECT_EQ(c.machine->lastStateTransitionSecond(), c.start + 3);
}

TEST(TimedStateMachine, TickedAfterElapsedStartsAnotherSilentCount)
{
    Counting c(3);
    c.tickSeconds(1, 3);
    c.executor->events.clear();
    c.tickSeconds(4, 4);
    EXPECT_TRUE(c.executor->events.empty());
    EXPECT_EQ(c.machine->currentState(), State::working(0));
    c.tickSeconds(5, 7);
    EXPECT_EQ(c.executor->events, (std::vector { Event::oneTick, Event::oneTick, Event::elapsed }));
}

TEST(TimedStateMachine, TickInTheSecondOfTheTransitionIsIgnored)
{
    Counting c(3);
    c.machine->tick(c.start);
    c.machine->tick(c.start - 5);
    EXPECT_TRUE(c.executor->events.empty());
    EXPECT_EQ(c.machine->elapsedSeconds(), 0);
}

TEST(TimedStateMachine, FastForwardWithinTheDurationReplaysEverySecond)
{
    Counting c(13);
    c.machine->fastForward(c.start + 3, 3);
    EXPECT_EQ(c.executor->events, (std::vector(3, Event::oneTick)));
    EXPECT_EQ(c.machine->elapsedSeconds(), 3);
    EXPECT_EQ(c.machine->lastStateTransitionSecond(), c.start);
}

TEST(TimedStateMachine, FastForwardAcrossTheEndStopsAtTheTransition)
{
    Counting c(10);
    c.tickSeconds(1, 8);
    c.executor->events.clear();
    // Five missed seconds with two of the duration left: one tick, the end, then nothing.
    int64_t now = c.start + 13;
    c.machine->fastForward(now, 5);
    EXPECT_EQ(c.executor->events, (std::vector { Event::oneTick, Event::elapsed }));
    EXPECT_EQ(c.machine->currentState(), State::elapsed());
    EXPECT_EQ(c.machine->elapsedSeconds(), 0);
    // Stamped with the missed second on which the duration ran out, not ahead of the clock.
    EXPECT_EQ(c.machine->lastStateTransitionSecond(), c.start + 10);
}

TEST(TimedStateMachine, FastForwardReplaysASilentNewCountUpToTheNextEnd)
{
    // An executor that never stops the ticking: after the end the machine starts a new
    // count without a word, and a replay over it goes on to that count's own end.
    Counting c(3);
    c.tickSeconds(1, 3);
    c.executor->events.clear();
    c.machine->fastForward(c.start + 9, 6);
    EXPECT_EQ(c.executor->events, (std::vector { Event::oneTick, Event::oneTick, Event::elapsed }));
    EXPECT_EQ(c.machine->currentState(), State::elapsed());
    EXPECT_EQ(c.machine->lastStateTransitionSecond(), c.start + 7);
}

TEST(TimedStateMachine, FastForwardLogsOneLineCreationNone)
{
    test::CapturedLog log;
    Counting c(10);
    EXPECT_TRUE(log.lines.empty());
    c.machine->fastForward(c.start + 2, 2);
    c.machine->fastForward(c.start + 4, 2);
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "fast forward 2 seconds from working(extendedBy: 0)");
}

TEST(TimedStateMachine, ChangeConfigMovesTheProjectionOrElapsesSilently)
{
    Counting c(10);
    c.tickSeconds(1, 4);
    c.machine->changeConfig({ 20 });
    EXPECT_EQ(c.machine->elapsedSeconds(), 4);
    EXPECT_EQ(c.machine->projectedDurationInSeconds(), 20);
    EXPECT_EQ(c.machine->currentState(), State::working(0));

    c.machine->changeConfig({ 6 });
    EXPECT_EQ(c.machine->projectedDurationInSeconds(), 6);
    EXPECT_EQ(c.machine->elapsedSeconds(), 4);

    c.executor->events.clear();
    c.machine->changeConfig({ 4 });
    EXPECT_EQ(c.machine->currentState(), State::elapsed());
    EXPECT_EQ(c.machine->elapsedSeconds(), 0);
    EXPECT_EQ(c.machine->projectedDurationInSeconds(), 1);
    EXPECT_TRUE(c.executor->events.empty());
}

TEST(TimedStateMachine, ExtendedWorkingStateProjectsExtensionPlusDuration)
{
    auto executor = std::make_shared<RecordingExecutor>();
    auto machine = TimedStateMachine::create(State::working(5), myTick, myStateTransitionFunction,
        myFastForwardFunction, Configuration { 10 }, executor);
    EXPECT_EQ(machine->projectedDurationInSeconds(), 15);
}

TEST(TimedStateMachine, ExecutorThatWentAwayHearsNothingAndNothingBreaks)
{
    Counting c(2);
    c.executor.reset();
    c.tickSeconds(1, 3);
    EXPECT_EQ(c.machine->currentState(), State::working(0));
}

TEST(TimedStateMachineDeathTest, NegativeFastForwardIsAProgrammingError)
{
    auto negative = [](int64_t, const State&) {
        return FastForwardFunctionResult::normalFastForward(-1, EventExecutionMode::executeAllEvents);
    };
    auto machine = TimedStateMachine::create(State::working(0), myTick, myStateTransitionFunction, negative,
        Configuration { 3 }, std::make_shared<RecordingExecutor>());
    EXPECT_DEATH(machine->fastForward(0, 2), "negative fast-forward");
}

}
}
