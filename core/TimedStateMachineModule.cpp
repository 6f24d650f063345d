#include "core/TimedStateMachineModule.h"

#include "core/Clock.h"
#include "core/SmartScheduler.h"
#include "platform/base/Diagnostics.h"

#include <cstdio>

namespace ostrel {

double TimedStateMachineViewModel::remainingSeconds() const
{
    auto start = m_stateMachine->lastStateTransitionSecond();
    auto projected = m_stateMachine->projectedDurationInSeconds();
    if (!start || !projected) {
        std::puts("Warning: remainingSeconds on TimedStateMachineViewModel called before projectedDurationInSeconds "
                  "was initialized");
        return 0;
    }
    double remaining = static_cast<double>(*start + *projected) - frozenTime;
    return remaining > 0 ? remaining : 0;
}

double TimedStateMachineViewModel::startDate() const
{
    if (auto start = m_stateMachine->lastStateTransitionSecond())
        return static_cast<double>(*start);
    return Clock::nowAsDate();
}

double TimedStateMachineViewModel::endDate() const
{
    auto projected = m_stateMachine->projectedDurationInSeconds();
    if (!projected) {
        std::puts("Warning: endDate on TimedStateMachineViewModel called before projectedDurationInSeconds was "
                  "initialized");
        return Clock::nowAsDate();
    }
    return startDate() + static_cast<double>(*projected);
}

void TimedStateMachineViewModel::freezeTime() { frozenTime = Clock::now(); }

double TimedStateMachineViewModel::elapsedSeconds() const
{
    auto start = m_stateMachine->lastStateTransitionSecond();
    if (!start) {
        std::puts("Warning: elapsedSeconds on TimedStateMachineViewModel called before lastStateTransitionSecond was "
                  "initialized");
        return 0;
    }
    return frozenTime - static_cast<double>(*start);
}

double TimedStateMachineViewModel::totalSeconds() const
{
    auto projected = m_stateMachine->projectedDurationInSeconds();
    if (!projected) {
        std::puts("Warning: totalSeconds on TimedStateMachineViewModel called before projectedDurationInSeconds was "
                  "initialized");
        return 0;
    }
    return static_cast<double>(*projected);
}

std::shared_ptr<TimedStateMachineModule> TimedStateMachineModule::create(const std::shared_ptr<TimedStateType>& timedState)
{
    std::shared_ptr<TimedStateMachineModule> module(new TimedStateMachineModule);
    module->executor = timedState;
    module->scheduler = SmartScheduler::create();
    int64_t duration = timedState->duration();
    module->stateMachine = TimedStateMachine::create(State::working(0), myTick, myStateTransitionFunction,
        myFastForwardFunction, Configuration { duration }, timedState);
    module->scheduler->subscribers.push_back(module->stateMachine);
    module->viewModel = std::make_shared<TimedStateMachineViewModel>(module->stateMachine);
    module->scheduler->start();
    return module;
}

void TimedStateMachineModule::changeDuration(int64_t seconds)
{
    if (!stateMachine)
        base::fatal("TimedStateMachineModule: change of duration without a machine");
    stateMachine->changeConfig(Configuration { seconds });
}

}
