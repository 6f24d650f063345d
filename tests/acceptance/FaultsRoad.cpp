// What the program meets when things go wrong around it: killed outright in the middle of a
// slice, a day file arriving from another computer sharing the log folder, a settings file
// damaged behind its back, a log folder gone, full or only read, no display to show itself
// on. Nothing logged is lost and nothing damaged stops it.
#include "Looks.h"
#include "Road.h"

#include "log/FullTimeSlice.h"

#include <algorithm>
#include <csignal>
#include <ctime>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace ostrel::acceptance {
namespace {

namespace fs = std::filesystem;

class FaultsRoad : public Road {
protected:
    // From the define screen: a slice with this objective counted and rated, and Log
    // pressed on the rate screen. The main window as it was then.
    WindowId rateAndLog(Program& program, const std::string& objective, std::size_t from)
    {
        auto main = mainWindow(program);
        EXPECT_TRUE(desktop().focus(main));
        EXPECT_TRUE(desktop().key("ctrl+a"));
        EXPECT_TRUE(desktop().type(objective));
        EXPECT_TRUE(desktop().key("Return"));
        EXPECT_TRUE(program.waitForScreen("RateTimeSliceState", 20, from)) << program.transcript();
        main = mainWindow(program);
        EXPECT_TRUE(desktop().focus(main));
        EXPECT_TRUE(desktop().key("Return"));
        return main;
    }

    // From the define screen: a slice with this objective counted, rated and logged, and
    // the program back on the define screen.
    void logSlice(Program& program, const std::string& objective)
    {
        std::size_t from = program.lineCount();
        rateAndLog(program, objective, from);
        ASSERT_FALSE(HasFailure());
        ASSERT_TRUE(program.waitForScreen("PrepareTimedBreakState", 10, from)) << program.transcript();
        mainWindow(program);
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
        // The display asleep too: keys it has yet to hand over are not the program's yet.
        ASSERT_TRUE(eventually([&] { return asleep({ &program }); })) << program.transcript();
    }

    std::string nowPadOnDisk() const
    {
        std::string all;
        for (const auto& page : m_home.padPages("Now Pad"))
            all += page ? page->utf8() : std::string("(unreadable)");
        return all;
    }

    // From the define screen: a slice with this objective counted and rated, and Log pressed,
    // which the log refuses: the alert saying so is shown (kept as `step`) and answered, and
    // the rate screen stays.
    void logSliceTheLogRefuses(Program& program, const std::string& objective, const std::string& step)
    {
        std::size_t from = program.lineCount();
        auto main = rateAndLog(program, objective, from);
        ASSERT_FALSE(HasFailure());
        answerAlert(program, main, step);
        EXPECT_FALSE(program.showsWithin("PrepareTimedBreakState", 0, from)) << "left the rate screen unlogged";
    }

    // An alert over the main window, waited for, kept as `step` and answered with Return.
    void answerAlert(Program& program, WindowId main, const std::string& step)
    {
        ASSERT_TRUE(eventually([&] {
            auto focused = desktop().focusedWindow();
            return focused && *focused != main;
        })) << "no alert for " << step << "\n"
            << program.transcript();
        auto alert = *desktop().focusedWindow();
        keep(step, desktop().waitForStill(frameOf(alert)));
        ASSERT_TRUE(desktop().key("Return"));
        ASSERT_TRUE(eventually([&] { return desktop().focusedWindow() == main; })) << "the alert did not go";
    }

    // The slices the program keeps aside until the log takes them.
    std::size_t keptSlices() const
    {
        std::size_t kept = 0;
        fs::path folder = m_home.applicationSupport() / "Unlogged Time Slices";
        if (fs::exists(folder)) {
            for (const auto& entry : fs::directory_iterator(folder))
                kept += !entry.path().filename().string().starts_with(".");
        }
        return kept;
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
    auto hungUp = first.waitForEnd(20);
    ASSERT_TRUE(hungUp) << "still running 20 s after SIGHUP\n" << first.transcript();
    EXPECT_EQ(hungUp->describe(), "exit 0") << first.transcript();
    EXPECT_NE(nowPadOnDisk().find("WORDS_BEFORE_THE_HANGUP"), std::string::npos) << "the last words were lost";

    // Its display connection killed, as xkill does it (or the server going away).
    auto& second = startReturning({ { "nowPadHidden", true } });
    typeIntoNowPad(second, "WORDS_BEFORE_THE_DISPLAY_WENT");
    std::string xkill = "xkill -id " + std::to_string(mainWindow(second)) + " > /dev/null 2>&1";
    ASSERT_EQ(std::system(xkill.c_str()), 0);
    auto lost = second.waitForEnd(20);
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

    logSliceTheLogRefuses(program, "While the disk was gone", "the log folder is gone");
    EXPECT_TRUE(fs::is_empty(m_home.logFolder())) << "the entry went into the bare folder, to hide there";

    // Ended as the desktop ends it at a logout, before the disk came back: the rated slice is
    // kept in the program's own folder.
    EXPECT_EQ(stop(), "exit 0");
    EXPECT_EQ(keptSlices(), 1u) << "the rated slice is on no disk";
    std::vector<std::string> logged { "While the disk was gone" };
    if (fs::exists(away)) {
        fs::remove(m_home.logFolder());
        fs::rename(away, m_home.logFolder());
        EXPECT_EQ(loggedObjectives(), std::vector<std::string> { "Before the disk went" });
        logged.insert(logged.begin(), "Before the disk went");
    }

    // The next start writes it into the folder there now, once, and says so.
    auto& again = start();
    auto main = mainWindow(again);
    answerAlert(again, main, "the kept slice is in the log");
    EXPECT_TRUE(again.waitForLine("is in the log now", 0)) << again.transcript();
    EXPECT_EQ(loggedObjectives(), logged);
    EXPECT_EQ(keptSlices(), 0u);
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(FaultsRoad, ASliceAFullDiskRefusedIsWrittenByALaterStartOnce)
{
    // The log on a small disk of its own, filled up while the program runs.
    fs::create_directories(m_home.logFolder());
    std::string folder = "'" + m_home.logFolder().string() + "'";
    if (std::system(("mount -t tmpfs -o size=1m tmpfs " + folder + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no disk can be mounted here to fill";
    struct Unmount {
        std::string folder;
        ~Unmount() { [[maybe_unused]] int ignored = std::system(("umount -l " + folder).c_str()); }
    } unmount { folder };
    auto& program = startReturning({ { "durationInSeconds", 120 }, { "shouldUseSoftBreak", false } }, Launch::atSpeed(60));
    logSlice(program, "Before the disk filled");

    fs::path filler = m_home.logFolder() / ".filler";
    {
        std::ofstream fill(filler, std::ios::binary);
        std::string block(4096, 'x');
        while (fill.write(block.data(), std::streamsize(block.size())) && fill.flush()) { }
    }
    logSliceTheLogRefuses(program, "While the disk was full", "the disk is full");
    EXPECT_EQ(stop(), "exit 0");
    EXPECT_EQ(keptSlices(), 1u) << "the rated slice is on no disk";
    EXPECT_EQ(loggedObjectives(), std::vector<std::string> { "Before the disk filled" });

    fs::remove(filler);
    auto& again = start();
    auto main = mainWindow(again);
    answerAlert(again, main, "the kept slice is in the log");
    EXPECT_EQ(loggedObjectives(), (std::vector<std::string> { "Before the disk filled", "While the disk was full" }));
    EXPECT_EQ(keptSlices(), 0u);
    EXPECT_EQ(stop(), "exit 0");
    EXPECT_EQ(loggedObjectives().size(), 2u) << "written twice";
}

TEST_F(FaultsRoad, AStartWithNoDisplaySaysSoAndFailsAndLeavesTheNextStartToShowItself)
{
    m_home.writeSettings(Home::returningUser());
    // Unset, as an autostart before the display is up; naming no server, as a wrong DISPLAY.
    for (const char* display : { "", ":4711" }) {
        Launch blind;
        blind.environment = { { "DISPLAY", display } };
        auto& program = start(blind);
        auto ended = program.waitForEnd(20);
        ASSERT_TRUE(ended) << "still running without a display \"" << display << "\"\n" << program.transcript();
        EXPECT_EQ(ended->describe(), "exit 1") << program.transcript();
        EXPECT_TRUE(program.waitForLine("cannot open the display", 0)) << program.transcript();
        // No copy running is no fault of the hand-over's to report beside it.
        EXPECT_FALSE(program.waitForLine("cannot reach the running Ostrel", 0)) << program.transcript();
    }

    // The start on the display is no later launch handing over to an invisible copy.
    auto& shown = start();
    auto main = mainWindow(shown);
    stillShot("shown on the display", main);

    // While it runs, a launch without a display hands over to it, as any later launch does.
    Launch blind;
    blind.environment = { { "DISPLAY", "" } };
    auto& later = start(blind);
    auto ended = later.waitForEnd(20);
    ASSERT_TRUE(ended) << later.transcript();
    EXPECT_EQ(ended->describe(), "exit 0") << later.transcript();
    EXPECT_TRUE(shown.running());
    auto stopped = shown.stop();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->describe(), "exit 0");
}

TEST_F(FaultsRoad, DayFilesWithoutAComputerInAFolderThatCannotBeWrittenAreReadAsTheyAre)
{
    std::time_t now = std::time(nullptr);
    std::vector<std::string> names;
    for (int day = 1; day <= 3; ++day) {
        char date[16];
        std::time_t then = now - day * 86400;
        std::strftime(date, sizeof date, "%Y-%m-%d", std::gmtime(&then));
        LoggedSlice slice;
        slice.uuid = "9A5D2D37-1D0B-4C1E-9B55-2F1A6C1E7D1" + std::to_string(day);
        slice.objective = "Written before computers had names " + std::to_string(day);
        // A row as tall as the log book's row probe takes.
        slice.tags = "older";
        slice.startDate = double(then) - 978307200;
        slice.seconds = 1500;
        auto written = m_home.writeDayFileOfAnotherComputer("7f3a09c1", date, { slice });
        names.push_back("System Log Day " + std::string(date) + ".rtfd");
        fs::rename(written, m_home.logFolder() / names.back());
    }
    // Only read: a folder the user may not write, or for root (whom modes do not stop) a
    // mount that is only read.
    std::string folder = "'" + m_home.logFolder().string() + "'";
    bool mounted = false;
    if (::geteuid() == 0) {
        mounted = std::system(("mount --bind " + folder + " " + folder + " 2>/dev/null && mount -o remount,ro,bind "
                                  + folder + " " + folder + " 2>/dev/null").c_str())
            == 0;
        if (!mounted)
            GTEST_SKIP() << "as root only a mount holds the folder read-only, and none can be made here";
    } else {
        fs::permissions(m_home.logFolder(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    }
    struct Writable {
        bool mounted;
        std::string folder;
        fs::path path;
        ~Writable()
        {
            [[maybe_unused]] int ignored = mounted ? std::system(("umount -l " + folder).c_str()) : 0;
            fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        }
    } writable { mounted, folder, m_home.logFolder() };

    auto& program = startReturning();
    ASSERT_TRUE(program.waitForLine("loading 3 time slices", 20)) << program.transcript();
    auto main = mainWindow(program);
    auto book = openLogBook(main, 3);
    keep("log book of the unnamed day files", book);
    ASSERT_TRUE(book);
    EXPECT_EQ(logBookRows(*book), 3);
    EXPECT_EQ(stop(), "exit 0");

    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(m_home.logFolder()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(left, names);
    // Tried at the start and before every read of the log; told once for each.
    int told = 0;
    for (const auto& line : program.lines())
        told += line.text.find("failed to migrate file") != std::string::npos;
    EXPECT_EQ(told, 3) << program.transcript();
}

}
}
