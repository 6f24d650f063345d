#include "platform/base/KeyCodes.h"

#include <algorithm>
#include <array>

namespace base {

namespace {
using K = KeyCode;

constexpr std::array<KeyCodes::Key, 114> kKeys { {
    { K::A, "a", 0x61 }, { K::S, "s", 0x73 }, { K::D, "d", 0x64 }, { K::F, "f", 0x66 },
    { K::H, "h", 0x68 }, { K::G, "g", 0x67 }, { K::Z, "z", 0x7a }, { K::X, "x", 0x78 },
    { K::C, "c", 0x63 }, { K::V, "v", 0x76 }, { K::B, "b", 0x62 }, { K::Q, "q", 0x71 },
    { K::W, "w", 0x77 }, { K::E, "e", 0x65 }, { K::R, "r", 0x72 }, { K::Y, "y", 0x79 },
    { K::T, "t", 0x74 }, { K::Digit1, "1", 0x31 }, { K::Digit2, "2", 0x32 }, { K::Digit3, "3", 0x33 },
    { K::Digit4, "4", 0x34 }, { K::Digit6, "6", 0x36 }, { K::Digit5, "5", 0x35 }, { K::Equal, "equal", 0x3d },
    { K::Digit9, "9", 0x39 }, { K::Digit7, "7", 0x37 }, { K::Minus, "minus", 0x2d }, { K::Digit8, "8", 0x38 },
    { K::Digit0, "0", 0x30 }, { K::RightBracket, "bracketright", 0x5d }, { K::O, "o", 0x6f },
    { K::U, "u", 0x75 }, { K::LeftBracket, "bracketleft", 0x5b }, { K::I, "i", 0x69 }, { K::P, "p", 0x70 },
    { K::Return, "Return", 0xff0d }, { K::L, "l", 0x6c }, { K::J, "j", 0x6a },
    { K::Quote, "apostrophe", 0x27 }, { K::K, "k", 0x6b }, { K::Semicolon, "semicolon", 0x3b },
    { K::Backslash, "backslash", 0x5c }, { K::Comma, "comma", 0x2c }, { K::Slash, "slash", 0x2f },
    { K::N, "n", 0x6e }, { K::M, "m", 0x6d }, { K::Period, "period", 0x2e }, { K::Tab, "Tab", 0xff09 },
    { K::Space, "space", 0x20 }, { K::Grave, "grave", 0x60 },
    // The key labelled delete erases backwards: the PC keyboard's BackSpace.
    { K::Delete, "BackSpace", 0xff08 }, { K::Escape, "Escape", 0xff1b },
    // Command is the Ctrl key here, Control the Super key, Option Alt.
    { K::RightCommand, "Control_R", 0xffe4 }, { K::Command, "Control_L", 0xffe3 }, { K::Shift, "Shift_L", 0xffe1 },
    { K::CapsLock, "Caps_Lock", 0xffe5 }, { K::Option, "Alt_L", 0xffe9 }, { K::Control, "Super_L", 0xffeb },
    { K::RightShift, "Shift_R", 0xffe2 }, { K::RightOption, "Alt_R", 0xffea },
    { K::RightControl, "Super_R", 0xffec }, { K::Function, "XF86Fn", 0x100811d0 },
    { K::F17, "F17", 0xffce }, { K::KeypadDecimal, "KP_Decimal", 0xffae },
    { K::KeypadMultiply, "KP_Multiply", 0xffaa }, { K::KeypadPlus, "KP_Add", 0xffab },
    { K::KeypadClear, "Clear", 0xff0b }, { K::VolumeUp, "XF86AudioRaiseVolume", 0x1008ff13 },
    { K::VolumeDown, "XF86AudioLowerVolume", 0x1008ff11 }, { K::Mute, "XF86AudioMute", 0x1008ff12 },
    { K::KeypadDivide, "KP_Divide", 0xffaf }, { K::KeypadEnter, "KP_Enter", 0xff8d },
    { K::KeypadMinus, "KP_Subtract", 0xffad }, { K::F18, "F18", 0xffcf }, { K::F19, "F19", 0xffd0 },
    { K::KeypadEquals, "KP_Equal", 0xffbd }, { K::Keypad0, "KP_0", 0xffb0 }, { K::Keypad1, "KP_1", 0xffb1 },
    { K::Keypad2, "KP_2", 0xffb2 }, { K::Keypad3, "KP_3", 0xffb3 }, { K::Keypad4, "KP_4", 0xffb4 },
    { K::Keypad5, "KP_5", 0xffb5 }, { K::Keypad6, "KP_6", 0xffb6 }, { K::Keypad7, "KP_7", 0xffb7 },
    { K::F20, "F20", 0xffd1 }, { K::Keypad8, "KP_8", 0xffb8 }, { K::Keypad9, "KP_9", 0xffb9 },
    { K::F5, "F5", 0xffc2 }, { K::F6, "F6", 0xffc3 }, { K::F7, "F7", 0xffc4 }, { K::F3, "F3", 0xffc0 },
    { K::F8, "F8", 0xffc5 }, { K::F9, "F9", 0xffc6 }, { K::F11, "F11", 0xffc8 }, { K::F13, "F13", 0xffca },
    { K::F16, "F16", 0xffcd }, { K::F14, "F14", 0xffcb }, { K::F10, "F10", 0xffc7 },
    // The context-menu key of PC keyboards, where the layout has a gap.
    { K::Menu, "Menu", 0xff67 }, { K::F12, "F12", 0xffc9 },
    { K::F15, "F15", 0xffcc },
    // The help key sits where PC keyboards have Insert; a combination stored with it must
    // still be pressable here.
    { K::Help, "Insert", 0xff63 }, { K::Home, "Home", 0xff50 }, { K::PageUp, "Prior", 0xff55 },
    { K::ForwardDelete, "Delete", 0xffff }, { K::F4, "F4", 0xffc1 }, { K::End, "End", 0xff57 },
    { K::F2, "F2", 0xffbf }, { K::PageDown, "Next", 0xff56 }, { K::F1, "F1", 0xffbe },
    { K::LeftArrow, "Left", 0xff51 }, { K::RightArrow, "Right", 0xff53 }, { K::DownArrow, "Down", 0xff54 },
    { K::UpArrow, "Up", 0xff52 },
} };
}

std::span<const KeyCodes::Key> KeyCodes::all()
{
    return kKeys;
}

const KeyCodes::Key* KeyCodes::find(std::uint32_t code)
{
    auto found = std::lower_bound(kKeys.begin(), kKeys.end(), code,
        [](const Key& key, std::uint32_t wanted) { return std::uint32_t(key.code) < wanted; });
    if (found == kKeys.end() || std::uint32_t(found->code) != code)
        return nullptr;
    return &*found;
}

std::optional<KeyCode> KeyCodes::codeForKeysym(std::uint32_t keysym)
{
    if (keysym >= 'A' && keysym <= 'Z')
        keysym += 'a' - 'A';
    for (const Key& key : kKeys)
        if (key.keysym == keysym)
            return key.code;
    return std::nullopt;
}

}
