// What an unlucky user or an attacker's files do to the program: a second copy started in a
// session without a runtime folder, a settings file left damaged by an outside edit while
// the program runs, tags of many thousand characters in the settings and in a day file
// from another computer, a window destroyed under the program by a tool. Nothing typed or
// set is lost, and the program answers throughout.
#include "Looks.h"
#include "Road.h"

#include <fstream>
#include <iterator>

namespace ostrel::acceptance {
namespace {

namespace fs = std::filesystem;

class HostileRoad : public Road {
protected:
    // A session that gives no runtime folder of its own, as a bare login or a service does.
    static Launch withoutRuntimeFolder()
    {
        Launch launch;
        launch.environment = { { "XDG_RUNTIME_DIR", "" } };
        return launch;
    }

    // The Now pad's pages on disk, as one text.
    std::string nowPadOnDisk() const
    {
        std::string all;
        for (const auto& page : m_home.padPages("Now Pad"))
            all += page ? page->utf8() : std::string("(unreadable)");
        return all;
    }

    // An alert over the main window, holding the keyboard: its picture kept, then dismissed.
    void dismissAlertOver(WindowId main, const std::string& step, Program& program)
    {
        ASSERT_TRUE(eventually([&] {
            auto focused = desktop().focusedWindow();
            return focused && *focused != main;
        })) << "no word on the screen\n"
            << program.transcript();
        auto alert = *desktop().focusedWindow();
        keep(step, desktop().waitForStill(frameOf(alert)));
        ASSERT_TRUE(desktop().key("Return"));
        ASSERT_TRUE(eventually([&] { return desktop().focusedWindow() == main; })) << "the alert did not go";
    }
};

TEST_F(HostileRoad, ASecondLaunchWithoutARuntimeFolderLeavesTheOneRunningAndItsPadAlone)
{
    auto& first = startReturning(nlohmann::json::object(), withoutRuntimeFolder());
    auto main = mainWindow(first);
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("ctrl+alt+n"));
    ASSERT_TRUE(desktop().waitForPicture(main, [](const Screenshot& picture) { return picture.width() > 700; }))
        << "the Now pad did not open\n"
        << first.transcript();
    ASSERT_TRUE(desktop().type("TEXT_FROM_A"));
    ASSERT_TRUE(eventually([&] { return nowPadOnDisk().find("TEXT_FROM_A") != std::string::npos; }, 20))
        << "the page never reached its file\n"
        << first.transcript();
    keep("typed in the first copy", desktop().waitForStill(main));

    // The second launch hands over to the first and ends: no second copy whose stale pages
    // would go over the first one's when it quits.
    auto& second = start(withoutRuntimeFolder());
    auto ended = second.waitForEnd(20);
    ASSERT_TRUE(ended) << "a second full copy runs\n" << second.transcript();
    EXPECT_TRUE(ended->cleanly()) << ended->describe() << second.transcript();
    EXPECT_TRUE(first.running());
    EXPECT_NE(nowPadOnDisk().find("TEXT_FROM_A"), std::string::npos);

    auto stopped = first.stop();
    ASSERT_TRUE(stopped && stopped->cleanly()) << first.transcript();
    EXPECT_NE(nowPadOnDisk().find("TEXT_FROM_A"), std::string::npos) << "the text typed is gone from disk";
}

TEST_F(HostileRoad, ASettingsFileEditedIntoDamageWhileRunningIsKeptAsideAndNoSettingIsLost)
{
    auto& program = startReturning({ { "durationInSeconds", 1500 }, { "tags", "work" }, { "speechStartText", "Off we go" } });
    auto main = mainWindow(program);

    // An outside edit that leaves a trailing comma, written in place as an editor does.
    const std::string damaged = "{ \"firstLaunch\": false, \"durationInSeconds\": 600, }";
    m_home.writeSettingsText(damaged);
    ASSERT_TRUE(program.waitForLine("left damaged by another program", 20)) << program.transcript();
    dismissAlertOver(main, "the settings file was damaged", program);

    auto copies = m_home.damagedSettingsCopies();
    ASSERT_EQ(copies.size(), 1u);
    std::ifstream copy(copies[0], std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), damaged) << "the copy is not the edited file";
    ASSERT_TRUE(m_home.settings()) << "the settings file left is unreadable";
    EXPECT_EQ(m_home.setting("durationInSeconds"), 1500);
    EXPECT_EQ(m_home.setting("tags"), "work");
    EXPECT_EQ(m_home.setting("speechStartText"), "Off we go");

    // Whatever is set next is written beside them, not instead of them.
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("ctrl+a"));
    ASSERT_TRUE(desktop().type("After the edit"));
    ASSERT_TRUE(eventually([&] { return m_home.objective() == "After the edit"; })) << program.transcript();
    EXPECT_EQ(stop(), "exit 0");
    EXPECT_EQ(m_home.setting("durationInSeconds"), 1500);
    EXPECT_EQ(m_home.setting("tags"), "work");
    EXPECT_EQ(m_home.setting("speechStartText"), "Off we go");
}

TEST_F(HostileRoad, HugeTagsInTheSettingsAndADayFileHoldUpNeitherTheWindowNorTheEnd)
{
    std::time_t now = std::time(nullptr);
    char day[16];
    std::strftime(day, sizeof day, "%Y-%m-%d", std::gmtime(&now));
    LoggedSlice slice;
    slice.uuid = "5F0C1A3E-7B7D-4E0A-9C43-3C2B1D0E9A11";
    slice.objective = "From a shared folder";
    slice.tags = std::string(20'000, 't');
    slice.startDate = double(now) - 978307200 - 3600;
    slice.seconds = 1500;
    m_home.writeDayFileOfAnotherComputer("7f3a09c1", day, { slice });

    // Before, the first frame of a 10,000-character tag took 22 s and one of 100,000 never came.
    auto& program = startReturning({ { "tags", std::string(100'000, 'w') } });
    auto main = mainWindow(program, 20);
    auto shown = desktop().waitForStill(main);
    keep("define screen with the huge tag", shown);
    ASSERT_TRUE(program.waitForLine("loading 1 time slices", 20)) << program.transcript();
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("ctrl+2"));
    auto book = desktop().waitForPicture(main, [](const Screenshot& picture) {
        return looks::lightPixels(picture, { picture.width() - 300, 40, 300, 60 }) > 5000;
    });
    keep("log book with the day file's huge tag", book);
    ASSERT_TRUE(book) << program.transcript();

    auto stopped = program.stop(10);
    ASSERT_TRUE(stopped) << "SIGTERM unanswered after 10 s\n" << program.transcript();
    EXPECT_TRUE(stopped->cleanly()) << stopped->describe();
    EXPECT_EQ(m_home.setting("tags"), std::string(100'000, 'w')) << "the tag itself is kept as it was";
}

TEST_F(HostileRoad, APreferencesWindowAToolDestroyedOpensAgainAndTheEndStillComes)
{
    auto& program = startReturning();
    auto main = mainWindow(program);
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("ctrl+comma"));
    ASSERT_TRUE(eventually([&] { return desktop().focusedWindow() != main; })) << "no preferences window";
    auto preferences = *desktop().focusedWindow();
    keep("preferences", desktop().waitForStill(frameOf(preferences)));

    // As xdotool windowclose does it. SIGTERM waited for ever afterwards, and Ctrl+, showed nothing.
    std::size_t before = program.lineCount();
    ASSERT_TRUE(desktop().destroy(preferences));
    ASSERT_TRUE(program.waitForLine("the display destroyed the window of", 10, before)) << program.transcript();
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("ctrl+comma"));
    ASSERT_TRUE(eventually([&] {
        auto focused = desktop().focusedWindow();
        return focused && *focused != main && *focused != preferences;
    })) << "Ctrl+, opened no preferences window\n"
        << program.transcript();
    auto again = *desktop().focusedWindow();
    keep("preferences again", desktop().waitForStill(frameOf(again)));
    std::size_t second = program.lineCount();
    ASSERT_TRUE(desktop().destroy(again));
    ASSERT_TRUE(program.waitForLine("the display destroyed the window of", 10, second)) << program.transcript();

    auto stopped = program.stop(10);
    ASSERT_TRUE(stopped) << "SIGTERM unanswered after 10 s\n" << program.transcript();
    EXPECT_TRUE(stopped->cleanly()) << stopped->describe();
}

}
}
