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

// Symbol fonts draw their bullets at private code points, which other fonts leave empty.
constexpr bool isPrivateUse(char16_t c) { return c >= 0xE000 && c <= 0xF8FF; }

constexpr bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// How word processors sort text for fonts of their own: complex scripts (right-to-left and
// Indic, among others) and East Asian text each carry formatting besides the ordinary one
// that Latin text takes. Neutral characters (spaces, digits, punctuation, symbols) take the
// run's direction, and a continuing character (a mark, a joiner, a surrogate's second half)
// the class of the character before it; so does the zero-width no-break space, which joins
// the characters on either side.
enum class ScriptClass { Latin, Complex, EastAsian, Neutral, Continuing };

constexpr ScriptClass scriptClass(char16_t c)
{
    auto in = [c](char16_t first, char16_t last) { return c >= first && c <= last; };
    if (in(0x0300, 0x036F) || in(0x200C, 0x200D) || in(0xFE00, 0xFE0F) || in(0xFE20, 0xFE2F) || c == 0xFEFF
        || isLowSurrogate(c))
        return ScriptClass::Continuing;
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ? ScriptClass::Latin : ScriptClass::Neutral;
    if (in(0x0080, 0x00BF) || c == 0x00D7 || c == 0x00F7 || in(0x2000, 0x2BFF) || in(0xFFF0, 0xFFFF))
        return ScriptClass::Neutral;
    if (in(0x0590, 0x08FF) || in(0x0900, 0x0DFF) || in(0x0E00, 0x0FFF) || in(0x1000, 0x109F) || in(0x1780, 0x18AF)
        || in(0x19E0, 0x19FF) || in(0x1CD0, 0x1CFF) || in(0xA8E0, 0xA8FF) || in(0xA9E0, 0xA9FF) || in(0xAA60, 0xAA7F)
        || in(0xFB1D, 0xFDFF) || in(0xFE70, 0xFEFC))
        return ScriptClass::Complex;
    // The high surrogates of planes 2 and 3 hold nothing but CJK ideographs.
    if (in(0x1100, 0x11FF) || in(0x2E80, 0x2FFF) || in(0x3000, 0x9FFF) || in(0xA000, 0xA4CF) || in(0xA960, 0xA97F)
        || in(0xAC00, 0xD7FF) || in(0xD840, 0xD8BF) || in(0xF900, 0xFAFF) || in(0xFE30, 0xFE4F) || in(0xFF00, 0xFFEF))
        return ScriptClass::EastAsian;
    return isHighSurrogate(c) ? ScriptClass::Neutral : ScriptClass::Latin;
}

}
