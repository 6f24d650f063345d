#include "log/LogFormat.h"

#include "platform/base/Calendar.h"
#include "platform/base/DateFormat.h"
#include "platform/base/Time.h"
#include "platform/text/Unicode.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

namespace ostrel::LogFormat {

namespace {

const std::array<std::pair<Field, std::u16string>, 10>& markers()
{
    static const std::array<std::pair<Field, std::u16string>, 10> table { {
        { Field::Identifier, u"#TimeSlice" },
        { Field::Duration, u"#duration" },
        { Field::ActualDuration, u"#actualDuration" },
        { Field::StartDate, u"#startDate" },
        { Field::EndDate, u"#endDate" },
        { Field::Completed, u"#completed" },
        { Field::Success, u"#success" },
        { Field::FocusRating, u"#focusRating" },
        { Field::Tags, u"#tags" },
        { Field::Objective, u"#objective" },
    } };
    return table;
}

bool isWhiteSpace(char16_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

char16_t lower(char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c - 'A' + 'a') : c; }

// Case-insensitive literal match of `word` (lower-case ASCII) at `at`; advances on success.
bool matchWord(std::string_view name, size_t& at, std::string_view word)
{
    if (name.size() - at < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (lower(char16_t(static_cast<unsigned char>(name[at + i]))) != word[i])
            return false;
    }
    at += word.size();
    return true;
}

bool matchDigits(std::string_view name, size_t& at, size_t count)
{
    for (size_t i = 0; i < count; ++i, ++at) {
        if (at >= name.size() || name[at] < '0' || name[at] > '9')
            return false;
    }
    return true;
}

bool matchDate(std::string_view name, size_t& at)
{
    return matchDigits(name, at, 4) && matchWord(name, at, "-") && matchDigits(name, at, 2) && matchWord(name, at, "-")
        && matchDigits(name, at, 2);
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(char16_t(static_cast<unsigned char>(a[i]))) != lower(char16_t(static_cast<unsigned char>(b[i]))))
            return false;
    }
    return true;
}

bool endsWithIgnoringCase(std::string_view name, std::string_view suffix)
{
    if (name.size() < suffix.size())
        return false;
    size_t at = name.size() - suffix.size();
    return matchWord(name, at, suffix);
}

}

Field fieldForMarker(std::u16string_view line)
{
    if (line.empty() || line.front() != u'#')
        return Field::None;
    for (const auto& [field, word] : markers()) {
        if (line == word)
            return field;
    }
    return Field::None;
}

Field fieldForMarker(std::string_view line)
{
    if (line.empty() || line.front() != '#' || line.size() > 16)
        return Field::None;
    return fieldForMarker(std::u16string(line.begin(), line.end()));
}

const std::u16string& markerText(Field field)
{
    static const std::u16string none;
    for (const auto& [candidate, word] : markers()) {
        if (candidate == field)
            return word;
    }
    return none;
}

bool isMarkerLine(std::u16string_view line) { return fieldForMarker(line) != Field::None; }

bool parseBoolean(std::u16string_view text)
{
    size_t at = 0;
    while (at < text.size() && isWhiteSpace(text[at]))
        ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    while (at < text.size() && text[at] == '0')
        ++at;
    if (at >= text.size())
        return false;
    char16_t c = text[at];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

double parseSeconds(std::u16string_view text)
{
    size_t at = 0;
    while (at < text.size() && isWhiteSpace(text[at]))
        ++at;
    // The number's own characters are ASCII; anything else ends it.
    char buffer[64];
    size_t length = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    while (at < text.size() && length < sizeof buffer - 1) {
        char16_t c = text[at];
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || ((c == '+' || c == '-') && length > 0
                  && (buffer[length - 1] == 'e' || buffer[length - 1] == 'E'))))
            break;
        buffer[length++] = char(c);
        ++at;
    }
    float value = 0;
    auto [end, error] = std::from_chars(buffer, buffer + length, value, std::chars_format::general);
    if (error != std::errc() || end == buffer || !std::isfinite(value))
        return 0;
    return negative ? -double(value) : double(value);
}

std::string formatSeconds(double seconds)
{
    if (!std::isfinite(seconds) || seconds >= 9.2e18 || seconds <= -9.2e18)
        return "0";
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(std::trunc(seconds)));
    return text;
}

std::int32_t daysSince1970(int year, int month, int day)
{
    // Counted by eras of 400 years, each of the same length.
    year -= month <= 2;
    int era = (year >= 0 ? year : year - 399) / 400;
    int yearOfEra = year - era * 400;
    int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return std::int32_t(era * 146097 + dayOfEra - 719468);
}

std::string dayStringFor(std::int32_t days)
{
    // The count above, undone era by era.
    std::int64_t z = std::int64_t(days) + 719468;
    std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    std::int64_t dayOfEra = z - era * 146097;
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    int day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    int month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    long long year = yearOfEra + era * 400 + (month <= 2);
    // Asked for every record of a log as it loads: formatting by hand costs a hundredth of
    // snprintf, which the years outside four digits still go through.
    if (year >= 0 && year <= 9999) {
        std::string text = "0000-00-00";
        for (int at = 3; at >= 0; --at, year /= 10)
            text[std::size_t(at)] = char('0' + year % 10);
        text[5] = char('0' + month / 10);
        text[6] = char('0' + month % 10);
        text[8] = char('0' + day / 10);
        text[9] = char('0' + day % 10);
        return text;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d", year, month, day);
    return text;
}

std::string formatDate(double date)
{
    // Its own moment is no day of any calendar's here: a calendar without the Julian years
    // before 1582 puts it two days before the date it is named for, west of Greenwich on the
    // evening before that.
    if (date == base::Time::distantPast())
        return std::string(kDistantPastText);
    return base::DateFormat::format(date, std::string(kDateFormat));
}

namespace {

// The one day last read on this thread: a log file's dates mostly share their day, and
// working out a local midnight is the costly part of reading a date.
struct DayCache {
    std::string zone;
    int year { 0 }, month { 0 }, day { 0 };
    double midnight { 0 };
    bool usable { false };
};

// 1 = Sunday … 7 = Saturday of a Gregorian date.
int weekdayOf(int year, int month, int day)
{
    // 1970-01-01 was a Thursday.
    int weekday = (daysSince1970(year, month, day) + 4) % 7;
    return (weekday < 0 ? weekday + 7 : weekday) + 1;
}

std::optional<double> parseWrittenDate(std::u16string_view text, WrittenDay* written)
{
    // "yyyy-MM-dd HH:mm:ss"
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    auto number = [&](size_t at, size_t length) {
        int value = 0;
        for (size_t i = at; i < at + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59
        || second < 0 || second > 60)
        return std::nullopt;
    thread_local DayCache cache;
    const char* zone = std::getenv("TZ");
    if (!cache.usable || cache.year != year || cache.month != month || cache.day != day || cache.zone != (zone ? zone : "")) {
        base::Calendar calendar;
        base::DateComponents parts;
        parts.year = year;
        parts.month = month;
        parts.day = day;
        double midnight = calendar.moment(parts);
        auto back = calendar.components(midnight);
        base::DateComponents next = parts;
        ++next.day;
        // Only a day of 24 hours that begins at midnight can be counted in plain seconds.
        bool plain = back.year == year && back.month == month && back.day == day && back.hour == 0 && back.minute == 0
            && back.second == 0 && calendar.moment(next) - midnight == 86400;
        if (back.year != year || back.month != month || back.day != day)
            return std::nullopt;
        cache = { zone ? zone : "", year, month, day, midnight, plain };
        if (!plain)
            return std::nullopt;
    }
    if (written) {
        written->day.assign(text.begin(), text.begin() + 10);
        written->hour = hour;
        written->weekday = weekdayOf(year, month, day);
    }
    return cache.midnight + hour * 3600 + minute * 60 + second;
}

}

WrittenDay distantPastDay()
{
    return { std::string(kDistantPastText.substr(0, 10)), 0, weekdayOf(1, 1, 1) };
}

double parseDate(std::u16string_view text, WrittenDay* day)
{
    if (text.size() == kDistantPastText.size() && std::equal(text.begin(), text.end(), kDistantPastText.begin())) {
        if (day)
            *day = distantPastDay();
        return base::Time::distantPast();
    }
    if (auto date = parseWrittenDate(text, day))
        return *date;
    std::string pattern(kDateFormat);
    if (auto date = base::DateFormat::parse(text::toUtf8(text), pattern))
        return *date;
    // A locale with digits of its own writes the same pattern in them; its digits are
    // decimal digits to ICU, so they read as ours.
    std::string ascii;
    bool changed = false;
    for (size_t i = 0; i < text.size(); ++i) {
        UChar32 c = text[i];
        if (text::isHighSurrogate(text[i]) && i + 1 < text.size() && text::isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c > 0x7f && u_isdigit(c)) {
            ascii += char('0' + u_charDigitValue(c));
            changed = true;
        } else if (c <= 0x7f) {
            ascii += char(c);
        } else {
            return base::Time::distantPast();
        }
    }
    if (changed) {
        if (auto date = base::DateFormat::parse(ascii, pattern))
            return *date;
    }
    return base::Time::distantPast();
}

std::string concentrationLevelStringForTag(long long level)
{
    switch (level) {
    case 0:
        return "distracted";
    case 1:
        return "good";
    case 2:
        return "highly focused";
    case 3:
        return "experienced flow";
    default:
        return "undefined";
    }
}

int concentrationLevelTagForString(std::string_view word)
{
    if (word == "distracted")
        return 0;
    if (word == "good")
        return 1;
    if (word == "highly focused")
        return 2;
    return 3;
}

bool beginsWithRoot(std::string_view name, std::string_view root)
{
    return !root.empty() && name.size() >= root.size() && equalIgnoringCase(name.substr(0, root.size()), root);
}

bool isFileOfComputer(std::string_view name, std::string_view root, std::string_view identifier)
{
    if (identifier.empty() || !beginsWithRoot(name, root))
        return false;
    size_t dot = name.rfind('.');
    std::string_view stem = dot == std::string_view::npos || dot < root.size() ? name : name.substr(0, dot);
    size_t open = stem.rfind('(');
    if (!stem.ends_with(')') || open == std::string_view::npos || open < root.size())
        return false;
    return equalIgnoringCase(stem.substr(open + 1, stem.size() - open - 2), identifier);
}

bool isCurrentLogFileName(std::string_view name)
{
    size_t at = 0;
    if (!matchWord(name, at, "system log day ") || !matchDate(name, at) || !matchWord(name, at, " ("))
        return false;
    size_t afterIdentifier = at;
    if (!matchWord(name, afterIdentifier, "default")) {
        afterIdentifier = at;
        while (afterIdentifier < name.size()) {
            char16_t c = lower(char16_t(static_cast<unsigned char>(name[afterIdentifier])));
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
                break;
            ++afterIdentifier;
        }
    }
    return matchWord(name, afterIdentifier, ").rtfd") && afterIdentifier == name.size();
}

bool isPlainTextLogFileName(std::string_view name)
{
    size_t at = 0;
    if (!matchWord(name, at, "system log ") || !matchDate(name, at) || !matchWord(name, at, " ("))
        return false;
    if (!endsWithIgnoringCase(name, ").txt") || name.size() - at < 5)
        return false;
    std::string_view inner = name.substr(at, name.size() - at - 5);
    int hyphens = 0;
    for (char c : inner) {
        // A pattern's "." stops at line ends.
        if (c == '\n' || c == '\r')
            return false;
        hyphens += c == '-';
    }
    return hyphens >= 3;
}

}
