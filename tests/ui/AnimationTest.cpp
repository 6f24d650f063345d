#include "UiFixture.h"

#include "platform/base/Time.h"
#include "platform/ui/Animation.h"

#include <algorithm>
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

// A ring pulsing by 5 % over three seconds out and three back moves its edge a pixel at a
// time: its setter hears of each pixel, the turn and the end, and the loop sleeps between,
// where a frame every sixtieth of a second woke it 360 times for some thirty changes.
TEST_F(Animations, AStepAnimationWakesOnlyAsItsValueMovesAStep)
{
    constexpr double step = 1.0 / 300;
    std::vector<std::pair<double, double>> heard;
    double start = base::Time::now();
    auto pulse = Animation::create(6, 1.0, 1.05, [&](double v) { heard.emplace_back(base::Time::now() - start, v); });
    pulse->setAutoreverses(true);
    pulse->setTimingFunction(TimingFunction::EaseInEaseOut);
    pulse->setStep(step);
    int completions = 0;
    pulse->setCompletion([&](bool finished) { completions += finished; });
    pulse->start();
    loop().runUntil(start + 10);

    ASSERT_GE(heard.size(), 30u);
    EXPECT_LE(heard.size(), 34u) << "fifteen steps out, fifteen back, the turn and the end";
    EXPECT_EQ(heard.front().second, 1.0);
    EXPECT_EQ(heard.back().second, 1.0);
    auto turn = std::find_if(heard.begin(), heard.end(), [](auto& h) { return h.second == 1.05; });
    ASSERT_NE(turn, heard.end()) << "the turn itself is heard";
    EXPECT_NEAR(turn->first, 3.0, 1e-6);
    for (std::size_t i = 1; i < heard.size(); ++i) {
        bool turnOrEnd = heard[i].second == 1.05 || i + 1 == heard.size();
        if (!turnOrEnd) {
            EXPECT_GE(std::abs(heard[i].second - heard[i - 1].second), step * 0.999) << "at " << heard[i].first << " s";
        }
        EXPECT_GT(heard[i].first - heard[i - 1].first, Animation::kFrameInterval * 0.999) << "never more often than frames";
    }
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(pulse->isRunning());
    EXPECT_EQ(loop().timerCount(), 0u);
}

TEST_F(Animations, AStepAnimationStoppedByItsOwnSetterStaysStopped)
{
    std::shared_ptr<Animation> fade;
    int calls = 0;
    bool finished = true;
    fade = Animation::create(2, 0, 1, [&](double v) {
        ++calls;
        if (v > 0.25)
            fade->stop();
    });
    fade->setStep(0.1);
    fade->setCompletion([&](bool f) { finished = f; });
    fade->start();
    loop().runUntil(base::Time::now() + 3);
    EXPECT_EQ(calls, 4) << "0, 0.1, 0.2 and 0.3, where it stopped";
    EXPECT_FALSE(finished);
    EXPECT_FALSE(fade->isRunning());
    EXPECT_EQ(loop().timerCount(), 0u);
}
