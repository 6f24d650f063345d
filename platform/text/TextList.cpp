#include "platform/text/TextList.h"

#include "platform/text/Unicode.h"

#include <algorithm>
#include <array>
#include <iterator>
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

bool isNumberStyle(std::string_view name)
{
    return name == "decimal" || name == "lower-alpha" || name == "lower-latin" || name == "upper-alpha" || name == "upper-latin"
        || name == "lower-roman" || name == "upper-roman";
}

struct Bullet {
    std::string_view name;
    std::u16string_view text;
};

constexpr Bullet bullets[] = {
    { "disc", u"\u2022" }, { "circle", u"\u25E6" }, { "square", u"\u25AA" }, { "hyphen", u"\u2043" }, { "check", u"\u2713" },
};

std::u16string bullet(std::string_view name)
{
    for (const auto& b : bullets) {
        if (b.name == name)
            return std::u16string(b.text);
    }
    return {};
}

std::u16string number(std::string_view style, int n)
{
    if (style == "decimal")
        return toUtf16(std::to_string(n));
    if (style == "lower-alpha" || style == "lower-latin")
        return alphabetic(n, false);
    if (style == "upper-alpha" || style == "upper-latin")
        return alphabetic(n, true);
    return roman(n, style == "upper-roman");
}

// The value of the numeral that `text` starts with, read as `style` writes it; whether it
// is written exactly so is for the caller to check.
std::optional<int> leadingNumber(std::string_view style, std::u16string_view text)
{
    constexpr size_t longestNumeral = 16;
    int value = 0;
    if (style == "decimal") {
        for (size_t i = 0; i < text.size() && i < 4 && text[i] >= u'0' && text[i] <= u'9'; ++i)
            value = value * 10 + (text[i] - u'0');
        return value > 0 ? std::optional(value) : std::nullopt;
    }
    bool upper = style.starts_with("upper");
    char16_t a = upper ? u'A' : u'a';
    if (style.ends_with("roman")) {
        static constexpr std::u16string_view letters = u"ivxlcdm";
        static constexpr int values[] = { 1, 5, 10, 50, 100, 500, 1000 };
        int previous = 0;
        for (size_t i = 0; i < text.size() && i < longestNumeral; ++i) {
            auto at = letters.find(static_cast<char16_t>(text[i] - a + u'a'));
            if (text[i] < a || text[i] > a + 25 || at == std::u16string_view::npos)
                break;
            int v = values[at];
            value += v > previous && previous ? v - 2 * previous : v;
            previous = v;
        }
    } else {
        for (size_t i = 0; i < text.size() && i < 3 && text[i] >= a && text[i] <= a + 25; ++i)
            value = value * 26 + (text[i] - a + 1);
    }
    return value > 0 ? std::optional(value) : std::nullopt;
}

}

std::vector<TextList::Piece> TextList::pieces(std::string_view format)
{
    std::vector<Piece> out;
    auto text = [&out](std::u16string s) {
        if (s.empty())
            return;
        if (out.empty() || !out.back().numberStyle.empty())
            out.push_back({});
        out.back().text += s;
    };
    size_t i = 0;
    while (i < format.size()) {
        size_t open = format.find('{', i);
        size_t close = open == std::string_view::npos ? open : format.find('}', open);
        if (close == std::string_view::npos) {
            text(toUtf16(format.substr(i)));
            break;
        }
        text(toUtf16(format.substr(i, open - i)));
        std::string_view name = format.substr(open + 1, close - open - 1);
        if (isNumberStyle(name))
            out.push_back({ {}, std::string(name) });
        else
            text(bullet(name));
        i = close + 1;
    }
    return out;
}

std::u16string TextList::marker(std::string_view format, int itemNumber)
{
    // Roman numerals and letters have no zero or negative items; neither do list readers.
    int n = std::clamp(itemNumber, 1, 3999);
    std::u16string out;
    for (const auto& piece : pieces(format))
        out += piece.numberStyle.empty() ? piece.text : number(piece.numberStyle, n);
    return out;
}

std::string TextList::formatOf(std::u16string_view marker)
{
    for (const auto& b : bullets) {
        if (b.text == marker)
            return "{" + std::string(b.name) + "}";
    }
    // Braces would open a name.
    std::u16string literal;
    std::copy_if(marker.begin(), marker.end(), std::back_inserter(literal), [](char16_t c) { return c != u'{' && c != u'}'; });
    return toUtf8(literal);
}

std::optional<int> TextList::itemNumber(std::string_view format, std::u16string_view text)
{
    auto all = pieces(format);
    auto first = std::find_if(all.begin(), all.end(), [](const Piece& piece) { return !piece.numberStyle.empty(); });
    if (first == all.end())
        return marker(format, 1) == text ? std::optional(1) : std::nullopt;
    size_t prefix = first == all.begin() ? 0 : std::prev(first)->text.size();
    if (text.substr(0, prefix) != (first == all.begin() ? u"" : std::prev(first)->text))
        return std::nullopt;
    auto n = leadingNumber(first->numberStyle, text.substr(prefix));
    if (!n || *n > 3999 || marker(format, *n) != text)
        return std::nullopt;
    return n;
}

}
