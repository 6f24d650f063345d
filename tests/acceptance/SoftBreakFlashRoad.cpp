// The screen flashes of the soft break, one road per choice: a slice of two seconds runs out
// into the soft break, which the user, sitting still, ends at its first second. The clock
// runs at a tenth of its speed, so that each flash (0.2 seconds there and back) stays on the
// screen long enough to be seen: none with the choice 0 or any other, the tock's with 1,
// every tick's and the tock's with 3.
#include "Road.h"

namespace ostrel::acceptance {
namespace {

constexpr double kSpeed = 0.1;

// Most of the screen tinted towards the flash colour (a blue-grey, 0.214, 0.24, 0.325): its
// corners, where the desktop shows black around the main window, turned blue, as they are
// for the middle half of a flash.
bool showsFlash(const Screenshot& screen)
{
    int w = screen.width(), h = screen.height(), tinted = 0, probed = 0;
    for (Box corner : { Box { 0, h - 60, 60, 60 }, Box { w - 60, h - 60, 60, 60 }, Box { 0, 60, 60, 60 } }) {
        for (int y = corner.y; y < corner.y + corner.height; y += 4) {
            for (int x = corner.x; x < corner.x + corner.width; x += 4) {
                auto c = screen.at(x, y);
                ++probed;
                tinted += c.blue > 0.1 && c.blue - c.red > 0.025 && c.blue - c.green > 0.015;
            }
        }
    }
    return tinted * 10 > probed * 9;
}

class SoftBreakFlashRoad : public Road {
protected:
    // Runs a slice into the soft break with the flash choice; `tick` and `tock` say whether
    // the first tick's and the tock's flashes are to be seen.
    void runWithChoice(int choice, bool tick, bool tock)
    {
        auto& program = startReturning(
            { { "durationInSeconds", 2 }, { "softBreakScreenFlashingChoice", choice }, { "shouldUseSoftBreak", true } },
            Launch::atSpeed(kSpeed));
        auto main = mainWindow(program);
        ASSERT_TRUE(desktop().focus(main) && desktop().type("Watch the screen"));
        std::size_t before = program.lineCount();
        ASSERT_TRUE(desktop().key("Return"));
        ASSERT_TRUE(program.waitForScreen("TimeSliceRunningState", 20, before)) << program.transcript();

        // One second before the end: the first tick.
        ASSERT_TRUE(program.waitForLine("playFirstTick()", 60, before)) << program.transcript();
        expectFlash("first tick", tick);
        // The user sits still: the soft break ends at its first second, with the tock alone.
        ASSERT_TRUE(program.waitForLine("playTock()", 90, before)) << program.transcript();
        expectFlash("tock", tock);
        ASSERT_TRUE(program.waitForScreen("RateTimeSliceState", 30, before)) << program.transcript();
        EXPECT_EQ(stop(), "exit 0");
    }

    // A flash rises within a few seconds at this speed, once the moment's work is done; the
    // picture is kept either way.
    void expectFlash(const std::string& cue, bool shown)
    {
        auto picture = desktop().waitForPicture(frameOfScreen(), showsFlash, 6);
        keep(cue + (shown ? " flashes" : " does not flash"), picture);
        ASSERT_TRUE(picture);
        EXPECT_EQ(showsFlash(*picture), shown) << cue;
        // The flash goes again before the next cue is waited for.
        if (shown) {
            auto after = desktop().waitForPicture(frameOfScreen(), [](const Screenshot& s) { return !showsFlash(s); }, 10);
            EXPECT_TRUE(after && !showsFlash(*after)) << cue << ": the flash cover stayed";
        }
    }
};

TEST_F(SoftBreakFlashRoad, ChoiceNoneFlashesNothing) { runWithChoice(0, false, false); }

TEST_F(SoftBreakFlashRoad, ChoiceOneFlashesTheTockOnly) { runWithChoice(1, false, true); }

TEST_F(SoftBreakFlashRoad, AnyOtherChoiceFlashesNothing) { runWithChoice(2, false, false); }

TEST_F(SoftBreakFlashRoad, ChoiceThreeFlashesEveryTickAndTheTock) { runWithChoice(3, true, true); }

}
}
