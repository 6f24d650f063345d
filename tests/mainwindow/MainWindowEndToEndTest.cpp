// The demo's main window on the test display, driven as a user would through the acceptance
// driver: typing shortcuts (a separator, a check mark, a numbered item) in the Now pad and the
// page written five seconds later, one pad at
// a time, a log book entry added by "+" and "Save", the window dragged by its background,
// and SIGTERM in the middle of typing losing nothing. Every step waits for the state to
// settle, never for its first change.
#include "mainwindow/FastTypeTextViewDelegate.h"

#include "tests/acceptance/driver/Desktop.h"
#include "tests/acceptance/driver/Eventually.h"
#include "tests/acceptance/driver/Home.h"
#include "tests/acceptance/driver/Program.h"
#include "tests/acceptance/driver/Reports.h"

#include "platform/text/Rtfd.h"
#include "platform/text/Unicode.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace ostrel::acceptance {

namespace {

namespace fs = std::filesystem;

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

class MainWindowEndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display: the demo is driven under Xvfb by make test";
        if (!Desktop::hasHands())
            GTEST_SKIP() << "xdotool is not installed (scripts/install-deps adds it)";
        m_desktop = std::make_unique<Desktop>();
        ASSERT_TRUE(m_desktop->ok());
        Launch launch;
        launch.program = MAINWINDOW_DEMO;
        launch.arguments = { "--positions" };
        m_demo = Program::start(m_home, launch);
        ASSERT_TRUE(m_demo);
        m_reports = std::make_unique<Reports>(*m_demo);
        // Shown, drawn and placed: the window stands still before anything is clicked.
        ASSERT_TRUE(m_desktop->waitForWindow("^Ostrel$", 30)) << m_demo->transcript();
        ASSERT_TRUE(settle([](Reports& r) { return r.box("selector.0").has_value(); }, 30)) << m_demo->transcript();
    }
    void TearDown() override
    {
        if (m_demo && m_demo->running())
            m_demo->stop();
    }

    bool settle(const std::function<bool(Reports&)>& check, double seconds = 20) { return m_reports->settle(check, seconds); }
    Box box(const std::string& name) { return m_reports->box(name).value_or(Box {}); }
    void click(const std::string& name)
    {
        Box target = box(name);
        ASSERT_GT(target.width, 0) << "nothing called " << name << m_demo->transcript();
        ASSERT_TRUE(m_desktop->clickAt(target.midX(), target.midY()));
    }
    // Clicks a part until the demo tells of any change at all: a press that lands while a
    // busy display is still handing the window the focus may go unseen, and pressing again
    // is safe only while nothing happened.
    void clickUntilSomethingChanges(const std::string& name)
    {
        auto before = m_reports->latest();
        for (int attempt = 0; attempt < 3; ++attempt) {
            click(name);
            if (eventually([&] { return m_reports->latest() != before; }, 5))
                return;
        }
        FAIL() << "nothing came of pressing " << name << m_demo->transcript();
    }

    Home m_home;
    std::unique_ptr<Desktop> m_desktop;
    std::unique_ptr<Program> m_demo;
    std::unique_ptr<Reports> m_reports;
};

}

TEST_F(MainWindowEndToEnd, ShortcutsInTheNowPadAreWrittenFiveSecondsLater)
{
    clickUntilSomethingChanges("selector.0");
    ASSERT_TRUE(settle([](Reports& r) { return r.value("open") == "Now Pad" && r.box("nowText"); })) << m_demo->transcript();
    Box text = box("nowText");
    ASSERT_TRUE(m_desktop->clickAt(text.x + 40, text.y + text.height - 10));
    ASSERT_TRUE(m_desktop->key("ctrl+End"));
    std::string file = m_reports->value("nowFile").value_or("");
    ASSERT_FALSE(file.empty());
    std::string before = pageOnDisk(file);
    ASSERT_TRUE(m_desktop->type("--"));
    ASSERT_TRUE(m_desktop->type("done'"));
    ASSERT_TRUE(m_desktop->key("Return"));
    ASSERT_TRUE(m_desktop->type("1. "));
    std::string separator = text::toUtf8(FastTypeTextViewDelegate::separatorLine());
    std::string expected = separator + "\\n\u2714\\n\\t(1)\\t\\n";
    ASSERT_TRUE(settle([&](Reports& r) {
        auto page = r.value("nowPage");
        return page && page->size() >= expected.size() && page->compare(page->size() - expected.size(), expected.size(), expected) == 0;
    })) << m_demo->transcript();
    auto typed = std::chrono::steady_clock::now();
    EXPECT_EQ(pageOnDisk(file), before) << "not written at once";
    ASSERT_TRUE(eventually([&] { return pageOnDisk(file).find("\u2714") != std::string::npos; }, 20)) << "the page was never written";
    double after = std::chrono::duration<double>(std::chrono::steady_clock::now() - typed).count();
    EXPECT_GT(after, 2.0) << "written about five seconds after the first change";
}

TEST_F(MainWindowEndToEnd, OnePadAtATimeAndALogEntryAddedByPlusAndSave)
{
    clickUntilSomethingChanges("selector.0");
    ASSERT_TRUE(settle([](Reports& r) { return r.value("open") == "Now Pad" && r.box("row.1"); })) << m_demo->transcript();
    // The Later pad from the Now pad's row closes the Now pad.
    clickUntilSomethingChanges("row.1");
    ASSERT_TRUE(settle([](Reports& r) { return r.value("open") == "Later Pad"; })) << m_demo->transcript();

    clickUntilSomethingChanges("row.3");
    ASSERT_TRUE(settle([](Reports& r) { return r.value("open") == "Log Book" && r.box("addEntry"); })) << m_demo->transcript();
    clickUntilSomethingChanges("addEntry");
    ASSERT_TRUE(settle([](Reports& r) { return r.box("save").has_value(); })) << m_demo->transcript();
    clickUntilSomethingChanges("save");
    ASSERT_TRUE(settle([](Reports& r) { return r.value("logRows") == "1" && !r.box("save"); })) << m_demo->transcript();
    EXPECT_EQ(m_home.dayFiles().size(), 1u);
}

TEST_F(MainWindowEndToEnd, ADragOnTheTitleStripMovesTheWindowAndThePlaceIsKept)
{
    Box window = box("window");
    Box title = box("titleStrip");
    ASSERT_TRUE(m_desktop->drag(title.x + 20, title.midY(), title.x + 80, title.midY() + 48));
    // Where the window ends up once the drag is over, not where its first step took it.
    ASSERT_TRUE(settle([&](Reports& r) { return r.box("window") && *r.box("window") != window; })) << "the window did not move";
    Box moved = box("window");
    EXPECT_EQ(moved.x - window.x, 60);
    EXPECT_EQ(moved.y - window.y, 48);
    EXPECT_TRUE(eventually([&] { return storedNumber(m_home.settingsFile(), "topLeftX") == double(moved.x); }))
        << "the place was not stored";
}

TEST_F(MainWindowEndToEnd, SigtermInTheMiddleOfTypingLosesNothing)
{
    clickUntilSomethingChanges("selector.0");
    ASSERT_TRUE(settle([](Reports& r) { return r.value("open") == "Now Pad" && r.box("nowText"); })) << m_demo->transcript();
    Box text = box("nowText");
    ASSERT_TRUE(m_desktop->clickAt(text.x + 40, text.y + 20));
    ASSERT_TRUE(m_desktop->key("ctrl+End"));
    std::string file = m_reports->value("nowFile").value_or("");
    ASSERT_TRUE(m_desktop->type(" typed right before the end"));
    ASSERT_TRUE(settle([](Reports& r) {
        auto page = r.value("nowPage");
        return page && page->find("typed right before the end") != std::string::npos;
    })) << m_demo->transcript();
    // Well within the five seconds of the delayed write.
    auto exit = m_demo->stop();
    ASSERT_TRUE(exit);
    EXPECT_TRUE(exit->cleanly()) << exit->describe() << m_demo->transcript();
    EXPECT_NE(pageOnDisk(file).find("typed right before the end"), std::string::npos) << "the last words were lost";
}

}
