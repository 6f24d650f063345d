#include "states/TimeSliceRunningState.h"

#include "states/DurationSliderForTimeSliceRunningViewController.h"
#include "states/ScreenCommands.h"

#include "attention/NotificationHelper.h"
#include "attention/WhiteNoiseMachine.h"
#include "core/Clock.h"
#include "log/Logger.h"
#include "mainwindow/ObjectiveTextView.h"
#include "viewkit/BubbleViewForTimedState.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall.h"
#include "viewkit/TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall.h"

#include "platform/base/Diagnostics.h"

#include <any>
#include <cmath>

namespace ostrel {

std::shared_ptr<TimeSliceRunningState> TimeSliceRunningState::create(DataModel& model)
{
    return std::shared_ptr<TimeSliceRunningState>(new TimeSliceRunningState(model));
}

TimeSliceRunningState::TimeSliceRunningState(DataModel& model)
    : TimedState(model)
{
    exposeTransition("pause", m_pause);
    exposeTransition("softBreak", m_softBreak);
    exposeTransition("straightToBreak", m_straightToBreak);
    exposeTransition("straightToNextTimeSlice", m_straightToNextTimeSlice);
}

TimeSliceRunningState::~TimeSliceRunningState() = default;

std::shared_ptr<SliderBrick> TimeSliceRunningState::slider() const
{
    return m_durationSliderViewController ? m_durationSliderViewController->slider() : nullptr;
}

TimedStateMachineModule& TimeSliceRunningState::requireModule(const char* operation) const
{
    auto module = timedStateMachineModule();
    if (!module)
        base::fatal(className() + ": " + operation + " while no slice runs");
    return *module;
}

int64_t TimeSliceRunningState::duration() const
{
    return ScreenCommands::remainingOfSlice(model().durationInSeconds(), model().currentTimeSliceExtensionDurationInSeconds(),
        Logger::sharedLogger().actualSecondsWorked());
}

bool TimeSliceRunningState::shouldHideOnActivate() const { return model().shouldHideOnTimeSliceRunningActivation(); }

void TimeSliceRunningState::activate()
{
    if (!m_bubbleView)
        base::fatal(className() + ": activated before it was built");
    TimedState::activate();
    // The indicators still hold the previous run's view model for the refresh that the
    // activation just made: once more with this run's, so no stale time shows for a second.
    updateUpdatableViews();
    if (auto& text = objectiveTextView())
        text->selectAll();
    updateMenuItem();
    addStatusMenuItems();
}

void TimeSliceRunningState::eachTick(int64_t elapsedSeconds)
{
    // The status item shows the new time through the timed base's step below: refreshing it
    // here as well would only ask the display for its screens twice a second.
    Logger::sharedLogger().incrementActualSecondsWorked();
    TimedState::eachTick(elapsedSeconds);
}

void TimeSliceRunningState::prepareForUITimerUpdate()
{
    TimedState::prepareForUITimerUpdate();
    auto module = timedStateMachineModule();
    if (!module)
        return;
    m_elapsedAndEndTimeIndicatorFragment->setViewModel(module->viewModel);
    m_remainingAndTotalTimeFragment->setViewModel(module->viewModel);
    // What is shown only: the binding writes "durationInSeconds" on the user's moves alone.
    if (auto shown = slider())
        shown->setDoubleValue(std::ceil(module->viewModel->remainingSeconds() / 60));
}

std::string TimeSliceRunningState::menuItemText()
{
    if (auto module = timedStateMachineModule())
        module->viewModel->frozenTime = Clock::now();
    return remainingTimeText();
}

void TimeSliceRunningState::postWithElapsedAndTotal(const char* suffix) { postEvent(suffix, totalElapsedSeconds(), totalTime()); }

void TimeSliceRunningState::handleTimerElapsed()
{
    // The last second counts too.
    Logger::sharedLogger().incrementActualSecondsWorked();
    if (model().shouldUseSoftBreak()) {
        NotificationHelper::instance().playSecondTick();
        WhiteNoiseMachine::continuousSoundMachine().stopPlaying();
        fireTransition("softBreak");
        return;
    }
    // The run's length twice: the machine has begun another count by now.
    postWithElapsedAndTotal("elapsed");
    ScreenCommands::endWithoutRating(*this, "elapsed");
}

void TimeSliceRunningState::internalEndTimeSlice()
{
    postWithElapsedAndTotal("stopped");
    ScreenCommands::endWithoutRating(*this, "aborted");
}

void TimeSliceRunningState::internalPauseOrResumeTimeSlice()
{
    postWithElapsedAndTotal("paused");
    fireTransition("pause");
}

void TimeSliceRunningState::change(int64_t newDuration)
{
    auto& module = requireModule("a change of duration");
    // The seconds this run has counted, each of them also counted into W: the run started
    // with W − counted seconds worked, so the slice has d − counted seconds left. (The view
    // model's elapsed time may run ahead of the last tick by a refresh.)
    int64_t elapsed = module.stateMachine->elapsedSeconds();
    int64_t extension = ScreenCommands::extensionLeaving(newDuration - elapsed, Logger::sharedLogger().actualSecondsWorked(),
        model().durationInSeconds());
    model().setCurrentTimeSliceExtensionDuration(extension);
    module.changeDuration(newDuration);
}

void TimeSliceRunningState::add(int64_t minutes)
{
    auto& viewModel = *requireModule("adding minutes").viewModel;
    double remaining = viewModel.remainingSeconds();
    if (remaining > 3600.0)
        return;
    change(static_cast<int64_t>(std::trunc(viewModel.elapsedSeconds() + remaining + 60.0 * double(minutes))));
    updateUpdatableViews();
}

void TimeSliceRunningState::subtractOneMinute()
{
    auto& viewModel = *requireModule("taking a minute away").viewModel;
    double remaining = viewModel.remainingSeconds();
    if (remaining <= 120.0)
        return;
    change(static_cast<int64_t>(std::trunc(viewModel.elapsedSeconds() + remaining - 60.0)));
    updateUpdatableViews();
}

void TimeSliceRunningState::setRemaining(float minutes)
{
    float seconds = minutes * 60.0f;
    setRemainingSeconds(static_cast<int64_t>(std::trunc(seconds)));
}

void TimeSliceRunningState::setRemainingSeconds(int64_t seconds)
{
    requireModule("setting the remaining time");
    change(totalElapsedSeconds() + seconds);
    updateUpdatableViews();
}

void TimeSliceRunningState::selectTagTokenField() { ScreenCommands::selectTagTokenField(*this, "InTimeSliceRunningState"); }

void TimeSliceRunningState::stopTimeSlice(const base::Sender&) { internalEndTimeSlice(); }

void TimeSliceRunningState::pauseOrResumeTimeSlice(const base::Sender&) { internalPauseOrResumeTimeSlice(); }

void TimeSliceRunningState::addOneMinute(const base::Sender&) { add(1); }

void TimeSliceRunningState::subtractOneMinute(const base::Sender&) { subtractOneMinute(); }

void TimeSliceRunningState::changeDuration(const base::Sender&) { changeDuration(); }

void TimeSliceRunningState::selectObjectiveField(const base::Sender&) { ScreenCommands::selectObjectiveField(*this); }

void TimeSliceRunningState::selectTagTokenField(const base::Sender&) { selectTagTokenField(); }

void TimeSliceRunningState::parseObjective(const base::Sender&) { ScreenCommands::parseObjective(model()); }

void TimeSliceRunningState::parseClipboard(const base::Sender&) { ScreenCommands::parseClipboard(model()); }

namespace {

// The number a menu or script sent, as whole or real seconds.
std::optional<double> secondsOf(const base::Sender& sender)
{
    if (auto* whole = std::any_cast<int64_t>(&sender))
        return double(*whole);
    if (auto* whole = std::any_cast<int>(&sender))
        return double(*whole);
    if (auto* real = std::any_cast<double>(&sender))
        return *real;
    if (auto* real = std::any_cast<float>(&sender))
        return double(*real);
    return std::nullopt;
}

}

void TimeSliceRunningState::changeWithDuration(const base::Sender& sender)
{
    auto seconds = secondsOf(sender);
    if (!seconds || !std::isfinite(*seconds) || std::fabs(*seconds) > 1e9) {
        base::diagnostic(className() + ": changeWithDuration: without a number of seconds");
        return;
    }
    change(static_cast<int64_t>(*seconds));
}

void TimeSliceRunningState::setRemainingWithSecondsForDebuggingOnly(const base::Sender& sender)
{
    auto seconds = secondsOf(sender);
    if (!seconds || !std::isfinite(*seconds) || std::fabs(*seconds) > 1e9) {
        base::diagnostic(className() + ": setRemainingWithSecondsForDebuggingOnly: without a number of seconds");
        return;
    }
    setRemainingSeconds(static_cast<int64_t>(std::trunc(*seconds)));
}

}
