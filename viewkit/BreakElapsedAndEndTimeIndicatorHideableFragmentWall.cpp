#include "viewkit/BreakElapsedAndEndTimeIndicatorHideableFragmentWall.h"

namespace ostrel {

std::shared_ptr<BreakElapsedAndEndTimeIndicatorHideableFragmentWall> BreakElapsedAndEndTimeIndicatorHideableFragmentWall::create(ui::Rect frame)
{
    return make<BreakElapsedAndEndTimeIndicatorHideableFragmentWall>(frame);
}

BreakElapsedAndEndTimeIndicatorHideableFragmentWall::BreakElapsedAndEndTimeIndicatorHideableFragmentWall(ui::Rect frame)
    : ElapsedAndEndTimeIndicatorWall(frame)
{
}

void BreakElapsedAndEndTimeIndicatorHideableFragmentWall::updateState()
{
    if (!m_viewModel)
        return;
    m_viewModel->freezeTime();
    showDuration(*m_elapsedTextField, m_viewModel->elapsedSeconds());
    showTimeOfDay(*m_endDateField, m_viewModel->endDate());
}

}
