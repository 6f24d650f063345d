#pragma once

#include "platform/base/RunLoop.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace base {

// A timer on the main run loop. The loop keeps it (and its action) alive until it is
// invalidated or, for a one-shot timer, until it has fired; dropping the pointer alone does
// not stop a repeating timer. Its deadline is kept on the monotonic clock: when the user sets
// the clock back or forward, a timer still fires after the time it was asked to wait.
class Timer : public std::enable_shared_from_this<Timer> {
public:
    using Action = std::function<void(Timer&)>;

    // Fires `interval` seconds from now, then every `interval` seconds when repeating.
    static std::shared_ptr<Timer> create(double interval, bool repeats, RunLoop::Mode mode, Action action);
    // Fires first when the clock reads `fireDate` (seconds since the reference date), as far
    // as can be told now: a later change of the clock does not move the timer.
    static std::shared_ptr<Timer> createAt(double fireDate, double interval, bool repeats, RunLoop::Mode mode,
        Action action);

    void invalidate();
    bool isValid() const { return m_valid; }

    // When the timer fires next, on the clock as it reads now.
    double fireDate() const;
    double interval() const { return m_interval; }
    bool repeats() const { return m_repeats; }
    RunLoop::Mode mode() const { return m_mode; }

    // Accepted for the callers' sake; timers here always fire as close to their date as
    // the loop can, which keeps a one-second count-down from drifting.
    void setTolerance(double seconds) { m_tolerance = seconds; }
    double tolerance() const { return m_tolerance; }

private:
    friend class RunLoop;
    Timer(double deadline, double interval, bool repeats, RunLoop::Mode mode, Action action);
    static std::shared_ptr<Timer> schedule(double deadline, double interval, bool repeats, RunLoop::Mode mode,
        Action action);

    // Called by the loop once the timer is due at `now` (monotonic).
    void fire(double now);

    // On Time::monotonic().
    double m_deadline { 0 };
    double m_interval { 0 };
    bool m_repeats { false };
    RunLoop::Mode m_mode { RunLoop::Mode::Default };
    Action m_action;
    double m_tolerance { 0 };
    bool m_valid { true };
    bool m_firing { false };
    std::uint64_t m_sequence { 0 };
};

}
