#include "core/Clock.h"

#include "platform/base/Calendar.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Time.h"
#include "platform/base/Timer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace ostrel {

namespace {

struct ClockRecord {
    double systemStart { 0 };
    double simulatedStart { 0 };
    double speed { 1.0 };

    static ClockRecord startingNow(double speed)
    {
        double now = base::Time::now();
        return { now, now, speed };
    }
};

ClockRecord& record()
{
    static ClockRecord clockRecord = ClockRecord::startingNow(Clock::speedFromEnvironment()); // thread-safe one-time initialisation
    return clockRecord;
}

std::string speedText(double speed)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", speed);
    return text;
}

}

double Clock::now()
{
    auto& r = record();
    return r.simulatedStart + (base::Time::now() - r.systemStart) * r.speed;
}

double Clock::translateDurationForSystemClock(double simulatedSeconds)
{
    return simulatedSeconds / record().speed;
}

double Clock::speed() { return record().speed; }

double Clock::speedFromEnvironment()
{
    const char* value = std::getenv(kSpeedVariable);
    if (!value)
        return 1.0;
    // Read the same whatever the user's locale says a decimal point is.
    double speed = 0;
    const char* end = value + std::strlen(value);
    auto [stop, error] = std::from_chars(value, end, speed);
    bool whole = error == std::errc() && stop == end;
    if (!whole || !(speed >= kSlowestSpeed && speed <= kFastestSpeed)) {
        base::diagnostic(std::string("Clock: ") + kSpeedVariable + "=\"" + value + "\" is not a speed from "
            + speedText(kSlowestSpeed) + " to " + speedText(kFastestSpeed) + "; the clock runs at the system clock's speed");
        return 1.0;
    }
    base::diagnostic(std::string("Clock: running at ") + speedText(speed) + " times the system clock's speed ("
        + kSpeedVariable + ")");
    return speed;
}

void Clock::restart(double speed)
{
    if (!(speed >= kSlowestSpeed && speed <= kFastestSpeed))
        base::fatal("Clock: restarted at a speed out of bounds");
    record() = ClockRecord::startingNow(speed);
}

int64_t Clock::wholeSecond(double time)
{
    double truncated = std::trunc(time);
    if (!std::isfinite(truncated) || truncated < -9223372036854775808.0 || truncated >= 9223372036854775808.0)
        base::fatal("Clock: time out of range");
    return static_cast<int64_t>(truncated);
}

std::shared_ptr<SmartTimerWrapper> Clock::timerWithSimulatedTimeInterval(double interval, bool repeats, Block block)
{
    return timerWithSystemTimeInterval(translateDurationForSystemClock(interval), repeats, std::move(block));
}

std::shared_ptr<SmartTimerWrapper> Clock::timerWithSystemTimeInterval(double interval, bool repeats, Block block)
{
    std::shared_ptr<SmartTimerWrapper> wrapper(new SmartTimerWrapper(std::move(block)));
    // The timer's action holds the wrapper and the wrapper the timer: invalidating the timer
    // releases its action and so lets both go.
    wrapper->m_timer = base::Timer::create(interval, repeats, base::RunLoop::Mode::Common,
        [wrapper](base::Timer&) { wrapper->execute(); });
    return wrapper;
}

base::Timer& SmartTimerWrapper::checkedTimer() const
{
    if (!m_timer)
        base::fatal("SmartTimerWrapper: no timer");
    return *m_timer;
}

void SmartTimerWrapper::execute()
{
    auto& timer = checkedTimer();
    m_block(timer);
}

void SmartTimerWrapper::stop()
{
    checkedTimer().invalidate();
}

DateComponentsSplit splitIntoComponents(double date)
{
    if (date == base::Time::distantPast())
        return {};
    auto c = base::Calendar::current().components(date);
    return { c.year, c.month, c.day, c.hour, c.minute, c.second };
}

}
