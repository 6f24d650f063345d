#pragma once

#include <optional>
#include <string_view>

namespace ui {

// How many pixels show one point on the display, as the desktop asks for it: the X
// resources' Xft.dpi over 96 (2 at 192 dpi, in quarter steps), else the whole number in
// GDK_SCALE, else 1. Values that make no sense (none, below one, absurdly large, not a
// number) count as not set.
double displayScale(std::optional<std::string_view> xftDpi, const char* gdkScale);

// The Xft.dpi entry of the X resources text ("Xft.dpi:\t192"), none when there is none.
std::optional<std::string_view> xftDpiResource(std::string_view resources);

}
