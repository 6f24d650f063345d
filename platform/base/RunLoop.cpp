#include "platform/base/RunLoop.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RestingMemory.h"
#include "platform/base/Time.h"
#include "platform/base/Timer.h"
#include "platform/base/VirtualTime.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>

namespace base {

RunLoop& RunLoop::main()
{
    // Never destroyed: the serial queue's thread may still post to it while the process ends.
    static RunLoop* loop = new RunLoop;
    return *loop;
}

RunLoop::RunLoop()
{
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_wakeFd < 0)
        fatal(std::string("run loop: cannot create its wake-up eventfd: ") + std::strerror(errno));
}

void RunLoop::checkOwner(Claim claim)
{
    if (!m_owner) {
        // Nothing was ever added, so a removal has nothing to touch: only an addition makes
        // its thread the owner.
        if (claim == Claim::Take)
            m_owner = std::this_thread::get_id();
    } else if (*m_owner != std::this_thread::get_id()) {
        fatal("timers and fd sources belong to the main thread; other threads use MainQueue::async");
    }
}

RunLoop::SourceId RunLoop::addSource(int fd, short events, Mode mode, SourceHandler handler, std::function<bool()> buffered)
{
    checkOwner(Claim::Take);
    SourceId id = m_nextSourceId++;
    m_sources.push_back(Source { id, fd, events, mode, std::move(handler), std::move(buffered) });
    return id;
}

void RunLoop::removeSource(SourceId id)
{
    // The main thread may be polling or dispatching this very list.
    checkOwner(Claim::Keep);
    std::erase_if(m_sources, [id](const Source& source) { return source.id == id; });
}

void RunLoop::addTimer(std::shared_ptr<Timer> timer)
{
    checkOwner(Claim::Take);
    m_timers.push_back(std::move(timer));
}

void RunLoop::removeTimer(const Timer* timer)
{
    checkOwner(Claim::Keep);
    std::erase_if(m_timers, [timer](const std::shared_ptr<Timer>& held) { return held.get() == timer; });
}

std::size_t RunLoop::timerCount() const
{
    return m_timers.size();
}

void RunLoop::post(std::function<void()> task)
{
    {
        std::lock_guard lock(m_postedMutex);
        m_posted.push_back(std::move(task));
    }
    wake();
}

void RunLoop::wake()
{
    std::uint64_t one = 1;
    // A full counter still leaves the fd readable, which is all the wake-up needs.
    [[maybe_unused]] ssize_t written = ::write(m_wakeFd, &one, sizeof one);
}

void RunLoop::beginBackgroundWork()
{
    ++m_backgroundWork;
}

void RunLoop::endBackgroundWork()
{
    --m_backgroundWork;
    wake();
}

void RunLoop::discardAll()
{
    auto timers = std::move(m_timers);
    m_timers.clear();
    for (auto& timer : timers)
        timer->invalidate();
    m_sources.clear();
    std::deque<std::function<void()>> posted;
    {
        std::lock_guard lock(m_postedMutex);
        posted.swap(m_posted);
    }
    m_stopRequested = false;
    m_modalStopRequested = false;
}

void RunLoop::run()
{
    while (!m_stopRequested)
        iterate(Mode::Default, std::nullopt, true);
    m_stopRequested = false;
}

void RunLoop::stop()
{
    m_stopRequested = true;
    post([] { });
}

void RunLoop::runModal(const std::function<bool()>& done)
{
    ++m_modalDepth;
    const auto* outerDone = std::exchange(m_modalDone, &done);
    while (!modalRunEnded())
        iterate(Mode::Common, std::nullopt, true);
    m_modalDone = outerDone;
    m_modalStopRequested = false;
    --m_modalDepth;
}

bool RunLoop::modalRunEnded() const
{
    return m_modalDepth > 0 && (m_stopRequested || m_modalStopRequested || (m_modalDone && *m_modalDone && (*m_modalDone)()));
}

void RunLoop::stopModal()
{
    if (m_modalDepth > 0)
        m_modalStopRequested = true;
}

void RunLoop::runUntil(double time)
{
    // Counted on the timers' clock, so a change of the wall clock neither ends the run early
    // nor draws it out.
    double until = Time::monotonicAt(time);
    while (!m_stopRequested && Time::monotonic() < until)
        iterate(Mode::Default, until, true);
    // Whatever fell due at the very end still runs, as it would have in real time.
    iterate(Mode::Default, until, false);
    m_stopRequested = false;
}

void RunLoop::runUntil(const std::function<bool()>& done)
{
    while (!m_stopRequested && !done())
        iterate(Mode::Default, std::nullopt, true);
    m_stopRequested = false;
}

bool RunLoop::runOnce()
{
    return iterate(Mode::Default, Time::monotonic(), false);
}

bool RunLoop::iterate(Mode mode, std::optional<double> limit, bool mayWait)
{
    bool didWork = runPostedTasks();
    didWork = fireDueTimers(mode) || didWork;

    std::optional<double> next = nextDeadline(mode);
    if (limit && (!next || *limit < *next))
        next = limit;

    if (VirtualTime* virtualTime = VirtualTime::active()) {
        // The count is read before the look for work: a thread hands over its result (a
        // posted task, a written fd) before it ends its work, so when the count reads none,
        // whatever it handed over is there to be seen below. Read after, a thread ending in
        // between would leave its result queued while the clock moved on.
        bool backgroundIdle = m_backgroundWork.load() == 0;
        // Ready fds and posted work first; only an idle loop moves the clock, and only as
        // far as the next timer, so every timer fires at its exact date.
        if (waitAndDispatch(mode, 0) || didWork || hasPostedTasks())
            return true;
        if (!mayWait)
            return false;
        if (next && backgroundIdle) {
            virtualTime->advanceMonotonicTo(*next);
            return false;
        }
        // Nothing scheduled, or a background thread still working: only that thread or an
        // fd can bring work now.
        return waitAndDispatch(mode, -1);
    }

    double now = Time::monotonic();
    if (didWork || m_lastWork == 0)
        m_lastWork = now;
    double timeout = 0;
    if (didWork || !mayWait)
        timeout = 0;
    else if (next)
        timeout = std::max(0.0, *next - now);
    else
        timeout = -1;
    // Once the program has rested a while, what only its start-up used goes back: one wake-up
    // a rest, and none while anything runs as often as every few seconds.
    if (timeout != 0 && !m_gaveBackSinceWork) {
        double restLeft = m_lastWork + kRestBeforeGivingBack - now;
        if (restLeft <= 0) {
            resting::giveBack();
            m_gaveBackSinceWork = true;
        } else if (timeout < 0 || timeout > restLeft) {
            timeout = restLeft;
        }
    }
    bool dispatched = waitAndDispatch(mode, timeout);
    if (dispatched || didWork) {
        m_lastWork = Time::monotonic();
        m_gaveBackSinceWork = false;
    }
    return dispatched || didWork;
}

bool RunLoop::hasPostedTasks() const
{
    std::lock_guard lock(m_postedMutex);
    return !m_posted.empty();
}

bool RunLoop::runPostedTasks()
{
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t drained = ::read(m_wakeFd, &count, sizeof count);
    std::size_t waiting = 0;
    {
        std::lock_guard lock(m_postedMutex);
        waiting = m_posted.size();
    }
    // As many as wait now: tasks posted while these run wait for the next pass, so a task
    // that re-posts itself cannot starve timers and fds. Taken one at a time, not as a batch:
    // a task that runs a modal loop (the display's events are handed out by one) leaves those
    // behind it to that loop's passes instead of holding them until the modal window closes.
    std::size_t ran = 0;
    for (; ran < waiting; ++ran) {
        std::function<void()> task;
        {
            std::lock_guard lock(m_postedMutex);
            if (m_posted.empty())
                break;
            task = std::move(m_posted.front());
            m_posted.pop_front();
        }
        task();
    }
    return ran > 0;
}

bool RunLoop::fireDueTimers(Mode mode)
{
    double now = Time::monotonic();
    std::vector<std::shared_ptr<Timer>> due;
    for (auto& timer : m_timers) {
        if (applies(timer->m_mode, mode) && !timer->m_firing && timer->m_deadline <= now)
            due.push_back(timer);
    }
    std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) {
        return a->m_deadline != b->m_deadline ? a->m_deadline < b->m_deadline : a->m_sequence < b->m_sequence;
    });
    for (auto& timer : due) {
        // An earlier action may have invalidated or rescheduled this one.
        if (timer->m_valid && !timer->m_firing && timer->m_deadline <= now)
            timer->fire(now);
    }
    return !due.empty();
}

std::optional<double> RunLoop::nextDeadline(Mode mode) const
{
    std::optional<double> next;
    for (const auto& timer : m_timers) {
        if (!applies(timer->m_mode, mode) || timer->m_firing)
            continue;
        if (!next || timer->m_deadline < *next)
            next = timer->m_deadline;
    }
    return next;
}

bool RunLoop::waitAndDispatch(Mode mode, double timeoutSeconds)
{
    std::vector<pollfd> fds;
    std::vector<SourceId> ids;
    // Input already read into a library's queue: handed over as readable, without a wait.
    std::vector<bool> held { false };
    fds.push_back(pollfd { m_wakeFd, POLLIN, 0 });
    ids.push_back(0);
    for (const auto& source : m_sources) {
        if (!applies(source.mode, mode))
            continue;
        fds.push_back(pollfd { source.fd, source.events, 0 });
        ids.push_back(source.id);
        held.push_back(source.buffered && (source.events & POLLIN) && source.buffered());
    }
    bool anyHeld = std::find(held.begin(), held.end(), true) != held.end();
    if (anyHeld)
        timeoutSeconds = 0;

    timespec timeout {};
    timespec* timeoutPointer = nullptr;
    if (timeoutSeconds >= 0) {
        // Rounded up to the microsecond so a timer is never found "not quite due" on waking,
        // which would spin the loop for the last fraction.
        double micro = std::ceil(timeoutSeconds * 1e6);
        timeout.tv_sec = time_t(micro / 1e6);
        timeout.tv_nsec = long(std::fmod(micro, 1e6)) * 1000;
        timeoutPointer = &timeout;
    }
    int ready = ::ppoll(fds.data(), fds.size(), timeoutPointer, nullptr);
    if (ready < 0 && errno != EINTR)
        diagnostic(std::string("run loop: poll failed: ") + std::strerror(errno));
    if (ready <= 0 && !anyHeld)
        return false;
    if (ready < 0)
        for (auto& fd : fds)
            fd.revents = 0;
    for (std::size_t i = 1; i < fds.size(); ++i)
        if (held[i])
            fds[i].revents |= POLLIN;

    bool dispatched = false;
    for (std::size_t i = 1; i < fds.size(); ++i) {
        if (!fds[i].revents)
            continue;
        SourceId id = ids[i];
        auto found = std::find_if(m_sources.begin(), m_sources.end(), [id](const Source& s) { return s.id == id; });
        // A handler earlier in this pass may have removed it.
        if (found == m_sources.end())
            continue;
        if (fds[i].revents & POLLNVAL) {
            diagnostic("run loop: dropping a source whose fd " + std::to_string(found->fd) + " is not open");
            m_sources.erase(found);
            continue;
        }
        // Copied: the handler may add or remove sources, moving the vector.
        SourceHandler handler = found->handler;
        handler(fds[i].revents);
        dispatched = true;
    }
    // The wake-up fd alone means posted tasks, which the next pass runs.
    return dispatched || (fds[0].revents != 0);
}

}
