#include "viewkit/QuarterHours.h"

#include "platform/base/Calendar.h"

namespace ostrel {

std::int64_t minutesToFirstQuarterHour(double now, std::int64_t shortest)
{
    int past = base::Calendar::current().components(now).minute % kMinutesBetweenQuarterHours;
    std::int64_t first = kMinutesBetweenQuarterHours - past;
    if (first < shortest)
        first += kMinutesBetweenQuarterHours;
    return first;
}

}
