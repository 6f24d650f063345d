// The gallery's time views on the test display, over a calendar of the desktop's store in a
// temporary home: a click on a bubble sets the planned duration in the settings file and
// moves the slider, and the strip's bar sits over its event's minutes.
#include "GalleryDriver.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace ostrel::test::gallery {

namespace {

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

class TimeViewsEndToEnd : public GalleryTest {
protected:
    // The bubbles the gallery told of last: minutes and centre.
    std::vector<std::pair<int, Box>> bubbles()
    {
        std::vector<std::pair<int, Box>> found;
        if (!line("timeslider"))
            return found;
        for (const auto& said : m_gallery->lines()) {
            if (said.text.rfind("timeslider ", 0) == 0) {
                found.clear();
                continue;
            }
            if (said.text.rfind("bubble ", 0) != 0)
                continue;
            std::istringstream words(said.text.substr(7));
            int minutes = 0;
            double x = 0, y = 0;
            words >> minutes >> x >> y;
            found.push_back({ minutes, { int(x), int(y), 0, 0 } });
        }
        return found;
    }
    int whiteIn(const Box& box)
    {
        auto shot = m_desktop->capture(box);
        int n = 0;
        for (int y = 0; shot && y < shot->height(); ++y)
            for (int x = 0; x < shot->width(); ++x) {
                auto pixel = shot->at(x, y);
                n += pixel.red > 0.85 && pixel.green > 0.85 && pixel.blue > 0.85;
            }
        return n;
    }
};

}

TEST_F(TimeViewsEndToEnd, ABubbleSetsTheDurationAndTheEventBarCoversItsMinutes)
{
    // An event on a whole minute some 20 minutes from now, 15 minutes long.
    std::time_t now = std::time(nullptr);
    std::time_t start = (now / 60 + 21) * 60;
    std::time_t end = start + 15 * 60;
    fs::path folder = m_home.dataHome() / "evolution/calendar/fixture";
    fs::create_directories(folder);
    std::ofstream(folder / "calendar.ics", std::ios::binary)
        << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Ostrel tests//End to end//EN\r\n"
        << "BEGIN:VEVENT\r\nUID:review@example.org\r\nDTSTART:" << utcStamp(start) << "\r\nDTEND:" << utcStamp(end)
        << "\r\nSUMMARY:Design review\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    startGallery();

    Scale scale;
    scale.slider = box("timeslider");
    auto ticks = line("ticks");
    ASSERT_TRUE(ticks) << transcript();
    std::istringstream(*ticks) >> scale.ticks >> scale.minValue;
    ASSERT_EQ(scale.ticks, 59);
    ASSERT_EQ(scale.minValue, 2);
    ASSERT_GT(scale.slider.width, 100);

    // The bar: from the tick of its start minute, counted from the slider's first tick at 2
    // minutes, to the tick whose index is its end minute itself (a second or two may have
    // passed).
    auto barLine = line("bar");
    ASSERT_TRUE(barLine) << "the strip shows no bar" << transcript();
    Box bar = box("bar");
    auto checked = std::time(nullptr);
    int startIndex = int(std::ceil((start - checked) / 60.0)) - 2;
    int endIndex = int(std::ceil((end - checked) / 60.0));
    double slack = scale.tickSpacing() + 1.5;
    EXPECT_NEAR(bar.x, scale.tickLeft(startIndex), slack) << transcript();
    EXPECT_NEAR(bar.x + bar.width, scale.tickLeft(endIndex) + 1, slack);
    EXPECT_NE(barLine->find("Design review"), std::string::npos);
    // On the display: the bar's white line runs under its minutes and nowhere left of them.
    Box underline { bar.x + 2, bar.y + 24, bar.width - 4, 8 };
    ASSERT_TRUE(eventually([&] { return whiteIn(underline) >= underline.width * 8 / 10; })) << "the bar's line is not on the display";
    Box before { scale.slider.x + 2, underline.y, bar.x - scale.slider.x - 8, underline.height };
    ASSERT_GT(before.width, 20);
    EXPECT_EQ(whiteIn(before), 0) << "white left of the event's start";

    // A bubble for other minutes than the slider shows: click it.
    auto row = bubbles();
    ASSERT_FALSE(row.empty()) << transcript();
    auto current = line("slidervalue");
    ASSERT_TRUE(current);
    int shownMinutes = std::stoi(*current);
    auto chosen = std::find_if(row.begin(), row.end(), [&](const auto& bubble) { return bubble.first != shownMinutes; });
    ASSERT_NE(chosen, row.end());
    int minutes = chosen->first;
    Box sliderBox = scale.slider;
    auto sliderBefore = settled(sliderBox);
    ASSERT_TRUE(sliderBefore);
    auto stored = [&] {
        auto value = storedSetting(m_home.settingsFile(), "durationInSeconds");
        return value && value->is_number_integer() && value->get<long long>() == minutes * 60LL;
    };
    // The first click may only bring the window forward on a busy display.
    for (int attempt = 0; attempt < 3 && !stored(); ++attempt) {
        clickAt(chosen->second.x, chosen->second.y);
        eventually(stored, 5);
    }
    EXPECT_TRUE(stored()) << "the settings file never held " << minutes * 60 << transcript();
    EXPECT_TRUE(eventually([&] { return m_reports->lastLine("slidervalue") == std::to_string(minutes); })) << transcript();
    EXPECT_TRUE(eventually([&] {
        auto shot = m_desktop->capture(sliderBox);
        return shot && !shot->sameAs(*sliderBefore);
    })) << "the slider looks the same on the display";
}

}
