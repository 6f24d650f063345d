#include "platform/text/RtfNumbering.h"

#include "platform/text/TextList.h"
#include "platform/text/Unicode.h"

#include <algorithm>

namespace text::rtf {

namespace {

// Level texts mark the place of level N's number with the character N.
constexpr bool isLevelNumber(char16_t c)
{
    return c < 9;
}

// The common bullets of symbol fonts have a place of their own in Unicode; any other is
// drawn as a disc.
char16_t fromSymbolFont(char16_t c)
{
    if (!isPrivateUse(c))
        return c;
    switch (c) {
    case 0xE009:
        return 0x25E6;
    case 0xE00B:
    case 0xF0A7:
        return 0x25AA;
    case 0xF06E:
        return 0x25A0;
    case 0xF076:
        return 0x2756;
    case 0xF0D8:
        return 0x27A2;
    case 0xF0FC:
        return 0x2713;
    default:
        return 0x2022;
    }
}

}

std::string markerFormat(std::optional<int> numberFormat, std::optional<std::u16string_view> levelText, int level)
{
    bool numbered = numberFormat && *numberFormat != bulletFormat && *numberFormat != noNumberFormat;
    // A number in a style that markers have no name for reads best as a decimal one.
    std::string number = numbered ? "{" + std::string(numberStyle(*numberFormat).value_or("decimal")) + "}" : "";
    // A level text of nothing but its end (";") says nothing.
    if (!levelText || levelText->empty() || levelText->front() == u';') {
        if (numberFormat == noNumberFormat)
            return {};
        return numbered ? number : "{disc}";
    }
    std::u16string_view text = levelText->substr(1, std::min<size_t>(levelText->front(), levelText->size() - 1));
    size_t own = text.find(static_cast<char16_t>(level));
    if (own == std::u16string_view::npos) {
        auto last = std::find_if(text.rbegin(), text.rend(), isLevelNumber);
        own = last == text.rend() ? std::u16string_view::npos : static_cast<size_t>(text.rend() - last) - 1;
    }
    if (numbered && own != std::u16string_view::npos) {
        // The text between another level's number and this one's separates the two.
        auto before = text.substr(0, own);
        if (std::any_of(before.begin(), before.end(), isLevelNumber))
            before = {};
        auto after = text.substr(own + 1);
        after = after.substr(0, static_cast<size_t>(std::find_if(after.begin(), after.end(), isLevelNumber) - after.begin()));
        return TextList::formatOf(before) + number + TextList::formatOf(after);
    }
    std::u16string shown;
    for (char16_t c : text) {
        if (!isLevelNumber(c))
            shown.push_back(fromSymbolFont(c));
    }
    return TextList::formatOf(shown);
}

}
