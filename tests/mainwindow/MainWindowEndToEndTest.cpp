// The demo's main window on the test display, driven as a user would with xdotool: typing
// shortcuts in the Now pad and the page written five seconds later, one pad at a time, a log
// book entry added by "+" and "Save", and the window dragged by its background.
#include "mainwindow/FastTypeTextViewDelegate.h"
#include "tests/support/TemporaryHome.h"

#include "platform/text/Rtfd.h"
#include "platform/text/Unicode.h"

#include <nlohmann/json.hpp>

#include <cairo.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
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

namespace {

namespace fs = std::filesystem;

struct Box {
    int x { 0 }, y { 0 }, width { 0 }, height { 0 };
    int midX() const { return x + width / 2; }
    int midY() const { return y + height / 2; }
    bool operator==(const Box&) const = default;
};

// The demo as a child process; its reports come in blocks ended by "--".
class DemoProcess {
public:
    DemoProcess()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            execl(MAINWINDOW_DEMO, MAINWINDOW_DEMO, "--positions", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        m_out = fds[0];
        fcntl(m_out, F_SETFL, O_NONBLOCK);
    }
    ~DemoProcess()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            close(m_out);
    }
    bool running() const { return m_pid > 0; }

    // The latest report's line for `name` ("name rest"), after reading what came.
    std::optional<std::string> line(const std::string& name)
    {
        readSome();
        for (const auto& entry : m_latest) {
            if (entry.rfind(name + " ", 0) == 0)
                return entry.substr(name.size() + 1);
            if (entry == name)
                return std::string();
        }
        return std::nullopt;
    }
    std::optional<Box> box(const std::string& name)
    {
        auto text = line(name);
        if (!text)
            return std::nullopt;
        std::istringstream words(*text);
        double x = 0, y = 0, w = 0, h = 0;
        words >> x >> y >> w >> h;
        return Box { int(x), int(y), int(w), int(h) };
    }
    // Waits until the latest report answers `check`; false after the timeout.
    bool waitFor(const std::function<bool(DemoProcess&)>& check, double seconds = 15)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (!check(*this)) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }
    std::string report()
    {
        std::string all;
        for (const auto& entry : m_latest)
            all += "\n  " + entry;
        return all;
    }

private:
    void readSome()
    {
        pollfd p { m_out, POLLIN, 0 };
        while (poll(&p, 1, 20) > 0) {
            char buffer[8192];
            ssize_t n = read(m_out, buffer, sizeof buffer);
            if (n <= 0)
                break;
            m_pending.append(buffer, static_cast<std::size_t>(n));
        }
        for (std::size_t end; (end = m_pending.find('\n')) != std::string::npos;) {
            std::string entry = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            if (entry == "--") {
                m_latest = m_block;
                m_block.clear();
            } else {
                m_block.push_back(entry);
            }
        }
    }

    pid_t m_pid { -1 };
    int m_out { -1 };
    std::string m_pending;
    std::vector<std::string> m_block;
    std::vector<std::string> m_latest;
};

// The test's own look at the display, kept as PNG files when MAINWINDOW_SCREENSHOTS names a folder.
class Screenshots {
public:
    Screenshots() { m_display = XOpenDisplay(nullptr); }
    ~Screenshots()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    void take(const std::string& name, const Box& box)
    {
        const char* folder = std::getenv("MAINWINDOW_SCREENSHOTS");
        if (!folder || !*folder || box.width <= 0 || box.height <= 0)
            return;
        XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), box.x, box.y, unsigned(box.width), unsigned(box.height),
            AllPlanes, ZPixmap);
        if (!image)
            return;
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, box.width, box.height);
        unsigned char* data = cairo_image_surface_get_data(surface);
        int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < box.height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
            for (int x = 0; x < box.width; ++x)
                row[x] = std::uint32_t(XGetPixel(image, x, y)) & 0xffffff;
        }
        cairo_surface_mark_dirty(surface);
        fs::create_directories(folder);
        cairo_surface_write_to_png(surface, (fs::path(folder) / (name + ".png")).c_str());
        cairo_surface_destroy(surface);
        XDestroyImage(image);
    }

private:
    Display* m_display { nullptr };
};

void xdotool(const std::string& arguments)
{
    std::string command = "xdotool " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void clickAt(int x, int y) { xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1"); }

std::string pageOnDisk(const std::string& path)
{
    auto document = text::Rtfd::readFile(path);
    return document ? document->text.utf8() : std::string();
}

std::optional<double> storedNumber(const fs::path& file, const char* key)
{
    std::ifstream in(file);
    auto json = nlohmann::json::parse(in, nullptr, false);
    if (json.is_discarded() || !json.contains(key) || !json[key].is_number())
        return std::nullopt;
    return json[key].get<double>();
}

}

TEST(MainWindowEndToEnd, ShortcutsPadsLogBookAndDragging)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display: the demo is driven under Xvfb by make test";
    if (std::system("command -v xdotool > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdotool is not installed (scripts/install-deps adds it)";
    ostrel::test::TemporaryHome home;
    Screenshots screen;
    ASSERT_TRUE(screen.ok());
    DemoProcess demo;
    ASSERT_TRUE(demo.running());
    ASSERT_TRUE(demo.waitFor([](DemoProcess& d) { return d.box("selector.0").has_value(); }, 30)) << demo.report();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    screen.take("1-started", *demo.box("window"));

    // The Now pad opens from the left column's selector.
    Box now = *demo.box("selector.0");
    clickAt(now.midX(), now.midY());
    ASSERT_TRUE(demo.waitFor([](DemoProcess& d) { return d.line("open") == "Now Pad" && d.box("nowText"); })) << demo.report();

    // Typed at the end of the page: a separator, a check mark, a bullet.
    Box text = *demo.box("nowText");
    clickAt(text.x + 40, text.y + text.height - 10);
    std::string file = demo.line("nowFile").value_or("");
    ASSERT_FALSE(file.empty());
    std::string before = pageOnDisk(file);
    xdotool("type --delay 80 -- '--'");
    xdotool("type --delay 80 -- \"done'\"");
    xdotool("key --delay 80 Return");
    // A shifted key as a keyboard gives it: typed through a borrowed key code it loses its shift.
    xdotool("key --delay 80 shift+8 space");
    std::string separator = text::toUtf8(ostrel::FastTypeTextViewDelegate::separatorLine());
    std::string expected = separator + "\\n\u2714\\n\\t\u2022\\t\\n";
    ASSERT_TRUE(demo.waitFor([&](DemoProcess& d) {
        auto page = d.line("nowPage");
        return page && page->size() >= expected.size() && page->compare(page->size() - expected.size(), expected.size(), expected) == 0;
    })) << demo.report();
    auto typed = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    screen.take("2-now-pad-typed", *demo.box("window"));
    EXPECT_EQ(pageOnDisk(file), before) << "not written at once";
    ASSERT_TRUE(demo.waitFor([&](DemoProcess&) { return pageOnDisk(file).find("\u2714") != std::string::npos; }, 20)) << "the page was never written";
    double after = std::chrono::duration<double>(std::chrono::steady_clock::now() - typed).count();
    EXPECT_GT(after, 2.5) << "written about five seconds after the first change";

    // One pad at a time: the Later pad from the Now pad's row closes the Now pad.
    Box later = *demo.box("row.1");
    clickAt(later.midX(), later.midY());
    ASSERT_TRUE(demo.waitFor([](DemoProcess& d) { return d.line("open") == "Later Pad"; })) << demo.report();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    screen.take("3-later-pad", *demo.box("window"));

    // "+" then "Save" adds a row once the log is read again.
    Box logBook = *demo.box("row.3");
    clickAt(logBook.midX(), logBook.midY());
    ASSERT_TRUE(demo.waitFor([](DemoProcess& d) { return d.line("open") == "Log Book" && d.box("addEntry"); })) << demo.report();
    Box add = *demo.box("addEntry");
    clickAt(add.midX(), add.midY());
    ASSERT_TRUE(demo.waitFor([](DemoProcess& d) { return d.box("save").has_value(); })) << demo.report();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    screen.take("4-editor", *demo.box("window"));
    Box save = *demo.box("save");
    clickAt(save.midX(), save.midY());
    ASSERT_TRUE(demo.waitFor([](DemoProcess& d) { return d.line("logRows") == "1"; })) << demo.report();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    screen.take("5-log-book", *demo.box("window"));

    // A drag on the title strip moves the window, and the place is kept.
    Box window = *demo.box("window");
    Box title = *demo.box("titleStrip");
    xdotool("mousemove " + std::to_string(title.x + 20) + " " + std::to_string(title.midY()) + " mousedown 1");
    for (int step = 1; step <= 6; ++step)
        xdotool("mousemove_relative --sync 10 8");
    xdotool("mouseup 1");
    ASSERT_TRUE(demo.waitFor([&](DemoProcess& d) { return d.box("window") != window; })) << "the window did not move";
    Box moved = *demo.box("window");
    EXPECT_EQ(moved.x - window.x, 60);
    EXPECT_EQ(moved.y - window.y, 48);
    auto settings = home.configHome() / "Ostrel" / "defaults.json";
    EXPECT_TRUE(demo.waitFor([&](DemoProcess&) { return storedNumber(settings, "topLeftX") == double(moved.x); })) << "the place was not stored";
    screen.take("6-moved", Box { 0, 0, 1440, 900 });
}
