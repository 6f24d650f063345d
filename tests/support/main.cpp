#include "tests/support/TemporaryHome.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

// Every test program starts in a home of its own, in UTC, with the C locale and no display
// unless the test command provided a private one.
int main(int argc, char** argv)
{
    setenv("OSTREL_SOURCE", OSTREL_SOURCE_DIR, 0);
    setenv("OSTREL_RESOURCES", OSTREL_BUILD_RESOURCES, 0);
    setenv("LC_ALL", "C.UTF-8", 1);
    // No test talks to the developer's session bus; without one, libraries that would
    // start a bus through the X display (and leak doing it) give up at once.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/ostrel-test-bus", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    ostrel::test::TemporaryHome home("UTC");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
