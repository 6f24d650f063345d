#pragma once

#include "platform/base/PropertyList.h"

#include <optional>
#include <string>
#include <string_view>

namespace ostrel::test {

// Any bytes as an XML property list: whatever reads, writes as a property list that reads
// back and writes the same again. Answers what went wrong, if anything.
inline std::optional<std::string> propertyListProblem(std::string_view bytes)
{
    auto value = base::parsePropertyList(bytes);
    if (!value)
        return std::nullopt;
    std::string written = base::toPropertyListXml(*value);
    auto again = base::parsePropertyList(written);
    if (!again)
        return "a property list written from what was read does not read back";
    // Compared as text, which also holds for a real that is not a number.
    if (base::toPropertyListXml(*again) != written)
        return "a property list changes when it is written and read again";
    return std::nullopt;
}

}
