#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"

#include <string>

namespace base {
class Defaults;
}

namespace ostrel {

// Colours and fonts kept in the settings are outside input: what does not unarchive reads
// as the registered value given here, with a logged line, never as a failure.
gfx::Color readColorSetting(const base::Defaults& store, const std::string& key, const gfx::Color& registered);
// The same, logging the caller's own words for an unreadable value.
gfx::Color readColorSetting(const base::Defaults& store, const std::string& key, const gfx::Color& registered,
    const std::string& unreadableLine);
gfx::Font readFontSetting(const base::Defaults& store, const std::string& key, const gfx::Font& registered);

// The values the pads fall back on, and that the main settings table registers.
inline const gfx::Color padTextColorDefault = gfx::colors::black;
inline const gfx::Font padFontDefault = gfx::Font::named("Helvetica", 12);

// The pads' text colour and default font ("textColor", "defaultFont") as the pads read them.
gfx::Color padTextColor(const base::Defaults& store);
gfx::Font padDefaultFont(const base::Defaults& store);

}
