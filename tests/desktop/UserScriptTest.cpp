#include "platform/desktop/UserScript.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/base/VirtualTime.h"
#include "tests/support/TemporaryHome.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace desktop {
namespace {

class UserScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousSink = base::setDiagnosticSink([this](std::string_view line) { m_log.emplace_back(line); });
    }
    void TearDown() override
    {
        UserScript::waitForAll();
        base::RunLoop::main().discardAll();
        base::setDiagnosticSink(m_previousSink);
    }

    std::filesystem::path script(const std::string& name, const std::string& body, bool executable = true)
    {
        auto path = m_home.path() / name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        chmod(path.c_str(), executable ? 0755 : 0644);
        return path;
    }

    static std::string contents(const std::filesystem::path& path)
    {
        std::stringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }

    // The script runs on its own; we only learn that it has got going from what it writes.
    static bool appeared(const std::filesystem::path& path)
    {
        for (int i = 0; i < 5000 && contents(path).empty(); ++i)
            usleep(1000);
        return !contents(path).empty();
    }

    bool logged(const std::string& part) const
    {
        for (auto& line : m_log) {
            if (line.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

    ostrel::test::TemporaryHome m_home;
    base::VirtualTime m_time;
    std::vector<std::string> m_log;
    base::DiagnosticSink m_previousSink;
};

TEST_F(UserScriptTest, ArgumentsArriveAsArgvWithoutAShellReadingThem)
{
    auto out = m_home.path() / "argv.txt";
    auto file = script("handler", "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > '" + out.string() + "'\n");
    std::string objective = "Fix $HOME; `rm -rf x` \"quoted\" & 'more' | cat";
    ASSERT_TRUE(UserScript::run(file, { "time_slice_in_progress", objective, "300" }));
    UserScript::waitForAll();
    EXPECT_EQ(contents(out), "[time_slice_in_progress]\n[" + objective + "]\n[300]\n");
    EXPECT_TRUE(m_log.empty());
}

TEST_F(UserScriptTest, TheScriptInheritsNoneOfOurFilesBeyondTheStandardThree)
{
    // As a library might leave one: opened without close-on-exec.
    int opened = open("/dev/null", O_RDONLY);
    int leaky = fcntl(opened, F_DUPFD, 57);
    close(opened);
    ASSERT_GE(leaky, 57);
    auto out = m_home.path() / "fds.txt";
    auto file = script("fds", "if [ -e /proc/$$/fd/" + std::to_string(leaky) + " ]; then echo open; else echo closed; fi > '"
            + out.string() + "'\n");
    ASSERT_TRUE(UserScript::run(file, {}));
    UserScript::waitForAll();
    close(leaky);
    EXPECT_EQ(contents(out), "closed\n");
}

TEST_F(UserScriptTest, RunsDoNotWaitAndSeveralMayBeInFlight)
{
    auto file = script("slow", "exec sleep 30\n");
    ASSERT_TRUE(UserScript::run(file, { "a" }));
    ASSERT_TRUE(UserScript::run(file, { "b" }));
    EXPECT_EQ(UserScript::runningCount(), 2u);
    base::RunLoop::main().runUntil(base::Time::now() + UserScript::kTimeLimit + 1);
    UserScript::waitForAll();
    EXPECT_EQ(UserScript::runningCount(), 0u);
}

TEST_F(UserScriptTest, AHungScriptAndWhatItStartedAreKilledAfterTenSeconds)
{
    auto marker = m_home.path() / "child.pid";
    auto file = script("hung", "sleep 1000 &\necho $! > '" + marker.string() + "'\nwait\n");
    double start = base::Time::now();
    ASSERT_TRUE(UserScript::run(file, { "timed_break_in_progress", "text", "5" }));
    ASSERT_TRUE(appeared(marker));
    base::RunLoop::main().runUntil(start + UserScript::kTimeLimit - 0.5);
    EXPECT_EQ(UserScript::runningCount(), 1u);
    EXPECT_FALSE(logged("was stopped"));

    base::RunLoop::main().runUntil(start + UserScript::kTimeLimit + 0.5);
    UserScript::waitForAll();
    EXPECT_TRUE(logged("User script hung did not end within 10 seconds and was stopped"));
    // The grandchild went with its group (a zombie at most, until init reaps it).
    pid_t child = std::stoi(contents(marker));
    std::string state;
    for (int i = 0; i < 2000; ++i) {
        std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
        std::string pid, name;
        state.clear();
        if (!(stat >> pid >> name >> state) || state == "Z")
            break;
        usleep(1000);
    }
    EXPECT_TRUE(state.empty() || state == "Z") << state;
}

TEST_F(UserScriptTest, AScriptThatEndsInTimeIsNotKilledLater)
{
    auto file = script("quick", "exit 0\n");
    ASSERT_TRUE(UserScript::run(file, {}));
    UserScript::waitForAll();
    base::RunLoop::main().runUntil(base::Time::now() + 20);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(UserScriptTest, FailuresAreLoggedAndAMissingScriptIsQuiet)
{
    EXPECT_FALSE(UserScript::run(m_home.path() / "absent", { "x" }));
    EXPECT_TRUE(m_log.empty());

    EXPECT_FALSE(UserScript::run(script("plain", "exit 0\n", false), { "x" }));
    EXPECT_TRUE(logged("User script " + (m_home.path() / "plain").string() + " cannot be run"));

    ASSERT_TRUE(UserScript::run(script("failing", "exit 3\n"), { "x" }));
    UserScript::waitForAll();
    EXPECT_TRUE(logged("User script failing failed with status 3"));

    ASSERT_TRUE(UserScript::run(script("crashing", "kill -SEGV $$\n"), { "x" }));
    UserScript::waitForAll();
    EXPECT_TRUE(logged("User script crashing ended by signal 11"));
}

}
}
