#include "tests/breaks/BreaksFixture.h"

#include "breaks/MiniPrepareForBreakDurationTimeIndicatorWall.h"
#include "breaks/PomodoroBreakViewController.h"
#include "breaks/PrepareTimedBreakState.h"
#include "breaks/TimedBreakRunningState.h"

#include "log/Logger.h"
#include "states/QuickDurationChangingViewController.h"
#include "viewkit/CalendarView.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DefineDurationTimeIndicatorWall.h"
#include "viewkit/IntegerTextField.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/TimeBubbleView.h"

#include "platform/ui/Button.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

namespace ostrel::test {

namespace {

using Slot = StateLinkingHelper::Slot;

class PrepareTimedBreakTest : public BreaksTest {
protected:
    PrepareTimedBreakTest()
    {
        startUp();
        reachPrepareTimedBreak();
        prepare = screen<PrepareTimedBreakState>(Slot::prepareBreak);
    }

    int64_t breakSeconds() { return store().integer("breakDurationInSeconds"); }
    void useStyle(const char* style) { store().set("breakDurationControlAlternative", style); }
    // Leaves for the define screen and comes back: a new activation.
    void comeBack()
    {
        fire("nextTimeSlice");
        reachPrepareTimedBreak();
    }
    PomodoroBreakViewController& panel() { return *prepare->pomodoroViewController(); }
    std::vector<int> radioStates()
    {
        std::vector<int> states;
        for (const auto& radio : panel().listOfRadioButtons())
            states.push_back(radio->state());
        return states;
    }

    std::shared_ptr<PrepareTimedBreakState> prepare;
};

// Not yet shown since start-up, as on the first break after a rated slice.
class PreparationFirstShownTest : public BreaksTest {
protected:
    PreparationFirstShownTest() { startUp(); }
};

}

TEST_F(PrepareTimedBreakTest, LeadsToEachBreakAndOnToTheNextSlice)
{
    ASSERT_EQ(currentName(), "Ostrel_4.PrepareTimedBreakState");
    prepare->startInformalBreak();
    EXPECT_EQ(currentName(), "Ostrel_4.InformalBreakState");
    fire("next");
    reachPrepareTimedBreak();
    prepare->startTimeSlice();
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    reachPrepareTimedBreak();
    prepare->startTimedBreak();
    EXPECT_EQ(currentName(), "Ostrel_4.TimedBreakRunningState");
}

TEST_F(PrepareTimedBreakTest, MinuteStepsOfTheDefaultStyleStayWithinTwoMinutesAndAnHour)
{
    struct Step {
        int64_t from;
        bool add;
        int64_t to;
    };
    const Step steps[] = { { 3599, true, 3600 }, { 3600, true, 3600 }, { 90, true, 120 }, { 180, false, 120 }, { 179, false, 179 },
        { 200, false, 120 }, { 125, true, 180 } };
    for (const auto& step : steps) {
        store().set("breakDurationInSeconds", step.from);
        if (step.add)
            prepare->addOneMinute();
        else
            prepare->subtractOneMinute();
        EXPECT_EQ(breakSeconds(), step.to) << step.from << (step.add ? " + 1 minute" : " - 1 minute");
    }
}

TEST_F(PrepareTimedBreakTest, MinuteStepsOfThePomodoroStyleChangeTheCurrentSlotWithinTwoAndSixty)
{
    useStyle("pomodoroStyle");
    store().set("firstPomodoroBreakDurationInMinutes", 60);
    prepare->addOneMinute();
    EXPECT_EQ(store().integer("firstPomodoroBreakDurationInMinutes"), 60);
    store().set("firstPomodoroBreakDurationInMinutes", 2);
    prepare->subtractOneMinute();
    EXPECT_EQ(store().integer("firstPomodoroBreakDurationInMinutes"), 2);

    model().setPomodoroCounter(1);
    prepare->addOneMinute();
    EXPECT_EQ(store().integer("secondPomodoroBreakDurationInMinutes"), 6);
    EXPECT_EQ(store().integer("firstPomodoroBreakDurationInMinutes"), 2);
    EXPECT_EQ(breakSeconds(), 600);
}

TEST_F(PrepareTimedBreakTest, AStyleOfNeitherNameStepsNothingUntilTheNextVisitStoresTheDefault)
{
    for (const char* stored : { "Default", "" }) {
        useStyle(stored);
        prepare->addOneMinute();
        prepare->subtractOneMinute();
        EXPECT_EQ(breakSeconds(), 600) << '"' << stored << '"';
        EXPECT_FALSE(isShown(*prepare->slider())) << '"' << stored << '"';
        EXPECT_FALSE(isShown(*panel().view())) << '"' << stored << '"';
        comeBack();
        EXPECT_EQ(store().string("breakDurationControlAlternative"), "default");
        EXPECT_TRUE(isShown(*prepare->slider()));
    }
    // Removed, it reads as its registered default.
    store().remove("breakDurationControlAlternative");
    comeBack();
    EXPECT_EQ(store().string("breakDurationControlAlternative"), "default");
    EXPECT_TRUE(isShown(*prepare->slider()));
}

TEST_F(PrepareTimedBreakTest, TheSectionsFollowTheStyleAtOnce)
{
    ASSERT_TRUE(isShown(*prepare->slider()));
    EXPECT_TRUE(isShown(*prepare->calendarView()));
    EXPECT_TRUE(isShown(*prepare->bubbleView()));
    EXPECT_FALSE(isShown(*panel().view()));

    ASSERT_TRUE(runEntry("Break Duration Control"));
    EXPECT_EQ(store().string("breakDurationControlAlternative"), "pomodoroStyle");
    EXPECT_FALSE(isShown(*prepare->slider()));
    EXPECT_FALSE(isShown(*prepare->calendarView()));
    EXPECT_FALSE(isShown(*prepare->bubbleView()));
    EXPECT_FALSE(isShown(*prepare->durationIndicatorFragment()));
    EXPECT_TRUE(isShown(*panel().view()));

    // Shown again through the window's displays: the window has grown to hold them first.
    ASSERT_TRUE(runEntry("Break Duration Control"));
    for (int frame = 0; frame < 10; ++frame) {
        window().layoutIfNeeded();
        wait(0.02);
    }
    EXPECT_EQ(store().string("breakDurationControlAlternative"), "default");
    EXPECT_TRUE(isShown(*prepare->slider()));
    EXPECT_TRUE(isShown(*prepare->calendarView()));
    EXPECT_FALSE(isShown(*panel().view()));
}

TEST_F(PrepareTimedBreakTest, TheCompactIndicatorStandsInForTheHiddenFullOne)
{
    auto& mini = *prepare->miniDurationIndicator();
    auto& full = *prepare->durationIndicatorFragment();
    EXPECT_TRUE(isShown(full));
    EXPECT_FALSE(isShown(mini));
    store().set("hideDurationAndEndDateForTimedBreak", true);
    EXPECT_FALSE(isShown(full));
    EXPECT_TRUE(isShown(mini));
    useStyle("pomodoroStyle");
    EXPECT_FALSE(isShown(full));
    EXPECT_FALSE(isShown(mini));

    store().set("breakDurationInSeconds", 600);
    EXPECT_EQ(mini.durationTextField()->stringValue(), "10 Minutes");
    store().set("breakDurationInSeconds", 659);
    EXPECT_EQ(mini.durationTextField()->stringValue(), "10 Minutes");
    store().set("breakDurationInSeconds", 60);
    EXPECT_EQ(mini.durationTextField()->stringValue(), "1 Minutes");
}

TEST_F(PrepareTimedBreakTest, QuickChangeOpensOnWholeMinutesInTheDefaultStyleAndFocusesTheSlotInThePomodoroStyle)
{
    store().set("breakDurationInSeconds", 630);
    prepare->changeDuration();
    auto quick = prepare->quickDurationChangingViewController();
    ASSERT_TRUE(quick);
    EXPECT_EQ(quick->durationDigitsField()->integerValue(), 10);
    quick->durationDigitsField()->setIntegerValue(7);
    quick->durationDigitsField()->returnKeyActionFunction();
    EXPECT_EQ(breakSeconds(), 420);

    // Opening the command pop-up closes the pop-over and lets it go.
    prepare->closeOtherPopUps(PopUpKind::commandPopUp);
    EXPECT_FALSE(prepare->quickDurationChangingViewController());

    useStyle("pomodoroStyle");
    model().setPomodoroCounter(2);
    prepare->changeDuration();
    EXPECT_FALSE(prepare->quickDurationChangingViewController());
    EXPECT_EQ(window().firstResponder(), panel().inputField3().get());
}

TEST_F(PrepareTimedBreakTest, ActivationFocusesTheLengthControlOfTheStyle)
{
    EXPECT_EQ(window().firstResponder(), prepare->slider().get());
    useStyle("pomodoroStyle");
    model().setPomodoroCounter(3);
    comeBack();
    EXPECT_EQ(window().firstResponder(), panel().inputField1().get());
}

TEST_F(PrepareTimedBreakTest, TheRadioButtonsShowTheSlotOfTheRotation)
{
    store().set("fourthPomodoroBreakEnabled", false);
    model().setPomodoroCounter(3);
    panel().update();
    EXPECT_EQ(model().pomodoroSlots, 3);
    EXPECT_EQ(radioStates(), (std::vector<int> { 1, 0, 0, 0 }));

    store().set("fourthPomodoroBreakEnabled", true);
    model().setPomodoroCounter(5);
    panel().update();
    EXPECT_EQ(model().pomodoroSlots, 4);
    EXPECT_EQ(radioStates(), (std::vector<int> { 0, 1, 0, 0 }));
}

TEST_F(PrepareTimedBreakTest, TheSwitchesEnableTheThirdAndFourthSlotsInOrder)
{
    struct Row {
        bool third, fourth;
        bool box3Enabled, box3Shown, box4Enabled, field3, field4, radio3, radio4;
        int64_t slots;
    };
    const Row table[] = {
        { true, true, false, false, true, true, true, true, true, 4 },
        { true, false, true, true, true, true, false, true, false, 3 },
        { false, false, true, true, false, false, false, false, false, 2 },
    };
    auto& radios = panel().listOfRadioButtons();
    for (const auto& row : table) {
        store().set("thirdPomodoroBreakEnabled", row.third);
        store().set("fourthPomodoroBreakEnabled", row.fourth);
        panel().update();
        SCOPED_TRACE(std::to_string(row.slots) + " slots");
        EXPECT_EQ(model().pomodoroSlots, row.slots);
        EXPECT_EQ(panel().checkBox3()->isEnabled(), row.box3Enabled);
        EXPECT_EQ(!panel().checkBox3()->isHidden(), row.box3Shown);
        EXPECT_EQ(panel().checkBox4()->isEnabled(), row.box4Enabled);
        EXPECT_EQ(panel().inputField3()->isEnabled(), row.field3);
        EXPECT_EQ(panel().inputField4()->isEnabled(), row.field4);
        EXPECT_EQ(radios[2]->isEnabled(), row.radio3);
        EXPECT_EQ(radios[3]->isEnabled(), row.radio4);
        EXPECT_TRUE(radios[0]->isEnabled() && radios[1]->isEnabled() && panel().inputField1()->isEnabled());
    }

    // The switch itself: ticking the fourth hides the third's, unticking shows it again.
    store().set("thirdPomodoroBreakEnabled", true);
    panel().update();
    panel().checkBox4()->performClick();
    EXPECT_TRUE(store().boolean("fourthPomodoroBreakEnabled"));
    EXPECT_TRUE(panel().checkBox3()->isHidden());
    panel().checkBox4()->performClick();
    EXPECT_FALSE(panel().checkBox3()->isHidden());
}

TEST_F(PrepareTimedBreakTest, ARadioPressChoosesTheLengthOfTheNextBreak)
{
    useStyle("pomodoroStyle");
    store().set("fourthPomodoroBreakEnabled", false);
    store().set("thirdPomodoroBreakDurationInMinutes", 17);
    panel().update();
    panel().listOfRadioButtons()[2]->performClick();
    EXPECT_EQ(model().computedPomodoroCounter(), 2);
    EXPECT_EQ(radioStates(), (std::vector<int> { 0, 0, 1, 0 }));
    prepare->startTimedBreak();
    auto timedBreak = screen<TimedBreakRunningState>(Slot::timedBreak);
    EXPECT_EQ(timedBreak->totalTime(), 17 * 60);
    // Every timed break moves the rotation on: back to the first of three.
    EXPECT_EQ(model().computedPomodoroCounter(), 0);
}

TEST_F(PrepareTimedBreakTest, OffersItsEntriesInOrder)
{
    auto titles = entryTitles();
    ASSERT_GE(titles.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + 7),
        (std::vector<std::string> { "Start Timed Break", "Start Informal Break", "Go Straight to Next Time Slice", "Focus Duration Slider",
            "Quickly Change Duration...", "Lock Screen During Break", "Do Not Lock Screen During Break" }));
    EXPECT_EQ(std::vector<std::string>(titles.end() - 3, titles.end()),
        (std::vector<std::string> { "Re-Run Profile Selection", "Focus Tag Field", "Focus Objective Field" }));

    EXPECT_TRUE(runEntry("Lock Screen During Break"));
    EXPECT_TRUE(store().boolean("lockScreenDuringBreak"));
    EXPECT_TRUE(runEntry("Do Not Lock Screen During Break"));
    EXPECT_FALSE(store().boolean("lockScreenDuringBreak"));
    EXPECT_TRUE(runEntry("Re-Run Profile Selection"));
    EXPECT_EQ(currentName(), "Ostrel_4.WelcomeState");
}

TEST_F(PrepareTimedBreakTest, FocusCommandsShowTheObjectiveFieldFirst)
{
    store().set("objectiveTextFieldInPrepareTimedBreakState", true);
    store().set("hideTagEditorInPrepareTimedBreakState", true);
    prepare->selectTagTokenField();
    EXPECT_FALSE(store().boolean("objectiveTextFieldInPrepareTimedBreakState"));
    EXPECT_FALSE(store().boolean("hideTagEditorInPrepareTimedBreakState"));
    store().set("objectiveTextFieldInPrepareTimedBreakState", true);
    prepare->selectObjectiveField();
    EXPECT_FALSE(store().boolean("objectiveTextFieldInPrepareTimedBreakState"));
}

TEST_F(PrepareTimedBreakTest, SkippingLoggingForgetsTheWorkedSecondsOnArrival)
{
    Logger::sharedLogger().incrementActualSecondsWorked();
    comeBack();
    EXPECT_EQ(Logger::sharedLogger().actualSecondsWorked(), 1);
    store().set("shouldAlwaysSkipLogging", true);
    comeBack();
    EXPECT_EQ(Logger::sharedLogger().actualSecondsWorked(), 0);
}

TEST_F(PreparationFirstShownTest, TheFirstFrameReadsTheBreakLengthAndItsEnd)
{
    auto prepare = screen<PrepareTimedBreakState>(Slot::prepareBreak);
    auto& full = *prepare->durationIndicatorFragment();
    auto readout = [&full] { return std::vector<std::string> { full.durationTextField()->stringValue(), full.endDateField()->stringValue() }; };
    {
        // Shown for the first time since it was built, as after a rated slice.
        FirstSight first(full, { full.durationTextField(), full.endDateField() });
        reachPrepareTimedBreak();
        window().displayIfNeeded();
        EXPECT_EQ(first.seen(), readout());
        EXPECT_EQ(readout().front(), "10");
    }
    {
        // Back after five minutes elsewhere: the end is five minutes later too.
        fire("nextTimeSlice");
        sleepFor(300);
        FirstSight again(full, { full.durationTextField(), full.endDateField() });
        reachPrepareTimedBreak();
        window().displayIfNeeded();
        EXPECT_EQ(again.seen(), readout());
    }
}

}
