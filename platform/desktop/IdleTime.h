#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

namespace desktop {

class X11Connection;

// How long the user has not touched the keyboard or the mouse.
class IdleTime {
public:
    // The X server's own count (XScreenSaver extension) when a display is open and offers it,
    // else the time since the last input our own windows saw.
    static std::unique_ptr<IdleTime> create();
    static std::unique_ptr<IdleTime> createForDisplay(std::shared_ptr<X11Connection> connection);
    static std::unique_ptr<IdleTime> createFromOwnInput();

    virtual ~IdleTime() = default;

    // Nanoseconds since the last input; 0 when it cannot be read, so that a failure counts
    // the user as active rather than ending anything early.
    virtual std::uint64_t idleNanoseconds() = 0;

    // The window system calls this for every key, button and pointer event of our windows.
    // Any thread.
    static void noteUserInput();
};

// For tests of the code that polls idle time: answers whatever the test set.
class ManualIdleTime final : public IdleTime {
public:
    std::uint64_t idleNanoseconds() override { return m_nanoseconds; }
    void setIdleNanoseconds(std::uint64_t nanoseconds) { m_nanoseconds = nanoseconds; }
    void setIdleSeconds(double seconds) { m_nanoseconds = seconds > 0 ? std::uint64_t(std::llround(seconds * 1e9)) : 0; }

private:
    std::uint64_t m_nanoseconds { 0 };
};

}
