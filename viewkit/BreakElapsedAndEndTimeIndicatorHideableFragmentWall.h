#pragma once

#include "viewkit/ElapsedAndEndTimeIndicatorWall.h"

namespace ostrel {

// The running break's elapsed time (since the break began) and end.
class BreakElapsedAndEndTimeIndicatorHideableFragmentWall final : public ElapsedAndEndTimeIndicatorWall {
public:
    static std::shared_ptr<BreakElapsedAndEndTimeIndicatorHideableFragmentWall> create(ui::Rect frame = {});

    void updateState() override;

private:
    friend class Wall;
    explicit BreakElapsedAndEndTimeIndicatorHideableFragmentWall(ui::Rect frame);
};

}
