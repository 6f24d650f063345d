#pragma once

#include "platform/ui/TextFormatter.h"

#include <string>

namespace ostrel {

// What an integer text field lets the user type: nothing, or a whole number (an optional
// sign, then digits) that fits the field's 32 bits and is not above the maximum. The minimum
// plays no part while typing; the field applies it on Return. A sign alone is refused, so a
// negative number cannot be typed from its first keystroke.
class IntegerValidatingNumberFormatter : public ui::IntegerFormatter {
public:
    bool isPartialStringValid(const std::string& text) const override;
};

}
