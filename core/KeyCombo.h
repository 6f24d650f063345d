#pragma once

#include "core/Key.h"

#include "platform/base/Value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// Carbon modifier mask bits, the form a combination is stored and registered in.
namespace CarbonModifier {
constexpr uint32_t command = 0x100;
constexpr uint32_t shift = 0x200;
constexpr uint32_t option = 0x800;
constexpr uint32_t control = 0x1000;
}

// Event modifier flags, the form the window system reports key events and menu key
// equivalents in.
namespace EventModifier {
constexpr uint64_t capsLock = 0x10000;
constexpr uint64_t shift = 0x20000;
constexpr uint64_t control = 0x40000;
constexpr uint64_t option = 0x80000;
constexpr uint64_t command = 0x100000;
constexpr uint64_t numericPad = 0x200000;
constexpr uint64_t function = 0x800000;
}

// Both conversions keep command, shift, option and control and drop every other bit.
uint32_t carbonModifiersFromEventModifiers(uint64_t eventModifiers);
uint64_t eventModifiersFromCarbonModifiers(uint32_t carbonModifiers);
// As this desktop shows them: "Super+Ctrl+Alt+Shift+", each only when its modifier is set
// (control is the Super key, command Ctrl, option Alt).
std::string modifierSymbols(uint64_t eventModifiers);

// One keyboard shortcut: a Carbon key code and a Carbon modifier mask.
struct KeyCombo {
    uint32_t carbonKeyCode { 0 };
    uint32_t carbonModifiers { 0 };

    KeyCombo(uint32_t carbonKeyCode, uint32_t carbonModifiers)
        : carbonKeyCode(carbonKeyCode)
        , carbonModifiers(carbonModifiers)
    {
    }
    KeyCombo(Key key, uint64_t eventModifiers)
        : carbonKeyCode(key.carbonKeyCode())
        , carbonModifiers(carbonModifiersFromEventModifiers(eventModifiers))
    {
    }

    std::optional<Key> key() const { return Key::withCarbonKeyCode(carbonKeyCode); }
    uint64_t modifiers() const { return eventModifiersFromCarbonModifiers(carbonModifiers); }
    // "Super+R", "Ctrl+Alt+N", "F1": the modifiers, then the key's name when the code names
    // one (the modifiers alone otherwise, "Ctrl").
    std::string description() const;

    // {"keyCode": code, "modifiers": mask}; read back only when both are integers that fit.
    base::Value::Dictionary dictionary() const;
    static std::optional<KeyCombo> fromDictionary(const base::Value::Dictionary& dictionary);

    bool operator==(const KeyCombo&) const = default;
};

// The JSON text a hot-key setting holds: {"carbonKeyCode":15,"carbonModifiers":4096}, or
// null for no combination.
std::string keyComboJSON(const std::optional<KeyCombo>& combo);
// The text a setting holds, read as outside input: anything but an object with both members
// as unsigned 32-bit integers, or null, is no answer at all.
std::optional<std::optional<KeyCombo>> keyComboFromJSON(std::string_view text);

template<typename T>
struct JsonTraits;

template<>
struct JsonTraits<std::optional<KeyCombo>> {
    static std::optional<std::string> encode(const std::optional<KeyCombo>& combo) { return keyComboJSON(combo); }
    static std::optional<std::optional<KeyCombo>> decode(std::string_view text) { return keyComboFromJSON(text); }
};

}
