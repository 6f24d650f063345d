#include "SliceScreensFixture.h"

#include "viewkit/TagTokenField.h"

#include "platform/ui/Button.h"

namespace ostrel::test {

namespace {

struct SkipCase {
    bool skipLogging;
    bool skipAllBreaks;
    bool abort; // else finish
};

void PrintTo(const SkipCase& c, std::ostream* os)
{
    *os << (c.abort ? "abort" : "finish") << (c.skipLogging ? ", skip logging" : "") << (c.skipAllBreaks ? ", skip breaks" : "");
}

class PausedStateTest : public SliceScreensTest {
protected:
    // A 15-minute slice paused after five minutes.
    void pauseAfterFiveMinutes()
    {
        startSlice(900);
        wait(300);
        running().pauseOrResumeTimeSlice({});
        ASSERT_EQ(current(), helper->pausedState());
    }
};

class PausedSkipTest : public PausedStateTest, public testing::WithParamInterface<SkipCase> { };

TEST_P(PausedSkipTest, FinishAndAbortFollowTheSkipSettings)
{
    auto c = GetParam();
    pauseAfterFiveMinutes();
    store().set("shouldAlwaysSkipLogging", c.skipLogging);
    store().set("shouldAlwaysSkipAllBreaks", c.skipAllBreaks);
    if (c.abort) {
        paused().abortTimeSlice();
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0].message, "Are you sure you want to reset the clock and return to defining a time slice?");
        EXPECT_EQ(alerts[0].buttons, (std::vector<std::string> { "OK", "Cancel" }));
        // Aborting always drops the worked seconds; only the way on depends on the settings.
        EXPECT_EQ(worked(), 0);
        EXPECT_EQ(current(), c.skipLogging ? helper->prepareTimedBreakState() : helper->defineTimeSliceState());
        return;
    }
    ASSERT_TRUE(paused().tryToPerform("stopTimeSlice:"));
    bool straightOn = c.skipLogging && c.skipAllBreaks;
    EXPECT_EQ(worked(), straightOn ? 0 : 300);
    if (!c.skipLogging)
        EXPECT_EQ(current(), helper->rateTimeSliceState());
    else
        EXPECT_EQ(current(), straightOn ? helper->defineTimeSliceState() : helper->prepareTimedBreakState());
    EXPECT_TRUE(alerts.empty());
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, PausedSkipTest,
    testing::Values(SkipCase { false, false, false }, SkipCase { false, true, false }, SkipCase { true, false, false },
        SkipCase { true, true, false }, SkipCase { false, false, true }, SkipCase { false, true, true },
        SkipCase { true, false, true }, SkipCase { true, true, true }));

TEST_F(PausedStateTest, ADeclinedAbortChangesNothing)
{
    pauseAfterFiveMinutes();
    answerAlertsWith(1);
    paused().abortTimeSlice();
    EXPECT_EQ(alerts.size(), 1u);
    EXPECT_EQ(current(), helper->pausedState());
    EXPECT_EQ(worked(), 300);
}

TEST_F(PausedStateTest, ReturnResumesWithWhatIsLeftAndEscapeHides)
{
    pauseAfterFiveMinutes();
    wait(120);
    EXPECT_EQ(worked(), 300) << "nothing counts while paused";
    // As after a click beside the objective: Return in the objective would start a new line.
    appDelegate->makeFront();
    window().makeFirstResponder(nullptr);
    press(base::KeyCode::Return, "\r");
    ASSERT_EQ(current(), helper->timeSliceRunningState());
    EXPECT_EQ(runLength(), 600);

    running().pauseOrResumeTimeSlice({});
    appDelegate->makeFront();
    ASSERT_FALSE(app().isHidden());
    press(base::KeyCode::Escape, "\x1b");
    EXPECT_TRUE(app().isHidden());
    EXPECT_EQ(current(), helper->pausedState());
}

TEST_F(PausedStateTest, FocusTagFieldShowsAHiddenTagEditorForGood)
{
    store().set("hideTagEditorInPausedState", true);
    pauseAfterFiveMinutes();
    runEntry("Focus Tag Field");
    EXPECT_FALSE(store().boolean("hideTagEditorInPausedState"));
    auto* focused = dynamic_cast<ui::View*>(window().firstResponder());
    ASSERT_TRUE(focused);
    EXPECT_TRUE(focused == paused().tagTokenField().get() || focused->isDescendantOf(paused().tagTokenField().get()));
}

TEST_F(PausedStateTest, TheStatusItemShowsNoTimeAndAPressedButton)
{
    startSlice(900);
    wait(3);
    EXPECT_EQ(statusTitle(), " 14:57");
    running().pauseOrResumeTimeSlice({});
    EXPECT_EQ(statusTitle(), "");
    EXPECT_EQ(mainController->item()->button()->state(), ui::ControlStateValue::On);
    EXPECT_EQ(eventsNamed("Ostrel_4.TimeSliceRunningState.paused"), (std::vector<PostedEvent> { { "Ostrel_4.TimeSliceRunningState.paused", 3, 900 } }));
    auto titles = entryTitles();
    EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + 3),
        (std::vector<std::string> { "Resume Time Slice", "End Time Slice", "Abort Time Slice" }));
}

}

}
