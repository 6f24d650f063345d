#include "platform/base/Diagnostics.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(Diagnostics, SinkReceivesLinesAndRestores)
{
    std::vector<std::string> lines;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
    base::diagnostic("first");
    base::diagnostic("second");
    base::setDiagnosticSink(previous);
    base::diagnostic("to stderr");
    EXPECT_EQ(lines, (std::vector<std::string> { "first", "second" }));
}

TEST(DiagnosticsDeathTest, FatalStopsWithMessage)
{
    EXPECT_DEATH(base::fatal("transition without target"), "fatal: transition without target");
}
