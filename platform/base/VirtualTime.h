#pragma once

#include "platform/base/Time.h"

#include <atomic>

namespace base {

// A clock that moves only when told to. While one exists it is the program's time source;
// the run loop, seeing it, jumps straight to the next due timer instead of sleeping, so an
// hour of timers runs in milliseconds and in the same order every time.
class VirtualTime final : public TimeSource {
public:
    // 2026-01-05 09:00:00 UTC, a Monday morning: a fixed start keeps tests reproducible.
    static constexpr double kDefaultStart = 789296400.0;

    explicit VirtualTime(double start = kDefaultStart);
    ~VirtualTime() override;
    VirtualTime(const VirtualTime&) = delete;
    VirtualTime& operator=(const VirtualTime&) = delete;

    double now() const override { return m_now.load(); }
    void advance(double seconds);
    // Moves to a point in time; never backwards, except through set().
    void advanceTo(double time);
    void set(double time) { m_now.store(time); }

    // The virtual clock now installed, or nullptr when time is real.
    static VirtualTime* active();

private:
    std::atomic<double> m_now { 0 };
    TimeSource* m_previous { nullptr };
};

}
