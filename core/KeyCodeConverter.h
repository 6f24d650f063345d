#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel {

// Key names ("R", "F5", "UP ARROW"; upper case only) to the virtual key codes of the ANSI
// layout, with whether the key may be used without a modifier. Class-level tables, filled
// with the known keys on first use.
class KeyCodeConverter {
public:
    static std::optional<uint16_t> keyCodeOfString(const std::string& name);
    static std::optional<bool> usableWithoutModifiers(const std::string& name);
    // Replaces an earlier entry of the same name.
    static void addCharacter(const std::string& name, uint16_t keyCode, bool withoutModifiers);
};

}
