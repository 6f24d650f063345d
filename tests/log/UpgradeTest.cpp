#include "log/FullDataSet.h"
#include "log/UpgradeManager.h"
#include "tests/log/LogTestSupport.h"
#include "tests/support/WithoutPermissionOverride.h"

#include <algorithm>
#include <chrono>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

class UpgradeTest : public LogTest {
protected:
    std::vector<std::string> folderNames()
    {
        return base::files::list(logFolder()).value_or(std::vector<std::string> {});
    }
    // This computer with a network interface of its own, as most are.
    void haveIdentifier(const std::string& address)
    {
        fs::create_directories(home.path() / "net" / "eth0" / "device");
        writeText(home.path() / "net" / "eth0" / "address", address + "\n");
        BackingStoreManager::sharedManager().setNetworkInterfacesFolder(home.path() / "net");
    }
    int diagnosticsWith(std::string_view part) const
    {
        return int(std::count_if(diagnostics.begin(), diagnostics.end(),
            [&](const std::string& line) { return line.find(part) != std::string::npos; }));
    }
    static std::string day(const std::string& date, const std::string& computer)
    {
        return "System Log Day " + date + " (" + computer + ").rtfd";
    }
};

TEST_F(UpgradeTest, NamesWithoutComputerGetOneAndAreReadAfterwards)
{
    writePackage(logFolder() / "System Log Day 2012-04-01.rtfd", entryLines("U-1", { "#duration", "60" }));
    writePackage(logFolder() / "System Log Day 2026-01-01 (default).rtfd", entryLines("U-2", {}));
    writeText(logFolder() / "System Log 2010-01-01 (a-b-c-d).txt", entryLines("U-3", {}));
    writeText(logFolder() / "System Log 2010-01-02.txt", entryLines("U-4", {}));
    writeText(logFolder() / "Other.txt", "");

    UpgradeManager::sharedInstance().upgradeEverything();
    EXPECT_EQ(folderNames(), (std::vector<std::string> { "Other.txt", "System Log 2010-01-01 (a-b-c-d).txt",
                                 "System Log 2010-01-02 (default).txt", "System Log Day 2012-04-01 (default).rtfd",
                                 "System Log Day 2026-01-01 (default).rtfd" }));

    UpgradeManager::sharedInstance().upgradeEverything();
    EXPECT_EQ(folderNames().size(), 5u);

    FullDataSet set;
    set.loadFromDisk();
    EXPECT_TRUE(set.fullTimeSliceFor("U-1"));
    EXPECT_TRUE(set.fullTimeSliceFor("U-2"));
    EXPECT_FALSE(set.fullTimeSliceFor("U-4"));
}

TEST_F(UpgradeTest, NeverRenamesOverAnExistingFile)
{
    writePackage(logFolder() / "System Log Day 2012-04-01.rtfd", entryLines("OLD", {}));
    writePackage(logFolder() / "System Log Day 2012-04-01 (default).rtfd", entryLines("NEW", {}));
    UpgradeManager::sharedInstance().upgradeEverything();
    EXPECT_TRUE(fs::exists(logFolder() / "System Log Day 2012-04-01.rtfd"));
    EXPECT_TRUE(sawDiagnostic("failed to migrate file"));
}

TEST_F(UpgradeTest, NamesThatCannotBeGivenAComputerAreReadAsTheyAreAndToldOnce)
{
    writePackage(logFolder() / "System Log Day 2012-04-01.rtfd", entryLines("U-1", {}));
    writePackage(logFolder() / "System Log Day 2012-04-02.rtfd", entryLines("U-2", {}));
    // Refused for a name taken, as ever: the file under that name holds the day.
    writePackage(logFolder() / "System Log Day 2012-04-03.rtfd", entryLines("ASIDE", {}));
    writePackage(logFolder() / day("2012-04-03", "default"), entryLines("U-3", {}));
    // Read under no name, renamed or not.
    writeText(logFolder() / "System Log 2010-01-02.txt", entryLines("U-4", {}));
    auto before = folderNames();
    fs::permissions(logFolder(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
            | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    struct Writable {
        fs::path folder;
        ~Writable() { fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add); }
    } writableAgain { logFolder() };

    std::vector<std::string> uuids;
    {
        WithoutPermissionOverride heldToTheBits;
        ASSERT_TRUE(heldToTheBits.holds());
        UpgradeManager::sharedInstance().upgradeEverything();
        UpgradeManager::sharedInstance().upgradeEverything();
        EXPECT_EQ(folderNames(), before);
        FullDataSet set;
        set.loadFromDisk();
        for (const auto& record : set.fullTimeSlices())
            uuids.push_back(record->uuid());
    }
    std::sort(uuids.begin(), uuids.end());
    EXPECT_EQ(uuids, (std::vector<std::string> { "U-1", "U-2", "U-3" }));
    EXPECT_EQ(diagnosticsWith("failed to migrate file"), 4) << "not once for each file";
    EXPECT_EQ(diagnosticsWith("it is read under its present name"), 2);

    // Writable again, the next pass gives them the computer's name, and only the new
    // names are read.
    fs::permissions(logFolder(), fs::perms::owner_all, fs::perm_options::add);
    UpgradeManager::sharedInstance().upgradeEverything();
    EXPECT_TRUE(fs::exists(logFolder() / day("2012-04-01", "default")));
    FullDataSet set;
    set.loadFromDisk();
    EXPECT_EQ(set.fullTimeSlices().size(), 3u);
}

TEST_F(UpgradeTest, DefaultNamedFilesOfTheLocalLogBecomeThisComputersAndAreReadOnce)
{
    haveIdentifier("aa:bb:cc:dd:ee:ff");
    writePackage(logFolder() / day("2026-01-01", "default"), entryLines("D-1", {}));
    writePackage(logFolder() / day("2026-01-02", "default"), entryLines("D-2", {}));
    // Written on a boot that could read the address, the same day: both stay and are read.
    writePackage(logFolder() / day("2026-01-02", "aabbccddeeff"), entryLines("OWN-2", {}));
    writePackage(logFolder() / day("2026-01-03", "a1b2c3"), entryLines("OTHER", {}));
    // A rewrite of a "(default)" file that was cut short, its old version set aside.
    fs::path aside = logFolder() / ("." + day("2026-01-04", "default") + ".old.0a1b2c");
    writePackage(aside, entryLines("D-4", {}));

    UpgradeManager::sharedInstance().upgradeEverything();
    EXPECT_EQ(folderNames(), (std::vector<std::string> { day("2026-01-01", "aabbccddeeff"), day("2026-01-02", "aabbccddeeff"),
                                 day("2026-01-02", "default"), day("2026-01-03", "a1b2c3"), day("2026-01-04", "aabbccddeeff") }));
    FullDataSet set;
    set.loadFromDisk();
    std::vector<std::string> uuids;
    for (const auto& record : set.fullTimeSlices())
        uuids.push_back(record->uuid());
    std::sort(uuids.begin(), uuids.end());
    EXPECT_EQ(uuids, (std::vector<std::string> { "D-1", "D-2", "D-4", "OTHER", "OWN-2" }));
}

TEST_F(UpgradeTest, DefaultNamedFilesOfASharedLogStayAsTheyAre)
{
    haveIdentifier("aa:bb:cc:dd:ee:ff");
    fs::path shared = home.path() / "Dropbox" / "Ostrel" / "System Logs";
    fs::create_directories(shared);
    base::Defaults::standard()->set("dropboxLocation", (home.path() / "Dropbox").string());
    base::Defaults::standard()->set("dropboxSync", true);
    Logger::sharedLogger().updateLogFileDescriptors();
    // Any computer of the folder may have written it while all were "default".
    writePackage(shared / day("2026-01-01", "default"), entryLines("EITHER", {}));
    UpgradeManager::sharedInstance().upgradeEverything();
    EXPECT_EQ(base::files::list(shared), (std::vector<std::string> { day("2026-01-01", "default") }));
    base::Defaults::standard()->set("dropboxSync", false);
    Logger::sharedLogger().updateLogFileDescriptors();
}

TEST_F(UpgradeTest, AFolderOnceFoundCleanIsStillLookedAtWhenANameComesIn)
{
    fs::create_directories(logFolder());
    writePackage(logFolder() / day("2026-01-01", "default"), entryLines("OLD", {}));
    // Found clean a while after its last change: not listed again while it stays so.
    fs::last_write_time(logFolder(), fs::file_time_type::clock::now() - std::chrono::seconds(30));
    auto& upgrades = UpgradeManager::sharedInstance();
    upgrades.renameFilesWithoutIdentifier(logFolder().string(), "System Log", "default");
    upgrades.renameFilesWithoutIdentifier(logFolder().string(), "System Log", "default");

    writePackage(logFolder() / "System Log Day 2026-01-02.rtfd", entryLines("SYNCED", {}));
    upgrades.renameFilesWithoutIdentifier(logFolder().string(), "System Log", "default");
    EXPECT_EQ(folderNames(), (std::vector<std::string> { day("2026-01-01", "default"), day("2026-01-02", "default") }));
}

}
}
