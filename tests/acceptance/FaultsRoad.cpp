// What the program meets when things go wrong around it: killed outright in the middle of a
// slice, a day file arriving from another computer sharing the log folder, a settings file
// damaged behind its back. Nothing logged is lost and nothing damaged stops it.
#include "Looks.h"
#include "Road.h"

#include "log/FullTimeSlice.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace ostrel::acceptance {
namespace {

namespace fs = std::filesystem;

class FaultsRoad : public Road {
protected:
    // From the define screen: a slice with this objective counted, rated and logged, and
    // the program back on the define screen.
    void logSlice(Program& program, const std::string& objective)
    {
        std::size_t from = program.lineCount();
        auto main = mainWindow(program);
        ASSERT_TRUE(desktop().focus(main));
        ASSERT_TRUE(desktop().key("ctrl+a"));
        ASSERT_TRUE(desktop().type(objective));
        ASSERT_TRUE(desktop().key("Return"));
        ASSERT_TRUE(program.waitForScreen("RateTimeSliceState", 20, from)) << program.transcript();
        main = mainWindow(program);
        ASSERT_TRUE(desktop().focus(main));
        ASSERT_TRUE(desktop().key("Return"));
        ASSERT_TRUE(program.waitForScreen("PrepareTimedBreakState", 10, from)) << program.transcript();
        main = mainWindow(program);
        ASSERT_TRUE(runCommand("go straight to next"));
        ASSERT_TRUE(program.waitForScreen("DefineTimeSliceState", 10, from)) << program.transcript();
    }

    // The log book's rows as light boxes at the top of its pad, one under the other.
    int logBookRows(const Screenshot& main)
    {
        int rows = 0;
        for (int top = 40; top + 60 <= main.height(); top += 68) {
            if (looks::lightPixels(main, { main.width() - 300, top, 300, 60 }) < 5000)
                break;
            ++rows;
        }
        return rows;
    }

    std::optional<Screenshot> openLogBook(WindowId main, int rows)
    {
        if (!desktop().focus(main) || !desktop().key("ctrl+2"))
            return std::nullopt;
        return desktop().waitForPicture(main, [&](const Screenshot& picture) { return logBookRows(picture) >= rows; });
    }

    // The Now pad opened (from hidden) in the main window and `words` typed into it, read by the program
    // (its main thread idle again) but well within the five seconds before it saves them.
    void typeIntoNowPad(Program& program, const std::string& words)
    {
        auto main = mainWindow(program);
        ASSERT_TRUE(desktop().focus(main));
        ASSERT_TRUE(desktop().key("ctrl+alt+n"));
        ASSERT_TRUE(desktop().waitForPicture(main, [](const Screenshot& picture) { return picture.width() > 700; }))
            << "the Now pad did not open\n"
            << program.transcript();
        ASSERT_TRUE(desktop().type(words));
        ASSERT_TRUE(eventually([&] { return program.idle(); })) << program.transcript();
    }

    std::string nowPadOnDisk() const
    {
        std::string all;
        for (const auto& page : m_home.padPages("Now Pad"))
            all += page ? page->utf8() : std::string("(unreadable)");
        return all;
    }

    std::vector<std::string> loggedObjectives() const
    {
        std::vector<std::string> objectives;
        for (const auto& day : m_home.dayFiles()) {
            EXPECT_TRUE(day.readsWhole) << day.path << " does not read whole";
            for (const auto& entry : day.entries)
                objectives.push_back(entry->objective());
        }
        return objectives;
    }
};

TEST_F(FaultsRoad, KilledMidSliceItKeepsEveryLoggedEntryAndEveryDayFileReadsWhole)
{
    auto& program = startReturning({ { "durationInSeconds", 120 }, { "shouldUseSoftBreak", false } }, Launch::atSpeed(60));
    logSlice(program, "First entry");
    logSlice(program, "Second entry");
    std::vector<std::string> logged { "First entry", "Second entry" };
    ASSERT_EQ(loggedObjectives(), logged);

    // A third slice of twenty minutes, killed while it counts: a crash or a power cut.
    auto main = mainWindow(program);
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("ctrl+a"));
    ASSERT_TRUE(desktop().type("Third entry 20 min"));
    // Typed keys and the pop-up's hot key come by two connections to the display: the text
    // is in before the hot key goes.
    ASSERT_TRUE(eventually([&] { return m_home.objective() == "Third entry 20 min"; })) << program.transcript();
    ASSERT_TRUE(runCommand("parse objective"));
    ASSERT_TRUE(eventually([&] { return m_home.setting("durationInSeconds") == 1200; })) << program.transcript();
    std::size_t before = program.lineCount();
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(program.waitForScreen("TimeSliceRunningState", 10, before)) << program.transcript();
    EXPECT_EQ(program.kill().describe(), "signal 9 (Killed)");
    EXPECT_EQ(loggedObjectives(), logged);
    EXPECT_TRUE(m_home.settings()) << "the settings file does not read after the kill";

    auto& again = start();
    ASSERT_TRUE(again.waitForLine("loading 2 time slices", 20)) << again.transcript();
    main = mainWindow(again);
    auto book = openLogBook(main, 2);
    keep("log book after the kill", book);
    ASSERT_TRUE(book);
    EXPECT_EQ(logBookRows(*book), 2) << "the log book does not show both entries";
    EXPECT_EQ(loggedObjectives(), logged);
    for (const auto& file : m_home.halfWrittenFiles())
        EXPECT_FALSE(file.string().starts_with(m_home.logFolder().string())) << "left in the log folder: " << file;
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(FaultsRoad, ADayFileAnotherComputerWritesAppearsInTheLogBook)
{
    auto& program = startReturning();
    auto main = mainWindow(program);
    ASSERT_TRUE(program.waitForLine("loading 0 time slices", 20)) << program.transcript();
    auto empty = openLogBook(main, 0);
    keep("empty log book", empty);

    std::time_t now = std::time(nullptr);
    char day[16];
    std::strftime(day, sizeof day, "%Y-%m-%d", std::gmtime(&now));
    LoggedSlice slice;
    slice.uuid = "9A5D2D37-1D0B-4C1E-9B55-2F1A6C1E7D10";
    slice.objective = "Written on the laptop";
    slice.tags = "travel";
    slice.startDate = double(now) - 978307200 - 3600;
    slice.seconds = 1500;
    slice.focus = 2;
    auto written = m_home.writeDayFileOfAnotherComputer("7f3a09c1", day, { slice });

    // The folder watcher hears of it and the log is read again.
    ASSERT_TRUE(program.waitForLine("loading 1 time slices", 20)) << program.transcript();
    auto book = desktop().waitForPicture(main, [&](const Screenshot& picture) { return logBookRows(picture) == 1; });
    keep("log book with the other computer's entry", book);
    ASSERT_TRUE(book);
    EXPECT_EQ(logBookRows(*book), 1) << "the other computer's entry is not in the log book";
    EXPECT_TRUE(fs::exists(written)) << "the other computer's file was moved or removed";
    EXPECT_EQ(loggedObjectives(), std::vector<std::string> { "Written on the laptop" });
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(FaultsRoad, ADamagedSettingsFileIsKeptAsideAndTheProgramStartsOnDefaultsSayingSo)
{
    const std::string damaged = "{ \"firstLaunch\": false, \"objective\": \"half wri";
    m_home.writeSettingsText(damaged);
    auto& program = start();
    auto main = mainWindow(program);
    // The alert comes over the main window and holds the keyboard.
    ASSERT_TRUE(eventually([&] {
        auto focused = desktop().focusedWindow();
        return focused && *focused != main;
    })) << "no word of the damaged settings\n" << program.transcript();
    auto alert = *desktop().focusedWindow();
    keep("the settings could not be read", desktop().waitForStill(frameOf(alert)));
    shot("alert over the main window");
    EXPECT_TRUE(program.waitForLine("is damaged", 0)) << program.transcript();

    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(eventually([&] { return desktop().focusedWindow() == main; })) << "the alert did not go";
    // On the defaults the program greets a new user.
    auto wizard = desktop().waitForPicture(main, [](const Screenshot& picture) {
        return looks::showsScreen(picture, looks::kWelcomeAndRatingColour);
    });
    keep("started on defaults", wizard);
    EXPECT_TRUE(wizard && looks::showsScreen(*wizard, looks::kWelcomeAndRatingColour));
    EXPECT_EQ(stop(), "exit 0");

    auto copies = m_home.damagedSettingsCopies();
    ASSERT_EQ(copies.size(), 1u);
    std::ifstream copy(copies[0], std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), damaged) << "the copy is not the user's file";
    EXPECT_TRUE(m_home.settings()) << "the settings file left is unreadable";
}

TEST_F(FaultsRoad, AClosedTerminalOrALostDisplayEndsItAsQuitDoesWithTheLastWordsSaved)
{
    // The terminal that started it closed: SIGHUP.
    auto& first = startReturning();
    typeIntoNowPad(first, "WORDS_BEFORE_THE_HANGUP");
    ASSERT_EQ(::kill(first.pid(), SIGHUP), 0);
    auto hungUp = first.waitForExit(20);
    ASSERT_TRUE(hungUp) << "still running 20 s after SIGHUP\n" << first.transcript();
    EXPECT_EQ(hungUp->describe(), "exit 0") << first.transcript();
    EXPECT_NE(nowPadOnDisk().find("WORDS_BEFORE_THE_HANGUP"), std::string::npos) << "the last words were lost";

    // Its display connection killed, as xkill does it (or the server going away).
    auto& second = startReturning({ { "nowPadHidden", true } });
    typeIntoNowPad(second, "WORDS_BEFORE_THE_DISPLAY_WENT");
    std::string xkill = "xkill -id " + std::to_string(mainWindow(second)) + " > /dev/null 2>&1";
    ASSERT_EQ(std::system(xkill.c_str()), 0);
    auto lost = second.waitForExit(20);
    ASSERT_TRUE(lost) << "still running 20 s after its display went\n" << second.transcript();
    EXPECT_EQ(lost->describe(), "exit 0") << second.transcript();
    EXPECT_TRUE(second.waitForLine("Window system: lost the connection to the display; ending as a quit does", 0)) << second.transcript();
    EXPECT_NE(nowPadOnDisk().find("WORDS_BEFORE_THE_DISPLAY_WENT"), std::string::npos) << "the last words were lost";
}

TEST_F(FaultsRoad, KilledWhileSavingPadsTheNextStartLeavesNoStagingAndLosesNoPage)
{
    auto& program = startReturning();
    typeIntoNowPad(program, "KEPT_PAGE_TEXT");
    ASSERT_TRUE(eventually([&] { return nowPadOnDisk().find("KEPT_PAGE_TEXT") != std::string::npos; }, 20)) << program.transcript();
    EXPECT_EQ(program.kill().describe(), "signal 9 (Killed)");

    // What kills in the middle of saves leave (the moment itself cannot be hit at will): the
    // page's new version complete in its staging folder, twice, and the page itself damaged.
    fs::path pads = m_home.padFolder("Now Pad");
    fs::path page = pads / "Roz Ezed 000000.rtfd";
    ASSERT_TRUE(fs::exists(page));
    for (std::string tag : { "0a1b2c", "3d4e5f" })
        fs::copy(page, pads / (".Roz Ezed 000000.rtfd.tmp." + tag), fs::copy_options::recursive);
    std::ofstream(page / "TXT.rtf", std::ios::trunc) << "{\\rtf1 cut";

    auto& again = start();
    mainWindow(again);
    EXPECT_EQ(stop(), "exit 0");
    EXPECT_NE(nowPadOnDisk().find("KEPT_PAGE_TEXT"), std::string::npos) << "the staged page was lost\n" << again.transcript();
    int damagedKept = 0;
    for (const auto& entry : fs::directory_iterator(pads)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos) << "left behind: " << entry.path();
        damagedKept += entry.path().filename().string().starts_with(".Roz Ezed 000000.rtfd.damaged.");
    }
    EXPECT_EQ(damagedKept, 1) << "the damaged page was not kept";
}

TEST_F(FaultsRoad, ALogFolderGoneFromUnderTheRunningProgramIsNotMadeAgainAndTheFailureIsShown)
{
    // The log on a disk of its own where the tests may mount one (as root); elsewhere the
    // folder is moved away and a bare one put in its place, which is all the same to the
    // program: the bare folder a disk was mounted on is what an unmount leaves.
    fs::create_directories(m_home.logFolder());
    std::string folder = "'" + m_home.logFolder().string() + "'";
    struct Unmount {
        bool mounted;
        std::string folder;
        ~Unmount() { [[maybe_unused]] int ignored = mounted ? std::system(("umount -l " + folder).c_str()) : 0; }
    } unmount { std::system(("mount -t tmpfs tmpfs " + folder + " 2>/dev/null").c_str()) == 0, folder };
    auto& program = startReturning({ { "durationInSeconds", 120 }, { "shouldUseSoftBreak", false } }, Launch::atSpeed(60));
    logSlice(program, "Before the disk went");
    ASSERT_EQ(loggedObjectives(), std::vector<std::string> { "Before the disk went" });

    fs::path away = m_home.logFolder().string() + " unmounted";
    if (unmount.mounted) {
        ASSERT_EQ(std::system(("umount -l " + folder).c_str()), 0);
        unmount.mounted = false;
    } else {
        fs::rename(m_home.logFolder(), away);
        fs::create_directory(m_home.logFolder());
    }

    std::size_t from = program.lineCount();
    auto main = mainWindow(program);
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("ctrl+a"));
    ASSERT_TRUE(desktop().type("While the disk was gone"));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(program.waitForScreen("RateTimeSliceState", 20, from)) << program.transcript();
    main = mainWindow(program);
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(eventually([&] {
        auto focused = desktop().focusedWindow();
        return focused && *focused != main;
    })) << "no word of the failed write\n"
        << program.transcript();
    auto alert = *desktop().focusedWindow();
    keep("the log folder is gone", desktop().waitForStill(frameOf(alert)));
    ASSERT_TRUE(desktop().key("Return"));

    EXPECT_TRUE(fs::is_empty(m_home.logFolder())) << "the entry went into the bare folder, to hide there";
    if (fs::exists(away)) {
        fs::remove(m_home.logFolder());
        fs::rename(away, m_home.logFolder());
        EXPECT_EQ(loggedObjectives(), std::vector<std::string> { "Before the disk went" });
    }
    EXPECT_EQ(stop(), "exit 0");
}

}
}
