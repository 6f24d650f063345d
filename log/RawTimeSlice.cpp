#include "log/RawTimeSlice.h"

#include "log/LogFormat.h"
#include "log/StringToTokenArrayTransformer.h"
#include "platform/base/DateFormat.h"
#include "platform/base/Time.h"

#include <algorithm>

namespace ostrel {

RawTimeSlice::RawTimeSlice()
    : m_startDate(base::Time::distantPast())
{
}

void RawTimeSlice::setStartDate(double startDate)
{
    m_startDate = startDate;
    // Every record starts at the distant past, whose day is the one the log writes for it.
    m_dayString = startDate == base::Time::distantPast() ? std::string(LogFormat::kDistantPastText.substr(0, 10))
                                                         : base::DateFormat::format(startDate, "yyyy-MM-dd");
}

void RawTimeSlice::setStartDate(double startDate, std::string dayString)
{
    m_startDate = startDate;
    m_dayString = std::move(dayString);
}

bool RawTimeSlice::beginsAfter(std::optional<double> date) const { return !date || *date - m_startDate <= 0; }

bool RawTimeSlice::beginsBefore(std::optional<double> date) const { return !date || m_startDate < *date; }

bool RawTimeSlice::matchesTagFilter(const std::vector<std::string>& tags) const
{
    if (tags.empty())
        return true;
    if (m_tagString.empty())
        return false;
    auto pieces = StringToTokenArrayTransformer::tokens(m_tagString).value_or(std::vector<std::string> {});
    return std::all_of(tags.begin(), tags.end(),
        [&](const std::string& tag) { return std::find(pieces.begin(), pieces.end(), tag) != pieces.end(); });
}

}
