#pragma once

namespace base {

// Where "now" comes from. The system clock unless a test installs a virtual one.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual double now() const = 0;
};

// Points in time are seconds since 2001-01-01 00:00:00 UTC, as plain doubles, because that
// is the reference date every stored and computed time of the program uses.
class Time {
public:
    // Seconds between the Unix epoch and the reference date.
    static constexpr double kUnixOffset = 978307200.0;

    // From CLOCK_REALTIME, so a system sleep shows up as a jump the timers can notice.
    static double now();

    // 0001-01-01 00:00:00 UTC: the "never" that fields such as a last-read date start with.
    static constexpr double distantPast() { return -63114076800.0; }

    static constexpr double fromUnix(double unixSeconds) { return unixSeconds - kUnixOffset; }
    static constexpr double toUnix(double time) { return time + kUnixOffset; }

    // Installs a source (nullptr restores the system clock); returns the previous one.
    static TimeSource* setSource(TimeSource* source);
    static TimeSource* source();
};

}
