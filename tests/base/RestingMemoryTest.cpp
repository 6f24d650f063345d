#include "platform/base/RestingMemory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// What the loader wrote into pages made read-only afterwards (a table of pointers is
// relocated at load) and the program's own constant bytes.
const char* const kRelocated[] = { "first", "second", "third" };
const char kPlain[] = "the program's own read-only bytes";

TEST(RestingMemory, GivingBackShrinksTheResidentSetAndLosesNothing)
{
    // The code that ran the cases so far is resident; only what is read again comes back.
    EXPECT_GT(base::resting::giveBack(), 0u);
    EXPECT_STREQ(kRelocated[1], "second");
    EXPECT_STREQ(kRelocated[2], "third");
    EXPECT_EQ(std::strlen(kPlain), 33u);
    // Library code and data used again afterwards.
    std::string grown(100000, 'x');
    EXPECT_EQ(std::to_string(12345) + grown.substr(0, 2), "12345xx");
    EXPECT_GE(base::resting::giveBack(), 0u);
}

}
