#include "tests/log/fuzz/PlainDayFileCheck.h"
#include "tests/support/Mutations.h"

#include "platform/base/Diagnostics.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

// The fuzz target's check, on a bounded number of damaged copies of its seeds.
TEST(PlainDayFileDamage, RandomMutationsReadAlikeInBothReaders)
{
    auto previous = base::setDiagnosticSink([](std::string_view) {});
    auto samples = ostrel::test::Mutations::seeds("tests/log/fuzz/seeds/fuzz_plain_day_file");
    ASSERT_FALSE(samples.empty());
    std::filesystem::path file = std::filesystem::path(std::getenv("HOME")) / "System Log 2009-05-06 (0-1-2-3).txt";
    ostrel::test::Mutations mutations(20261209, { "#TimeSlice\n", "#objective\n", "#startDate\n", "#tags\n",
        "#actualDuration\n", "\r\n", "\r", "\xE2\x80\xA8", "\xC2\x85", "\xFF\xFE", "\xEF\xBB\xBF", "99999999999999999999", "\xFF" });
    for (int round = 0; round < 500; ++round) {
        std::string data = mutations.of(samples[std::size_t(round) % samples.size()]);
        auto problem = ostrel::test::plainDayFileProblem(data, file);
        ASSERT_FALSE(problem) << *problem << " in:\n" << data;
    }
    base::setDiagnosticSink(previous);
}
