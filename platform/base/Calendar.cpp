#include "platform/base/Calendar.h"

#include "platform/base/Time.h"

#include <cmath>
#include <ctime>
#include <langinfo.h>

namespace base {

namespace {
std::tm localParts(double moment)
{
    std::time_t unix = std::time_t(std::floor(moment + Time::kUnixOffset));
    std::tm parts {};
    localtime_r(&unix, &parts);
    return parts;
}

double fromLocalParts(std::tm parts)
{
    parts.tm_isdst = -1;
    return double(std::mktime(&parts)) - Time::kUnixOffset;
}

// glibc describes the first weekday as an offset from the week's first day (Sunday or
// Monday by locale), which we fold into 1 = Sunday … 7 = Saturday.
int localeFirstWeekday()
{
    const char* firstWeekday = nl_langinfo(_NL_TIME_FIRST_WEEKDAY);
    union {
        const char* string;
        unsigned int word;
    } weekOneFirstDay;
    weekOneFirstDay.string = nl_langinfo(_NL_TIME_WEEK_1STDAY);
    int base = weekOneFirstDay.word == 19971201 ? 2 : 1;
    int offset = firstWeekday ? firstWeekday[0] : 1;
    if (offset < 1 || offset > 7)
        offset = 1;
    return (base - 1 + offset - 1) % 7 + 1;
}
}

Calendar Calendar::current()
{
    Calendar calendar;
    calendar.m_firstWeekday = localeFirstWeekday();
    return calendar;
}

DateComponents Calendar::components(double moment) const
{
    std::tm parts = localParts(moment);
    return { parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
        parts.tm_wday + 1 };
}

double Calendar::moment(const DateComponents& components) const
{
    std::tm parts {};
    parts.tm_year = components.year - 1900;
    parts.tm_mon = components.month - 1;
    parts.tm_mday = components.day;
    parts.tm_hour = components.hour;
    parts.tm_min = components.minute;
    parts.tm_sec = components.second;
    return fromLocalParts(parts);
}

double Calendar::startOfDay(double moment) const
{
    std::tm parts = localParts(moment);
    parts.tm_hour = parts.tm_min = parts.tm_sec = 0;
    return fromLocalParts(parts);
}

double Calendar::addingDays(int days, double moment) const
{
    double fraction = moment - std::floor(moment);
    std::tm parts = localParts(moment);
    parts.tm_mday += days;
    return fromLocalParts(parts) + fraction;
}

double Calendar::startOfWeek(double moment) const
{
    int back = (weekday(moment) - m_firstWeekday + 7) % 7;
    return startOfDay(addingDays(-back, moment));
}

double Calendar::startOfMonth(double moment) const
{
    std::tm parts = localParts(moment);
    parts.tm_mday = 1;
    parts.tm_hour = parts.tm_min = parts.tm_sec = 0;
    return fromLocalParts(parts);
}

bool Calendar::isSameDay(double a, double b) const
{
    std::tm first = localParts(a), second = localParts(b);
    return first.tm_year == second.tm_year && first.tm_yday == second.tm_yday;
}

}
