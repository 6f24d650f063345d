#pragma once

#include <optional>
#include <string>

namespace base {

// Dates written and read as text, in the local time zone. Moments are seconds since
// 2001-01-01 00:00:00 UTC.
class DateFormat {
public:
    enum class Style { None, Short, Medium, Long, Full };

    // Fixed numeric patterns with the POSIX locale, as files store dates: the fields yyyy,
    // MM, dd, HH, mm and ss, anything else literal ("yyyy-MM-dd HH:mm:ss").
    static std::string format(double moment, const std::string& pattern);
    // None unless the whole text matches the pattern and names a real date and time.
    static std::optional<double> parse(const std::string& text, const std::string& pattern);

    // As the user's locale writes dates and times ("Dec 6, 2026", "9:40:35 PM").
    static std::string formatStyled(double moment, Style date, Style time);
    // The language those dates are written in: the locale's ISO code ("en", "ja", "ar").
    static std::string language();
};

}
