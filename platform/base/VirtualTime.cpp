#include "platform/base/VirtualTime.h"

namespace base {

VirtualTime::VirtualTime(double start)
    : m_now(start)
    , m_monotonic(start)
    , m_previous(Time::setSource(this))
{
}

VirtualTime::~VirtualTime()
{
    Time::setSource(m_previous);
}

void VirtualTime::advance(double seconds)
{
    if (seconds <= 0)
        return;
    m_monotonic.store(m_monotonic.load() + seconds);
    m_now.store(m_now.load() + seconds);
}

void VirtualTime::advanceTo(double time)
{
    double seconds = time - m_now.load();
    if (seconds <= 0)
        return;
    m_monotonic.store(m_monotonic.load() + seconds);
    m_now.store(time);
}

void VirtualTime::advanceMonotonicTo(double time)
{
    double from = m_monotonic.load();
    if (time <= from)
        return;
    m_monotonic.store(time);
    // While nobody has set the clock the two readings are one: kept bit for bit alike, so
    // a timer due at a date fires with the wall clock reading exactly that date.
    double wall = m_now.load();
    m_now.store(wall == from ? time : wall + (time - from));
}

VirtualTime* VirtualTime::active()
{
    return dynamic_cast<VirtualTime*>(Time::source());
}

}
