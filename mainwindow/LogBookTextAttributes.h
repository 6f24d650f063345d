#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Shadow.h"
#include "platform/gfx/TextLayout.h"

#include <optional>

namespace ostrel {

// How one label of a log book row is drawn: one style for the whole text, with an optional
// shadow under it.
struct LogBookTextStyle {
    gfx::TextStyle style;
    std::optional<gfx::Shadow> shadow;
    // The underline colour the objective label names; the objective itself is drawn by its
    // own text view.
    std::optional<gfx::Color> underlineColor;
};

// The log book's text styles, shared by every row and made once: "Helvetica" at the given
// size (the system label font where Helvetica cannot be made), in the dark label colour, the
// focus levels in their own colours.
class LogBookTextAttributes {
public:
    static const gfx::Color& labelColor();
    // White, one point down, no blur.
    static const gfx::Shadow& shadow();

    static const LogBookTextStyle& objectiveLabelAttributes();
    static const LogBookTextStyle& durationLabelAttributes();
    static const LogBookTextStyle& flowFocusAttributes();
    static const LogBookTextStyle& highlyFocusedAttributes();
    static const LogBookTextStyle& goodFocusAttributes();
    static const LogBookTextStyle& distractedFocusAttributes();
    static const LogBookTextStyle& tagLabelAttributes();
    // An unknown focus text: the plain default, no colour of its own.
    static const LogBookTextStyle& unknownFocusAttributes();
};

}
