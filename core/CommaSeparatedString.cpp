#include "core/CommaSeparatedString.h"

#include <array>
#include <string_view>

namespace ostrel {

namespace {

// Every line break Unicode knows: LF, VT, FF, CR, NEL, LINE and PARAGRAPH SEPARATOR.
constexpr std::array<std::string_view, 7> kLineBreaks { "\n", "\v", "\f", "\r", "\u0085", "\u2028", "\u2029" };

std::string_view trimmedOfLineBreaks(std::string_view text)
{
    for (bool trimmed = true; trimmed && !text.empty();) {
        trimmed = false;
        for (auto lineBreak : kLineBreaks) {
            if (text.starts_with(lineBreak)) {
                text.remove_prefix(lineBreak.size());
                trimmed = true;
            }
            if (text.ends_with(lineBreak)) {
                text.remove_suffix(lineBreak.size());
                trimmed = true;
            }
        }
    }
    return text;
}

}

std::string asCommaSeparatedString(const std::vector<std::string>& texts)
{
    std::string joined;
    for (const auto& text : texts) {
        if (&text != &texts.front())
            joined += ", ";
        joined += trimmedOfLineBreaks(text);
    }
    return joined;
}

}
