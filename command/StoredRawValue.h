#pragma once

#include "platform/base/Defaults.h"

#include <string>

namespace ostrel {

// The raw value of an enumeration stored under the key: a number from 0 to count - 1, else
// the fallback, so a damaged setting never reaches a switch over the cases.
inline int storedRawValue(const base::Defaults& defaults, const std::string& key, int count, int fallback)
{
    auto object = defaults.object(key);
    auto raw = object ? object->toInteger() : std::nullopt;
    return raw && *raw >= 0 && *raw < count ? static_cast<int>(*raw) : fallback;
}

}
