#include "platform/desktop/CalendarSeries.h"

#include "platform/base/Calendar.h"
#include "platform/desktop/IcalTimes.h"

#include <algorithm>
#include <cmath>

namespace desktop {

namespace {
// Moments from different spellings of one time (a UTC EXDATE for a zoned start) may differ
// by rounding only.
bool sameMoment(double a, double b)
{
    return std::fabs(a - b) < 0.5;
}
}

bool CalendarSeries::isExcluded(const icaltimetype& occurrence, double moment) const
{
    return std::any_of(excludedMoments.begin(), excludedMoments.end(), [&](double m) { return sameMoment(m, moment); })
        || std::find(excludedDays.begin(), excludedDays.end(), ical::dayKey(occurrence)) != excludedDays.end();
}

CalendarEvent CalendarSeries::occurrence(double moment, std::optional<double> end) const
{
    CalendarEvent event { title, moment, moment, allDay };
    if (end) {
        event.end = std::max(*end, moment);
    } else if (allDay) {
        // Whole local days, so that a day across a clock change still ends at midnight.
        base::Calendar calendar;
        base::DateComponents day = calendar.components(moment);
        day.day += days;
        event.end = calendar.moment(day);
    } else {
        event.end = moment + length;
    }
    return event;
}

std::optional<icalrecurrencetype> CalendarSeries::prepared(icalrecurrencetype rule, const icaltimetype& start,
    bool& broken)
{
    // Rules finer than hourly are nothing a calendar program writes, and stepping through
    // them would cost the main thread seconds.
    icalrecur_iterator* iterator = rule.freq == ICAL_NO_RECURRENCE || rule.freq == ICAL_SECONDLY_RECURRENCE
            || rule.freq == ICAL_MINUTELY_RECURRENCE
        ? nullptr
        : icalrecur_iterator_new(rule, start);
    if (!iterator) {
        broken = true;
        return std::nullopt;
    }
    if (rule.count == 0) {
        icalrecur_iterator_free(iterator);
        return rule;
    }
    icaltimetype last = icaltime_null_time();
    int step = 0;
    for (; step < kMaxSteps; ++step) {
        icaltimetype next = icalrecur_iterator_next(iterator);
        if (icaltime_is_null_time(next))
            break;
        last = next;
    }
    icalrecur_iterator_free(iterator);
    if (step == kMaxSteps)
        return rule;
    if (icaltime_is_null_time(last))
        return std::nullopt;
    last.zone = start.zone;
    last.is_date = start.is_date;
    rule.count = 0;
    rule.until = last;
    return rule;
}

void CalendarSeries::expand(double from, double to, std::vector<CalendarEvent>& into) const
{
    std::vector<double> taken;
    auto consider = [&](const icaltimetype& time, std::optional<double> end) {
        auto moment = ical::momentOf(time);
        if (!moment)
            return;
        CalendarEvent event = occurrence(*moment, end);
        if (!Calendar::overlaps(event, from, to) || isExcluded(time, *moment))
            return;
        // The first occurrence, an extra date and a rule may all name the same time.
        if (std::any_of(taken.begin(), taken.end(), [&](double m) { return sameMoment(m, *moment); }))
            return;
        taken.push_back(*moment);
        into.push_back(std::move(event));
    };

    consider(start, std::nullopt);
    for (const auto& extra : extraDates)
        consider(extra.start, extra.end);

    auto first = ical::momentOf(start);
    if (!first)
        return;
    // Any occurrence that starts this long before the range has ended before it; a day
    // more covers clock changes. Occurrences are compared on their own wall clock first,
    // which costs nothing, and made moments only near the range.
    double longest = (allDay ? double(days) * 86400 : length) + 86400;
    icaltimetype earliest = ical::timeLike(std::max(from - longest, *first), start);
    icaltimetype latest = ical::timeLike(to + 86400, start);
    for (const auto& rule : rules) {
        // Most repetitions of a long-kept calendar ended long ago.
        if (!icaltime_is_null_time(rule.until) && ical::isBefore(rule.until, earliest))
            continue;
        icalrecur_iterator* iterator = icalrecur_iterator_new(rule, start);
        if (!iterator)
            continue;
        // A rule without a count can start near the range instead of years back. Not an
        // hourly one: libical then loses the phase of its interval.
        if (rule.count == 0 && rule.freq != ICAL_HOURLY_RECURRENCE && from - longest > *first)
            icalrecur_iterator_set_start(iterator, earliest);
        for (int step = 0; step < kMaxSteps; ++step) {
            icaltimetype next = icalrecur_iterator_next(iterator);
            if (icaltime_is_null_time(next) || ical::isBefore(latest, next))
                break;
            if (ical::isBefore(next, earliest))
                continue;
            next.zone = start.zone;
            next.is_date = start.is_date;
            consider(next, std::nullopt);
        }
        icalrecur_iterator_free(iterator);
    }
}

}
