#include "log/ComputerIdentifier.h"
#include "log/FullDataSet.h"
#include "log/UpgradeManager.h"
#include "tests/log/LogTestSupport.h"

#include <algorithm>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

// Two computers sharing one log folder, each with a home and settings of its own: this one
// is the fixture's home on this machine's own network interfaces; the other has a home of
// its own and a network card of its own.
class TwoComputersTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        fs::create_directories(shared);
        m_ours = base::Defaults::standard();
        shareTheLog(*m_ours);
    }

    void TearDown() override
    {
        base::Defaults::setStandard(m_ours);
        m_ours->set("dropboxSync", false);
        Logger::sharedLogger().updateLogFileDescriptors();
        LogTest::TearDown();
    }

    void shareTheLog(base::Defaults& settings)
    {
        settings.set("dropboxLocation", shared.string());
        settings.set("dropboxSync", true);
    }

    // What a start of the program does for the log before it is read.
    void launch(const fs::path& interfaces)
    {
        BackingStoreManager::sharedManager().setNetworkInterfacesFolder(interfaces);
        Logger::sharedLogger().updateLogFileDescriptors();
        UpgradeManager::sharedInstance().upgradeEverything();
        LogFileManager::sharedInstance().reset();
    }

    void logSlice(const std::string& objective)
    {
        auto& logger = Logger::sharedLogger();
        logger.setCurrentWorkSource([objective] {
            Logger::CurrentWork work;
            work.objective = text::AttributedString::fromUtf8(objective);
            work.durationInMinutes = 1;
            return work;
        });
        for (int second = 0; second < 60; ++second)
            logger.incrementActualSecondsWorked();
        ASSERT_TRUE(logger.logCurrentTimeSlice());
    }

    static std::vector<std::string> objectivesRead()
    {
        FullDataSet set;
        set.loadFromDisk();
        std::vector<std::string> objectives;
        for (const auto& record : set.fullTimeSlices())
            objectives.push_back(record->objective());
        std::sort(objectives.begin(), objectives.end());
        return objectives;
    }

    fs::path shared = home.path() / "Dropbox";
    fs::path sharedLogs = shared / "Ostrel" / "System Logs";
    std::shared_ptr<base::Defaults> m_ours;
};

TEST_F(TwoComputersTest, EachWritesItsOwnDayFileAndReadsTheOthers)
{
    std::error_code error;
    fs::directory_iterator interfaces("/sys/class/net", error), end;
    if (std::none_of(interfaces, end, [](const fs::directory_entry& entry) { return fs::exists(entry.path() / "device"); }))
        GTEST_SKIP() << "this machine has no network interface with a device";
    std::string ours = ComputerIdentifier::current();
    ASSERT_NE(ours, "default") << "this machine's own address names its files";
    launch("/sys/class/net");
    logSlice("Written here");

    {
        TemporaryHome theirs;
        auto settings = base::Defaults::create({});
        base::Defaults::setStandard(settings);
        shareTheLog(*settings);
        fs::path card = theirs.path() / "net" / "eth0";
        fs::create_directories(card / "device");
        writeText(card / "address", "0a:1b:2c:3d:4e:5f\n");
        launch(theirs.path() / "net");
        logSlice("Written there");
        EXPECT_EQ(objectivesRead(), (std::vector<std::string> { "Written here", "Written there" }));
    }

    // Back on this computer, started again.
    base::Defaults::setStandard(m_ours);
    launch("/sys/class/net");
    EXPECT_EQ(objectivesRead(), (std::vector<std::string> { "Written here", "Written there" }));
    auto names = base::files::list(sharedLogs).value_or(std::vector<std::string> {});
    ASSERT_EQ(names.size(), 2u);
    std::string today = base::DateFormat::format(clock.now(), "yyyy-MM-dd");
    EXPECT_NE(std::find(names.begin(), names.end(), "System Log Day " + today + " (" + ours + ").rtfd"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "System Log Day " + today + " (a1b2c3d4e5f).rtfd"), names.end());
}

}
}
