// A combination pressed on this desktop's keyboard and taken by the recorder from the key
// event is stored with the meaning the settings have always had, shows as the desktop names
// it, and is grabbed as the same keys again.
#include <gtest/gtest.h>

#include "command/KeyComboRecorderView.h"
#include "core/KeyCombo.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/desktop/HotKeys.h"
#include "platform/desktop/X11Connection.h"
#include "platform/ui/Application.h"
#include "platform/ui/SdlBackend.h"
#include "platform/ui/SdlWindow.h"
#include "platform/ui/Window.h"
#include "tests/desktop/DesktopTesting.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cstdlib>

using namespace ostrel;

TEST(RecordedKeyCombo, CtrlAltNIsStoredAsTheNowPadsDefaultAndGrabbedAsCtrlAltN)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display";
    auto backend = ui::SdlBackend::open();
    if (!backend)
        GTEST_SKIP() << "SDL could not open the display";
    auto* sdl = backend.get();
    auto app = ui::Application::create(std::move(backend));
    app->activate();
    auto window = ui::Window::create(ui::Rect(40, 40, 300, 80));
    auto wall = Wall::create();
    window->setContentView(wall);
    auto recorder = KeyComboRecorderView::create({}, ui::ControlSize::Regular);
    wall->addSubview(recorder);
    recorder->setTranslatesAutoresizingMaskIntoConstraints(true);
    recorder->setFrame(ui::Rect(40, 29, 220, 22));
    std::optional<KeyCombo> stored;
    recorder->keyComboChangeClientHandler = [&](const std::optional<KeyCombo>& combo) { stored = combo; };
    window->makeKeyAndOrderFront();
    recorder->startRecordingSession();

    SDL_Event press {};
    press.type = SDL_KEYDOWN;
    press.key.state = SDL_PRESSED;
    press.key.windowID = SDL_GetWindowID(static_cast<ui::SdlWindow*>(window->platformWindow())->sdl());
    press.key.keysym.scancode = SDL_SCANCODE_N;
    press.key.keysym.sym = SDLK_n;
    press.key.keysym.mod = KMOD_LCTRL | KMOD_LALT;
    SDL_PushEvent(&press);
    sdl->pump();

    ASSERT_TRUE(stored);
    EXPECT_EQ(keyComboJSON(stored), R"({"carbonKeyCode":45,"carbonModifiers":2304})")
        << "option-command-N, the Now pad's combination as settings have always held it";
    EXPECT_EQ(recorder->title(), "Ctrl+Alt+N");

    // Registered from the stored value, the same fingers reach it.
    auto hotKeys = desktop::HotKeys::createForDisplay(desktop::X11Connection::open());
    int pressed = 0;
    hotKeys->on_hot_key = [&](std::uint32_t, desktop::HotKeys::Phase phase) { pressed += phase == desktop::HotKeys::Phase::Pressed; };
    ASSERT_EQ(hotKeys->registerHotKey(1, stored->carbonKeyCode, stored->carbonModifiers),
        desktop::HotKeys::Result::Registered);
    Display* fingers = XOpenDisplay(nullptr);
    ASSERT_NE(fingers, nullptr);
    for (KeySym key : { XK_Control_L, XK_Alt_L, XK_n })
        XTestFakeKeyEvent(fingers, XKeysymToKeycode(fingers, key), True, CurrentTime);
    for (KeySym key : { XK_n, XK_Alt_L, XK_Control_L })
        XTestFakeKeyEvent(fingers, XKeysymToKeycode(fingers, key), False, CurrentTime);
    XSync(fingers, False);
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return pressed == 1; }));
    XCloseDisplay(fingers);
    hotKeys.reset();
    recorder.reset();
    window.reset();
    base::RunLoop::main().discardAll();
}
