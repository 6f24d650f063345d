// GoogleTest first: Xlib defines None, Bool and Status as macros.
#include <gtest/gtest.h>

#include "platform/desktop/HotKeys.h"

#include "platform/base/KeyCodes.h"
#include "platform/desktop/IdleTime.h"
#include "platform/desktop/X11Connection.h"
#include "tests/desktop/DesktopTesting.h"
#include "tests/desktop/PrivateDisplay.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <utility>

using desktop::HotKeys;
using Phase = desktop::HotKeys::Phase;
namespace Modifier = base::KeyModifier;

namespace {
constexpr std::uint32_t code(base::KeyCode key)
{
    return std::uint32_t(key);
}

// A hot-key service on a connection of its own, and a second client on the same display
// playing "another program". Each test uses keys of its own: ctest runs them side by side
// on one server.
class HotKeysOnDisplay : public testing::Test {
protected:
    void SetUp() override
    {
        connection = desktop::X11Connection::open();
        if (!connection)
            GTEST_SKIP() << "no X display";
        other = XOpenDisplay(nullptr);
        ASSERT_NE(other, nullptr);
        hotKeys = HotKeys::createForDisplay(connection);
        hotKeys->on_hot_key = [this](std::uint32_t id, Phase phase) {
            received.emplace_back(id, phase);
            keyTimes.push_back(hotKeys->deliveredKeyTime());
        };
    }
    void TearDown() override
    {
        hotKeys.reset();
        if (other)
            XCloseDisplay(other);
    }

    // What a user's fingers do: modifiers down, the key down and up, modifiers up.
    void type(KeySym key, std::vector<KeySym> modifiers)
    {
        for (KeySym modifier : modifiers)
            XTestFakeKeyEvent(other, XKeysymToKeycode(other, modifier), True, CurrentTime);
        XTestFakeKeyEvent(other, XKeysymToKeycode(other, key), True, CurrentTime);
        XTestFakeKeyEvent(other, XKeysymToKeycode(other, key), False, CurrentTime);
        for (KeySym modifier : modifiers)
            XTestFakeKeyEvent(other, XKeysymToKeycode(other, modifier), False, CurrentTime);
        XSync(other, False);
    }

    // Whether the other program may grab the combination, that is, whether we hold it not.
    bool otherCanGrab(KeySym key, unsigned modifiers)
    {
        static int lastError = 0;
        lastError = 0;
        auto previous = XSetErrorHandler([](Display*, XErrorEvent* error) {
            lastError = error->error_code;
            return 0;
        });
        KeyCode keyCode = XKeysymToKeycode(other, key);
        Window root = DefaultRootWindow(other);
        XGrabKey(other, keyCode, modifiers, root, False, GrabModeAsync, GrabModeAsync);
        XSync(other, False);
        bool granted = lastError == 0;
        XUngrabKey(other, keyCode, modifiers, root);
        XSync(other, False);
        XSetErrorHandler(previous);
        return granted && lastError == 0;
    }

    std::shared_ptr<desktop::X11Connection> connection;
    Display* other { nullptr };
    std::unique_ptr<HotKeys> hotKeys;
    std::vector<std::pair<std::uint32_t, Phase>> received;
    std::vector<std::uint32_t> keyTimes;
};
}

TEST_F(HotKeysOnDisplay, APressedCombinationReachesItsIdOnceDownAndOnceUp)
{
    ASSERT_EQ(hotKeys->registerHotKey(7, code(base::KeyCode::K), Modifier::Command | Modifier::Option),
        HotKeys::Result::Registered);
    type(XK_k, { XK_Control_L, XK_Alt_L });
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return received.size() >= 2; }));
    EXPECT_EQ(received, (std::vector<std::pair<std::uint32_t, Phase>> { { 7, Phase::Pressed }, { 7, Phase::Released } }));
    // What the key shows asks for the keyboard as of the key, not of a click made since.
    ASSERT_EQ(keyTimes.size(), 2u);
    EXPECT_NE(keyTimes[0], 0u);
    EXPECT_LE(keyTimes[0], keyTimes[1]);

    // The same key without its modifiers is not the hot key; the next real one still comes.
    received.clear();
    ASSERT_EQ(hotKeys->registerHotKey(8, code(base::KeyCode::K), Modifier::Control), HotKeys::Result::Registered);
    type(XK_k, { XK_Super_L });
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return received.size() >= 2; }));
    EXPECT_EQ(received.front(), std::make_pair(8u, Phase::Pressed));
}

TEST_F(HotKeysOnDisplay, APressReadAlongWithTheIdleTimesReplyStillArrives)
{
    // The idle poll's query reads the press into Xlib's queue, where the connection's fd
    // no longer announces it.
    auto idle = desktop::IdleTime::createForDisplay(connection);
    ASSERT_EQ(hotKeys->registerHotKey(9, code(base::KeyCode::J), Modifier::Command | Modifier::Shift),
        HotKeys::Result::Registered);
    type(XK_j, { XK_Control_L, XK_Shift_L });
    idle->idleNanoseconds();
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return received.size() >= 2; }));
    EXPECT_EQ(received.front(), std::make_pair(9u, Phase::Pressed));
}

TEST_F(HotKeysOnDisplay, ModifiersMapToTheirXCounterpartsWhateverTheLockKeys)
{
    // Command is Ctrl on this desktop, Control is Super, Option is Alt.
    ASSERT_EQ(hotKeys->registerHotKey(1, code(base::KeyCode::M), Modifier::Command | Modifier::Shift),
        HotKeys::Result::Registered);
    for (unsigned locks : { 0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask) })
        EXPECT_FALSE(otherCanGrab(XK_m, ControlMask | ShiftMask | locks)) << "lock state " << locks;
    EXPECT_TRUE(otherCanGrab(XK_m, ControlMask)) << "only the combination asked for is taken";
    EXPECT_TRUE(otherCanGrab(XK_m, Mod4Mask | ShiftMask)) << "Super is not Command";

    ASSERT_EQ(hotKeys->registerHotKey(2, code(base::KeyCode::M), Modifier::Control | Modifier::Option),
        HotKeys::Result::Registered);
    EXPECT_FALSE(otherCanGrab(XK_m, Mod4Mask | Mod1Mask));

    hotKeys->unregisterHotKey(1);
    hotKeys->unregisterHotKey(2);
    EXPECT_TRUE(otherCanGrab(XK_m, ControlMask | ShiftMask));
    EXPECT_TRUE(otherCanGrab(XK_m, ControlMask | ShiftMask | LockMask | Mod2Mask));
    EXPECT_TRUE(otherCanGrab(XK_m, Mod4Mask | Mod1Mask));
}

TEST_F(HotKeysOnDisplay, AKeyHeldByAnotherProgramIsRefusedAndLogged)
{
    KeyCode j = XKeysymToKeycode(other, XK_j);
    XGrabKey(other, j, ControlMask | Mod1Mask | Mod2Mask, DefaultRootWindow(other), False, GrabModeAsync,
        GrabModeAsync);
    XSync(other, False);

    desktop::test::LogLines log;
    EXPECT_EQ(hotKeys->registerHotKey(3, code(base::KeyCode::J), Modifier::Command | Modifier::Option),
        HotKeys::Result::Taken);
    EXPECT_TRUE(log.contains("global hot key Ctrl+Alt+J not registered: another program holds it"));
    // The variants that were granted before the refusal were given back.
    EXPECT_TRUE(otherCanGrab(XK_j, ControlMask | Mod1Mask));

    XUngrabKey(other, j, ControlMask | Mod1Mask | Mod2Mask, DefaultRootWindow(other));
    XSync(other, False);
    EXPECT_EQ(hotKeys->registerHotKey(3, code(base::KeyCode::J), Modifier::Command | Modifier::Option),
        HotKeys::Result::Registered);
}

TEST_F(HotKeysOnDisplay, ReplacingUnknownAndDuplicateRegistrations)
{
    EXPECT_EQ(hotKeys->registerHotKey(1, code(base::KeyCode::L), Modifier::Command | Modifier::Shift),
        HotKeys::Result::Registered);
    EXPECT_EQ(hotKeys->registerHotKey(2, code(base::KeyCode::L), Modifier::Command | Modifier::Shift),
        HotKeys::Result::Taken);
    // Registering id 1 again moves it: its old combination is free for others.
    EXPECT_EQ(hotKeys->registerHotKey(1, code(base::KeyCode::L), Modifier::Command | Modifier::Option | Modifier::Shift),
        HotKeys::Result::Registered);
    EXPECT_TRUE(otherCanGrab(XK_l, ControlMask | ShiftMask));
    EXPECT_EQ(hotKeys->registerHotKey(2, 0x0A, Modifier::Control), HotKeys::Result::UnknownKey);
    EXPECT_EQ(hotKeys->registerHotKey(2, 0x200, Modifier::Control), HotKeys::Result::UnknownKey);

    // Ending the service gives every key back.
    hotKeys.reset();
    EXPECT_TRUE(otherCanGrab(XK_l, ControlMask | Mod1Mask | ShiftMask));
}

// A program that holds a modifier key alone (a window manager's menu on Super) takes the
// whole keyboard while that key is down: a combination with it never comes, and is refused
// as taken. With one key of the modifier left free the combination can be typed with it.
TEST(HotKeysTest, ACombinationWhoseModifierAnotherProgramHoldsAloneIsRefused)
{
    desktop::test::PrivateDisplay server;
    if (server.name().empty())
        GTEST_SKIP() << "no X server of our own";
    auto connection = desktop::X11Connection::open(server.name());
    Display* other = XOpenDisplay(server.name().c_str());
    ASSERT_TRUE(connection && other);
    Window root = DefaultRootWindow(other);
    for (KeySym super : { XK_Super_L, XK_Super_R })
        XGrabKey(other, XKeysymToKeycode(other, super), AnyModifier, root, False, GrabModeAsync, GrabModeAsync);
    XSync(other, False);

    auto hotKeys = HotKeys::createForDisplay(connection);
    desktop::test::LogLines log;
    EXPECT_EQ(hotKeys->registerHotKey(1, code(base::KeyCode::R), Modifier::Control), HotKeys::Result::Taken);
    EXPECT_TRUE(log.contains("global hot key Super+R not registered: another program holds the Super key"));
    EXPECT_EQ(hotKeys->registerHotKey(2, code(base::KeyCode::R), Modifier::Command), HotKeys::Result::Registered);

    XUngrabKey(other, XKeysymToKeycode(other, XK_Super_R), AnyModifier, root);
    XSync(other, False);
    EXPECT_EQ(hotKeys->registerHotKey(1, code(base::KeyCode::R), Modifier::Control), HotKeys::Result::Registered);
    hotKeys.reset();
    XCloseDisplay(other);
}

TEST(HotKeysTest, WithoutADisplayRegistrationIsALoggedNoOp)
{
    desktop::test::LogLines log;
    auto hotKeys = HotKeys::createForDisplay(nullptr);
    EXPECT_EQ(hotKeys->registerHotKey(1, code(base::KeyCode::R), Modifier::Control), HotKeys::Result::NoDisplay);
    hotKeys->unregisterHotKey(1);
    EXPECT_EQ(log.lines, std::vector<std::string> { "global hot key Super+R not registered: there is no X display" });
}

TEST(HotKeysTest, TheManualStubDeliversPressesAndRefusesLikeTheRealOne)
{
    desktop::ManualHotKeys hotKeys;
    std::vector<std::pair<std::uint32_t, Phase>> received;
    hotKeys.on_hot_key = [&](std::uint32_t id, Phase phase) { received.emplace_back(id, phase); };
    hotKeys.holdElsewhere({ code(base::KeyCode::N), Modifier::Command });

    EXPECT_EQ(hotKeys.registerHotKey(4, code(base::KeyCode::R), Modifier::Control), HotKeys::Result::Registered);
    EXPECT_EQ(hotKeys.registerHotKey(5, code(base::KeyCode::R), Modifier::Control), HotKeys::Result::Taken);
    EXPECT_EQ(hotKeys.registerHotKey(5, code(base::KeyCode::N), Modifier::Command), HotKeys::Result::Taken);
    EXPECT_TRUE(hotKeys.press({ code(base::KeyCode::R), Modifier::Control }));
    EXPECT_FALSE(hotKeys.press({ code(base::KeyCode::R), Modifier::Command }));
    EXPECT_EQ(received, (std::vector<std::pair<std::uint32_t, Phase>> { { 4, Phase::Pressed }, { 4, Phase::Released } }));
}
