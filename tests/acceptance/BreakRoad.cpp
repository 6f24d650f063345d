// The breaks between slices: a slice ends while the user still works elsewhere, the soft
// break waits for them to stop, the slice is rated and logged, the break is prepared and
// taken under the rest screen, and the define screen follows; an informal break ends by
// itself once the user has been away five minutes.
#include "Looks.h"
#include "Road.h"

#include "tests/acceptance/driver/UserAtWork.h"

#include "log/FullTimeSlice.h"

namespace ostrel::acceptance {
namespace {

class BreakRoad : public Road {
protected:
    // A slice of two minutes started from the define screen with its objective typed.
    WindowId startSlice(Program& program, const std::string& objective)
    {
        auto main = mainWindow(program);
        if (!desktop().focus(main) || !desktop().type(objective))
            throw std::runtime_error("the objective could not be typed");
        std::size_t before = program.lineCount();
        desktop().key("Return");
        if (!program.waitForScreen("TimeSliceRunningState", 10, before))
            throw std::runtime_error("the slice did not start\n" + program.transcript());
        return main;
    }

    // "Log" on the rating screen, then the break preparation.
    WindowId logAndPrepare(Program& program, std::size_t from)
    {
        if (!program.waitForScreen("RateTimeSliceState", 30, from))
            throw std::runtime_error("no rating screen\n" + program.transcript());
        auto main = mainWindow(program);
        stillShot("rating", main);
        std::size_t before = program.lineCount();
        desktop().focus(main);
        desktop().key("Return");
        if (!program.waitForScreen("PrepareTimedBreakState", 10, before))
            throw std::runtime_error("no break preparation after \"Log\"\n" + program.transcript());
        main = mainWindow(program);
        keep("break preparation", desktop().waitForPicture(main, [](const Screenshot& picture) {
            return looks::showsScreen(picture, looks::kBreakColour);
        }));
        return main;
    }
};

TEST_F(BreakRoad, SoftBreakRatingPreparationAndATimedBreakUnderTheRestScreen)
{
    // Twice the speed: the soft break's thirty seconds are fifteen of the road's, room enough
    // for a loaded machine to draw it and for the road to look at it before it ends by itself.
    auto& program = startReturning(
        { { "durationInSeconds", 120 }, { "breakDurationInSeconds", 120 }, { "lockScreenDuringBreak", true } },
        Launch::atSpeed(2));
    std::size_t started = program.lineCount();
    startSlice(program, "Stretch the plan");
    {
        // The user works on in another program as the slice ends: the soft break waits.
        UserAtWork busy(desktop());
        ASSERT_TRUE(program.waitForScreen("SoftBreakState", 120, started)) << program.transcript();
        auto strip = desktop().waitForPicture(looks::statusStripBox(frameOfScreen().width), looks::stripShowsTime);
        ASSERT_TRUE(strip && looks::stripShowsTime(*strip)) << "the soft break counts nowhere";
        keep("soft break counting", strip);
        EXPECT_FALSE(program.showsWithin("RateTimeSliceState", 1, started)) << "the soft break did not wait for the user";
    }
    // Once the user sits still the slice ends quietly, without the forced-break messages.
    auto rating = program.waitForScreen("RateTimeSliceState", 20, started);
    ASSERT_TRUE(rating) << program.transcript();
    EXPECT_TRUE(program.waitForLine("trigger transition: aborted of state: <Ostrel_4.SoftBreakState>", 0, started));
    logAndPrepare(program, started);
    auto days = m_home.dayFiles();
    ASSERT_EQ(days.size(), 1u);
    ASSERT_EQ(days[0].entries.size(), 1u);
    EXPECT_EQ(days[0].entries[0]->objective(), "Stretch the plan");

    // "Start Timed Break" is the preparation's default button; the rest screen covers all.
    std::size_t before = program.lineCount();
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(program.waitForScreen("TimedBreakRunningState", 10, before)) << program.transcript();
    auto rest = desktop().waitForPicture(frameOfScreen(), looks::showsRestScreen, 15);
    ASSERT_TRUE(rest);
    keep("rest screen", rest);
    EXPECT_TRUE(looks::showsRestScreen(*rest)) << "no rest screen over the break";

    // Two minutes later the break is over: the covers go and the define screen is back.
    ASSERT_TRUE(program.waitForScreen("DefineTimeSliceState", 150, before)) << program.transcript();
    EXPECT_TRUE(program.waitForLine("removeRestScreen", 5, before));
    auto main = mainWindow(program);
    auto define = desktop().waitForPicture(main, [](const Screenshot& picture) {
        return looks::showsScreen(picture, looks::kDefineColour);
    });
    keep("define after the break", define);
    ASSERT_TRUE(define && looks::showsScreen(*define, looks::kDefineColour));
    // The covers fade back to normal, which a loaded machine draws late.
    bool gone = eventually([&] {
        auto screen = desktop().capture();
        return screen && !looks::showsRestScreen(*screen);
    });
    if (!gone)
        keep("rest screen stayed", desktop().capture());
    EXPECT_TRUE(gone) << "the rest screen stayed";
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(BreakRoad, AnInformalBreakEndsOnceTheUserHasBeenAwayFiveMinutes)
{
    auto& program = startReturning({ { "durationInSeconds", 120 }, { "shouldUseSoftBreak", false },
                                       { "endInformalBreakAutomaticallyAfterInactivity", true } },
        Launch::atSpeed(60));
    std::size_t started = program.lineCount();
    startSlice(program, "Sort the mail");
    auto main = logAndPrepare(program, started);
    ASSERT_TRUE(desktop().focus(main));
    // Away from here on: the break counts from the last key, which a loaded machine may read
    // a while before it shows the break.
    double lastInputBefore = program.secondsSinceStart();
    ASSERT_TRUE(runCommand("start informal"));
    auto informal = program.waitForScreen("InformalBreakState", 10, started);
    ASSERT_TRUE(informal) << program.transcript();
    std::size_t onBreak = program.lineCount();
    main = mainWindow(program);
    keep("informal break", desktop().waitForPicture(main, [](const Screenshot& picture) {
        return looks::showsScreen(picture, looks::kBreakColour);
    }));

    // 300 seconds without input at sixty times the speed: five seconds of the road's time.
    auto define = program.waitForScreen("DefineTimeSliceState", 40, onBreak);
    ASSERT_TRUE(define) << program.transcript();
    EXPECT_TRUE(program.waitForLine("trigger transition: next of state: <Ostrel_4.InformalBreakState>", 0, onBreak));
    EXPECT_GE(define->seconds - lastInputBefore, 5) << "the break ended before five minutes without input";
    main = mainWindow(program);
    keep("define after the informal break", desktop().waitForPicture(main, [](const Screenshot& picture) {
        return looks::showsScreen(picture, looks::kDefineColour);
    }));
    EXPECT_EQ(stop(), "exit 0");
}

}
}
