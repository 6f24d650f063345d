#include "platform/ui/TextNavigation.h"

#include "platform/text/Unicode.h"

#include <algorithm>

namespace ui::TextNavigation {

namespace {

bool isWordCharacter(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' || c == u'\''
        || (c >= 0x00C0 && !text::isNewline(c) && c != 0x2014 && c != 0x2013 && c != 0x00A0 && c != text::attachmentCharacter);
}

}

text::Range paragraphRange(const std::u16string& s, std::size_t index)
{
    std::size_t start = std::min(index, s.size());
    while (start > 0 && !text::isNewline(s[start - 1]))
        --start;
    std::size_t end = std::min(index, s.size());
    while (end < s.size() && !text::isNewline(s[end]))
        ++end;
    return { start, end - start };
}

std::size_t wordBoundary(const std::u16string& s, std::size_t index, int direction)
{
    index = std::min(index, s.size());
    if (direction < 0) {
        while (index > 0 && !isWordCharacter(s[index - 1]))
            --index;
        while (index > 0 && isWordCharacter(s[index - 1]))
            --index;
    } else {
        while (index < s.size() && !isWordCharacter(s[index]))
            ++index;
        while (index < s.size() && isWordCharacter(s[index]))
            ++index;
    }
    return index;
}

std::size_t lineBoundary(const text::RichTextLayout& layout, const std::u16string& s, std::size_t index, int direction)
{
    if (index > s.size())
        return direction < 0 ? 0 : s.size();
    auto line = layout.lineAt(index);
    if (direction < 0)
        return line.range.location;
    // Before the line's own newline, if it ends in one.
    std::size_t end = line.range.end();
    if (end > line.range.location && end <= s.size() && text::isNewline(s[end - 1]))
        --end;
    return end;
}

std::size_t verticalMove(const text::RichTextLayout& layout, std::size_t length, std::size_t index, int direction, double distance)
{
    gfx::Rect caret = layout.caretRect(index);
    distance = std::max(1.0, distance);
    gfx::Point target(caret.minX(), direction < 0 ? caret.minY() - distance : caret.maxY() + distance);
    if (target.y < 0)
        return 0;
    if (target.y >= layout.boundingRect().height())
        return length;
    return layout.indexAt(target);
}

}
