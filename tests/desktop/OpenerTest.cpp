#include "platform/desktop/Opener.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Diagnostics.h"
#include "tests/support/TemporaryHome.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

using desktop::Opener;
using Argv = std::vector<std::string>;

namespace {
// Records command lines instead of starting anything, and collects the log lines.
class OpenerTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_previousLauncher = Opener::setLauncher([this](const Argv& argv) {
            launched.push_back(argv);
            return true;
        });
        m_previousSink = base::setDiagnosticSink([this](std::string_view line) { logged.emplace_back(line); });
        std::filesystem::create_directories(home.path() / "System Logs");
        std::ofstream(home.path() / "System Logs" / "System Log Day 2026-01-05 (default).rtfd") << "x";
    }
    void TearDown() override
    {
        Opener::setLauncher(m_previousLauncher);
        base::setDiagnosticSink(m_previousSink);
    }

    ostrel::test::TemporaryHome home;
    std::vector<Argv> launched;
    std::vector<std::string> logged;

private:
    Opener::Launcher m_previousLauncher;
    base::DiagnosticSink m_previousSink;
};
}

TEST_F(OpenerTest, FilesFoldersAndLinksGoToXdgOpenAsOneArgument)
{
    auto folder = home.path() / "System Logs";
    auto file = folder / "System Log Day 2026-01-05 (default).rtfd";
    EXPECT_TRUE(Opener::openFile(file));
    EXPECT_TRUE(Opener::openFolder(folder));
    EXPECT_TRUE(Opener::revealInFolder(file));
    EXPECT_TRUE(Opener::revealInFolder(folder.string() + "/"));
    EXPECT_TRUE(Opener::openLink("https://example.org/help/welcome.html?x=1&y=$(id)"));
    EXPECT_EQ(launched, (std::vector<Argv> {
                            { "xdg-open", file.string() },
                            { "xdg-open", folder.string() },
                            { "xdg-open", folder.string() },
                            { "xdg-open", home.path().string() },
                            { "xdg-open", "https://example.org/help/welcome.html?x=1&y=$(id)" },
                        }));
    EXPECT_TRUE(logged.empty());
}

TEST_F(OpenerTest, RelativeNamesBecomeAbsoluteSoNoneLooksLikeAnOption)
{
    auto saved = std::filesystem::current_path();
    std::filesystem::current_path(home.path() / "System Logs");
    std::ofstream("-h") << "x";
    bool opened = Opener::openFile("-h");
    std::filesystem::current_path(saved);
    EXPECT_TRUE(opened);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0][1], (home.path() / "System Logs" / "-h").string());
}

TEST_F(OpenerTest, MissingItemsAndNonLinksAreRefusedAndLogged)
{
    EXPECT_FALSE(Opener::openFile(home.path() / "nothing.csv"));
    EXPECT_FALSE(Opener::openFile(home.path() / "System Logs")) << "a folder is not a file";
    EXPECT_FALSE(Opener::openFolder(home.path() / "System Logs" / "System Log Day 2026-01-05 (default).rtfd"));
    EXPECT_FALSE(Opener::revealInFolder(home.path() / "gone"));
    EXPECT_FALSE(Opener::openFile(""));
    for (const char* text : { "", "example.org", "-help", "://x", "https:", "http://a b", "http://a\nb", "1http://x" })
        EXPECT_FALSE(Opener::openLink(text)) << text;
    EXPECT_TRUE(launched.empty());
    EXPECT_EQ(logged.size(), 13u);
    EXPECT_EQ(logged[0], "cannot open file \"" + (home.path() / "nothing.csv").string() + "\": it does not exist");
    EXPECT_TRUE(Opener::isLink("ostrel2things:ABC-123"));
}

TEST_F(OpenerTest, AClickOpensWebAndMailLinksAndAsksFirstForAnythingElseShowingWhereItLeads)
{
    // What a day file from another computer may carry.
    auto applications = home.path() / "applications";
    std::filesystem::create_directories(applications);
    std::ofstream(applications / "evil.desktop") << "[Desktop Entry]\nExec=rm -rf ~\n";
    std::filesystem::create_symlink(applications / "evil.desktop", home.path() / "Notes.txt");
    std::vector<base::AlertRequest> asked;
    int answer = 0;
    auto previousPresenter = base::AlertPresenter::install([&](const base::AlertRequest& alert) {
        asked.push_back(alert);
        return base::AlertAnswer { answer, false };
    });
    for (const char* web : { "https://example.org/a", "HTTP://example.org/", "mailto:me@example.org" })
        EXPECT_TRUE(Opener::openLinkOnClick(web)) << web;
    EXPECT_TRUE(asked.empty()) << "web and mail links open on one click";
    ASSERT_EQ(launched.size(), 3u);

    std::string disguised = "file://" + home.path().string() + "/Notes%2Etxt";
    for (const std::string& other : { disguised, std::string("x-evil-scheme://run?x=1"), std::string("ostrel2things:ABC") })
        EXPECT_FALSE(Opener::openLinkOnClick(other)) << other << " opened unasked";
    EXPECT_EQ(launched.size(), 3u) << "Cancel, the default, opens nothing";
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].buttonTitles()[asked[0].escapeButtonIndex()], "Cancel");
    EXPECT_EQ(asked[0].buttonTitles()[0], "Cancel") << "Return opens nothing";
    EXPECT_NE(asked[0].informativeText.find((applications / "evil.desktop").string()), std::string::npos)
        << "the real target, past the link and the escapes: " << asked[0].informativeText;
    EXPECT_NE(asked[1].informativeText.find("x-evil-scheme://run?x=1"), std::string::npos);

    answer = 1;
    EXPECT_TRUE(Opener::openLinkOnClick("x-evil-scheme://run?x=1"));
    EXPECT_EQ(launched.back(), (Argv { "xdg-open", "x-evil-scheme://run?x=1" }));
    base::AlertPresenter::install(previousPresenter);
}

namespace {
// Waits (without sleeping) for a line to reach the diagnostic sink from the reaping thread.
class LineWaiter {
public:
    LineWaiter()
    {
        m_previous = base::setDiagnosticSink([this](std::string_view line) {
            std::lock_guard lock(m_mutex);
            m_lines.emplace_back(line);
            m_arrived.notify_all();
        });
    }
    ~LineWaiter() { base::setDiagnosticSink(m_previous); }
    std::vector<std::string> waitFor(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        m_arrived.wait_for(lock, std::chrono::seconds(30), [&] { return m_lines.size() >= count; });
        return m_lines;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<std::string> m_lines;
    base::DiagnosticSink m_previous;
};
}

TEST(OpenerSpawn, RunsXdgOpenFromPathWithoutAShellAndLogsItsFailure)
{
    ostrel::test::TemporaryHome home;
    auto bin = home.path() / "bin";
    std::filesystem::create_directories(bin);
    auto received = home.path() / "received.txt";
    {
        std::ofstream script(bin / "xdg-open");
        script << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" << received.string() << "'\nexit 4\n";
    }
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin.string() + ":" + savedPath).c_str(), 1);

    std::vector<std::string> lines;
    {
        LineWaiter waiter;
        ASSERT_TRUE(Opener::openLink("https://example.org/a;touch${IFS}pwned"));
        lines = waiter.waitFor(1);
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\"xdg-open https://example.org/a;touch${IFS}pwned\" failed with status 4");
    std::ifstream in(received);
    std::string count, argument;
    std::getline(in, count);
    std::getline(in, argument);
    EXPECT_EQ(count, "1");
    EXPECT_EQ(argument, "https://example.org/a;touch${IFS}pwned");

    setenv("PATH", home.path().c_str(), 1); // a desktop without xdg-utils
    {
        LineWaiter waiter;
        EXPECT_FALSE(Opener::openLink("https://example.org"));
        EXPECT_EQ(waiter.waitFor(1), (std::vector<std::string> { "could not run xdg-open: No such file or directory" }));
    }
    setenv("PATH", savedPath.c_str(), 1);
}

TEST(OpenerSpawn, TheOpenedApplicationInheritsNoneOfOurFiles)
{
    ostrel::test::TemporaryHome home;
    auto bin = home.path() / "bin";
    std::filesystem::create_directories(bin);
    // As a library might leave one: opened without close-on-exec.
    int opened = open("/dev/null", O_RDONLY);
    int leaky = fcntl(opened, F_DUPFD, 57);
    close(opened);
    ASSERT_GE(leaky, 57);
    {
        std::ofstream script(bin / "xdg-open");
        script << "#!/bin/sh\n[ -e /proc/$$/fd/" << leaky << " ] && exit 4\nexit 5\n";
    }
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin.string() + ":" + savedPath).c_str(), 1);
    std::vector<std::string> lines;
    {
        LineWaiter waiter;
        ASSERT_TRUE(Opener::openLink("https://example.org"));
        lines = waiter.waitFor(1);
    }
    setenv("PATH", savedPath.c_str(), 1);
    close(leaky);
    EXPECT_EQ(lines, (std::vector<std::string> { "\"xdg-open https://example.org\" failed with status 5" }));
}
