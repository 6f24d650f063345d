#pragma once

// Drives the view-kit gallery on the test display as a user would, through the acceptance
// driver: the gallery runs in a home of its own and tells where its parts are ("name x y w h"
// lines, again whenever they move); the test looks at the screen and clicks with xdotool.
#include "tests/acceptance/driver/Desktop.h"
#include "tests/acceptance/driver/Eventually.h"
#include "tests/acceptance/driver/Home.h"
#include "tests/acceptance/driver/Program.h"
#include "tests/acceptance/driver/Reports.h"

#include "platform/gfx/Color.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace ostrel::test::gallery {

using acceptance::Box;
using acceptance::eventually;

// The menus' background, as the window system draws them.
inline const gfx::Color kMenuColor = gfx::Color::rgb(0.17, 0.17, 0.18);

// Every gallery case: a home of its own, the gallery started in it and shown on the display.
class GalleryTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display: the gallery is driven under Xvfb by make test";
        if (!acceptance::Desktop::hasHands())
            GTEST_SKIP() << "xdotool is not installed (scripts/install-deps adds it)";
        m_desktop = std::make_unique<acceptance::Desktop>();
        ASSERT_TRUE(m_desktop->ok());
    }
    void TearDown() override
    {
        if (m_gallery && m_gallery->running())
            m_gallery->stop();
    }
    // After the test wrote what the gallery is to find in its home.
    void startGallery()
    {
        acceptance::Launch launch;
        launch.program = VIEWKIT_GALLERY;
        launch.arguments = { "--positions" };
        m_gallery = acceptance::Program::start(m_home, launch);
        ASSERT_TRUE(m_gallery);
        m_reports = std::make_unique<acceptance::Reports>(*m_gallery);
        ASSERT_TRUE(m_desktop->waitForWindow(".", 30)) << m_gallery->transcript();
    }

    // The latest place of a part, waited for.
    Box box(const std::string& name, double seconds = 20)
    {
        std::optional<Box> found;
        eventually([&] { return (found = m_reports->lastBox(name)).has_value(); }, seconds);
        return found.value_or(Box {});
    }
    // The latest line of that name (its text after the name), waited for.
    std::optional<std::string> line(const std::string& name, std::size_t from = 0, double seconds = 20)
    {
        std::optional<std::string> found;
        eventually([&] { return (found = m_reports->lastLine(name, from)).has_value(); }, seconds);
        return found;
    }
    std::size_t lineCount() const { return m_gallery->lineCount(); }
    std::string transcript() const { return m_gallery->transcript(); }

    int count(const Box& box, const gfx::Color& color)
    {
        auto shot = m_desktop->capture(box);
        return shot ? shot->count(Box { 0, 0, box.width, box.height }, color) : 0;
    }
    // Whether a menu shows there: its background fills most of a row.
    bool showsMenu(const Box& row) { return count(row, kMenuColor) > row.width * row.height / 3; }
    void clickAt(int x, int y) { ASSERT_TRUE(m_desktop->clickAt(x, y)); }

    // The rows of the menu called `name` that the gallery told of after line `from`, by title,
    // once all of them came (they come in one burst, the last one ending the report).
    std::map<std::string, Box> menu(const std::string& name, std::size_t from, double seconds = 20)
    {
        std::string prefix = "menu " + name + " ";
        auto rows = [&] {
            std::map<std::string, Box> found;
            auto lines = m_gallery->lines();
            for (std::size_t i = from; i < lines.size(); ++i) {
                if (lines[i].text.rfind(prefix, 0) != 0)
                    continue;
                std::istringstream words(lines[i].text.substr(prefix.size()));
                int index = 0;
                double x = 0, y = 0, w = 0, h = 0;
                words >> index >> x >> y >> w >> h;
                std::string title;
                std::getline(words >> std::ws, title);
                found[title] = { int(x), int(y), int(w), int(h) };
            }
            return found;
        };
        if (!eventually([&] { return !rows().empty(); }, seconds))
            return {};
        // The burst's last rows may still be on their way: the set that stays.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        return rows();
    }

    // Clicks a button and answers the rows of the menu it shows, once the menu is on the
    // display and has stayed there. A focus change still on its way from a menu before may
    // dismiss a menu just opened: one that does not stay is asked for again.
    std::map<std::string, Box> openMenu(const std::string& name, int x, int y)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            std::size_t mark = lineCount();
            clickAt(x, y);
            auto rows = menu(name, mark, 5);
            if (!rows.empty() && eventually([&] { return showsMenu(rows.begin()->second); }, 3)) {
                m_desktop->settled(rows.begin()->second);
                if (showsMenu(rows.begin()->second))
                    return rows;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
        return {};
    }

    std::optional<acceptance::Screenshot> settled(const Box& box) { return m_desktop->settled(box); }

    acceptance::Home m_home;
    std::unique_ptr<acceptance::Desktop> m_desktop;
    std::unique_ptr<acceptance::Program> m_gallery;
    std::unique_ptr<acceptance::Reports> m_reports;
};

// A setting as the settings file holds it now; none while the file or key is missing.
inline std::optional<nlohmann::json> storedSetting(const std::filesystem::path& file, const std::string& key)
{
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    auto json = nlohmann::json::parse(in, nullptr, false);
    if (json.is_discarded() || !json.is_object() || !json.contains(key))
        return std::nullopt;
    return json[key];
}

}
