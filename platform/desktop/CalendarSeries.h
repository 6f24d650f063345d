#pragma once

#include "platform/desktop/Calendar.h"

#include <libical/ical.h>
#include <optional>
#include <vector>

namespace desktop {

// One repeating event of an iCalendar file: its first occurrence, the rules and extra dates
// that repeat it, and the occurrences taken out (EXDATE, and those a RECURRENCE-ID moved or
// cancelled). The libical values point into the file's component tree, which must outlive
// the series.
struct CalendarSeries {
    // Occurrences a rule may step through before one reaches the range: a rule with a
    // count is followed from its first occurrence, and one far in the past must not stall
    // the main thread.
    static constexpr int kMaxSteps = 100'000;

    struct ExtraDate {
        icaltimetype start {};
        std::optional<double> end;
    };

    std::string title;
    icaltimetype start {};
    bool allDay { false };
    // The length of each occurrence: seconds for a timed event, whole days for an all-day one.
    double length { 0 };
    int days { 1 };
    std::vector<icalrecurrencetype> rules;
    std::vector<ExtraDate> extraDates;
    std::vector<double> excludedMoments;
    std::vector<int> excludedDays;

    // The rule ready for expanding: with its count turned into the date of its last
    // occurrence, which lets an expansion start near the range instead of at the first
    // occurrence (libical steps through ICU, some microseconds a step). None when the rule
    // gives no occurrence, or is broken (then `broken` is set): unreadable, or finer than
    // hourly. The rule as it was when its count runs past kMaxSteps.
    static std::optional<icalrecurrencetype> prepared(icalrecurrencetype rule, const icaltimetype& start, bool& broken);

    bool repeats() const { return !rules.empty() || !extraDates.empty(); }
    bool isExcluded(const icaltimetype& occurrence, double moment) const;
    // The occurrence starting at `moment` (an extra date may bring its own end).
    CalendarEvent occurrence(double moment, std::optional<double> end = std::nullopt) const;
    // Adds every occurrence that overlaps [from, to), each once.
    void expand(double from, double to, std::vector<CalendarEvent>& into) const;
};

}
