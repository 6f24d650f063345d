#pragma once

#include <string>
#include <string_view>

namespace base {

// UTF-8 (files, settings, the desktop) to and from UTF-16 (the unit rich text is counted
// in). Malformed input becomes U+FFFD rather than being dropped, so nothing shifts silently.
std::u16string toUtf16(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

// Well-formed UTF-8: no short, overlong or surrogate sequence, nothing past U+10FFFF.
bool isValidUtf8(std::string_view bytes);

}
