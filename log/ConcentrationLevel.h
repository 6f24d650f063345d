#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// The four focus levels a slice can be rated with, in declaration order.
enum class ConcentrationLevel { experiencedFlow, highlyFocused, good, distracted };

// The focus word as stored in the log ("experienced flow" ...).
std::string_view rawValue(ConcentrationLevel level);
// The case name that names a series variable on the chart pages ("experiencedFlow" ...).
std::string_view caseName(ConcentrationLevel level);
// Exact, case-sensitive: any other word is no level.
std::optional<ConcentrationLevel> concentrationLevelFromRawValue(std::string_view word);

// The order every statistic loops over the levels in.
constexpr std::array<ConcentrationLevel, 4> sequence { ConcentrationLevel::distracted, ConcentrationLevel::good,
    ConcentrationLevel::highlyFocused, ConcentrationLevel::experiencedFlow };

// Seconds or minutes per level, indexed by the level's declaration order.
struct LevelValues {
    std::array<double, 4> values { 0, 0, 0, 0 };
    double& operator[](ConcentrationLevel level) { return values[size_t(level)]; }
    double operator[](ConcentrationLevel level) const { return values[size_t(level)]; }
    double sum() const { return values[0] + values[1] + values[2] + values[3]; }
};

}
