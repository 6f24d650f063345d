#include "tests/command/fuzz/ObjectiveCheck.h"
#include "tests/support/Mutations.h"

#include "platform/base/Diagnostics.h"

#include <gtest/gtest.h>

// The fuzz target's check, on a bounded number of damaged copies of its seeds.
TEST(ObjectiveDamage, RandomMutationsTakeOutExactlyWhatTheyReportAndStoreTheRest)
{
    auto previous = base::setDiagnosticSink([](std::string_view) {});
    auto samples = ostrel::test::Mutations::seeds("tests/command/fuzz/seeds/fuzz_objective_parser");
    ASSERT_FALSE(samples.empty());
    ostrel::test::Mutations mutations(20261211, { "@", " @", ",@x", " 5 min", "minutes", "m", "\n", "\r", "\\par ",
        "\\u55296?", "{", "}", "99999999999999999999", "\xFF" });
    for (int round = 0; round < 1000; ++round) {
        std::string data = mutations.of(samples[std::size_t(round) % samples.size()]);
        auto problem = ostrel::test::objectiveProblem(data);
        ASSERT_FALSE(problem) << *problem << " in:\n" << data;
    }
    base::setDiagnosticSink(previous);
}
