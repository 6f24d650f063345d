#include "platform/ui/TextFormatter.h"

#include <charconv>

namespace ui {

std::optional<std::int64_t> IntegerFormatter::parse(const std::string& text)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    // from_chars takes a minus but no plus; a sign alone, or two, is no number.
    if (begin != end && *begin == '+') {
        ++begin;
        if (begin != end && *begin == '-')
            return std::nullopt;
    }
    if (begin == end || *begin == '+' || (*begin == '-' && (begin + 1 == end || begin[1] == '-')))
        return std::nullopt;
    std::int64_t value = 0;
    auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

bool IntegerFormatter::isPartialStringValid(const std::string& text) const
{
    if (text.empty())
        return true;
    auto value = parse(text);
    if (!value)
        return false;
    return !m_maximum || *value <= *m_maximum;
}

}
