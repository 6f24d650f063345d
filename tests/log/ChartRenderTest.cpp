#include "tests/log/StatisticsSupport.h"

#include "platform/gfx/Bitmap.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

std::optional<fs::path> findChromium()
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        for (const char* name : { "chromium", "chromium-browser" }) {
            fs::path candidate = fs::path(folders.substr(start, end - start)) / name;
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

// The statistics page as the browser engine leaves it once its scripts have run.
class ChartRenderTest : public StatisticsTest {
protected:
    void SetUp() override
    {
        StatisticsTest::SetUp();
        m_chromium = findChromium();
        if (!m_chromium)
            GTEST_SKIP() << "Chromium is not installed (Debian's chromium package): the pages are not rendered";
        if (!base::Resources::path("chartist", "css", "stats"))
            GTEST_SKIP() << "the chart library is not installed (scripts/install-chart-library)";
        add(localDate(2026, 1, 5, 8, 30), 1500, "good");
        add(localDate(2026, 1, 4, 10), 1500, "experienced flow");
        add(localDate(2026, 1, 3, 22), 4000, "distracted");
        add(localDate(2026, 1, 2, 9), 1500, "highly focused");
        publish();
        manager = FullFeaturedStatisticsManager::sharedInstance();
        manager->setStatisticsWebView([this](const fs::path& page) { m_page = page; });
    }

    std::string renderedDom(long long statistic)
    {
        set("currentlyDisplayedStatistic", statistic);
        awaitPage();
        EXPECT_TRUE(fs::exists(m_page));
        std::string command = m_chromium->string()
            + " --headless --no-sandbox --disable-gpu --no-first-run --virtual-time-budget=3000"
              " --window-size=800,600 --user-data-dir='"
            + (home.path() / "chromium").string() + "' --dump-dom 'file://" + m_page.string() + "' 2>/dev/null";
        std::string dom;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            std::array<char, 4096> buffer;
            while (size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
                dom.append(buffer.data(), read);
            ::pclose(pipe);
        }
        return dom;
    }

    static size_t count(const std::string& text, const std::string& part)
    {
        size_t found = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++found;
        return found;
    }

    // The page as a picture, the way the statistics view shows it.
    std::shared_ptr<gfx::Bitmap> renderedPicture(long long statistic)
    {
        set("currentlyDisplayedStatistic", statistic);
        awaitPage();
        fs::path shot = home.path() / "page.png";
        std::string command = m_chromium->string()
            + " --headless --no-sandbox --disable-gpu --no-first-run --hide-scrollbars --virtual-time-budget=3000"
              " --window-size=800,600 --user-data-dir='"
            + (home.path() / "chromium").string() + "' --screenshot='" + shot.string() + "' 'file://" + m_page.string()
            + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return gfx::Bitmap::loadPng(shot);
    }

    static size_t pixelsOf(const gfx::Bitmap& picture, unsigned rgb)
    {
        auto near = [](double channel, unsigned value) { return std::abs(channel * 255 - double(value)) < 3; };
        size_t found = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                auto c = picture.pixel(x, y);
                found += near(c.red, rgb >> 16 & 255) && near(c.green, rgb >> 8 & 255) && near(c.blue, rgb & 255);
            }
        }
        return found;
    }

    std::shared_ptr<FullFeaturedStatisticsManager> manager;

private:
    std::optional<fs::path> m_chromium;
    fs::path m_page;
};

TEST_F(ChartRenderTest, EveryStatisticDrawsItsChartAndLegend)
{
    auto overview = renderedDom(0);
    EXPECT_EQ(count(overview, "class=\"ct-bar\""), 7u * 4) << "seven days of four stacked levels";
    EXPECT_EQ(count(overview, ">Achieved Flow<"), 1u);

    auto hours = renderedDom(3);
    EXPECT_EQ(count(hours, "class=\"ct-bar\""), 11u * 4) << "8 am to 5 pm and 10 pm";
    EXPECT_NE(hours.find(">10 pm<"), std::string::npos);

    auto weekdays = renderedDom(1);
    EXPECT_EQ(count(weekdays, "class=\"ct-bar\""), 7u * 4);
    EXPECT_NE(weekdays.find(">Mo<"), std::string::npos) << "an 800-pixel window shows two letters";

    auto report = renderedDom(4);
    EXPECT_EQ(count(report, "class=\"ct-slice-donut\""), 4u);
    EXPECT_NE(report.find("2 hours 21 minutes"), std::string::npos);
    EXPECT_NE(report.find(">Distracted<"), std::string::npos);
}

TEST_F(ChartRenderTest, TheLegendShowsEachSeriesColourBesideItsName)
{
    auto picture = renderedPicture(0);
    ASSERT_TRUE(picture);
    // The bars are drawn see-through over the page; only the legend's keys show the four
    // colours unmixed, each as a small square.
    for (unsigned colour : { 0xd70206u, 0xf05b4fu, 0xf4c63du, 0xd17905u }) {
        size_t key = pixelsOf(*picture, colour);
        EXPECT_GE(key, 40u) << std::hex << colour;
        EXPECT_LE(key, 400u) << std::hex << colour;
    }
    auto dom = renderedDom(0);
    EXPECT_NE(dom.find("<li class=\"ct-series-0\" data-legend=\"0\">Achieved Flow</li>"), std::string::npos);
}

}
}
