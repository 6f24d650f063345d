// The program as a session meets it: it starts in a home of its own, stays up, and ends
// cleanly when the session ends it, losing none of the settings it was given.
#include "Road.h"

#include <fstream>
#include <iterator>

namespace ostrel::acceptance {
namespace {

namespace fs = std::filesystem;

class Smoke : public Road { };

TEST_F(Smoke, StartsInAFreshHomeAndStopsCleanlyOnSigterm)
{
    auto& fresh = start();
    ASSERT_TRUE(fresh.waitForLine("UpgradeManager upgradeEverything [start]")) << "the program never said it was launching";
    // The status strip and covers carry the program's name too: the main window is its own.
    auto main = mainWindow(fresh);
    auto picture = stillShot("main window", main);
    ASSERT_TRUE(picture);
    // The program is dark: the middle of its window is no light colour.
    auto middle = picture->at(picture->width() / 2, picture->height() / 2);
    EXPECT_LT(middle.red + middle.green + middle.blue, 1.5) << "the main window shows nothing of its own";
    EXPECT_FALSE(fresh.waitForExit(1)) << "it ended by itself: " << fresh.exit()->describe();
    EXPECT_EQ(stop(), "exit 0");
    EXPECT_TRUE(fresh.waitForLine("Ostrel stopping on SIGTERM", 0));
    EXPECT_TRUE(fs::is_directory(m_home.settingsFile().parent_path()));
    EXPECT_TRUE(m_home.damagedSettingsCopies().empty());

    // Started again over the settings of a user who has been here before: they stay.
    auto given = Home::returningUser();
    m_home.writeSettings(given);
    auto& again = start(Launch::atSpeed(60));
    ASSERT_TRUE(again.waitForLine("UpgradeManager upgradeEverything [start]"));
    EXPECT_EQ(stop(), "exit 0");
    auto settings = m_home.settings();
    ASSERT_TRUE(settings) << "the settings file is gone or unreadable";
    // Launch counters may count this run; nothing given goes missing.
    for (const auto& item : given.items())
        EXPECT_TRUE(settings->contains(item.key())) << item.key();
    EXPECT_EQ((*settings)["firstLaunch"], false) << "a returning user was taken for a new one";
}

TEST_F(Smoke, TheDiagnosticLogFollowsItsSettingFromTheStart)
{
    // Lines from before the interface is loaded are dropped, whatever the setting says.
    auto& speaking = startReturning();
    ASSERT_TRUE(speaking.waitForLine("UpgradeManager upgradeEverything [start]", 20)) << speaking.transcript();
    EXPECT_FALSE(speaking.waitForLine("Ostrel Launching", 0)) << speaking.transcript();
    EXPECT_EQ(stop(), "exit 0");

    auto settings = Home::returningUser();
    settings["loggerIsOn"] = false;
    m_home.writeSettings(settings);
    auto& silent = start();
    // The window's first frame comes after every step of the launch.
    mainWindow(silent);
    EXPECT_EQ(stop(), "exit 0");
    for (const char* line : { "Ostrel Launching", "UpgradeManager upgradeEverything", "reading time slice data" })
        EXPECT_FALSE(silent.waitForLine(line, 0)) << line << "\n" << silent.transcript();
}

TEST_F(Smoke, KeepsADamagedSettingsFileAsideAndStartsOnDefaults)
{
    const std::string damaged = "{ \"firstLaunch\": fal";
    m_home.writeSettingsText(damaged);
    auto& program = start();
    auto message = program.waitForLine("is damaged");
    ASSERT_TRUE(message) << "no word of the damaged settings file";
    EXPECT_NE(message->text.find("started from the default settings"), std::string::npos) << message->text;
    EXPECT_EQ(stop(), "exit 0");
    auto copies = m_home.damagedSettingsCopies();
    ASSERT_EQ(copies.size(), 1u);
    std::ifstream copy(copies[0], std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), damaged) << "the copy is not the user's file";
    EXPECT_TRUE(!fs::exists(m_home.settingsFile()) || m_home.settings()) << "the settings file left is unreadable";
}

}
}
