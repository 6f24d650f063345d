#include "log/CsvExport.h"

#include "log/FullDataSet.h"
#include "log/Logger.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cmath>
#include <limits>

namespace ostrel::CsvExport {

namespace {
// Without the white space at either end, Unicode's whole set of it: a no-break or
// ideographic space pasted into an objective is as invisible as a plain one.
std::string_view trimmed(std::string_view text)
{
    auto units = reinterpret_cast<const uint8_t*>(text.data());
    int32_t length = int32_t(text.size());
    int32_t start = 0;
    while (start < length) {
        int32_t next = start;
        UChar32 c;
        U8_NEXT(units, next, length, c);
        if (c < 0 || !u_isUWhiteSpace(c))
            break;
        start = next;
    }
    int32_t end = length;
    while (end > start) {
        int32_t previous = end;
        UChar32 c;
        U8_PREV(units, start, previous, c);
        if (c < 0 || !u_isUWhiteSpace(c))
            break;
        end = previous;
    }
    return text.substr(size_t(start), size_t(end - start));
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
    return CsvExport::quoted(value);
}

std::string text(const FullDataSet* dataSet)
{
    std::string csv = std::string(kHeader) + "\n";
    if (!dataSet)
        return csv;
    for (const auto& slice : dataSet->fullTimeSlices()) {
        csv += field(slice->uuid());
        csv += ',' + CsvExport::quoted(Logger::formatDateForSystemLog(slice->startDate()));
        csv += ',' + std::to_string(wholeSeconds(slice->actualDuration()));
        csv += ',' + field(slice->focusRating());
        csv += slice->completed() ? ",true" : ",false";
        csv += ',' + CsvExport::quoted(slice->tagString());
        csv += ',' + field(trimmed(slice->objective()));
        csv += '\n';
    }
    return csv;
}

}
