#pragma once

#include <string>
#include <string_view>

namespace text {

// Text is indexed in UTF-16 code units everywhere, as the lengths of the log and the pads are
// counted; these are the one place where UTF-8 from files and settings crosses that line.
// Malformed input becomes U+FFFD rather than being dropped, so nothing shifts silently.
std::u16string toUtf16(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

// The newline set: line feed, vertical tab, form feed, carriage return, next line, line and
// paragraph separator. Each one ends a line on its own, so CR LF is two line ends.
constexpr bool isNewline(char16_t c)
{
    return (c >= 0x000A && c <= 0x000D) || c == 0x0085 || c == 0x2028 || c == 0x2029;
}

constexpr bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}
