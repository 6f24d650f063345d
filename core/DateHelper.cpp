#include "core/DateHelper.h"

#include <cstdio>
#include <optional>

namespace ostrel {

namespace {

std::optional<std::string> hoursPart(int64_t s)
{
    if (s >= 7200)
        return std::to_string(s / 3600) + " hours";
    if (s >= 3600)
        return "1 hour";
    return std::nullopt;
}

std::optional<std::string> countedPart(int64_t count, const char* singular, const char* plural)
{
    if (count == 1)
        return std::string("1 ") + singular;
    if (count >= 2)
        return std::to_string(count) + " " + plural;
    return std::nullopt;
}

std::string joined(std::initializer_list<std::optional<std::string>> parts)
{
    std::string text;
    for (auto& part : parts) {
        if (!part)
            continue;
        if (!text.empty())
            text += ' ';
        text += *part;
    }
    return text;
}

}

DateHelper& DateHelper::sharedHelper()
{
    static DateHelper* helper = new DateHelper; // kept for the whole run
    return *helper;
}

std::string DateHelper::formatNumberOfSeconds(int64_t seconds) const
{
    char text[64];
    int64_t minutes = seconds / 60;
    std::snprintf(text, sizeof text, "%02lld\u2032%02lld\u2033", static_cast<long long>(minutes),
        static_cast<long long>(seconds - 60 * minutes));
    return text;
}

std::string DateHelper::formatNumberOfSecondsAsHoursAndMinutes(int64_t seconds) const
{
    auto text = joined({ hoursPart(seconds), countedPart((seconds / 60) % 60, "minute", "minutes") });
    return text.empty() ? "Less than one minute" : text;
}

std::string DateHelper::formatNumberOfSecondsAsHoursAndMinutesAndSeconds(int64_t seconds) const
{
    return joined({ hoursPart(seconds), countedPart((seconds / 60) % 60, "minute", "minutes"),
        countedPart(seconds % 60, "second", "seconds") });
}

}
