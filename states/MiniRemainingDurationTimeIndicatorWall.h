#pragma once

#include "core/DataModel.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/UpdatedViewType.h"

#include <memory>

namespace ui {
class TextField;
}

namespace ostrel {

class TimeSliceRunningState;

// The running slice's remaining time on one line ("12′05″"), shown only while the bubbles,
// the elapsed-and-end time and the remaining-and-total time are all hidden, so that the time
// is never out of sight.
class MiniRemainingDurationTimeIndicatorWall final : public HideableFragmentWall, public UpdatedViewType, public ValueChangeListener {
public:
    // Built at once. Holds the screen weakly: the screen owns the wall.
    static std::shared_ptr<MiniRemainingDurationTimeIndicatorWall> create(const std::shared_ptr<TimeSliceRunningState>& state);

    const std::shared_ptr<ui::TextField>& durationTextField() const { return m_durationTextField; }
    std::shared_ptr<TimeSliceRunningState> timeSliceRunningState() const { return m_timeSliceRunningState.lock(); }

    // Nothing while the screen runs no slice; the label keeps what it showed.
    void updateState() override;
    void valueHasChanged() override { updateState(); }

private:
    friend class Wall;
    explicit MiniRemainingDurationTimeIndicatorWall(ui::Rect frame);
    void finishCreation() override;

    std::shared_ptr<ui::TextField> m_durationTextField;
    std::weak_ptr<TimeSliceRunningState> m_timeSliceRunningState;
};

}
