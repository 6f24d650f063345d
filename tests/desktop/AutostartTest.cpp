#include "platform/desktop/Autostart.h"

#include "platform/base/Files.h"
#include "platform/desktop/DesktopEntry.h"
#include "tests/desktop/DesktopTesting.h"
#include "tests/support/TemporaryHome.h"

#include <fstream>
#include <gtest/gtest.h>

using desktop::Autostart;
using desktop::DesktopEntry;

TEST(DesktopEntryTest, ExecArgumentsSurviveAnyCharacterAPathMayHold)
{
    EXPECT_EQ(DesktopEntry::execLine({ "/usr/bin/ostrel" }), "/usr/bin/ostrel");
    EXPECT_EQ(DesktopEntry::execLine({ "/opt/My Apps/ostrel" }), "\"/opt/My Apps/ostrel\"");
    // Quoted for the Exec rules, then each backslash doubled again for the string rules.
    EXPECT_EQ(DesktopEntry::execLine({ "/a\"b$c`d\\e" }), "\"/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e\"");
    EXPECT_EQ(DesktopEntry::execLine({ "/100%/x" }), "/100%%/x");
    EXPECT_EQ(DesktopEntry::execLine({ "/line\nbreak" }), "\"/line\\nbreak\"");
    EXPECT_EQ(DesktopEntry::execLine({ "a", "" }), "a \"\"");
}

TEST(DesktopEntryTest, ValuesAreReadFromTheMainGroupOnly)
{
    std::string text = "[Desktop Action x]\nExec=other\n[Desktop Entry]\nName = Ostrel\nExecutable=no\nExec=ours %u\n";
    EXPECT_EQ(DesktopEntry::value(text, "Exec"), "ours %u");
    EXPECT_EQ(DesktopEntry::value(text, "Name"), "Ostrel");
    EXPECT_EQ(DesktopEntry::value(text, "Hidden"), "");
}

TEST(AutostartTest, TurningOnAndOffTwiceReturnsToTheFirstState)
{
    ostrel::test::TemporaryHome home;
    EXPECT_EQ(Autostart::entryPath(), home.configHome() / "autostart" / "ostrel.desktop");
    EXPECT_FALSE(Autostart::isOn());

    ASSERT_TRUE(Autostart::setOn(true));
    EXPECT_TRUE(Autostart::isOn());
    auto text = base::files::readText(Autostart::entryPath(), 1 << 20);
    ASSERT_TRUE(text);
    EXPECT_EQ(DesktopEntry::value(*text, "Exec"), DesktopEntry::execLine({ DesktopEntry::executable().string() }));
    EXPECT_EQ(DesktopEntry::value(*text, "Type"), "Application");

    ASSERT_TRUE(Autostart::setOn(false));
    EXPECT_FALSE(Autostart::isOn());
    EXPECT_FALSE(std::filesystem::exists(Autostart::entryPath()));
    EXPECT_TRUE(Autostart::setOn(false)) << "already off";
}

TEST(AutostartTest, AnEntryThatIsDisabledOrStartsAnotherProgramIsOff)
{
    ostrel::test::TemporaryHome home;
    ASSERT_TRUE(Autostart::setOn(true));
    std::ofstream(Autostart::entryPath(), std::ios::app) << "Hidden=true\n";
    EXPECT_FALSE(Autostart::isOn());

    std::ofstream(Autostart::entryPath()) << "[Desktop Entry]\nExec=/old/place/ostrel\n";
    EXPECT_FALSE(Autostart::isOn());
    ASSERT_TRUE(Autostart::setOn(true)) << "replaces the stale entry";
    EXPECT_TRUE(Autostart::isOn());
}

TEST(AutostartTest, AnUnwritableFolderIsReportedNotThrown)
{
    ostrel::test::TemporaryHome home;
    // A file where the autostart folder should be.
    std::ofstream(home.configHome() / "autostart") << "x";
    desktop::test::LogLines log;
    EXPECT_FALSE(Autostart::setOn(true));
    EXPECT_FALSE(Autostart::isOn());
    EXPECT_TRUE(log.contains("could not write the autostart entry"));
}
