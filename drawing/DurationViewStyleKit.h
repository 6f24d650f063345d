#pragma once

#include "drawing/KitFrame.h"
#include "drawing/KitSelectors.h"

namespace ostrel {

// The duration read-out: two groups of digits, each followed by a small unit label, at fixed
// coordinates of the calling view (200 x 80, or 100 x 40 for the small layout).
class DurationViewStyleKit {
public:
    DurationViewStyleKit() = delete;

    static void drawDurationView(std::string_view firstLabel, std::string_view secondLabel, std::string_view firstDigits,
        std::string_view secondDigits, double digitSize, double labelBottomInset, double labelSize, bool disabled);
    static void drawSmallDurationView(std::string_view firstLabel, std::string_view secondLabel, std::string_view firstDigits,
        std::string_view secondDigits, double digitSize, double labelBottomInset, double labelSize, bool disabled);

    static const KitSelectorTable& selectors();
    static std::optional<KitResult> perform(std::string_view selector, std::span<const KitArgument> arguments = {})
    {
        return selectors().perform(selector, arguments);
    }
};

}
