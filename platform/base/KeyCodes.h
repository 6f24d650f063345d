#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace base {

// The virtual key codes of the ANSI keyboard layout in which key combinations are stored
// and exchanged (settings, hot keys, pop-up entries), with the X11 key each one means here.
enum class KeyCode : std::uint16_t {
    A = 0x00, S = 0x01, D = 0x02, F = 0x03, H = 0x04, G = 0x05, Z = 0x06, X = 0x07, C = 0x08, V = 0x09,
    B = 0x0B, Q = 0x0C, W = 0x0D, E = 0x0E, R = 0x0F, Y = 0x10, T = 0x11,
    Digit1 = 0x12, Digit2 = 0x13, Digit3 = 0x14, Digit4 = 0x15, Digit6 = 0x16, Digit5 = 0x17,
    Equal = 0x18, Digit9 = 0x19, Digit7 = 0x1A, Minus = 0x1B, Digit8 = 0x1C, Digit0 = 0x1D,
    RightBracket = 0x1E, O = 0x1F, U = 0x20, LeftBracket = 0x21, I = 0x22, P = 0x23, Return = 0x24,
    L = 0x25, J = 0x26, Quote = 0x27, K = 0x28, Semicolon = 0x29, Backslash = 0x2A, Comma = 0x2B,
    Slash = 0x2C, N = 0x2D, M = 0x2E, Period = 0x2F, Tab = 0x30, Space = 0x31, Grave = 0x32,
    Delete = 0x33, Escape = 0x35, RightCommand = 0x36, Command = 0x37, Shift = 0x38, CapsLock = 0x39,
    Option = 0x3A, Control = 0x3B, RightShift = 0x3C, RightOption = 0x3D, RightControl = 0x3E,
    Function = 0x3F, F17 = 0x40, KeypadDecimal = 0x41, KeypadMultiply = 0x43, KeypadPlus = 0x45,
    KeypadClear = 0x47, VolumeUp = 0x48, VolumeDown = 0x49, Mute = 0x4A, KeypadDivide = 0x4B,
    KeypadEnter = 0x4C, KeypadMinus = 0x4E, F18 = 0x4F, F19 = 0x50, KeypadEquals = 0x51,
    Keypad0 = 0x52, Keypad1 = 0x53, Keypad2 = 0x54, Keypad3 = 0x55, Keypad4 = 0x56, Keypad5 = 0x57,
    Keypad6 = 0x58, Keypad7 = 0x59, F20 = 0x5A, Keypad8 = 0x5B, Keypad9 = 0x5C,
    F5 = 0x60, F6 = 0x61, F7 = 0x62, F3 = 0x63, F8 = 0x64, F9 = 0x65, F11 = 0x67, F13 = 0x69,
    F16 = 0x6A, F14 = 0x6B, F10 = 0x6D, Menu = 0x6E, F12 = 0x6F, F15 = 0x71, Help = 0x72, Home = 0x73,
    PageUp = 0x74, ForwardDelete = 0x75, F4 = 0x76, End = 0x77, F2 = 0x78, PageDown = 0x79, F1 = 0x7A,
    LeftArrow = 0x7B, RightArrow = 0x7C, DownArrow = 0x7D, UpArrow = 0x7E,
};

// Modifier masks of a stored key combination.
namespace KeyModifier {
constexpr std::uint32_t Command = 0x100;
constexpr std::uint32_t Shift = 0x200;
constexpr std::uint32_t Option = 0x800;
constexpr std::uint32_t Control = 0x1000;
constexpr std::uint32_t All = Command | Shift | Option | Control;
}

class KeyCodes {
public:
    struct Key {
        KeyCode code;
        // The X keysym's own name, as xev and the desktop's shortcut settings print it.
        std::string_view name;
        // The X keysym value (0 where X has none).
        std::uint32_t keysym;
    };

    // The 114 keys, in code order.
    static std::span<const Key> all();

    // nullptr for codes that name no key (gaps of the layout, or above 0x7E).
    static const Key* find(std::uint32_t code);
    // Upper-case letters fold to their key, as X reports them with Shift held.
    static std::optional<KeyCode> codeForKeysym(std::uint32_t keysym);
};

}
