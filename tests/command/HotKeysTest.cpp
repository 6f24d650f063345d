// GoogleTest first: Xlib defines None, Bool and Status as macros.
#include <gtest/gtest.h>

#include "command/HotKey.h"
#include "command/HotKeysController.h"
#include "command/KeyboardShortcutsManager.h"
#include "ManualHotKeys.h"

#include "platform/base/RunLoop.h"
#include "platform/desktop/HotKeys.h"
#include "platform/desktop/X11Connection.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/Window.h"
#include "tests/desktop/DesktopTesting.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace ostrel {
namespace {

using Controller = HotKeysController;
using Combination = desktop::ManualHotKeys::Combination;

constexpr uint32_t kCodeK = 40;
constexpr uint32_t kCodeR = 15;
constexpr uint32_t kCodeJ = 38;

Controller::OSStatus deliver(uint32_t number, uint32_t kind, uint32_t signature = Controller::eventHotKeySignature)
{
    Controller::HotKeyEvent event { kind, { signature, number } };
    return Controller::handleCarbonEvent(&event);
}

// The registry over the test's stand-in for the desktop, with a log of the handlers' calls.
class HotKeyRegistry : public testing::Test {
protected:
    void SetUp() override { desktop = &test::installManualHotKeys(); }
    void TearDown() override { Controller::setDesktopHotKeys(nullptr); }

    HotKey::Handler record(std::string what)
    {
        return [this, what] { calls.push_back(what); };
    }

    uint32_t numberOf(const HotKey& hotKey) const
    {
        for (const auto& [number, box] : Controller::hotKeys()) {
            if (box.identifier == hotKey.identifier())
                return number;
        }
        return 0;
    }

    desktop::ManualHotKeys* desktop { nullptr };
    std::vector<std::string> calls;
};

TEST_F(HotKeyRegistry, RegisteringTwiceKeepsOneNumberAndOneRegistration)
{
    auto hotKey = HotKey::create(kCodeR, CarbonModifier::control, record("down"));
    uint32_t number = numberOf(*hotKey);
    ASSERT_NE(number, 0u);
    EXPECT_EQ(Controller::hotKeysCount(), number);

    Controller::registerHotKey(hotKey);
    EXPECT_EQ(numberOf(*hotKey), number);
    EXPECT_EQ(Controller::hotKeysCount(), number);
    EXPECT_EQ(desktop->registered().size(), 1u);
    EXPECT_EQ(desktop->registered().at(number), (Combination { kCodeR, CarbonModifier::control }));
    EXPECT_TRUE(Controller::hotKeys().at(number).carbonEventHotKey);
}

TEST_F(HotKeyRegistry, PausingGivesTheCombinationBackAndResumingTakesANewNumber)
{
    auto hotKey = HotKey::create(kCodeR, CarbonModifier::control, record("down"));
    uint32_t first = numberOf(*hotKey);

    hotKey->setPaused(true);
    EXPECT_TRUE(desktop->registered().empty());
    EXPECT_EQ(deliver(first, Controller::kEventHotKeyPressed), Controller::eventNotHandledErr);

    hotKey->setPaused(false);
    uint32_t second = numberOf(*hotKey);
    EXPECT_GT(second, first);
    EXPECT_EQ(deliver(first, Controller::kEventHotKeyPressed), Controller::eventNotHandledErr);
    EXPECT_EQ(deliver(second, Controller::kEventHotKeyPressed), Controller::noErr);
    EXPECT_EQ(calls, std::vector<std::string> { "down" });
}

TEST_F(HotKeyRegistry, EventsAnswerOnlyForOurSignatureKindAndHandlers)
{
    auto downOnly = HotKey::create(kCodeR, CarbonModifier::control, record("down"));
    auto both = HotKey::create(kCodeK, CarbonModifier::command, record("both down"), record("both up"));
    uint32_t number = numberOf(*downOnly);

    EXPECT_EQ(deliver(number, Controller::kEventHotKeyReleased), Controller::eventNotHandledErr);
    EXPECT_EQ(deliver(number, Controller::kEventHotKeyPressed), Controller::noErr);
    EXPECT_EQ(deliver(number, Controller::kEventHotKeyPressed, 0x41424344), Controller::eventNotHandledErr);
    EXPECT_EQ(deliver(number, 7), Controller::eventNotHandledErr);
    EXPECT_EQ(Controller::handleCarbonEvent(nullptr), Controller::eventNotHandledErr);

    // Through the desktop: a press and a release of the held combination.
    EXPECT_TRUE(desktop->press({ kCodeK, CarbonModifier::command }));
    EXPECT_EQ(calls, (std::vector<std::string> { "down", "both down", "both up" }));
}

TEST_F(HotKeyRegistry, AHotKeyNobodyHoldsGivesItsCombinationBack)
{
    auto hotKey = HotKey::create(kCodeR, CarbonModifier::control, record("down"));
    uint32_t number = numberOf(*hotKey);
    hotKey.reset();
    EXPECT_TRUE(desktop->registered().empty());
    EXPECT_FALSE(Controller::hotKeys().contains(number));
    EXPECT_EQ(deliver(number, Controller::kEventHotKeyPressed), Controller::eventNotHandledErr);
}

TEST_F(HotKeyRegistry, ARefusedCombinationStaysListedAndSilent)
{
    desktop->holdElsewhere({ kCodeR, CarbonModifier::control });
    auto refused = HotKey::create(kCodeR, CarbonModifier::control, record("refused"));
    uint32_t number = numberOf(*refused);
    ASSERT_NE(number, 0u);
    EXPECT_FALSE(Controller::hotKeys().at(number).carbonEventHotKey);
    EXPECT_TRUE(desktop->registered().empty());

    // Registering it again does nothing until it has been unregistered.
    Controller::registerHotKey(refused);
    EXPECT_EQ(Controller::hotKeysCount(), number);
    EXPECT_FALSE(desktop->press({ kCodeR, CarbonModifier::control }));
    EXPECT_TRUE(calls.empty());
}

// A refusal is no registration: the log says another program holds the key, and so does the
// registry, for the shortcuts pane, also once the hot key is withdrawn. A combination that
// two of our own settings hold is refused as ours, not another program's.
TEST_F(HotKeyRegistry, AKeyAnotherProgramHoldsIsLoggedAndKeptAsTaken)
{
    const KeyCombo superR { kCodeR, CarbonModifier::control };
    desktop->holdElsewhere({ kCodeR, CarbonModifier::control });
    testing::internal::CaptureStdout();
    auto refused = HotKey::create(superR.carbonKeyCode, superR.carbonModifiers, record("refused"));
    auto mine = HotKey::create(kCodeK, CarbonModifier::command, record("mine"));
    auto again = HotKey::create(kCodeK, CarbonModifier::command, record("again"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
        "\"*** keycombo taken by another program: Super+R\"\n"
        "\"*** keycombo registered: Ctrl+K\"\n"
        "\"*** keycombo not registered: Ctrl+K\"\n");
    EXPECT_TRUE(Controller::isTakenByAnotherProgram(superR));
    EXPECT_FALSE(Controller::isTakenByAnotherProgram(KeyCombo { kCodeK, CarbonModifier::command }));
    refused.reset();
    EXPECT_TRUE(Controller::isTakenByAnotherProgram(superR)) << "kept while withdrawn";

    desktop->holdElsewhere({ kCodeJ, CarbonModifier::control });
    auto granted = HotKey::create(superR.carbonKeyCode, superR.carbonModifiers, record("granted"));
    EXPECT_FALSE(Controller::isTakenByAnotherProgram(superR)) << "granted at its latest registration";
}

TEST_F(HotKeyRegistry, UnregisterAllSilencesEveryNamedHotKey)
{
    KeyboardShortcutsManager shortcuts;
    shortcuts.allHotKeysDic["now"] = HotKey::create(kCodeR, CarbonModifier::control, record("now"));
    shortcuts.allHotKeysDic["later"] = HotKey::create(kCodeK, CarbonModifier::command, record("later"));
    EXPECT_EQ(shortcuts.allIdentifiers(), (std::vector<std::string> { "later", "now" }));

    shortcuts.unregisterAll();
    EXPECT_TRUE(shortcuts.allIdentifiers().empty());
    EXPECT_TRUE(desktop->registered().empty());
    EXPECT_FALSE(desktop->press({ kCodeR, CarbonModifier::control }));
    EXPECT_TRUE(calls.empty());
}

TEST_F(HotKeyRegistry, AHandlerMayWithdrawEveryHotKeyItselfIncluded)
{
    KeyboardShortcutsManager shortcuts;
    shortcuts.allHotKeysDic["preferences"] = HotKey::create(kCodeR, CarbonModifier::control, [&] {
        shortcuts.unregisterAll();
        calls.push_back("withdrawn");
    });
    EXPECT_TRUE(desktop->press({ kCodeR, CarbonModifier::control }));
    EXPECT_EQ(calls, std::vector<std::string> { "withdrawn" });
    EXPECT_TRUE(Controller::hotKeys().empty());
}

TEST_F(HotKeyRegistry, RegistrationsAreWrittenOutQuotedWithTheBackslashKeyEscaped)
{
    constexpr uint32_t kCodeQuote = 0x27;
    constexpr uint32_t kCodeBackslash = 0x2A;
    testing::internal::CaptureStdout();
    auto quote = HotKey::create(kCodeQuote, CarbonModifier::command);
    auto backslash = HotKey::create(kCodeBackslash, CarbonModifier::control | CarbonModifier::option);
    quote.reset();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
        "\"*** keycombo registered: Ctrl+'\"\n"
        "\"*** keycombo registered: Super+Alt+\\\\\"\n"
        "\"*** keycombo unregistered: Ctrl+'\"\n");
}

// An alert waits for its answer: a hot key would act behind it (hide the program under it,
// open the pop-up it takes the input from); it brings the alert forward instead.
TEST_F(HotKeyRegistry, AHotKeyWhileAnAlertWaitsBringsTheAlertForward)
{
    auto app = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
    auto main = ui::Window::create(ui::Rect(100, 100, 300, 200));
    main->makeKeyAndOrderFront();
    auto hotKey = HotKey::create(kCodeR, CarbonModifier::control, record("pressed"));
    bool forward = false;
    ui::Alert::setResponder([&](ui::Alert& alert) -> std::optional<int> {
        main->makeKeyWindow();
        EXPECT_TRUE(desktop->press({ kCodeR, CarbonModifier::control }));
        forward = alert.window()->isKeyWindow();
        return 1;
    });
    base::AlertRequest question;
    question.message = "Are you sure you do not want the time spent to be logged in any way?";
    question.buttons = { "OK", "Cancel" };
    EXPECT_EQ(ui::Alert::fromRequest(question)->runModal(), 1);
    ui::Alert::setResponder({});
    EXPECT_TRUE(forward);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(desktop->press({ kCodeR, CarbonModifier::control }));
    EXPECT_EQ(calls, std::vector<std::string> { "pressed" }) << "answered, the hot key works again";
    base::RunLoop::main().discardAll();
}

// The registry over the real X display: fingers on the keyboard of another client.
class HotKeyOnDisplay : public HotKeyRegistry {
protected:
    void SetUp() override
    {
        auto connection = desktop::X11Connection::open();
        if (!connection)
            GTEST_SKIP() << "no X display";
        other = XOpenDisplay(nullptr);
        ASSERT_NE(other, nullptr);
        Controller::setDesktopHotKeys(desktop::HotKeys::createForDisplay(connection));
    }
    void TearDown() override
    {
        HotKeyRegistry::TearDown();
        if (other)
            XCloseDisplay(other);
    }

    // Keys go down in the order given, modifiers first, and come up the other way round.
    // Tests of other suites type on the same server at the same time, and the server's
    // modifier state is shared: a combination that met someone else's Shift is typed again.
    bool typeUntilHeard(const std::vector<KeySym>& keys)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            for (KeySym key : keys)
                XTestFakeKeyEvent(other, XKeysymToKeycode(other, key), True, CurrentTime);
            for (auto key = keys.rbegin(); key != keys.rend(); ++key)
                XTestFakeKeyEvent(other, XKeysymToKeycode(other, *key), False, CurrentTime);
            XSync(other, False);
            if (desktop::test::runLoopUntil([&] { return calls.size() >= 2; }, 2))
                return true;
        }
        return false;
    }

    Display* other { nullptr };
};

// Keys of their own (shift-option-…): the desktop suite grabs on the same server at the same time.
TEST_F(HotKeyOnDisplay, TypingTheCombinationCallsItsHandlersDownThenUp)
{
    auto hotKey = HotKey::create(kCodeK, CarbonModifier::option | CarbonModifier::shift, record("down"), record("up"));
    EXPECT_TRUE(typeUntilHeard({ XK_Shift_L, XK_Alt_L, XK_k }));
    EXPECT_EQ(calls, (std::vector<std::string> { "down", "up" }));

    // Paused, the same fingers reach nobody; resumed, they do again.
    calls.clear();
    hotKey->setPaused(true);
    hotKey->setPaused(false);
    EXPECT_TRUE(typeUntilHeard({ XK_Shift_L, XK_Alt_L, XK_k }));
    EXPECT_EQ(calls, (std::vector<std::string> { "down", "up" }));
}

TEST_F(HotKeyOnDisplay, ACombinationAnotherProgramHoldsIsRefusedAndLogged)
{
    ::KeyCode j = XKeysymToKeycode(other, XK_j);
    XGrabKey(other, j, ShiftMask | Mod1Mask, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync);
    XSync(other, False);

    desktop::test::LogLines log;
    auto hotKey = HotKey::create(kCodeJ, CarbonModifier::option | CarbonModifier::shift, record("down"));
    EXPECT_TRUE(log.contains("not registered: another program holds it"));
    EXPECT_FALSE(Controller::hotKeys().at(numberOf(*hotKey)).carbonEventHotKey);

    XUngrabKey(other, j, ShiftMask | Mod1Mask, DefaultRootWindow(other));
    XSync(other, False);
}

}
}
