#pragma once

#include "viewkit/RunningTimedScreen.h"
#include "viewkit/TimeBubbleView.h"

namespace ostrel {

// The bubble row of a slice or break that is already running: a click changes the running
// machine's duration so that it ends at the bubble's time (the duration setting stays), then
// refreshes every view of the screen. Without a screen, or while it has no module, a click
// does nothing.
class BubbleViewForTimedState final : public TimeBubbleView {
public:
    static std::shared_ptr<BubbleViewForTimedState> createNewTimeBubbleView(std::shared_ptr<ui::Slider> slider);

    // Held weakly: the screen owns the row. Set by the screen right after making the row.
    std::shared_ptr<RunningTimedScreen> timedState() const { return m_timedState.lock(); }
    void setTimedState(const std::shared_ptr<RunningTimedScreen>& timedState) { m_timedState = timedState; }

    void bubbleClicked(BubbleViewWithArrowOnTop& bubble) override;

private:
    friend class TimeBubbleView;
    explicit BubbleViewForTimedState(ui::Rect frame);

    std::weak_ptr<RunningTimedScreen> m_timedState;
};

}
