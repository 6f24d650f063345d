#include "viewkit/IntegerValidatingNumberFormatter.h"

#include <cstdint>
#include <limits>

namespace ostrel {

bool IntegerValidatingNumberFormatter::isPartialStringValid(const std::string& text) const
{
    if (text.empty())
        return true;
    auto value = parse(text);
    // The field keeps its value in 32 bits: a longer number would be cut to another one.
    if (!value || *value < std::numeric_limits<std::int32_t>::min() || *value > std::numeric_limits<std::int32_t>::max())
        return false;
    if (maximum() && *value > *maximum())
        return false;
    return ui::IntegerFormatter::isPartialStringValid(text);
}

}
