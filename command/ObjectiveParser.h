#pragma once

#include "core/DataModel.h"
#include "platform/base/Value.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace base {
class Defaults;
}

namespace ostrel {

// What one parse took out of an objective.
struct ObjectiveParseResult {
    // Minutes of the first duration found; -1 when there is none.
    std::int64_t duration { -1 };
    // Every tag in the order found, without the "@".
    std::vector<std::string> tags;
    // The input with every tag and the duration taken out.
    std::u16string string;

    // What was taken out, in order, each range in UTF-16 units of the text as it was at that
    // step: applying the same removals to a rich copy of the input leaves the same characters.
    struct Removal {
        std::size_t location { 0 };
        std::size_t length { 0 };
        bool operator==(const Removal&) const = default;
    };
    std::vector<Removal> removals;
};

// Takes tags ("@work") and the first duration ("45 min") out of an objective and stores them
// in the settings the data model reads.
class ObjectiveParser {
public:
    static ObjectiveParser& shared();

    ObjectiveParseResult parse(const std::u16string& string) const;

    // Turning what is left into the rich-text data stored under "objective" belongs to the text
    // layer; its caller hands in how.
    using ObjectiveDataMaker = std::function<base::Value::Data(const ObjectiveParseResult&)>;

    // Stores a result: the duration clamped to 2 minutes and the current time scale's longest,
    // the tags when there are any, and always the objective.
    void internalSet(const ObjectiveParseResult& result, base::Defaults& defaults,
        const ObjectiveDataMaker& makeObjectiveData) const;

    // The longest duration in minutes a time scale offers.
    static int longestDuration(TimeScale timeScale);

private:
    ObjectiveParser() = default;
};

}
