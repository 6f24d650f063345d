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

}
