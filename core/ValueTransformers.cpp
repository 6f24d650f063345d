#include "core/ValueTransformers.h"

namespace ostrel {

base::Value SecondsToMinutesIntegerValueTransformer::transformedValue(const base::Value& value) const
{
    if (auto* seconds = value.asInteger())
        return static_cast<long long>(*seconds / 60);
    return 0;
}

base::Value SecondsToMinutesIntegerValueTransformer::reverseTransformedValue(const base::Value& value) const
{
    auto* minutes = value.asInteger();
    int64_t seconds = 0;
    // A typed number of minutes is outside input: one too large to hold reads as nothing.
    if (!minutes || __builtin_mul_overflow(*minutes, int64_t(60), &seconds))
        return 0;
    return static_cast<long long>(seconds);
}

base::Value SecondsToMinutesStringToIntegerValueTransformer::transformedValue(const base::Value& value) const
{
    if (auto* seconds = value.asInteger())
        return std::to_string(*seconds / 60);
    return "";
}

}
