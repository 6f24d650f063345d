#include "core/Clock.h"

#include "platform/base/Diagnostics.h"

#include <chrono>
#include <cmath>

namespace ostrel {

namespace {

constexpr double referenceDateUnixSeconds = 978307200.0;

double systemNow()
{
    auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceEpoch).count() - referenceDateUnixSeconds;
}

struct ClockRecord {
    double systemStart { systemNow() };
    double simulatedStart { systemStart };
    double speed { 1.0 };
};

const ClockRecord& record()
{
    static const ClockRecord clockRecord; // thread-safe one-time initialisation
    return clockRecord;
}

}

double Clock::now()
{
    auto& r = record();
    return r.simulatedStart + (systemNow() - r.systemStart) * r.speed;
}

double Clock::translateDurationForSystemClock(double simulatedSeconds)
{
    return simulatedSeconds / record().speed;
}

int64_t Clock::wholeSecond(double time)
{
    double truncated = std::trunc(time);
    if (!std::isfinite(truncated) || truncated < -9223372036854775808.0 || truncated >= 9223372036854775808.0)
        base::fatal("Clock: time out of range");
    return static_cast<int64_t>(truncated);
}

}
