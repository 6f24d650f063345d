#pragma once

#include "platform/gfx/Color.h"

#include <optional>

namespace ui {
class Button;
}

namespace ostrel {

// A button's title colour, kept in its attributed title: the colour of the first character
// (none when it carries none, or the title is empty); the platform's control text colour
// when the button has no attributed title to read.
std::optional<gfx::Color> textColor(const ui::Button& button);
// Colours the whole title, keeping its font and other attributes. Setting a plain title
// later drops the colour.
void setTextColor(ui::Button& button, const gfx::Color& color);

}
