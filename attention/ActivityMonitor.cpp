#include "attention/ActivityMonitor.h"

#include "core/Clock.h"

#include "platform/desktop/IdleTime.h"

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
    m_idleTimeInSeconds = double(nanoseconds / 1'000'000'000u);
}

}
