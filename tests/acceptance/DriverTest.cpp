// The driver itself: a program seen ending takes the helpers it started with it, and a
// program collected is never signalled again (its number may be anyone's by then); one that
// ended has nothing left to do, whether collected yet or not; one still at work at the
// deadline of its end or of a line it is to say is waited for, one asleep is not, nor one
// whose display still works.
#include "tests/acceptance/driver/Eventually.h"
#include "tests/acceptance/driver/Home.h"
#include "tests/acceptance/driver/Program.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>

namespace ostrel::acceptance {

namespace {

// Running, not merely waiting to be collected by whoever took it over.
bool alive(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

// A shell script in the program's place, bash's where it counts SECONDS.
std::unique_ptr<Program> startScript(const Home& home, const std::string& script, const char* shell = "/bin/sh")
{
    Launch launch;
    launch.program = shell;
    launch.arguments = { "-c", script };
    return Program::start(home, launch);
}

}

TEST(Driver, AProgramSeenEndingTakesItsHelpersAlongAndIsNotSignalledAgain)
{
    Home home;
    auto program = startScript(home, "sleep 60 & echo helper $!; exit 3");
    ASSERT_TRUE(program);
    auto line = program->waitForLine("helper ", 10);
    ASSERT_TRUE(line);
    pid_t helper = std::stoi(line->text.substr(7));
    auto exit = program->waitForExit(10);
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 3);
    // Gone with it at once, not only when the driver lets go of the program.
    EXPECT_TRUE(eventually([&] { return !alive(helper); }, 2)) << "the helper outlived the program it was started by";
    EXPECT_EQ(program->stop(1), exit) << "stopping an ended program only tells how it ended";
}

TEST(Driver, AProgramThatEndedIsIdleBeforeAndAfterItIsCollected)
{
    Home home;
    auto program = startScript(home, "echo ending; exit 0");
    ASSERT_TRUE(program);
    ASSERT_TRUE(program->waitForLine("ending", 10));
    // Waiting to be collected: a road waiting for it to sleep would wait for ever.
    ASSERT_TRUE(eventually([&] { return !alive(program->pid()); }, 10));
    EXPECT_TRUE(program->idle()) << "a program that ended, not yet collected, still seems busy";
    ASSERT_TRUE(program->waitForExit(10));
    EXPECT_TRUE(program->idle());
}

TEST(Driver, WorkGoingOnPastADeadlineIsWaitedForAndSleepIsNot)
{
    Home home;
    // Three seconds of work on its way out, as a leak check on a loaded machine.
    auto ending = startScript(home, "echo ending; while (( SECONDS < 3 )); do :; done; exit 0", "/bin/bash");
    ASSERT_TRUE(ending);
    ASSERT_TRUE(ending->waitForLine("ending", 10));
    auto ended = ending->waitForEnd(1);
    ASSERT_TRUE(ended) << "an ending still at work was given up at its deadline";
    EXPECT_TRUE(ended->cleanly());

    auto stuck = startScript(home, "echo waiting; sleep 30");
    ASSERT_TRUE(stuck);
    ASSERT_TRUE(stuck->waitForLine("waiting", 10));
    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(stuck->waitForEnd(1)) << "a program asleep ended by itself";
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << "a program asleep was waited for as if ending";
    started = std::chrono::steady_clock::now();
    EXPECT_FALSE(stuck->waitForLine("loaded", 1)) << "a program asleep said what it never said";
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << "a program asleep was waited for as if at work";

    // Three seconds of work before it says it has loaded, as a start on a loaded machine.
    auto loading = startScript(home, "echo starting; while (( SECONDS < 3 )); do :; done; echo loaded; sleep 30", "/bin/bash");
    ASSERT_TRUE(loading);
    ASSERT_TRUE(loading->waitForLine("starting", 10));
    EXPECT_TRUE(loading->waitForLine("loaded", 1)) << "a program still at work was given up at the deadline";

    // Asleep itself while the one it waits on works, as the program while its display draws.
    auto server = startScript(home, "echo serving; while (( SECONDS < 5 )); do :; done; sleep 30", "/bin/bash");
    ASSERT_TRUE(server);
    ASSERT_TRUE(server->waitForLine("serving", 10));
    Launch waiting;
    waiting.program = "/bin/sh";
    waiting.arguments = { "-c", "echo starting; sleep 3; echo drawn; sleep 30" };
    waiting.waitsOn = { server->pid() };
    auto client = Program::start(home, waiting);
    ASSERT_TRUE(client);
    ASSERT_TRUE(client->waitForLine("starting", 10));
    EXPECT_FALSE(client->idle()) << "a program whose display is at work seemed to have nothing to do";
    EXPECT_TRUE(client->waitForLine("drawn", 1))
        << "a program waiting on work under way was given up at the deadline";
}

}
