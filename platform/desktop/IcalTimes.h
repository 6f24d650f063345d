#pragma once

#include <libical/ical.h>
#include <optional>
#include <string>

// Times of iCalendar files as the calendar reads need them: moments (seconds since
// 2001-01-01 UTC) in and out of libical's broken-down times. Callers hold the calendar
// store's lock, since libical's zone tables are not thread-safe.
namespace desktop::ical {

// With its zone when it has one (UTC included); a floating time on the local wall clock
// (TZ); a date at local midnight. None for a time libical cannot convert.
std::optional<double> momentOf(const icaltimetype& time);

// The moment as a time of the same kind as `like`: in its zone, or on the local wall clock
// when `like` is floating or a date (then the date alone).
icaltimetype timeLike(double moment, const icaltimetype& like);

// Whole days from the date of `from` to the date of `to`, each read on its own wall clock.
int daysBetween(const icaltimetype& from, const icaltimetype& to);

// Whether `a` comes before `b` on their own wall clocks, fields alone (no zones): cheap,
// and exact for two times of one zone except within a clock change.
bool isBefore(const icaltimetype& a, const icaltimetype& b);

// The date as one number (yyyymmdd) for comparing days.
int dayKey(const icaltimetype& time);

// The property's time with its TZID made a zone: a VTIMEZONE of `calendar` first, else the
// system's zone of that name. A name neither knows leaves the time floating (local) and
// sets `unknownZone`.
icaltimetype withZone(icaltimetype time, icalproperty* property, icalcomponent* calendar, bool& unknownZone);

// A text property as valid UTF-8 (malformed bytes become U+FFFD); empty when absent.
std::string text(const char* value);

}
