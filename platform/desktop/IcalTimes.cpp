#include "platform/desktop/IcalTimes.h"

#include "platform/base/Calendar.h"
#include "platform/base/Time.h"
#include "platform/base/Utf8.h"

#include <cmath>
#include <ctime>
#include <tuple>

namespace desktop::ical {

namespace {
bool isFloating(const icaltimetype& time)
{
    return time.is_date || (!time.zone && !icaltime_is_utc(time));
}
}

std::optional<double> momentOf(const icaltimetype& time)
{
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time))
        return std::nullopt;
    if (isFloating(time)) {
        base::DateComponents local { time.year, time.month, time.day, time.is_date ? 0 : time.hour,
            time.is_date ? 0 : time.minute, time.is_date ? 0 : time.second, 0 };
        return base::Calendar().moment(local);
    }
    const icaltimezone* zone = time.zone ? time.zone : icaltimezone_get_utc_timezone();
    return base::Time::fromUnix(double(icaltime_as_timet_with_zone(time, zone)));
}

icaltimetype timeLike(double moment, const icaltimetype& like)
{
    if (isFloating(like)) {
        base::DateComponents local = base::Calendar().components(moment);
        icaltimetype time = icaltime_null_time();
        time.year = local.year;
        time.month = local.month;
        time.day = local.day;
        if (like.is_date) {
            time.is_date = 1;
        } else {
            time.hour = local.hour;
            time.minute = local.minute;
            time.second = local.second;
        }
        return time;
    }
    const icaltimezone* zone = like.zone ? like.zone : icaltimezone_get_utc_timezone();
    auto unix = std::time_t(std::floor(base::Time::toUnix(moment)));
    return icaltime_from_timet_with_zone(unix, 0, zone);
}

int daysBetween(const icaltimetype& from, const icaltimetype& to)
{
    icaltimetype a = from, b = to;
    a.is_date = b.is_date = 1;
    a.zone = b.zone = nullptr;
    // Dates alone, both taken as UTC midnights: whole days apart, with no clock change between.
    return int((icaltime_as_timet(b) - icaltime_as_timet(a)) / 86400);
}

bool isBefore(const icaltimetype& a, const icaltimetype& b)
{
    return std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second)
        < std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second);
}

int dayKey(const icaltimetype& time)
{
    return time.year * 10000 + time.month * 100 + time.day;
}

icaltimetype withZone(icaltimetype time, icalproperty* property, icalcomponent* calendar, bool& unknownZone)
{
    if (time.is_date || icaltime_is_utc(time))
        return time;
    icalparameter* parameter = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    const char* tzid = parameter ? icalparameter_get_tzid(parameter) : nullptr;
    if (!tzid || !*tzid)
        return time;
    icaltimezone* zone = calendar ? icalcomponent_get_timezone(calendar, tzid) : nullptr;
    if (!zone)
        zone = icaltimezone_get_builtin_timezone(tzid);
    if (!zone)
        zone = icaltimezone_get_builtin_timezone_from_tzid(tzid);
    if (!zone) {
        unknownZone = true;
        return time;
    }
    time.zone = zone;
    return time;
}

std::string text(const char* value)
{
    if (!value)
        return {};
    std::string bytes(value);
    return base::isValidUtf8(bytes) ? bytes : base::toUtf8(base::toUtf16(bytes));
}

}
