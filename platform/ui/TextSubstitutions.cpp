#include "platform/ui/TextSubstitutions.h"

#include "platform/text/Unicode.h"

#include <glib.h>

#include <algorithm>
#include <string_view>

namespace ui {

namespace {

constexpr char16_t kLeftSingle = 0x2018;
constexpr char16_t kRightSingle = 0x2019;
constexpr char16_t kLeftDouble = 0x201C;
constexpr char16_t kRightDouble = 0x201D;
constexpr char16_t kEmDash = 0x2014;

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029 || c == 0xA0; }

// After these a quote opens rather than closes.
bool opensQuote(char16_t c)
{
    return isSpace(c) || std::u16string_view(u"([{<\u2018\u201C-\u2013\u2014/").find(c) != std::u16string_view::npos;
}

bool startsWith(std::u16string_view text, std::u16string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

}

bool TextSubstitutions::isWordCharacter(char16_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    // Surrogates belong to letters beyond the basic plane: never split a word at them.
    if (text::isHighSurrogate(c) || text::isLowSurrogate(c))
        return true;
    return g_unichar_isalnum(gunichar(c)) || g_unichar_ismark(gunichar(c));
}

std::optional<TextSubstitution> TextSubstitutions::smartQuote(const std::u16string& text, std::size_t typed)
{
    if (typed >= text.size() || (text[typed] != u'\'' && text[typed] != u'"'))
        return std::nullopt;
    bool opening = typed == 0 || opensQuote(text[typed - 1]);
    char16_t quote = text[typed] == u'\'' ? (opening ? kLeftSingle : kRightSingle) : (opening ? kLeftDouble : kRightDouble);
    return TextSubstitution { { typed, 1 }, std::u16string(1, quote), {} };
}

std::optional<TextSubstitution> TextSubstitutions::smartDash(const std::u16string& text, std::size_t typed)
{
    if (typed >= text.size() || typed < 2 || text[typed] == u'-')
        return std::nullopt;
    if (text[typed - 1] != u'-' || text[typed - 2] != u'-')
        return std::nullopt;
    if (typed >= 3 && text[typed - 3] == u'-')
        return std::nullopt;
    return TextSubstitution { { typed - 2, 2 }, std::u16string(1, kEmDash), {} };
}

std::optional<TextSubstitution> TextSubstitutions::smartLink(const text::AttributedString& text, std::size_t typed)
{
    const std::u16string& s = text.string();
    if (typed >= s.size() || typed == 0 || !isSpace(s[typed]))
        return std::nullopt;
    std::size_t start = typed;
    while (start > 0 && !isSpace(s[start - 1]))
        --start;
    std::size_t end = typed;
    // Punctuation that ends a sentence is no part of the address.
    while (end > start && std::u16string_view(u".,;:!?)]}>\"'\u2019\u201D").find(s[end - 1]) != std::u16string_view::npos)
        --end;
    std::u16string_view word(s.data() + start, end - start);
    std::string link;
    if (startsWith(word, u"http://") || startsWith(word, u"https://") || startsWith(word, u"ftp://")) {
        if (word.find(u"://") + 3 < word.size())
            link = text::toUtf8(word);
    } else if (startsWith(word, u"mailto:")) {
        if (word.find(u'@') != std::u16string_view::npos)
            link = text::toUtf8(word);
    } else if (startsWith(word, u"www.")) {
        auto rest = word.substr(4);
        auto dot = rest.find(u'.');
        if (dot != std::u16string_view::npos && dot > 0 && dot + 1 < rest.size())
            link = "https://" + text::toUtf8(word);
    }
    if (link.empty() || link.find_first_of(" \t\r\n<>\"") != std::string::npos)
        return std::nullopt;
    // Already a link: the user made it so, or it was pasted as one.
    if (!text.attributesAt(start).link.empty())
        return std::nullopt;
    return TextSubstitution { { start, end - start }, {}, link };
}

std::optional<text::Range> TextSubstitutions::wordBefore(const std::u16string& text, std::size_t typed)
{
    if (typed >= text.size() || typed == 0 || isWordCharacter(text[typed]) || text[typed] == u'\'' || text[typed] == kRightSingle)
        return std::nullopt;
    std::size_t start = typed;
    while (start > 0 && (isWordCharacter(text[start - 1])
               || ((text[start - 1] == u'\'' || text[start - 1] == kRightSingle) && start >= 2 && isWordCharacter(text[start - 2]))))
        --start;
    if (start == typed)
        return std::nullopt;
    return text::Range { start, typed - start };
}

text::Range TextSubstitutions::smartDeleteRange(const std::u16string& text, text::Range range)
{
    range.location = std::min(range.location, text.size());
    range.length = std::min(range.length, text.size() - range.location);
    if (!range.length)
        return range;
    bool spaceBefore = range.location > 0 && text[range.location - 1] == u' ';
    bool spaceAfter = range.end() < text.size() && text[range.end()] == u' ';
    bool punctuationAfter = range.end() < text.size() && std::u16string_view(u".,;:!?").find(text[range.end()]) != std::u16string_view::npos;
    bool lineStart = range.location == 0 || text[range.location - 1] == u'\n';
    // Only whole words: a deletion inside a word keeps its spaces.
    bool wholeWord = (range.location == 0 || !isWordCharacter(text[range.location - 1]))
        && (range.end() >= text.size() || !isWordCharacter(text[range.end()]));
    if (!wholeWord || text[range.location] == u' ' || text[range.end() - 1] == u' ')
        return range;
    if (spaceBefore && spaceAfter)
        return { range.location, range.length + 1 };
    if (spaceBefore && (punctuationAfter || range.end() == text.size() || text[range.end()] == u'\n'))
        return { range.location - 1, range.length + 1 };
    if (lineStart && spaceAfter)
        return { range.location, range.length + 1 };
    return range;
}

TextSubstitutions::Spacing TextSubstitutions::smartInsertSpacing(const std::u16string& text, text::Range range,
    const std::u16string& inserted)
{
    Spacing spacing;
    if (inserted.empty())
        return spacing;
    range.location = std::min(range.location, text.size());
    std::size_t end = std::min(range.end(), text.size());
    spacing.before = range.location > 0 && isWordCharacter(text[range.location - 1]) && isWordCharacter(inserted.front());
    spacing.after = end < text.size() && isWordCharacter(text[end]) && isWordCharacter(inserted.back());
    return spacing;
}

}
