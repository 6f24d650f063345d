#pragma once

#include "platform/base/Value.h"

#include <memory>
#include <string>

namespace ostrel {

// Converts a bound value on its way to a control and back. Bindings may name a transformer
// instead of holding one: start-up (and each test) registers the instances by name, and a
// binding looks its transformer up when it is made.
class ValueTransformer {
public:
    virtual ~ValueTransformer() = default;
    virtual std::string name() const = 0;
    virtual base::Value transformedValue(const base::Value& value) const = 0;
    virtual base::Value reverseTransformedValue(const base::Value& value) const = 0;

    // A later registration under the same name replaces the earlier one. Main thread only.
    static void setValueTransformer(std::shared_ptr<const ValueTransformer> transformer, const std::string& name);
    // None when nothing is registered under the name.
    static std::shared_ptr<const ValueTransformer> named(const std::string& name);
    // For tests: forget every registration.
    static void removeAllValueTransformers();
};

// Durations are stored in seconds while sliders and fields count whole minutes.
class SecondsToMinutesIntegerValueTransformer : public ValueTransformer {
public:
    std::string name() const override { return "SecondsToMinutesIntegerValueTransformer"; }
    // Integer seconds (a real without a fraction counts) to whole minutes, truncated toward
    // zero; anything else gives 0.
    base::Value transformedValue(const base::Value& value) const override;
    // Integer minutes to seconds; anything else, or a product too large to hold, gives 0.
    base::Value reverseTransformedValue(const base::Value& value) const override;
};

class SecondsToMinutesStringToIntegerValueTransformer : public SecondsToMinutesIntegerValueTransformer {
public:
    std::string name() const override { return "SecondsToMinutesStringToIntegerValueTransformer"; }
    // The minutes as decimal text; anything else gives the empty text.
    base::Value transformedValue(const base::Value& value) const override;
};

}
