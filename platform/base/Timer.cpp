#include "platform/base/Timer.h"

#include "platform/base/Time.h"

#include <utility>

namespace base {

namespace {
// A repeating timer with no interval would fire on every pass and starve everything else.
constexpr double kMinimumInterval = 0.0001;
std::uint64_t g_nextSequence = 1;
}

Timer::Timer(double deadline, double interval, bool repeats, RunLoop::Mode mode, Action action)
    : m_deadline(deadline)
    , m_interval(interval)
    , m_repeats(repeats)
    , m_mode(mode)
    , m_action(std::move(action))
    , m_sequence(g_nextSequence++)
{
    if (m_repeats && !(m_interval >= kMinimumInterval))
        m_interval = kMinimumInterval;
}

std::shared_ptr<Timer> Timer::create(double interval, bool repeats, RunLoop::Mode mode, Action action)
{
    double delay = interval > 0 ? interval : 0;
    return schedule(Time::monotonic() + delay, interval, repeats, mode, std::move(action));
}

std::shared_ptr<Timer> Timer::createAt(double fireDate, double interval, bool repeats, RunLoop::Mode mode,
    Action action)
{
    return schedule(Time::monotonicAt(fireDate), interval, repeats, mode, std::move(action));
}

std::shared_ptr<Timer> Timer::schedule(double deadline, double interval, bool repeats, RunLoop::Mode mode,
    Action action)
{
    std::shared_ptr<Timer> timer(new Timer(deadline, interval, repeats, mode, std::move(action)));
    RunLoop::main().addTimer(timer);
    return timer;
}

double Timer::fireDate() const
{
    return m_deadline + (Time::now() - Time::monotonic());
}

void Timer::invalidate()
{
    if (!m_valid)
        return;
    m_valid = false;
    // The action often holds the timer's owner; releasing it breaks that cycle. While the
    // action runs it must stay alive, so fire() releases it afterwards instead.
    if (!m_firing)
        m_action = nullptr;
    RunLoop::main().removeTimer(this);
}

void Timer::fire(double now)
{
    auto keepAlive = shared_from_this();
    // Rescheduled before the action runs, so that a modal run inside the action sees this
    // timer as not due. One that fell behind (a system sleep) fires once and starts again
    // from now rather than replaying every missed interval.
    if (m_repeats) {
        m_deadline += m_interval;
        if (m_deadline <= now)
            m_deadline = now + m_interval;
    } else {
        m_valid = false;
        RunLoop::main().removeTimer(this);
    }
    m_firing = true;
    if (m_action)
        m_action(*this);
    m_firing = false;
    if (!m_valid)
        m_action = nullptr;
}

}
