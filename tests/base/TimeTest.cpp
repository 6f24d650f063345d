#include "platform/base/Time.h"
#include "platform/base/VirtualTime.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>

TEST(Time, NowCountsFromTheReferenceDate)
{
    double unixNow = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    EXPECT_NEAR(base::Time::now(), unixNow - 978307200.0, 1.0);
    EXPECT_DOUBLE_EQ(base::Time::fromUnix(978307200.0), 0.0);
    EXPECT_DOUBLE_EQ(base::Time::toUnix(base::Time::fromUnix(1234.5)), 1234.5);
    EXPECT_LT(base::Time::distantPast(), base::Time::fromUnix(-62135596800.0 + 1));
}

TEST(Time, VirtualTimeIsInstalledForItsLifetimeAndNests)
{
    ASSERT_EQ(base::VirtualTime::active(), nullptr);
    {
        base::VirtualTime outer(100);
        EXPECT_EQ(base::Time::now(), 100);
        outer.advance(2.5);
        EXPECT_EQ(base::Time::now(), 102.5);
        {
            base::VirtualTime inner(5000);
            EXPECT_EQ(base::VirtualTime::active(), &inner);
            EXPECT_EQ(base::Time::now(), 5000);
        }
        EXPECT_EQ(base::VirtualTime::active(), &outer);
        outer.advanceTo(50);
        EXPECT_EQ(base::Time::now(), 102.5) << "advanceTo never goes backwards";
        outer.advance(-10);
        EXPECT_EQ(base::Time::now(), 102.5);
    }
    EXPECT_EQ(base::VirtualTime::active(), nullptr);
    EXPECT_GT(base::Time::now(), base::Time::fromUnix(1.7e9));
}

TEST(Time, SettingAVirtualClockMovesOnlyTheWallClock)
{
    base::VirtualTime clock(1000);
    EXPECT_EQ(base::Time::monotonic(), 1000);
    clock.set(400);
    EXPECT_EQ(base::Time::now(), 400);
    EXPECT_EQ(base::Time::monotonic(), 1000);
    EXPECT_EQ(base::Time::monotonicAt(430), 1030);

    clock.advance(5);
    clock.advanceTo(410);
    EXPECT_EQ(base::Time::now(), 410);
    EXPECT_EQ(base::Time::monotonic(), 1010);
    clock.advanceMonotonicTo(1020);
    clock.advanceMonotonicTo(900);
    EXPECT_EQ(base::Time::now(), 420);
    EXPECT_EQ(base::Time::monotonic(), 1020) << "never backwards";
}

TEST(Time, TheRealMonotonicClockKeepsPaceWithTheWallClock)
{
    double steady = base::Time::monotonic();
    double wall = base::Time::now();
    EXPECT_GE(base::Time::monotonic(), steady);
    EXPECT_NEAR(base::Time::monotonicAt(wall + 10), steady + 10, 1.0);
}
