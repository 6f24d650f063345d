#include "log/FolderContentMonitor.h"
#include "log/FullDataSet.h"
#include "log/LogFile.h"
#include "log/LogFileManager.h"
#include "tests/log/LogTestSupport.h"

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;
using namespace desktop::FolderEventFlag;

struct CountingListener : LogFileManagerListener {
    void logFilesWereUpdated() override
    {
        ++calls;
        sets.push_back(LogFileManager::sharedInstance().currentFullDataSet());
    }
    int calls { 0 };
    std::vector<std::shared_ptr<const FullDataSet>> sets;
};

class ReloadTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        fs::create_directories(logFolder());
        manager().addListener(listener);
    }

    static LogFileManager& manager() { return LogFileManager::sharedInstance(); }

    fs::path day(const std::string& date, const std::string& computer = "default")
    {
        return logFolder() / ("System Log Day " + date + " (" + computer + ").rtfd");
    }

    void runFor(double seconds) { base::RunLoop::main().runUntil(clock.now() + seconds); }

    std::vector<std::string> uuidsOfCurrentSet() const
    {
        std::vector<std::string> result;
        for (const auto& record : LogFileManager::sharedInstance().currentFullDataSet()->fullTimeSlices())
            result.push_back(record->uuid());
        return result;
    }

    std::shared_ptr<CountingListener> listener = std::make_shared<CountingListener>();
};

TEST_F(ReloadTest, RequestsWithinOneSecondBecomeOneRead)
{
    writePackage(day("2026-01-05"), entryLines("A", { "#startDate", "2026-01-05 08:00:00" }));
    double asked = clock.now();
    manager().update();
    runFor(0.4);
    manager().update();
    runFor(0.4);
    manager().update();
    runFor(0.1);
    EXPECT_EQ(listener->calls, 0) << "nothing is read before the wait is over";

    runFor(3);
    ASSERT_EQ(listener->calls, 1);
    EXPECT_EQ(uuidsOfCurrentSet(), (std::vector<std::string> { "A" }));
    EXPECT_EQ(listener->sets[0], manager().currentFullDataSet());
    // The wait runs from the first request, not the last.
    EXPECT_LT(clock.now() - asked, 4.0);
}

TEST_F(ReloadTest, RequestAfterTheWaitStartsAnotherReadWithTheNewData)
{
    manager().update();
    runFor(1.5);
    ASSERT_EQ(listener->calls, 1);
    EXPECT_TRUE(uuidsOfCurrentSet().empty());

    writePackage(day("2026-01-05"), entryLines("B", {}));
    manager().update();
    runFor(1.5);
    ASSERT_EQ(listener->calls, 2);
    EXPECT_EQ(uuidsOfCurrentSet(), (std::vector<std::string> { "B" }));
    EXPECT_NE(listener->sets[0], listener->sets[1]) << "a new set is published, the old one left whole";
}

TEST_F(ReloadTest, ListenersAreToldInOrderAndAsOftenAsAdded)
{
    std::vector<int> order;
    struct Recording : LogFileManagerListener {
        Recording(std::vector<int>& order, int id)
            : order(order)
            , id(id)
        {
        }
        void logFilesWereUpdated() override { order.push_back(id); }
        std::vector<int>& order;
        int id;
    };
    auto first = std::make_shared<Recording>(order, 1);
    manager().addListener(first);
    manager().addListener(std::make_shared<Recording>(order, 2));
    manager().addListener(first);
    manager().update();
    runFor(2);
    EXPECT_EQ(order, (std::vector<int> { 1, 2, 1 }));
}

TEST_F(ReloadTest, ARewriteAsksForOneReload)
{
    writePackage(day("2026-01-05"), entryLines("A", {}) + entryLines("B", {}));
    manager().update();
    runFor(2);
    ASSERT_EQ(listener->calls, 1);
    auto file = manager().createOrRetrieveLogFile(day("2026-01-05").string());
    ASSERT_TRUE(file->deleteAndSave("A"));
    runFor(2);
    EXPECT_EQ(listener->calls, 2);
    EXPECT_EQ(uuidsOfCurrentSet(), (std::vector<std::string> { "B" }));
}

TEST_F(ReloadTest, RewriteOfAnUnreadableFileIsRefusedAndReported)
{
    fs::create_directories(day("2026-01-05"));
    writeText(day("2026-01-05") / "TXT.rtf", "this is no rich text");
    auto file = manager().createOrRetrieveLogFile(day("2026-01-05").string());
    FullTimeSlice added;
    added.setUuid("NEW");
    EXPECT_FALSE(file->addOrReplaceThenSaveAndUpdate(added, "NEW"));
    EXPECT_FALSE(file->deleteAndSave("X"));
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_NE(alerts[0].informativeText.find("could not be read"), std::string::npos);
    EXPECT_EQ(*base::files::readText(day("2026-01-05") / "TXT.rtf", 1 << 20), "this is no rich text");
}

TEST_F(ReloadTest, AnotherComputersNewFileReachesTheListenersThroughTheWatcher)
{
    manager().update();
    manager().monitor().start();
    ASSERT_TRUE(manager().monitor().started());
    runFor(2);
    ASSERT_EQ(listener->calls, 1);

    // Written the way a sync client puts a package in place: many files, many events.
    writePackage(day("2026-01-05", "a1b2c3d4e5f6"), entryLines("THEIRS", { "#startDate", "2026-01-05 07:00:00" }));
    runFor(0.5);
    EXPECT_EQ(listener->calls, 1) << "the reload waits its second";
    runFor(5);
    EXPECT_EQ(listener->calls, 2) << "a burst of events is one reload";
    EXPECT_EQ(uuidsOfCurrentSet(), (std::vector<std::string> { "THEIRS" }));
    EXPECT_TRUE(sawDiagnostic("FileSystemFlag: "));
}

TEST_F(ReloadTest, ADayFileArrivingWithoutAComputerTakesThisOnesNameBeforeItIsRead)
{
    manager().update();
    manager().monitor().start();
    runFor(2);
    ASSERT_EQ(listener->calls, 1);

    // Synced in from a copy of the program older than computers' names, after start-up.
    fs::path older = logFolder() / "System Log Day 2026-01-05.rtfd";
    writePackage(older, entryLines("SYNCED", { "#startDate", "2026-01-05 07:00:00" }));
    FullDataSet unrenamed;
    unrenamed.loadFromDisk();
    EXPECT_FALSE(unrenamed.fullTimeSliceFor("SYNCED")) << "not read under a name without a computer";
    runFor(5);
    EXPECT_EQ(uuidsOfCurrentSet(), (std::vector<std::string> { "SYNCED" }));
    EXPECT_FALSE(fs::exists(older));
    EXPECT_TRUE(fs::exists(day("2026-01-05")));
    // The renaming is a change of the folder too; what it brings is read once, not twice.
    runFor(5);
    EXPECT_EQ(uuidsOfCurrentSet(), (std::vector<std::string> { "SYNCED" }));
}

TEST_F(ReloadTest, WatcherFollowsTheFolderWhenRestartedElsewhere)
{
    manager().monitor().start();
    fs::path elsewhere = home.path() / "Shared" / "System Logs";
    fs::create_directories(elsewhere);
    Logger::sharedLogger().systemLogBackingStoreDesc()->setFolderPath(elsewhere.string());
    manager().restartMonitor();
    EXPECT_EQ(manager().monitor().pathsToWatch(), (std::vector<std::string> { elsewhere.string() }));

    writePackage(logFolder() / "System Log Day 2026-01-05 (default).rtfd", entryLines("OLD", {}));
    runFor(3);
    EXPECT_EQ(listener->calls, 0) << "the old folder is no longer watched";
    writePackage(elsewhere / "System Log Day 2026-01-05 (default).rtfd", entryLines("MOVED", {}));
    runFor(3);
    EXPECT_EQ(listener->calls, 1);
    EXPECT_EQ(uuidsOfCurrentSet(), (std::vector<std::string> { "MOVED" }));
    Logger::sharedLogger().updateLogFileDescriptors();
}

class MonitorTest : public ReloadTest {
protected:
    void SetUp() override
    {
        ReloadTest::SetUp();
        manager().setWatchFactory([this] {
            auto watch = std::make_unique<desktop::ManualFolderWatch>();
            watches.push_back(watch.get());
            return watch;
        });
        manager().setForceLogRead([this] { ++forcedReads; });
    }

    void deliver(std::uint32_t flags, const std::string& path = "x")
    {
        ASSERT_FALSE(watches.empty());
        watches.back()->deliver({ desktop::FolderEvent { ++lastId, path, flags } });
        base::RunLoop::main().runOnce();
    }

    std::vector<desktop::ManualFolderWatch*> watches;
    int forcedReads { 0 };
    std::uint64_t lastId { 0 };
};

TEST_F(MonitorTest, OnlyContentChangesAskForARead)
{
    manager().monitor().start();
    deliver(ItemInodeMetaMod | ItemIsFile);
    deliver(ItemIsFile);
    deliver(ItemIsSymlink | ItemIsHardlink);
    EXPECT_EQ(forcedReads, 0);
    for (auto flag : { ItemCreated, ItemRemoved, ItemRenamed, ItemModified, ItemFinderInfoMod, ItemChangeOwner,
             ItemXattrMod, ItemIsDir })
        deliver(flag);
    EXPECT_EQ(forcedReads, 8);
    EXPECT_TRUE(sawDiagnostic("FileSystemFlag: isFile, inodeMetaModified"));
    EXPECT_EQ(manager().monitor().lastEventId(), lastId);
}

TEST_F(MonitorTest, StartingTwiceMakesOneWatchOnTheLogFolder)
{
    manager().monitor().start();
    manager().monitor().start();
    ASSERT_EQ(watches.size(), 1u);
    EXPECT_EQ(watches[0]->folder(), logFolder());
}

TEST_F(MonitorTest, WithoutAControllerAChangeReloads)
{
    manager().setForceLogRead({});
    manager().monitor().start();
    deliver(ItemCreated | ItemIsFile);
    runFor(2);
    EXPECT_EQ(listener->calls, 1);
}

TEST(FileSystemFlagTest, NamesTheSetFlagsInTableOrder)
{
    EXPECT_EQ(FileSystemFlag::description(ItemModified | ItemIsFile | ItemCreated | ItemXattrMod),
        "isFile, created, modified, xattrsModified");
    EXPECT_EQ(FileSystemFlag::description(0), "");
    EXPECT_EQ((FileSystemEvent { 7, "/a b", 0x1100 }).description(), "7 - 4352 - /a b");
}

}
}
