// GoogleTest first: Xlib defines None, Bool and Status as macros.
#include <gtest/gtest.h>

#include "platform/desktop/FrontApplication.h"
#include "platform/desktop/X11Connection.h"
#include "tests/desktop/DesktopTesting.h"
#include "tests/desktop/PrivateDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

using desktop::FrontApplication;
using desktop::X11Connection;

namespace {
void setWindowProperty(Display* display, Window window, const char* name, Atom type, unsigned long value)
{
    long item = long(value);
    XChangeProperty(display, window, XInternAtom(display, name, False), type, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&item), 1);
}

Window makeWindow(Display* display, bool mapped = false)
{
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 100, 80, 0, 0, 0);
    if (mapped)
        XMapWindow(display, window);
    XSync(display, False);
    return window;
}

unsigned long clientCount(Display* display, Window root)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, root, XInternAtom(display, "_NET_CLIENT_LIST", False), 0, 64, False, XA_WINDOW, &type,
        &format, &count, &remaining, &data);
    if (data)
        XFree(data);
    return count;
}

// Wakes the run loop whenever a property of the root window changes, so that a test can
// wait for the window manager's answer.
void watchRoot(X11Connection& connection)
{
    XSelectInput(connection.display(), connection.rootWindow(), PropertyChangeMask);
    XSync(connection.display(), False);
}
}

// Each case on an X server of its own, with a connection to it.
class FrontApplicationTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (server.name().empty())
            GTEST_SKIP() << "Xvfb is not installed";
        connection = X11Connection::open(server.name());
        ASSERT_TRUE(connection);
    }
    void TearDown() override { base::RunLoop::main().discardAll(); }

    desktop::test::PrivateDisplay server;
    std::shared_ptr<X11Connection> connection;
};

TEST_F(FrontApplicationTest, WithoutAWindowManagerThereIsNoFrontWindow)
{
    auto front = FrontApplication::createForDisplay(connection);
    Window window = makeWindow(connection->display(), true);
    EXPECT_EQ(front->activeWindow(), std::nullopt);
    EXPECT_FALSE(front->activate(window));

    // A window manager that went away leaves its properties behind, naming a window that
    // no longer exists.
    Display* display = connection->display();
    Window check = makeWindow(display);
    setWindowProperty(display, connection->rootWindow(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, check);
    setWindowProperty(display, connection->rootWindow(), "_NET_ACTIVE_WINDOW", XA_WINDOW, window);
    XDestroyWindow(display, check);
    XSync(display, False);
    EXPECT_EQ(front->activeWindow(), std::nullopt);
    EXPECT_FALSE(front->activate(window));

    EXPECT_EQ(FrontApplication::createForDisplay(nullptr)->activeWindow(), std::nullopt);
}

TEST_F(FrontApplicationTest, TheActiveWindowIsReadAndAskedForAsAPagerWould)
{
    Display* display = connection->display();
    Window root = connection->rootWindow();

    // Plays the window manager: names itself, keeps the active window, takes the requests.
    auto manager = X11Connection::open(server.name());
    ASSERT_TRUE(manager);
    Window check = makeWindow(manager->display());
    setWindowProperty(manager->display(), check, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, check);
    setWindowProperty(manager->display(), manager->rootWindow(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, check);
    XSelectInput(manager->display(), manager->rootWindow(), SubstructureRedirectMask);
    std::vector<XClientMessageEvent> requests;
    manager->addEventHandler([&](const XEvent& event) {
        if (event.type == ClientMessage)
            requests.push_back(event.xclient);
    });
    XSync(manager->display(), False);

    Window theirs = makeWindow(display);
    Window ours = makeWindow(display);
    setWindowProperty(display, theirs, "_NET_WM_PID", XA_CARDINAL, 1);
    setWindowProperty(display, ours, "_NET_WM_PID", XA_CARDINAL, getpid());
    auto front = FrontApplication::createForDisplay(connection);
    EXPECT_EQ(front->activeWindow(), std::nullopt) << "nothing is active yet";

    setWindowProperty(display, root, "_NET_ACTIVE_WINDOW", XA_WINDOW, theirs);
    EXPECT_EQ(front->activeWindow(), theirs);
    EXPECT_EQ(front->activeWindowOfAnotherProgram(), theirs);
    setWindowProperty(display, root, "_NET_ACTIVE_WINDOW", XA_WINDOW, ours);
    EXPECT_EQ(front->activeWindow(), ours);
    EXPECT_EQ(front->activeWindowOfAnotherProgram(), std::nullopt);

    EXPECT_TRUE(front->activate(theirs));
    ASSERT_TRUE(desktop::test::runLoopUntil([&] { return !requests.empty(); }));
    EXPECT_EQ(requests[0].window, theirs);
    EXPECT_EQ(requests[0].message_type, XInternAtom(display, "_NET_ACTIVE_WINDOW", False));
    EXPECT_EQ(requests[0].data.l[0], 2) << "as a pager, so that focus-stealing rules let it through";

    XDestroyWindow(display, theirs);
    XSync(display, False);
    EXPECT_FALSE(front->activate(theirs)) << "a window that has gone";
}

TEST_F(FrontApplicationTest, ARealWindowManagerBringsTheWindowBack)
{
    watchRoot(*connection);
    if (!server.startWindowManager())
        GTEST_SKIP() << "evilwm is not installed";
    Display* display = connection->display();
    ASSERT_TRUE(desktop::test::runLoopUntil([&] {
        Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, connection->rootWindow(), check, 0, 1, False, XA_WINDOW, &type, &format, &count,
            &remaining, &data);
        if (data)
            XFree(data);
        return count == 1;
    })) << "the window manager never started";

    // Another program's two windows.
    auto other = X11Connection::open(server.name());
    ASSERT_TRUE(other);
    Window first = makeWindow(other->display(), true);
    Window second = makeWindow(other->display(), true);
    // Until the manager has taken both windows in, a late map can still move the focus to one.
    ASSERT_TRUE(desktop::test::runLoopUntil([&] { return clientCount(display, connection->rootWindow()) >= 2; }))
        << "the window manager never managed both windows";
    auto front = FrontApplication::createForDisplay(connection);
    for (Window window : { first, second, first }) {
        ASSERT_TRUE(front->activate(window));
        EXPECT_TRUE(desktop::test::runLoopUntil([&] {
            return front->activeWindow() == window && front->activeWindowOfAnotherProgram() == window;
        })) << "the window manager did not bring back " << window;
    }
}
