// The screen flashes of the soft break, one road per choice: a slice of two seconds runs out
// into the soft break, which the user, sitting still, ends at its first second. The clock
// runs at a tenth of its speed, so that each flash (0.2 seconds there and back) stays on the
// screen long enough to be seen: none with the choice 0 or any other, the tock's with 1,
// every tick's and the tock's with 3.
#include "Road.h"

namespace ostrel::acceptance {
namespace {

constexpr double kSpeed = 0.1;

class SoftBreakFlashRoad : public Road {
protected:
    // Runs a slice into the soft break with the flash choice; `tick` and `tock` say whether
    // the first tick's and the tock's flashes are to be seen.
    void runWithChoice(int choice, bool tick, bool tock)
    {
        auto& program = startReturning(
            { { "durationInSeconds", 2 }, { "softBreakScreenFlashingChoice", choice }, { "shouldUseSoftBreak", true } },
            Launch::atSpeed(kSpeed));
        m_screen = frameOfScreen();
        auto main = mainWindow(program);
        ASSERT_TRUE(desktop().focus(main) && desktop().type("Watch the screen"));
        std::size_t before = program.lineCount();
        ASSERT_TRUE(desktop().key("Return"));
        ASSERT_TRUE(program.waitForScreen("TimeSliceRunningState", 20, before)) << program.transcript();

        // One second before the end: the first tick. Its flash would come before the tock.
        ASSERT_TRUE(program.waitForLine("playFirstTick()", 60, before)) << program.transcript();
        expectFlash("first tick", tick, [&] { return program.waitForLine("playTock()", 0, before).has_value(); });
        // The user sits still: the soft break ends at its first second, with the tock alone.
        // Its flash comes once the rating screen has shown, however long a loaded machine
        // takes for that.
        ASSERT_TRUE(program.waitForLine("playTock()", 90, before)) << program.transcript();
        expectFlash("tock", tock, [&] { return program.showsWithin("RateTimeSliceState", 0, before) && asleep({ &program }); });
        ASSERT_TRUE(program.waitForScreen("RateTimeSliceState", 30, before)) << program.transcript();
        EXPECT_EQ(stop(), "exit 0");
    }

    // A flash is the program's cover over the whole screen, put up for as long as it lasts:
    // one that comes is watched until it goes, and must have tinted the screen meanwhile;
    // none may come before `cueOver`. The picture is kept either way.
    void expectFlash(const std::string& cue, bool shown, const std::function<bool()>& cueOver)
    {
        bool covered = false;
        std::optional<Screenshot> picture;
        bool flashed = false;
        eventually(
            [&] {
                // The corners alone, read before the cover is looked for: a whole screen read
                // on a loaded machine took longer than the flash's middle.
                if (!flashed && tinted() == true) {
                    flashed = true;
                    picture = desktop().capture();
                }
                bool cover = coverShown();
                covered = covered || cover;
                return covered ? !cover : cueOver();
            },
            120);
        if (!picture)
            picture = desktop().capture();
        keep(cue + (covered ? " flashes" : " does not flash"), picture);
        EXPECT_EQ(covered, shown) << cue;
        if (!covered)
            return;
        EXPECT_FALSE(coverShown()) << cue << ": the flash cover stayed";
        EXPECT_TRUE(flashed) << cue << ": the cover never tinted the screen";
        EXPECT_EQ(tinted(), false) << cue << ": the tint stayed after the cover went";
    }

    // Most of the screen's corners (the desktop shows black there) tinted towards the flash
    // colour (a blue-grey, 0.214, 0.24, 0.325), as they are for the middle half of a flash;
    // none where they could not be read.
    std::optional<bool> tinted()
    {
        int x = m_screen.x, y = m_screen.y, w = m_screen.width, h = m_screen.height, blue = 0, probed = 0;
        for (Box box : { Box { x, y + h - 60, 60, 60 }, Box { x + w - 60, y + h - 60, 60, 60 }, Box { x, y + 60, 60, 60 } }) {
            auto corner = desktop().capture(box);
            if (!corner)
                return std::nullopt;
            for (int py = 0; py < corner->height(); py += 4) {
                for (int px = 0; px < corner->width(); px += 4) {
                    auto c = corner->at(px, py);
                    ++probed;
                    blue += c.blue > 0.1 && c.blue - c.red > 0.025 && c.blue - c.green > 0.015;
                }
            }
        }
        return blue * 10 > probed * 9;
    }

    bool coverShown()
    {
        for (WindowId window : desktop().shownWindows("^Ostrel$"))
            if (desktop().frame(window) == m_screen)
                return true;
        return false;
    }

private:
    Box m_screen {};
};

TEST_F(SoftBreakFlashRoad, ChoiceNoneFlashesNothing) { runWithChoice(0, false, false); }

TEST_F(SoftBreakFlashRoad, ChoiceOneFlashesTheTockOnly) { runWithChoice(1, false, true); }

TEST_F(SoftBreakFlashRoad, AnyOtherChoiceFlashesNothing) { runWithChoice(2, false, false); }

TEST_F(SoftBreakFlashRoad, ChoiceThreeFlashesEveryTickAndTheTock) { runWithChoice(3, true, true); }

}
}
