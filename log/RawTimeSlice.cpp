#include "log/RawTimeSlice.h"

#include "log/LogFormat.h"
#include "log/SharedStrings.h"
#include "log/StringToTokenArrayTransformer.h"
#include "platform/base/Calendar.h"
#include "platform/base/Time.h"

#include <algorithm>

namespace ostrel {


RawTimeSlice::RawTimeSlice()
    : m_startDate(base::Time::distantPast())
    , m_dayString(&sharedString({}))
    , m_focusRating(&sharedString("good"))
    , m_tagString(&sharedString({}))
{
}

std::string RawTimeSlice::dayString() const { return m_dayString ? *m_dayString : LogFormat::dayStringFor(m_dayNumber); }

void RawTimeSlice::setDayString(std::string_view dayString)
{
    // Ten years of records hold the day as its number alone wherever that says it exactly.
    if (m_dayNumber != kUnknownDay && LogFormat::dayStringFor(m_dayNumber) == dayString)
        m_dayString = nullptr;
    else
        m_dayString = &sharedString(dayString);
}

void RawTimeSlice::setTagString(std::string_view tagString) { m_tagString = &sharedString(tagString); }

void RawTimeSlice::setStartDate(double startDate)
{
    m_startDate = startDate;
    if (startDate == base::Time::distantPast()) {
        // Every record starts at the distant past, whose day is the one the log writes for it.
        auto day = LogFormat::distantPastDay();
        setStartDate(startDate, std::move(day.day), day.hour, day.weekday);
        return;
    }
    auto parts = base::Calendar::current().components(startDate);
    m_localHour = std::int8_t(parts.hour);
    m_localWeekday = std::int8_t(parts.weekday);
    m_dayNumber = LogFormat::daysSince1970(parts.year, parts.month, parts.day);
    // The day's text is the day number's own, from the same reading of the clock.
    m_dayString = nullptr;
}

void RawTimeSlice::setStartDate(double startDate, std::string dayString, int hour, int weekday)
{
    m_startDate = startDate;
    m_localHour = std::int8_t(hour);
    m_localWeekday = std::int8_t(weekday);
    m_dayNumber = kUnknownDay;
    auto digits = [&dayString](size_t at, size_t length) {
        int value = 0;
        for (size_t i = at; i < at + length; ++i)
            value = value * 10 + (dayString[i] - '0');
        return value;
    };
    if (dayString.size() == 10)
        m_dayNumber = LogFormat::daysSince1970(digits(0, 4), digits(5, 2), digits(8, 2));
    setDayString(dayString);
}

std::int32_t RawTimeSlice::dayNumber() const
{
    // A record whose start was never set has no day string, and no day.
    if (m_dayNumber != kUnknownDay || (m_dayString && m_dayString->empty()))
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

void RawTimeSlice::setFocusRating(std::string_view focusRating)
{
    m_focusRating = &sharedString(focusRating);
    auto level = concentrationLevelFromRawValue(*m_focusRating);
    m_focusLevel = level ? std::int8_t(*level) : std::int8_t(-1);
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
    if (m_tagString->empty())
        return false;
    auto pieces = StringToTokenArrayTransformer::tokens(*m_tagString).value_or(std::vector<std::string> {});
    return std::all_of(tags.begin(), tags.end(),
        [&](const std::string& tag) { return std::find(pieces.begin(), pieces.end(), tag) != pieces.end(); });
}

}
