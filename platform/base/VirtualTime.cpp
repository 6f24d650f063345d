#include "platform/base/VirtualTime.h"

namespace base {

VirtualTime::VirtualTime(double start)
    : m_now(start)
    , m_previous(Time::setSource(this))
{
}

VirtualTime::~VirtualTime()
{
    Time::setSource(m_previous);
}

void VirtualTime::advance(double seconds)
{
    if (seconds > 0)
        m_now.store(m_now.load() + seconds);
}

void VirtualTime::advanceTo(double time)
{
    if (time > m_now.load())
        m_now.store(time);
}

VirtualTime* VirtualTime::active()
{
    return dynamic_cast<VirtualTime*>(Time::source());
}

}
