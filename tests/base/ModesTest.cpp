#include "RunLoopFixture.h"

#include "platform/base/MainQueue.h"
#include "platform/base/Timer.h"

#include "platform/base/Diagnostics.h"

#include <fcntl.h>
#include <poll.h>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include <unistd.h>

using base::Timer;
using Mode = base::RunLoop::Mode;

namespace {
// A pipe whose read end stays readable until drained, as a display connection or a file
// watcher would.
struct Pipe {
    Pipe() { EXPECT_EQ(pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0); }
    ~Pipe()
    {
        close(fds[0]);
        close(fds[1]);
    }
    void write() { EXPECT_EQ(::write(fds[1], "x", 1), 1); }
    void drain()
    {
        char buffer[16];
        while (::read(fds[0], buffer, sizeof buffer) > 0) { }
    }
    int readEnd() const { return fds[0]; }
    int fds[2] { -1, -1 };
};
}

using ModesTest = RunLoopTest;

TEST_F(ModesTest, ModalRunServicesOnlyCommonModeTimers)
{
    int defaultFired = 0, commonFired = 0;
    auto defaultTimer = Timer::create(1, true, Mode::Default, [&](Timer&) { ++defaultFired; });
    auto commonTimer = Timer::create(1, true, Mode::Common, [&](Timer&) { ++commonFired; });

    loop().runUntil(start() + 2);
    EXPECT_EQ(defaultFired, 2);
    EXPECT_EQ(commonFired, 2);

    // An alert stays up for ten seconds.
    loop().runModal([&] { return commonFired == 12; });
    EXPECT_FALSE(loop().isModal());
    EXPECT_EQ(defaultFired, 2);
    EXPECT_EQ(base::Time::now(), start() + 12);

    // Back in the default mode the held-back timer catches up once, not ten times.
    loop().runOnce();
    EXPECT_EQ(defaultFired, 3);
    loop().runUntil(start() + 14);
    EXPECT_EQ(defaultFired, 5);
    EXPECT_EQ(commonFired, 14);
    defaultTimer->invalidate();
    commonTimer->invalidate();
}

TEST_F(ModesTest, ModalRunInsideATimerActionDoesNotReenterThatTimer)
{
    int outer = 0, inner = 0;
    auto ticker = Timer::create(1, true, Mode::Common, [&](Timer&) { ++inner; });
    auto opener = Timer::create(5, true, Mode::Common, [&](Timer& self) {
        ++outer;
        int stopAt = inner + 20;
        base::RunLoop::main().runModal([&] {
            EXPECT_EQ(base::RunLoop::main().currentMode(), Mode::Common);
            return inner >= stopAt;
        });
        self.invalidate();
    });
    loop().runUntil(start() + 40);
    EXPECT_EQ(outer, 1) << "a modal run inside the action did not fire the same timer again";
    EXPECT_EQ(inner, 40);
    ticker->invalidate();
}

TEST_F(ModesTest, AModalRunInsideAPostedTaskRunsTheTasksPostedBehindIt)
{
    // The display's events are handed out by a posted task: a key that opens a modal window
    // there must not hold back what was posted behind it (a settings write waited for the
    // preferences window to close) until that window closes.
    bool behindRan = false, ranDuringModal = false, writeFired = false;
    auto giveUp = Timer::create(10, false, Mode::Common, [](Timer&) { base::RunLoop::main().stopModal(); });
    loop().post([&] {
        loop().runModal([&] { return writeFired; });
        ranDuringModal = behindRan;
    });
    loop().post([&] { behindRan = true; });
    base::MainQueue::asyncAfter(1, [&] { writeFired = true; });
    loop().runOnce();
    EXPECT_TRUE(ranDuringModal);
    EXPECT_TRUE(writeFired);
    EXPECT_EQ(base::Time::now(), start() + 1);
    giveUp->invalidate();

    // Each runs once, in the order posted.
    std::vector<int> order;
    loop().post([&] {
        order.push_back(1);
        loop().runModal([&] { return order.size() == 3; });
    });
    loop().post([&] { order.push_back(2); });
    loop().post([&] { order.push_back(3); });
    loop().runOnce();
    loop().runOnce();
    EXPECT_EQ(order, (std::vector<int> { 1, 2, 3 }));
}

TEST_F(ModesTest, StopModalEndsOnlyTheModalRunAndStopEndsEverything)
{
    auto closer = Timer::create(3, false, Mode::Common, [](Timer&) { base::RunLoop::main().stopModal(); });
    loop().runModal();
    EXPECT_EQ(base::Time::now(), start() + 3);

    bool reachedAfterModal = false;
    auto quitter = Timer::create(1, false, Mode::Common, [&](Timer&) {
        auto stopper = Timer::create(1, false, Mode::Common, [](Timer&) { base::RunLoop::main().stop(); });
        base::RunLoop::main().runModal();
        reachedAfterModal = true;
    });
    loop().run();
    EXPECT_TRUE(reachedAfterModal);
    EXPECT_FALSE(loop().isModal());
}

TEST_F(ModesTest, DefaultModeSourceWaitsForTheModalRunToEnd)
{
    Pipe watched, display;
    int watchedEvents = 0, displayEvents = 0;
    auto watchedId = loop().addSource(watched.readEnd(), POLLIN, Mode::Default, [&](short revents) {
        EXPECT_TRUE(revents & POLLIN);
        watched.drain();
        ++watchedEvents;
    });
    auto displayId = loop().addSource(display.readEnd(), POLLIN, Mode::Common, [&](short) {
        display.drain();
        ++displayEvents;
    });

    watched.write();
    display.write();
    loop().runModal([&] { return displayEvents == 1; });
    EXPECT_EQ(watchedEvents, 0);

    loop().runOnce();
    EXPECT_EQ(watchedEvents, 1);
    EXPECT_FALSE(loop().runOnce()) << "a drained source is quiet";

    loop().removeSource(watchedId);
    watched.write();
    loop().runOnce();
    EXPECT_EQ(watchedEvents, 1);
    loop().removeSource(displayId);
}

TEST_F(ModesTest, InputAlreadyReadIntoALibrarysQueueIsHandedOverWithoutAWait)
{
    // A round trip to the display made outside the source's handler reads the events that
    // came before its answer into the connection's queue: the fd shows nothing more of them.
    Pipe display;
    int queued = 0, handled = 0;
    loop().addSource(
        display.readEnd(), POLLIN, Mode::Common,
        [&](short revents) {
            EXPECT_TRUE(revents & POLLIN);
            display.drain();
            handled += std::exchange(queued, 0);
        },
        [&] { return queued > 0; });
    display.write();
    display.drain();
    queued = 1;
    EXPECT_TRUE(loop().runOnce());
    EXPECT_EQ(handled, 1);
    EXPECT_FALSE(loop().runOnce()) << "nothing left, nothing spun";
}

TEST_F(ModesTest, SourceWhoseFdWasClosedIsDroppedNotSpun)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[1]);
    int calls = 0;
    loop().addSource(fds[0], POLLIN, Mode::Default, [&](short) { ++calls; });
    close(fds[0]);
    std::vector<std::string> lines;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
    loop().runOnce();
    loop().runOnce();
    base::setDiagnosticSink(previous);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(lines.size(), 1u);
}

TEST(RunLoopDeathTest, TimerMadeOnAnotherThreadIsAProgrammingError)
{
    EXPECT_DEATH(
        {
            base::Timer::create(1, false, Mode::Common, [](Timer&) { });
            std::thread([] { base::Timer::create(1, false, Mode::Common, [](Timer&) { }); }).join();
        },
        "belong to the main thread");
}

TEST(RunLoopDeathTest, RemovingFromAnotherThreadIsAProgrammingError)
{
    EXPECT_DEATH(
        {
            auto timer = base::Timer::create(1, false, Mode::Common, [](Timer&) { });
            std::thread([&] { timer->invalidate(); }).join();
        },
        "belong to the main thread");
    EXPECT_DEATH(
        {
            Pipe pipe;
            auto id = base::RunLoop::main().addSource(pipe.readEnd(), POLLIN, Mode::Default, [](short) { });
            std::thread([&] { base::RunLoop::main().removeSource(id); }).join();
        },
        "belong to the main thread");
}
