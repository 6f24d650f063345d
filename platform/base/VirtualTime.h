#pragma once

#include "platform/base/Time.h"

#include <atomic>

namespace base {

// A clock that moves only when told to. While one exists it is the program's time source;
// the run loop, seeing it, jumps straight to the next due timer instead of sleeping, so an
// hour of timers runs in milliseconds and in the same order every time.
//
// Like the real one it has two readings: the wall clock (now) and the monotonic clock the
// timers count on. Time passing moves both alike; setting the clock moves only the first.
class VirtualTime final : public TimeSource {
public:
    // 2026-01-05 09:00:00 UTC, a Monday morning: a fixed start keeps tests reproducible.
    static constexpr double kDefaultStart = 789296400.0;

    explicit VirtualTime(double start = kDefaultStart);
    ~VirtualTime() override;
    VirtualTime(const VirtualTime&) = delete;
    VirtualTime& operator=(const VirtualTime&) = delete;

    double now() const override { return m_now.load(); }
    // Starts equal to the wall clock and stays equal until set() moves the wall clock.
    double monotonic() const override { return m_monotonic.load(); }

    // Time passes: both readings move on; never backwards.
    void advance(double seconds);
    // Time passes until the wall clock reads `time`; never backwards.
    void advanceTo(double time);
    // Time passes until the monotonic clock reads `time`; never backwards. The run loop's
    // way to the next timer.
    void advanceMonotonicTo(double time);
    // The user sets the clock, either way: the timers' clock does not move.
    void set(double time) { m_now.store(time); }

    // The virtual clock now installed, or nullptr when time is real.
    static VirtualTime* active();

private:
    std::atomic<double> m_now { 0 };
    std::atomic<double> m_monotonic { 0 };
    TimeSource* m_previous { nullptr };
};

}
