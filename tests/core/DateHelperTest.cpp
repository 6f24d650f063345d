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

#include "platform/base/Calendar.h"
#include "platform/base/VirtualTime.h"
#include "tests/support/TemporaryHome.h"

namespace ostrel {
namespace {

double localMoment(int year, int month, int day, int hour = 0)
{
    base::DateComponents components;
    components.year = year;
    components.month = month;
    components.day = day;
    components.hour = hour;
    return base::Calendar::current().moment(components);
}

TEST(DayArithmetic, DaysFollowTheWallClockAcrossDaylightSaving)
{
    test::TemporaryHome berlin("Europe/Berlin");
    auto& helper = DateHelper::sharedHelper();
    double saturdayNoon = localMoment(2026, 3, 28, 12);
    double sunday = helper.addDaysToDate(1, saturdayNoon);
    double monday = helper.addDaysToDate(2, saturdayNoon);
    EXPECT_EQ(helper.stringFromDate(sunday), "2026-03-29");
    EXPECT_EQ(helper.stringFromDate(monday), "2026-03-30");
    EXPECT_DOUBLE_EQ(monday - sunday, 23 * 3600.0); // the night the clocks went forward
    EXPECT_EQ(helper.hourOfDay(monday), 0);
    EXPECT_EQ(helper.dateFromString("2026-03-30"), monday);
    EXPECT_EQ(helper.dateWithoutTime(localMoment(2026, 3, 29, 15)), sunday);
    EXPECT_EQ(helper.beginningOfTheMonth(monday), localMoment(2026, 3, 1));
    EXPECT_EQ(helper.dayOfTheWeek(sunday), 1);
}

TEST(DayArithmetic, WeekStartsOnTheFirstWeekdayItself)
{
    auto& helper = DateHelper::sharedHelper();
    int first = base::Calendar::current().firstWeekday();
    double day = localMoment(2026, 3, 1, 10); // a Sunday
    while (helper.dayOfTheWeek(day) != first)
        day = helper.addDaysToDate(1, day) + 10 * 3600;
    EXPECT_EQ(helper.beginningOfTheWeek(day), helper.dateWithoutTime(day));
    EXPECT_EQ(helper.beginningOfTheWeek(helper.addDaysToDate(6, day) + 3600), helper.dateWithoutTime(day));
    EXPECT_EQ(helper.dayOfTheWeek(std::nullopt), 0);
}

TEST(DayArithmetic, LastDaysEndWithToday)
{
    base::VirtualTime time; // Monday 2026-01-05
    auto& helper = DateHelper::sharedHelper();
    EXPECT_EQ(helper.lastDays(0), std::vector<std::string> { "2026-01-05" });
    auto week = helper.lastDays(6);
    ASSERT_EQ(week.size(), 7u);
    EXPECT_EQ(week.front(), "2025-12-30");
    EXPECT_EQ(week.back(), "2026-01-05");
    EXPECT_TRUE(helper.lastDays(-1).empty());
    EXPECT_EQ(helper.stringFromDate(helper.today()), "2026-01-05");
}

TEST(DayArithmetic, DayStringsThatNameNoDayReadAsNone)
{
    auto& helper = DateHelper::sharedHelper();
    EXPECT_FALSE(helper.dateFromString("2026-02-30"));
    EXPECT_FALSE(helper.dateFromString("yesterday"));
    EXPECT_FALSE(helper.dateFromString(""));
}

}
}

namespace ostrel {
namespace {

std::vector<std::string> largeParts(const text::AttributedString& time)
{
    std::vector<std::string> parts;
    size_t location = 0;
    for (auto& run : time.runs()) {
        if (run.attributes.font == gfx::Font::named("Helvetica", 20))
            parts.push_back(time.substring({ location, run.length }).utf8());
        location += run.length;
    }
    return parts;
}

TEST(TimeOfDay, TheDistantPastShowsAsTheDateItIsNamedForInAnyZone)
{
    // It stands for no date: not its own moment's wall clock, the evening before in New York.
    for (const char* zone : { "UTC", "America/New_York", "Asia/Tokyo" }) {
        test::TemporaryHome home(zone);
        EXPECT_EQ(DateHelper::sharedHelper().formattedDate(base::Time::distantPast()), "Jan 1, 1") << zone;
        EXPECT_EQ(DateHelper::sharedHelper().formattedTime(base::Time::distantPast()), "12:00:00\u202fAM") << zone;
    }
}

TEST(TimeOfDay, AmOrPmIsSetLarge)
{
    EXPECT_EQ(largeParts(DateHelper::markingAmPm("9:40:35 PM")), std::vector<std::string> { " PM" });
    EXPECT_EQ(largeParts(DateHelper::markingAmPm("9:40:35am")), std::vector<std::string> { "am" });
    EXPECT_EQ(largeParts(DateHelper::markingAmPm("pm 9:40:35")), std::vector<std::string> { "pm" });
    EXPECT_TRUE(largeParts(DateHelper::markingAmPm("21:40:35")).empty());
    EXPECT_TRUE(largeParts(DateHelper::markingAmPm("")).empty());
    auto time = DateHelper::sharedHelper().formatDateAsTimeWithAmPmIfAppropriate(base::VirtualTime::kDefaultStart);
    EXPECT_EQ(time.utf8(), DateHelper::sharedHelper().formattedTime(base::VirtualTime::kDefaultStart));
}

}
}
