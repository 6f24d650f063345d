#pragma once

#include "platform/gfx/Color.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace ostrel {

// The six pads of the main window in their fixed order, which is the pad index everywhere:
// the settings key that holds whether each is closed, its title, and for the three text pads
// the key of their background colour with the colour the pad's icons take as untouched.
struct PadDescription {
    const char* hiddenKey;
    const char* title;
    const char* colorKey;
    std::optional<gfx::Color> defaultColor;
};

class PadTable {
public:
    static constexpr std::size_t kNow = 0;
    static constexpr std::size_t kLater = 1;
    static constexpr std::size_t kScratch = 2;
    static constexpr std::size_t kLogBook = 3;
    static constexpr std::size_t kStatistics = 4;
    static constexpr std::size_t kHelp = 5;
    static constexpr std::size_t kCount = 6;

    static const std::array<PadDescription, kCount>& pads()
    {
        static const std::array<PadDescription, kCount> table { {
            { "nowPadHidden", "Now Pad", "nowPadBackgroundColor", gfx::Color::rgb(1.0, 1.0, 0.8) },
            { "laterPadHidden", "Later Pad", "laterPadBackgroundColor", gfx::Color::rgb(0.893307, 0.999776, 0.862248) },
            { "scratchPadHidden", "Scratch Pad", "scratchPadBackgroundColor", gfx::Color::rgb(0.92994, 0.929994, 1.0) },
            { "logBookPadHidden", "Log Book", nullptr, std::nullopt },
            { "statsPadHidden", "Statistics", nullptr, std::nullopt },
            { "helpPadHidden", "Help", nullptr, std::nullopt },
        } };
        return table;
    }
    static const PadDescription& pad(std::size_t index) { return pads().at(index); }
};

}
