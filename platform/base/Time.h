#pragma once

namespace base {

// Where "now" comes from. The system clock unless a test installs a virtual one.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual double now() const = 0;
    virtual double monotonic() const = 0;
};

// Points in time are seconds since 2001-01-01 00:00:00 UTC, as plain doubles, because that
// is the reference date every stored and computed time of the program uses.
class Time {
public:
    // Seconds between the Unix epoch and the reference date.
    static constexpr double kUnixOffset = 978307200.0;

    // From CLOCK_REALTIME: what the user's clock reads, and so what is stored and shown.
    static double now();
    // Seconds on a clock nobody sets, with an arbitrary origin: timers count on it, so that
    // setting the clock back or forward neither holds them up nor fires them early. It is
    // CLOCK_BOOTTIME, which goes on counting through a system sleep, so timers that fell due
    // while the computer slept fire on waking.
    static double monotonic();
    // Where the monotonic clock will be when the wall clock reads `date`, as far as can be
    // told now.
    static double monotonicAt(double date);

    // 0001-01-01 00:00:00 UTC: the "never" that fields such as a last-read date start with.
    static constexpr double distantPast() { return -63114076800.0; }

    static constexpr double fromUnix(double unixSeconds) { return unixSeconds - kUnixOffset; }
    static constexpr double toUnix(double time) { return time + kUnixOffset; }

    // Installs a source (nullptr restores the system clock); returns the previous one.
    static TimeSource* setSource(TimeSource* source);
    static TimeSource* source();
};

}
