#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace base {
class Timer;
}

namespace ostrel {

class SmartTimerWrapper;

// The one source of "now" for the newer code and the one factory of its timers: seconds
// since 1 January 2001 UTC, running at the simulated speed. The speed is 1 unless
// OSTREL_CLOCK_SPEED asks for another at start-up, so that a whole slice and its break can
// be watched in seconds; timers in simulated time and animations follow it.
class Clock {
public:
    static constexpr const char* kSpeedVariable = "OSTREL_CLOCK_SPEED";
    // Timers faster than this would be held back by the run loop's shortest interval, and
    // slower ones would wait longer than anyone runs the program.
    static constexpr double kFastestSpeed = 10000;
    static constexpr double kSlowestSpeed = 0.001;

    static double now();
    // `now` as a date: the same seconds since the reference date.
    static double nowAsDate() { return now(); }
    static double translateDurationForSystemClock(double simulatedSeconds);
    static double speed();

    // The speed OSTREL_CLOCK_SPEED asks for: 1 when it is not set; a value that is not a
    // number within the two bounds above is ignored with a logged line, as 1.
    static double speedFromEnvironment();
    // Starts the clock again from the present system time at `speed`, which must lie within
    // the bounds: how tests run the program's timing at another speed.
    static void restart(double speed);

    using Block = std::function<void(base::Timer&)>;
    // Timers on the main run loop in the common modes, so that they keep firing while a menu
    // is open or a modal panel runs. Whoever wants a repeating one to end calls stop().
    static std::shared_ptr<SmartTimerWrapper> timerWithSimulatedTimeInterval(double interval, bool repeats, Block block);
    static std::shared_ptr<SmartTimerWrapper> timerWithSystemTimeInterval(double interval, bool repeats, Block block);

    // A time truncated toward zero to its whole second; a time that is not finite or does
    // not fit the second count is a programming error.
    static int64_t wholeSecond(double time);
};

// The holder of one timer made by Clock. The run loop keeps the timer, and through it the
// wrapper, until the timer is invalidated; dropping the wrapper alone stops nothing.
class SmartTimerWrapper {
public:
    void execute();
    void stop();
    const std::shared_ptr<base::Timer>& timer() const { return m_timer; }

private:
    friend class Clock;
    explicit SmartTimerWrapper(Clock::Block block)
        : m_block(std::move(block))
    {
    }
    base::Timer& checkedTimer() const;

    Clock::Block m_block;
    std::shared_ptr<base::Timer> m_timer;
};

struct DateComponentsSplit {
    int year { 0 }, month { 0 }, day { 0 }, hour { 0 }, minute { 0 }, second { 0 };
    bool operator==(const DateComponentsSplit&) const = default;
};

// Year, month, day, hour, minute and second of a date in the local calendar; six zeros
// for the distant past.
DateComponentsSplit splitIntoComponents(double date);

}
