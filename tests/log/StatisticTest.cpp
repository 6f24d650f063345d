#include "log/ChartPage.h"
#include "log/ModernDayOfTheWeekStatistic.h"
#include "log/ModernHourOfTheDayStatistic.h"
#include "log/ModernOverviewStatistic.h"
#include "log/ReportsStatistic.h"
#include "tests/log/StatisticsSupport.h"

#include <cmath>

namespace ostrel::test {
namespace {

std::string zeros(int count)
{
    std::string list = "[ ";
    for (int i = 0; i < count; ++i)
        list += i ? ",0.0" : "0.0";
    return list + " ]";
}

// The virtual clock starts on Monday 2026-01-05 at 09:00 UTC.
using OverviewTest = StatisticsTest;

TEST_F(OverviewTest, EmptyLogGivesZerosForTheLastSevenDaysOnAMinutesAxis)
{
    ModernOverviewStatistic overview;
    overview.computeStatistic(&dataSet());
    EXPECT_TRUE(overview.useMinutesYAxis());
    EXPECT_EQ(overview.dataScript(),
        "var distracted = " + zeros(7) + ";\nvar good = " + zeros(7) + ";\nvar highlyFocused = " + zeros(7)
            + ";\nvar experiencedFlow = " + zeros(7)
            + ";\nvar labels = [ 'Tuesday','Wednesday','Thursday','Friday','Saturday','Sunday','Monday' ];\n"
              "var barWidth = '7.0%';var $use_minutes_y_axis = true;");

    ModernOverviewStatistic month;
    month.setDuration(28);
    month.computeStatistic(nullptr);
    EXPECT_NE(month.dataScript().find("var good = " + zeros(28) + ";\n"), std::string::npos);
    EXPECT_NE(month.dataScript().find("var barWidth = '2.0%';"), std::string::npos);
}

TEST_F(OverviewTest, MinutesPerDayAndLevelWithTheAxisSwitchingAboveAnHour)
{
    add(localDate(2026, 1, 5, 8), 1800, "good");
    add(localDate(2026, 1, 5, 7), 1800, "experienced flow");
    add(localDate(2026, 1, 4, 10), 90, "distracted");
    add(localDate(2026, 1, 3, 10), -30, "highly focused");
    add(localDate(2026, 1, 2, 10), 6000, "undefined");
    add(localDate(2025, 6, 1, 10), 7200, "good");
    ModernOverviewStatistic overview;
    overview.computeStatistic(&dataSet());
    EXPECT_TRUE(overview.useMinutesYAxis()) << "exactly 60 minutes on a shown day, and a long day out of the window";
    ASSERT_TRUE(overview.minutesOn("2026-01-03"));
    EXPECT_EQ(overview.minutesOn("2026-01-03")->sum(), 0.0) << "a negative duration counts nothing but makes its day";
    EXPECT_FALSE(overview.minutesOn("2026-01-02")) << "an unknown focus word is left out";
    std::string expected = "var distracted = [ 0.0,0.0,0.0,0.0,0.0,1.5,0.0 ];\n"
        "var good = [ 0.0,0.0,0.0,0.0,0.0,0.0,30.0 ];\n"
        "var highlyFocused = [ 0.0,0.0,0.0,0.0,0.0,0.0,0.0 ];\n"
        "var experiencedFlow = [ 0.0,0.0,0.0,0.0,0.0,0.0,30.0 ];\n"
        "var labels = [ 'Tuesday','W";
    EXPECT_EQ(overview.dataScript().substr(0, expected.size()), expected);

    add(localDate(2026, 1, 5, 6), 60, "good");
    ModernOverviewStatistic longer;
    longer.computeStatistic(&dataSet());
    EXPECT_FALSE(longer.useMinutesYAxis());
    EXPECT_NE(longer.render().find("var $use_minutes_y_axis = false;"), std::string::npos);
}

using HourOfTheDayTest = StatisticsTest;

TEST_F(HourOfTheDayTest, EmptyLogKeepsTheWorkingDayLatestHourFirst)
{
    ModernHourOfTheDayStatistic hours;
    hours.computeStatistic(&dataSet());
    EXPECT_EQ(hours.dataScript(),
        "var distracted = " + zeros(10) + ";\nvar good = " + zeros(10) + ";\nvar highlyFocused = " + zeros(10)
            + ";\nvar experiencedFlow = " + zeros(10)
            + ";\n\nvar labels = [ '5 pm','4 pm','3 pm','2 pm','1 pm','noon','11 am','10 am','9 am','8 am' ];\n"
              "var barWidth = '2%';");
}

TEST_F(HourOfTheDayTest, SlicesCountInTheirStartHourAsPercentages)
{
    add(localDate(2026, 1, 5, 22, 10), 3600, "good");
    add(localDate(2026, 1, 4, 22, 10), 3600, "distracted");
    add(localDate(2026, 1, 4, 7, 50), 1500, "good");
    add(localDate(2026, 1, 3, 9, 0), 1000, "highly focused");
    add(localDate(2026, 1, 3, 9, 30), 3000, "experienced flow");
    add(localDate(2026, 1, 2, 23, 0), 4000, "undefined");
    ModernHourOfTheDayStatistic hours;
    hours.computeStatistic(&dataSet());

    EXPECT_EQ(hours.labelsForHoursOfDay().back(), "11 pm") << "an hour of unknown focus words keeps its bar";
    EXPECT_EQ(hours.keysForIteration(), (std::vector<int> { 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 22, 23 }))
        << "7 am holds 1500 seconds only";
    EXPECT_EQ(hours.totalAt(7), 1500);
    ASSERT_TRUE(hours.dataAt(22));
    EXPECT_EQ((*hours.dataAt(22))[ConcentrationLevel::good], 50.0);
    EXPECT_EQ(hours.dataAt(9)->sum(), 100.0);
    EXPECT_EQ(hours.dataAt(23), std::nullopt);

    auto script = hours.dataScript();
    EXPECT_EQ(script.substr(0, script.find('\n')), "var distracted = [ 0.0,50.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0 ];");
    EXPECT_NE(script.find("var highlyFocused = [ 0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,25.0,0.0 ];"), std::string::npos);
    EXPECT_NE(script.find("var labels = [ '11 pm','10 pm','5 pm',"), std::string::npos);
}

TEST(HourLabelTest, NamesMidnightAndNoon)
{
    EXPECT_EQ(ModernHourOfTheDayStatistic::labelForHour(0), "midnight");
    EXPECT_EQ(ModernHourOfTheDayStatistic::labelForHour(1), "1 am");
    EXPECT_EQ(ModernHourOfTheDayStatistic::labelForHour(12), "noon");
    EXPECT_EQ(ModernHourOfTheDayStatistic::labelForHour(23), "11 pm");
}

using DayOfTheWeekTest = StatisticsTest;

TEST_F(DayOfTheWeekTest, SundayFirstMondayLastInPercent)
{
    ModernDayOfTheWeekStatistic empty;
    empty.computeStatistic(&dataSet());
    EXPECT_EQ(empty.dataScript(),
        "var distracted = " + zeros(7) + ";\nvar good = " + zeros(7) + ";\nvar highlyFocused = " + zeros(7)
            + ";\nvar experiencedFlow = " + zeros(7)
            + ";\n\nvar labels = ['Sunday', 'Saturday', 'Friday', 'Thursday', 'Wednesday', 'Tuesday', 'Monday' ];\n"
              "var barWidth = '8%';");

    add(localDate(2026, 1, 5, 10), 1000, "good");
    add(localDate(2026, 1, 5, 11), 3000, "experienced flow");
    add(localDate(2026, 1, 4, 23, 50), 1200, "distracted");
    ModernDayOfTheWeekStatistic days;
    days.computeStatistic(&dataSet());
    ASSERT_TRUE(days.dataOn(1));
    EXPECT_EQ((*days.dataOn(1))[ConcentrationLevel::distracted], 100.0) << "a slice past midnight counts for its start";
    EXPECT_EQ(days.dataOn(2)->sum(), 100.0);
    auto script = days.dataScript();
    EXPECT_EQ(script.substr(0, script.find('\n')), "var distracted = [ 100.0,0.0,0.0,0.0,0.0,0.0,0.0 ];");
    EXPECT_NE(script.find("var good = [ 0.0,0.0,0.0,0.0,0.0,0.0,25.0 ];"), std::string::npos);
    EXPECT_NE(script.find("var experiencedFlow = [ 0.0,0.0,0.0,0.0,0.0,0.0,75.0 ];"), std::string::npos);
}

using ReportTest = StatisticsTest;

TEST_F(ReportTest, SumsTimeSlicesDaysAndShares)
{
    add(localDate(2026, 1, 5, 10), 1500, "good");
    add(localDate(2026, 1, 5, 9), 1500, "distracted");
    ReportsStatistic report;
    report.computeStatistic(&dataSet());
    EXPECT_EQ(report.dataScript(),
        "var $time = \"50 minutes\";\n"
        "var $timeslice_value = 2;\n"
        "var $days_value = 1;\n"
        "var $distracted = 50.000000;\n"
        "var $good = 50.000000;\n"
        "var $flow = 0.000000;\n"
        "var $highlyConcentrated = 0.000000;\n"
        "var $labels = ['0%','0%','50%','50%'];\n");
}

TEST_F(ReportTest, SharesAreFlooredAndOtherWordsCountAsGood)
{
    add(localDate(2026, 1, 5, 10), 1000, "experienced flow");
    add(localDate(2026, 1, 4, 10), 1000, "undefined");
    add(localDate(2026, 1, 3, 10), 1000, "distracted");
    ReportsStatistic report;
    report.computeStatistic(&dataSet());
    auto script = report.dataScript();
    EXPECT_NE(script.find("var $labels = ['33%','0%','33%','33%'];"), std::string::npos);
    EXPECT_NE(script.find("var $days_value = 3;"), std::string::npos);
    EXPECT_NE(script.find("var $time = \"50 minutes\";"), std::string::npos);
}

TEST_F(ReportTest, NothingCountedShowsZeroShares)
{
    ReportsStatistic report;
    report.computeStatistic(&dataSet());
    EXPECT_EQ(report.dataScript(),
        "var $time = \"Less than one minute\";\n"
        "var $timeslice_value = 0;\n"
        "var $days_value = 0;\n"
        "var $distracted = 0.000000;\n"
        "var $good = 0.000000;\n"
        "var $flow = 0.000000;\n"
        "var $highlyConcentrated = 0.000000;\n"
        "var $labels = ['0%','0%','0%','0%'];\n");
}

TEST(ChartPageTest, ListsInThePagesNotation)
{
    EXPECT_EQ(ChartPage::numberList({ 0.0, 12.5 }), "[ 0.0,12.5 ]");
    EXPECT_EQ(ChartPage::numberList({ 100.0 / 3 }), "[ 33.333333333333336 ]");
    EXPECT_EQ(ChartPage::numberList({}), "[]");
    EXPECT_EQ(ChartPage::numberList({ std::nan(""), -2.0 }), "[ 0.0,-2.0 ]");
    EXPECT_EQ(ChartPage::asJavaScriptSource({ "x" }), "[ 'x' ]");
    EXPECT_EQ(ChartPage::asJavaScriptSource({ "a", "b" }), "[ 'a','b' ]");
    EXPECT_EQ(ChartPage::asJavaScriptSource({}), "[]");
}

TEST(ChartPageTest, PagesLoadTheLibraryAndDrawIntoTheContainer)
{
    for (const auto& page : { ChartPage::overviewPage("var x = 1;"), ChartPage::hourOfTheDayPage("var x = 1;"),
             ChartPage::dayOfTheWeekPage("var x = 1;"), ChartPage::reportPage("var x = 1;") }) {
        EXPECT_EQ(page.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"", 0), 0u);
        auto style = page.find("href=\"vt/chartist.css\"");
        auto library = page.find("src=\"chartist.min.js\"");
        auto legend = page.find("src=\"vt/plugins/chartist-plugin-legend.js\"");
        auto script = page.find("var x = 1;");
        EXPECT_LT(style, library);
        EXPECT_LT(library, legend);
        EXPECT_LT(legend, script);
        EXPECT_NE(page.find("<div class=\"ct-chart ct-golden-section\"></div>\n<div id=\"legend\"></div>"),
            std::string::npos);
        EXPECT_NE(page.find("background-color: #EADBC4"), std::string::npos);
        EXPECT_NE(page.find("'Achieved Flow', 'Highly Focused', 'Good', 'Distracted'"), std::string::npos);
    }
}

}
}
