#include "core/TimedStateMachine.h"

#include "core/Clock.h"
#include "platform/base/Diagnostics.h"

#include <algorithm>

namespace ostrel {

namespace {

int64_t checkedAdd(int64_t a, int64_t b)
{
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        base::fatal("TimedStateMachine: second count overflow");
    return sum;
}

}

std::string State::description() const
{
    if (kind == Kind::elapsed)
        return "elapsed";
    return "working(extendedBy: " + std::to_string(extendedBy) + ")";
}

TickResult myTick(const State& state, int64_t second, int64_t duration)
{
    if (!state.isWorking())
        return { State::working(0), {} };
    if (checkedAdd(state.extendedBy, duration) <= second)
        return { State::elapsed(), {} };
    return { state, { Event::oneTick } };
}

TransitionResult myStateTransitionFunction(const std::optional<State>& previous, const State& next, int64_t)
{
    if (previous && previous->isWorking() && !next.isWorking())
        return { next, { Event::elapsed }, true };
    return { next, {}, true };
}

FastForwardFunctionResult myFastForwardFunction(int64_t seconds, const State& state)
{
    // Straight to the platform log, whatever the diagnostic switch says: a replay after a
    // sleep is the one thing we always want to be able to see afterwards.
    base::diagnostic("fast forward " + std::to_string(seconds) + " seconds from " + state.description());
    return FastForwardFunctionResult::normalFastForward(seconds, EventExecutionMode::executeAllEvents);
}

std::shared_ptr<TimedStateMachine> TimedStateMachine::create(State initalState, EachSecondFunction eachSecondFunc,
    StateTransitionFunction stateTransitionFunc, FastForwardFunction fastForwardFunc, Configuration config,
    std::weak_ptr<EventExecuterType> executor)
{
    std::shared_ptr<TimedStateMachine> machine(new TimedStateMachine);
    machine->m_eachSecondFunc = std::move(eachSecondFunc);
    machine->m_fastForwardFunc = std::move(fastForwardFunc);
    machine->m_stateTransitionFunc = std::move(stateTransitionFunc);
    machine->m_executor = std::move(executor);
    machine->m_config = config;
    machine->m_currentState = initalState;

    int64_t second = Clock::wholeSecond(Clock::now());
    auto result = machine->m_stateTransitionFunc(std::nullopt, initalState, machine->duration());
    machine->m_currentState = result.state;
    if (result.isTransition)
        machine->m_lastStateTransitionSecond = second;
    machine->project();
    if (result.isTransition)
        machine->m_elapsedSeconds = 0;
    machine->execute(result.events);
    return machine;
}

int64_t TimedStateMachine::duration() const
{
    if (!m_config)
        base::fatal("TimedStateMachine: no configuration");
    return m_config->workingDuration;
}

void TimedStateMachine::project()
{
    int64_t duration = this->duration();
    State state = m_currentState;
    for (int64_t i = 1;; i = checkedAdd(i, 1)) {
        state = m_eachSecondFunc(state, i, duration).state;
        if (!(state == m_currentState)) {
            m_projectedDurationInSeconds = i;
            return;
        }
    }
}

void TimedStateMachine::execute(const std::vector<Event>& events)
{
    if (events.empty())
        return;
    auto executor = m_executor.lock();
    if (!executor)
        return;
    for (auto event : events)
        executor->execute(event);
}

void TimedStateMachine::adoptTransition(const TransitionResult& result, int64_t currentSecond, EventExecutionMode mode)
{
    m_currentState = result.state;
    if (result.isTransition)
        m_lastStateTransitionSecond = currentSecond;
    project();
    if (result.isTransition)
        m_elapsedSeconds = 0;
    if (mode != EventExecutionMode::doNotExecuteAnyEvents)
        execute(result.events);
}

bool TimedStateMachine::countSecond(int64_t currentSecond, EventExecutionMode mode)
{
    m_elapsedSeconds = checkedAdd(m_elapsedSeconds, 1);
    auto tick = m_eachSecondFunc(m_currentState, m_elapsedSeconds, duration());
    bool ended = false;
    if (!(tick.state == m_currentState)) {
        auto result = m_stateTransitionFunc(m_currentState, tick.state, duration());
        ended = std::find(result.events.begin(), result.events.end(), Event::elapsed) != result.events.end();
        adoptTransition(result, currentSecond, mode);
    }
    if (mode == EventExecutionMode::executeAllEvents)
        execute(tick.events);
    return ended;
}

void TimedStateMachine::tick(int64_t currentSecond, EventExecutionMode mode)
{
    countSecond(currentSecond, mode);
}

void TimedStateMachine::tick(int64_t currentSecond)
{
    if (!m_lastStateTransitionSecond)
        base::fatal("TimedStateMachine: scheduled tick without a state transition second");
    // The second in which the current state began is not one of its counted seconds.
    if (checkedAdd(*m_lastStateTransitionSecond, 1) > currentSecond)
        return;
    countSecond(currentSecond, EventExecutionMode::executeAllEvents);
}

void TimedStateMachine::fastForward(int64_t currentSecond, int64_t secondsToFastForward)
{
    auto answer = m_fastForwardFunc(secondsToFastForward, m_currentState);
    switch (answer.kind) {
    case FastForwardFunctionResult::Kind::normalFastForward:
    case FastForwardFunctionResult::Kind::fastForwardUpToStateTransition: {
        if (answer.seconds < 0)
            base::fatal("TimedStateMachine: negative fast-forward");
        // Each replayed second carries the missed second it stands for, so a transition
        // during the replay is stamped when it really happened rather than ahead of the clock.
        int64_t firstMissedSecond = checkedAdd(currentSecond, 1 - answer.seconds);
        for (int64_t k = 0; k < answer.seconds; ++k) {
            // The replay ends with a replayed elapsed: it makes the screen leave, and a
            // screen that has been left must hear nothing more from us. A silent change of
            // state (a new count after an earlier end) is replayed through.
            if (countSecond(checkedAdd(firstMissedSecond, k), answer.executeEvents))
                break;
        }
        return;
    }
    case FastForwardFunctionResult::Kind::transitionTo:
        adoptTransition(m_stateTransitionFunc(m_currentState, answer.state, duration()), currentSecond,
            EventExecutionMode::executeAllEvents);
        return;
    case FastForwardFunctionResult::Kind::reInitTo:
        m_currentState = answer.state;
        m_lastStateTransitionSecond = currentSecond;
        m_elapsedSeconds = 0;
        project();
        return;
    }
}

void TimedStateMachine::changeConfig(Configuration config)
{
    m_config = config;
    for (int64_t i = 1; i <= m_elapsedSeconds; ++i) {
        auto answer = m_eachSecondFunc(m_currentState, i, config.workingDuration).state;
        if (!(answer == m_currentState)) {
            // Silently: a duration that is already used up does not count as reaching the end.
            m_elapsedSeconds = 0;
            m_currentState = answer;
            m_lastStateTransitionSecond = Clock::wholeSecond(Clock::now());
            break;
        }
    }
    project();
}

}
