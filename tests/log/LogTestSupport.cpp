#include "tests/log/LogTestSupport.h"

#include "platform/base/Calendar.h"

namespace ostrel::test {

double localDate(int year, int month, int day, int hour, int minute, int second)
{
    base::DateComponents parts;
    parts.year = year;
    parts.month = month;
    parts.day = day;
    parts.hour = hour;
    parts.minute = minute;
    parts.second = second;
    return base::Calendar::current().moment(parts);
}

}
