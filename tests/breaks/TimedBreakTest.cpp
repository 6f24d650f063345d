#include "tests/breaks/BreaksFixture.h"

#include "breaks/MiniRemainingBreakDurationTimeIndicatorWall.h"
#include "breaks/TimedBreakRunningState.h"

#include "core/TimedStateMachineModule.h"
#include "shell/StatusItemMenuManager.h"
#include "states/QuickDurationChangingViewController.h"
#include "viewkit/IntegerTextField.h"
#include "viewkit/BreakElapsedAndEndTimeIndicatorHideableFragmentWall.h"
#include "viewkit/BreakRemainingAndTotalTimeIndicatorHideableFragmentWall.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/SmartMenuItem.h"

#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <cmath>

namespace ostrel::test {

namespace {

using Slot = StateLinkingHelper::Slot;

class TimedBreakTest : public BreaksTest {
protected:
    TimedBreakTest()
    {
        startUp();
        timedBreak = screen<TimedBreakRunningState>(Slot::timedBreak);
    }

    // A break of this many seconds from the preparation screen.
    void startBreakOf(int64_t seconds)
    {
        store().set("breakDurationInSeconds", seconds);
        reachTimedBreak();
        ASSERT_EQ(currentName(), "Ostrel_4.TimedBreakRunningState");
    }
    TimedStateMachineViewModel& viewModel() { return *timedBreak->timedStateMachineModule()->viewModel; }
    // The view model's instant, so many seconds before the break ends.
    void freezeWithRemaining(double seconds)
    {
        auto& model = viewModel();
        model.frozenTime = double(*model.stateMachine()->lastStateTransitionSecond()) + model.totalSeconds() - seconds;
    }
    double remaining() { return viewModel().remainingSeconds(); }

    std::shared_ptr<TimedBreakRunningState> timedBreak;
};

}

TEST_F(TimedBreakTest, ItsLengthIsTheOneTimeLengthThenThePomodoroSlotThenTheSetting)
{
    store().set("breakDurationInSeconds", 420);
    model().oneTimeOnlyBreakDuration = 90;
    model().useOneTimeOnlyBreakDurationThisTimeOnly = true;
    fire("timedBreak");
    EXPECT_EQ(timedBreak->totalTime(), 90);
    fire("aborted");
    EXPECT_FALSE(model().useOneTimeOnlyBreakDurationThisTimeOnly) << "one break only";

    store().set("breakDurationControlAlternative", "pomodoroStyle");
    store().set("secondPomodoroBreakDurationInMinutes", 7);
    fire("timedBreak");
    // The first break of the run took the first slot; this one the second.
    EXPECT_EQ(timedBreak->totalTime(), 7 * 60);
    fire("aborted");

    store().set("breakDurationControlAlternative", "default");
    fire("timedBreak");
    EXPECT_EQ(timedBreak->totalTime(), 420);
}

TEST_F(TimedBreakTest, EachBreakMovesThePomodoroRotationOnWhateverTheStyle)
{
    EXPECT_EQ(model().computedPomodoroCounter(), 0);
    fire("timedBreak");
    EXPECT_EQ(model().computedPomodoroCounter(), 1);
    fire("aborted");
    model().oneTimeOnlyBreakDuration = 60;
    model().useOneTimeOnlyBreakDurationThisTimeOnly = true;
    fire("timedBreak");
    EXPECT_EQ(model().computedPomodoroCounter(), 2);
}

TEST_F(TimedBreakTest, AOneTimeLengthIsForgottenWhicheverWayTheBreakEnds)
{
    model().oneTimeOnlyBreakDuration = 3;
    model().useOneTimeOnlyBreakDurationThisTimeOnly = true;
    fire("timedBreak");
    wait(3.5);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState") << "elapsed";
    EXPECT_FALSE(model().useOneTimeOnlyBreakDurationThisTimeOnly);
    auto ends = eventsNamed("Ostrel_4.TimedBreakRunningState.end");
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0], (Posted { "Ostrel_4.TimedBreakRunningState.end", 3, 3 }));
    // Seconds 1 and 2 tick; the third is the end.
    EXPECT_EQ(eventsNamed("Ostrel_4.TimedBreakRunningState.time").size(), 2u);
}

TEST_F(TimedBreakTest, LengtheningWorksUpToAnHourRemaining)
{
    startBreakOf(3600);
    freezeWithRemaining(3600);
    timedBreak->extendBreakBy(10);
    EXPECT_EQ(timedBreak->totalTime(), 4200);
    freezeWithRemaining(3600.5);
    timedBreak->extendBreakBy(10);
    timedBreak->addOneMinute();
    EXPECT_EQ(timedBreak->totalTime(), 4200);
    freezeWithRemaining(60);
    timedBreak->addOneMinute();
    EXPECT_EQ(timedBreak->totalTime(), 4260);
}

TEST_F(TimedBreakTest, ShorteningLeavesMoreThanAMinute)
{
    startBreakOf(600);
    freezeWithRemaining(120);
    timedBreak->subtractOneMinute();
    EXPECT_EQ(timedBreak->totalTime(), 600);
    freezeWithRemaining(121);
    timedBreak->subtractOneMinute();
    // 61 seconds left of the instant read: 479 gone, 61 to go.
    EXPECT_EQ(timedBreak->totalTime(), 540);
}

TEST_F(TimedBreakTest, TheSliderSetsWholeMinutesOfRemainingTime)
{
    startBreakOf(600);
    // The slider follows the count while the user can see it (the break hid the program).
    window().orderFrontRegardless();
    wait(90);
    timedBreak->sliderMoved(2);
    EXPECT_EQ(timedBreak->totalTime(), 180);
    // Refreshed at once: two minutes left show as two on the slider.
    EXPECT_EQ(timedBreak->durationSlider()->doubleValue(), 2);
    timedBreak->setRemaining(5.5f);
    EXPECT_EQ(timedBreak->totalTime(), 90 + 330);
}

TEST_F(TimedBreakTest, TheStatusItemShowsMinutesAndSecondsLeft)
{
    startBreakOf(3665);
    EXPECT_EQ(statusTitle(), " 61:05");
    EXPECT_EQ(timedBreak->menuItemText(), "61:05");
    fire("aborted");
    startBreakOf(60);
    wait(0.1);
    EXPECT_EQ(timedBreak->menuItemText(), "00:59");
    EXPECT_NEAR(remaining(), 59.9, 1e-6);
    fire("aborted");
    EXPECT_EQ(statusTitle(), "");
}

TEST_F(TimedBreakTest, TheStatusMenuOffersTheFourExtensions)
{
    startBreakOf(600);
    EXPECT_EQ(statusMenuTitles(), (std::vector<std::string> { "Add 1 Minute", "Add 3 Minutes", "Add 5 Minutes", "Add 10 Minutes" }));
    auto items = StatusItemMenuManager::instance().currentMenuItems();
    std::dynamic_pointer_cast<SmartMenuItem>(items[3])->buttonPressed();
    EXPECT_EQ(timedBreak->totalTime(), 1200);
    fire("aborted");
    EXPECT_TRUE(statusMenuTitles().empty());
}

TEST_F(TimedBreakTest, ItHidesTheProgramOnlyWhenTheScreenStaysUncovered)
{
    store().set("shouldHideOnTimedBreakActivation", true);
    startBreakOf(600);
    EXPECT_TRUE(ui::Application::shared()->isHidden());
    fire("aborted");
    ui::Application::shared()->unhide();
    store().set("lockScreenDuringBreak", true);
    reachTimedBreak();
    EXPECT_FALSE(ui::Application::shared()->isHidden());
}

TEST_F(TimedBreakTest, TheCompactReadoutShowsOnlyWhileTheOtherThreeAreHidden)
{
    startBreakOf(600);
    auto findMini = [&]() -> MiniRemainingBreakDurationTimeIndicatorWall* {
        for (const auto& view : timedBreak->updatableViewList())
            if (auto* mini = dynamic_cast<MiniRemainingBreakDurationTimeIndicatorWall*>(view.get()))
                return mini;
        return nullptr;
    };
    auto* mini = findMini();
    ASSERT_TRUE(mini);
    EXPECT_FALSE(isShown(*mini));
    for (const char* key : { "hideBubblesInTBRunningState", "hideDurationAndEndDateInTimedBreak", "hideRemainingAndTotalInTimedBreak" })
        store().set(key, true);
    EXPECT_TRUE(isShown(*mini));
    EXPECT_FALSE(isShown(*timedBreak->remainingAndTotalTimeFragment()));
    // The readouts count while the window is on the screen, as the user looks.
    window().orderFrontRegardless();
    wait(1.0);
    EXPECT_EQ(mini->durationTextField()->stringValue(), "09′59″");
    store().set("hideDurationAndEndDateInTimedBreak", false);
    EXPECT_FALSE(isShown(*mini));
    EXPECT_TRUE(isShown(*timedBreak->elapsedAndEndTimeIndicatorFragment()));
}

TEST_F(TimedBreakTest, TheShareGoneStaysWithinZeroAndOne)
{
    startBreakOf(600);
    EXPECT_EQ(timedBreak->currentProportion(), 0);
    wait(150);
    EXPECT_NEAR(timedBreak->currentProportion(), 0.25, 1e-9);
    timedBreak->extendBreakBy(10);
    EXPECT_NEAR(timedBreak->currentProportion(), 150.0 / 1200, 1e-9);
    viewModel().frozenTime += 5000;
    EXPECT_EQ(timedBreak->currentProportion(), 1);
    fire("aborted");
    EXPECT_EQ(timedBreak->currentProportion(), 0) << "no count";

    // A break of no length at all (a damaged one-time length): nothing to divide by.
    model().oneTimeOnlyBreakDuration = 0;
    model().useOneTimeOnlyBreakDurationThisTimeOnly = true;
    fire("timedBreak");
    double share = timedBreak->currentProportion();
    EXPECT_TRUE(std::isfinite(share));
    EXPECT_GE(share, 0);
    EXPECT_LE(share, 1);
}

TEST_F(TimedBreakTest, ItEndsEarlyByButtonCommandOrEntry)
{
    startBreakOf(600);
    timedBreak->startTimeSlice();
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    reachTimedBreak();
    auto titles = entryTitles();
    EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + 7),
        (std::vector<std::string> { "Finish Timed Break Early", "Extend Break By 1 Minute", "Extend Break By 3 Minutes",
            "Extend Break By 5 Minutes", "Extend Break By 10 Minutes", "Focus Duration Slider", "Quickly Change Duration..." }));
    ASSERT_TRUE(runEntry("Extend Break By 3 Minutes"));
    EXPECT_EQ(timedBreak->totalTime(), 780);
    ASSERT_TRUE(runEntry("Finish Timed Break Early"));
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    auto starts = eventsNamed("Ostrel_4.TimedBreakRunningState.start");
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1], (Posted { "Ostrel_4.TimedBreakRunningState.start", 0, 600 }));
}

TEST_F(TimedBreakTest, TheQuickChangeOpensOnTheWholeMinutesLeft)
{
    startBreakOf(600);
    wait(45);
    timedBreak->changeDuration();
    auto quick = timedBreak->quickDurationChangingViewController();
    ASSERT_TRUE(quick);
    EXPECT_EQ(quick->durationDigitsField()->integerValue(), 9);
    quick->durationDigitsField()->setIntegerValue(3);
    quick->durationDigitsField()->returnKeyActionFunction();
    EXPECT_EQ(timedBreak->totalTime(), 45 + 180);
}

TEST_F(TimedBreakTest, TheFirstFrameReadsTheBreakAlreadyCounting)
{
    store().set("shouldHideOnTimedBreakActivation", false);
    auto& elapsed = *timedBreak->elapsedAndEndTimeIndicatorFragment();
    auto& remaining = *timedBreak->remainingAndTotalTimeFragment();
    std::vector<std::shared_ptr<ui::TextField>> fields { elapsed.elapsedTextField(), elapsed.endDateField(), remaining.remainingTextField(),
        remaining.totalDurationField() };
    auto readout = [&fields] {
        std::vector<std::string> texts;
        for (const auto& field : fields)
            texts.push_back(field->stringValue());
        return texts;
    };
    FirstSight first(elapsed, fields);
    startBreakOf(600);
    window().displayIfNeeded();
    EXPECT_EQ(first.seen(), readout());
    EXPECT_EQ(readout()[2], "10′00″");
}

}
