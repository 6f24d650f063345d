#include "log/FullDataSet.h"
#include "log/LogFileManager.h"
#include "platform/desktop/FolderWatch.h"
#include "tests/log/LogTestSupport.h"

#include <ctime>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

// A reload that takes the unchanged days from the set before it must give exactly the set a
// load from scratch gives: the same records, fields and order, ties included.
class ReloadOneDayTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        // Files written now are days old on the virtual clock, so unchanged ones are kept.
        clock.set(base::Time::fromUnix(double(::time(nullptr))) + 3 * 86400);
        fs::create_directories(logFolder());
        // Three days; two computers wrote at the same moments on the 5th, and one file
        // repeats a moment, so the order of files and of entries decides ties.
        writeDay("2026-01-04", "default", { { "A1", "2026-01-04 09:00:00" }, { "A2", "2026-01-04 18:00:00" } });
        writeDay("2026-01-05", "1a2b3c4d5e6f",
            { { "B1", "2026-01-05 09:00:00" }, { "B2", "2026-01-05 10:00:00" }, { "B3", "2026-01-05 10:00:00" } });
        writeDay("2026-01-05", "default", { { "C1", "2026-01-05 10:00:00" }, { "C2", "2026-01-05 09:00:00" } });
        writeDay("2026-01-07", "default", { { "D1", "2026-01-07 08:00:00" } });
        ageEverything();
        before = load(nullptr);
    }

    fs::path day(const std::string& date, const std::string& computer)
    {
        return logFolder() / ("System Log Day " + date + " (" + computer + ").rtfd");
    }

    void writeDay(const std::string& date, const std::string& computer,
        const std::vector<std::pair<std::string, std::string>>& entries)
    {
        std::string text;
        for (const auto& [uuid, start] : entries)
            text += entryLines(uuid, { "#objective", "Objective " + uuid, "#startDate", start });
        writePackage(day(date, computer), text);
        wroteLately(day(date, computer));
    }

    // A file written an hour ago on the virtual clock: read again at the next load.
    void wroteLately(const fs::path& path)
    {
        touch(path, 3600);
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::directory_iterator(path))
                touch(entry.path(), 3600);
        }
    }

    void ageEverything()
    {
        for (const auto& entry : fs::recursive_directory_iterator(logFolder()))
            touch(entry.path(), 2 * 86400);
    }

    std::shared_ptr<FullDataSet> load(const FullDataSet* previous, const std::vector<std::string>* changedNames = nullptr)
    {
        auto set = std::make_shared<FullDataSet>();
        set->loadFromFolder(logFolder().string(), "System Log", previous, changedNames);
        return set;
    }

    std::string name(const std::string& date, const std::string& computer = "default")
    {
        return day(date, computer).filename().string();
    }

    // What tells two sets apart for anyone who reads them.
    static std::vector<std::string> contents(const FullDataSet& set)
    {
        std::vector<std::string> lines;
        const auto& facts = set.statisticsFacts();
        auto records = set.fullTimeSlices();
        for (std::size_t i = 0; i < records.size(); ++i) {
            const auto& record = *records[i];
            EXPECT_EQ(facts[i].record, &record);
            EXPECT_EQ(facts[i].startDate, record.startDate());
            lines.push_back(record.uuid() + " " + std::to_string(record.startDate()) + " " + record.objective() + " "
                + record.fullPathOfLogFile().value_or("") + " " + std::to_string(record.positionInFile().value_or(99)));
            EXPECT_EQ(set.fullTimeSliceFor(record.uuid()).get(), &record);
        }
        return lines;
    }

    // The reload from `before` told which names changed, and the one looking at every file,
    // each checked against a load that forgets every file read.
    std::shared_ptr<FullDataSet> reloadMatchingAFullLoad(const std::vector<std::string>& changedNames)
    {
        auto told = load(before.get(), &changedNames);
        auto looked = load(before.get());
        LogFileManager::sharedInstance().reset();
        auto full = load(nullptr);
        EXPECT_EQ(contents(*told), contents(*full));
        EXPECT_EQ(contents(*looked), contents(*full));
        return told;
    }

    std::shared_ptr<const FullDataSet> nextPublishedSet(std::shared_ptr<const FullDataSet> old)
    {
        auto& manager = LogFileManager::sharedInstance();
        manager.internalAyncUpdate();
        while (manager.currentFullDataSet() == old)
            base::RunLoop::main().runOnce();
        return manager.currentFullDataSet();
    }

    std::vector<std::string> uuids(const FullDataSet& set) const
    {
        std::vector<std::string> result;
        for (const auto& record : set.fullTimeSlices())
            result.push_back(record->uuid());
        return result;
    }

    std::shared_ptr<FullDataSet> before;
};

TEST_F(ReloadOneDayTest, AChangedDayIsReadAloneAndKeepsTheOrderOfAFullLoad)
{
    ASSERT_EQ(uuids(*before), (std::vector<std::string> { "D1", "B2", "B3", "C1", "B1", "C2", "A2", "A1" }));
    // The first computer's 5th gains an entry at a moment the other holds too, and loses one.
    writeDay("2026-01-05", "1a2b3c4d5e6f",
        { { "B1", "2026-01-05 09:00:00" }, { "B4", "2026-01-05 10:00:00" }, { "B5", "2026-01-04 18:00:00" } });
    auto reloaded = reloadMatchingAFullLoad({ name("2026-01-05", "1a2b3c4d5e6f") });
    EXPECT_EQ(uuids(*reloaded), (std::vector<std::string> { "D1", "B4", "C1", "B1", "C2", "A2", "B5", "A1" }));
    // The unchanged days' records are the very ones the set before held.
    EXPECT_EQ(reloaded->fullTimeSliceFor("C1"), before->fullTimeSliceFor("C1"));
    EXPECT_NE(reloaded->fullTimeSliceFor("B1"), before->fullTimeSliceFor("B1"));
}

TEST_F(ReloadOneDayTest, ADayRemovedOrAddedGivesTheSetOfAFullLoad)
{
    fs::remove_all(day("2026-01-05", "default"));
    // Listed between two kept days, and at moments the kept days hold.
    writeDay("2026-01-06", "default", { { "E1", "2026-01-07 08:00:00" }, { "E2", "2026-01-04 09:00:00" } });
    auto reloaded = reloadMatchingAFullLoad({ name("2026-01-05"), name("2026-01-06"), "Not A Log.txt" });
    EXPECT_EQ(uuids(*reloaded), (std::vector<std::string> { "E1", "D1", "B2", "B3", "B1", "A2", "A1", "E2" }));

    // A reload of that reload, with nothing changed since, is the same set again.
    before = reloaded;
    ageEverything();
    EXPECT_EQ(contents(*load(before.get())), contents(*reloaded));
}

TEST_F(ReloadOneDayTest, ADamagedDayLosesOnlyItsOwnRecordsAndComesBackWhenMended)
{
    fs::path damaged = day("2026-01-04", "default");
    writeText(damaged / "TXT.rtf", std::string(300, '\0') + "{\\rtf1{{{{");
    wroteLately(damaged);
    auto reloaded = reloadMatchingAFullLoad({ name("2026-01-04") });
    EXPECT_EQ(uuids(*reloaded), (std::vector<std::string> { "D1", "B2", "B3", "C1", "B1", "C2" }));

    before = reloaded;
    writeDay("2026-01-04", "default", { { "A1", "2026-01-04 09:00:00" }, { "A2", "2026-01-04 18:00:00" } });
    EXPECT_EQ(uuids(*reloadMatchingAFullLoad({ name("2026-01-04") })), (std::vector<std::string> { "D1", "B2", "B3", "C1", "B1", "C2", "A2", "A1" }));
}

TEST_F(ReloadOneDayTest, ASetFromElsewhereOrChangedSinceIsNotTakenFrom)
{
    // Another folder's set, and one whose list was changed after its load, lend nothing.
    auto elsewhere = std::make_shared<FullDataSet>();
    elsewhere->loadFromFolder((home.path() / "elsewhere").string(), "System Log");
    EXPECT_EQ(contents(*load(elsewhere.get())), contents(*before));
    before->deleteWithUUID("C1");
    auto reloaded = load(before.get());
    EXPECT_EQ(uuids(*reloaded), (std::vector<std::string> { "D1", "B2", "B3", "C1", "B1", "C2", "A2", "A1" }));
}

TEST_F(ReloadOneDayTest, DaysWrittenLatelyOrToBeReadAgainAreLookedAtUnnamed)
{
    // Today's file, as the last look found it: written within the day, it is looked at again
    // without a word from the watch.
    std::vector<std::string> none;
    writeDay("2026-01-07", "default", { { "D1", "2026-01-07 08:00:00" } });
    before = load(before.get());
    writeDay("2026-01-07", "default", { { "D1", "2026-01-07 08:00:00" }, { "D2", "2026-01-07 07:00:00" } });
    ASSERT_TRUE(load(before.get(), &none)->fullTimeSliceFor("D2"));

    // A rewrite by the log book asks for its file to be read again, whatever its date says.
    writeDay("2026-01-04", "default", { { "A3", "2026-01-04 09:00:00" } });
    touch(day("2026-01-04", "default"), 2 * 86400);
    touch(day("2026-01-04", "default") / "TXT.rtf", 2 * 86400);
    LogFileManager::sharedInstance().createOrRetrieveLogFile(day("2026-01-04", "default").string())
        ->setLastRead(base::Time::distantPast());
    auto reloaded = load(before.get(), &none);
    EXPECT_TRUE(reloaded->fullTimeSliceFor("A3"));
    EXPECT_FALSE(reloaded->fullTimeSliceFor("A1"));
}

TEST_F(ReloadOneDayTest, TheManagerReloadsWhatItsWatchSawChangeFromItsLastSet)
{
    using namespace desktop::FolderEventFlag;
    auto& manager = LogFileManager::sharedInstance();
    std::vector<desktop::ManualFolderWatch*> watches;
    manager.setWatchFactory([&] {
        auto watch = std::make_unique<desktop::ManualFolderWatch>();
        watches.push_back(watch.get());
        return watch;
    });
    manager.setForceLogRead([] { });
    manager.monitor().start();
    ASSERT_EQ(watches.size(), 1u);
    auto first = nextPublishedSet(manager.currentFullDataSet());
    std::uint64_t id = 0;
    auto changed = [&](const fs::path& path, std::uint32_t flags) {
        watches[0]->deliver({ desktop::FolderEvent { ++id, path.string(), flags } });
    };

    writeDay("2026-01-07", "default", { { "D1", "2026-01-07 08:00:00" }, { "D2", "2026-01-07 07:00:00" } });
    changed(day("2026-01-07", "default") / "TXT.rtf", ItemModified | ItemIsFile);
    // Changed with a fresh date as well, but not seen by the watch: left for a full look.
    writeDay("2026-01-04", "default", { { "A3", "2026-01-04 09:00:00" } });
    auto second = nextPublishedSet(first);
    EXPECT_EQ(uuids(*second), (std::vector<std::string> { "D1", "D2", "B2", "B3", "C1", "B1", "C2", "A2", "A1" }));
    EXPECT_EQ(second->fullTimeSliceFor("C1"), first->fullTimeSliceFor("C1"));

    // Events the kernel lost: every file is looked at.
    changed(logFolder(), MustScanSubDirs | ItemIsDir);
    auto third = nextPublishedSet(second);
    EXPECT_EQ(uuids(*third), (std::vector<std::string> { "D1", "D2", "B2", "B3", "C1", "B1", "C2", "A3" }));
    manager.setWatchFactory({});
}

}
}
