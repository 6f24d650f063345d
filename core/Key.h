#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// A key the program can show and record, named by the Carbon virtual key code it sends.
struct Key {
    // The order is the declaration order the recorder and pop-up list keys in.
    // `return` and `delete` are C++ keywords, hence the trailing underscore on those two.
    enum class Value : uint8_t {
        a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y, z,
        zero, one, two, three, four, five, six, seven, eight, nine,
        period, quote, rightBracket, semicolon, slash, backslash, comma, equal, grave, leftBracket, minus,
        space, tab, return_,
        command, rightCommand, option, rightOption, control, rightControl, shift, rightShift, function, capsLock,
        pageUp, pageDown, home, end, upArrow, rightArrow, downArrow, leftArrow,
        f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13, f14, f15, f16, f17, f18, f19, f20,
        keypad0, keypad1, keypad2, keypad3, keypad4, keypad5, keypad6, keypad7, keypad8, keypad9,
        keypadClear, keypadDecimal, keypadDivide, keypadEnter, keypadEquals, keypadMinus, keypadMultiply,
        keypadPlus,
        escape, delete_, forwardDelete, help, volumeUp, volumeDown, mute,
    };
    // Key::r reads as the key, yet never converts to a key code by accident.
    using enum Value;
    static constexpr int count = static_cast<int>(mute) + 1;

    Value value { a };

    constexpr Key(Value v) : value(v) { }

    static std::optional<Key> withCarbonKeyCode(uint32_t carbonKeyCode);
    // Matches the lower-cased text against the names, characters and symbols each key accepts.
    static std::optional<Key> withString(std::string_view text);

    uint32_t carbonKeyCode() const;
    // As this desktop names the key: "R", "Space", "Page Up", "F5", "Ctrl" (the command key).
    std::string description() const;

    bool operator==(const Key&) const = default;
};

}
