#include "states/MiniRemainingDurationTimeIndicatorWall.h"

#include "states/MiniIndicatorLabel.h"
#include "states/TimeSliceRunningState.h"

#include "core/DateHelper.h"
#include "core/TimedStateMachineModule.h"

#include "platform/ui/TextField.h"

#include <cmath>

namespace ostrel {

std::shared_ptr<MiniRemainingDurationTimeIndicatorWall> MiniRemainingDurationTimeIndicatorWall::create(
    const std::shared_ptr<TimeSliceRunningState>& state)
{
    auto wall = make<MiniRemainingDurationTimeIndicatorWall>(ui::Rect {});
    wall->m_timeSliceRunningState = state;
    return wall;
}

MiniRemainingDurationTimeIndicatorWall::MiniRemainingDurationTimeIndicatorWall(ui::Rect frame)
    : HideableFragmentWall(frame)
{
    setStorageKeys({ "hideBubblesInTSRunningState", "hideRemainingAndTotalInRunningState", "hideElapsedAndEndTimeInRunningState" });
    setInitialValues({ false, false, false });
    setShouldHideExpression(None);
}

void MiniRemainingDurationTimeIndicatorWall::finishCreation()
{
    HideableFragmentWall::finishCreation();
    m_durationTextField = addMiniIndicatorLabel(*this);
}

void MiniRemainingDurationTimeIndicatorWall::updateState()
{
    auto state = m_timeSliceRunningState.lock();
    auto module = state ? state->timedStateMachineModule() : nullptr;
    if (!module)
        return;
    auto remaining = static_cast<int64_t>(std::trunc(module->viewModel->remainingSeconds()));
    m_durationTextField->setStringValue(DateHelper::sharedHelper().formatNumberOfSeconds(remaining));
}

}
