#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"

#include <optional>
#include <string>
#include <string_view>

namespace gfx {

// The one form in which colours and fonts are kept in the settings: a short JSON text,
//   {"color":[r,g,b,a]}   and   {"font":"Helvetica-Bold","size":12,"weight":"bold","digits":"proportional"}
// Anything unreadable (wrong type, missing fields, components that are not finite numbers,
// a size that is not positive) reads as none; components outside 0…1 are clamped.
std::string archiveColor(const Color& color);
std::optional<Color> unarchiveColor(std::string_view archive);

std::string archiveFont(const Font& font);
std::optional<Font> unarchiveFont(std::string_view archive);

}
