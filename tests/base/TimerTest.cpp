#include "RunLoopFixture.h"

#include "platform/base/Timer.h"

#include <string>
#include <vector>

using base::RunLoop;
using base::Timer;
using Mode = base::RunLoop::Mode;

using TimerTest = RunLoopTest;

TEST_F(TimerTest, OneShotFiresOnceAndRepeatingUntilInvalidated)
{
    int once = 0, repeated = 0;
    auto oneShot = Timer::create(2, false, Mode::Common, [&](Timer&) { ++once; });
    auto repeating = Timer::create(1, true, Mode::Common, [&](Timer& timer) {
        if (++repeated == 5)
            timer.invalidate();
    });
    loop().runUntil(start() + 60);
    EXPECT_EQ(once, 1);
    EXPECT_FALSE(oneShot->isValid());
    EXPECT_EQ(repeated, 5);
    EXPECT_FALSE(repeating->isValid());
    EXPECT_EQ(loop().timerCount(), 0u);
}

TEST_F(TimerTest, AnHourOfVirtualTimeFiresExactCounts)
{
    int seconds = 0, fiveMinutes = 0, halfHour = 0;
    double lastSecondAt = 0;
    auto everySecond = Timer::create(1, true, Mode::Common, [&](Timer&) {
        ++seconds;
        lastSecondAt = base::Time::now();
    });
    auto everyFiveMinutes = Timer::create(300, true, Mode::Default, [&](Timer&) { ++fiveMinutes; });
    auto atHalfHour = Timer::createAt(start() + 1800, 0, false, Mode::Default, [&](Timer&) { ++halfHour; });

    loop().runUntil(start() + 3600);

    EXPECT_EQ(seconds, 3600);
    EXPECT_EQ(fiveMinutes, 12);
    EXPECT_EQ(halfHour, 1);
    EXPECT_EQ(lastSecondAt, start() + 3600);
    EXPECT_EQ(base::Time::now(), start() + 3600);
    EXPECT_EQ(everySecond->fireDate(), start() + 3601) << "no drift after 3600 firings";
    everySecond->invalidate();
    everyFiveMinutes->invalidate();
}

TEST_F(TimerTest, TimersDueTogetherFireInCreationOrderEveryRun)
{
    for (int round = 0; round < 3; ++round) {
        std::vector<std::string> fired;
        double when = base::Time::now() + 10;
        auto c = Timer::createAt(when, 0, false, Mode::Default, [&](Timer&) { fired.push_back("c"); });
        auto a = Timer::createAt(when, 0, false, Mode::Common, [&](Timer&) { fired.push_back("a"); });
        auto early = Timer::createAt(when - 1, 0, false, Mode::Default, [&](Timer&) { fired.push_back("early"); });
        auto b = Timer::createAt(when, 0, false, Mode::Default, [&](Timer&) { fired.push_back("b"); });
        loop().runUntil(when);
        EXPECT_EQ(fired, (std::vector<std::string> { "early", "c", "a", "b" }));
    }
}

TEST_F(TimerTest, RepeatingTimerThatFellBehindFiresOnceAndRestartsFromNow)
{
    int fired = 0;
    auto timer = Timer::create(1, true, Mode::Common, [&](Timer&) { ++fired; });
    loop().runUntil(start() + 3);
    ASSERT_EQ(fired, 3);

    clock.advance(600); // the computer slept for ten minutes
    loop().runOnce();
    EXPECT_EQ(fired, 4);
    EXPECT_EQ(timer->fireDate(), base::Time::now() + 1);
    loop().runUntil(base::Time::now() + 2);
    EXPECT_EQ(fired, 6);
    timer->invalidate();
}

TEST_F(TimerTest, SettingTheClockEitherWayMovesNoTimer)
{
    std::vector<double> oneShotAt;
    int repeated = 0;
    auto oneShot = Timer::create(60, false, Mode::Common, [&](Timer&) { oneShotAt.push_back(base::Time::now()); });
    auto repeating = Timer::create(1, true, Mode::Common, [&](Timer&) { ++repeated; });

    clock.set(start() - 3600); // an hour back
    EXPECT_EQ(oneShot->fireDate(), start() - 3600 + 60);
    loop().runUntil(start() - 3600 + 30);
    EXPECT_EQ(repeated, 30);
    EXPECT_TRUE(oneShotAt.empty());

    clock.set(base::Time::now() + 86400); // a day forward: nothing fires early
    loop().runOnce();
    EXPECT_TRUE(oneShotAt.empty());
    EXPECT_EQ(repeated, 30);
    auto later = Timer::createAt(base::Time::now() + 45, 0, false, Mode::Common, [&](Timer&) { ++repeated; });

    loop().runUntil(base::Time::now() + 30);
    ASSERT_EQ(oneShotAt.size(), 1u);
    EXPECT_EQ(oneShotAt[0], start() - 3600 + 86400 + 60) << "sixty seconds after it was made, whatever the clock did";
    EXPECT_EQ(repeated, 60);
    EXPECT_EQ(later->fireDate(), base::Time::now() + 15);
    repeating->invalidate();
    later->invalidate();
}

TEST_F(TimerTest, InvalidatingReleasesTheActionAndItsCaptures)
{
    auto owner = std::make_shared<int>(7);
    std::weak_ptr<int> watch = owner;
    auto timer = Timer::create(1, true, Mode::Common, [owner](Timer&) { });
    owner.reset();
    ASSERT_FALSE(watch.expired()) << "the run loop keeps a scheduled timer's action alive";
    timer->invalidate();
    EXPECT_TRUE(watch.expired());

    // A one-shot timer lets go of its action once it has fired, even if the caller keeps it.
    auto captured = std::make_shared<int>(1);
    std::weak_ptr<int> watchOneShot = captured;
    auto oneShot = Timer::create(1, false, Mode::Common, [captured](Timer&) { });
    captured.reset();
    loop().runUntil(start() + 1);
    EXPECT_TRUE(watchOneShot.expired());
}

TEST_F(TimerTest, ZeroIntervalRepeatingTimerDoesNotStarveTheLoop)
{
    int fired = 0;
    auto timer = Timer::create(0, true, Mode::Common, [&](Timer&) { ++fired; });
    loop().runUntil(start() + 0.001);
    EXPECT_GT(fired, 1);
    EXPECT_LE(fired, 11);
    timer->invalidate();
}
