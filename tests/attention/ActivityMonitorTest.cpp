#include "attention/ActivityMonitor.h"

#include "core/Clock.h"

#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/base/VirtualTime.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

class ActivityMonitorTest : public ::testing::Test {
protected:
    void TearDown() override { base::RunLoop::main().discardAll(); }
    void runFor(double seconds) { base::RunLoop::main().runUntil(base::Time::now() + seconds); }

    base::VirtualTime m_time;
    uint64_t m_idle { 0 };
};

TEST_F(ActivityMonitorTest, PollsOnceASecondInWholeSeconds)
{
    auto monitor = ActivityMonitor::create([this] { return m_idle; });
    m_idle = 3'900'000'000;
    EXPECT_EQ(monitor->idleTimeInSeconds(), 0);
    runFor(0.9);
    EXPECT_EQ(monitor->idleTimeInSeconds(), 0);
    runFor(0.2);
    EXPECT_EQ(monitor->idleTimeInSeconds(), 3);
    m_idle = 4'000'000'000;
    runFor(1);
    EXPECT_EQ(monitor->idleTimeInSeconds(), 4);
    m_idle = UINT64_MAX;
    runFor(1);
    EXPECT_EQ(monitor->idleTimeInSeconds(), double(UINT64_MAX / 1'000'000'000u));
}

TEST_F(ActivityMonitorTest, IdleTimeRunsAtTheClocksSpeed)
{
    // Five minutes away pass in five seconds when the clock runs sixty times as fast.
    Clock::restart(60);
    auto monitor = ActivityMonitor::create([this] { return m_idle; });
    m_idle = 5'010'000'000;
    runFor(1.1);
    EXPECT_EQ(monitor->idleTimeInSeconds(), 300);
    Clock::restart(1);
    runFor(1);
    EXPECT_EQ(monitor->idleTimeInSeconds(), 5);
}

TEST_F(ActivityMonitorTest, AnUnreadableIdleTimeCountsTheUserAsActive)
{
    auto monitor = ActivityMonitor::create(nullptr);
    runFor(3);
    EXPECT_EQ(monitor->idleTimeInSeconds(), 0);
}

TEST_F(ActivityMonitorTest, AMonitorThatGoesStopsPolling)
{
    int polls = 0;
    auto monitor = ActivityMonitor::create([&] {
        ++polls;
        return uint64_t(0);
    });
    runFor(2.5);
    EXPECT_EQ(polls, 2);
    monitor.reset();
    runFor(5);
    EXPECT_EQ(polls, 2);
    EXPECT_EQ(base::RunLoop::main().timerCount(), 0u);
}

TEST_F(ActivityMonitorTest, UnreadItRestsAndAReadWakesItWithAFreshValue)
{
    int polls = 0;
    auto monitor = ActivityMonitor::create([&] {
        ++polls;
        return m_idle;
    });
    // Read every second, as the breaks read it: it polls on.
    for (int second = 0; second < 15; ++second) {
        runFor(1);
        monitor->idleTimeInSeconds();
    }
    EXPECT_EQ(polls, 15);
    EXPECT_FALSE(monitor->isResting());

    // Nobody asks: after ten seconds it stops waking the program.
    runFor(12);
    EXPECT_TRUE(monitor->isResting());
    int polled = polls;
    runFor(30);
    EXPECT_EQ(polls, polled);
    EXPECT_EQ(base::RunLoop::main().timerCount(), 0u);

    // The next reader gets the idle time of now, not of before the rest, and the polls resume.
    m_idle = 42'500'000'000;
    EXPECT_EQ(monitor->idleTimeInSeconds(), 42);
    m_idle = 43'000'000'000;
    runFor(1.1);
    EXPECT_EQ(monitor->idleTimeInSeconds(), 43);
}

TEST_F(ActivityMonitorTest, TheDesktopBackEndAnswersWithOrWithoutADisplay)
{
    auto monitor = ActivityMonitor::create();
    runFor(1.5);
    EXPECT_GE(monitor->idleTimeInSeconds(), 0);
}

}
}
