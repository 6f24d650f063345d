#include "platform/ui/KeyTable.h"

#include <SDL_scancode.h>
#include <array>
#include <utility>

namespace ui {

namespace {

using base::KeyCode;

// Keys the layout and SDL both have. Keys SDL cannot tell apart from others (the keypad
// clear key) or does not know are left out and have scancode 0.
constexpr std::pair<KeyCode, SDL_Scancode> kScancodes[] = {
    { KeyCode::A, SDL_SCANCODE_A }, { KeyCode::S, SDL_SCANCODE_S }, { KeyCode::D, SDL_SCANCODE_D },
    { KeyCode::F, SDL_SCANCODE_F }, { KeyCode::H, SDL_SCANCODE_H }, { KeyCode::G, SDL_SCANCODE_G },
    { KeyCode::Z, SDL_SCANCODE_Z }, { KeyCode::X, SDL_SCANCODE_X }, { KeyCode::C, SDL_SCANCODE_C },
    { KeyCode::V, SDL_SCANCODE_V }, { KeyCode::B, SDL_SCANCODE_B }, { KeyCode::Q, SDL_SCANCODE_Q },
    { KeyCode::W, SDL_SCANCODE_W }, { KeyCode::E, SDL_SCANCODE_E }, { KeyCode::R, SDL_SCANCODE_R },
    { KeyCode::Y, SDL_SCANCODE_Y }, { KeyCode::T, SDL_SCANCODE_T }, { KeyCode::Digit1, SDL_SCANCODE_1 },
    { KeyCode::Digit2, SDL_SCANCODE_2 }, { KeyCode::Digit3, SDL_SCANCODE_3 }, { KeyCode::Digit4, SDL_SCANCODE_4 },
    { KeyCode::Digit6, SDL_SCANCODE_6 }, { KeyCode::Digit5, SDL_SCANCODE_5 }, { KeyCode::Equal, SDL_SCANCODE_EQUALS },
    { KeyCode::Digit9, SDL_SCANCODE_9 }, { KeyCode::Digit7, SDL_SCANCODE_7 }, { KeyCode::Minus, SDL_SCANCODE_MINUS },
    { KeyCode::Digit8, SDL_SCANCODE_8 }, { KeyCode::Digit0, SDL_SCANCODE_0 },
    { KeyCode::RightBracket, SDL_SCANCODE_RIGHTBRACKET }, { KeyCode::O, SDL_SCANCODE_O },
    { KeyCode::U, SDL_SCANCODE_U }, { KeyCode::LeftBracket, SDL_SCANCODE_LEFTBRACKET }, { KeyCode::I, SDL_SCANCODE_I },
    { KeyCode::P, SDL_SCANCODE_P }, { KeyCode::Return, SDL_SCANCODE_RETURN }, { KeyCode::L, SDL_SCANCODE_L },
    { KeyCode::J, SDL_SCANCODE_J }, { KeyCode::Quote, SDL_SCANCODE_APOSTROPHE }, { KeyCode::K, SDL_SCANCODE_K },
    { KeyCode::Semicolon, SDL_SCANCODE_SEMICOLON }, { KeyCode::Backslash, SDL_SCANCODE_BACKSLASH },
    { KeyCode::Comma, SDL_SCANCODE_COMMA }, { KeyCode::Slash, SDL_SCANCODE_SLASH }, { KeyCode::N, SDL_SCANCODE_N },
    { KeyCode::M, SDL_SCANCODE_M }, { KeyCode::Period, SDL_SCANCODE_PERIOD }, { KeyCode::Tab, SDL_SCANCODE_TAB },
    { KeyCode::Space, SDL_SCANCODE_SPACE }, { KeyCode::Grave, SDL_SCANCODE_GRAVE },
    { KeyCode::Delete, SDL_SCANCODE_BACKSPACE }, { KeyCode::Escape, SDL_SCANCODE_ESCAPE },
    { KeyCode::RightCommand, SDL_SCANCODE_RCTRL }, { KeyCode::Command, SDL_SCANCODE_LCTRL },
    { KeyCode::Shift, SDL_SCANCODE_LSHIFT }, { KeyCode::CapsLock, SDL_SCANCODE_CAPSLOCK },
    { KeyCode::Option, SDL_SCANCODE_LALT }, { KeyCode::Control, SDL_SCANCODE_LGUI },
    { KeyCode::RightShift, SDL_SCANCODE_RSHIFT }, { KeyCode::RightOption, SDL_SCANCODE_RALT },
    { KeyCode::RightControl, SDL_SCANCODE_RGUI }, { KeyCode::F17, SDL_SCANCODE_F17 },
    { KeyCode::KeypadDecimal, SDL_SCANCODE_KP_PERIOD }, { KeyCode::KeypadMultiply, SDL_SCANCODE_KP_MULTIPLY },
    { KeyCode::KeypadPlus, SDL_SCANCODE_KP_PLUS }, { KeyCode::KeypadClear, SDL_SCANCODE_NUMLOCKCLEAR },
    { KeyCode::VolumeUp, SDL_SCANCODE_VOLUMEUP }, { KeyCode::VolumeDown, SDL_SCANCODE_VOLUMEDOWN },
    { KeyCode::Mute, SDL_SCANCODE_MUTE }, { KeyCode::KeypadDivide, SDL_SCANCODE_KP_DIVIDE },
    { KeyCode::KeypadEnter, SDL_SCANCODE_KP_ENTER }, { KeyCode::KeypadMinus, SDL_SCANCODE_KP_MINUS },
    { KeyCode::F18, SDL_SCANCODE_F18 }, { KeyCode::F19, SDL_SCANCODE_F19 },
    { KeyCode::KeypadEquals, SDL_SCANCODE_KP_EQUALS }, { KeyCode::Keypad0, SDL_SCANCODE_KP_0 },
    { KeyCode::Keypad1, SDL_SCANCODE_KP_1 }, { KeyCode::Keypad2, SDL_SCANCODE_KP_2 },
    { KeyCode::Keypad3, SDL_SCANCODE_KP_3 }, { KeyCode::Keypad4, SDL_SCANCODE_KP_4 },
    { KeyCode::Keypad5, SDL_SCANCODE_KP_5 }, { KeyCode::Keypad6, SDL_SCANCODE_KP_6 },
    { KeyCode::Keypad7, SDL_SCANCODE_KP_7 }, { KeyCode::F20, SDL_SCANCODE_F20 },
    { KeyCode::Keypad8, SDL_SCANCODE_KP_8 }, { KeyCode::Keypad9, SDL_SCANCODE_KP_9 },
    { KeyCode::F5, SDL_SCANCODE_F5 }, { KeyCode::F6, SDL_SCANCODE_F6 }, { KeyCode::F7, SDL_SCANCODE_F7 },
    { KeyCode::F3, SDL_SCANCODE_F3 }, { KeyCode::F8, SDL_SCANCODE_F8 }, { KeyCode::F9, SDL_SCANCODE_F9 },
    { KeyCode::F11, SDL_SCANCODE_F11 }, { KeyCode::F13, SDL_SCANCODE_F13 }, { KeyCode::F16, SDL_SCANCODE_F16 },
    { KeyCode::F14, SDL_SCANCODE_F14 }, { KeyCode::F10, SDL_SCANCODE_F10 },
    { KeyCode::Menu, SDL_SCANCODE_APPLICATION }, { KeyCode::F12, SDL_SCANCODE_F12 },
    { KeyCode::F15, SDL_SCANCODE_F15 }, { KeyCode::Help, SDL_SCANCODE_INSERT }, { KeyCode::Home, SDL_SCANCODE_HOME },
    { KeyCode::PageUp, SDL_SCANCODE_PAGEUP }, { KeyCode::ForwardDelete, SDL_SCANCODE_DELETE },
    { KeyCode::F4, SDL_SCANCODE_F4 }, { KeyCode::End, SDL_SCANCODE_END }, { KeyCode::F2, SDL_SCANCODE_F2 },
    { KeyCode::PageDown, SDL_SCANCODE_PAGEDOWN }, { KeyCode::F1, SDL_SCANCODE_F1 },
    { KeyCode::LeftArrow, SDL_SCANCODE_LEFT }, { KeyCode::RightArrow, SDL_SCANCODE_RIGHT },
    { KeyCode::DownArrow, SDL_SCANCODE_DOWN }, { KeyCode::UpArrow, SDL_SCANCODE_UP },
};

}

std::optional<KeyTable::Entry> KeyTable::find(base::KeyCode code)
{
    const auto* key = base::KeyCodes::find(static_cast<std::uint32_t>(code));
    if (!key)
        return std::nullopt;
    return Entry { key->code, key->name, key->keysym, scancodeFor(code) };
}

std::optional<base::KeyCode> KeyTable::codeForScancode(int scancode)
{
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return std::nullopt;
    for (const auto& [code, sc] : kScancodes)
        if (sc == scancode)
            return code;
    return std::nullopt;
}

int KeyTable::scancodeFor(base::KeyCode code)
{
    for (const auto& [c, sc] : kScancodes)
        if (c == code)
            return sc;
    return SDL_SCANCODE_UNKNOWN;
}

}
