#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ostrel {

// The layout of the log: file names, marker lines and the forms of their values, shared by
// the writers and the readers.
namespace LogFormat {

inline constexpr std::string_view kRoot = "System Log";
inline constexpr std::string_view kEntryTemplate = "system log time slice entry";
inline constexpr std::string_view kDateFormat = "yyyy-MM-dd HH:mm:ss";
// An older plain-text day file is a few kilobytes; one past this is no log of ours and is
// not read.
inline constexpr std::size_t kPlainTextFileLimit = 64 << 20;
// The identifier of every record that never had one (older plain-text files, a damaged
// entry); never enough to address a record on its own.
inline constexpr std::string_view kDummyIdentifier = "dummy";

enum class Field {
    None,
    Identifier,
    Objective,
    Completed,
    Success,
    Duration,
    ActualDuration,
    Tags,
    StartDate,
    EndDate,
    FocusRating,
};

// The field a marker line names; Field::Identifier stands for "#TimeSlice". Lines are
// compared whole, case-sensitively.
Field fieldForMarker(std::u16string_view line);
Field fieldForMarker(std::string_view line);
// The marker words themselves ("#TimeSlice", "#objective", …).
const std::u16string& markerText(Field field);
bool isMarkerLine(std::u16string_view line);

// "YES" or "NO" when written. Read as true when the first character after white space, an
// optional sign and leading zeros is Y, y, T, t or a digit 1 to 9.
bool parseBoolean(std::u16string_view text);
// Seconds as a decimal number read in single precision: leading white space skipped, the
// text after the number ignored, 0 when there is none.
double parseSeconds(std::u16string_view text);
// Truncated toward zero; what is not finite or lies beyond the 64-bit range is written 0,
// so a broken value cannot turn into a plausible-looking huge one.
std::string formatSeconds(double seconds);

// The distant past, which stands for no date, as the log writes it in any time zone.
inline constexpr std::string_view kDistantPastText = "0001-01-01 00:00:00";

// "yyyy-MM-dd HH:mm:ss" in the local time zone with the POSIX locale; the distant past as
// kDistantPastText.
std::string formatDate(double date);
// Days from 1970-01-01 to a date of the Gregorian calendar; negative before it.
std::int32_t daysSince1970(int year, int month, int day);
// The day that many days from 1970-01-01 as "yyyy-MM-dd".
std::string dayStringFor(std::int32_t daysSince1970);

// Where a date as written falls on the local calendar: its "yyyy-MM-dd", hour and weekday
// (1 = Sunday), read off the text itself where the day is an ordinary one of 24 hours.
struct WrittenDay {
    std::string day;
    int hour { -1 };
    int weekday { 0 };
};
// First as written; then as a user's locale with other digits writes the same pattern;
// else the distant past. When `day` is given and the text is a date as written on an
// ordinary day, it receives where the date falls; otherwise it is left empty.
double parseDate(std::u16string_view text, WrittenDay* day = nullptr);
// Where the distant past falls as the log writes it, the same in every time zone.
WrittenDay distantPastDay();

// The words written for focus levels 0 to 3; any other level is "undefined".
std::string concentrationLevelStringForTag(long long level);
// 0, 1 and 2 for their words; 3 for any other text.
int concentrationLevelTagForString(std::string_view word);

// Whether a folder entry belongs to the series of `root`: its name begins with the root,
// letter case aside, as the readers take names.
bool beginsWithRoot(std::string_view name, std::string_view root);
// Whether a folder entry is a file of the computer with `identifier`: its name begins with
// the root and the last parenthesised part before its extension is that identifier, no
// more ("(01ec2a3f5)" is not the file of "1ec2a3f5"), letter case aside.
bool isFileOfComputer(std::string_view name, std::string_view root, std::string_view identifier);

// The last path component of a current daily file ("System Log Day 2026-12-05 (default).rtfd")
// or of an older plain-text file; letter case is ignored.
bool isCurrentLogFileName(std::string_view name);
bool isPlainTextLogFileName(std::string_view name);

}

}
