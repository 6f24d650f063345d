#include "attention/ActivityMonitor.h"

#include "core/Clock.h"

#include "platform/desktop/IdleTime.h"

#include <cmath>

namespace ostrel {

std::shared_ptr<ActivityMonitor> ActivityMonitor::create()
{
    std::shared_ptr<desktop::IdleTime> idle = desktop::IdleTime::create();
    return create([idle] { return idle ? idle->idleNanoseconds() : 0; });
}

std::shared_ptr<ActivityMonitor> ActivityMonitor::create(IdleReader reader)
{
    std::shared_ptr<ActivityMonitor> monitor(new ActivityMonitor(std::move(reader)));
    std::weak_ptr<ActivityMonitor> weak = monitor;
    monitor->m_heartBeatTimer = Clock::timerWithSystemTimeInterval(1.0, true, [weak](base::Timer&) {
        if (auto self = weak.lock())
            self->poll();
    });
    return monitor;
}

ActivityMonitor::~ActivityMonitor()
{
    if (m_heartBeatTimer)
        m_heartBeatTimer->stop();
}

void ActivityMonitor::poll()
{
    uint64_t nanoseconds = m_hid ? m_hid() : 0;
    // The breaks weigh idle time against their own simulated seconds: at a faster clock the
    // user's minutes away pass as fast as the break's.
    m_idleTimeInSeconds = std::trunc(double(nanoseconds / 1'000'000u) / 1000.0 * Clock::speed());
}

}
