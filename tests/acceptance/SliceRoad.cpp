// One time slice from its objective to the log: typed with a tag and a duration in it,
// parsed, started with Return, counted down in the status strip, rated and logged; then the
// day file, the log book, the week's chart and the CSV export all hold it.
#include "Looks.h"
#include "Road.h"

#include "log/FullTimeSlice.h"

#include <fstream>
#include <unistd.h>
#include <sstream>

namespace ostrel::acceptance {
namespace {

namespace fs = std::filesystem;

// The chart's colour for slices rated "good".
constexpr gfx::Color kGoodBar = gfx::Color::rgb(242 / 255.0, 202 / 255.0, 88 / 255.0);

class SliceRoad : public Road { };

// The log book's entry: a light row at the top of its pad.
bool showsBookRow(const Screenshot& mainWindow)
{
    return looks::lightPixels(mainWindow, { mainWindow.width() - 300, 40, 300, 60 }) > 5000;
}

// A page shown as its card, in place of the log book: its title and a button to open it.
bool showsPageCard(const Screenshot& mainWindow)
{
    Box pad { looks::kPadLeft, 80, mainWindow.width() - looks::kPadLeft - 10, mainWindow.height() - 140 };
    return !showsBookRow(mainWindow) && looks::lightPixels(mainWindow, pad) > 100;
}

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(SliceRoad, AnObjectiveTypedParsedAndStartedIsCountedRatedAndLoggedEverywhere)
{
    fs::create_directories(m_home.desktopFolder());
    // Four times the speed: the two minutes parsed are thirty seconds of the road's, room for
    // a loaded machine to draw the running screen and for the road to watch the strip count.
    auto& program = startReturning({ { "shouldUseSoftBreak", false } }, Launch::atSpeed(4));
    auto main = mainWindow(program);
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().type("Draft report @work 2 min"));
    ASSERT_TRUE(eventually([&] { return m_home.objective() == "Draft report @work 2 min"; }))
        << "the objective typed was not kept";
    // The "Ends" time ticks at the clock's speed: only the field itself holds still.
    auto frame = frameOf(main);
    ASSERT_TRUE(desktop().waitForStill(Box { frame.x + 8, frame.y + 104, 420, 46 })) << "the objective field never settled";
    shot("objective typed", main);

    // The parser takes the tag to the tag field and the duration to the slider.
    ASSERT_TRUE(runCommand("parse objective"));
    ASSERT_TRUE(eventually([&] { return m_home.setting("tags") == "work" && m_home.setting("durationInSeconds") == 120; }))
        << "the objective was not parsed\n" << program.transcript();
    auto parsed = desktop().waitForPicture(main, [](const Screenshot& picture) {
        auto slider = looks::sliderPosition(picture);
        return slider && *slider < 0.02;
    });
    keep("parsed", parsed);
    auto slider = parsed ? looks::sliderPosition(*parsed) : std::nullopt;
    ASSERT_TRUE(slider) << "no duration slider on the define screen";
    EXPECT_NEAR(*slider, 0, 0.02) << "the slider does not stand at 2 minutes";

    // Return in the objective field presses Start.
    std::size_t before = program.lineCount();
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(program.waitForScreen("TimeSliceRunningState", 10, before)) << program.transcript();
    auto strip = looks::statusStripBox(frameOfScreen().width);
    auto counting = desktop().waitForPicture(strip, looks::stripShowsTime);
    ASSERT_TRUE(counting && looks::stripShowsTime(*counting)) << "the status strip shows no time";
    keep("strip counting", counting);
    auto later = desktop().waitForPicture(
        strip, [&](const Screenshot& picture) { return looks::stripShowsTime(picture) && !picture.sameAs(*counting); });
    ASSERT_TRUE(later && !later->sameAs(*counting)) << "the status strip does not count";
    keep("strip a moment later", later);

    ASSERT_TRUE(program.waitForScreen("RateTimeSliceState", 60, before)) << program.transcript();
    main = mainWindow(program);
    auto rating = stillShot("rating", main);
    ASSERT_TRUE(rating);
    EXPECT_TRUE(looks::showsScreen(*rating, looks::kWelcomeAndRatingColour));
    // "Log" is the rating screen's default button.
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(program.waitForLine("loading 1 time slices", 20)) << "the new entry was never read back\n" << program.transcript();

    auto days = m_home.dayFiles();
    ASSERT_EQ(days.size(), 1u);
    EXPECT_TRUE(days[0].readsWhole);
    ASSERT_EQ(days[0].entries.size(), 1u);
    const auto& entry = *days[0].entries[0];
    EXPECT_EQ(entry.objective(), "Draft report");
    EXPECT_EQ(entry.tagString(), "work");
    EXPECT_EQ(entry.actualDuration(), 120);
    EXPECT_EQ(entry.focusRating(), "good");

    ASSERT_TRUE(desktop().key("ctrl+2"));
    auto book = desktop().waitForPicture(main, showsBookRow);
    ASSERT_TRUE(book);
    keep("log book", book);
    EXPECT_TRUE(showsBookRow(*book)) << "no row in the log book";

    // The week's chart: a bar of today's "good" minutes in its last column. The browser
    // has no sandbox for root, so there (as on CI) the page shows as its card instead.
    ASSERT_TRUE(desktop().key("ctrl+1"));
    if (geteuid() == 0) {
        ASSERT_TRUE(program.waitForLine("pages are not drawn", 30)) << program.transcript();
        // The card comes when the page is written, which is done off the main thread.
        auto card = desktop().waitForPicture(main, showsPageCard, 30);
        ASSERT_TRUE(card && showsPageCard(*card)) << "the statistics pad shows no page";
        keep("statistics", card);
    } else {
        auto chart = desktop().waitForPicture(main, [](const Screenshot& picture) {
            return picture.count({ picture.width() - 400, 0, 400, picture.height() }, kGoodBar, 0.03) > 30;
        }, 30);
        ASSERT_TRUE(chart);
        keep("statistics", chart);
        // Under the chart its legend, whose keys show the levels' colours too: its first key,
        // "Achieved Flow" in the library's first colour, marks where the bars end.
        int chartHeight = chart->height();
        for (int y = 0; y < chart->height(); ++y) {
            if (chart->count({ chart->width() - 400, y, 400, 1 }, gfx::Color::rgb(215 / 255.0, 2 / 255.0, 6 / 255.0), 0.03) > 0) {
                chartHeight = y;
                break;
            }
        }
        EXPECT_LT(chartHeight, chart->height()) << "the chart has no legend with colour keys";
        int bars = chart->count({ chart->width() - 400, 0, 400, chartHeight }, kGoodBar, 0.03);
        int lastColumn = chart->count({ chart->width() - 70, 0, 70, chartHeight }, kGoodBar, 0.03);
        EXPECT_GT(bars, 30) << "the chart shows no bar";
        EXPECT_EQ(lastColumn, bars) << "the bar is not today's";
    }
    // Counted off the main thread: the page of an earlier count may still be there a moment.
    std::string page;
    bool counted = eventually([&] {
        page = contentsOf(m_home.applicationSupport() / "stats" / "index.html");
        return page.find("var good = [ 0.0,0.0,0.0,0.0,0.0,0.0,2.0 ];") != std::string::npos;
    });
    EXPECT_TRUE(counted) << page.substr(0, 1200);

    // Exported where the save panel proposes: the desktop folder.
    ASSERT_TRUE(runCommand("export log"));
    ASSERT_TRUE(window("^Export Logs in CSV format$", 10)) << "no save panel\n" << program.transcript();
    shot("save panel");
    ASSERT_TRUE(desktop().key("Return"));
    fs::path csv = m_home.desktopFolder() / "Ostrel Log.csv";
    ASSERT_TRUE(eventually([&] { return fs::exists(csv); })) << program.transcript();
    std::string exported = contentsOf(csv);
    EXPECT_EQ(exported.rfind("uuid,start,actualDuration,focus,completed,tags,objective\n", 0), 0u) << exported;
    EXPECT_NE(exported.find(entry.uuid() + ","), std::string::npos) << exported;
    EXPECT_NE(exported.find(",120,good,true,\"work\",Draft report"), std::string::npos) << exported;

    EXPECT_EQ(stop(), "exit 0");
}

}
}
