#include "platform/desktop/IdleTime.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Time.h"
#include "platform/desktop/X11Connection.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <atomic>
#include <cmath>

namespace desktop {

namespace {
// Seconds since the reference date of the last input our windows saw; NaN until the first.
std::atomic<double> g_lastOwnInput { NAN };

class OwnInputIdleTime final : public IdleTime {
public:
    // Before any input the program's start counts as the last one: the user just launched it.
    OwnInputIdleTime()
        : m_start(base::Time::now())
    {
    }

    std::uint64_t idleNanoseconds() override
    {
        double last = g_lastOwnInput.load();
        if (std::isnan(last) || last < m_start)
            last = m_start;
        double idle = base::Time::now() - last;
        // Whole microseconds: a difference of two dates this far from the reference date carries
        // no finer truth, and the X server counts in milliseconds anyway.
        return idle > 0 ? std::uint64_t(std::llround(idle * 1e6)) * 1000 : 0;
    }

private:
    double m_start { 0 };
};

class ScreenSaverIdleTime final : public IdleTime {
public:
    explicit ScreenSaverIdleTime(std::shared_ptr<X11Connection> connection)
        : m_connection(std::move(connection))
        , m_info(XScreenSaverAllocInfo())
    {
    }
    ~ScreenSaverIdleTime() override { XFree(m_info); }

    std::uint64_t idleNanoseconds() override
    {
        if (!m_info || !m_connection->isAlive())
            return 0;
        bool answered = XScreenSaverQueryInfo(m_connection->display(), m_connection->rootWindow(), m_info);
        // The reply may have come behind a hot key's press.
        m_connection->afterRoundTrip();
        if (!answered)
            return 0;
        return std::uint64_t(m_info->idle) * 1'000'000;
    }

private:
    std::shared_ptr<X11Connection> m_connection;
    XScreenSaverInfo* m_info { nullptr };
};
}

std::unique_ptr<IdleTime> IdleTime::create()
{
    return createForDisplay(X11Connection::shared());
}

std::unique_ptr<IdleTime> IdleTime::createForDisplay(std::shared_ptr<X11Connection> connection)
{
    if (connection && connection->isAlive()) {
        int eventBase = 0;
        int errorBase = 0;
        if (XScreenSaverQueryExtension(connection->display(), &eventBase, &errorBase))
            return std::make_unique<ScreenSaverIdleTime>(std::move(connection));
        base::diagnostic("the X server has no screen-saver extension: idle time comes from our own windows");
    }
    return createFromOwnInput();
}

std::unique_ptr<IdleTime> IdleTime::createFromOwnInput()
{
    return std::make_unique<OwnInputIdleTime>();
}

void IdleTime::noteUserInput()
{
    g_lastOwnInput.store(base::Time::now());
}

}
