#pragma once

#include "core/ValueTransformers.h"

#include <string>

namespace ostrel {

// A day as "yyyy-MM-dd" text to and from a date value, for the statistics' date pickers.
class StringToDateTransformer : public ValueTransformer {
public:
    std::string name() const override { return "StringToDateTransformer"; }
    // Text to a date; null for anything else, or text that names no day.
    base::Value transformedValue(const base::Value& value) const override;
    // A date to its day text; null for anything else.
    base::Value reverseTransformedValue(const base::Value& value) const override;
};

}
