#include "platform/base/Time.h"

#include <atomic>
#include <ctime>

namespace base {

namespace {
std::atomic<TimeSource*> g_source { nullptr };
}

double Time::now()
{
    if (TimeSource* installed = g_source.load())
        return installed->now();
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return fromUnix(double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9);
}

double Time::monotonic()
{
    if (TimeSource* installed = g_source.load())
        return installed->monotonic();
    timespec ts {};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double Time::monotonicAt(double date)
{
    double wall = now();
    double steady = monotonic();
    // A virtual clock nobody has set reads the same on both: no rounding then.
    return wall == steady ? date : steady + (date - wall);
}

TimeSource* Time::setSource(TimeSource* source)
{
    return g_source.exchange(source);
}

TimeSource* Time::source()
{
    return g_source.load();
}

}
