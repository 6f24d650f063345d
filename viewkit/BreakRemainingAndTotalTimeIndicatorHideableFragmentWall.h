#pragma once

#include "viewkit/RemainingAndTotalTimeIndicatorWall.h"

namespace ostrel {

// The remaining and total time of the running timed break.
class BreakRemainingAndTotalTimeIndicatorHideableFragmentWall final : public RemainingAndTotalTimeIndicatorWall {
public:
    static std::shared_ptr<BreakRemainingAndTotalTimeIndicatorHideableFragmentWall> create(ui::Rect frame = {});

private:
    friend class Wall;
    explicit BreakRemainingAndTotalTimeIndicatorHideableFragmentWall(ui::Rect frame);
};

}
