#include "RunLoopFixture.h"

#include "platform/base/MainQueue.h"
#include "platform/base/SerialQueue.h"
#include "platform/base/Timer.h"
#include "platform/base/WorkItem.h"

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using base::MainQueue;
using base::WorkItem;

using MainQueueTest = RunLoopTest;

TEST_F(MainQueueTest, TasksFromOtherThreadsRunOnTheMainThreadInOrder)
{
    std::vector<int> received;
    std::atomic<int> offMainThread { 0 };
    const auto mainThread = std::this_thread::get_id();
    std::thread producer([&] {
        for (int i = 0; i < 200; ++i)
            MainQueue::async([&, i] {
                if (std::this_thread::get_id() != mainThread)
                    ++offMainThread;
                received.push_back(i);
            });
    });
    // No timer is scheduled, so the loop really waits in poll for the eventfd.
    loop().runUntil([&] { return received.size() == 200; });
    producer.join();
    EXPECT_EQ(offMainThread, 0);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(received[i], i);
}

TEST_F(MainQueueTest, PostedTasksRunInEveryMode)
{
    bool ran = false;
    MainQueue::async([&] { ran = true; });
    loop().runModal([&] { return ran; });
    EXPECT_TRUE(ran);
}

TEST_F(MainQueueTest, DelayedTasksRunAtTheirTimeInOrder)
{
    std::vector<std::string> ran;
    MainQueue::asyncAfter(1.0, [&] { ran.push_back("later " + std::to_string(base::Time::now() - start())); });
    MainQueue::asyncAfter(0.5, [&] { ran.push_back("sooner " + std::to_string(base::Time::now() - start())); });
    MainQueue::asyncAfter(0, [&] { ran.push_back("now"); });
    MainQueue::async([&] { ran.push_back("queued"); });
    EXPECT_TRUE(ran.empty()) << "even a delay of 0 waits for the loop";
    loop().runUntil(start() + 2);
    EXPECT_EQ(ran, (std::vector<std::string> { "now", "queued", "sooner 0.500000", "later 1.000000" }));
}

TEST_F(MainQueueTest, CancelledWorkItemsDoNotRun)
{
    // A debouncer's pattern: each request cancels the previous one.
    std::vector<int> ran;
    std::shared_ptr<WorkItem> pending;
    for (int request = 1; request <= 3; ++request) {
        if (pending)
            pending->cancel();
        pending = WorkItem::create([&ran, request] { ran.push_back(request); });
        MainQueue::asyncAfter(1.0, pending);
        loop().runUntil(base::Time::now() + 0.2);
    }
    // The last request came at 0.4 s, so it runs at 1.4 s and the others never do.
    loop().runUntil(start() + 1.39);
    EXPECT_TRUE(ran.empty());
    loop().runUntil(start() + 2);
    EXPECT_EQ(ran, (std::vector<int> { 3 }));

    pending->cancel(); // after it ran: harmless
    EXPECT_TRUE(pending->isCancelled());
    auto immediate = WorkItem::create([&] { ran.push_back(4); });
    MainQueue::async(immediate);
    immediate->cancel();
    loop().runOnce();
    EXPECT_EQ(ran, (std::vector<int> { 3 }));
}

TEST_F(MainQueueTest, SerialQueueHandsItsResultToTheMainQueue)
{
    const auto mainThread = std::this_thread::get_id();
    std::vector<std::string> published;
    base::SerialQueue queue("oneUpdateAtATimeDispatcherQueue");
    EXPECT_EQ(queue.label(), "oneUpdateAtATimeDispatcherQueue");
    std::atomic<int> running { 0 }, overlaps { 0 };
    for (int reload = 1; reload <= 3; ++reload) {
        queue.async([&, reload] {
            if (running.fetch_add(1) != 0)
                ++overlaps;
            bool onWorker = std::this_thread::get_id() != mainThread;
            std::string result = "set " + std::to_string(reload) + (onWorker ? " built off the main thread" : "");
            running.fetch_sub(1);
            MainQueue::async([&published, result] { published.push_back(result); });
        });
    }
    loop().runUntil([&] { return published.size() == 3; });
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(published, (std::vector<std::string> { "set 1 built off the main thread", "set 2 built off the main thread",
                             "set 3 built off the main thread" }));
}

TEST(SerialQueue, DestructionRunsWhatIsQueuedAndJoins)
{
    std::vector<int> done;
    {
        base::SerialQueue queue("closing");
        for (int i = 0; i < 50; ++i)
            queue.async([&done, i] { done.push_back(i); });
    }
    ASSERT_EQ(done.size(), 50u);
    EXPECT_EQ(done.front(), 0);
    EXPECT_EQ(done.back(), 49);
}

TEST_F(MainQueueTest, VirtualClockWaitsForBackgroundWork)
{
    int ticks = 0;
    auto ticker = base::Timer::create(1, true, base::RunLoop::Mode::Common, [&](base::Timer&) { ++ticks; });
    base::SerialQueue queue("reload");
    std::optional<double> publishedAt;
    queue.async([&] {
        std::vector<int> records(100000);
        for (std::size_t i = 0; i < records.size(); ++i)
            records[i] = int(i * 7 % 13);
        MainQueue::async([&publishedAt] { publishedAt = base::Time::now(); });
    });
    loop().runUntil([&] { return publishedAt.has_value(); });
    EXPECT_EQ(*publishedAt, start()) << "the clock stood still while the reload ran";
    EXPECT_EQ(ticks, 0);
    loop().runUntil(start() + 3);
    EXPECT_EQ(ticks, 3);
    ticker->invalidate();
}

TEST_F(MainQueueTest, VirtualClockWaitsForAResultHandedOverAsTheWorkEnds)
{
    // A thread that hands its result over and ends its work just as the loop looks for work:
    // each round ends a little later than the one before, so that some rounds end between the
    // loop's look for posted tasks and its look at the work in flight.
    auto ticker = base::Timer::create(1, true, base::RunLoop::Mode::Common, [](base::Timer&) { });
    base::SerialQueue queue("reload");
    int movedOn = 0;
    for (int round = 0; round < 6000; ++round) {
        double queuedAt = base::Time::now();
        std::optional<double> publishedAt;
        queue.async([&publishedAt, spins = round % 300 * 20] {
            std::atomic<int> spin { 0 };
            while (spin.fetch_add(1, std::memory_order_relaxed) < spins) { }
            MainQueue::async([&publishedAt] { publishedAt = base::Time::now(); });
        });
        loop().runUntil([&] { return publishedAt.has_value(); });
        movedOn += *publishedAt != queuedAt;
    }
    EXPECT_EQ(movedOn, 0) << "rounds in which the clock moved on while a result was queued";
    ticker->invalidate();
}
