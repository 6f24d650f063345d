#pragma once

#include "viewkit/ElapsedAndEndTimeIndicatorWall.h"

namespace ostrel {

// The running slice's elapsed time and end: elapsed is what the log writer counts as worked,
// not the time since the slice began.
class TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall final : public ElapsedAndEndTimeIndicatorWall {
public:
    static std::shared_ptr<TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall> create(ui::Rect frame = {});

    void updateState() override;

private:
    friend class Wall;
    explicit TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall(ui::Rect frame);
};

}
