// The statistics pad: its sections following the chosen statistic and the filter switch, the
// controls writing the statistics settings, the date pickers' limits, settings it cannot
// read, and the chart page reaching the web view once the pad can show it.
#include "MainWindowFixture.h"

#include "mainwindow/FilterFragmentWall.h"
#include "mainwindow/StatsViewController.h"
#include "mainwindow/StatsWebView.h"

#include "log/FullDataSet.h"
#include "log/FullFeaturedStatisticsManager.h"
#include "log/FullTimeSlice.h"
#include "log/LogFile.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/TagTokenField.h"

#include "platform/base/Calendar.h"
#include "platform/base/Timer.h"
#include "platform/gfx/Image.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/WebView.h"

#include <fstream>
#include <sys/stat.h>

namespace ostrel::test {

namespace {

namespace fs = std::filesystem;

struct ShownStatistic {
    long long stored;
    const char* chosen;
    bool takesDates;
};

// Every value "currentlyDisplayedStatistic" may hold, and what the pad makes of it.
const ShownStatistic kStatistics[] = {
    { 0, "Overview of last 7 Days", false },
    { 5, "Overview of last 14 Days", false },
    { 6, "Overview of last 28 Days", false },
    { 1, "Day of Week Analysis", true },
    { 3, "Hour of Day Analysis", true },
    { 4, "Report", true },
    // No statistic of their own: the 7-day overview, in the chooser and the filters too.
    { 2, "Overview of last 7 Days", false },
    { -1, "Overview of last 7 Days", false },
    { 7, "Overview of last 7 Days", false },
};

class StatsViewTest : public MainWindowTest {
protected:
    StatsViewTest()
    {
        // Pages show as cards unless a test gives the view a browser.
        ui::WebView::setBrowser(std::nullopt);
        FullFeaturedStatisticsManager::resetSharedInstance();
    }
    ~StatsViewTest() override
    {
        ui::WebView::findBrowserOnPath();
        FullFeaturedStatisticsManager::resetSharedInstance();
    }

    StatsViewController& stats()
    {
        auto controller = std::dynamic_pointer_cast<StatsViewController>(mainWindow().statsController());
        EXPECT_TRUE(controller) << "the statistics pad holds the statistics view";
        return *controller;
    }
    void openPad()
    {
        mainWindow().showPad("statsPadHidden");
        window().layoutIfNeeded();
        drain();
    }
    bool shown(const std::shared_ptr<FilterFragmentWall>& section)
    {
        return section->superview() == stats().fragmentStackView().get();
    }
    int computations() const
    {
        return int(std::count(diagnostics.begin(), diagnostics.end(), "performCalculations [start]"));
    }
    // As the user does: the pop-up opened, the item clicked in its tracked menu.
    void choose(ui::PopUpButton& popUp, const std::string& title)
    {
        auto menu = popUp.menu();
        auto clicker = base::Timer::create(0.05, true, base::RunLoop::Mode::Common, [this, menu, title](base::Timer& timer) {
            ui::Window* tracking = menu->trackingWindow();
            if (!tracking)
                return;
            timer.invalidate();
            backend().click(*tracking, menu->trackingRectOfItem(menu->itemWithTitle(title)).center());
        });
        popUp.popUpMenu();
        clicker->invalidate();
    }
    static double day(int year, int month, int dayOfMonth) { return base::Calendar::current().moment({ year, month, dayOfMonth, 0, 0, 0, 0 }); }
    std::string storedText(const char* key) { return store().string(key).value_or("<none>"); }

    // Slices over the last three weeks, with tags and every focus level, read into the log.
    void logThreeWeeks()
    {
        const char* focus[] = { "distracted", "good", "highly focused", "experienced flow" };
        const char* tags[] = { "writing", "writing,work", "reading", "" };
        auto descriptor = Logger::sharedLogger().systemLogBackingStoreDesc();
        double today = base::Calendar::current().startOfDay(base::Time::now());
        int number = 0;
        for (int daysAgo = 20; daysAgo >= 0; --daysAgo) {
            for (int slice = 0; slice < 1 + (daysAgo * 7) % 4; ++slice) {
                FullTimeSlice record;
                record.setUuid("S" + std::to_string(++number));
                record.setObjectiveText(text::AttributedString::fromUtf8("Slice " + std::to_string(number)));
                record.setStartDate(base::Calendar::current().addingDays(-daysAgo, today) + 3600 * (8 + 2 * slice + daysAgo % 3));
                record.setDuration(1500);
                record.setActualDuration(600 + 300 * ((number * 5) % 6));
                record.setFocusRating(focus[number % 4]);
                record.setTagString(tags[(number + daysAgo) % 4]);
                record.setCompleted(number % 3 != 0);
                std::string path = descriptor->getPathToFileForDate(record.startDate());
                LogFileManager::sharedInstance().createOrRetrieveLogFile(path)->addOrReplaceThenSaveAndUpdate(record, record.uuid());
            }
        }
        wait(3);
    }
};

TEST_F(StatsViewTest, TheFirstPageShowsUnaskedOnceThePadOpens)
{
    auto& view = stats();
    drain();
    EXPECT_EQ(view.statisticPopUp()->titleOfSelectedItem(), "Overview of last 7 Days");
    EXPECT_EQ(FullFeaturedStatisticsManager::sharedInstance(), view.fullFeaturedStatsManager());
    EXPECT_EQ(computations(), 1) << "computed while the window was built";
    fs::path page = view.fullFeaturedStatsManager()->outputDirectory() / "index.html";
    EXPECT_TRUE(fs::exists(page));
    EXPECT_TRUE(fs::exists(page.parent_path() / "chartist.min.js")) << "the chart library beside the page";
    EXPECT_EQ(view.webView()->identifier(), "Stats Web View");
    EXPECT_EQ(view.webView()->pendingPage(), page) << "the pad is closed: nothing drawn yet";
    EXPECT_TRUE(view.webView()->url().empty());

    openPad();
    EXPECT_FALSE(view.webView()->pendingPage());
    EXPECT_EQ(view.webView()->url(), "file://" + page.string());
    EXPECT_TRUE(view.webView()->showsCard()) << "no browser here";
    EXPECT_EQ(computations(), 1) << "opening the pad computes nothing again";
}

TEST_F(StatsViewTest, FilterSectionsFollowStatisticAndFilter)
{
    auto& view = stats();
    for (const auto& statistic : kStatistics) {
        SCOPED_TRACE(statistic.stored);
        store().set("currentlyDisplayedStatistic", statistic.stored);
        store().set("filtering", false);
        EXPECT_EQ(view.statisticPopUp()->titleOfSelectedItem(), statistic.chosen);
        EXPECT_FALSE(shown(view.dateFilterFragment()));
        EXPECT_FALSE(shown(view.tagFilterFragment()));

        store().set("filtering", true);
        EXPECT_EQ(shown(view.dateFilterFragment()), statistic.takesDates);
        EXPECT_TRUE(shown(view.tagFilterFragment())) << "every statistic takes the tag filter";
        EXPECT_EQ(view.filterButton()->state(), ui::ControlStateValue::On);
        EXPECT_EQ(store().integer("currentlyDisplayedStatistic"), statistic.stored) << "the stored value stays";
    }
    EXPECT_TRUE(std::count(diagnostics.begin(), diagnostics.end(), "->show"));
    EXPECT_TRUE(std::count(diagnostics.begin(), diagnostics.end(), "->hide"));
}

TEST_F(StatsViewTest, TheFilterSwitchAndTheChooserDriveTheSections)
{
    openPad();
    auto& view = stats();
    choose(*view.statisticPopUp(), "Report");
    EXPECT_EQ(store().integer("currentlyDisplayedStatistic"), 4);
    EXPECT_FALSE(shown(view.dateFilterFragment()));

    view.filterButton()->performClick();
    EXPECT_TRUE(store().boolean("filtering"));
    EXPECT_TRUE(shown(view.dateFilterFragment()));
    EXPECT_TRUE(shown(view.tagFilterFragment()));
    window().layoutIfNeeded();
    EXPECT_TRUE(view.toDatePicker()->window()) << "the date row fits the pad, which stays open";
    EXPECT_LE(view.toDatePicker()->frame().maxX(), view.dateFilterFragment()->bounds().maxX());

    choose(*view.statisticPopUp(), "Overview of last 14 Days");
    EXPECT_EQ(store().integer("currentlyDisplayedStatistic"), 5);
    EXPECT_FALSE(shown(view.dateFilterFragment()));
    EXPECT_TRUE(shown(view.tagFilterFragment()));

    // A stored value without a statistic, then the overview chosen over it: now it is stored.
    store().set("currentlyDisplayedStatistic", 2);
    choose(*view.statisticPopUp(), "Overview of last 7 Days");
    EXPECT_EQ(store().integer("currentlyDisplayedStatistic"), 0);

    view.filterButton()->performClick();
    EXPECT_FALSE(store().boolean("filtering"));
    EXPECT_FALSE(shown(view.tagFilterFragment()));
}

TEST_F(StatsViewTest, FromAndADayStoreOneAndTheDayThenOneRecomputationHalfASecondLater)
{
    store().set("currentlyDisplayedStatistic", 4);
    store().set("filtering", true);
    store().set("statsFromDate", "2025-12-01");
    store().set("statsToDate", "2026-01-01");
    openPad();
    wait(1);
    auto& view = stats();
    EXPECT_EQ(view.namedRangeRadioButton()->state(), ui::ControlStateValue::On);
    EXPECT_EQ(view.fromRadioButton()->state(), ui::ControlStateValue::Off);
    int before = computations();

    view.fromRadioButton()->performClick();
    view.fromDatePicker()->selectField(2);
    view.fromDatePicker()->step(1);
    ASSERT_TRUE(store().object("statsRadioButtonChoice"));
    EXPECT_EQ(store().object("statsRadioButtonChoice")->asInteger() ? *store().object("statsRadioButtonChoice")->asInteger() : -1, 1);
    EXPECT_EQ(storedText("statsFromDate"), "2025-12-02");
    EXPECT_EQ(view.namedRangeRadioButton()->state(), ui::ControlStateValue::Off);

    wait(0.45);
    EXPECT_EQ(computations(), before) << "not before half a second";
    wait(0.1);
    EXPECT_EQ(computations(), before + 1);
    wait(2);
    EXPECT_EQ(computations(), before + 1) << "one computation for both changes";
    auto manager = view.fullFeaturedStatsManager();
    ASSERT_TRUE(manager->cachedStartDate());
    EXPECT_EQ(*manager->cachedStartDate(), day(2025, 12, 2));

    // Back to the named ranges.
    view.namedRangeRadioButton()->performClick();
    EXPECT_EQ(store().integer("statsRadioButtonChoice"), 0);
    EXPECT_EQ(view.fromRadioButton()->state(), ui::ControlStateValue::Off);
    choose(*view.dateRangePopUp(), "Last 30 Days");
    EXPECT_EQ(store().integer("statsDateMode"), 7);
}

TEST_F(StatsViewTest, EachPickerStopsAtTheOthersDay)
{
    store().set("statsFromDate", "2026-05-01");
    store().set("statsToDate", "2026-05-10");
    auto& view = stats();
    auto& from = *view.fromDatePicker();
    auto& to = *view.toDatePicker();
    EXPECT_EQ(from.dateValue(), day(2026, 5, 1));
    EXPECT_EQ(from.maxDate(), day(2026, 5, 10));
    EXPECT_FALSE(from.minDate());
    EXPECT_EQ(to.dateValue(), day(2026, 5, 10));
    EXPECT_EQ(to.minDate(), day(2026, 5, 1));
    EXPECT_FALSE(to.maxDate());

    from.selectField(2);
    from.step(20);
    EXPECT_EQ(storedText("statsFromDate"), "2026-05-10") << "not past the end";
    EXPECT_EQ(to.minDate(), day(2026, 5, 10));
    to.selectField(1);
    to.step(-1);
    EXPECT_EQ(storedText("statsToDate"), "2026-05-10") << "not before the start";

    // A limit written elsewhere reaches the picker at once.
    store().set("statsToDate", "2026-08-01");
    EXPECT_EQ(from.maxDate(), day(2026, 8, 1));
    to.step(1);
    EXPECT_EQ(storedText("statsToDate"), "2026-09-01");
}

TEST_F(StatsViewTest, StoredDatesThatDoNotParseOrContradictEachOtherNeverStopTheProgram)
{
    store().set("currentlyDisplayedStatistic", 4);
    store().set("filtering", true);
    store().set("statsRadioButtonChoice", 1);
    store().set("statsFromDate", "the first of May");
    store().set("statsToDate", "42");
    auto& view = stats();
    openPad();
    double today = base::Calendar::current().startOfDay(base::Time::now());
    EXPECT_EQ(view.fromDatePicker()->dateValue(), today) << "nothing to show: today";
    EXPECT_FALSE(view.fromDatePicker()->maxDate());
    EXPECT_FALSE(view.toDatePicker()->minDate());
    EXPECT_TRUE(fs::exists(view.fullFeaturedStatsManager()->outputDirectory() / "index.html"));
    EXPECT_EQ(storedText("statsFromDate"), "the first of May") << "nothing is written unasked";

    // A start after the end: each picker shows its own day, without the other as its limit.
    store().set("statsFromDate", "2026-06-01");
    store().set("statsToDate", "2026-05-01");
    wait(1);
    EXPECT_EQ(view.fromDatePicker()->dateValue(), day(2026, 6, 1));
    EXPECT_EQ(view.toDatePicker()->dateValue(), day(2026, 5, 1));
    EXPECT_FALSE(view.fromDatePicker()->maxDate());
    EXPECT_FALSE(view.toDatePicker()->minDate());
    EXPECT_TRUE(view.fullFeaturedStatsManager()->waitingText().empty()) << "the page was still made";

    // Mending either one brings the limits back.
    view.toDatePicker()->selectField(1);
    view.toDatePicker()->step(2);
    EXPECT_EQ(storedText("statsToDate"), "2026-07-01");
    EXPECT_EQ(view.fromDatePicker()->maxDate(), day(2026, 7, 1));
    EXPECT_EQ(view.toDatePicker()->minDate(), day(2026, 6, 1));

    // Texts that are no day: no limit, the shown day kept.
    store().set("statsFromDate", "2026-02-30");
    store().set("statsToDate", "");
    EXPECT_FALSE(view.fromDatePicker()->maxDate());
    EXPECT_FALSE(view.toDatePicker()->minDate());
    EXPECT_EQ(view.toDatePicker()->dateValue(), day(2026, 7, 1));
    wait(1);
}

// A browser that draws every page as the same small picture and notes the size asked for.
class FakeBrowserTest : public StatsViewTest {
protected:
    FakeBrowserTest()
    {
        fs::path picture = home.path() / "page.png";
        auto image = gfx::Image::create({ 40, 30 }, false, [](const gfx::Rect&) { return true; });
        image->savePng(picture);
        fs::path script = home.path() / "browser";
        std::ofstream(script) << "#!/bin/sh\n"
                                 "for a in \"$@\"; do case \"$a\" in\n"
                                 "  --screenshot=*) shot=\"${a#--screenshot=}\";;\n"
                                 "  --window-size=*) size=\"${a#--window-size=}\";;\n"
                                 "esac; done\n"
                                 "echo \"$size\" >> '" << m_sizes.string() << "'\n"
                                 "cp '" << picture.string() << "' \"$shot\"\n";
        ::chmod(script.c_str(), 0755);
        ui::WebView::setBrowser(script);
    }
    std::vector<std::string> sizes() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_sizes);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // The size the browser is asked to draw for a view: its width, never below 320, and a
    // window 4000 points tall (the view's height where taller), so that a long page comes whole.
    static std::string asked(ui::Size size)
    {
        return std::to_string(std::max(320, int(size.width))) + "," + std::to_string(std::max(4000, int(size.height)));
    }
    void untilDrawn(StatsWebView& webView)
    {
        base::RunLoop::main().runUntil([&] { return !webView.isLoading(); });
        drain();
    }

    fs::path m_sizes = home.path() / "sizes";
};

TEST_F(FakeBrowserTest, PagesAreDrawnOnlyOnceThePadShowsThemAndAgainAfterAResize)
{
    auto& view = stats();
    wait(1);
    store().set("currentlyDisplayedStatistic", 3);
    wait(1);
    EXPECT_TRUE(sizes().empty()) << "no browser run for a closed pad";

    openPad();
    untilDrawn(*view.webView());
    ASSERT_EQ(sizes().size(), 1u) << "only the latest page, once";
    ui::Size chart = view.webView()->bounds().size;
    EXPECT_EQ(sizes()[0], asked(chart));
    EXPECT_TRUE(view.webView()->picture());

    window().setFrame(ui::Rect(window().frame().origin, { window().frame().width() + 120, window().frame().height() + 60 }));
    window().layoutIfNeeded();
    ui::Size wider = view.webView()->bounds().size;
    ASSERT_NE(wider.width, chart.width);
    wait(0.6);
    untilDrawn(*view.webView());
    ASSERT_EQ(sizes().size(), 2u);
    EXPECT_EQ(sizes()[1], asked(wider));

    // Closed again: a new page waits, and comes with the pad.
    mainWindow().showPad("nowPadHidden");
    window().layoutIfNeeded();
    store().set("currentlyDisplayedStatistic", 1);
    wait(1);
    EXPECT_EQ(sizes().size(), 2u);
    openPad();
    untilDrawn(*view.webView());
    EXPECT_EQ(sizes().size(), 3u);
}

// Each statistic with both filter sections open, drawn by the browser where one is
// installed, into the test's folder (stats-pad/*.png) to be looked at.
TEST_F(StatsViewTest, EveryStatisticRendersWithItsFilters)
{
    ui::WebView::findBrowserOnPath();
    logThreeWeeks();
    store().set("filtering", true);
    store().set("tagFilter", "writing");
    openPad();
    auto& view = stats();
    fs::path pictures = fs::current_path() / "stats-pad";
    fs::create_directories(pictures);
    for (const auto& statistic : kStatistics) {
        if (statistic.stored == 2 || statistic.stored < 0 || statistic.stored > 6)
            continue;
        store().set("currentlyDisplayedStatistic", statistic.stored);
        drain();
        ASSERT_TRUE(view.webView()->window()) << "the pad stays open with every section shown";
        base::RunLoop::main().runUntil([&] { return !view.webView()->isLoading() && !view.webView()->pendingPage(); });
        window().display();
        EXPECT_EQ(view.statisticPopUp()->titleOfSelectedItem(), statistic.chosen);
        EXPECT_TRUE(view.webView()->picture() || view.webView()->showsCard());
        EXPECT_TRUE(window().writePng(pictures / (std::to_string(statistic.stored) + ".png")));
    }
    EXPECT_EQ(view.fullFeaturedStatsManager()->fullData()->timeSlices().size(), 51u);
}

}
}
