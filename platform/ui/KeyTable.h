#pragma once

#include "platform/base/KeyCodes.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace ui {

// The base layer's key-code table, extended with the SDL scancode of each key, so that the
// window system's events and the global hot keys speak of keys in the same codes.
class KeyTable {
public:
    struct Entry {
        base::KeyCode code;
        std::string_view name;
        std::uint32_t keysym;
        int scancode;
    };

    static std::optional<Entry> find(base::KeyCode code);
    static std::optional<base::KeyCode> codeForScancode(int scancode);
    static int scancodeFor(base::KeyCode code);
};

}
