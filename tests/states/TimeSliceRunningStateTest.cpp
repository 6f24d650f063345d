#include "SliceScreensFixture.h"

#include "states/DurationSliderForTimeSliceRunningViewController.h"
#include "states/MiniRemainingDurationTimeIndicatorWall.h"
#include "states/QuickDurationChangingViewController.h"
#include "states/StateFragmentStackView.h"

#include "viewkit/IntegerTextField.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall.h"

#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/Popover.h"
#include "platform/ui/StackView.h"
#include "platform/ui/TextField.h"

namespace ostrel::test {

namespace {

class TimeSliceRunningStateTest : public SliceScreensTest {
protected:
    // Pause, then resume at once: the new run's length is what the slice has left.
    int64_t pauseAndResume()
    {
        running().pauseOrResumeTimeSlice({});
        EXPECT_EQ(current(), helper->pausedState());
        paused().pauseOrResumeTimeSlice();
        EXPECT_EQ(current(), helper->timeSliceRunningState());
        return runLength();
    }
    // Back to the define screen with nothing of the slice kept, as skipping the log does.
    void dropSlice()
    {
        Logger::sharedLogger().resetActualSecondsWorked();
        machine->triggerTransition("straightToNextTimeSlice");
    }
    // The view model read as if `seconds` of this run had passed.
    void freezeAt(double seconds) { viewModel().frozenTime = double(*viewModel().stateMachine()->lastStateTransitionSecond()) + seconds; }
    std::vector<std::string> statusMenuTitles()
    {
        std::vector<std::string> titles;
        for (const auto& item : StatusItemMenuManager::instance().currentMenuItems())
            if (!item->isSeparator())
                titles.push_back(item->title());
        return titles;
    }
    double visibilityOf(ui::View& fragment) { return running().fragmentStackView()->visibilityPriority(&fragment); }
};

TEST_F(TimeSliceRunningStateTest, TheReadOutsShowTheSliceFromTheFirstFrameTheWindowIsBack)
{
    // The slice puts the program away as it starts; the user looks again a while later.
    startSlice(900);
    ASSERT_FALSE(window().isVisible());
    wait(100);
    ui::Application::shared()->unhide();
    ASSERT_TRUE(window().isVisible());
    auto& readOuts = *running().remainingAndTotalTimeFragment();
    EXPECT_EQ(readOuts.remainingTextField()->stringValue(), "13′20″") << "not the placeholder until the next tick";
    EXPECT_EQ(readOuts.totalDurationField()->stringValue(), "15′00″");
}

TEST_F(TimeSliceRunningStateTest, ASecondStartQueuedBehindTheFirstMovesNothing)
{
    // Return pressed twice on the define screen: the second arrives once the slice runs.
    startSlice(900);
    EXPECT_FALSE(helper->defineTimeSliceState()->fireTransition("next"));
    EXPECT_EQ(current(), helper->timeSliceRunningState());
}

TEST_F(TimeSliceRunningStateTest, AResumeRunsWhatIsLeftOfTheSliceAndItsExtension)
{
    startSlice(900);
    wait(300);
    EXPECT_EQ(worked(), 300);
    EXPECT_EQ(pauseAndResume(), 600);

    // Three more minutes in the first run: the pause keeps them.
    dropSlice();
    startSlice(900);
    running().add(3);
    EXPECT_EQ(runLength(), 1080);
    wait(300);
    EXPECT_EQ(pauseAndResume(), 780);
}

TEST_F(TimeSliceRunningStateTest, MinutesAddedAfterAResumeSurviveTheNextPauseToTheSecond)
{
    startSlice(900);
    wait(300);
    EXPECT_EQ(pauseAndResume(), 600);
    wait(100);
    running().add(5);
    EXPECT_EQ(runLength(), 900);
    EXPECT_EQ(extension(), 300);
    wait(50);
    EXPECT_EQ(pauseAndResume(), 750);
    wait(750);
    EXPECT_EQ(current(), helper->rateTimeSliceState());
    EXPECT_EQ(worked(), 1200) << "fifteen minutes planned and five added";
}

TEST_F(TimeSliceRunningStateTest, MinutesAreAddedUpToAnHourLeftAndTakenAwayAboveTwoMinutes)
{
    struct Case {
        int64_t length;
        double passed;
        bool add;
        int64_t expected;
    };
    const Case cases[] = { { 3600, 0, true, 3660 }, { 3601, 0.5, true, 3601 }, { 120, 0, false, 120 }, { 121, 0.5, false, 61 } };
    startUp();
    for (const auto& c : cases) {
        startSlice(c.length);
        freezeAt(c.passed);
        if (c.add)
            running().add(1);
        else
            running().subtractOneMinute();
        EXPECT_EQ(runLength(), c.expected) << c.length - c.passed << " s left, " << (c.add ? "add" : "subtract");
        dropSlice();
    }
}

struct EndCase {
    bool skipLogging;
    bool skipAllBreaks;
    bool early;
};

void PrintTo(const EndCase& c, std::ostream* os)
{
    *os << (c.early ? "ended early" : "time up") << (c.skipLogging ? ", skip logging" : "") << (c.skipAllBreaks ? ", skip breaks" : "");
}

class RunningEndTest : public TimeSliceRunningStateTest, public testing::WithParamInterface<EndCase> { };

TEST_P(RunningEndTest, TheSkipRuleDecidesBothEnds)
{
    auto c = GetParam();
    store().set("shouldAlwaysSkipLogging", c.skipLogging);
    store().set("shouldAlwaysSkipAllBreaks", c.skipAllBreaks);
    startSlice(120);
    running().add(1);
    if (c.early) {
        wait(30);
        running().stopTimeSlice({});
    } else {
        wait(180);
    }
    int64_t seconds = c.early ? 30 : 180;
    const char* event = c.early ? "Ostrel_4.TimeSliceRunningState.stopped" : "Ostrel_4.TimeSliceRunningState.elapsed";
    EXPECT_EQ(eventsNamed(event), (std::vector<PostedEvent> { { event, int32_t(seconds), 180 } }));
    bool straightOn = c.skipLogging && c.skipAllBreaks;
    EXPECT_EQ(worked(), straightOn ? 0 : seconds);
    EXPECT_EQ(extension(), straightOn ? 0 : 60);
    if (!c.skipLogging)
        EXPECT_EQ(current(), helper->rateTimeSliceState());
    else
        EXPECT_EQ(current(), straightOn ? helper->defineTimeSliceState() : helper->prepareTimedBreakState());
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, RunningEndTest,
    testing::Values(EndCase { false, false, false }, EndCase { true, false, false }, EndCase { true, true, false },
        EndCase { false, true, true }, EndCase { true, false, true }, EndCase { true, true, true }));

TEST_F(TimeSliceRunningStateTest, TheSoftBreakTakesTheEndWithoutAnElapsedEventAndSilencesTheSound)
{
    store().set("shouldUseSoftBreak", true);
    store().set("continuousSoundOn", true);
    startSlice(60);
    WhiteNoiseMachine::continuousSoundMachine().playSubjectToSettings();
    ASSERT_TRUE(WhiteNoiseMachine::continuousSoundMachine().isPlaying());
    wait(61);
    EXPECT_EQ(current(), helper->softBreakState());
    EXPECT_TRUE(eventsNamed("Ostrel_4.TimeSliceRunningState.elapsed").empty());
    EXPECT_FALSE(WhiteNoiseMachine::continuousSoundMachine().isPlaying());
    EXPECT_EQ(worked(), 60) << "the last second counts too";
}

TEST_F(TimeSliceRunningStateTest, TimesAreTruncatedForTheStatusAndThePopOverButRoundedUpOnTheSlider)
{
    startSlice(60);
    wait(0.1);
    running().updateMenuItem();
    EXPECT_EQ(statusTitle(), " 00:59");

    dropSlice();
    startSlice(120);
    wait(59);
    EXPECT_DOUBLE_EQ(running().slider()->doubleValue(), 2) << "61 s left";
    EXPECT_EQ(store().integer("durationInSeconds"), 120) << "the refresh only shows the remaining minutes";
    running().changeDuration();
    ASSERT_TRUE(running().quickDurationChangingViewController());
    EXPECT_EQ(running().quickDurationChangingViewController()->durationDigitsField()->integerValue(), 1);
}

TEST_F(TimeSliceRunningStateTest, TheAddMinutesItemsStandInTheStatusMenuOnlyWhileTheSliceRuns)
{
    startUp();
    EXPECT_TRUE(statusMenuTitles().empty());
    startSlice(900);
    EXPECT_EQ(statusMenuTitles(), (std::vector<std::string> { "Add 1 Minute", "Add 3 Minutes", "Add 5 Minutes", "Add 10 Minutes" }));
    auto& tenMinutes = dynamic_cast<SmartMenuItem&>(*StatusItemMenuManager::instance().currentMenuItems().back());
    tenMinutes.buttonPressed();
    EXPECT_EQ(runLength(), 1500);
    running().pauseOrResumeTimeSlice({});
    EXPECT_TRUE(statusMenuTitles().empty());
    paused().pauseOrResumeTimeSlice();
    EXPECT_EQ(statusMenuTitles().size(), 4u);
}

TEST_F(TimeSliceRunningStateTest, TheSliderSetsTheRemainingTimeAndThePlannedDurationAlike)
{
    startSlice(900);
    // The window brought back to look at the slider: it follows the count while it shows.
    window().orderFrontRegardless();
    wait(100);
    EXPECT_DOUBLE_EQ(running().slider()->doubleValue(), 14);
    EXPECT_EQ(store().integer("durationInSeconds"), 900) << "the refresh only shows the remaining minutes";
    // Moved as the user moves it, a minute per key: each move stores the minutes through the
    // binding, then sets the remaining time.
    auto slider = running().slider();
    for (int step = 0; step < 7; ++step)
        slider->keyDown(ui::Event::key(ui::Event::Type::KeyDown, &window(), static_cast<std::uint16_t>(base::KeyCode::LeftArrow), ""));
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 7);
    EXPECT_EQ(store().integer("durationInSeconds"), 420);
    EXPECT_EQ(runLength(), 520);
    wait(30);
    EXPECT_EQ(pauseAndResume(), 390) << "seven minutes less the 30 s since";
}

TEST_F(TimeSliceRunningStateTest, AnotherTimeScaleReconfiguresTheRunningSlider)
{
    startSlice(900);
    auto* label = dynamic_cast<LabelFragment*>(running().infoWall()->viewWithIdentifier("Duration: Fragment"));
    ASSERT_TRUE(label);
    auto& menu = *label->wheelButton()->menu();
    int index = menu.indexOfItemWithTitle("Show 2 hours");
    ASSERT_GE(index, 0);
    menu.performActionForItemAt(static_cast<std::size_t>(index));
    auto slider = running().slider();
    EXPECT_DOUBLE_EQ(slider->minValue(), 2);
    EXPECT_DOUBLE_EQ(slider->maxValue(), 120);
    EXPECT_EQ(slider->numberOfTickMarks(), 119);
    store().set("timeSliceTimeScale", int64_t { 3 });
    EXPECT_DOUBLE_EQ(slider->maxValue(), 45);
    EXPECT_EQ(slider->numberOfTickMarks(), 44);
}

TEST_F(TimeSliceRunningStateTest, TheCompactIndicatorShowsTheTimeOnlyWhenTheOtherThreeAreHidden)
{
    startUp();
    auto& mini = *running().miniRemainingDurationIndicator();
    mini.updateState();
    EXPECT_EQ(mini.durationTextField()->stringValue(), "00") << "no slice has run yet";
    EXPECT_EQ(visibilityOf(mini), ui::VisibilityPriority::NotVisible);
    store().set("hideBubblesInTSRunningState", true);
    store().set("hideRemainingAndTotalInRunningState", true);
    EXPECT_EQ(visibilityOf(mini), ui::VisibilityPriority::NotVisible);
    store().set("hideElapsedAndEndTimeInRunningState", true);
    EXPECT_EQ(visibilityOf(mini), ui::VisibilityPriority::MustHold) << "shown, and held as the window grows to it";

    startSlice(130);
    freezeAt(4.1);
    mini.updateState();
    EXPECT_EQ(mini.durationTextField()->stringValue(), "02\u203205\u2033");
}

}

}
