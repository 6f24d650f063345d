#include "ScreensFixture.h"

#include "states/DefineTimeSliceState.h"

#include "core/Clock.h"
#include "mainwindow/ObjectiveTextView.h"

#include "platform/base/Timer.h"

namespace ostrel::test {

namespace {

constexpr double kHour = 3600;
constexpr uint64_t kSecond = 1'000'000'000u;

// Berlin, in January one hour ahead of UTC: the virtual clock's 09:00 UTC start is 10:00 there.
class BringToFrontTest : public ScreensTest {
protected:
    BringToFrontTest()
        : ScreensTest("Europe/Berlin")
    {
    }
    // The program started at a local time of the clock's first day.
    void startAt(double localHours)
    {
        clock.set(base::VirtualTime::kDefaultStart + (localHours - 10) * kHour);
        startUp();
        ASSERT_TRUE(app().isActive());
    }
    DefineTimeSliceState& define() { return static_cast<DefineTimeSliceState&>(*helper->defineTimeSliceState()); }
    // The user goes to another program, whose windows cover ours: nothing of ours draws
    // meanwhile, which keeps hours of virtual time quick.
    void leave()
    {
        app().deactivate();
        window().orderOut();
    }
    void idleFor(uint64_t seconds) { idleNanoseconds = seconds * kSecond; }
};

TEST_F(BringToFrontTest, NothingComesForwardWithEverySettingOff)
{
    startAt(12.5);
    // Past lunch, five minutes away and an hour away, all at once.
    idleFor(4000);
    leave();
    wait(kHour + 60);
    EXPECT_FALSE(app().isActive());
    // Nothing could come forward, so nothing wakes the program away from the front.
    auto timer = define().bringToFrontTimer();
    EXPECT_FALSE(timer && timer->timer() && timer->timer()->isValid());
}

TEST_F(BringToFrontTest, LunchComesForwardAfterOneOnlyOnceTheUserHasBeenAwayAMinute)
{
    store().set("automaticallyBringDefineTimeSliceToFrontAfterLunch", true);
    startAt(12.5);
    idleFor(10);
    leave();
    wait(0.5 * kHour + 30);
    EXPECT_FALSE(app().isActive()) << "at work in another program over lunch time";
    idleFor(61);
    wait(2);
    EXPECT_TRUE(app().isActive());
    EXPECT_TRUE(define().lunchBreakTransitionAlreadyTriggeredOnce());
    EXPECT_FALSE(define().breakfastTransitionAlreadyTriggeredOnce());
    EXPECT_EQ(window().firstResponder(), static_cast<ui::Responder*>(define().objectiveTextView().get()));

    leave();
    wait(600);
    EXPECT_FALSE(app().isActive()) << "a period away that began after one has had its lunch";
}

TEST_F(BringToFrontTest, BreakfastComesForwardAtTheFirstTickAfterFive)
{
    store().set("automaticallyBringDefineTimeSliceToFrontAfterBreakfast", true);
    startAt(4 + 50.0 / 60);
    idleFor(100);
    leave();
    wait(10 * 60 - 0.5);
    EXPECT_FALSE(app().isActive());
    wait(1);
    EXPECT_TRUE(app().isActive());
    EXPECT_TRUE(define().breakfastTransitionAlreadyTriggeredOnce());
}

TEST_F(BringToFrontTest, AWindowLeftShownUnderAnotherProgramAsksForTheKeyboardAsOfNow)
{
    // The main window stays key while another program's window covers it: coming forward,
    // the display is asked for the keyboard, stamped with the time of the asking rather than
    // of the user's last input here, which a window manager refuses as stale.
    store().set("automaticallyBringDefineTimeSliceToFrontAfterBreakfast", true);
    startAt(4 + 59.0 / 60);
    idleFor(100);
    app().deactivate();
    ASSERT_TRUE(window().isKeyWindow());
    int asked = backend().focusRequests();
    wait(61);
    EXPECT_TRUE(app().isActive());
    EXPECT_GT(backend().focusRequests(), asked) << "nothing came forward";
    EXPECT_EQ(backend().lastFocusTime(), 0u);
}

TEST_F(BringToFrontTest, InactivityNeverActsWithinTheFirstTenSecondsOfAPeriodAway)
{
    store().set("automaticallyBringDefineTimeSliceToFrontAfterInactivity", true);
    startAt(15);
    idleFor(400);
    leave();
    wait(9.5);
    EXPECT_FALSE(app().isActive());
    wait(1);
    EXPECT_TRUE(app().isActive());

    // Leaving again starts a new period from that moment.
    leave();
    wait(9.5);
    EXPECT_FALSE(app().isActive());
    wait(1);
    EXPECT_TRUE(app().isActive());
}

TEST_F(BringToFrontTest, AnHourAwayActsOnTheFirstTickAfterExactlyAnHour)
{
    store().set("automaticallyBringDefineTimeSliceToFrontAfterOneHour", true);
    startAt(15);
    idleFor(20);
    leave();
    wait(kHour + 0.5);
    EXPECT_FALSE(app().isActive()) << "an hour exactly is not yet more than an hour";
    wait(1);
    EXPECT_TRUE(app().isActive());
}

TEST_F(BringToFrontTest, EveryLeavingArmsTheCheckSoASwitchTurnedOnWhileAwayActs)
{
    startAt(15);
    idleFor(400);
    leave();
    wait(60);
    EXPECT_FALSE(app().isActive());
    // Switched on while the program is away, as the settings file may be changed.
    store().set("automaticallyBringDefineTimeSliceToFrontAfterInactivity", true);
    wait(1.5);
    EXPECT_TRUE(app().isActive()) << "the period away began when the program was left";

    // Once in front again, the check is off until the next leaving.
    store().set("automaticallyBringDefineTimeSliceToFrontAfterInactivity", false);
    store().set("automaticallyBringDefineTimeSliceToFrontAfterInactivity", true);
    auto& timer = define().bringToFrontTimer();
    EXPECT_FALSE(timer && timer->timer() && timer->timer()->isValid());
}

TEST_F(BringToFrontTest, NothingComesForwardWhileAnotherScreenIsCurrent)
{
    store().set("automaticallyBringDefineTimeSliceToFrontAfterInactivity", true);
    startAt(15);
    machine->triggerTransition("next");
    idleFor(400);
    leave();
    wait(60);
    EXPECT_FALSE(app().isActive());
    auto& timer = define().bringToFrontTimer();
    EXPECT_FALSE(timer && timer->timer() && timer->timer()->isValid()) << "no check wakes the program under another screen";
}

}

}
