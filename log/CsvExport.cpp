#include "log/CsvExport.h"

#include "log/FullDataSet.h"
#include "log/Logger.h"

#include <cmath>
#include <limits>

namespace ostrel::CsvExport {

namespace {
std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view space = " \t\n\r\v\f";
    auto first = text.find_first_not_of(space);
    if (first == std::string_view::npos)
        return {};
    auto last = text.find_last_not_of(space);
    return text.substr(first, last - first + 1);
}

// Seconds cut toward zero; a value no number column can hold is written as 0.
long long wholeSeconds(double seconds)
{
    if (!std::isfinite(seconds) || std::fabs(seconds) >= double(std::numeric_limits<long long>::max()))
        return 0;
    return static_cast<long long>(seconds);
}
}

std::string quoted(std::string_view value)
{
    std::string text = "\"";
    for (char c : value) {
        if (c == '"')
            text += '"';
        text += c;
    }
    return text + '"';
}

std::string field(std::string_view value)
{
    if (value.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(value);
    return quoted(value);
}

std::string text(const FullDataSet* dataSet)
{
    std::string csv = std::string(kHeader) + "\n";
    if (!dataSet)
        return csv;
    for (const auto& slice : dataSet->fullTimeSlices()) {
        csv += field(slice->uuid());
        csv += ',' + quoted(Logger::formatDateForSystemLog(slice->startDate()));
        csv += ',' + std::to_string(wholeSeconds(slice->actualDuration()));
        csv += ',' + field(slice->focusRating());
        csv += slice->completed() ? ",true" : ",false";
        csv += ',' + quoted(slice->tagString());
        csv += ',' + field(trimmed(slice->objective()));
        csv += '\n';
    }
    return csv;
}

}
