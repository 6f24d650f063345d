// A user nobody could script: seeded random clicks, drags, wheel turns, key presses (alone
// and with Ctrl, Shift and Alt), window resizes and maximizing, on the main window with a
// year of logs and three pad pages, for two minutes, under a window manager when there is
// one. It passes when the program is still up at the end, ends cleanly on SIGTERM and the
// sanitizers said nothing. Each run prints its seed (OSTREL_ROAD_SEED runs one again); a
// seed that failed once is replayed as a case of its own.
//
// A user may well quit or hide the program on the way: a program that quit cleanly is started
// again, a hidden one brought back by its hot key; only a crash, a hang or a sanitizer's
// report fails the road.
#include "MainWindowHome.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>

namespace ostrel::acceptance {

namespace {

namespace fs = std::filesystem;

constexpr double kSeconds = 120;

// Keys as xdotool names them.
const char* const kKeys[] = { "a", "b", "x", "1", "minus", "apostrophe", "space", "Return", "BackSpace", "Delete", "Tab",
    "Escape", "Home", "End", "Prior", "Next", "Left", "Right", "Up", "Down", "period", "asterisk", "plus", "z", "u", "i",
    "c", "v", "q", "F4" };
const char* const kModifiers[] = { "", "", "", "ctrl+", "shift+", "alt+", "ctrl+shift+" };
const char* const kTyped[] = { "done'", "--", "\n* ", "Call the bank--", "1. ", "word ", "\u00e9t\u00e9 \U0001F600" };
const std::string kMainWindow = "^Ostrel$";

class RandomInput : public MainWindowHome {
protected:
    // Drives the program for `seconds` from a seed; a message when something went wrong.
    std::string drive(std::uint32_t seed, double seconds, const fs::path& programPath = {})
    {
        std::printf("random-input road seed: %u (OSTREL_ROAD_SEED=%u runs it again)\n", seed, seed);
        std::fflush(stdout);
        RecordProperty("seed", std::to_string(seed));
        // Ctrl+Shift+Alt+O brings the program back when the road hid it.
        furnish({ { "bringToFrontKeyCombo", "{\"carbonKeyCode\":31,\"carbonModifiers\":2816}" } });
        underAWindowManager();
        Launch launch;
        launch.program = programPath;
        if (programPath == MAINWINDOW_DEMO)
            launch.arguments = { "--pad", "logbook" };
        Program* program = &start(launch);
        auto shown = window(kMainWindow, 60);
        if (!shown)
            return "the main window never showed";
        std::mt19937 random(seed);
        auto pick = [&](int below) { return int(random() % unsigned(std::max(1, below))); };
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        Box frame = desktop().frame(*shown).value_or(Box { 0, 0, 800, 400 });
        int actions = 0;
        int starts = 1;
        while (std::chrono::steady_clock::now() < deadline) {
            if (++actions % 10 == 0) {
                if (!program->running()) {
                    auto ended = *program->exit();
                    if (!ended.cleanly())
                        return "the program ended in the middle with " + ended.describe() + ", after " + std::to_string(actions) + " actions";
                    if (auto report = sanitizerReport(*program))
                        return *report;
                    // Quit as a user may: started again.
                    program = &start(launch);
                    ++starts;
                }
                auto now = desktop().shownWindows(kMainWindow);
                if (now.empty()) {
                    // Hidden (its Hide button, a menu) or not yet back: its hot key, as a user would.
                    desktop().key("ctrl+shift+alt+o");
                    if (auto back = window(kMainWindow, 10))
                        shown = back;
                } else {
                    shown = now.front();
                }
                if (auto place = desktop().frame(*shown))
                    frame = *place;
            }
            int x = frame.x + pick(std::max(1, frame.width));
            int y = frame.y + pick(std::max(1, frame.height));
            int kind = pick(100);
            if (kind < 30) {
                desktop().clickAt(x, y);
            } else if (kind < 40) {
                desktop().drag(x, y, frame.x + pick(frame.width), frame.y + pick(frame.height), 1 + pick(5));
            } else if (kind < 55) {
                desktop().wheel(x, y, pick(2) ? 1 + pick(6) : -(1 + pick(6)));
            } else if (kind < 80) {
                desktop().key(std::string(kModifiers[pick(int(std::size(kModifiers)))]) + kKeys[pick(int(std::size(kKeys)))]);
            } else if (kind < 92) {
                desktop().type(kTyped[pick(int(std::size(kTyped)))]);
            } else if (kind < 97) {
                desktop().resize(*shown, 300 + pick(1100), 200 + pick(650));
            } else {
                desktop().maximize(*shown);
            }
        }
        shot("after driving");
        std::printf("random-input road: %d actions, %d start(s) of the program\n", actions, starts);
        if (!program->running()) {
            auto ended = *program->exit();
            if (!ended.cleanly())
                return "the program ended in the middle with " + ended.describe();
            // Quit by the user among the last few actions, before it could be started again.
            return sanitizerReport(*program).value_or("");
        }
        auto exit = program->stop(20);
        if (!exit)
            return "the program was still running 20 s after SIGTERM";
        if (!exit->cleanly())
            return "SIGTERM ended the program with " + exit->describe();
        return sanitizerReport(*program).value_or("");
    }
};

std::uint32_t seedOfThisRun()
{
    if (const char* given = std::getenv("OSTREL_ROAD_SEED"); given && *given)
        return std::uint32_t(std::strtoul(given, nullptr, 10));
    return std::random_device {}();
}

}

TEST_F(RandomInput, TwoMinutesOfAnyInputLeaveTheProgramUpAndItEndsCleanly)
{
    std::uint32_t seed = seedOfThisRun();
    std::string failure = drive(seed, kSeconds);
    EXPECT_TRUE(failure.empty()) << failure << " (seed " << seed << ")";
}

// Seeds that once found a fault, each driven again as it was, on the program it was found in.
struct FoundFault {
    std::uint32_t seed;
    const char* program;
};

// Named by its seed in the test list.
void PrintTo(const FoundFault& fault, std::ostream* out) { *out << fault.seed; }

class RandomInputReplay : public RandomInput, public testing::WithParamInterface<FoundFault> { };

TEST_P(RandomInputReplay, AFaultFoundOnceStaysMended)
{
    std::string failure = drive(GetParam().seed, kSeconds, GetParam().program);
    EXPECT_TRUE(failure.empty()) << failure << " (seed " << GetParam().seed << ")";
}

// 3613441524, on the main window's demo before the program showed its own: the layout pass
// used a row the log book's table had let go of (the window resized with rows scrolled out
// of sight).
// 2, on the program itself: a note window the window manager kept minimized was shown again
// by its animation, and SDL's wait for the display to map it never ended.
INSTANTIATE_TEST_SUITE_P(Seeds, RandomInputReplay,
    testing::Values(FoundFault { 3613441524, MAINWINDOW_DEMO }, FoundFault { 2, "" }),
    [](const testing::TestParamInfo<FoundFault>& info) { return std::to_string(info.param.seed); });

}
