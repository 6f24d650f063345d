#include "shell/SoftwareUpdater.h"

#include "tests/shell/ShellFixture.h"

namespace ostrel {
namespace {

class SoftwareUpdaterTest : public test::ShellTest {
protected:
    std::string agent = "Ostrel 0.1-0.1VD";
    std::shared_ptr<SoftwareUpdater> updater = SoftwareUpdater::create([this] { return agent; });

    std::optional<std::string> chosen(std::vector<AppcastItem> items)
    {
        auto best = updater->bestValidUpdateInAppcast(Appcast { std::move(items) }, *updater->sparkleUpdater());
        return best ? std::optional(best->versionString) : std::nullopt;
    }
};

TEST_F(SoftwareUpdaterTest, VersionsCompare)
{
    // Application versions: numbers by value, a release beats its pre-releases, "a" before "b".
    EXPECT_EQ(updater->compareVersion("4.10", "4.9"), 1);
    EXPECT_EQ(updater->compareVersion("3.9", "4.0"), -1);
    EXPECT_EQ(updater->compareVersion("4.2", "4.2b3"), 1);
    EXPECT_EQ(updater->compareVersion("4.2b3", "4.2"), -1);
    EXPECT_EQ(updater->compareVersion("4.2a1", "4.2b1"), -1);
    EXPECT_EQ(updater->compareVersion("4.2b10", "4.2b9"), 1);
    EXPECT_EQ(updater->compareVersion("4.2", "4.2"), 1);
    EXPECT_EQ(updater->compareVersion("4_2", "4.1"), 1);
    // A feed's version without a minor number is compared, not read past its end.
    EXPECT_EQ(updater->compareVersion("4", "4.1"), -1);
    EXPECT_EQ(updater->compareVersion("", "0.1"), -1);

    // System versions.
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("10.15.7", "10.15"), 1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("10.15", "10.15.7"), -1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("1.0b1", "1.0"), -1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("1.0", "1.0b1"), 1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("11.0", "10.15"), 1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("10.15", "10.15"), 0);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("1.0b2", "1.0b10"), -1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("1.0a", "1.0b"), -1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("1..0", "1.0"), -1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("99999999999999999999999.1", "1.1"), 1);
    EXPECT_EQ(SoftwareUpdater::standardCompareVersion("", ""), 0);
    EXPECT_EQ(SoftwareUpdater::splitVersionString("10.15b2"), (std::vector<std::string> { "10", ".", "15", "b", "2" }));
    EXPECT_EQ(SoftwareUpdater::splitVersionString("1..x"), (std::vector<std::string> { "1", ".", ".", "x" }));
    EXPECT_TRUE(SoftwareUpdater::splitVersionString("").empty());
}

TEST_F(SoftwareUpdaterTest, TheNewestUpdateThisSystemRunsIsChosen)
{
    EXPECT_EQ(chosen({ { "4.1", {} }, { "4.2", {} } }), "4.2");
    EXPECT_EQ(chosen({ { "4.2", {} }, { "4.1", {} } }), "4.2");
    EXPECT_EQ(chosen({ { "4.2b3", {} }, { "4.2", {} } }), "4.2");
    EXPECT_EQ(chosen({ { "4.2a1", {} }, { "4.2b1", "" } }), "4.2b1");
    EXPECT_EQ(chosen({ { "4.1", "0.0.1" }, { "9.0", "100000.0" } }), "4.1");
    EXPECT_EQ(chosen({ { "9.0", "100000.0" } }), std::nullopt);
    EXPECT_EQ(chosen({}), std::nullopt);
}

TEST_F(SoftwareUpdaterTest, TheRunningSystemsVersion)
{
    auto version = SoftwareUpdater::operatingSystemVersion();
    // Every kernel this runs on has a major number.
    EXPECT_GT(version.majorVersion, 0);
    EXPECT_EQ(SoftwareUpdater::systemVersionString(), std::to_string(version.majorVersion) + "."
            + std::to_string(version.minorVersion) + "." + std::to_string(version.patchVersion));
    EXPECT_TRUE(SoftwareUpdater::isOperatingSystemAtLeastVersion(version));
    EXPECT_TRUE(SoftwareUpdater::isOperatingSystemAtLeastVersion({ version.majorVersion, 0, 0 }));
    EXPECT_FALSE(SoftwareUpdater::isOperatingSystemAtLeastVersion({ version.majorVersion, version.minorVersion, version.patchVersion + 1 }));
    EXPECT_TRUE(updater->hostSupportsItem({ "1.0", SoftwareUpdater::systemVersionString() }));
}

TEST_F(SoftwareUpdaterTest, CheckingNowTellsWhereUpdatesComeFromWithNothingFetched)
{
    auto& stand = *updater->sparkleUpdater();
    EXPECT_EQ(stand.userAgentString(), "Ostrel 0.1-0.1VD");
    EXPECT_EQ(stand.delegate(), updater);
    EXPECT_EQ(updater->versionComparatorForUpdater(stand), updater.get());

    agent = "Ostrel 0.1-0.1VE";
    updater->checkForUpdates({});
    EXPECT_EQ(stand.userAgentString(), "Ostrel 0.1-0.1VE");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Updates come with the installed package.");
    EXPECT_TRUE(opened.empty());

    agent = "Ostrel 0.1-0.1VF";
    EXPECT_TRUE(updater->feedParametersForUpdater(stand, true).empty());
    EXPECT_EQ(stand.userAgentString(), "Ostrel 0.1-0.1VF");
    updater->setUpdateCheckInterval(3600);
    EXPECT_EQ(stand.updateCheckInterval(), 3600);
}

}
}
