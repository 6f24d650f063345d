#include "log/FullDataSet.h"
#include "log/UpgradeManager.h"
#include "tests/log/LogTestSupport.h"

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

class UpgradeTest : public LogTest {
protected:
    std::vector<std::string> folderNames()
    {
        return base::files::list(logFolder()).value_or(std::vector<std::string> {});
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

}
}
