#pragma once

// Drives the view-kit gallery on the test display as a user would: the gallery runs as a
// child process that reports where its parts are, the test looks at the screen with Xlib and
// clicks with xdotool.
#include "platform/gfx/Color.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace ostrel::test::gallery {

// The menus' background, as the window system draws them.
inline const gfx::Color kMenuColor = gfx::Color::rgb(0.17, 0.17, 0.18);

struct Box {
    int x { 0 }, y { 0 }, width { 0 }, height { 0 };
    int midX() const { return x + width / 2; }
    int midY() const { return y + height / 2; }
};

// The gallery as a child process, its report lines read as they come.
class GalleryProcess {
public:
    GalleryProcess()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            execl(VIEWKIT_GALLERY, VIEWKIT_GALLERY, "--positions", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        m_out = fds[0];
        fcntl(m_out, F_SETFL, O_NONBLOCK);
    }
    ~GalleryProcess()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            close(m_out);
    }
    bool running() const { return m_pid > 0; }

    // The first line from `from` on whose first words are `prefix`; none after the timeout.
    std::optional<std::size_t> waitForLine(const std::string& prefix, std::size_t from = 0, double seconds = 20)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        for (;;) {
            for (std::size_t i = from; i < m_lines.size(); ++i) {
                if (m_lines[i].rfind(prefix, 0) == 0)
                    return i;
            }
            if (std::chrono::steady_clock::now() > deadline)
                return std::nullopt;
            readSome();
        }
    }
    const std::string& line(std::size_t index) const { return m_lines[index]; }
    // Everything it said, for a failure's message.
    std::string transcript() const
    {
        std::string all;
        for (const auto& line : m_lines)
            all += "\n  " + line;
        return all;
    }
    std::size_t lineCount() const { return m_lines.size(); }

    // The latest "name x y w h" as a box, "name x y" as its centre (positions are reported
    // again whenever they move).
    Box box(const std::string& name)
    {
        auto index = waitForLine(name + " ");
        Box result;
        if (!index)
            return result;
        readSome();
        for (std::size_t i = *index; i < m_lines.size(); ++i) {
            if (m_lines[i].rfind(name + " ", 0) == 0)
                index = i;
        }
        std::istringstream words(m_lines[*index].substr(name.size()));
        double x = 0, y = 0, w = 0, h = 0;
        words >> x >> y;
        if (words >> w >> h)
            result = { int(x), int(y), int(w), int(h) };
        else
            result = { int(x), int(y), 0, 0 };
        return result;
    }

    // The rows of the menu called `name` shown after line `from`, by title.
    std::map<std::string, Box> menu(const std::string& name, std::size_t from, double seconds = 20)
    {
        std::map<std::string, Box> rows;
        auto first = waitForLine("menu " + name + " ", from, seconds);
        if (!first)
            return rows;
        // Its rows come in one burst.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        readSome();
        for (std::size_t i = *first; i < m_lines.size() && m_lines[i].rfind("menu " + name + " ", 0) == 0; ++i) {
            std::istringstream words(m_lines[i].substr(6 + name.size()));
            int index = 0;
            double x = 0, y = 0, w = 0, h = 0;
            words >> index >> x >> y >> w >> h;
            std::string title;
            std::getline(words >> std::ws, title);
            rows[title] = { int(x), int(y), int(w), int(h) };
        }
        return rows;
    }

private:
    void readSome()
    {
        pollfd p { m_out, POLLIN, 0 };
        if (poll(&p, 1, 50) <= 0)
            return;
        char buffer[4096];
        ssize_t n = read(m_out, buffer, sizeof buffer);
        if (n <= 0)
            return;
        m_pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = m_pending.find('\n')) != std::string::npos;) {
            m_lines.push_back(m_pending.substr(0, end));
            m_pending.erase(0, end + 1);
        }
    }

    pid_t m_pid { -1 };
    int m_out { -1 };
    std::string m_pending;
    std::vector<std::string> m_lines;
};

// The test's own look at the display.
class RootScreen {
public:
    RootScreen() { m_display = XOpenDisplay(nullptr); }
    ~RootScreen()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    std::vector<gfx::Color> capture(const Box& box)
    {
        std::vector<gfx::Color> pixels;
        XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), box.x, box.y, static_cast<unsigned>(box.width),
            static_cast<unsigned>(box.height), AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        for (int y = 0; y < box.height; ++y) {
            for (int x = 0; x < box.width; ++x) {
                unsigned long p = XGetPixel(image, x, y);
                pixels.push_back({ ((p >> 16) & 0xff) / 255.0, ((p >> 8) & 0xff) / 255.0, (p & 0xff) / 255.0, 1 });
            }
        }
        XDestroyImage(image);
        return pixels;
    }
    // How many pixels of the box are within a few steps of the colour.
    int count(const Box& box, const gfx::Color& color)
    {
        int n = 0;
        for (const auto& pixel : capture(box))
            n += std::abs(pixel.red - color.red) < 0.03 && std::abs(pixel.green - color.green) < 0.03 && std::abs(pixel.blue - color.blue) < 0.03;
        return n;
    }
    // Whether a menu shows there: its background fills most of a row.
    bool showsMenu(const Box& row) { return count(row, kMenuColor) > row.width * row.height / 3; }
    // The box once it stopped changing (a window just mapped, a menu just drawn).
    std::vector<gfx::Color> settled(const Box& box)
    {
        auto last = capture(box);
        for (int i = 0; i < 20; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            auto now = capture(box);
            if (now == last)
                return now;
            last = now;
        }
        return last;
    }

private:
    Display* m_display { nullptr };
};

inline bool eventually(const std::function<bool()>& done, double seconds = 10)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

inline void clickAt(int x, int y)
{
    std::string command = "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Clicks a button and answers the rows of the menu it shows, once the menu is on the
// display. A busy display can lose a synthetic click, and a focus change still on its way
// from the menu before can dismiss a menu just opened: a menu that does not stay is asked
// for again.
inline std::map<std::string, Box> openMenu(GalleryProcess& gallery, RootScreen& screen, const std::string& name, int x, int y)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::size_t mark = gallery.lineCount();
        clickAt(x, y);
        auto rows = gallery.menu(name, mark, 5);
        if (!rows.empty() && eventually([&] { return screen.showsMenu(rows.begin()->second); }, 3))
            return rows;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    return {};
}

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
