#include "viewkit/TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall.h"

namespace ostrel {

std::shared_ptr<TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall> TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall::create(ui::Rect frame)
{
    return make<TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall>(frame);
}

TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall::TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall(ui::Rect frame)
    : RemainingAndTotalTimeIndicatorWall(frame)
{
}

}
