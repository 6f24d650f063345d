#include "tests/breaks/BreaksFixture.h"

#include "breaks/InformalBreakState.h"

#include "core/Clock.h"
#include "viewkit/CheckBoxBrick.h"

#include "platform/ui/TextField.h"

namespace ostrel::test {

namespace {

using Slot = StateLinkingHelper::Slot;

// 2026-01-05, a Monday, in the test's time zone (UTC).
constexpr double kMidnight = base::VirtualTime::kDefaultStart - 9 * 3600;
constexpr double at(int hour, int minute, int second = 0) { return kMidnight + hour * 3600 + minute * 60 + second; }

class InformalBreakTest : public BreaksTest {
protected:
    InformalBreakTest() { startUp(); }

    // The break begins now, the idle time the monitor reads already known.
    void beginBreak()
    {
        wait(1.0);
        reachInformalBreak();
        informal = screen<InformalBreakState>(Slot::informalBreak);
        ASSERT_EQ(currentName(), "Ostrel_4.InformalBreakState");
    }
    bool onBreak() const { return currentName() == "Ostrel_4.InformalBreakState"; }
    // The wall clock moves on by itself (as across a long stretch in which nothing changes):
    // the checks see the new time at their next run.
    void jump(double seconds) { clock.set(base::Time::now() + seconds); }
    std::string inactivityLabel() { return informal->inactiveTimeLeftLabel()->stringValue(); }
    std::string remainingLabel() { return informal->timeRemainingLabel()->stringValue(); }

    std::shared_ptr<InformalBreakState> informal;
};

}

TEST_F(InformalBreakTest, NoRuleActsInTheFirstTenSeconds)
{
    store().set("endInformalBreakAutomaticallyAfterInactivity", true);
    setIdleSeconds(1000);
    beginBreak();
    wait(9.95);
    EXPECT_TRUE(onBreak());
    EXPECT_EQ(inactivityLabel(), "");
    wait(0.1);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    EXPECT_EQ(inactivityLabel(), "(No activity for 16 minutes 40 seconds)");
}

TEST_F(InformalBreakTest, TheLabelsKeepThePreviousVisitsTextThroughTheGrace)
{
    store().set("endInformalBreakAutomaticallyAfterInactivity", true);
    setIdleSeconds(125);
    beginBreak();
    wait(10.05);
    EXPECT_EQ(inactivityLabel(), "(No activity for 2 minutes 5 seconds)");
    fire("next");
    setIdleSeconds(0);
    beginBreak();
    wait(9.5);
    EXPECT_EQ(inactivityLabel(), "(No activity for 2 minutes 5 seconds)");
    wait(1.0);
    EXPECT_EQ(inactivityLabel(), "");
}

TEST_F(InformalBreakTest, TheHourRuleEndsTheBreakAtTheFirstCheckAfterAnHour)
{
    store().set("endInformalBreakAutomatically", true);
    beginBreak();
    EXPECT_EQ(remainingLabel(), "");
    wait(10.05);
    EXPECT_EQ(remainingLabel(), "(59 minutes 49 seconds left)");
    jump(879.8);
    wait(0.1);
    EXPECT_EQ(remainingLabel(), "(45 minutes 10 seconds left)");
    jump(2709.9);
    wait(0.1);
    EXPECT_TRUE(onBreak());
    EXPECT_EQ(remainingLabel(), "");
    wait(0.2);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
}

TEST_F(InformalBreakTest, TickingInAnHourRestartsTheHourAndTheGrace)
{
    beginBreak();
    jump(3000);
    store().set("endInformalBreakAutomaticallyAfterInactivity", true);
    setIdleSeconds(400);
    informal->endAutomaticallyAfterAnHourCheckbox()->performClick();
    EXPECT_TRUE(store().boolean("endInformalBreakAutomatically"));
    wait(9.5);
    EXPECT_TRUE(onBreak());
    EXPECT_EQ(remainingLabel(), "");
    setIdleSeconds(0);
    wait(1.0);
    jump(3589);
    wait(0.2);
    EXPECT_TRUE(onBreak());
    wait(0.5);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
}

TEST_F(InformalBreakTest, TheHourRuleSwitchedOnThroughThePopUpKeepsTheBreaksClock)
{
    beginBreak();
    jump(3590);
    ASSERT_TRUE(runEntry("End Break in an Hour"));
    EXPECT_TRUE(store().boolean("endInformalBreakAutomatically"));
    wait(10.5);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
}

TEST_F(InformalBreakTest, LunchEndsABreakBegunBeforeOneOnceItIsOneAndTenSecondsHavePassed)
{
    store().set("endInformalBreakForLunch", true);
    clock.set(at(12, 59));
    beginBreak();
    wait(58.9);
    EXPECT_TRUE(onBreak());
    wait(0.2);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");

    clock.set(at(12, 59, 54));
    beginBreak();
    wait(9.9);
    EXPECT_TRUE(onBreak()) << "the grace holds past 13:00";
    wait(0.2);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");

    clock.set(at(13, 0));
    beginBreak();
    wait(600);
    EXPECT_TRUE(onBreak()) << "begun at 13:00";
}

TEST_F(InformalBreakTest, BreakfastEndsABreakBegunBeforeFiveAtFiveButNotOneBegunTheEveningBefore)
{
    store().set("endInformalBreakForBreakfast", true);
    clock.set(at(1, 0));
    beginBreak();
    clock.set(at(4, 59, 59));
    wait(0.2);
    EXPECT_TRUE(onBreak());
    clock.set(at(5, 0));
    wait(0.15);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");

    clock.set(at(22, 0));
    beginBreak();
    clock.set(at(24 + 5, 30));
    wait(0.5);
    EXPECT_TRUE(onBreak()) << "hours compared without their dates";
}

TEST_F(InformalBreakTest, InactivityEndsTheBreakAt301SecondsNot300)
{
    store().set("endInformalBreakAutomaticallyAfterInactivity", true);
    setIdleSeconds(300);
    beginBreak();
    wait(12);
    EXPECT_TRUE(onBreak());
    EXPECT_EQ(inactivityLabel(), "(No activity for 5 minutes)");
    setIdleSeconds(301);
    wait(1.05);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
}

TEST_F(InformalBreakTest, TheInactivityLabelShowsOnlyWithItsRuleAndSomeIdleTime)
{
    setIdleSeconds(125);
    beginBreak();
    wait(10.5);
    EXPECT_EQ(inactivityLabel(), "") << "rule off";
    store().set("endInformalBreakAutomaticallyAfterInactivity", true);
    wait(0.2);
    EXPECT_EQ(inactivityLabel(), "(No activity for 2 minutes 5 seconds)");
    setIdleSeconds(0.9);
    wait(1.0);
    EXPECT_EQ(inactivityLabel(), "") << "below one second";
}

TEST_F(InformalBreakTest, HidingTheSwitchesLeavesTheRulesOn)
{
    store().set("endInformalBreakAutomaticallyAfterInactivity", true);
    store().set("automaticEndToInformalBreak", true);
    setIdleSeconds(400);
    beginBreak();
    EXPECT_FALSE(isShown(*informal->endForLunchCheckbox()));
    wait(10.1);
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
}

TEST_F(InformalBreakTest, ItsCommandsMoveOnlyTheCurrentScreen)
{
    beginBreak();
    fire("next");
    informal->startTimeSlice();
    informal->backToWelcomePage();
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    beginBreak();
    informal->backToWelcomePage();
    EXPECT_EQ(currentName(), "Ostrel_4.WelcomeState");
    fire("next");
    EXPECT_TRUE(onBreak()) << "the welcome copy leads back to the informal break";
    EXPECT_EQ(entryTitles().front(), "Go to Next Time Slice");
    ASSERT_TRUE(runEntry("Go to Next Time Slice"));
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    // The check timer went with the visit.
    EXPECT_FALSE(informal->automaticTransitionTimer());
}

}
