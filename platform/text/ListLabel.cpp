#include "platform/text/ListLabel.h"

#include "platform/text/Attributes.h"
#include "platform/text/TextList.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <string>

namespace text {

namespace {

constexpr bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == 0x00A0 || (c >= 0x2002 && c <= 0x200B) || c == 0x202F || c == 0x3000;
}

// One symbol that is neither a letter nor a digit, or one that a symbol font draws.
bool isBullet(std::u16string_view marker)
{
    bool one = marker.size() == 1 || (marker.size() == 2 && isHighSurrogate(marker[0]) && isLowSurrogate(marker[1]));
    if (!one || (marker[0] >= u'0' && marker[0] <= u'9'))
        return false;
    return scriptClass(marker[0]) == ScriptClass::Neutral || isPrivateUse(marker[0]);
}

// Decimal numbers run on past the items other styles can count.
bool isNumber(std::string_view style, std::u16string_view text)
{
    if (style == "decimal")
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    return TextList::itemNumber("{" + std::string(style) + "}", text).has_value();
}

bool isNumbering(std::string_view format, std::u16string_view marker)
{
    auto pieces = TextList::pieces(format);
    auto number = std::find_if(pieces.begin(), pieces.end(), [](const auto& piece) { return !piece.numberStyle.empty(); });
    if (number == pieces.end())
        return false;
    while (!marker.empty() && (marker.front() == u'(' || marker.front() == u'['))
        marker.remove_prefix(1);
    while (!marker.empty() && (marker.back() == u'.' || marker.back() == u')' || marker.back() == u']' || marker.back() == u':'))
        marker.remove_suffix(1);
    if (marker.empty())
        return false;
    for (size_t dot; (dot = marker.find(u'.')) != std::u16string_view::npos; marker.remove_prefix(dot + 1)) {
        auto above = marker.substr(0, dot);
        if (!isNumber("decimal", above) && !isNumber(number->numberStyle, above))
            return false;
    }
    return isNumber(number->numberStyle, marker);
}

}

bool ListLabel::isMarker(std::string_view format, std::u16string_view marker)
{
    // An attachment is a file of the text, never a label.
    if (marker.empty() || marker.size() > longestMarker || isSpace(marker.front()) || isSpace(marker.back())
        || std::any_of(marker.begin(), marker.end(), [](char16_t c) { return isNewline(c) || c == attachmentCharacter; }))
        return false;
    return TextList::itemNumber(format, marker) || isBullet(marker) || isNumbering(format, marker);
}

std::u16string_view ListLabel::marker(std::u16string_view label)
{
    while (!label.empty() && isSpace(label.front()))
        label.remove_prefix(1);
    while (!label.empty() && isSpace(label.back()))
        label.remove_suffix(1);
    return label;
}

size_t ListLabel::length(std::u16string_view paragraph, std::string_view format)
{
    size_t start = 0;
    while (start < paragraph.size() && start < longestMarker && isSpace(paragraph[start]))
        ++start;
    size_t tab = paragraph.find(u'\t', start);
    if (tab == std::u16string_view::npos || tab - start > longestMarker)
        return 0;
    return isMarker(format, marker(paragraph.substr(start, tab - start))) ? tab + 1 : 0;
}

}
