#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace base {

class Timer;

// The main thread's loop: timers and file-descriptor sources, each added for the default
// mode or the common modes, and tasks posted through MainQueue. A modal run (an alert, a
// tracked menu) services only the common-mode timers and sources; posted tasks run in every
// mode. Between events the loop sleeps in poll(2) until the next timer or a ready fd.
//
// Everything here belongs to the main thread, except post(), which any thread may call.
class RunLoop {
public:
    enum class Mode { Default, Common };
    using SourceId = std::uint64_t;
    using SourceHandler = std::function<void(short revents)>;

    static RunLoop& main();

    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // Watches fd for the poll(2) events given; the handler receives what was ready.
    // The loop never closes the fd. Adding and removing are the main thread's alone.
    // `buffered`, when given, tells of input already read from the fd into a library's own
    // queue (a display connection's, read by a round trip made elsewhere): the fd shows
    // nothing more of it, so the loop asks before it waits and hands it over as readable.
    SourceId addSource(int fd, short events, Mode mode, SourceHandler handler, std::function<bool()> buffered = {});
    void removeSource(SourceId id);

    // Runs in the default mode until stop().
    void run();
    // Ends run(), and any modal run inside it.
    void stop();

    // Runs nested in the common modes until `done` answers true (when given) or stopModal().
    void runModal(const std::function<bool()>& done = {});
    void stopModal();
    bool isModal() const { return m_modalDepth > 0; }
    // True once the innermost modal run will end at the end of this pass: input read past
    // the event that ended it belongs to the run outside it, and is left for that run.
    bool modalRunEnded() const;
    Mode currentMode() const { return isModal() ? Mode::Common : Mode::Default; }

    // For tests and start-up code: run in the default mode until the clock reads a point in
    // time (as far as can be told when the run starts), or until a condition holds. Under
    // VirtualTime, time moves straight from timer to timer.
    void runUntil(double time);
    void runUntil(const std::function<bool()>& done);
    // One pass without waiting and without moving virtual time; true if anything ran.
    bool runOnce();

    // The one thread-safe entry: queues a task for the next pass and wakes the loop.
    void post(std::function<void()> task);

    // Work in flight on a background thread, counted so that under VirtualTime the loop
    // waits for it instead of racing the clock ahead: a test then sees the same virtual
    // times however fast the thread runs. Begun when the work is queued, ended once its
    // result is handed over (posted, or written to a watched fd). Ending also wakes the
    // loop. Any thread.
    void beginBackgroundWork();
    void endBackgroundWork();

    // Drops every timer, source and posted task, for test fixtures between cases.
    void discardAll();

    std::size_t timerCount() const;

private:
    friend class Timer;
    RunLoop();
    ~RunLoop() = delete;

    struct Source {
        SourceId id { 0 };
        int fd { -1 };
        short events { 0 };
        Mode mode { Mode::Default };
        SourceHandler handler;
        std::function<bool()> buffered;
    };

    void addTimer(std::shared_ptr<Timer> timer);
    void removeTimer(const Timer* timer);

    // One pass: posted tasks, due timers, then a wait for fds up to the next timer (or
    // `limit`, on the monotonic clock). Returns whether anything ran.
    bool iterate(Mode mode, std::optional<double> limit, bool mayWait);
    bool runPostedTasks();
    bool hasPostedTasks() const;
    bool fireDueTimers(Mode mode);
    std::optional<double> nextDeadline(Mode mode) const;
    bool waitAndDispatch(Mode mode, double timeoutSeconds);
    void wake();
    // Timers and sources are the main thread's; the first thread to add one is taken as it,
    // and any other thread adding or removing one is a programming error.
    enum class Claim { Take, Keep };
    void checkOwner(Claim claim);

    static bool applies(Mode itemMode, Mode runMode) { return itemMode == Mode::Common || runMode == Mode::Default; }

    std::vector<std::shared_ptr<Timer>> m_timers;
    std::vector<Source> m_sources;
    SourceId m_nextSourceId { 1 };
    int m_wakeFd { -1 };
    int m_modalDepth { 0 };
    const std::function<bool()>* m_modalDone { nullptr };
    bool m_stopRequested { false };
    bool m_modalStopRequested { false };

    // Seconds with nothing to do before memory goes back to the system (real time only).
    static constexpr double kRestBeforeGivingBack = 10;
    double m_lastWork { 0 };
    bool m_gaveBackSinceWork { false };

    std::optional<std::thread::id> m_owner;
    std::atomic<int> m_backgroundWork { 0 };
    mutable std::mutex m_postedMutex;
    std::deque<std::function<void()>> m_posted;
};

}
