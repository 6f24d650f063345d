#pragma once

#include <optional>

namespace base {

// Broken-down local time. `weekday` counts 1 = Sunday … 7 = Saturday.
struct DateComponents {
    int year { 2001 };
    int month { 1 };
    int day { 1 };
    int hour { 0 };
    int minute { 0 };
    int second { 0 };
    int weekday { 0 };

    bool operator==(const DateComponents&) const = default;
};

// The Gregorian calendar in the process's local time zone (TZ), working on moments given as
// seconds since 2001-01-01 00:00:00 UTC. Day arithmetic follows the wall clock, so adding a
// day across a daylight-saving change keeps the time of day.
class Calendar {
public:
    // The calendar with the locale's first day of the week.
    static Calendar current();

    int firstWeekday() const { return m_firstWeekday; }
    void setFirstWeekday(int weekday) { m_firstWeekday = weekday; }

    DateComponents components(double moment) const;
    // The moment of the given local date and time (weekday ignored); out-of-range fields
    // roll over as the C library rolls them.
    double moment(const DateComponents& components) const;

    int weekday(double moment) const { return components(moment).weekday; }
    int hour(double moment) const { return components(moment).hour; }
    double startOfDay(double moment) const;
    double addingDays(int days, double moment) const;
    double startOfWeek(double moment) const;
    double startOfMonth(double moment) const;
    bool isSameDay(double a, double b) const;

private:
    int m_firstWeekday { 1 };
};

}
