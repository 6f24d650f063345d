#pragma once

#include "log/ConcentrationLevel.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {


// One logged time slice as the statistics need it. Records are filled by the readers on the
// reload queue and only read once a data set has been published.
class RawTimeSlice {
public:
    RawTimeSlice();
    virtual ~RawTimeSlice() = default;

    double startDate() const { return m_startDate; }
    // Also sets the day string.
    void setStartDate(double startDate);
    // For readers that already know where the date falls on the local calendar: its day
    // string, hour and weekday (1 = Sunday).
    void setStartDate(double startDate, std::string dayString, int hour, int weekday);
    // The start day as "yyyy-MM-dd"; empty until a start date was set.
    std::string dayString() const;
    // The start's local hour and weekday (1 = Sunday … 7 = Saturday), as the statistics
    // group by them: worked out when the start is set, not for every statistic.
    int localHour() const;
    int localWeekday() const;
    // The start day counted in days since 1970-01-01, the same day as dayString() names;
    // kUnknownDay while there is no day string.
    std::int32_t dayNumber() const;
    static constexpr std::int32_t kUnknownDay = INT32_MIN;

    bool completed() const { return m_completed; }
    void setCompleted(bool completed) { m_completed = completed; }
    double duration() const { return m_duration; }
    void setDuration(double duration) { m_duration = duration; }
    double actualDuration() const { return m_actualDuration; }
    void setActualDuration(double actualDuration) { m_actualDuration = actualDuration; }
    const std::string& focusRating() const { return *m_focusRating; }
    void setFocusRating(std::string_view focusRating);
    // The level the focus word names; none for any other word.
    std::optional<ConcentrationLevel> focusLevel() const;
    const std::string& tagString() const { return *m_tagString; }
    void setTagString(std::string_view tagString);
    bool success() const { return m_success; }
    void setSuccess(bool success) { m_success = success; }

    // No date means no limit. beginsAfter includes the date itself; beginsBefore does not.
    bool beginsAfter(std::optional<double> date) const;
    bool beginsBefore(std::optional<double> date) const;
    // Every filter tag must be one of the comma-separated tags exactly (no trimming, letter
    // case counts). An empty filter matches everything.
    bool matchesTagFilter(const std::vector<std::string>& tags) const;

protected:
    void setDayString(std::string_view dayString);

    double m_startDate;
    // The day string when the day number does not say it (none, or not a calendar day);
    // null when it is the day number's.
    const std::string* m_dayString;
    bool m_completed { false };
    bool m_success { false };
    // Beside the flag, in room the record has anyway: -1 and 0 until a start is set.
    std::int8_t m_localHour { -1 };
    std::int8_t m_localWeekday { 0 };
    std::int8_t m_focusLevel { std::int8_t(ConcentrationLevel::good) };
    std::int32_t m_dayNumber { kUnknownDay };
    double m_duration { 0 };
    double m_actualDuration { 0 };
    // Shared with every record of the same value.
    const std::string* m_focusRating;
    const std::string* m_tagString;
};

}
