#include "core/DateHelper.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(DurationsInWords, MinutesAndSecondsMarks)
{
    auto& helper = DateHelper::sharedHelper();
    EXPECT_EQ(helper.formatNumberOfSeconds(125), "02\u203205\u2033");
    EXPECT_EQ(helper.formatNumberOfSeconds(3725), "62\u203205\u2033");
    EXPECT_EQ(helper.formatNumberOfSeconds(0), "00\u203200\u2033");
}

TEST(DurationsInWords, HoursAndMinutes)
{
    auto& helper = DateHelper::sharedHelper();
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutes(59), "Less than one minute");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutes(-120), "Less than one minute");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutes(60), "1 minute");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutes(3600), "1 hour");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutes(3660), "1 hour 1 minute");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutes(7500), "2 hours 5 minutes");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutes(7199), "1 hour 59 minutes");
}

TEST(DurationsInWords, HoursMinutesAndSeconds)
{
    auto& helper = DateHelper::sharedHelper();
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutesAndSeconds(0), "");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutesAndSeconds(1), "1 second");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutesAndSeconds(59), "59 seconds");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutesAndSeconds(61), "1 minute 1 second");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutesAndSeconds(3605), "1 hour 5 seconds");
    EXPECT_EQ(helper.formatNumberOfSecondsAsHoursAndMinutesAndSeconds(7322), "2 hours 2 minutes 2 seconds");
}

}
}
