#pragma once

#include <cstdint>

namespace ostrel {

// The one source of "now" for the newer code: seconds since 1 January 2001 UTC, running at
// the simulated speed.
class Clock {
public:
    static double now();
    static double translateDurationForSystemClock(double simulatedSeconds);

    // A time truncated toward zero to its whole second; a time that is not finite or does
    // not fit the second count is a programming error.
    static int64_t wholeSecond(double time);
};

}
