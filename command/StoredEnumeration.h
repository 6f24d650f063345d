#pragma once

#include "core/Variables.h"
#include "platform/base/Defaults.h"

#include <string>

namespace ostrel {

// The case of an enumeration stored under the key by its raw value, else the fallback, so a
// damaged setting never reaches a switch over the cases.
template<typename Enum>
Enum storedCase(const base::Defaults& defaults, const std::string& key, Enum fallback)
{
    auto object = defaults.object(key);
    auto raw = object ? object->toInteger() : std::nullopt;
    auto value = raw ? RawValueTraits<Enum>::fromRawValue(*raw) : std::nullopt;
    return value.value_or(fallback);
}

// The case after `current` in the cycle, back to the first after the last.
template<typename Enum, std::size_t count>
Enum nextInCycle(Enum current, const Enum (&cycle)[count])
{
    for (std::size_t i = 0; i < count; ++i) {
        if (cycle[i] == current)
            return cycle[(i + 1) % count];
    }
    return cycle[0];
}

}
