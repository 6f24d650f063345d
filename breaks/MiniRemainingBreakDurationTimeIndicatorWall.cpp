#include "breaks/MiniRemainingBreakDurationTimeIndicatorWall.h"

#include "breaks/MiniIndicatorLabel.h"
#include "breaks/TimedBreakRunningState.h"

#include "core/DateHelper.h"
#include "core/TimedStateMachineModule.h"

#include "platform/ui/TextField.h"

#include <cmath>

namespace ostrel {

std::shared_ptr<MiniRemainingBreakDurationTimeIndicatorWall> MiniRemainingBreakDurationTimeIndicatorWall::create(
    const std::shared_ptr<TimedBreakRunningState>& screen)
{
    return make<MiniRemainingBreakDurationTimeIndicatorWall>(screen);
}

MiniRemainingBreakDurationTimeIndicatorWall::MiniRemainingBreakDurationTimeIndicatorWall(const std::shared_ptr<TimedBreakRunningState>& screen)
    : HideableFragmentWall(ui::Rect {})
    , m_timedBreakRunningState(screen)
{
    setStorageKeys({ "hideRemainingAndTotalInTimedBreak", "hideDurationAndEndDateInTimedBreak", "hideBubblesInTBRunningState" });
    setInitialValues({ false, false, false });
    setShouldHideExpression(None);
}

void MiniRemainingBreakDurationTimeIndicatorWall::finishCreation()
{
    HideableFragmentWall::finishCreation();
    m_durationTextField = addMiniIndicatorLabel(*this, gfx::TextAlignment::center);
}

void MiniRemainingBreakDurationTimeIndicatorWall::updateState()
{
    auto screen = m_timedBreakRunningState.lock();
    auto module = screen ? screen->timedStateMachineModule() : nullptr;
    if (!module || !module->viewModel)
        return;
    double remaining = std::floor(module->viewModel->remainingSeconds());
    m_durationTextField->setStringValue(DateHelper::sharedHelper().formatNumberOfSeconds(static_cast<int64_t>(remaining)));
}

}
