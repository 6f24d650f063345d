#pragma once

#include <optional>
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

}
