#include "tests/support/TemporaryHome.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

// Every test program starts in a home of its own, in UTC, with the C locale and no display
// unless the test command provided a private one.
int main(int argc, char** argv)
{
    setenv("LC_ALL", "C.UTF-8", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    ostrel::test::TemporaryHome home("UTC");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
