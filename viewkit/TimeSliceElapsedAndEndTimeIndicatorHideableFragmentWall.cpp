#include "viewkit/TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall.h"

#include "log/Logger.h"

namespace ostrel {

std::shared_ptr<TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall> TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall::create(
    ui::Rect frame)
{
    return make<TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall>(frame);
}

TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall::TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall(ui::Rect frame)
    : ElapsedAndEndTimeIndicatorWall(frame)
{
}

void TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall::updateState()
{
    if (!m_viewModel)
        return;
    m_viewModel->freezeTime();
    auto worked = Logger::sharedLogger().actualSecondsWorked();
    showTimeOfDay(*m_endDateField, m_viewModel->endDate());
    showDuration(*m_elapsedTextField, static_cast<double>(worked));
}

}
