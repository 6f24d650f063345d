// Key, text and mouse events as SDL queues them, read by the real SDL backend under Xvfb:
// several events are queued before the backend reads any, as when the user types while the
// program is busy.
#include "platform/base/KeyCodes.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/ui/Application.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/PrimarySelection.h"
#include "platform/ui/SdlBackend.h"
#include "platform/ui/SdlWindow.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "SdlFixture.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

using namespace ui;
using base::KeyCode;

namespace {

// Takes the keyboard and keeps every key event it gets.
class KeyLog : public View {
public:
    static std::shared_ptr<KeyLog> create() { return std::shared_ptr<KeyLog>(new KeyLog); }
    struct Key {
        Event::Type type;
        KeyCode code;
        std::string characters;
        std::uint32_t modifiers;
        bool operator==(const Key&) const = default;
    };
    bool acceptsFirstResponder() const override { return true; }
    void keyDown(const Event& e) override { keep(e); }
    void keyUp(const Event&) override { }
    void flagsChanged(const Event& e) override { keep(e); }
    void otherMouseDown(const Event& e) override { middleClicks.push_back(e.locationInWindow()); }
    std::vector<Key> keys;
    std::vector<Point> middleClicks;

private:
    KeyLog()
        : View(Rect(0, 0, 200, 100))
    {
    }
    void keep(const Event& e)
    {
        keys.push_back({ e.type(), static_cast<KeyCode>(e.keyCode()), e.characters(), e.modifierFlags() & ModifierFlag::DeviceIndependentMask });
    }
};

void PrintTo(const KeyLog::Key& key, std::ostream* os)
{
    *os << "{type " << int(key.type) << ", code " << int(key.code) << ", \"" << key.characters << "\", mods 0x" << std::hex
        << key.modifiers << std::dec << "}";
}

class SdlKeys : public SdlFixture {
protected:
    void SetUp() override
    {
        SdlFixture::SetUp();
        if (IsSkipped())
            return;
        w = Window::create(Rect(60, 60, 240, 120));
        w->makeKeyAndOrderFront();
        settle();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override
    {
        w.reset();
        SdlFixture::TearDown();
    }
    void settle() { base::RunLoop::main().runUntil(base::Time::now() + 0.2); }
    std::uint32_t windowId() const { return SDL_GetWindowID(static_cast<SdlWindow*>(w->platformWindow())->sdl()); }

    void key(bool down, SDL_Scancode scancode, SDL_Keycode sym, std::uint16_t mod)
    {
        SDL_Event e {};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.windowID = windowId();
        e.key.keysym.scancode = scancode;
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    void text(const char* utf8)
    {
        SDL_Event e {};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = windowId();
        std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
        SDL_PushEvent(&e);
    }
    // A key typed: down, its text if any, up.
    void type(SDL_Scancode scancode, SDL_Keycode sym, std::uint16_t mod, const char* typed = nullptr)
    {
        key(true, scancode, sym, mod);
        if (typed)
            text(typed);
        key(false, scancode, sym, mod);
    }
    // Reads everything queued at once, as the backend does when the display wakes it.
    void read() { m_backend->pump(); }

    std::shared_ptr<Window> w;
};

}

TEST_F(SdlKeys, ShiftedPunctuationQueuedBehindShiftKeepsItsText)
{
    auto log = KeyLog::create();
    w->contentView()->addSubview(log);
    w->makeFirstResponder(log.get());
    // Shift, then ";" typing ":" and "8" typing "*", all queued before any is read; the second
    // key still has Shift, though Shift is up by the time the queue is read.
    key(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT);
    type(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, KMOD_LSHIFT, ":");
    type(SDL_SCANCODE_8, SDLK_8, KMOD_LSHIFT, "*");
    key(false, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_NONE);
    type(SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, KMOD_NONE, "'");
    read();
    using T = Event::Type;
    EXPECT_EQ(log->keys, (std::vector<KeyLog::Key> {
                             { T::FlagsChanged, KeyCode::Shift, "", ModifierFlag::Shift },
                             { T::KeyDown, KeyCode::Semicolon, ":", ModifierFlag::Shift },
                             { T::KeyDown, KeyCode::Digit8, "*", ModifierFlag::Shift },
                             { T::FlagsChanged, KeyCode::Shift, "", 0 },
                             { T::KeyDown, KeyCode::Quote, "'", 0 },
                         }));
}

TEST_F(SdlKeys, CtrlIsTheCommandKeySuperTheControlKeyAltTheOptionKey)
{
    auto log = KeyLog::create();
    w->contentView()->addSubview(log);
    w->makeFirstResponder(log.get());
    type(SDL_SCANCODE_C, SDLK_c, KMOD_LCTRL);
    type(SDL_SCANCODE_Z, SDLK_z, KMOD_RCTRL | KMOD_LSHIFT);
    // Super and Alt type text of their own while text input is on; it stays with its key.
    type(SDL_SCANCODE_R, SDLK_r, KMOD_LGUI, "r");
    type(SDL_SCANCODE_N, SDLK_n, KMOD_LCTRL | KMOD_LALT);
    key(true, SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_LCTRL);
    read();
    using T = Event::Type;
    EXPECT_EQ(log->keys, (std::vector<KeyLog::Key> {
                             { T::KeyDown, KeyCode::C, "c", ModifierFlag::Command },
                             { T::KeyDown, KeyCode::Z, "Z", ModifierFlag::Command | ModifierFlag::Shift },
                             { T::KeyDown, KeyCode::R, "r", ModifierFlag::Control },
                             { T::KeyDown, KeyCode::N, "n", ModifierFlag::Command | ModifierFlag::Option },
                             { T::FlagsChanged, KeyCode::Command, "", ModifierFlag::Command },
                         }));
}

TEST_F(SdlKeys, CtrlShortcutsEditAFieldAndQueuedTypingLandsInOrder)
{
    auto field = TextField::create();
    field->setFrame(Rect(10, 40, 220, 24));
    w->contentView()->addSubview(field);
    w->makeFirstResponder(field.get());
    type(SDL_SCANCODE_T, SDLK_t, KMOD_NONE, "t");
    type(SDL_SCANCODE_O, SDLK_o, KMOD_NONE, "o");
    key(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT);
    type(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, KMOD_LSHIFT, ":");
    key(false, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_NONE);
    type(SDL_SCANCODE_A, SDLK_a, KMOD_LCTRL);
    type(SDL_SCANCODE_C, SDLK_c, KMOD_LCTRL);
    type(SDL_SCANCODE_Z, SDLK_z, KMOD_LCTRL);
    read();
    EXPECT_EQ(Pasteboard::general().string(), "to:");
    EXPECT_EQ(field->stringValue(), "") << "Ctrl+Z took back the typing, one step";
    type(SDL_SCANCODE_Y, SDLK_y, KMOD_LCTRL);
    read();
    EXPECT_EQ(field->stringValue(), "to:");
}

TEST_F(SdlKeys, ComposedTextArrivesThroughTheInputMethodEventsAtTheCaret)
{
    auto field = TextField::create("at ");
    field->setFrame(Rect(10, 40, 220, 24));
    w->contentView()->addSubview(field);
    w->makeFirstResponder(field.get());
    field->setCaret(3);
    settle();
    // The candidates go beside the caret: window pixels from its top left.
    auto area = m_backend->candidateArea();
    ASSERT_TRUE(area);
    Rect caret = field->convertRectTo(field->textInputCaretRect(), nullptr);
    EXPECT_NEAR(area->minX(), caret.minX(), 1);
    EXPECT_NEAR(area->minY(), w->frame().height() - caret.maxY(), 1);
    EXPECT_GE(area->height(), caret.height() - 1);

    SDL_Event edit {};
    edit.type = SDL_TEXTEDITING;
    edit.edit.windowID = windowId();
    std::strcpy(edit.edit.text, "\xE3\x81\xAB\xE3\x81\xBB"); // "にほ"
    edit.edit.start = 2;
    edit.edit.length = 0;
    SDL_PushEvent(&edit);
    read();
    EXPECT_TRUE(field->hasComposition());
    EXPECT_EQ(field->stringValue(), "at ") << "a composition is not text yet";
    settle();
    ASSERT_TRUE(m_backend->candidateArea());
    EXPECT_GT(m_backend->candidateArea()->minX(), area->minX()) << "the candidates follow the caret into the composition";

    text("\xE6\x97\xA5\xE6\x9C\xAC"); // "日本", committed with no key before it
    read();
    EXPECT_FALSE(field->hasComposition());
    EXPECT_EQ(field->stringValue(), "at \xE6\x97\xA5\xE6\x9C\xAC");

    w->makeFirstResponder(nullptr);
    settle();
    EXPECT_FALSE(m_backend->candidateArea()) << "no text takes input";
}

TEST_F(SdlKeys, TheMiddleButtonReachesItsViewAndSelectedTextIsTheDesktopsPrimarySelection)
{
    auto log = KeyLog::create();
    w->contentView()->addSubview(log);
    SDL_Event press {};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.windowID = windowId();
    press.button.button = SDL_BUTTON_MIDDLE;
    press.button.state = SDL_PRESSED;
    press.button.x = 30;
    press.button.y = 100;
    SDL_PushEvent(&press);
    read();
    ASSERT_EQ(log->middleClicks.size(), 1u);
    EXPECT_EQ(log->middleClicks.front(), Point(30, 20));

    auto field = TextField::create("a focused slice");
    field->setFrame(Rect(10, 40, 220, 24));
    w->contentView()->addSubview(field);
    w->makeFirstResponder(field.get());
    field->setCaret(2);
    key(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT);
    type(SDL_SCANCODE_RIGHT, SDLK_RIGHT, KMOD_LSHIFT | KMOD_LCTRL);
    key(false, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_NONE);
    read();
    settle();
    char* primary = SDL_GetPrimarySelectionText();
    ASSERT_NE(primary, nullptr);
    EXPECT_STREQ(primary, "focused");
    SDL_free(primary);
    EXPECT_EQ(PrimarySelection::shared().text(), "focused");
}

TEST_F(SdlKeys, FocusReportedLateForAWindowPutAwayKeepsTheKeyboardWhereItIs)
{
    auto log = KeyLog::create();
    w->contentView()->addSubview(log);
    w->makeFirstResponder(log.get());
    // A pop-up shown and put away at once: the server's word that it took the focus comes
    // after it has gone.
    auto popUp = Window::create(Rect(80, 80, 120, 60));
    popUp->makeKeyAndOrderFront();
    settle();
    std::uint32_t popUpId = SDL_GetWindowID(static_cast<SdlWindow*>(popUp->platformWindow())->sdl());
    popUp->orderOut();
    w->makeKeyWindow();
    settle();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event focus {};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    focus.window.windowID = popUpId;
    SDL_PushEvent(&focus);
    type(SDL_SCANCODE_A, SDLK_a, KMOD_NONE, "a");
    read();
    EXPECT_TRUE(w->isKeyWindow());
    ASSERT_EQ(log->keys.size(), 1u) << "the typing went to the window put away";
    EXPECT_EQ(log->keys[0].characters, "a");
}
