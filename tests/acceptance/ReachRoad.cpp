// The program on the displays its users have, under openbox: a 1280 × 800 screen, where the
// wizard's long choice and the break preparation grew past the bottom edge; the same at
// twice the density, where the main window went above the top; and the command pop-up's hot
// key while the program is hidden, after which the pop-up never showed again.
#include "Looks.h"
#include "MainWindowHome.h"

#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace ostrel::acceptance {
namespace {

const std::string kMainWindow = "^Ostrel$";

class ReachRoad : public MainWindowHome {
protected:
    void TearDown() override
    {
        MainWindowHome::TearDown();
        if (m_outerDisplay)
            setenv("DISPLAY", m_outerDisplay->c_str(), 1);
    }

    // A screen of this size of the road's own, with openbox on it: everything started from
    // here on (the program, xdotool) works there.
    void onScreen(const std::string& size)
    {
        Launch server;
        server.program = "/usr/bin/Xvfb";
        server.arguments = { "-displayfd", "1", "-screen", "0", size + "x24", "-nolisten", "tcp" };
        auto& xvfb = start(server);
        // The display's number, once it takes connections; whatever else it says goes by.
        std::optional<std::string> number;
        eventually(
            [&] {
                for (const auto& line : xvfb.lines())
                    if (!line.text.empty() && line.text.find_first_not_of("0123456789") == std::string::npos)
                        number = line.text;
                return number.has_value();
            },
            30);
        if (!number)
            throw std::runtime_error("Xvfb did not start:\n" + xvfb.transcript());
        if (const char* outer = std::getenv("DISPLAY"))
            m_outerDisplay = outer;
        setenv("DISPLAY", (":" + *number).c_str(), 1);
        underAWindowManager();
    }

    // The window's place once two looks a moment apart agree.
    Box settledFrame(WindowId window)
    {
        // Two looks agreeing while the program, its window manager and the display sleep: a
        // loaded machine showed the window once before it knew its frame, past the screen's
        // bottom, and held it there for longer than a look.
        std::vector<const Program*> ours;
        for (const auto& run : m_runs)
            if (run->running())
                ours.push_back(run.get());
        std::optional<Box> last;
        Box now {};
        eventually(
            [&] {
                now = desktop().frame(window).value_or(Box {});
                bool still = last && *last == now && asleep(ours);
                last = now;
                return still;
            },
            15);
        return now;
    }

    // Whether the window's content and a title bar above it lie on the screen.
    ::testing::AssertionResult inReach(WindowId window)
    {
        Box frame = settledFrame(window);
        Box screen = frameOfScreen();
        // Openbox's title bar: 20 pixels at its default density, never less than 10.
        if (frame.y >= 10 && frame.x >= 0 && frame.y + frame.height <= screen.height)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the window stands at " << frame.x << ", " << frame.y << ", " << frame.width
                                             << " × " << frame.height << " on a screen of " << screen.width << " × "
                                             << screen.height;
    }

    void breakPreparationInReach(const std::string& screen);

    std::optional<std::string> m_outerDisplay;
};

TEST_F(ReachRoad, TheWizardsLongChoiceStaysOnA1280By800Screen)
{
    onScreen("1280x800");
    auto& program = start();
    WindowId main = mainWindow(program);
    ASSERT_TRUE(inReach(main));
    // The technique is the wizard's first choice; the Pomodoro one's text is the longest.
    ASSERT_TRUE(desktop().click(main, 210, 132));
    ASSERT_TRUE(desktop().waitForPicture(main,
        [](const Screenshot& picture) { return picture.count({ 0, 0, picture.width(), picture.height() }, looks::kAccent) > 1000; }));
    ASSERT_TRUE(desktop().key("Down"));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(eventually([&] { return m_home.setting("techniqueProfileChoice") == "pomodoro"; })) << program.transcript();
    EXPECT_TRUE(inReach(main)) << "with the Pomodoro technique's text";
    stillShot("the wizard's long choice", main);
    EXPECT_EQ(stop(), "exit 0");
}

// The break preparation with the settings a returning user has by default, after a slice of
// two minutes, two seconds at this speed.
void ReachRoad::breakPreparationInReach(const std::string& screen)
{
    onScreen(screen);
    auto& program = startReturning({ { "durationInSeconds", 120 } }, Launch::atSpeed(60));
    mainWindow(program);
    std::size_t before = program.lineCount();
    ASSERT_TRUE(runCommand("start time slice"));
    ASSERT_TRUE(program.waitForScreen("TimeSliceRunningState", 10, before)) << program.transcript();
    ASSERT_TRUE(program.waitForScreen("RateTimeSliceState", 60, before)) << program.transcript();
    before = program.lineCount();
    ASSERT_TRUE(runCommand("log time slice"));
    ASSERT_TRUE(program.waitForScreen("PrepareTimedBreakState", 10, before)) << program.transcript();
    WindowId main = mainWindow(program);
    EXPECT_TRUE(inReach(main)) << "on a " << screen << " screen";
    // Its clock runs sixty times as fast: the read-out of the seconds never holds still.
    shot("the break preparation", main);
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(ReachRoad, TheBreakPreparationStaysOnA1280By800Screen) { breakPreparationInReach("1280x800"); }

TEST_F(ReachRoad, TheBreakPreparationStaysOnA1024By768Screen) { breakPreparationInReach("1024x768"); }

TEST_F(ReachRoad, AtTwiceTheDensityTheMainWindowStaysOnTheScreen)
{
    onScreen("1280x800");
    // Twice the density, as Xft.dpi 192 asks for it.
    Launch dense;
    dense.environment = { { "GDK_SCALE", "2" } };
    auto& program = startReturning(nlohmann::json::object(), dense);
    WindowId main = mainWindow(program);
    EXPECT_TRUE(inReach(main));
    stillShot("the define screen at scale 2", main);
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(ReachRoad, ThePopUpsHotKeyShowsAHiddenProgramAndItsPopUpEveryTime)
{
    onScreen("1280x800");
    auto& program = startReturning();
    WindowId main = mainWindow(program);
    settledFrame(main);
    // Hidden by the close button, then by Escape (the define screen's Hide), then again.
    std::function<bool()> hides[] = { [&] { return desktop().askToClose(main); }, [&] { return desktop().key("Escape"); },
        [&] { return desktop().askToClose(main); } };
    bool padOpen = false;
    for (auto& hide : hides) {
        ASSERT_TRUE(hide());
        ASSERT_TRUE(desktop().waitForNoWindow(kMainWindow)) << "the program did not hide";
        ASSERT_TRUE(openCommandPopUp()) << "no pop-up on a program shown again\n" << program.transcript();
        shot("the pop-up over a program shown again");
        // What is typed into the pop-up lands there: the command runs.
        auto popUp = desktop().focusedWindow();
        ASSERT_TRUE(desktop().type("toggle now pad"));
        ASSERT_TRUE(desktop().key("Return"));
        ASSERT_TRUE(eventually([&] { return desktop().focusedWindow() != popUp; }));
        padOpen = !padOpen;
        ASSERT_TRUE(eventually([&] { return m_home.setting("nowPadHidden") == nlohmann::json(!padOpen); }))
            << "the command typed into the pop-up did not run\n" << program.transcript();
        main = mainWindow(program);
        settledFrame(main);
        // The keyboard is back in the main window: the define screen's Escape hides again.
    }
    EXPECT_EQ(stop(), "exit 0");
}

}
}
