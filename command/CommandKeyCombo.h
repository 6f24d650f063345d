#pragma once

// The pop-up only carries key combinations to show them; the value type itself belongs to
// the core model. Until that lands, a stand-in with the same two fields keeps this folder
// building on its own.
#if __has_include("core/KeyCombo.h")
#include "core/KeyCombo.h"
#else
#include <cstdint>

namespace ostrel {

struct KeyCombo {
    std::uint32_t carbonKeyCode { 0 };
    std::uint32_t carbonModifiers { 0 };
    bool operator==(const KeyCombo&) const = default;
};

}
#endif
