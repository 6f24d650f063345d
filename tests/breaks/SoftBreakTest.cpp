#include "tests/breaks/BreaksFixture.h"

#include "breaks/SoftBreakState.h"

#include "log/Logger.h"

namespace ostrel::test {

namespace {

using Slot = StateLinkingHelper::Slot;

constexpr const char* kRating = "Ostrel_4.RateTimeSliceState";
constexpr const char* kStillActive = "speakAndDisplayUserStillActiveMessages()";
constexpr const char* kIntermediary = "speakAndDisplayIntermediaryMessages()";
constexpr const char* kForced = "speakAndDisplayForcedBreakMessages()";

class SoftBreakTest : public BreaksTest {
protected:
    SoftBreakTest()
    {
        startUp();
        softBreak = screen<SoftBreakState>(Slot::softBreak);
    }

    // Entered half a second after the activity monitor's poll, so that after a sleep the
    // monitor reads the idle time before the soft break's clock replays the missed seconds.
    void enter()
    {
        wait(0.5);
        reachSoftBreak();
        ASSERT_EQ(currentName(), "Ostrel_4.SoftBreakState");
        diagnostics.clear();
    }
    std::vector<std::string> scriptHandlers() const
    {
        std::vector<std::string> handlers;
        for (const auto& call : scriptCalls)
            if (call.front() != "time_slice_start")
                handlers.push_back(call.front() + "|" + call.at(1));
        return handlers;
    }
    int64_t worked() const { return Logger::sharedLogger().actualSecondsWorked(); }

    std::shared_ptr<SoftBreakState> softBreak;
};

}

TEST_F(SoftBreakTest, WorkingThroughHearsEachCueInItsSecondAndEndsInTheRating)
{
    enter();
    wait(1.0);
    EXPECT_EQ(cues(), (std::vector<std::string> { kStillActive }));
    wait(14.0);
    EXPECT_EQ(cues().back(), kIntermediary);
    wait(13.0);
    EXPECT_EQ(cues().back(), "playFirstTick()");
    wait(1.0);
    EXPECT_EQ(cues().back(), "playSecondTick()");
    EXPECT_EQ(currentName(), "Ostrel_4.SoftBreakState");
    wait(1.0);
    EXPECT_EQ(cues(),
        (std::vector<std::string> { kStillActive, kIntermediary, "playFirstTick()", "playSecondTick()", "playTock()", kForced }));
    EXPECT_EQ(currentName(), kRating);
    EXPECT_EQ(worked(), 29) << "every second but the last, which ends it";
    EXPECT_EQ(scriptHandlers(), (std::vector<std::string> { "time_slice_elapsed|Time Slice Elapsed" }));
}

TEST_F(SoftBreakTest, ItsBannersAreTheThirtyAndFifteenSecondWarnings)
{
    enter();
    wait(30);
    for (const char* banner : { "banner Your Break will start in 30 seconds\u2026|\u2026or as soon as you stop working.",
             "banner Your Break will start in 15 seconds\u2026|\u2026or as soon as you stop working." })
        EXPECT_EQ(eventsNamed(banner).size(), 1u) << banner;
}

TEST_F(SoftBreakTest, AUserAlreadyAwayEndsItAtTheFirstSecondWithTheTockAlone)
{
    setIdleSeconds(4);
    enter();
    wait(1.5);
    EXPECT_EQ(cues(), (std::vector<std::string> { "playTock()" }));
    EXPECT_EQ(currentName(), kRating);
    EXPECT_EQ(worked(), 0);
}

TEST_F(SoftBreakTest, StoppingWorkAtSecondTenEndsItQuietly)
{
    enter();
    wait(9.0);
    setIdleSeconds(3.9);
    wait(2.0);
    EXPECT_EQ(currentName(), "Ostrel_4.SoftBreakState") << "three whole seconds are not enough";
    setIdleSeconds(4);
    wait(1.0);
    EXPECT_EQ(currentName(), kRating);
    EXPECT_EQ(cues(), (std::vector<std::string> { kStillActive, "playTock()" }));
    ASSERT_EQ(eventsNamed("Ostrel_4.SoftBreakState.end").size(), 1u);
}

TEST_F(SoftBreakTest, SkippingLoggingLeadsPastTheRating)
{
    store().set("shouldAlwaysSkipLogging", true);
    enter();
    wait(3);
    ASSERT_EQ(worked(), 3);
    softBreak->stopTimeSlice();
    EXPECT_EQ(currentName(), "Ostrel_4.PrepareTimedBreakState");
    EXPECT_EQ(scriptHandlers(), (std::vector<std::string> { "time_slice_elapsed|Time Slice Elapsed" }));

    store().set("shouldAlwaysSkipAllBreaks", true);
    fire("nextTimeSlice");
    enter();
    wait(3);
    model().setCurrentTimeSliceExtensionDuration(60);
    softBreak->handleTimerAborted();
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    EXPECT_EQ(worked(), 0);
    EXPECT_EQ(model().currentTimeSliceExtensionDurationInSeconds(), 0);
}

TEST_F(SoftBreakTest, AnExtensionGivesTheSliceExactlyTheMinutesAsked)
{
    store().set("durationInSeconds", 1500);
    model().setCurrentTimeSliceExtensionDuration(120);
    for (int second = 0; second < 1640; ++second)
        Logger::sharedLogger().incrementActualSecondsWorked();
    enter();
    softBreak->extendTimeSliceBy(3);
    EXPECT_EQ(model().currentTimeSliceExtensionDurationInSeconds(), 320);
    EXPECT_EQ(currentName(), "Ostrel_4.TimeSliceRunningState");
    // What the running slice will count: its duration and extension less the worked seconds.
    EXPECT_EQ(1500 + 320 - worked(), 180);
}

TEST_F(SoftBreakTest, TheStatusMenuAndThePopUpOfferTheExtensions)
{
    enter();
    EXPECT_EQ(statusMenuTitles(), (std::vector<std::string> { "Extend Time Slice by 1 Minute", "Extend Time Slice by 3 Minutes",
                                      "Extend Time Slice by 5 Minutes", "Extend Time Slice by 10 Minutes" }));
    // Entered half a second into a second: 29.5 seconds left.
    EXPECT_EQ(statusTitle(), " 00:29");
    auto titles = entryTitles();
    EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + 5),
        (std::vector<std::string> { "End Time Slice", "Extend Time Slice by 1 Minute", "Extend Time Slice by 3 Minutes",
            "Extend Time Slice By 5 Minutes", "Extend Time Slice by 10 Minutes" }));
    store().set("durationInSeconds", 600);
    ASSERT_TRUE(runEntry("Extend Time Slice By 5 Minutes"));
    EXPECT_EQ(model().currentTimeSliceExtensionDurationInSeconds(), 300 - 600);
    EXPECT_EQ(currentName(), "Ostrel_4.TimeSliceRunningState");
    EXPECT_TRUE(statusMenuTitles().empty());
}

TEST_F(SoftBreakTest, SleepReplayIntoSoftBreakStopsAtIdleEnd)
{
    enter();
    wait(5);
    ASSERT_EQ(worked(), 5);
    // The user leaves and the computer sleeps through the rest of the soft break and more.
    setIdleSeconds(45);
    sleepFor(40);
    EXPECT_EQ(currentName(), kRating);
    EXPECT_EQ(cues(), (std::vector<std::string> { kStillActive, "playTock()" }));
    EXPECT_EQ(worked(), 5) << "no replayed second counted after the end";
    EXPECT_EQ(eventsNamed("Ostrel_4.SoftBreakState.end").size(), 1u);
    wait(5);
    EXPECT_EQ(cues().size(), 2u);
}

TEST_F(SoftBreakTest, RemovingTheFinalTextLeavesItsRegisteredDefaultSoTheScriptRuns)
{
    store().set("speechSoftBreakFinalText", "Done for now");
    enter();
    softBreak->handleTimerAborted();
    fire("next");
    store().remove("speechSoftBreakFinalText");
    fire("nextTimeSlice");
    reachSoftBreak();
    softBreak->handleTimerElapsed();
    EXPECT_EQ(scriptHandlers(),
        (std::vector<std::string> { "time_slice_elapsed|Done for now", "time_slice_elapsed|Time Slice Elapsed" }));
}

TEST_F(SoftBreakTest, WithoutAFinalTextNeitherEndCallsTheScript)
{
    // Gone from the settings altogether: nothing stored and nothing registered.
    store().remove("speechSoftBreakFinalText");
    store().registerDefaults({ { "speechSoftBreakFinalText", base::Value() } });
    enter();
    softBreak->handleTimerAborted();
    fire("next");
    // A number in its place is no text either.
    store().set("speechSoftBreakFinalText", 5);
    fire("nextTimeSlice");
    reachSoftBreak();
    softBreak->handleTimerElapsed();
    EXPECT_TRUE(scriptHandlers().empty());
}

}
