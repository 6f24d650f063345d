#include "log/ModernOverviewStatistic.h"
#include "log/ReportsStatistic.h"
#include "tests/log/StatisticsSupport.h"

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

class FilterTest : public StatisticsTest {
protected:
    void SetUp() override
    {
        StatisticsTest::SetUp();
        // Wednesday 2026-01-07, 15:00.
        clock.set(localDate(2026, 1, 7, 15));
        set("filtering", true);
        set("currentlyDisplayedStatistic", 4);
    }

    // Whether a slice starting then passes the filters now set.
    bool counts(double start, const std::string& tags = "")
    {
        manager->configureFiltersPreFlight();
        FullTimeSlice slice;
        slice.setStartDate(start);
        slice.setTagString(tags);
        return manager->timeSliceMatchesFilterCriteria(slice);
    }

    void expectRange(int mode, double from, double to)
    {
        set("statsDateMode", mode);
        manager->configureFiltersPreFlight();
        EXPECT_EQ(manager->cachedStartDate(), from) << "mode " << mode;
        EXPECT_EQ(manager->cachedEndDate(), to) << "mode " << mode;
    }

    std::shared_ptr<FullFeaturedStatisticsManager> manager = FullFeaturedStatisticsManager::create();
};

TEST_F(FilterTest, NamedRangesEndWhereTheyShould)
{
    double now = clock.now();
    double today = localDate(2026, 1, 7);
    double weekStart = DateHelper::sharedHelper().beginningOfTheWeek(now);
    ASSERT_LE(weekStart, today);
    expectRange(0, base::Time::distantPast(), now);
    expectRange(1, today, localDate(2026, 1, 8));
    expectRange(2, localDate(2026, 1, 6), today);
    expectRange(3, weekStart, now);
    expectRange(4, localDate(2025, 12, 31), today);
    expectRange(5, weekStart - 7 * 86400, weekStart);
    expectRange(6, localDate(2026, 1, 1), now);
    expectRange(7, localDate(2025, 12, 8), today);
    set("statsDateMode", 8);
    manager->configureFiltersPreFlight();
    EXPECT_FALSE(manager->cachedStartDate());
    EXPECT_FALSE(manager->cachedEndDate());
}

TEST_F(FilterTest, TodayIncludesItsMidnightAndLastSevenDaysLeavesTodayOut)
{
    set("statsDateMode", 1);
    EXPECT_TRUE(counts(localDate(2026, 1, 7)));
    EXPECT_FALSE(counts(localDate(2026, 1, 8)));
    set("statsDateMode", 4);
    EXPECT_FALSE(counts(localDate(2026, 1, 7, 8)));
    EXPECT_TRUE(counts(localDate(2025, 12, 31)));
    EXPECT_FALSE(counts(localDate(2025, 12, 30, 23, 59, 59)));
}

TEST_F(FilterTest, CustomRangeLeavesItsLastDayOut)
{
    set("statsRadioButtonChoice", 1);
    set("statsFromDate", "2025-05-01");
    set("statsToDate", "2025-05-10");
    EXPECT_TRUE(counts(localDate(2025, 5, 1)));
    EXPECT_TRUE(counts(localDate(2025, 5, 9, 23, 59)));
    EXPECT_FALSE(counts(localDate(2025, 5, 10)));
    EXPECT_FALSE(counts(localDate(2025, 4, 30, 23)));

    set("statsToDate", "not a day");
    EXPECT_TRUE(counts(localDate(2030, 1, 1))) << "a date that does not parse is no bound";
}

TEST_F(FilterTest, TagFilterNeedsEveryTag)
{
    set("tagFilter", "work,deep");
    EXPECT_TRUE(counts(localDate(2026, 1, 7, 9), "deep,work,x"));
    EXPECT_FALSE(counts(localDate(2026, 1, 7, 9), "work"));
    set("tagFilter", "");
    EXPECT_TRUE(counts(localDate(2026, 1, 7, 9), ""));
}

TEST_F(FilterTest, FilteringOffCountsEverything)
{
    set("filtering", false);
    set("statsDateMode", 1);
    set("tagFilter", "nowhere");
    EXPECT_TRUE(counts(localDate(1999, 1, 1)));
}

TEST_F(FilterTest, OverviewTakesTheTagFilterButNotTheDates)
{
    set("currentlyDisplayedStatistic", 0);
    set("statsDateMode", 1);
    set("tagFilter", "work");
    EXPECT_TRUE(counts(localDate(2026, 1, 5, 9), "work"));
    EXPECT_FALSE(counts(localDate(2026, 1, 5, 9), "play"));
}

TEST_F(FilterTest, EveryStoredChoiceGivesAStatistic)
{
    for (long long choice : { 2LL, -1LL, 7LL, 1000LL }) {
        set("currentlyDisplayedStatistic", choice);
        auto overview = std::dynamic_pointer_cast<ModernOverviewStatistic>(manager->getCurrentStatistic());
        ASSERT_TRUE(overview) << choice;
        EXPECT_EQ(overview->duration(), 7);
    }
    set("currentlyDisplayedStatistic", 6);
    EXPECT_EQ(std::dynamic_pointer_cast<ModernOverviewStatistic>(manager->getCurrentStatistic())->duration(), 28);
    set("currentlyDisplayedStatistic", 4);
    EXPECT_TRUE(std::dynamic_pointer_cast<ReportsStatistic>(manager->getCurrentStatistic()));
}

class PublishingTest : public StatisticsTest {
protected:
    void SetUp() override
    {
        StatisticsTest::SetUp();
        manager = FullFeaturedStatisticsManager::sharedInstance();
        manager->setStatisticsWebView([this](const fs::path& page) { pages.push_back(page); });
    }

    fs::path output() const { return home.dataHome() / "Ostrel" / "stats"; }

    std::shared_ptr<FullFeaturedStatisticsManager> manager;
    std::vector<fs::path> pages;
};

TEST_F(PublishingTest, SettingsBurstsWaitHalfASecondForTheLastChange)
{
    set("tagFilter", "a");
    base::RunLoop::main().runUntil(clock.now() + 0.3);
    set("statsDateMode", 3);
    set("filtering", true);
    base::RunLoop::main().runUntil(clock.now() + 0.4);
    EXPECT_TRUE(pages.empty());
    EXPECT_TRUE(manager->updatePending());
    base::RunLoop::main().runUntil(clock.now() + 0.2);
    EXPECT_EQ(pages.size(), 1u);
    base::RunLoop::main().runUntil(clock.now() + 5);
    EXPECT_EQ(pages.size(), 1u);
}

TEST_F(PublishingTest, ChoosingAStatisticShowsItAtOnce)
{
    set("currentlyDisplayedStatistic", 4);
    awaitPage();
    ASSERT_EQ(pages.size(), 1u);
    auto page = base::files::readText(pages[0], 1 << 20);
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("var $timeslice_value = 0;"), std::string::npos);
}

// Counted away from the main thread with the set and filters of the moment it was asked
// for; a computation asked for meanwhile replaces the one on its way.
TEST_F(PublishingTest, TheMainThreadGoesOnWhileTheNumbersAreCountedAndTheLastAskedIsShown)
{
    add(localDate(2026, 1, 5, 8), 600, "good", "a");
    add(localDate(2026, 1, 4, 8), 600, "good", "b");
    publish();
    set("currentlyDisplayedStatistic", 4);
    set("filtering", true);
    set("tagFilter", "a");
    pages.clear();
    manager->load();
    EXPECT_TRUE(manager->computing());
    EXPECT_TRUE(pages.empty()) << "the page comes back on a later turn of the main loop";
    EXPECT_EQ(manager->waitingText(), "Processing Logs...");

    // The settings change while the first is counted: it keeps the filter it started with.
    set("tagFilter", "");
    awaitPage();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(base::files::readText(pages[0], 1 << 20)->find("var $timeslice_value = 1;"), std::string::npos);
    EXPECT_FALSE(manager->computing());
    EXPECT_EQ(manager->waitingText(), "");

    // Two asked for in one turn: only the second is shown.
    pages.clear();
    manager->load();
    set("tagFilter", "b");
    manager->load();
    awaitPage();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(base::files::readText(pages[0], 1 << 20)->find("var $timeslice_value = 1;"), std::string::npos);
    base::RunLoop::main().runUntil(clock.now() + 1);
}

TEST_F(PublishingTest, ANewLogReachesThePageAfterTheDelay)
{
    add(localDate(2026, 1, 5, 8), 600, "good");
    publish();
    LogFileManager::sharedInstance().signalToListeners();
    base::RunLoop::main().runUntil(clock.now() + 1);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(base::files::readText(pages[0], 1 << 20)->find("var good = [ 0.0,0.0,0.0,0.0,0.0,0.0,10.0 ];"), std::string::npos);
}

TEST_F(PublishingTest, PageLiesBesideTheChartLibrary)
{
    if (!base::Resources::path("chartist", "css", "stats"))
        GTEST_SKIP() << "the chart library is not installed (scripts/install-chart-library)";
    // Once the folder the manager prepared as it woke is in place.
    awaitPage();
    fs::create_directories(output());
    writeText(output() / "left over.html", "old");
    manager->load();
    awaitPage();
    EXPECT_EQ(pages, (std::vector<fs::path> { output() / "index.html" }));
    for (const char* file : { "index.html", "chartist.css", "chartist.min.js", "vt/chartist.css",
             "vt/plugins/chartist-plugin-legend.js" })
        EXPECT_TRUE(fs::is_regular_file(output() / file)) << file;
    EXPECT_FALSE(fs::exists(output() / "left over.html"));
}

}
}
