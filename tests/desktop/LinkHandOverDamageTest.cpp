#include "tests/desktop/fuzz/LinkHandOverCheck.h"
#include "tests/support/Mutations.h"

#include <gtest/gtest.h>

// The fuzz target's check, on a bounded number of damaged copies of its seeds, through a
// real socket in the test's own runtime folder.
TEST(LinkHandOverDamage, RandomMutationsArriveWhenCleanAndAreDroppedOtherwise)
{
    ostrel::test::LinkHandOverProbe probe;
    ASSERT_TRUE(probe.listening());
    auto samples = ostrel::test::Mutations::seeds("tests/desktop/fuzz/seeds/fuzz_link_hand_over");
    ASSERT_FALSE(samples.empty());
    // The front request is a word of the hand-over itself: it must be answered, never lost.
    for (std::string_view word : { desktop::UrlScheme::kBringToFrontRequest, std::string_view("fron"), std::string_view("front ") }) {
        auto problem = probe.problem(word);
        ASSERT_FALSE(problem) << *problem << " in: " << word;
    }
    const std::string overLong(desktop::UrlScheme::kMaxLength, 'x');
    ostrel::test::Mutations mutations(20261210, { "ostrel2things:", "\xC2\x85", "\xED\xA0\x80", "\xF4\x90\x80\x80",
        "\xC0\x80", "\x7F", "\n", std::string_view("\0", 1), overLong });
    for (int round = 0; round < 300; ++round) {
        std::string data = mutations.of(samples[std::size_t(round) % samples.size()]);
        auto problem = probe.problem(data);
        ASSERT_FALSE(problem) << *problem << " in:\n" << data;
    }
    base::RunLoop::main().discardAll();
}
