#include "platform/ui/DisplayScale.h"

#include <charconv>
#include <cmath>
#include <string>

namespace ui {

namespace {

constexpr double kLargestScale = 4;

std::optional<double> number(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}

double displayScale(std::optional<std::string_view> xftDpi, const char* gdkScale)
{
    if (xftDpi) {
        // A desktop at 100 dpi means no doubling; quarter steps keep fractional scales sane.
        if (auto dpi = number(*xftDpi); dpi && *dpi >= 96) {
            double scale = std::round(*dpi / 96 * 4) / 4;
            if (scale <= kLargestScale)
                return scale;
        }
    }
    if (gdkScale) {
        if (auto scale = number(gdkScale); scale && *scale >= 1 && *scale <= kLargestScale && *scale == std::floor(*scale))
            return *scale;
    }
    return 1;
}

std::optional<std::string_view> xftDpiResource(std::string_view resources)
{
    constexpr std::string_view key = "Xft.dpi:";
    for (std::size_t at = 0; at < resources.size();) {
        std::size_t end = resources.find('\n', at);
        std::string_view line = resources.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        if (line.substr(0, key.size()) == key)
            return line.substr(key.size());
        if (end == std::string_view::npos)
            break;
        at = end + 1;
    }
    return std::nullopt;
}

}
