#include "platform/base/DateFormat.h"

#include "platform/base/Calendar.h"
#include "platform/base/Time.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <utility>
#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

namespace base {

namespace {
struct Field {
    const char* token;
    int DateComponents::*member;
    int width;
};

const Field kFields[] = {
    { "yyyy", &DateComponents::year, 4 },
    { "MM", &DateComponents::month, 2 },
    { "dd", &DateComponents::day, 2 },
    { "HH", &DateComponents::hour, 2 },
    { "mm", &DateComponents::minute, 2 },
    { "ss", &DateComponents::second, 2 },
};

const Field* fieldAt(const std::string& pattern, size_t position)
{
    for (const Field& field : kFields) {
        if (pattern.compare(position, std::char_traits<char>::length(field.token), field.token) == 0)
            return &field;
    }
    return nullptr;
}

icu::DateFormat::EStyle icuStyle(DateFormat::Style style)
{
    switch (style) {
    case DateFormat::Style::None:
        return icu::DateFormat::kNone;
    case DateFormat::Style::Short:
        return icu::DateFormat::kShort;
    case DateFormat::Style::Medium:
        return icu::DateFormat::kMedium;
    case DateFormat::Style::Long:
        return icu::DateFormat::kLong;
    case DateFormat::Style::Full:
        return icu::DateFormat::kFull;
    }
    return icu::DateFormat::kNone;
}
}

std::string DateFormat::format(double moment, const std::string& pattern)
{
    DateComponents parts = Calendar().components(moment);
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        if (const Field* field = fieldAt(pattern, i)) {
            char digits[16];
            std::snprintf(digits, sizeof digits, "%0*d", field->width, parts.*(field->member));
            out += digits;
            i += std::char_traits<char>::length(field->token);
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

std::optional<double> DateFormat::parse(const std::string& text, const std::string& pattern)
{
    DateComponents parts;
    size_t at = 0;
    for (size_t i = 0; i < pattern.size();) {
        if (const Field* field = fieldAt(pattern, i)) {
            int value = 0;
            for (int k = 0; k < field->width; ++k, ++at) {
                if (at >= text.size() || text[at] < '0' || text[at] > '9')
                    return std::nullopt;
                value = value * 10 + (text[at] - '0');
            }
            parts.*(field->member) = value;
            i += std::char_traits<char>::length(field->token);
        } else {
            if (at >= text.size() || text[at] != pattern[i])
                return std::nullopt;
            ++at;
            ++i;
        }
    }
    if (at != text.size())
        return std::nullopt;
    if (parts.month < 1 || parts.month > 12 || parts.day < 1 || parts.day > 31 || parts.hour > 23 || parts.minute > 59
        || parts.second > 60)
        return std::nullopt;
    Calendar calendar;
    double moment = calendar.moment(parts);
    // A day past the month's end would roll over into the next month: not a real date.
    DateComponents back = calendar.components(moment);
    if (back.year != parts.year || back.month != parts.month || back.day != parts.day)
        return std::nullopt;
    return moment;
}

std::string DateFormat::formatStyled(double moment, Style date, Style time)
{
    // Made once per style and thread: making one reads the locale's data, which a screen
    // showing its times every second would do again and again.
    thread_local std::map<std::pair<Style, Style>, std::unique_ptr<icu::DateFormat>> formatters;
    auto& formatter = formatters[{ date, time }];
    if (!formatter)
        formatter.reset(icu::DateFormat::createDateTimeInstance(icuStyle(date), icuStyle(time), icu::Locale::getDefault()));
    if (!formatter)
        return format(moment, "yyyy-MM-dd HH:mm:ss");
    formatter->adoptTimeZone(icu::TimeZone::detectHostTimeZone());
    icu::UnicodeString text;
    formatter->format((moment + Time::kUnixOffset) * 1000.0, text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

}
