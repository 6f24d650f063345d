#pragma once

#include "viewkit/RemainingAndTotalTimeIndicatorWall.h"

namespace ostrel {

// The remaining and total time of the running slice.
class TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall final : public RemainingAndTotalTimeIndicatorWall {
public:
    static std::shared_ptr<TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall> create(ui::Rect frame = {});

private:
    friend class Wall;
    explicit TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall(ui::Rect frame);
};

}
