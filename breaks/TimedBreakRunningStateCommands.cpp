#include "breaks/TimedBreakRunningState.h"

#include "breaks/BreakScreenSupport.h"

#include "command/MatchingItemCollector.h"
#include "core/KeyCombo.h"
#include "viewkit/SliderBrick.h"

#include <cmath>

namespace ostrel {

namespace {

constexpr uint32_t kCommand = CarbonModifier::command;
// Lengthening stops once more than an hour remains; shortening once two minutes or less do.
constexpr double kMostRemainingToLengthen = 3600;
constexpr double kLeastRemainingToShorten = 120;

}

const base::ActionTable& TimedBreakRunningState::actionTable() const
{
    using S = TimedBreakRunningState;
    static const auto table = base::ActionTable::of<S>(
        {
            { "addOneMinute:", &S::addOneMinute },
            { "subtractOneMinute:", &S::subtractOneMinute },
            { "changeDuration:", &S::changeDuration },
            { "startTimeSlice:", &S::startTimeSlice },
        },
        &TimedState::actionTable());
    return table;
}

void TimedBreakRunningState::changeLength(int64_t seconds)
{
    if (auto module = timedStateMachineModule())
        module->changeDuration(seconds);
    updateUpdatableViews();
}

void TimedBreakRunningState::extendBreakBy(int64_t minutes)
{
    auto module = timedStateMachineModule();
    if (!module)
        return;
    double remaining = module->viewModel->remainingSeconds();
    if (remaining > kMostRemainingToLengthen)
        return;
    double elapsed = module->viewModel->elapsedSeconds();
    changeLength(static_cast<int64_t>(std::trunc(elapsed + remaining + 60.0 * static_cast<double>(minutes))));
}

void TimedBreakRunningState::addOneMinute(const base::Sender&) { extendBreakBy(1); }

void TimedBreakRunningState::subtractOneMinute(const base::Sender&)
{
    auto module = timedStateMachineModule();
    if (!module)
        return;
    double remaining = module->viewModel->remainingSeconds();
    if (remaining <= kLeastRemainingToShorten)
        return;
    changeLength(static_cast<int64_t>(std::trunc(module->viewModel->elapsedSeconds() + remaining - 60)));
}

void TimedBreakRunningState::sliderMoved(double minutes)
{
    if (!timedStateMachineModule() || !std::isfinite(minutes))
        return;
    int64_t reaching = totalElapsedSeconds() + static_cast<int64_t>(std::floor(60 * minutes));
    // Whole minutes of remaining time: the division truncates toward zero.
    changeLength(reaching / 60 * 60);
}

void TimedBreakRunningState::setRemaining(float minutes)
{
    if (!timedStateMachineModule() || !std::isfinite(minutes))
        return;
    changeLength(totalElapsedSeconds() + static_cast<int64_t>(std::floor(60.0 * minutes)));
    prepareForUITimerUpdate();
}

void TimedBreakRunningState::startTimeSlice(const base::Sender&) { fireTransition("aborted"); }

void TimedBreakRunningState::closeOtherPopUps(PopUpKind kind)
{
    if (kind == PopUpKind::durationPopOver)
        TimedState::closeOtherPopUps(kind);
    else
        BreakScreenSupport::closeQuickDurationPopOver(m_quickDurationChangingViewController);
}

void TimedBreakRunningState::changeDuration(const base::Sender&)
{
    auto module = timedStateMachineModule();
    if (!module)
        return;
    closeOtherPopUps(PopUpKind::durationPopOver);
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    BreakScreenSupport::openQuickDurationPopOver(m_quickDurationChangingViewController, *m_durationSlider,
        static_cast<int>(std::floor(module->viewModel->remainingSeconds() / 60)), [weakSelf](int typed) {
            if (auto self = std::static_pointer_cast<TimedBreakRunningState>(weakSelf.lock()))
                self->setRemaining(static_cast<float>(typed));
        });
    updateUpdatableViews();
}

void TimedBreakRunningState::collectMatchingItems(MatchingItemCollector& collector)
{
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto selfOf = [weakSelf] { return std::static_pointer_cast<TimedBreakRunningState>(weakSelf.lock()); };
    auto extend = [selfOf](int64_t minutes) {
        return [selfOf, minutes] {
            if (auto self = selfOf())
                self->extendBreakBy(minutes);
        };
    };
    collector.addDefaultChoice("Finish Timed Break Early", KeyCombo(36, kCommand), [selfOf] {
        if (auto self = selfOf())
            self->fireTransition("aborted");
    });
    collector.addFirstAction("Extend Break By 1 Minute", std::nullopt, extend(1));
    collector.addSecondAction("Extend Break By 3 Minutes", std::nullopt, extend(3), false);
    collector.addThirdAction("Extend Break By 5 Minutes", std::nullopt, extend(5));
    collector.addFourthAction("Extend Break By 10 Minutes", std::nullopt, extend(10));
    collector.addNavigationItem("Focus Duration Slider", std::nullopt, [selfOf] {
        if (auto self = selfOf())
            BreakScreenSupport::focus(self->m_durationSlider);
    });
    collector.addNavigationItem("Quickly Change Duration...", KeyCombo(2, kCommand), [selfOf] {
        if (auto self = selfOf())
            self->changeDuration();
    });
    collector.addStateOptionsGroup();
    collector.addDurationSliderOptionGroup();
    collector.addVisibilityStateSetting("Show Quarter Hour Indicators", "hideBubblesInTBRunningState", "Duration Slider Options");
    collector.addVisibilityStateSetting("Show Duration and End Date", "hideDurationAndEndDateInTimedBreak", "Duration Slider Options");
    collector.addVisibilityStateSetting("Show Remaining and Total Time", "hideRemainingAndTotalInTimedBreak", "Duration Slider Options");
}

}
