#include "log/FullDataSet.h"
#include "log/LogFile.h"
#include "log/LogFileManager.h"
#include "tests/log/LogTestSupport.h"

#include <ctime>
#include <sys/stat.h>
#include <sys/time.h>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

class DataSetTest : public LogTest {
protected:
    std::shared_ptr<FullDataSet> load()
    {
        auto set = std::make_shared<FullDataSet>();
        set->loadFromDisk();
        return set;
    }

    static std::vector<std::string> uuids(const FullDataSet& set)
    {
        std::vector<std::string> result;
        for (const auto& record : set.fullTimeSlices())
            result.push_back(record->uuid());
        return result;
    }

    fs::path day(const std::string& date, const std::string& computer = "default")
    {
        return logFolder() / ("System Log Day " + date + " (" + computer + ").rtfd");
    }

    static std::string started(const std::string& date) { return "#startDate\n" + date + "\n"; }
};

TEST_F(DataSetTest, EmptyOrMissingFolderGivesAnEmptySet)
{
    fs::remove_all(logFolder());
    auto set = load();
    EXPECT_TRUE(set->timeSlices().empty());
    EXPECT_FALSE(set->fullTimeSliceFor("dummy"));
}

TEST_F(DataSetTest, ReadsEveryComputerAndBothOlderFormatsNewestFirst)
{
    writePackage(day("2026-03-02"), entryLines("MINE", {}) + started("2026-03-02 09:00:00"));
    writePackage(day("2026-03-02", "1a2b3c4d5e6f"), entryLines("THEIRS", {}) + started("2026-03-02 11:00:00"));
    writeText(logFolder() / "System Log 2009-05-06 (0-1-2-3).txt",
        "#TimeSlice\r\n#objective\r\nold one\r\n#startDate\r\n2009-05-06 10:00:00\r\n#actualDuration\r\n300\r\n"
        "#TimeSlice\r\n#completed\r\nYES\r\n#startDate\r\n2009-05-06 12:00:00\r\n");
    static const char utf16[] = "\xff\xfe#\0T\0i\0m\0e\0S\0l\0i\0c\0e\0\n\0U\0\n\0";
    writeText(logFolder() / "System Log 2008-01-01 (a-b-c-d).txt", std::string(utf16, sizeof utf16 - 1));
    writeText(logFolder() / "Not A Log.txt", entryLines("IGNORED", {}));
    writePackage(logFolder() / "System Log notes.rtfd", entryLines("UNMATCHED", {}));

    auto set = std::make_shared<FullDataSet>();
    text::Attributes padText;
    padText.font = gfx::Font::named("Helvetica", 15);
    set->setPlainTextAttributes(padText);
    set->loadFromDisk();
    EXPECT_EQ(uuids(*set), (std::vector<std::string> { "THEIRS", "MINE", "dummy", "dummy", "U" }));
    EXPECT_EQ(set->fullTimeSlices()[3]->objectiveText().attributesAt(0).font, padText.font);
    auto records = set->fullTimeSlices();
    EXPECT_EQ(records[0]->fullPathOfLogFile(), day("2026-03-02", "1a2b3c4d5e6f").string());
    EXPECT_TRUE(records[0]->isRTFD());
    EXPECT_EQ(records[2]->objective(), "");
    EXPECT_TRUE(records[2]->completed());
    EXPECT_EQ(records[3]->objective(), "old one\n");
    EXPECT_EQ(records[3]->actualDuration(), 300);
    EXPECT_FALSE(records[3]->fullPathOfLogFile());
    EXPECT_FALSE(records[3]->isRTFD());
}

TEST_F(DataSetTest, NamesInAnyLetterCaseAreListedAndRead)
{
    writePackage(logFolder() / "system log day 2026-03-02 (default).rtfd", entryLines("LOWER", {}) + started("2026-03-02 09:00:00"));
    writeText(logFolder() / "SYSTEM LOG 2009-05-06 (0-1-2-3).TXT", entryLines("UPPER", {}) + started("2009-05-06 09:00:00"));
    EXPECT_EQ(uuids(*load()), (std::vector<std::string> { "LOWER", "UPPER" }));
    auto& index = Logger::sharedLogger().systemLogBackingStoreDesc()->index();
    index.refreshIndexFromDisk();
    EXPECT_EQ(index.indexOfIDs().size(), 2u);
}

TEST_F(DataSetTest, WhatIsNoFileInTheFolderIsPassedOverWithoutWaiting)
{
    writePackage(day("2026-03-02"), entryLines("READ", {}));
    // Named as logs are, but a FIFO nobody writes to and a link to an endless device.
    ASSERT_EQ(::mkfifo((logFolder() / "System Log 2009-05-06 (0-1-2-3).txt").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", logFolder() / "System Log 2009-05-07 (0-1-2-3).txt");
    fs::create_directories(day("2026-03-03"));
    ASSERT_EQ(::mkfifo((day("2026-03-03") / "TXT.rtf").c_str(), 0600), 0);
    EXPECT_EQ(uuids(*load()), std::vector<std::string> { "READ" });
    EXPECT_TRUE(sawDiagnostic("a FIFO, not a file"));
    EXPECT_TRUE(sawDiagnostic("a device, not a file"));
}

TEST_F(DataSetTest, DamagedFilesGiveWhatCanBeReadAndNeverStopTheLoad)
{
    writePackage(day("2026-01-01"), entryLines("GOOD", {}));
    fs::create_directories(day("2026-01-02"));
    writeText(day("2026-01-02") / "TXT.rtf", "{\\rtf1\\ansi #TimeSlice\\par TRUNCATED\\par #dura");
    writeText(day("2026-01-03"), "a plain file named like a package");
    fs::create_directories(day("2026-01-04"));
    fs::create_directories(day("2026-01-05"));
    writeText(day("2026-01-05") / "TXT.rtf", "");
    fs::create_directories(day("2026-01-06"));
    writeText(day("2026-01-06") / "TXT.rtf", std::string(5000, '\0') + "garbage{{{{{{{{");

    auto set = load();
    auto found = uuids(*set);
    EXPECT_NE(std::find(found.begin(), found.end(), "GOOD"), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), "TRUNCATED"), found.end());
    EXPECT_TRUE(sawDiagnostic("did not contain any legal data and was skipped."));
}

TEST_F(DataSetTest, MapKeepsTheOldestOfRepeatedIdentifiersAndDeleteTakesAll)
{
    writePackage(day("2026-04-01"),
        entryLines("SAME", {}) + started("2026-04-01 08:00:00") + entryLines("SAME", {}) + started("2026-04-01 18:00:00")
            + entryLines("OTHER", {}) + started("2026-04-01 12:00:00"));
    auto set = load();
    EXPECT_EQ(uuids(*set), (std::vector<std::string> { "SAME", "OTHER", "SAME" }));
    EXPECT_EQ(set->fullTimeSliceFor("SAME")->startDate(), localDate(2026, 4, 1, 8));
    EXPECT_FALSE(set->fullTimeSliceFor("NONE"));
    set->deleteWithUUID("SAME");
    EXPECT_EQ(uuids(*set), std::vector<std::string> { "OTHER" });
    EXPECT_FALSE(set->fullTimeSliceFor("SAME"));
}

TEST_F(DataSetTest, RawSetReadsWithTheBaseReader)
{
    writePackage(day("2026-04-02"), entryLines("U", { "#objective", "x", "#actualDuration", "-60", "#tags", "a" }));
    RawDataSet raw;
    raw.loadFromDisk();
    ASSERT_EQ(raw.timeSlices().size(), 1u);
    EXPECT_EQ(raw.timeSlices()[0]->actualDuration(), -60);
    EXPECT_EQ(raw.timeSlices()[0]->tagString(), "a");
    EXPECT_EQ(dynamic_cast<FullTimeSlice*>(raw.timeSlices()[0].get()), nullptr);

    // The same cached file read next by a full set gives full records.
    auto set = load();
    ASSERT_EQ(set->fullTimeSlices().size(), 1u);
    EXPECT_EQ(set->fullTimeSlices()[0]->objective(), "x");
}

TEST_F(DataSetTest, FilesUntouchedForDaysAreNotParsedAgain)
{
    // Writing a file sets its status-change time to the real now, which no test can move
    // back: the virtual now goes three days past it instead.
    clock.set(base::Time::fromUnix(double(::time(nullptr))) + 3 * 86400);
    writePackage(day("2026-01-01"), entryLines("OLD", {}));
    writePackage(day("2026-01-04"), entryLines("RECENT", {}));
    touch(day("2026-01-01"), 2 * 86400);
    touch(day("2026-01-04"), 3600);
    load();

    writePackage(day("2026-01-01"), entryLines("CHANGED", {}));
    writePackage(day("2026-01-04"), entryLines("RECENT2", {}));
    touch(day("2026-01-01"), 2 * 86400);
    touch(day("2026-01-04"), 3600);
    auto set = load();
    EXPECT_EQ(uuids(*set), (std::vector<std::string> { "OLD", "RECENT2" }));

    LogFileManager::sharedInstance().createOrRetrieveLogFile(day("2026-01-01").string())->setLastRead(base::Time::distantPast());
    set = load();
    EXPECT_EQ(uuids(*set), (std::vector<std::string> { "CHANGED", "RECENT2" }));
}

TEST_F(DataSetTest, AFileArrivingWithAnOldDateIsReadAgain)
{
    clock.set(base::Time::fromUnix(double(::time(nullptr))));
    // Another computer's day file, half synced when first read; the sync client then
    // finishes it and gives it that computer's modification date of two days ago.
    fs::path other = logFolder() / "System Log Day 2026-01-02 (a1b2c3d4e5f6).rtfd";
    writePackage(other, entryLines("FIRST", {}));
    touch(other, 2 * 86400);
    EXPECT_EQ(uuids(*load()), std::vector<std::string> { "FIRST" });

    writePackage(other, entryLines("FIRST", {}) + entryLines("SECOND", {}));
    touch(other, 2 * 86400);
    EXPECT_EQ(uuids(*load()), (std::vector<std::string> { "FIRST", "SECOND" }));
}

class RewriteTest : public DataSetTest {
protected:
    std::shared_ptr<LogFile> file(const fs::path& path)
    {
        return LogFileManager::sharedInstance().createOrRetrieveLogFile(path.string());
    }

    std::vector<std::string> uuidsIn(const fs::path& path)
    {
        FullDataSet set;
        std::vector<std::string> result;
        for (const auto& record : set.loadRTFDFile(path.string()))
            result.push_back(static_cast<FullTimeSlice&>(*record).uuid());
        return result;
    }

    void SetUp() override
    {
        DataSetTest::SetUp();
        LogFileManager::sharedInstance().setUpdateHandler([this] { ++updates; });
        writePackage(day("2026-04-01"), entryLines("A", { "#objective", "first", "#tags", "x" }) + entryLines("B", {})
                + entryLines("C", {}));
    }
    void TearDown() override
    {
        LogFileManager::sharedInstance().setUpdateHandler({});
        DataSetTest::TearDown();
    }

    int updates { 0 };
};

TEST_F(RewriteTest, ReplacingKeepsIdentifierAndPosition)
{
    FullTimeSlice edited;
    edited.setUuid("IGNORED");
    edited.setObjectiveText(text::AttributedString::fromUtf8("rewritten\n#tags"));
    edited.setTagString("y");
    edited.setCompleted(true);
    edited.setActualDuration(42.9);
    ASSERT_TRUE(file(day("2026-04-01"))->addOrReplaceThenSaveAndUpdate(edited, "B"));
    EXPECT_EQ(uuidsIn(day("2026-04-01")), (std::vector<std::string> { "A", "B", "C" }));
    auto set = load();
    auto b = set->fullTimeSliceFor("B");
    EXPECT_EQ(b->objective(), "rewritten\n #tags");
    EXPECT_EQ(b->tagString(), "y");
    EXPECT_TRUE(b->completed());
    EXPECT_EQ(b->actualDuration(), 42);
    EXPECT_EQ(set->fullTimeSliceFor("A")->objective(), "first");
    EXPECT_EQ(updates, 1);
}

TEST_F(RewriteTest, AddingPutsTheEntryLastAndDeletingTheLastLeavesAnEmptyFile)
{
    FullTimeSlice added;
    added.setUuid("D");
    ASSERT_TRUE(file(day("2026-04-01"))->addOrReplaceThenSaveAndUpdate(added, "D"));
    EXPECT_EQ(uuidsIn(day("2026-04-01")), (std::vector<std::string> { "A", "B", "C", "D" }));

    ASSERT_TRUE(file(day("2026-04-02"))->addOrReplaceThenSaveAndUpdate(added, "D"));
    ASSERT_TRUE(file(day("2026-04-02"))->deleteAndSave("D"));
    EXPECT_TRUE(fs::is_directory(day("2026-04-02")));
    EXPECT_TRUE(uuidsIn(day("2026-04-02")).empty());
}

TEST_F(RewriteTest, EntriesWithoutIdentifierAreAddressedByPositionOnly)
{
    writePackage(day("2026-04-03"), "#TimeSlice\n#TimeSlice\n#TimeSlice\nREAL\n#TimeSlice\n");
    auto log = file(day("2026-04-03"));
    EXPECT_FALSE(log->deleteAndSave("dummy"));
    EXPECT_EQ(uuidsIn(day("2026-04-03")), (std::vector<std::string> { "dummy", "dummy", "REAL", "dummy" }));
    EXPECT_FALSE(log->deleteAndSave("dummy", 2));
    ASSERT_TRUE(log->deleteAndSave("dummy", 1));
    EXPECT_EQ(uuidsIn(day("2026-04-03")), (std::vector<std::string> { "dummy", "REAL", "dummy" }));
}

TEST_F(RewriteTest, AFileReadOnlyInPartIsNeverRewritten)
{
    fs::path path = day("2026-04-06");
    writePackage(path, entryLines("K1", { "#tags", "a" }) + entryLines("K2", {}) + entryLines("K3", {}));
    fs::path rtf = path / "TXT.rtf";
    std::string whole = *base::files::readBytes(rtf, 1 << 20);
    // Cut inside the last entry: the reader still finds the first ones.
    std::string cut = whole.substr(0, whole.size() - 12);
    writeText(rtf, cut);
    EXPECT_FALSE(file(path)->deleteAndSave("K1"));
    FullTimeSlice edited;
    edited.setTagString("b");
    EXPECT_FALSE(file(path)->addOrReplaceThenSaveAndUpdate(edited, "K1"));
    EXPECT_EQ(base::files::readBytes(rtf, 1 << 20), cut);
    EXPECT_EQ(updates, 0);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0].message, "The log entry could not be changed.");
}

TEST_F(RewriteTest, AnEntryGoneFromItsPlaceIsNotAddedBack)
{
    fs::path path = day("2026-04-07");
    writePackage(path, entryLines("E1", {}) + entryLines("E2", {}));
    // The log book showed E2 as the second entry; another computer has since deleted it.
    writePackage(path, entryLines("E1", {}));
    FullTimeSlice edited;
    edited.setUuid("E2");
    edited.setTagString("edited");
    EXPECT_FALSE(file(path)->addOrReplaceThenSaveAndUpdate(edited, "E2", 1));
    EXPECT_EQ(uuidsIn(path), std::vector<std::string> { "E1" });
    EXPECT_FALSE(file(path)->deleteAndSave("E2", 1));
    EXPECT_EQ(uuidsIn(path), std::vector<std::string> { "E1" });
}

TEST_F(RewriteTest, RepeatedIdentifierNeedsAPosition)
{
    writePackage(day("2026-04-04"), entryLines("TWIN", {}) + entryLines("TWIN", {}));
    EXPECT_FALSE(file(day("2026-04-04"))->deleteAndSave("TWIN"));
    ASSERT_TRUE(file(day("2026-04-04"))->deleteAndSave("TWIN", 0));
    EXPECT_EQ(uuidsIn(day("2026-04-04")), std::vector<std::string> { "TWIN" });
}

TEST_F(RewriteTest, PlainTextAndUnreadableFilesAreNeverRewritten)
{
    fs::path old = logFolder() / "System Log 2009-05-06 (0-1-2-3).txt";
    writeText(old, entryLines("P", {}));
    EXPECT_FALSE(file(old)->deleteAndSave("P"));
    EXPECT_EQ(base::files::readBytes(old, 1 << 20), entryLines("P", {}));

    writeText(day("2026-04-05"), "not a package");
    FullTimeSlice added;
    added.setUuid("N");
    EXPECT_FALSE(file(day("2026-04-05"))->addOrReplaceThenSaveAndUpdate(added, "N"));
    EXPECT_EQ(base::files::readBytes(day("2026-04-05"), 1 << 20), "not a package");
    EXPECT_EQ(updates, 0);
}

}
}
