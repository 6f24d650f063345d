#include "platform/base/DateFormat.h"

#include "platform/base/Calendar.h"
#include "platform/base/Time.h"

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// The host's zone, found once and kept: finding it reads /etc/localtime, and screens format
// their times every second. TZ is compared on each call (it costs no system call, and tests
// move it); the file is looked at again at most once a second.
class HostZone {
public:
    // Counts the zones found; a formatter that saw an older count takes the zone anew.
    std::uint64_t generation()
    {
        const char* variable = std::getenv("TZ");
        std::string tz = variable ? std::string("=") + variable : std::string();
        auto now = std::chrono::steady_clock::now();
        bool fileMayHaveChanged = now - m_fileCheckedAt >= std::chrono::seconds(1);
        if (fileMayHaveChanged) {
            m_fileCheckedAt = now;
            std::string file = fileIdentity();
            fileMayHaveChanged = file != m_file;
            m_file = std::move(file);
        }
        if (!m_zone || tz != m_tz || fileMayHaveChanged) {
            m_tz = std::move(tz);
            m_zone.reset(icu::TimeZone::detectHostTimeZone());
            ++m_generation;
        }
        return m_generation;
    }

    const icu::TimeZone& zone() const { return *m_zone; }

private:
    // The link and the file it names: a zone is changed by pointing the link elsewhere or by
    // writing a new file in its place.
    static std::string fileIdentity()
    {
        std::string identity;
        struct stat link {};
        if (::lstat("/etc/localtime", &link) == 0)
            identity += std::to_string(link.st_ino) + ":" + std::to_string(link.st_mtim.tv_sec) + "."
                + std::to_string(link.st_mtim.tv_nsec);
        struct stat target {};
        if (::stat("/etc/localtime", &target) == 0)
            identity += "/" + std::to_string(target.st_dev) + ":" + std::to_string(target.st_ino) + ":"
                + std::to_string(target.st_mtim.tv_sec) + "." + std::to_string(target.st_mtim.tv_nsec);
        return identity;
    }

    std::unique_ptr<icu::TimeZone> m_zone;
    std::string m_tz;
    std::string m_file;
    std::chrono::steady_clock::time_point m_fileCheckedAt {};
    std::uint64_t m_generation { 0 };
};
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

std::string DateFormat::language() { return icu::Locale::getDefault().getLanguage(); }

std::string DateFormat::formatStyled(double moment, Style date, Style time)
{
    // Made once per style and thread: making one reads the locale's data, which a screen
    // showing its times every second would do again and again.
    struct Kept {
        std::unique_ptr<icu::DateFormat> formatter;
        std::uint64_t zoneGeneration { 0 };
    };
    thread_local std::map<std::pair<Style, Style>, Kept> formatters;
    thread_local HostZone hostZone;
    auto& [formatter, zoneGeneration] = formatters[{ date, time }];
    if (!formatter)
        formatter.reset(icu::DateFormat::createDateTimeInstance(icuStyle(date), icuStyle(time), icu::Locale::getDefault()));
    if (!formatter)
        return format(moment, "yyyy-MM-dd HH:mm:ss");
    std::uint64_t generation = hostZone.generation();
    if (generation != zoneGeneration) {
        formatter->setTimeZone(hostZone.zone());
        zoneGeneration = generation;
    }
    icu::UnicodeString text;
    formatter->format((moment + Time::kUnixOffset) * 1000.0, text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

}
