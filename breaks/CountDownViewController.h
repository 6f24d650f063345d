#pragma once

#include "breaks/KeptPictures.h"
#include "viewkit/NiblessViewController.h"

#include <memory>
#include <optional>

namespace ostrel {

class CountDownView;
class LockButtonWall;
class PushButtonBrick;
class SmallDurationView;
class SmartTimerWrapper;
class TabWall;
class TimedBreakRunningState;
class Wall;

// The rest screen: the break's dial, "Time for Your Break" above it and below it a small bar
// with the lock and either the remaining time or "End Break". The lock's ring fills over
// each 15-second cycle; only in the last 1/11 of a cycle, the ring full, is "End Break"
// offered and does a click on the lock end the break. Both act only while the timed break
// is the current screen.
class CountDownViewController final : public NiblessViewController {
public:
    static constexpr double kCycleSeconds = 15;
    static constexpr double kRefreshInterval = 0.05;

    // Built later, by build(), once the timed break is set.
    static std::shared_ptr<CountDownViewController> create();
    ~CountDownViewController() override;

    std::shared_ptr<TimedBreakRunningState> timedBreakRunningState() const { return m_timedBreakRunningState.lock(); }
    // Weak: the screen outlives its rest screen's use.
    void setTimedBreakRunningState(const std::shared_ptr<TimedBreakRunningState>& screen) { m_timedBreakRunningState = screen; }
    const std::shared_ptr<SmartTimerWrapper>& uiUpdateTimer() const { return m_uiUpdateTimer; }
    const std::shared_ptr<CountDownView>& countDownView() const { return m_countDownView; }
    const std::shared_ptr<LockButtonWall>& lockButtonWall() const { return m_lockButtonWall; }
    const std::shared_ptr<TabWall>& tabWall() const { return m_tabWall; }
    const std::shared_ptr<SmallDurationView>& smallDurationView() const { return m_smallDurationView; }
    const std::shared_ptr<PushButtonBrick>& endBreakButton() const { return m_endBreakButton; }

    void build() override;
    // The covers up with this view on the main display, and the dial set going.
    void startAnimation();
    // The covers are down: the refresh and the dial's animations stop.
    void viewDidDisappear();

    // One refresh, as the timer runs it: first a moment after build, then whenever the
    // lock's ring or the dial's wedge moves a pixel, the read-out's second turns or the
    // cycle starts again.
    void refresh();
    // How far the lock's ring has gone round, in degrees: beyond 360 once the break may end.
    double lockRingAngle() const;
    bool endBreakOffered() const;

private:
    friend class NiblessViewController;
    CountDownViewController() = default;
    void buildBar(Wall& root);
    void updateLockState();
    // The lock's ring as drawn now: short of a full turn, or exactly one.
    double lockRingEndAngle() const;
    // Whether the ring drawn now would differ from the one last drawn by a pixel or more.
    bool lockRingMoved() const;
    // The kept picture of the lock with its ring ending at that angle.
    int lockPictureKey(double endAngle) const;
    void endBreak();
    void scheduleRefresh(double simulatedSeconds);
    // Simulated seconds until the lock's ring or the read-out would look different.
    double secondsToNextChange() const;

    std::weak_ptr<TimedBreakRunningState> m_timedBreakRunningState;
    std::shared_ptr<SmartTimerWrapper> m_uiUpdateTimer;
    std::shared_ptr<CountDownView> m_countDownView;
    std::shared_ptr<LockButtonWall> m_lockButtonWall;
    std::shared_ptr<TabWall> m_tabWall;
    std::shared_ptr<SmallDurationView> m_smallDurationView;
    std::shared_ptr<PushButtonBrick> m_endBreakButton;
    // When the lock's cycles began: the clock at build time.
    double m_lockStart { 0 };
    // The end angle the lock's ring was last drawn with; none before its first drawing.
    std::optional<double> m_drawnLockAngle;
    // Between build and the covers going down.
    bool m_refreshing { false };
    KeptPictures m_lockPictures { KeptPictures::Kind::colour };
};

}
