// A combination pressed on this desktop's keyboard, as the recorder takes it from the key
// event, is stored with the meaning the settings have always had, shows as the desktop
// names it, and is grabbed as the same keys again.
#include <gtest/gtest.h>

#include "core/KeyCombo.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/desktop/HotKeys.h"
#include "platform/desktop/X11Connection.h"
#include "platform/ui/Application.h"
#include "platform/ui/SdlBackend.h"
#include "platform/ui/SdlWindow.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "tests/desktop/DesktopTesting.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cstdlib>

using namespace ostrel;

namespace {

// What the recorder keeps of a key press: the key and the four modifiers.
class PressedCombo : public ui::View {
public:
    static std::shared_ptr<PressedCombo> create() { return std::shared_ptr<PressedCombo>(new PressedCombo); }
    bool acceptsFirstResponder() const override { return true; }
    void keyDown(const ui::Event& event) override
    {
        if (auto key = Key::withCarbonKeyCode(event.keyCode()))
            combo = KeyCombo(*key, event.modifierFlags());
    }
    std::optional<KeyCombo> combo;

private:
    PressedCombo()
        : View(ui::Rect(0, 0, 100, 100))
    {
    }
};

}

TEST(RecordedKeyCombo, CtrlAltNIsStoredAsTheNowPadsDefaultAndGrabbedAsCtrlAltN)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display";
    auto backend = ui::SdlBackend::open();
    if (!backend)
        GTEST_SKIP() << "SDL could not open the display";
    auto* sdl = backend.get();
    auto app = ui::Application::create(std::move(backend));
    auto window = ui::Window::create(ui::Rect(40, 40, 100, 100));
    auto recorder = PressedCombo::create();
    window->contentView()->addSubview(recorder);
    window->makeKeyAndOrderFront();
    window->makeFirstResponder(recorder.get());

    SDL_Event press {};
    press.type = SDL_KEYDOWN;
    press.key.state = SDL_PRESSED;
    press.key.windowID = SDL_GetWindowID(static_cast<ui::SdlWindow*>(window->platformWindow())->sdl());
    press.key.keysym.scancode = SDL_SCANCODE_N;
    press.key.keysym.sym = SDLK_n;
    press.key.keysym.mod = KMOD_LCTRL | KMOD_LALT;
    SDL_PushEvent(&press);
    sdl->pump();

    ASSERT_TRUE(recorder->combo);
    EXPECT_EQ(keyComboJSON(recorder->combo), R"({"carbonKeyCode":45,"carbonModifiers":2304})")
        << "option-command-N, the Now pad's combination as settings have always held it";
    EXPECT_EQ(recorder->combo->description(), "Ctrl+Alt+N");

    // Registered from the stored value, the same fingers reach it.
    auto hotKeys = desktop::HotKeys::createForDisplay(desktop::X11Connection::open());
    int pressed = 0;
    hotKeys->on_hot_key = [&](std::uint32_t, desktop::HotKeys::Phase phase) { pressed += phase == desktop::HotKeys::Phase::Pressed; };
    ASSERT_EQ(hotKeys->registerHotKey(1, recorder->combo->carbonKeyCode, recorder->combo->carbonModifiers),
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
    window.reset();
    base::RunLoop::main().discardAll();
}
