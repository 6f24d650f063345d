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

// "10 Minutes" on one line: the break length kept in view where the user has hidden the
// full duration-and-end-time readout. The preparation screen gives it its keys and rule.
class MiniPrepareForBreakDurationTimeIndicatorWall final : public HideableFragmentWall,
                                                           public UpdatedViewType,
                                                           public ValueChangeListener {
public:
    // Built at once. The model outlives the wall.
    static std::shared_ptr<MiniPrepareForBreakDurationTimeIndicatorWall> create(DataModel& model);

    std::function<int32_t()> obtainDurationInSecondsFunc;
    std::function<int32_t()> obtainDurationInMinutesFunc;
    const std::shared_ptr<ui::TextField>& durationTextField() const { return m_durationTextField; }

    void valueHasChanged() override { updateState(); }
    void updateState() override;

private:
    friend class Wall;
    explicit MiniPrepareForBreakDurationTimeIndicatorWall(DataModel& model);
    void finishCreation() override;
    void build();

    std::shared_ptr<ui::TextField> m_durationTextField;
};

}
