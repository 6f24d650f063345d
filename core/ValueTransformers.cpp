#include "core/ValueTransformers.h"

#include <cmath>
#include <map>
#include <optional>

namespace ostrel {

namespace {

// An integer number, as a control hands it over: a slider reports 25 minutes as the real
// 25.0, which is as much an integer as the stored 1500. Fractions and text are not.
std::optional<int64_t> integerNumber(const base::Value& value)
{
    if (auto* integer = value.asInteger())
        return *integer;
    if (auto* real = value.asReal()) {
        if (std::isfinite(*real) && std::trunc(*real) == *real && *real >= -9223372036854775808.0
            && *real < 9223372036854775808.0)
            return static_cast<int64_t>(*real);
    }
    return std::nullopt;
}

}

namespace {

std::map<std::string, std::shared_ptr<const ValueTransformer>>& registry()
{
    static auto* transformers = new std::map<std::string, std::shared_ptr<const ValueTransformer>>; // for the whole run
    return *transformers;
}

}

void ValueTransformer::setValueTransformer(std::shared_ptr<const ValueTransformer> transformer, const std::string& name)
{
    if (transformer)
        registry()[name] = std::move(transformer);
    else
        registry().erase(name);
}

std::shared_ptr<const ValueTransformer> ValueTransformer::named(const std::string& name)
{
    auto it = registry().find(name);
    return it == registry().end() ? nullptr : it->second;
}

void ValueTransformer::removeAllValueTransformers() { registry().clear(); }

base::Value SecondsToMinutesIntegerValueTransformer::transformedValue(const base::Value& value) const
{
    if (auto seconds = integerNumber(value))
        return static_cast<long long>(*seconds / 60);
    return 0;
}

base::Value SecondsToMinutesIntegerValueTransformer::reverseTransformedValue(const base::Value& value) const
{
    auto minutes = integerNumber(value);
    int64_t seconds = 0;
    // A typed number of minutes is outside input: one too large to hold reads as nothing.
    if (!minutes || __builtin_mul_overflow(*minutes, int64_t(60), &seconds))
        return 0;
    return static_cast<long long>(seconds);
}

base::Value SecondsToMinutesStringToIntegerValueTransformer::transformedValue(const base::Value& value) const
{
    if (auto seconds = integerNumber(value))
        return std::to_string(*seconds / 60);
    return "";
}

}
