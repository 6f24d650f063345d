#pragma once

#include "core/DataModel.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/UpdatedViewType.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace ui {
class TextField;
}

namespace ostrel {

// "25 Minutes" on one line: the duration kept visible while both the duration-and-end-date
// fragment and the quarter-hour bubbles are hidden (and only then).
class MiniDefineDurationTimeIndicatorWall final : public HideableFragmentWall, public UpdatedViewType, public ValueChangeListener {
public:
    // Built at once. The model outlives the wall.
    static std::shared_ptr<MiniDefineDurationTimeIndicatorWall> create(DataModel& model);

    std::function<int32_t()> obtainDurationInSecondsFunc;
    std::function<int32_t()> obtainDurationInMinutesFunc;
    const std::shared_ptr<ui::TextField>& durationTextField() const { return m_durationTextField; }

    void valueHasChanged() override { updateState(); }
    void updateState() override;

private:
    friend class Wall;
    explicit MiniDefineDurationTimeIndicatorWall(DataModel& model);
    void finishCreation() override;
    void build();

    std::shared_ptr<ui::TextField> m_durationTextField;
};

}
