#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace text::rtf {

// The numbering formats of RTF's list levels (\levelnfc) that a marker format's number
// styles name; every other level is a bullet.
struct NumberFormat {
    int code;
    std::string_view style;
};

inline constexpr NumberFormat numberFormats[] = {
    { 0, "decimal" }, { 1, "upper-roman" }, { 2, "lower-roman" }, { 3, "upper-alpha" }, { 4, "lower-alpha" },
    { 3, "upper-latin" }, { 4, "lower-latin" },
};
inline constexpr int bulletFormat = 23;
inline constexpr int noNumberFormat = 255;

constexpr std::optional<std::string_view> numberStyle(int code)
{
    for (const auto& format : numberFormats) {
        if (format.code == code)
            return format.style;
    }
    return std::nullopt;
}

constexpr int numberFormat(std::string_view style)
{
    for (const auto& format : numberFormats) {
        if (format.style == style)
            return format.code;
    }
    return bulletFormat;
}

// The marker format of a list level that another program describes by its numbering format
// and its level text (\leveltext as read: a count, then the label with a character below 9
// standing for the number of that level). Only the level's own number is kept, with the
// text around it: "\x02\x00." of a decimal level gives "{decimal}.", and a label made of
// several levels' numbers ("1.2.") keeps the last. Without a level text, the numbering
// format alone decides.
std::string markerFormat(std::optional<int> numberFormat, std::optional<std::u16string_view> levelText, int level);

}
