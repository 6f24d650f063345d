#include "platform/base/Responder.h"

#include "platform/base/Diagnostics.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> g_performed;

class Screen : public base::Responder {
public:
    void abort(const base::Sender&) { g_performed.push_back("Screen abort"); }
    const base::ActionTable& actionTable() const override
    {
        static const auto table = base::ActionTable::of<Screen>({ { "stopTimeSlice:", &Screen::abort } });
        return table;
    }
};

class DefineScreen : public Screen {
public:
    void start(const base::Sender& sender)
    {
        g_performed.push_back("Define start from " + std::any_cast<std::string>(sender));
    }
    const base::ActionTable& actionTable() const override
    {
        static const auto table = base::ActionTable::of<DefineScreen>(
            { { "startTimeSlice:", &DefineScreen::start } }, &Screen::actionTable());
        return table;
    }
};
}

class ResponderTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_performed.clear();
        machine.setNextResponder(&screen);
    }
    base::Responder machine; // implements nothing itself, like the state machine
    DefineScreen screen;
};

TEST_F(ResponderTest, ActionTravelsTheChainToTheScreenThatImplementsIt)
{
    EXPECT_FALSE(machine.respondsTo("startTimeSlice:"));
    EXPECT_TRUE(screen.respondsTo("startTimeSlice:"));
    EXPECT_TRUE(machine.tryToPerform("startTimeSlice:", std::string("hot key")));
    EXPECT_EQ(g_performed, (std::vector<std::string> { "Define start from hot key" }));
}

TEST_F(ResponderTest, SubclassPerformsWhatItsBaseImplements)
{
    EXPECT_TRUE(screen.respondsTo("stopTimeSlice:"));
    EXPECT_TRUE(machine.tryToPerform("stopTimeSlice:"));
    EXPECT_EQ(g_performed, (std::vector<std::string> { "Screen abort" }));
}

TEST_F(ResponderTest, UnimplementedActionIsPassedOnAndReportedUnhandled)
{
    EXPECT_FALSE(machine.tryToPerform("pauseOrResumeTimeSlice:"));
    machine.setNextResponder(nullptr);
    EXPECT_FALSE(machine.tryToPerform("startTimeSlice:"));
    EXPECT_TRUE(g_performed.empty());
}

TEST_F(ResponderTest, ChainWiredIntoALoopEndsWithALogLine)
{
    screen.setNextResponder(&machine);
    std::vector<std::string> lines;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_FALSE(machine.tryToPerform("startTimedBreak:"));
    base::setDiagnosticSink(previous);
    EXPECT_EQ(lines, (std::vector<std::string> { "responder chain loops; dropped action startTimedBreak:" }));
}
