#include "viewkit/RemainingAndTotalTimeIndicatorWall.h"

namespace ostrel {

RemainingAndTotalTimeIndicatorWall::RemainingAndTotalTimeIndicatorWall(ui::Rect frame)
    : TimeIndicatorWall(frame)
{
}

void RemainingAndTotalTimeIndicatorWall::build()
{
    std::tie(m_remainingTextField, m_totalDurationField) = buildLabelsAndValues("Remaining:", "00", "Total:", "Total");
}

void RemainingAndTotalTimeIndicatorWall::updateState()
{
    if (!m_viewModel)
        return;
    m_viewModel->freezeTime();
    showDuration(*m_remainingTextField, m_viewModel->remainingSeconds());
    showDuration(*m_totalDurationField, m_viewModel->totalSeconds());
}

}
