#include "UiFixture.h"

#include "platform/base/Time.h"
#include "platform/ui/Animation.h"

#include <cmath>
#include <limits>

using namespace ui;

using Animations = UiTest;

TEST_F(Animations, AlphaReachesItsEndOnVirtualTimeAndCallsTheCompletionOnce)
{
    auto w = window();
    w->setAlphaValue(0);
    int completions = 0;
    double start = base::Time::now();
    Animation::animateAlpha(w, 1.0, 2.0, TimingFunction::Linear, [&](bool finished) {
        EXPECT_TRUE(finished);
        ++completions;
    });
    loop().runUntil(start + 1.0);
    EXPECT_NEAR(w->alphaValue(), 0.5, 0.02);
    loop().runUntil(start + 5.0);
    EXPECT_EQ(w->alphaValue(), 1.0);
    EXPECT_EQ(completions, 1);
    // Done means done: no timer keeps waking the loop.
    EXPECT_EQ(loop().timerCount(), 0u);
}

TEST_F(Animations, CustomPropertyFollowsTheTimingCurveAndKeepsGoingInModalRuns)
{
    std::vector<std::pair<double, double>> samples;
    double start = base::Time::now();
    auto ease = Animation::create(1.0, 0, 100, [&](double v) { samples.emplace_back(base::Time::now() - start, v); });
    ease->setTimingFunction(TimingFunction::EaseIn);
    bool done = false;
    ease->setCompletion([&](bool) { done = true; });
    ease->start();
    loop().runModal([&] { return done; });
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(samples.back().second, 100);
    // Ease-in lags behind a straight line halfway through; ease-out runs ahead of it.
    auto atHalf = std::find_if(samples.begin(), samples.end(), [](auto& s) { return s.first >= 0.5; });
    ASSERT_NE(atHalf, samples.end());
    EXPECT_LT(atHalf->second, 25);
    EXPECT_GT(Animation::curve(TimingFunction::EaseOut, 0.5), 0.75);
    EXPECT_EQ(Animation::curve(TimingFunction::Linear, 0.3), 0.3);
}

TEST_F(Animations, AutoreversingFlashRisesAndFallsAndStopReportsUnfinished)
{
    auto flash = Animation::create(1.0, 0, 1, {});
    flash->setAutoreverses(true);
    EXPECT_EQ(flash->valueAt(0.25), 0.5);
    EXPECT_EQ(flash->valueAt(0.5), 1);
    EXPECT_EQ(flash->valueAt(1), 0);

    double last = -1;
    bool finished = true;
    auto stopped = Animation::create(10, 0, 1, [&](double v) { last = v; });
    stopped->setCompletion([&](bool f) { finished = f; });
    stopped->start();
    loop().runUntil(base::Time::now() + 1);
    stopped->stop();
    EXPECT_FALSE(finished);
    EXPECT_LT(last, 0.2);
    EXPECT_FALSE(stopped->isRunning());
}

TEST_F(Animations, AnimatingAViewThatGoesAwayEndsQuietly)
{
    auto view = View::create(Rect(0, 0, 10, 10));
    bool completed = false;
    Animation::animateAlpha(view, 0, 1, TimingFunction::EaseOut, [&](bool) { completed = true; });
    view.reset();
    loop().runUntil(base::Time::now() + 2);
    EXPECT_TRUE(completed);
}

TEST_F(Animations, ADurationThatIsNoNumberJumpsToTheEnd)
{
    for (double duration : { std::numeric_limits<double>::infinity(), std::nan("") }) {
        double value = 0;
        bool finished = false;
        auto animation = Animation::create(duration, 0, 10, [&](double v) { value = v; });
        animation->setCompletion([&](bool done) { finished = done; });
        animation->start();
        EXPECT_EQ(value, 10);
        EXPECT_TRUE(finished);
        EXPECT_EQ(loop().timerCount(), 0u);
    }
}
