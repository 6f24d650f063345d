#include "core/DateHelper.h"

#include "core/Clock.h"
#include "platform/base/DateFormat.h"
#include "platform/base/Time.h"

#include <cstdio>
#include <ctime>
#include <optional>

namespace ostrel {

namespace {

std::optional<std::string> hoursPart(int64_t s)
{
    if (s >= 7200)
        return std::to_string(s / 3600) + " hours";
    if (s >= 3600)
        return "1 hour";
    return std::nullopt;
}

std::optional<std::string> countedPart(int64_t count, const char* singular, const char* plural)
{
    if (count == 1)
        return std::string("1 ") + singular;
    if (count >= 2)
        return std::to_string(count) + " " + plural;
    return std::nullopt;
}

std::string joined(std::initializer_list<std::optional<std::string>> parts)
{
    std::string text;
    for (auto& part : parts) {
        if (!part)
            continue;
        if (!text.empty())
            text += ' ';
        text += *part;
    }
    return text;
}

}

namespace {
constexpr const char* dayPattern = "yyyy-MM-dd";
}

DateHelper::DateHelper()
    : m_calendar(base::Calendar::current())
{
}

DateHelper& DateHelper::sharedHelper()
{
    static DateHelper* helper = new DateHelper; // kept for the whole run
    return *helper;
}

std::string DateHelper::formatNumberOfSeconds(int64_t seconds) const
{
    char text[64];
    int64_t minutes = seconds / 60;
    std::snprintf(text, sizeof text, "%02lld\u2032%02lld\u2033", static_cast<long long>(minutes),
        static_cast<long long>(seconds - 60 * minutes));
    return text;
}

std::string DateHelper::formatNumberOfSecondsAsHoursAndMinutes(int64_t seconds) const
{
    auto text = joined({ hoursPart(seconds), countedPart((seconds / 60) % 60, "minute", "minutes") });
    return text.empty() ? "Less than one minute" : text;
}

std::string DateHelper::formatNumberOfSecondsAsHoursAndMinutesAndSeconds(int64_t seconds) const
{
    return joined({ hoursPart(seconds), countedPart((seconds / 60) % 60, "minute", "minutes"),
        countedPart(seconds % 60, "second", "seconds") });
}

double DateHelper::now() const
{
    return Clock::nowAsDate();
}

double DateHelper::today() const
{
    return dateWithoutTime(now());
}

double DateHelper::dateWithoutTime(std::optional<double> date) const
{
    return base::Calendar::current().startOfDay(date.value_or(base::Time::now()));
}

double DateHelper::addDaysToDate(int days, double date) const
{
    return m_calendar.addingDays(days, m_calendar.startOfDay(date));
}

std::vector<std::string> DateHelper::lastDays(int days) const
{
    std::vector<std::string> strings;
    if (days < 0)
        return strings;
    double today = dateWithoutTime(std::nullopt);
    for (int back = days; back >= 0; --back)
        strings.push_back(stringFromDate(addDaysToDate(-back, today)));
    return strings;
}

int DateHelper::dayOfTheWeek(std::optional<double> date) const
{
    return date ? m_calendar.weekday(*date) : 0;
}

int DateHelper::hourOfDay(double date) const
{
    return base::Calendar::current().hour(date);
}

double DateHelper::beginningOfTheWeek(double date) const
{
    return base::Calendar::current().startOfWeek(date);
}

double DateHelper::beginningOfTheMonth(double date) const
{
    return base::Calendar::current().startOfMonth(date);
}

std::optional<double> DateHelper::dateFromString(const std::string& text) const
{
    return base::DateFormat::parse(text, dayPattern);
}

std::string DateHelper::stringFromDate(double date) const
{
    return base::DateFormat::format(date, dayPattern);
}

namespace {

// The distant past stands for no date at all, shown as the one date it is named for,
// 0001-01-01 00:00:00, wherever the user is: the moment whose wall clock here reads that,
// not the distant past's own time in this zone (the evening before, west of Greenwich).
double shownMoment(double date)
{
    if (date != base::Time::distantPast())
        return date;
    std::time_t unix = std::time_t(date + base::Time::kUnixOffset);
    std::tm local {};
    if (!localtime_r(&unix, &local))
        return date;
    double offset = double(timegm(&local) - unix);
    return date - offset;
}

}

std::string DateHelper::formattedTime(double date) const
{
    return base::DateFormat::formatStyled(shownMoment(date), base::DateFormat::Style::None, base::DateFormat::Style::Medium);
}

std::string DateHelper::formattedDate(double date) const
{
    return base::DateFormat::formatStyled(shownMoment(date), base::DateFormat::Style::Medium, base::DateFormat::Style::None);
}

text::AttributedString DateHelper::formatDateAsTimeWithAmPmIfAppropriate(double date) const
{
    return markingAmPm(formattedTime(date));
}

text::AttributedString DateHelper::markingAmPm(const std::string& time)
{
    auto marked = text::AttributedString::fromUtf8(time);
    std::u16string lower = marked.string();
    for (auto& ch : lower) {
        if (ch >= u'A' && ch <= u'Z')
            ch = static_cast<char16_t>(ch - u'A' + u'a');
    }
    text::Attributes large;
    large.font = gfx::Font::named("Helvetica", 20);
    auto mark = [&](size_t location, size_t length) { marked.setAttributes({ location, length }, large); };
    if (lower.find(u" am") != std::u16string::npos || lower.find(u" pm") != std::u16string::npos) {
        if (lower.size() >= 3)
            mark(lower.size() - 3, 3);
    } else if (auto am = lower.find(u"am"); am != std::u16string::npos) {
        mark(am, 2);
    } else if (auto pm = lower.find(u"pm"); pm != std::u16string::npos) {
        mark(pm, 2);
    }
    return marked;
}

}
