#include "SliceScreensFixture.h"

#include "states/QuickDurationChangingViewController.h"

#include "mainwindow/ObjectiveTextView.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/base/Files.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Popover.h"

#include <map>

namespace ostrel::test {

namespace {

namespace fs = std::filesystem;

class SliceRoadTest : public SliceScreensTest {
protected:
    // A 2-minute slice defined as the user defines one: the objective typed with its tag, the
    // tag taken out by the parser, the slice started by the start command.
    void defineTwoMinutes()
    {
        store().set("durationInSeconds", 120);
        startUp();
        type("Write the chapter @writing");
        ASSERT_TRUE(helper->defineTimeSliceState()->tryToPerform("parseObjective:"));
        ASSERT_TRUE(helper->defineTimeSliceState()->tryToPerform("startTimeSlice:"));
        ASSERT_EQ(current(), helper->timeSliceRunningState());
    }
    PushButtonBrick& logButton()
    {
        for (auto* button : viewsOf<PushButtonBrick>(*rate().buttonWall()))
            if (button->title() == "Log")
                return *button;
        throw std::runtime_error("no Log button");
    }
    void expectTheOneEntry()
    {
        auto entries = todaysEntries();
        ASSERT_EQ(entries.size(), 1u);
        auto& entry = *entries[0];
        EXPECT_EQ(entry.objective(), "Write the chapter");
        EXPECT_EQ(entry.tagString(), "writing");
        EXPECT_EQ(entry.duration(), 120);
        EXPECT_EQ(entry.actualDuration(), 120);
        EXPECT_EQ(eventsNamed("Ostrel_4.TimeSliceRunningState.elapsed"),
            (std::vector<PostedEvent> { { "Ostrel_4.TimeSliceRunningState.elapsed", 120, 120 } }));
    }
};

TEST_F(SliceRoadTest, WholeRoadLogsOneEntry)
{
    defineTwoMinutes();
    wait(121);
    ASSERT_EQ(current(), helper->rateTimeSliceState());
    EXPECT_FALSE(app().isHidden()) << "the rating comes to the front";
    window().layoutIfNeeded();
    click(logButton());
    EXPECT_EQ(current(), helper->prepareTimedBreakState());
    expectTheOneEntry();
    EXPECT_EQ(worked(), 0);
}

TEST_F(SliceRoadTest, SuspendMidSliceEndsOnce)
{
    defineTwoMinutes();
    wait(30);
    sleepFor(600);
    ASSERT_EQ(current(), helper->rateTimeSliceState());
    EXPECT_EQ(worked(), 120);
    // A replay counts every missed second but tells of each clock second at most once.
    std::map<int32_t, int> timeEventsPerValue;
    for (const auto& event : eventsNamed("Ostrel_4.TimeSliceRunningState.time"))
        ++timeEventsPerValue[event.value];
    for (const auto& [value, count] : timeEventsPerValue)
        EXPECT_EQ(count, 1) << "elapsed " << value;
    EXPECT_LE(eventsNamed("Ostrel_4.TimeSliceRunningState.time").size(), 31u);
    rate().internalContinue();
    expectTheOneEntry();
}

TEST_F(SliceRoadTest, Pictures)
{
    store().set("continuousSoundOn", true);
    defineTwoMinutes();
    appDelegate->makeFront();
    wait(5);
    writePicture(window(), "running-fresh");

    for (const char* key : { "hideBubblesInTSRunningState", "hideElapsedAndEndTimeInRunningState", "hideRemainingAndTotalInRunningState" })
        store().set(key, true);
    wait(1);
    writePicture(window(), "running-time-views-hidden");
    for (const char* key : { "hideBubblesInTSRunningState", "hideElapsedAndEndTimeInRunningState", "hideRemainingAndTotalInRunningState" })
        store().set(key, false);
    store().set("hideContinuousSoundInTimeSliceRunningState", false);
    wait(1);
    writePicture(window(), "running-continuous-sound");
    store().set("hideContinuousSoundInTimeSliceRunningState", true);

    running().changeDuration();
    auto popOver = running().quickDurationChangingViewController()->popOver();
    ASSERT_TRUE(popOver->isShown());
    writePicture(window(), "running-with-popover");
    writePicture(*popOver->window(), "running-popover");
    popOver->close();

    running().pauseOrResumeTimeSlice({});
    appDelegate->makeFront();
    wait(1);
    writePicture(window(), "paused");
    paused().pauseOrResumeTimeSlice();

    running().stopTimeSlice({});
    wait(1);
    writePicture(window(), "rating-completed");
    rate().completedCheckbox()->performClick();
    wait(1);
    writePicture(window(), "rating-not-completed");
    for (const char* key : { "extendTimeSliceFragmentOptionInRateTimeSliceStep", "doNotLogOption", "breadcrumbsOption", "primingOption" })
        store().set(key, true);
    wait(1);
    writePicture(window(), "rating-options-hidden");

    fs::path today = todaysLogFile();
    ASSERT_TRUE(text::Rtfd::writeFile(today, text::AttributedString::fromUtf8("an earlier entry\n")));
    std::string whole = *base::files::readBytes(today / "TXT.rtf", 1 << 20);
    ASSERT_TRUE(base::files::writeAtomically(today / "TXT.rtf", whole.substr(0, whole.size() - 8)));
    ui::Alert::installAsPresenter();
    ui::Alert::setResponder([this](ui::Alert& alert) -> std::optional<int> {
        writePicture(*alert.window(), "failed-append-alert");
        return 0;
    });
    rate().internalContinue();
    ui::Alert::setResponder({});
    wait(1);
    writePicture(window(), "failed-append-screen-stays");
    EXPECT_EQ(current(), helper->rateTimeSliceState());
}

}

}
