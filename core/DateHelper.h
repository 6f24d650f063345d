#pragma once

#include "platform/base/Calendar.h"
#include "platform/text/AttributedString.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// Day arithmetic, day strings ("yyyy-MM-dd") and durations written out in words. Dates are
// seconds since the reference date; days are those of the local time zone, so arithmetic
// across a daylight-saving change keeps the time of day.
class DateHelper {
public:
    static DateHelper& sharedHelper();

    double now() const;
    double today() const;
    // The start of the date's day; with no date, of the system's current date.
    double dateWithoutTime(std::optional<double> date) const;
    double addDaysToDate(int days, double date) const;
    // n + 1 day strings, oldest first, ending with today; empty for negative n.
    std::vector<std::string> lastDays(int days) const;
    // 1 = Sunday; 0 when there is no date.
    int dayOfTheWeek(std::optional<double> date) const;
    int hourOfDay(double date) const;
    double beginningOfTheWeek(double date) const;
    double beginningOfTheMonth(double date) const;
    std::optional<double> dateFromString(const std::string& text) const;
    std::string stringFromDate(double date) const;
    std::string formattedTime(double date) const;
    std::string formattedDate(double date) const;
    // The time of day with an "am" or "pm" in it set in Helvetica 20.
    text::AttributedString formatDateAsTimeWithAmPmIfAppropriate(double date) const;
    static text::AttributedString markingAmPm(const std::string& time);

    // "02′05″": total minutes (not reduced to an hour) and seconds.
    std::string formatNumberOfSeconds(int64_t seconds) const;
    // "2 hours 5 minutes"; "Less than one minute" when neither part is there.
    std::string formatNumberOfSecondsAsHoursAndMinutes(int64_t seconds) const;
    // "1 hour 5 seconds"; empty when no part is there.
    std::string formatNumberOfSecondsAsHoursAndMinutesAndSeconds(int64_t seconds) const;

private:
    DateHelper();
    base::Calendar m_calendar;
};

}
