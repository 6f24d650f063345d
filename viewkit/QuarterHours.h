#pragma once

#include <cstdint>

namespace ostrel {

// The time bubbles offer the next quarter hours of the clock as durations: minutes from now
// to the first quarter hour at least `shortest` minutes away (at 14:52, with a shortest of 2,
// 8 minutes to 15:00; at 14:59, 16 to 15:15). The later bubbles follow 15 minutes apart.
std::int64_t minutesToFirstQuarterHour(double now, std::int64_t shortest);
constexpr std::int64_t kMinutesBetweenQuarterHours = 15;

}
