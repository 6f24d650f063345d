#pragma once

#include "core/ValueTransformers.h"

#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// Stored tag text ("a,b,c") to and from the token list a tag field shows.
class StringToTokenArrayTransformer : public ValueTransformer {
public:
    std::string name() const override { return "StringToTokenArrayTransformer"; }
    // Text to an array of texts; null for anything else, absent or empty.
    base::Value transformedValue(const base::Value& value) const override;
    // An array to text; the empty text (never null) for anything else or an empty array.
    base::Value reverseTransformedValue(const base::Value& value) const override;

    // None for an absent or empty text; otherwise the pieces between commas, untrimmed.
    static std::optional<std::vector<std::string>> tokens(const std::optional<std::string>& text);
    // The empty text for an absent or empty list; otherwise joined by ",".
    static std::string joined(const std::optional<std::vector<std::string>>& tokens);
};

}
