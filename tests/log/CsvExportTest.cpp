#include "log/CsvExport.h"
#include "tests/log/StatisticsSupport.h"


namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

class CsvExportTest : public StatisticsTest {
protected:
    void SetUp() override
    {
        StatisticsTest::SetUp();
        fs::create_directories(path.parent_path());
    }

    std::string exported()
    {
        publish();
        auto manager = FullFeaturedStatisticsManager::create();
        manager->prepareDataSet();
        EXPECT_TRUE(manager->exportCSVTo(path.string()));
        return base::files::readText(path, 1 << 20).value_or("<none>");
    }

    static std::string lineOf(const std::string& csv, size_t index)
    {
        size_t start = 0;
        for (size_t i = 0; i < index; ++i)
            start = csv.find('\n', start) + 1;
        return csv.substr(start, csv.find('\n', start) - start);
    }

    fs::path path = home.path() / "Desktop" / "Ostrel Log.csv";
};

TEST_F(CsvExportTest, ObjectivesAreQuotedOnlyWhenTheyMustBe)
{
    add(localDate(2026, 1, 5, 9), 1499.9, "good", "a,b").setObjective("Write report, part 2");
    add(localDate(2026, 1, 5, 8), -3.7, "highly focused").setObjective("Read \"Dune\" again");
    add(localDate(2026, 1, 5, 7), 60, "distracted").setObjective("  plain \n");
    add(localDate(2026, 1, 5, 6), 60, "experienced flow").setObjective("two\nlines");
    add(localDate(2026, 1, 5, 5), 60, "good").setObjective("carriage\rreturn");
    auto csv = exported();
    EXPECT_EQ(lineOf(csv, 0), "uuid,start,actualDuration,focus,completed,tags,objective");
    EXPECT_EQ(lineOf(csv, 1), "U0,\"2026-01-05 09:00:00\",1499,good,false,\"a,b\",\"Write report, part 2\"");
    EXPECT_EQ(lineOf(csv, 2), "U1,\"2026-01-05 08:00:00\",-3,highly focused,false,\"\",\"Read \"\"Dune\"\" again\"");
    EXPECT_EQ(lineOf(csv, 3), "U2,\"2026-01-05 07:00:00\",60,distracted,false,\"\",plain");
    EXPECT_NE(csv.find(",\"two\nlines\"\n"), std::string::npos);
    EXPECT_NE(csv.find(",\"carriage\rreturn\"\n"), std::string::npos);
}

TEST_F(CsvExportTest, ObjectivesLoseEveryKindOfWhiteSpaceAtTheirEdges)
{
    // No-break, ideographic, em and line-separator spaces outside; a no-break one inside stays.
    add(localDate(2026, 1, 5, 9), 60, "good").setObjective("\u00a0\u3000Plan\u00a0it\u2003\u2028\t");
    add(localDate(2026, 1, 5, 8), 60, "good").setObjective("\u3000\u00a0 ");
    auto csv = exported();
    EXPECT_EQ(lineOf(csv, 1), "U0,\"2026-01-05 09:00:00\",60,good,false,\"\",Plan\u00a0it");
    EXPECT_EQ(lineOf(csv, 2), "U1,\"2026-01-05 08:00:00\",60,good,false,\"\",");
}

TEST_F(CsvExportTest, EveryFieldFromOutsideIsQuotedWhenItHoldsASeparator)
{
    add(localDate(2026, 1, 5, 9), 60, "very, very good", "say \"hi\"").setUuid("a,b");
    add(localDate(2026, 1, 5, 8), 60, "good").setCompleted(true);
    auto csv = exported();
    EXPECT_EQ(lineOf(csv, 1), "\"a,b\",\"2026-01-05 09:00:00\",60,\"very, very good\",false,\"say \"\"hi\"\"\",dummy");
    EXPECT_EQ(lineOf(csv, 2), "U1,\"2026-01-05 08:00:00\",60,good,true,\"\",dummy");
}

TEST_F(CsvExportTest, BeforeAnySetTheFileHoldsTheHeaderAlone)
{
    auto manager = FullFeaturedStatisticsManager::create();
    ASSERT_TRUE(manager->exportCSVTo(path.string()));
    EXPECT_EQ(base::files::readText(path, 1 << 20), std::string(CsvExport::kHeader) + "\n");
}

TEST_F(CsvExportTest, AnEntryWithoutAStartDateIsExportedAtTheDistantPastAsTheLogWritesIt)
{
    // West of Greenwich its own moment falls on the evening before: the date written is the
    // one it is named for, as the log book shows it.
    home.setTimeZone("America/New_York");
    add(base::Time::distantPast(), 60, "good").setObjective("Undated");
    auto line = lineOf(exported(), 1);
    EXPECT_NE(line.find(",\"0001-01-01 00:00:00\",60,good,"), std::string::npos) << line;
}

TEST_F(CsvExportTest, ASecondExportReplacesTheFirst)
{
    add(localDate(2026, 1, 5, 9), 60, "good");
    exported();
    writeText(path, "old contents that are longer than the new ones will be, by quite a lot of characters");
    auto csv = exported();
    EXPECT_EQ(csv.rfind(CsvExport::kHeader, 0), 0u);
    EXPECT_EQ(csv.find("old contents"), std::string::npos);
}

TEST_F(CsvExportTest, AFailedWriteIsReportedAndLeavesWhatWasThere)
{
    // A folder where the file should go: no file can replace it, whoever runs the test.
    fs::create_directories(path);
    writeText(path / "keep.txt", "kept");
    auto manager = FullFeaturedStatisticsManager::create();
    EXPECT_FALSE(manager->exportCSVTo(path.string()));
    ASSERT_EQ(alerts.size(), 1u);
    // The system's error, as the standard error presentation words it.
    EXPECT_EQ(alerts[0].message, "The file \"Ostrel Log.csv\" could not be saved in the folder \"Desktop\".");
    EXPECT_EQ(alerts[0].informativeText, "Is a directory");
    EXPECT_EQ(alerts[0].buttons, (std::vector<std::string> { "OK" }));
    EXPECT_EQ(base::files::readText(path / "keep.txt", 1 << 20), "kept");
}

}
}
