#include "platform/base/Utf8.h"

namespace base {

namespace {

constexpr char32_t replacement = 0xFFFD;

void appendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Calls `emit` with every code point of `utf8`, and with U+FFFD (and `malformed` set) for
// each malformed sequence.
template<typename Emit>
void decodeUtf8(std::string_view utf8, Emit emit)
{
    size_t i = 0;
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            emit(char32_t(lead), false);
            ++i;
            continue;
        }
        int extra = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, c = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, c = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, c = lead & 0x07, minimum = 0x10000;
        } else {
            emit(replacement, true);
            ++i;
            continue;
        }
        size_t j = i + 1;
        for (; j < utf8.size() && j <= i + extra; ++j) {
            auto next = static_cast<unsigned char>(utf8[j]);
            if ((next & 0xC0) != 0x80)
                break;
            c = (c << 6) | (next & 0x3F);
        }
        // A short or overlong sequence, a surrogate or a value past Unicode is one error: the
        // bytes consumed so far become a single replacement character.
        if (j != i + 1 + extra || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            emit(replacement, true);
        else
            emit(c, false);
        i = j;
    }
}

}

std::u16string toUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    decodeUtf8(utf8, [&out](char32_t c, bool) { appendUtf16(out, c); });
    return out;
}

bool isValidUtf8(std::string_view bytes)
{
    bool valid = true;
    decodeUtf8(bytes, [&valid](char32_t, bool malformed) { valid = valid && !malformed; });
    return valid;
}

std::string toUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    auto isHigh = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    auto isLow = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    for (size_t i = 0; i < utf16.size(); ++i) {
        char16_t unit = utf16[i];
        if (isHigh(unit) && i + 1 < utf16.size() && isLow(utf16[i + 1])) {
            char32_t c = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(utf16[i + 1]) - 0xDC00);
            appendUtf8(out, c);
            ++i;
        } else if (isHigh(unit) || isLow(unit)) {
            appendUtf8(out, replacement);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

}
