#pragma once

#include "platform/base/Utf8.h"

namespace text {

// Text is indexed in UTF-16 code units everywhere, as the lengths of the log and the pads are
// counted; the base layer's conversions are where UTF-8 from files and settings crosses
// that line.
using base::toUtf16;
using base::toUtf8;

// The newline set: line feed, vertical tab, form feed, carriage return, next line, line and
// paragraph separator. Each one ends a line on its own, so CR LF is two line ends.
constexpr bool isNewline(char16_t c)
{
    return (c >= 0x000A && c <= 0x000D) || c == 0x0085 || c == 0x2028 || c == 0x2029;
}

constexpr bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}
