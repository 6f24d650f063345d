#pragma once

#include "platform/gfx/Font.h"
#include "platform/gfx/Path.h"

#include <string_view>

namespace ostrel {

// The text's glyphs as one outline, y up, moved up so that the lowest point of the glyphs
// is at y = 0 (as though set in a flipped picture and flipped upright within its bounds).
gfx::Path bezierWithFont(std::string_view text, const gfx::Font& font);

}
