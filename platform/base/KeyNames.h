#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// Keys and combinations as a Linux desktop shows them: "Ctrl+Shift+S", "Super+R", "Alt+F4".
// A stored combination's Command is the Ctrl key here, its Control the Super key and its
// Option the Alt key (KeyModifier masks, KeyCode codes).
namespace KeyNames {

// "A", "1", ";", "Space", "Enter", "Page Up", "F5"; empty for a code that names no key.
std::string_view name(std::uint32_t keyCode);
// The key a name names, whatever its case ("f12", "Page Up"); none for a name of no key.
std::optional<std::uint32_t> codeNamed(std::string_view name);
// "Super+Ctrl+Alt+Shift+", each part only when its modifier is set; empty for none.
std::string modifiers(std::uint32_t keyModifiers);
// The modifiers, then the key's name; a code that names no key gives the modifiers alone,
// without their last "+".
std::string shortcut(std::uint32_t keyModifiers, std::uint32_t keyCode);
// For a menu's key equivalent given as the character it types ("s", ",", "\r", "\x1b") or
// as a key's name ("f12").
std::string shortcut(std::uint32_t keyModifiers, std::string_view keyEquivalent);

}

}
