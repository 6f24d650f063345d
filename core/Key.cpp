#include "core/Key.h"

#include "platform/base/KeyNames.h"

#include <array>
#include <initializer_list>

namespace ostrel {

namespace {

struct KeyInfo {
    uint8_t code;
    const char* name;    // accepted, and the name the key goes by
    const char* symbol;  // the key's symbol, as menus of the other desktop show it
    bool acceptsSymbol;  // whether the symbol also names the key
    std::initializer_list<const char*> alsoAccepts;
};

// Codes are the kVK_ values of the Carbon keyboard layout.
const std::array<KeyInfo, Key::count>& table()
{
    static const std::array<KeyInfo, Key::count> keys { {
        { 0x00, "a", "A", false, {} }, { 0x0B, "b", "B", false, {} }, { 0x08, "c", "C", false, {} },
        { 0x02, "d", "D", false, {} }, { 0x0E, "e", "E", false, {} }, { 0x03, "f", "F", false, {} },
        { 0x05, "g", "G", false, {} }, { 0x04, "h", "H", false, {} }, { 0x22, "i", "I", false, {} },
        { 0x26, "j", "J", false, {} }, { 0x28, "k", "K", false, {} }, { 0x25, "l", "L", false, {} },
        { 0x2E, "m", "M", false, {} }, { 0x2D, "n", "N", false, {} }, { 0x1F, "o", "O", false, {} },
        { 0x23, "p", "P", false, {} }, { 0x0C, "q", "Q", false, {} }, { 0x0F, "r", "R", false, {} },
        { 0x01, "s", "S", false, {} }, { 0x11, "t", "T", false, {} }, { 0x20, "u", "U", false, {} },
        { 0x09, "v", "V", false, {} }, { 0x0D, "w", "W", false, {} }, { 0x07, "x", "X", false, {} },
        { 0x10, "y", "Y", false, {} }, { 0x06, "z", "Z", false, {} },
        { 0x1D, "zero", "0", true, {} }, { 0x12, "one", "1", true, {} }, { 0x13, "two", "2", true, {} },
        { 0x14, "three", "3", true, {} }, { 0x15, "four", "4", true, {} }, { 0x17, "five", "5", true, {} },
        { 0x16, "six", "6", true, {} }, { 0x1A, "seven", "7", true, {} }, { 0x1C, "eight", "8", true, {} },
        { 0x19, "nine", "9", true, {} },
        { 0x2F, "period", ".", true, {} }, { 0x27, "quote", "\"", false, { "'" } },
        { 0x1E, "rightbracket", "]", true, {} }, { 0x29, "semicolon", ";", true, {} },
        { 0x2C, "slash", "/", true, {} }, { 0x2A, "backslash", "\\", true, {} }, { 0x2B, "comma", ",", true, {} },
        { 0x18, "equal", "=", true, {} }, { 0x32, "grave", "`", true, { "\u02CB", "\uFF40" } },
        { 0x21, "leftbracket", "[", true, {} }, { 0x1B, "minus", "-", true, {} },
        { 0x31, "space", "\u2423", true, { " " } }, { 0x30, "tab", "\u21E5", true, { "\t" } },
        { 0x24, "return", "\u21A9\uFE0E", true, { "\r", "\u23CE", "\u2B90" } },
        { 0x37, "command", "\u2318", true, { "\uF8FF" } }, { 0x36, "rightcommand", "\u2318", false, {} },
        { 0x3A, "option", "\u2325", true, {} }, { 0x3D, "rightoption", "\u2325", false, {} },
        { 0x3B, "control", "\u2303", true, {} }, { 0x3E, "rightcontrol", "\u2303", false, {} },
        { 0x38, "shift", "\u21E7", true, {} }, { 0x3C, "rightshift", "\u21E7", false, {} },
        { 0x3F, "function", "fn", true, {} }, { 0x39, "capslock", "\u21EA", true, {} },
        { 0x74, "pageup", "\u21DE", true, {} }, { 0x79, "pagedown", "\u21DF", true, {} },
        { 0x73, "home", "\u2196", true, {} }, { 0x77, "end", "\u2198", true, {} },
        { 0x7E, "uparrow", "\u2191", true, {} }, { 0x7C, "rightarrow", "\u2192", true, {} },
        { 0x7D, "downarrow", "\u2193", true, {} }, { 0x7B, "leftarrow", "\u2190", true, {} },
        { 0x7A, "f1", "\uF860F1", true, {} }, { 0x78, "f2", "\uF860F2", true, {} },
        { 0x63, "f3", "\uF860F3", true, {} }, { 0x76, "f4", "\uF860F4", true, {} },
        { 0x60, "f5", "\uF860F5", true, {} }, { 0x61, "f6", "\uF860F6", true, {} },
        { 0x62, "f7", "\uF860F7", true, {} }, { 0x64, "f8", "\uF860F8", true, {} },
        { 0x65, "f9", "\uF860F9", true, {} }, { 0x6D, "f10", "\uF861F10", true, {} },
        { 0x67, "f11", "\uF861F11", true, {} }, { 0x6F, "f12", "\uF861F12", true, {} },
        { 0x69, "f13", "\uF861F13", true, {} }, { 0x6B, "f14", "\uF861F14", true, {} },
        { 0x71, "f15", "\uF861F15", true, {} }, { 0x6A, "f16", "\uF861F16", true, {} },
        { 0x40, "f17", "\uF861F17", true, {} }, { 0x4F, "f18", "\uF861F18", true, {} },
        { 0x50, "f19", "\uF861F19", true, {} }, { 0x5A, "f20", "\uF861F20", true, {} },
        { 0x52, "keypad0", "0", false, {} }, { 0x53, "keypad1", "1", false, {} },
        { 0x54, "keypad2", "2", false, {} }, { 0x55, "keypad3", "3", false, {} },
        { 0x56, "keypad4", "4", false, {} }, { 0x57, "keypad5", "5", false, {} },
        { 0x58, "keypad6", "6", false, {} }, { 0x59, "keypad7", "7", false, {} },
        { 0x5B, "keypad8", "8", false, {} }, { 0x5C, "keypad9", "9", false, {} },
        { 0x47, "keypadclear", "\u2327", false, { "\u2327" } }, { 0x41, "keypaddecimal", ".", false, {} },
        { 0x4B, "keypaddivide", "/", false, {} }, { 0x4C, "keypadenter", "\u21A9\uFE0E", false, {} },
        { 0x51, "keypadequals", "=", false, {} }, { 0x4E, "keypadminus", "-", false, {} },
        { 0x43, "keypadmultiply", "\U0001D5D1", false, {} }, { 0x45, "keypadplus", "+", false, {} },
        { 0x35, "escape", "\u238B", true, {} }, { 0x33, "delete", "\u232B", true, {} },
        { 0x75, "forwarddelete", "\u2326", true, {} }, { 0x72, "help", "?\u20DD", true, {} },
        { 0x48, "volumeup", "\U0001F50A", true, {} }, { 0x49, "volumedown", "\U0001F509", true, {} },
        { 0x4A, "mute", "\U0001F507", true, {} },
    } };
    return keys;
}

std::string lowerCased(std::string_view text)
{
    std::string lower(text);
    for (auto& ch : lower) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return lower;
}

}

std::optional<Key> Key::withCarbonKeyCode(uint32_t carbonKeyCode)
{
    auto& keys = table();
    for (int index = 0; index < count; ++index) {
        if (keys[index].code == carbonKeyCode)
            return Key(static_cast<Value>(index));
    }
    return std::nullopt;
}

std::optional<Key> Key::withString(std::string_view text)
{
    auto wanted = lowerCased(text);
    auto& keys = table();
    for (int index = 0; index < count; ++index) {
        auto& key = keys[index];
        bool matches = wanted == key.name || (key.acceptsSymbol && wanted == lowerCased(key.symbol));
        for (auto* other : key.alsoAccepts)
            matches = matches || wanted == other;
        if (matches)
            return Key(static_cast<Value>(index));
    }
    return std::nullopt;
}

uint32_t Key::carbonKeyCode() const
{
    return table()[static_cast<size_t>(value)].code;
}

std::string Key::description() const
{
    return std::string(base::KeyNames::name(carbonKeyCode()));
}

}
