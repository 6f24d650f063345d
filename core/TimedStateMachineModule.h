#pragma once

#include "core/TimedStateMachine.h"

#include <cstdint>
#include <memory>

namespace ostrel {

class SmartScheduler;

// What the module needs of a timed screen: its working duration, read once, and the
// events of its machine.
class TimedStateType : public EventExecuterType {
public:
    virtual int64_t duration() const = 0;
};

// What a running timed screen shows: remaining seconds and its start and end dates.
class TimedStateMachineViewModel {
public:
    explicit TimedStateMachineViewModel(std::shared_ptr<TimedStateMachine> stateMachine)
        : m_stateMachine(std::move(stateMachine))
    {
    }

    // Never below 0; moves only when the screen sets frozenTime on its ticks.
    double remainingSeconds() const;
    double startDate() const;
    double endDate() const;

    // For the time indicators and the bubble row: one refresh reads every value at the
    // instant it froze. Before the machine knows its start or projection they answer 0.
    void freezeTime();
    double elapsedSeconds() const;
    double totalSeconds() const;

    double frozenTime { 0 };
    const std::shared_ptr<TimedStateMachine>& stateMachine() const { return m_stateMachine; }

private:
    std::shared_ptr<TimedStateMachine> m_stateMachine;
};

// The scheduler, timed state machine and view model of one activation of a timed screen.
class TimedStateMachineModule {
public:
    static std::shared_ptr<TimedStateMachineModule> create(const std::shared_ptr<TimedStateType>& timedState);

    // A new working duration for the running machine; one already used up ends it silently.
    void changeDuration(int64_t seconds);

    std::shared_ptr<TimedStateMachine> stateMachine;
    std::shared_ptr<SmartScheduler> scheduler;
    // Not owned: the screen owns this module.
    std::weak_ptr<TimedStateType> executor;
    std::shared_ptr<TimedStateMachineViewModel> viewModel;

private:
    TimedStateMachineModule() = default;
};

}
