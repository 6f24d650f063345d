// The main window in a tiling window manager's tile (i3), a pad open: through a slice, its
// rating, the break's preparation and the break back to the define screen, the tile is filled
// and painted on every screen, the pad taking the room the column leaves; the status strip,
// docked across the top of the screen, shows the count while the slice and the break run,
// and nothing of it once they ended.
#include "Looks.h"
#include "Road.h"

#include <filesystem>
#include <fstream>

namespace ostrel::acceptance {
namespace {

namespace fs = std::filesystem;

// The Scratch Pad's page, as the open pad fills its part of the tile with it.
constexpr gfx::Color kScratchPad = gfx::Color::rgb(238 / 255.0, 221 / 255.0, 1.0);

class TilingRoad : public Road {
protected:
    // i3 with a bar at the bottom of the screen and none of the questions of a first start.
    bool underI3()
    {
        if (!fs::exists("/usr/bin/i3")) {
            ADD_FAILURE() << "i3 is not installed (scripts/install-deps)";
            return false;
        }
        fs::path configuration = m_home.path() / "i3-config";
        std::ofstream(configuration) << "# i3 config file (v4)\nfont pango:DejaVu Sans Mono 8\n"
                                        "bar {\n    status_command exec sleep infinity\n}\n";
        Launch manager;
        manager.program = "/usr/bin/i3";
        manager.arguments = { "-c", configuration.string() };
        start(manager);
        if (!desktop().waitForWindowManager(30)) {
            ADD_FAILURE() << "i3 never took the screen";
            return false;
        }
        return true;
    }

    // The main window fills the screen's width but for the tile's borders, and the open pad
    // is painted from the column's edge to the tile's: a picture of the size the window asked
    // for, drawn into the larger tile, ended at its own right edge, the rest stale or black.
    void fillsItsTile(const std::string& step, Program& program, const gfx::Color& screensColour)
    {
        WindowId main = mainWindow(program);
        auto padAcross = [](const Screenshot& picture, int y) {
            int from = 460, to = picture.width() - 8;
            return picture.count({ from, y, to - from, 1 }, kScratchPad) == to - from;
        };
        auto filled = [&](const Screenshot& picture) {
            return looks::showsScreen(picture, screensColour) && padAcross(picture, picture.height() / 3)
                && padAcross(picture, picture.height() / 2) && padAcross(picture, picture.height() * 2 / 3);
        };
        auto picture = desktop().waitForPicture(main, filled, 15);
        keep(step, picture);
        EXPECT_GE(frameOf(main).width, frameOfScreen().width - 8) << step << ": the window does not fill its tile's width";
        EXPECT_TRUE(picture && filled(*picture)) << step << ": the screen with the pad beside it does not fill the tile";
    }

    // Return pressed in the main window: the program's lines from the one it answers with on
    // tell the screens it leads to.
    std::size_t pressReturn(Program& program)
    {
        std::size_t before = program.lineCount();
        EXPECT_TRUE(desktop().focus(mainWindow(program)) && desktop().key("Return")) << "Return was not pressed";
        return before;
    }
    // The strip as it holds still, once it shows the count or no count, as `shows` says.
    bool stripComesTo(bool shows, const std::string& step)
    {
        Box box = looks::statusStripBox(frameOfScreen().width);
        auto strip = desktop().waitForPicture(box, [&](const Screenshot& picture) { return looks::stripShowsTime(picture) == shows; });
        keep(step, strip);
        return strip && looks::stripShowsTime(*strip) == shows;
    }
};

}

TEST_F(TilingRoad, TheTileIsFilledOnEveryScreenAndTheStripsCountGoesWithTheSliceAndTheBreak)
{
    onScreen({ 1280, 800, 96 });
    if (!underI3())
        return;
    // Twenty seconds of slice and of break: a loaded machine reads the Return that started
    // either seconds late, and the count, taken from it, was gone before the strip was seen.
    auto& program = startReturning({ { "scratchPadHidden", false }, { "shouldUseSoftBreak", false }, { "durationInSeconds", 600 },
                                       { "breakDurationInSeconds", 600 } },
        Launch::atSpeed(30));
    fillsItsTile("define", program, looks::kDefineColour);

    // Return in the objective field starts the slice; on the next screens it presses the
    // default button: "Log", then "Start Timed Break".
    std::size_t before = pressReturn(program);
    ASSERT_TRUE(program.waitForScreen("TimeSliceRunningState", 10, before)) << program.transcript();
    EXPECT_TRUE(stripComesTo(true, "strip counting the slice")) << "the status strip shows no time";

    ASSERT_TRUE(program.waitForScreen("RateTimeSliceState", 60, before)) << program.transcript();
    fillsItsTile("rating", program, looks::kWelcomeAndRatingColour);
    EXPECT_TRUE(stripComesTo(false, "strip after the slice")) << "the slice's count stayed in the status strip";

    before = pressReturn(program);
    ASSERT_TRUE(program.waitForScreen("PrepareTimedBreakState", 20, before)) << program.transcript();
    fillsItsTile("preparing the break", program, looks::kBreakColour);

    before = pressReturn(program);
    ASSERT_TRUE(program.waitForScreen("TimedBreakRunningState", 10, before)) << program.transcript();
    EXPECT_TRUE(stripComesTo(true, "strip counting the break")) << "the status strip shows no time in the break";
    ASSERT_TRUE(program.waitForScreen("DefineTimeSliceState", 60, before)) << program.transcript();
    fillsItsTile("define after the break", program, looks::kDefineColour);
    EXPECT_TRUE(stripComesTo(false, "strip after the break")) << "the break's count stayed in the status strip";
    EXPECT_EQ(stop(), "exit 0");
}

}
