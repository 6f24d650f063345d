#pragma once

#include "viewkit/TimeControlBottomView.h"

namespace ostrel {

// The same panel for the break duration.
class BreakDurationBottomView final : public TimeControlBottomView {
public:
    static std::shared_ptr<BreakDurationBottomView> create(ui::Rect frame);

    std::int64_t duration() const override;
    std::int64_t durationInSeconds() const override;
    void registerListener() override;
    void setDurationInMinutes(std::int64_t minutes) override;

private:
    friend class TimeControlBottomView;
    explicit BreakDurationBottomView(ui::Rect frame);
};

}
