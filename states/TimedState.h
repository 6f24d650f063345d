#pragma once

#include "states/ModernUIState.h"

#include "core/TimedStateMachineModule.h"
#include "viewkit/RunningTimedScreen.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace ui {
class Slider;
}

namespace ostrel {

class BubbleViewForTimedState;

// The base of the screens with a running clock. While current, the screen owns a timed
// module that calls execute() once per second and once when the duration is reached; each
// tick becomes a ".time" event with the elapsed and total seconds and a new status-item
// text, and the end goes to the concrete screen's handleTimerElapsed(). The views refresh
// with the tick, not on a timer of their own: one wake-up a second.
//
// Replaying a sleep freezes one time for every replayed second: each second still gets its
// eachTick(), but a ".time" event goes out at most once per clock second, its elapsed value
// never above the total. Once the duration was reached the payload is the duration twice
// (the machine has begun another count by then), and a screen that has been left hears
// nothing more of its module, even in the middle of a replay.
class TimedState : public ModernUIState, public TimedStateType, public RunningTimedScreen {
public:
    ~TimedState() override;

    // The module of the current activation; none while the screen is not current.
    std::shared_ptr<TimedStateMachineModule> timedStateMachineModule() const override;
    std::vector<std::shared_ptr<UpdatedViewType>> updatableViewList() const override { return ModernUIState::updatableViewList(); }
    // The clock's date at construction, activation and deactivation.
    double now() const { return m_internalNow; }

    void activate() override;
    void deactivate() override;
    void performActivationNotification() override;
    void performDeactivationNotification() override;

    void execute(Event event) override;
    // Per-second work; overrides add theirs and call this, which posts ".time" and refreshes
    // the status item.
    virtual void eachTick(int64_t elapsedSeconds);
    // Before the views refresh, once a second: the view model's time moves to now.
    virtual void prepareForUITimerUpdate();
    void timerElapsed();
    void timerAborted();
    // The run's total and elapsed seconds, as the events carry them.
    int64_t totalTime() const;
    int64_t totalElapsedSeconds() const;
    virtual void updateNowValue() { }
    // Whether entering the screen hides the program.
    virtual bool shouldHideOnActivate() const { return true; }
    // The duration was reached: the screen fires its own transition.
    virtual void handleTimerElapsed() { }
    virtual void handleTimerAborted() { }
    int64_t duration() const override { return 0; }

protected:
    explicit TimedState(DataModel& model);

    // The remaining time as "%02d:%02d", minutes and seconds: what the timed screens show
    // in the status item.
    std::string remainingTimeText() const;

    // The bubble row over the screen's duration slider: its bubbles start hidden, in the
    // running screens' purple, and the row follows every refresh of the screen.
    std::shared_ptr<BubbleViewForTimedState> makeRunningBubbleView(std::shared_ptr<ui::Slider> slider);

    // The "elapsed" and "aborted" targets; each screen exposes them once it is owned.
    TransitionTarget m_elapsed;
    TransitionTarget m_aborted;

    // The views refresh right after each tick's own work, once per clock second.
    bool refreshesWithItsTicks() const override { return true; }

private:
    void stopModuleTimer();
    void refreshWithTheTick();
    std::pair<int64_t, int64_t> payload() const;

    double m_internalNow { 0 };
    double m_startTime { 0 };
    double m_lastSecond { 0 };
    std::shared_ptr<TimedStateMachineModule> m_timedStateMachineModule;
    bool m_isActive { false };
    // The run's duration once it was reached.
    std::optional<int64_t> m_endedDuration;
    std::optional<int64_t> m_lastTimeEventSecond;
    std::optional<int64_t> m_lastRefreshedSecond;
    bool m_refreshEntryRegistered { false };
};

}
