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

TimeSource* Time::setSource(TimeSource* source)
{
    return g_source.exchange(source);
}

TimeSource* Time::source()
{
    return g_source.load();
}

}
