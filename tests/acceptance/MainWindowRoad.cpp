// The program's own main window where it failed its users: the log book opened over a year
// of logs with the window low on the screen under a window manager, resized, a save refused
// by a read-only day file, Cancel, then maximized and given back its size (a crash, and a
// window left larger than its picture); and SIGTERM in the middle of typing in a pad.
#include "MainWindowHome.h"

#include "platform/text/Rtfd.h"

#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <stdexcept>
#include <string>

namespace ostrel::acceptance {

namespace {

namespace fs = std::filesystem;

const std::string kMainWindow = "^Ostrel$";

std::string pageText(const fs::path& page)
{
    auto document = text::Rtfd::readFile(page);
    return document ? document->text.utf8() : std::string();
}

// "2026-12-31" of a day file of either naming.
std::string dayOf(const fs::path& file)
{
    std::smatch found;
    std::string name = file.filename().string();
    return std::regex_search(name, found, std::regex(R"(\d{4}-\d{2}-\d{2})")) ? found.str() : std::string();
}

class MainWindowRoad : public MainWindowHome {
protected:
    // Started in the furnished home; the main window as it shows once it stands still.
    WindowId startShown(const nlohmann::json& settings = nlohmann::json::object())
    {
        furnish(settings);
        underAWindowManager();
        auto& program = start();
        auto shown = window(kMainWindow, 60);
        if (!shown)
            throw std::runtime_error("the main window never showed:\n" + program.transcript());
        settledFrame(*shown);
        return *shown;
    }
    // The window's place once two looks a moment apart agree.
    Box settledFrame(WindowId window, const std::function<bool(const Box&)>& wanted = [](const Box&) { return true; })
    {
        std::optional<Box> last;
        Box now {};
        eventually(
            [&] {
                now = desktop().frame(window).value_or(Box {});
                bool still = last && *last == now && wanted(now);
                last = now;
                return still;
            },
            15);
        return now;
    }
    // Whether doing something changed what the box shows, once it stood still again, within
    // `seconds`.
    bool changes(const Box& box, const std::function<bool()>& doing, double seconds = 10)
    {
        auto before = desktop().settled(box);
        if (!before || !doing())
            return false;
        return eventually(
            [&] {
                auto now = desktop().settled(box);
                return now && !now->sameAs(*before);
            },
            seconds);
    }
    // Whether most of the box is as light as the log book's rows.
    bool mostlyLight(const Box& box)
    {
        auto picture = desktop().settled(box);
        if (!picture)
            return false;
        int light = 0, all = 0;
        for (int y = 0; y < picture->height(); y += 4)
            for (int x = 0; x < picture->width(); x += 4, ++all)
                light += picture->at(x, y).red > 0.8;
        return light * 2 > all;
    }
    Program& program() { return *m_runs.back(); }
    void expectAliveAndClean()
    {
        ASSERT_TRUE(program().running()) << program().transcript();
        auto exit = program().stop(20);
        ASSERT_TRUE(exit) << "still running 20 s after SIGTERM";
        EXPECT_TRUE(exit->cleanly()) << exit->describe();
        EXPECT_EQ(sanitizerReport(program()), std::nullopt);
    }
};

}

TEST_F(MainWindowRoad, TheLogBookLowOnTheScreenSurvivesResizingARefusedSaveCancelAndMaximizing)
{
    WindowId main = startShown();
    // Where it was stored: 503 from the left, its top 725 above the screen's bottom edge,
    // once the program has put it there again after the window manager's frame moved it (a
    // loaded machine takes its time, and the window stands still a moment before).
    auto screen = desktop().capture();
    ASSERT_TRUE(screen);
    Box placed = settledFrame(main, [&](const Box& b) { return b.x == 503 && b.y == screen->height() - 725; });
    EXPECT_EQ(placed.x, 503);
    EXPECT_EQ(placed.y, screen->height() - 725) << "the window manager's title bar counted into the place";
    // The year read: the rows show.
    Box rows { placed.x + 460, placed.y + 60, placed.width - 480, placed.height - 80 };
    ASSERT_TRUE(eventually([&] { return mostlyLight(rows); }, 30)) << "the log book shows no rows";
    shot("log book open", main);
    // The buttons at the bottom of the left column: where they show, the window is drawn whole.
    Box buttons { 200, placed.height - 32, 240, 28 };
    auto buttonsAt = [&](const Box& frame) { return desktop().settled({ frame.x + buttons.x, frame.y + buttons.y, buttons.width, buttons.height }); };
    auto buttonsBefore = buttonsAt(placed);
    ASSERT_TRUE(buttonsBefore);

    for (auto [width, height] : { std::pair { 700, 400 }, std::pair { 1100, 780 }, std::pair { placed.width, placed.height } }) {
        ASSERT_TRUE(desktop().resize(main, width, height));
        settledFrame(main);
        ASSERT_TRUE(program().running()) << "resized to " << width << "x" << height;
    }

    // The newest row's menu, Edit..., a change, and Save into a day file made read-only.
    auto days = m_home.dayFiles();
    ASSERT_FALSE(days.empty());
    std::string newestDay = dayOf(days.back().path);
    std::map<fs::path, std::string> before;
    std::size_t beforeReadOnly = program().lineCount();
    for (const auto& day : days) {
        if (dayOf(day.path) != newestDay)
            continue;
        before[day.path] = pageText(day.path);
        fs::permissions(day.path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    }
    // The program reads a day file again when its permissions change: once it has, a change
    // on the screen after a key is the key's doing, not the reload's.
    ASSERT_TRUE(program().waitForLine("time slices took", 60, beforeReadOnly)) << "the read-only day was not read again";
    Box frame = settledFrame(main);
    rows = { frame.x + frame.width - 300, frame.y + 30, 300, 200 };
    // The arrow stands 9 points in from the row's right edge, beside the 12-point scroller;
    // its menu opens below it, once a loaded machine has laid out a year of rows at the
    // size given back (as long as it took to show them first).
    Box menu { frame.x + frame.width - 200, frame.y + 50, 200, 80 };
    ASSERT_TRUE(changes(menu, [&] { return desktop().clickAt(frame.x + frame.width - 21, frame.y + 43); }, 30)) << "no row menu";
    shot("row menu");
    ASSERT_TRUE(changes(rows, [&] { return desktop().key("Down") && desktop().key("Down") && desktop().key("Return"); })) << "no editor";
    // Saved once the window has drawn the change, however long a loaded machine takes: an
    // entry merely opened is not written.
    ASSERT_TRUE(changes(frame, [&] { return desktop().type("changed"); })) << "the typing never showed";
    ASSERT_TRUE(desktop().clickAt(frame.x + frame.width - 41, frame.y + frame.height - 20));
    const std::string refused = "^The log entry could not be saved\\.$";
    ASSERT_TRUE(window(refused, 60)) << "no word of the refused save\n" << program().transcript();
    shot("save refused");
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(desktop().waitForNoWindow(refused));
    for (const auto& [path, text] : before)
        EXPECT_EQ(pageText(path), text) << "a read-only day file was written: " << path;
    ASSERT_TRUE(changes(rows, [&] { return desktop().clickAt(frame.x + frame.width - 115, frame.y + frame.height - 20); }))
        << "Cancel did not bring the rows back";

    // Maximized, and given back its size, by the window manager.
    ASSERT_TRUE(desktop().maximize(main));
    Box large = settledFrame(main, [&](const Box& b) { return b.width > placed.width; });
    EXPECT_EQ(large.width, screen->width()) << "not maximized";
    // Drawn to its bottom right corner, not a smaller picture inside the larger window.
    Box corner { large.x + large.width - 40, large.y + large.height - 40, 20, 20 };
    EXPECT_TRUE(eventually(
        [&] {
            auto picture = desktop().settled(corner);
            if (!picture)
                return false;
            auto colour = picture->at(10, 10);
            return colour.red + colour.green + colour.blue > 0.1;
        },
        30))
        << "nothing drawn in the corner";
    shot("maximized", main);
    ASSERT_TRUE(program().running()) << program().transcript();
    ASSERT_TRUE(desktop().maximize(main));
    Box back = settledFrame(main, [&](const Box& b) { return b.width < large.width; });
    EXPECT_EQ(back.width, placed.width);
    EXPECT_EQ(back.height, placed.height);
    // Its year of rows laid out again for the width: a loaded machine takes its time.
    Box now {};
    EXPECT_TRUE(eventually(
        [&] {
            now = desktop().frame(main).value_or(Box {});
            auto buttons = buttonsAt(now);
            return buttons && buttons->sameAs(*buttonsBefore);
        },
        30))
        << "not drawn again at its size";
    EXPECT_EQ(now, back) << "given back at " << back.x << "," << back.y << ", it moved on to " << now.x << "," << now.y << " "
                         << now.width << "x" << now.height;
    shot("given back its size", main);
    expectAliveAndClean();
}

TEST_F(MainWindowRoad, SigtermInTheMiddleOfTypingInAPadLosesNothing)
{
    WindowId main = startShown({ { "logBookPadHidden", true }, { "nowPadHidden", false } });
    fs::path page = m_home.applicationSupport() / "Pads/Now Pad/Roz Ezed 000000.rtfd";
    Box frame = settledFrame(main);
    // The Now pad's page, right of the 440-point column.
    ASSERT_TRUE(desktop().clickAt(frame.x + 640, frame.y + 200));
    ASSERT_TRUE(desktop().key("ctrl+End"));
    // Shown on the page: the program has read every key.
    Box pad { frame.x + 440, frame.y, frame.width - 440, frame.height };
    ASSERT_TRUE(changes(pad, [&] { return desktop().type(" typed right before the end"); })) << "nothing typed showed";
    // Well within the five seconds of the delayed write.
    auto exit = program().stop(20);
    ASSERT_TRUE(exit);
    EXPECT_TRUE(exit->cleanly()) << exit->describe() << program().transcript();
    EXPECT_NE(pageText(page).find("typed right before the end"), std::string::npos) << "the last words were lost";
    EXPECT_EQ(sanitizerReport(program()), std::nullopt);
}

}
