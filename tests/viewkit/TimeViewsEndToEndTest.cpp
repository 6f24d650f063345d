// The gallery's time views on the test display, over a calendar of the desktop's store in a
// temporary home: a click on a bubble sets the planned duration in the settings file and
// moves the slider, and the strip's bar sits over its event's minutes.
#include "tests/support/TemporaryHome.h"

#include "GalleryDriver.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

using namespace ostrel::test::gallery;
namespace fs = std::filesystem;

std::string utcStamp(std::time_t moment)
{
    std::tm parts {};
    gmtime_r(&moment, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
}

// The define slider's geometry as the gallery reports it.
struct Scale {
    Box slider;
    int ticks { 0 };
    double minValue { 0 };
    // The left edge of a tick on the root window, as the slider draws it (16-point knob).
    double tickLeft(int index) const { return slider.x + 8 + (slider.width - 16.0) * index / (ticks - 1) - 0.5; }
    double tickSpacing() const { return (slider.width - 16.0) / (ticks - 1); }
};

// The bubbles of the latest report: minutes and centre.
std::vector<std::pair<int, Box>> bubbles(GalleryProcess& gallery)
{
    std::vector<std::pair<int, Box>> found;
    auto last = gallery.waitForLine("timeslider ");
    if (!last)
        return found;
    for (std::size_t i = *last; i < gallery.lineCount(); ++i) {
        if (gallery.line(i).rfind("timeslider ", 0) == 0) {
            found.clear();
            continue;
        }
        if (gallery.line(i).rfind("bubble ", 0) != 0)
            continue;
        std::istringstream words(gallery.line(i).substr(7));
        int minutes = 0;
        double x = 0, y = 0;
        words >> minutes >> x >> y;
        found.push_back({ minutes, { int(x), int(y), 0, 0 } });
    }
    return found;
}

int whiteIn(RootScreen& screen, const Box& box)
{
    int n = 0;
    for (const auto& pixel : screen.capture(box))
        n += pixel.red > 0.85 && pixel.green > 0.85 && pixel.blue > 0.85;
    return n;
}

}

TEST(TimeViewsEndToEnd, ABubbleSetsTheDurationAndTheEventBarCoversItsMinutes)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display: the gallery is driven under Xvfb by make test";
    if (std::system("command -v xdotool > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdotool is not installed (scripts/install-deps adds it)";
    ostrel::test::TemporaryHome home;

    // An event on a whole minute some 20 minutes from now, 15 minutes long.
    std::time_t now = std::time(nullptr);
    std::time_t start = (now / 60 + 21) * 60;
    std::time_t end = start + 15 * 60;
    fs::path folder = home.dataHome() / "evolution/calendar/fixture";
    fs::create_directories(folder);
    std::ofstream(folder / "calendar.ics", std::ios::binary)
        << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Ostrel tests//End to end//EN\r\n"
        << "BEGIN:VEVENT\r\nUID:review@example.org\r\nDTSTART:" << utcStamp(start) << "\r\nDTEND:" << utcStamp(end)
        << "\r\nSUMMARY:Design review\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

    RootScreen screen;
    ASSERT_TRUE(screen.ok());
    GalleryProcess gallery;
    ASSERT_TRUE(gallery.running());

    Scale scale;
    scale.slider = gallery.box("timeslider");
    auto ticksLine = gallery.waitForLine("ticks ");
    ASSERT_TRUE(ticksLine) << gallery.transcript();
    std::istringstream(gallery.line(*ticksLine).substr(6)) >> scale.ticks >> scale.minValue;
    ASSERT_EQ(scale.ticks, 59);
    ASSERT_EQ(scale.minValue, 2);
    ASSERT_GT(scale.slider.width, 100);

    // The bar: from the tick of its start minute to the tick of its end minute, both counted
    // from the slider's first tick at 2 minutes (a second or two may have passed).
    ASSERT_TRUE(gallery.waitForLine("bar ")) << "the strip shows no bar" << gallery.transcript();
    Box bar = gallery.box("bar");
    auto checked = std::time(nullptr);
    int startIndex = int(std::ceil((start - checked) / 60.0)) - 2;
    int endIndex = int(std::ceil((end - checked) / 60.0)) - 2;
    double slack = scale.tickSpacing() + 1.5;
    EXPECT_NEAR(bar.x, scale.tickLeft(startIndex), slack) << gallery.transcript();
    EXPECT_NEAR(bar.x + bar.width, scale.tickLeft(endIndex) + 1, slack);
    EXPECT_NE(gallery.line(*gallery.waitForLine("bar ")).find("Design review"), std::string::npos);
    // On the display: the bar's white line runs under its minutes and nowhere left of them.
    Box line { bar.x + 2, bar.y + 24, bar.width - 4, 8 };
    ASSERT_TRUE(eventually([&] { return whiteIn(screen, line) >= line.width * 8 / 10; })) << "the bar's line is not on the display";
    Box before { scale.slider.x + 2, line.y, bar.x - scale.slider.x - 8, line.height };
    ASSERT_GT(before.width, 20);
    EXPECT_EQ(whiteIn(screen, before), 0) << "white left of the event's start";

    // A bubble for other minutes than the slider shows: click it.
    auto row = bubbles(gallery);
    ASSERT_FALSE(row.empty()) << gallery.transcript();
    auto current = gallery.waitForLine("slidervalue ");
    ASSERT_TRUE(current);
    int shownMinutes = std::stoi(gallery.line(*current).substr(12));
    auto chosen = std::find_if(row.begin(), row.end(), [&](const auto& bubble) { return bubble.first != shownMinutes; });
    ASSERT_NE(chosen, row.end());
    int minutes = chosen->first;
    Box sliderBox = scale.slider;
    auto sliderBefore = screen.settled(sliderBox);
    auto settingsFile = home.configHome() / "Ostrel" / "defaults.json";
    auto stored = [&] {
        auto value = storedSetting(settingsFile, "durationInSeconds");
        return value && value->is_number_integer() && value->get<long long>() == minutes * 60LL;
    };
    // The first click may only bring the window forward on a busy display.
    for (int attempt = 0; attempt < 3 && !stored(); ++attempt) {
        clickAt(chosen->second.x, chosen->second.y);
        eventually(stored, 5);
    }
    EXPECT_TRUE(stored()) << "the settings file never held " << minutes * 60 << gallery.transcript();
    EXPECT_TRUE(gallery.waitForLine("slidervalue " + std::to_string(minutes), 0, 10).has_value()) << gallery.transcript();
    EXPECT_TRUE(eventually([&] { return screen.capture(sliderBox) != sliderBefore; })) << "the slider looks the same on the display";
}
