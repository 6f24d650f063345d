#include "command/CommandSettings.h"

#include <cmath>

namespace ostrel {

bool CommandSettings::boolean(const std::string& key) const
{
    auto value = object(key);
    if (!value)
        return false;
    if (auto* b = std::get_if<bool>(&*value))
        return *b;
    if (auto* i = std::get_if<std::int64_t>(&*value))
        return *i != 0;
    if (auto* d = std::get_if<double>(&*value))
        return *d != 0.0;
    auto& text = std::get<std::string>(*value);
    if (text == "YES" || text == "yes" || text == "true" || text == "TRUE")
        return true;
    try {
        return std::stoll(text) != 0;
    } catch (...) {
        return false;
    }
}

std::optional<std::int64_t> CommandSettings::integer(const std::string& key) const
{
    auto value = object(key);
    if (!value)
        return std::nullopt;
    if (auto* i = std::get_if<std::int64_t>(&*value))
        return *i;
    if (auto* b = std::get_if<bool>(&*value))
        return *b ? 1 : 0;
    // A whole number that went through a floating-point encoding still counts; anything
    // else is not a raw value of ours.
    if (auto* d = std::get_if<double>(&*value); d && std::isfinite(*d) && std::trunc(*d) == *d
        && std::fabs(*d) < 9.0e15)
        return static_cast<std::int64_t>(*d);
    return std::nullopt;
}

}
