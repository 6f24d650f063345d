#include "platform/base/Value.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <strings.h>

namespace base {

namespace {
std::optional<double> parseNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(begin, &end);
    while (end && (*end == ' ' || *end == '\t' || *end == '\n'))
        ++end;
    if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> clampToInteger(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    constexpr double lowest = double(std::numeric_limits<std::int64_t>::min());
    constexpr double highest = double(std::numeric_limits<std::int64_t>::max());
    if (value <= lowest)
        return std::numeric_limits<std::int64_t>::min();
    if (value >= highest)
        return std::numeric_limits<std::int64_t>::max();
    return std::int64_t(std::trunc(value));
}
}

std::optional<bool> Value::toBoolean() const
{
    if (auto b = asBoolean())
        return *b;
    if (auto i = asInteger())
        return *i != 0;
    if (auto r = asReal())
        return *r != 0;
    if (auto s = asString()) {
        if (!strcasecmp(s->c_str(), "yes") || !strcasecmp(s->c_str(), "true"))
            return true;
        if (!strcasecmp(s->c_str(), "no") || !strcasecmp(s->c_str(), "false"))
            return false;
        if (auto number = parseNumber(*s))
            return *number != 0;
    }
    return std::nullopt;
}

std::optional<std::int64_t> Value::toInteger() const
{
    if (auto i = asInteger())
        return *i;
    if (auto b = asBoolean())
        return *b ? 1 : 0;
    if (auto r = asReal())
        return clampToInteger(*r);
    if (auto s = asString()) {
        if (auto number = parseNumber(*s))
            return clampToInteger(*number);
        if (auto flag = toBoolean())
            return *flag ? 1 : 0;
    }
    return std::nullopt;
}

std::optional<double> Value::toDouble() const
{
    if (auto r = asReal())
        return std::isfinite(*r) ? std::optional<double>(*r) : std::nullopt;
    if (auto i = asInteger())
        return double(*i);
    if (auto b = asBoolean())
        return *b ? 1.0 : 0.0;
    if (auto s = asString())
        return parseNumber(*s);
    return std::nullopt;
}

const Value* Value::find(const std::string& key) const
{
    auto dictionary = asDictionary();
    if (!dictionary)
        return nullptr;
    auto found = dictionary->find(key);
    return found == dictionary->end() ? nullptr : &found->second;
}

}
