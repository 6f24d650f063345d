#include "log/ConcentrationLevel.h"

namespace ostrel {

std::string_view rawValue(ConcentrationLevel level)
{
    switch (level) {
    case ConcentrationLevel::experiencedFlow:
        return "experienced flow";
    case ConcentrationLevel::highlyFocused:
        return "highly focused";
    case ConcentrationLevel::good:
        return "good";
    case ConcentrationLevel::distracted:
        return "distracted";
    }
    return "good";
}

std::string_view caseName(ConcentrationLevel level)
{
    switch (level) {
    case ConcentrationLevel::experiencedFlow:
        return "experiencedFlow";
    case ConcentrationLevel::highlyFocused:
        return "highlyFocused";
    case ConcentrationLevel::good:
        return "good";
    case ConcentrationLevel::distracted:
        return "distracted";
    }
    return "good";
}

std::optional<ConcentrationLevel> concentrationLevelFromRawValue(std::string_view word)
{
    for (auto level : sequence) {
        if (rawValue(level) == word)
            return level;
    }
    return std::nullopt;
}

}
