#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

struct Configuration {
    int64_t workingDuration { 0 };
    bool operator==(const Configuration&) const = default;
};

struct State {
    enum class Kind { working, elapsed };
    Kind kind { Kind::working };
    int64_t extendedBy { 0 }; // only meaningful while working

    static State working(int64_t extendedBy) { return { Kind::working, extendedBy }; }
    static State elapsed() { return { Kind::elapsed, 0 }; }

    bool isWorking() const { return kind == Kind::working; }
    bool operator==(const State& other) const
    {
        return kind == other.kind && (kind == Kind::elapsed || extendedBy == other.extendedBy);
    }
    // "working(extendedBy: 0)" or "elapsed", as the fast-forward log line shows it.
    std::string description() const;
};

enum class Event { oneTick, elapsed };

enum class EventExecutionMode { executeAllEvents, executeOnlyStateTransitionEvents, doNotExecuteAnyEvents };

struct FastForwardFunctionResult {
    enum class Kind { normalFastForward, fastForwardUpToStateTransition, transitionTo, reInitTo };
    Kind kind { Kind::normalFastForward };
    int64_t seconds { 0 };
    EventExecutionMode executeEvents { EventExecutionMode::executeAllEvents };
    State state {};

    static FastForwardFunctionResult normalFastForward(int64_t seconds, EventExecutionMode mode)
    {
        return { Kind::normalFastForward, seconds, mode, {} };
    }
    static FastForwardFunctionResult fastForwardUpToStateTransition(int64_t seconds, EventExecutionMode mode)
    {
        return { Kind::fastForwardUpToStateTransition, seconds, mode, {} };
    }
    static FastForwardFunctionResult transitionTo(State state) { return { Kind::transitionTo, 0, {}, state }; }
    static FastForwardFunctionResult reInitTo(State state) { return { Kind::reInitTo, 0, {}, state }; }
};

class EventExecuterType {
public:
    virtual ~EventExecuterType() = default;
    virtual void execute(Event event) = 0;
};

class ScheduledItemType {
public:
    virtual ~ScheduledItemType() = default;
    virtual void tick(int64_t currentSecond) = 0;
    virtual void fastForward(int64_t currentSecond, int64_t secondsToFastForward) = 0;
};

struct TickResult {
    State state;
    std::vector<Event> events;
};

struct TransitionResult {
    State state;
    std::vector<Event> events;
    bool isTransition { true };
};

using EachSecondFunction = std::function<TickResult(const State&, int64_t second, int64_t duration)>;
using StateTransitionFunction
    = std::function<TransitionResult(const std::optional<State>& previous, const State& next, int64_t duration)>;
using FastForwardFunction = std::function<FastForwardFunctionResult(int64_t seconds, const State&)>;

// The rules the program counts by: work until the duration is used up, one oneTick per
// counted second before that and one elapsed at the end.
TickResult myTick(const State& state, int64_t second, int64_t duration);
TransitionResult myStateTransitionFunction(const std::optional<State>& previous, const State& next, int64_t duration);
FastForwardFunctionResult myFastForwardFunction(int64_t seconds, const State& state);

// Counts a running slice or break second by second under three rule functions and hands
// the events to its executor (the timed screen).
class TimedStateMachine final : public ScheduledItemType {
public:
    // The executor is held weakly: the screen owns the module that owns this machine, and a
    // strong reference back would keep both alive forever. A screen that has gone away
    // simply receives nothing.
    static std::shared_ptr<TimedStateMachine> create(State initalState, EachSecondFunction eachSecondFunc,
        StateTransitionFunction stateTransitionFunc, FastForwardFunction fastForwardFunc, Configuration config,
        std::weak_ptr<EventExecuterType> executor);

    void tick(int64_t currentSecond) override;
    void tick(int64_t currentSecond, EventExecutionMode mode);
    void fastForward(int64_t currentSecond, int64_t secondsToFastForward) override;
    void changeConfig(Configuration config);

    const State& currentState() const { return m_currentState; }
    std::optional<int64_t> lastStateTransitionSecond() const { return m_lastStateTransitionSecond; }
    std::optional<int64_t> projectedDurationInSeconds() const { return m_projectedDurationInSeconds; }
    int64_t elapsedSeconds() const { return m_elapsedSeconds; }
    void setElapsedSeconds(int64_t seconds) { m_elapsedSeconds = seconds; }
    const std::optional<Configuration>& config() const { return m_config; }

private:
    TimedStateMachine() = default;

    int64_t duration() const;
    void project();
    // One counted second; true when it ended the run (its transition carries elapsed).
    bool countSecond(int64_t currentSecond, EventExecutionMode mode);
    void adoptTransition(const TransitionResult&, int64_t currentSecond, EventExecutionMode mode);
    void execute(const std::vector<Event>& events);

    EachSecondFunction m_eachSecondFunc;
    FastForwardFunction m_fastForwardFunc;
    StateTransitionFunction m_stateTransitionFunc;
    std::weak_ptr<EventExecuterType> m_executor;
    std::optional<Configuration> m_config;
    State m_currentState {};
    std::optional<int64_t> m_lastStateTransitionSecond;
    std::optional<int64_t> m_projectedDurationInSeconds;
    int64_t m_elapsedSeconds { 0 };
};

}
