#include "platform/base/KeyNames.h"

#include "platform/base/KeyCodes.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace base {

namespace {

using K = KeyCode;

// Keys whose name is not simply what they type: letters show upper case, digits and
// punctuation as they type unshifted, which the keysym already is for those.
constexpr std::pair<KeyCode, std::string_view> kNamed[] = {
    { K::Return, "Enter" }, { K::Tab, "Tab" }, { K::Space, "Space" }, { K::Delete, "Backspace" },
    { K::Escape, "Esc" }, { K::Command, "Ctrl" }, { K::RightCommand, "Right Ctrl" }, { K::Shift, "Shift" },
    { K::RightShift, "Right Shift" }, { K::CapsLock, "Caps Lock" }, { K::Option, "Alt" }, { K::RightOption, "Right Alt" },
    { K::Control, "Super" }, { K::RightControl, "Right Super" }, { K::Function, "Fn" },
    { K::KeypadDecimal, "Keypad ." }, { K::KeypadMultiply, "Keypad *" }, { K::KeypadPlus, "Keypad +" },
    { K::KeypadClear, "Clear" }, { K::KeypadDivide, "Keypad /" }, { K::KeypadEnter, "Keypad Enter" },
    { K::KeypadMinus, "Keypad -" }, { K::KeypadEquals, "Keypad =" }, { K::Keypad0, "Keypad 0" },
    { K::Keypad1, "Keypad 1" }, { K::Keypad2, "Keypad 2" }, { K::Keypad3, "Keypad 3" }, { K::Keypad4, "Keypad 4" },
    { K::Keypad5, "Keypad 5" }, { K::Keypad6, "Keypad 6" }, { K::Keypad7, "Keypad 7" }, { K::Keypad8, "Keypad 8" },
    { K::Keypad9, "Keypad 9" }, { K::VolumeUp, "Volume Up" }, { K::VolumeDown, "Volume Down" }, { K::Mute, "Mute" },
    { K::Help, "Insert" }, { K::Home, "Home" }, { K::End, "End" }, { K::PageUp, "Page Up" },
    { K::PageDown, "Page Down" }, { K::ForwardDelete, "Delete" }, { K::LeftArrow, "Left" },
    { K::RightArrow, "Right" }, { K::UpArrow, "Up" }, { K::DownArrow, "Down" },
};

// Letters, digits and punctuation: the character the key types unshifted, upper-cased.
constexpr std::string_view kTyped[] = { "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P",
    "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "=", "-", "]",
    "[", "'", ";", "\\", ",", "/", ".", "`" };

std::string_view typedName(std::uint32_t keysym)
{
    for (std::string_view name : kTyped) {
        auto c = static_cast<unsigned char>(name[0]);
        if (keysym == c || (c >= 'A' && c <= 'Z' && keysym == std::uint32_t(c) + ('a' - 'A')))
            return name;
    }
    return {};
}

}

std::string_view KeyNames::name(std::uint32_t keyCode)
{
    const KeyCodes::Key* key = KeyCodes::find(keyCode);
    if (!key)
        return {};
    for (const auto& [code, name] : kNamed)
        if (code == key->code)
            return name;
    if (auto typed = typedName(key->keysym); !typed.empty())
        return typed;
    // The function keys: X's name is the desktop's.
    return key->name;
}

std::optional<std::uint32_t> KeyNames::codeNamed(std::string_view wanted)
{
    auto same = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    };
    for (const auto& key : KeyCodes::all())
        if (same(name(std::uint32_t(key.code)), wanted))
            return std::uint32_t(key.code);
    return std::nullopt;
}

std::string KeyNames::modifiers(std::uint32_t keyModifiers)
{
    std::string text;
    if (keyModifiers & KeyModifier::Control)
        text += "Super+";
    if (keyModifiers & KeyModifier::Command)
        text += "Ctrl+";
    if (keyModifiers & KeyModifier::Option)
        text += "Alt+";
    if (keyModifiers & KeyModifier::Shift)
        text += "Shift+";
    return text;
}

std::string KeyNames::shortcut(std::uint32_t keyModifiers, std::uint32_t keyCode)
{
    std::string text = modifiers(keyModifiers);
    std::string_view key = name(keyCode);
    if (key.empty() && !text.empty())
        text.pop_back();
    return text + std::string(key);
}

std::string KeyNames::shortcut(std::uint32_t keyModifiers, std::string_view keyEquivalent)
{
    std::string key;
    if (keyEquivalent == "\r")
        key = name(std::uint32_t(KeyCode::Return));
    else if (keyEquivalent == "\x1b")
        key = name(std::uint32_t(KeyCode::Escape));
    else if (keyEquivalent == "\t")
        key = name(std::uint32_t(KeyCode::Tab));
    else if (keyEquivalent == " ")
        key = name(std::uint32_t(KeyCode::Space));
    else if (keyEquivalent == "\x7f" || keyEquivalent == "\b")
        key = name(std::uint32_t(KeyCode::Delete));
    else if (keyEquivalent.size() == 1)
        key = typedName(static_cast<unsigned char>(keyEquivalent[0]));
    else if (auto code = codeNamed(keyEquivalent))
        key = name(*code);
    // A character no key types unshifted (a non-ASCII letter) shows as itself.
    if (key.empty())
        key = keyEquivalent;
    return modifiers(keyModifiers) + key;
}

}
