#include "core/EndOfLifeBag.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(EndOfLifeBag, RunsEveryClosureOnceInOrderAfterItsLine)
{
    testing::internal::CaptureStdout();
    {
        EndOfLifeBag bag;
        auto first = [] { std::fputs("first\n", stdout); };
        bag.add(first);
        bag.add([] { std::fputs("second\n", stdout); });
        bag.add(first);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\"disposing of end of life bag\"\nfirst\nsecond\nfirst\n");
}

TEST(EndOfLifeBag, EmptyBagOnlyPrintsItsLine)
{
    testing::internal::CaptureStdout();
    {
        EndOfLifeBag bag;
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\"disposing of end of life bag\"\n");
}

TEST(EndOfLifeBag, KeepsWhatItWasGivenUntilItGoes)
{
    auto token = std::make_shared<int>(7);
    std::weak_ptr<int> watch = token;
    {
        EndOfLifeBag bag;
        bag.add(std::move(token));
        EXPECT_FALSE(watch.expired());
    }
    EXPECT_TRUE(watch.expired());
}

}
}
