#include "attention/ActivityMonitor.h"

#include "core/Clock.h"

#include "platform/base/Time.h"
#include "platform/desktop/IdleTime.h"

#include <cmath>

namespace ostrel {

std::shared_ptr<ActivityMonitor> ActivityMonitor::create()
{
    std::shared_ptr<desktop::IdleTime> idle = desktop::IdleTime::create();
    return create([idle] { return idle ? idle->idleNanoseconds() : 0; });
}

namespace {
// Unread this long, the monitor stops polling.
constexpr double kRestAfterSeconds = 10;
}

std::shared_ptr<ActivityMonitor> ActivityMonitor::create(IdleReader reader)
{
    std::shared_ptr<ActivityMonitor> monitor(new ActivityMonitor(std::move(reader)));
    monitor->m_lastRead = base::Time::now();
    monitor->startPolling();
    return monitor;
}

ActivityMonitor::~ActivityMonitor()
{
    if (m_heartBeatTimer)
        m_heartBeatTimer->stop();
}

void ActivityMonitor::startPolling()
{
    std::weak_ptr<ActivityMonitor> weak = weak_from_this();
    m_heartBeatTimer = Clock::timerWithSystemTimeInterval(1.0, true, [weak](base::Timer&) {
        if (auto self = weak.lock())
            self->poll();
    });
}

double ActivityMonitor::idleTimeInSeconds()
{
    m_lastRead = base::Time::now();
    if (!m_heartBeatTimer) {
        // What was polled before the rest is long out of date.
        poll();
        startPolling();
    }
    return m_idleTimeInSeconds;
}

void ActivityMonitor::poll()
{
    if (m_heartBeatTimer && base::Time::now() - m_lastRead > kRestAfterSeconds) {
        m_heartBeatTimer->stop();
        m_heartBeatTimer.reset();
        return;
    }
    uint64_t nanoseconds = m_hid ? m_hid() : 0;
    // The breaks weigh idle time against their own simulated seconds: at a faster clock the
    // user's minutes away pass as fast as the break's.
    m_idleTimeInSeconds = std::trunc(double(nanoseconds / 1'000'000u) / 1000.0 * Clock::speed());
}

}
