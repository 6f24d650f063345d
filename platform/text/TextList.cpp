#include "platform/text/TextList.h"

#include "platform/text/Unicode.h"

#include <algorithm>
#include <array>
#include <utility>

namespace text {

namespace {

std::u16string roman(int n, bool upper)
{
    static constexpr std::array<std::pair<int, std::u16string_view>, 13> numerals { {
        { 1000, u"m" }, { 900, u"cm" }, { 500, u"d" }, { 400, u"cd" }, { 100, u"c" }, { 90, u"xc" },
        { 50, u"l" }, { 40, u"xl" }, { 10, u"x" }, { 9, u"ix" }, { 5, u"v" }, { 4, u"iv" }, { 1, u"i" },
    } };
    std::u16string out;
    for (const auto& [value, letters] : numerals) {
        for (; n >= value; n -= value)
            out += letters;
    }
    if (upper) {
        for (auto& c : out)
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return out;
}

// a … z, then aa, ab …, as lists count on past the alphabet.
std::u16string alphabetic(int n, bool upper)
{
    std::u16string out;
    for (; n > 0; n = (n - 1) / 26)
        out.insert(out.begin(), static_cast<char16_t>((upper ? u'A' : u'a') + (n - 1) % 26));
    return out;
}

std::u16string placeholder(std::string_view name, int n)
{
    if (name == "disc")
        return u"\u2022";
    if (name == "circle")
        return u"\u25E6";
    if (name == "square")
        return u"\u25AA";
    if (name == "hyphen")
        return u"\u2043";
    if (name == "check")
        return u"\u2713";
    if (name == "decimal")
        return toUtf16(std::to_string(n));
    if (name == "lower-alpha" || name == "lower-latin")
        return alphabetic(n, false);
    if (name == "upper-alpha" || name == "upper-latin")
        return alphabetic(n, true);
    if (name == "lower-roman")
        return roman(n, false);
    if (name == "upper-roman")
        return roman(n, true);
    return {};
}

}

std::u16string TextList::marker(std::string_view format, int itemNumber)
{
    // Roman numerals and letters have no zero or negative items; neither do list readers.
    int n = std::clamp(itemNumber, 1, 3999);
    std::u16string out;
    size_t i = 0;
    while (i < format.size()) {
        size_t open = format.find('{', i);
        size_t close = open == std::string_view::npos ? open : format.find('}', open);
        if (close == std::string_view::npos) {
            out += toUtf16(format.substr(i));
            break;
        }
        out += toUtf16(format.substr(i, open - i));
        out += placeholder(format.substr(open + 1, close - open - 1), n);
        i = close + 1;
    }
    return out;
}

}
