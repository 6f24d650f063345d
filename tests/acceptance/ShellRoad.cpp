// The program's own presence on the desktop: its status item shows and hides the main
// window, a second launch hands its link to the running copy or brings it to the front, and
// Quit on the define screen ends it at once.
#include "Road.h"

namespace ostrel::acceptance {
namespace {

const std::string kMainWindow = "^Ostrel$";

class ShellRoad : public Road {
protected:
    // A returning user's program, its main window shown.
    Program& startReturning()
    {
        m_home.writeSettings(Home::returningUser());
        auto& program = start();
        if (!window(kMainWindow))
            throw std::runtime_error("the main window never showed:\n" + program.transcript());
        return program;
    }
    // The status item: the strip at the top right of the screen, where no tray shows it.
    bool clickStatusItem()
    {
        auto screen = desktop().capture();
        return screen && desktop().clickAt(screen->width() - 16, 16);
    }
};

TEST_F(ShellRoad, TheStatusItemHidesAndShowsTheMainWindow)
{
    auto& program = startReturning();
    shot("define screen");
    ASSERT_TRUE(clickStatusItem());
    EXPECT_TRUE(desktop().waitForNoWindow(kMainWindow)) << "a click on the status item hides the program in front\n"
                                                        << program.transcript();
    shot("hidden");
    ASSERT_TRUE(clickStatusItem());
    auto shown = window(kMainWindow, 10);
    EXPECT_TRUE(shown) << "a second click brings it back\n" << program.transcript();
    shot("shown again");
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(ShellRoad, ASecondLaunchHandsItsLinkOverOrBringsTheFirstToTheFront)
{
    auto& first = startReturning();
    Launch withLink;
    withLink.arguments = { "ostrel2things://ABC-123" };
    auto second = Program::start(m_home, withLink);
    ASSERT_TRUE(second);
    auto ended = second->waitForEnd(10);
    ASSERT_TRUE(ended) << second->transcript();
    EXPECT_EQ(ended->describe(), "exit 0") << second->transcript();
    EXPECT_TRUE(first.waitForLine("could not find Things application")) << first.transcript();
    EXPECT_TRUE(first.waitForLine("url scheme activated!")) << first.transcript();

    ASSERT_TRUE(clickStatusItem());
    ASSERT_TRUE(desktop().waitForNoWindow(kMainWindow));
    auto third = Program::start(m_home);
    ASSERT_TRUE(third);
    auto thirdEnded = third->waitForEnd(10);
    ASSERT_TRUE(thirdEnded);
    EXPECT_EQ(thirdEnded->describe(), "exit 0") << third->transcript();
    EXPECT_TRUE(window(kMainWindow, 10)) << "the running copy comes to the front\n" << first.transcript();
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(ShellRoad, QuitOnTheDefineScreenEndsAtOnce)
{
    auto& program = startReturning();
    auto main = window(kMainWindow);
    ASSERT_TRUE(main);
    ASSERT_TRUE(desktop().focus(*main));
    ASSERT_TRUE(desktop().key("ctrl+q"));
    auto ended = program.waitForEnd(10);
    ASSERT_TRUE(ended) << "Quit asked something or did nothing\n" << program.transcript();
    EXPECT_EQ(ended->describe(), "exit 0");
}

TEST_F(ShellRoad, ASliceCountingWhileTheWindowWasAwayShowsItsCountWhenItComesBack)
{
    auto& program = startReturning();
    auto main = window(kMainWindow);
    ASSERT_TRUE(main);
    ASSERT_TRUE(desktop().focus(*main));
    std::size_t before = program.lineCount();
    ASSERT_TRUE(desktop().type("Count while away"));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(program.waitForScreen("TimeSliceRunningState", 10, before)) << program.transcript();
    // The slice puts the window away as it starts and says so in a banner of the program's
    // name; once that has gone too, the user looks again.
    ASSERT_TRUE(desktop().waitForNoWindow(kMainWindow)) << program.transcript();
    if (desktop().waitForWindow(kMainWindow, 5)) {
        ASSERT_TRUE(desktop().waitForNoWindow(kMainWindow, 20)) << "the banner stayed\n" << program.transcript();
    }
    ASSERT_TRUE(clickStatusItem());
    // The main window, not the start's banner of the same name.
    std::optional<WindowId> shown;
    std::optional<Box> frame;
    ASSERT_TRUE(eventually([&] {
        for (auto candidate : desktop().shownWindows(kMainWindow)) {
            if (auto box = desktop().frame(candidate); box && box->height > 300) {
                shown = candidate;
                frame = box;
                return true;
            }
        }
        return false;
    })) << program.transcript();
    // The read-outs at the bottom count: two looks seconds apart differ.
    Box readOuts { frame->x, frame->y + frame->height - 110, frame->width, 75 };
    auto first = desktop().settled(readOuts);
    shot("shown again while counting", *shown);
    ASSERT_TRUE(first);
    EXPECT_TRUE(eventually([&] {
        auto now = desktop().settled(readOuts);
        return now && !now->sameAs(*first);
    })) << "the read-outs stand still";
    shot("a moment later", *shown);
    EXPECT_EQ(stop(), "exit 0");
}

}
}
