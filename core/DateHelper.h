#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// Day arithmetic, day strings and durations written out in words.
class DateHelper {
public:
    static DateHelper& sharedHelper();

    // "02′05″": total minutes (not reduced to an hour) and seconds.
    std::string formatNumberOfSeconds(int64_t seconds) const;
    // "2 hours 5 minutes"; "Less than one minute" when neither part is there.
    std::string formatNumberOfSecondsAsHoursAndMinutes(int64_t seconds) const;
    // "1 hour 5 seconds"; empty when no part is there.
    std::string formatNumberOfSecondsAsHoursAndMinutesAndSeconds(int64_t seconds) const;

private:
    DateHelper() = default;
};

}
