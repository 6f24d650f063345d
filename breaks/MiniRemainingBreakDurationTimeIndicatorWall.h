#pragma once

#include "core/DataModel.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/UpdatedViewType.h"

#include <memory>

namespace ui {
class TextField;
}

namespace ostrel {

class TimedBreakRunningState;

// The running break's remaining time on one line ("09′59″"), shown exactly while the user
// has hidden all three other readouts (bubbles, duration and end, remaining and total).
class MiniRemainingBreakDurationTimeIndicatorWall final : public HideableFragmentWall,
                                                          public UpdatedViewType,
                                                          public ValueChangeListener {
public:
    // Built at once, for the screen whose count it shows.
    static std::shared_ptr<MiniRemainingBreakDurationTimeIndicatorWall> create(const std::shared_ptr<TimedBreakRunningState>& screen);

    // Weak: the screen owns this wall.
    std::shared_ptr<TimedBreakRunningState> timedBreakRunningState() const { return m_timedBreakRunningState.lock(); }
    const std::shared_ptr<ui::TextField>& durationTextField() const { return m_durationTextField; }

    // Without a running count nothing changes.
    void updateState() override;
    void valueHasChanged() override { updateState(); }

private:
    friend class Wall;
    explicit MiniRemainingBreakDurationTimeIndicatorWall(const std::shared_ptr<TimedBreakRunningState>& screen);
    void finishCreation() override;

    std::weak_ptr<TimedBreakRunningState> m_timedBreakRunningState;
    std::shared_ptr<ui::TextField> m_durationTextField;
};

}
