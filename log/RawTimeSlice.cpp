#include "log/RawTimeSlice.h"

#include "log/LogFormat.h"
#include "log/StringToTokenArrayTransformer.h"
#include "platform/base/Calendar.h"
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
    if (startDate == base::Time::distantPast()) {
        // Every record starts at the distant past, whose day is the one the log writes for it.
        auto day = LogFormat::distantPastDay();
        setStartDate(startDate, std::move(day.day), day.hour, day.weekday);
        return;
    }
    m_dayString = base::DateFormat::format(startDate, "yyyy-MM-dd");
    auto parts = base::Calendar::current().components(startDate);
    m_localHour = std::int8_t(parts.hour);
    m_localWeekday = std::int8_t(parts.weekday);
    m_dayNumber = LogFormat::daysSince1970(parts.year, parts.month, parts.day);
}

void RawTimeSlice::setStartDate(double startDate, std::string dayString, int hour, int weekday)
{
    m_startDate = startDate;
    m_dayString = std::move(dayString);
    m_localHour = std::int8_t(hour);
    m_localWeekday = std::int8_t(weekday);
    m_dayNumber = kUnknownDay;
    auto digits = [this](size_t at, size_t length) {
        int value = 0;
        for (size_t i = at; i < at + length; ++i)
            value = value * 10 + (m_dayString[i] - '0');
        return value;
    };
    if (m_dayString.size() == 10)
        m_dayNumber = LogFormat::daysSince1970(digits(0, 4), digits(5, 2), digits(8, 2));
}

std::int32_t RawTimeSlice::dayNumber() const
{
    // A record whose start was never set has no day string, and no day.
    if (m_dayNumber != kUnknownDay || m_dayString.empty())
        return m_dayNumber;
    auto parts = base::Calendar::current().components(m_startDate);
    return LogFormat::daysSince1970(parts.year, parts.month, parts.day);
}

int RawTimeSlice::localHour() const
{
    // A record made without a start (the readers' defaults) is placed as the distant past is.
    if (m_localHour < 0)
        return base::Calendar::current().hour(m_startDate);
    return m_localHour;
}

int RawTimeSlice::localWeekday() const
{
    if (m_localWeekday == 0)
        return base::Calendar::current().weekday(m_startDate);
    return m_localWeekday;
}

void RawTimeSlice::setFocusRating(std::string focusRating)
{
    auto level = concentrationLevelFromRawValue(focusRating);
    m_focusLevel = level ? std::int8_t(*level) : std::int8_t(-1);
    m_focusRating = std::move(focusRating);
}

std::optional<ConcentrationLevel> RawTimeSlice::focusLevel() const
{
    if (m_focusLevel < 0)
        return std::nullopt;
    return ConcentrationLevel(m_focusLevel);
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
