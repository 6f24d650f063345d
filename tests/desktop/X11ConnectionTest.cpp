// GoogleTest first: Xlib defines None, Bool and Status as macros.
#include <gtest/gtest.h>

#include "platform/desktop/X11Connection.h"
#include "tests/desktop/DesktopTesting.h"

#include <X11/Xlib.h>
#include <cstdlib>

TEST(X11ConnectionTest, XErrorsAreCaughtOrLoggedButNeverEndTheProgram)
{
    auto connection = desktop::X11Connection::open();
    if (!connection)
        GTEST_SKIP() << "no X display";
    constexpr Window kNoSuchWindow = 0x7ffffff0;
    EXPECT_EQ(connection->checked([&] { XMapWindow(connection->display(), kNoSuchWindow); }), BadWindow);
    EXPECT_EQ(connection->checked([] { }), 0);

    desktop::test::LogLines log;
    XMapWindow(connection->display(), kNoSuchWindow);
    XSync(connection->display(), False);
    EXPECT_TRUE(log.contains("X error: BadWindow"));
    EXPECT_TRUE(connection->isAlive());
}

TEST(X11ConnectionTest, WithoutADisplayThereIsNoConnection)
{
    desktop::test::LogLines log;
    EXPECT_EQ(desktop::X11Connection::open(":999"), nullptr);
    EXPECT_EQ(log.lines, std::vector<std::string> { "cannot open X display \":999\"" });
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(desktop::X11Connection::open(), nullptr);
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
}
