#include "viewkit/BreakRemainingAndTotalTimeIndicatorHideableFragmentWall.h"

namespace ostrel {

std::shared_ptr<BreakRemainingAndTotalTimeIndicatorHideableFragmentWall> BreakRemainingAndTotalTimeIndicatorHideableFragmentWall::create(ui::Rect frame)
{
    return make<BreakRemainingAndTotalTimeIndicatorHideableFragmentWall>(frame);
}

BreakRemainingAndTotalTimeIndicatorHideableFragmentWall::BreakRemainingAndTotalTimeIndicatorHideableFragmentWall(ui::Rect frame)
    : RemainingAndTotalTimeIndicatorWall(frame)
{
}

}
