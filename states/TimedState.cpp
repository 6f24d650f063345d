#include "states/TimedState.h"

#include "core/Clock.h"
#include "core/SmartScheduler.h"
#include "core/StateMachine.h"
#include "shell/MainController.h"
#include "shell/StatusItemMenuManager.h"
#include "viewkit/BezierPathUtility.h"
#include "viewkit/BubbleViewForTimedState.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"

#include "platform/base/Diagnostics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ostrel {

TimedState::TimedState(DataModel& model)
    : ModernUIState(model)
    , m_internalNow(Clock::nowAsDate())
{
    exposeTransition("elapsed", m_elapsed);
    exposeTransition("aborted", m_aborted);
}

// The scheduler's timer holds its chain alive by itself: it is stopped, not merely dropped.
TimedState::~TimedState() { stopModuleTimer(); }

std::shared_ptr<TimedStateMachineModule> TimedState::timedStateMachineModule() const
{
    return m_isActive ? m_timedStateMachineModule : nullptr;
}

void TimedState::activate()
{
    m_isActive = true;
    m_endedDuration.reset();
    m_lastTimeEventSecond.reset();
    m_lastRefreshedSecond.reset();
    m_timedStateMachineModule = TimedStateMachineModule::create(std::static_pointer_cast<TimedState>(shared_from_this()));
    m_timedStateMachineModule->viewModel->frozenTime = Clock::now();
    m_internalNow = Clock::nowAsDate();
    m_startTime = m_internalNow;
    m_lastSecond = 0;
    if (shouldHideOnActivate()) {
        if (auto controller = MainController::sharedInstance())
            controller->hide(shared_from_this());
    }
    // Once: every activation would add an equal entry. First of all: it freezes the time
    // the other views show, and hands the running model to those that show it.
    if (!m_refreshEntryRegistered) {
        m_refreshEntryRegistered = true;
        std::weak_ptr<BaseState> weakSelf = weak_from_this();
        addLeadingUpdatableView(GenericUpdateViewTypeImplementation::create([weakSelf] {
            if (auto self = std::static_pointer_cast<TimedState>(weakSelf.lock()))
                self->prepareForUITimerUpdate();
        }));
    }
    ModernUIState::activate();
}

void TimedState::deactivate()
{
    m_isActive = false;
    stopModuleTimer();
    m_internalNow = Clock::nowAsDate();
    StatusItemMenuManager::instance().removeAllItems();
    ModernUIState::deactivate();
}

void TimedState::stopModuleTimer()
{
    if (!m_timedStateMachineModule || !m_timedStateMachineModule->scheduler)
        return;
    auto& scheduler = *m_timedStateMachineModule->scheduler;
    if (scheduler.timer)
        scheduler.timer->stop();
    scheduler.timer = nullptr;
}

void TimedState::execute(Event event)
{
    // A screen that has been left (perhaps by its own tick, in the middle of a replay) is done
    // with this run.
    if (!m_isActive)
        return;
    auto module = m_timedStateMachineModule;
    if (!module || !module->viewModel || !module->stateMachine || !module->scheduler)
        base::fatal(className() + ": an event of the timed module without its module");
    switch (event) {
    case Event::oneTick:
        module->viewModel->frozenTime = Clock::now();
        eachTick(module->stateMachine->elapsedSeconds());
        refreshWithTheTick();
        break;
    case Event::elapsed:
        // The machine already counts on from 0 towards a projection of 1; the run itself
        // lasted its working duration.
        m_endedDuration = module->stateMachine->config() ? module->stateMachine->config()->workingDuration : 0;
        module->viewModel->frozenTime = Clock::now();
        stopModuleTimer();
        handleTimerElapsed();
        break;
    }
}

void TimedState::eachTick(int64_t)
{
    auto& viewModel = *m_timedStateMachineModule->viewModel;
    int64_t second = Clock::wholeSecond(viewModel.frozenTime);
    // A replay hands every missed second the same frozen time: one event for all of them.
    if (m_lastTimeEventSecond != second) {
        m_lastTimeEventSecond = second;
        auto [elapsed, total] = payload();
        postEvent("time", elapsed, total);
    }
    updateMenuItem();
}

void TimedState::refreshWithTheTick()
{
    // The screen may have been left by its own tick.
    if (!m_isActive || !m_timedStateMachineModule)
        return;
    // A replay after a sleep ticks every missed second at one clock time: one refresh for all.
    int64_t second = Clock::wholeSecond(m_timedStateMachineModule->viewModel->frozenTime);
    if (m_lastRefreshedSecond == second)
        return;
    m_lastRefreshedSecond = second;
    updateUpdatableViews();
}

void TimedState::prepareForUITimerUpdate()
{
    if (m_timedStateMachineModule)
        m_timedStateMachineModule->viewModel->frozenTime = Clock::now();
}

std::pair<int64_t, int64_t> TimedState::payload() const
{
    if (m_endedDuration)
        return { *m_endedDuration, *m_endedDuration };
    if (!m_timedStateMachineModule)
        return { 0, 0 };
    auto& viewModel = *m_timedStateMachineModule->viewModel;
    auto total = static_cast<int64_t>(viewModel.totalSeconds());
    auto elapsed = static_cast<int64_t>(std::trunc(viewModel.elapsedSeconds()));
    return { std::clamp<int64_t>(elapsed, 0, std::max<int64_t>(total, 0)), total };
}

int64_t TimedState::totalTime() const { return payload().second; }

int64_t TimedState::totalElapsedSeconds() const { return payload().first; }

void TimedState::performActivationNotification()
{
    auto [elapsed, total] = payload();
    postEvent("start", elapsed, total);
}

void TimedState::performDeactivationNotification()
{
    auto [elapsed, total] = payload();
    postEvent("end", elapsed, total);
}

void TimedState::timerElapsed()
{
    handleTimerElapsed();
    if (auto machine = StateMachine::sharedStateMachine())
        machine->triggerTransition("elapsed");
}

void TimedState::timerAborted()
{
    handleTimerAborted();
    if (auto machine = StateMachine::sharedStateMachine())
        machine->triggerTransition("aborted");
}

std::shared_ptr<BubbleViewForTimedState> TimedState::makeRunningBubbleView(std::shared_ptr<ui::Slider> slider)
{
    auto bubbleView = BubbleViewForTimedState::createNewTimeBubbleView(std::move(slider));
    bubbleView->setTimedState(std::static_pointer_cast<TimedState>(shared_from_this()));
    for (const auto& bubble : bubbleView->bubbleViews()) {
        bubble->setHidden(true);
        bubble->setGradient(BezierPathUtility::purpleGradient());
    }
    std::weak_ptr<BubbleViewForTimedState> weakBubbles = bubbleView;
    // Each bubble redraws itself when its time or place changes.
    addUpdatableView(GenericUpdateViewTypeImplementation::create([weakBubbles] {
        if (auto bubbles = weakBubbles.lock())
            bubbles->positionBubbleViews();
    }));
    return bubbleView;
}

std::string TimedState::remainingTimeText() const
{
    if (!m_timedStateMachineModule)
        return {};
    auto remaining = m_endedDuration ? 0 : static_cast<int64_t>(m_timedStateMachineModule->viewModel->remainingSeconds());
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(remaining / 60),
        static_cast<long long>(remaining % 60));
    return text;
}

}
