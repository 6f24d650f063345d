#include "core/Clock.h"

#include "platform/base/Calendar.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Time.h"
#include "platform/base/Timer.h"

#include <cmath>

namespace ostrel {

namespace {

struct ClockRecord {
    double systemStart { base::Time::now() };
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
    return r.simulatedStart + (base::Time::now() - r.systemStart) * r.speed;
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
