#include "tests/breaks/BreaksFixture.h"

#include "breaks/PomodoroBreakViewController.h"
#include "breaks/PrepareTimedBreakState.h"

#include "platform/ui/Window.h"

namespace ostrel::test {

namespace {

// Every break screen as the main window shows it, with its sections shown and hidden, for
// the eye: they go where writePicture() puts them.
class BreakScreenPicturesTest : public BreaksTest {
protected:
    BreakScreenPicturesTest() { startUp(); }

    void hide(std::initializer_list<const char*> keys)
    {
        for (const char* key : keys)
            store().set(key, true);
    }
    void picture(const std::string& name)
    {
        wait(1.2);
        writePicture(window(), name);
    }
};

}

TEST_F(BreakScreenPicturesTest, BreakPreparationInBothStyles)
{
    store().set("breakDurationInSeconds", 1200);
    reachPrepareTimedBreak();
    picture("prepare-default");
    hide({ "hideCalendarEventsInPrepareTimedBreak", "hideBubblesInPrepareTimedBreakState", "hideDurationAndEndDateForTimedBreak",
        "lockScreenOption", "objectiveTextFieldInPrepareTimedBreakState", "straightToNextTimeSliceOption", "informalBreakOption" });
    picture("prepare-default-hidden");
    store().set("breakDurationControlAlternative", "pomodoroStyle");
    model().setPomodoroCounter(1);
    screen<PrepareTimedBreakState>(StateLinkingHelper::Slot::prepareBreak)->pomodoroViewController()->update();
    picture("prepare-pomodoro-hidden");
    for (const char* key : { "lockScreenOption", "objectiveTextFieldInPrepareTimedBreakState", "straightToNextTimeSliceOption",
             "informalBreakOption" })
        store().set(key, false);
    store().set("fourthPomodoroBreakEnabled", false);
    screen<PrepareTimedBreakState>(StateLinkingHelper::Slot::prepareBreak)->pomodoroViewController()->update();
    picture("prepare-pomodoro");
    EXPECT_EQ(currentName(), "Ostrel_4.PrepareTimedBreakState");
}

TEST_F(BreakScreenPicturesTest, TimedBreakWithItsReadoutsShownAndHidden)
{
    store().set("shouldHideOnTimedBreakActivation", false);
    reachTimedBreak();
    wait(65);
    picture("timed-break");
    hide({ "hideBubblesInTBRunningState", "hideDurationAndEndDateInTimedBreak", "hideRemainingAndTotalInTimedBreak" });
    picture("timed-break-hidden");
    EXPECT_EQ(currentName(), "Ostrel_4.TimedBreakRunningState");
}

TEST_F(BreakScreenPicturesTest, InformalBreakWithItsSwitchesShownAndHidden)
{
    store().set("endInformalBreakAutomatically", true);
    store().set("endInformalBreakAutomaticallyAfterInactivity", true);
    setIdleSeconds(299);
    reachInformalBreak();
    wait(12);
    picture("informal-break");
    hide({ "automaticEndToInformalBreak", "hideTagEditorInInformalBreakState" });
    picture("informal-break-hidden");
    EXPECT_EQ(currentName(), "Ostrel_4.InformalBreakState");
}

TEST_F(BreakScreenPicturesTest, SoftBreakWithItsSectionsShownAndHidden)
{
    reachSoftBreak();
    picture("soft-break");
    hide({ "softBreakOption", "softBreakExtensionOption" });
    picture("soft-break-hidden");
    EXPECT_EQ(currentName(), "Ostrel_4.SoftBreakState");
}

}
