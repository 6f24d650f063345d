#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace ostrel {

class SmartTimerWrapper;

// How long the user has not touched keyboard or mouse, in whole seconds of the simulated
// clock, polled once a second. The break screens read it; the application delegate keeps the
// one monitor. Ten seconds without a reader it rests (a program away from the front wakes
// for nothing); a read then polls at once and the polls go on.
class ActivityMonitor : public std::enable_shared_from_this<ActivityMonitor> {
public:
    // Nanoseconds of idle time; 0 when they cannot be read, so the user counts as active.
    using IdleReader = std::function<uint64_t()>;

    // Over the desktop's idle time: the X server's where a display is open, else the time
    // since our own windows' last input.
    static std::shared_ptr<ActivityMonitor> create();
    static std::shared_ptr<ActivityMonitor> create(IdleReader reader);
    ~ActivityMonitor();

    // As of the last poll; 0 until the first, one second after creation.
    double idleTimeInSeconds();
    bool isResting() const { return !m_heartBeatTimer; }

private:
    explicit ActivityMonitor(IdleReader reader)
        : m_hid(std::move(reader))
    {
    }
    void startPolling();
    void poll();

    double m_idleTimeInSeconds { 0 };
    // System time of the last read, or of the creation.
    double m_lastRead { 0 };
    IdleReader m_hid;
    std::shared_ptr<SmartTimerWrapper> m_heartBeatTimer;
};

}
