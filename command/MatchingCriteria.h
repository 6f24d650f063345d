#pragma once

#include <string>

namespace ostrel {

// What one evaluation matches against: the typed text, as typed.
struct MatchingCriteria {
    std::string searchString;
    bool operator==(const MatchingCriteria&) const = default;
};

}
