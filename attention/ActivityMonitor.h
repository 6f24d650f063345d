#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace ostrel {

class SmartTimerWrapper;

// How long the user has not touched keyboard or mouse, in whole seconds of the simulated
// clock, polled once a second. The break screens read it; the application delegate keeps the one monitor.
class ActivityMonitor {
public:
    // Nanoseconds of idle time; 0 when they cannot be read, so the user counts as active.
    using IdleReader = std::function<uint64_t()>;

    // Over the desktop's idle time: the X server's where a display is open, else the time
    // since our own windows' last input.
    static std::shared_ptr<ActivityMonitor> create();
    static std::shared_ptr<ActivityMonitor> create(IdleReader reader);
    ~ActivityMonitor();

    // As of the last poll; 0 until the first, one second after creation.
    double idleTimeInSeconds() const { return m_idleTimeInSeconds; }

private:
    explicit ActivityMonitor(IdleReader reader)
        : m_hid(std::move(reader))
    {
    }
    void poll();

    double m_idleTimeInSeconds { 0 };
    IdleReader m_hid;
    std::shared_ptr<SmartTimerWrapper> m_heartBeatTimer;
};

}
