#include "platform/base/Calendar.h"
#include "platform/base/DateFormat.h"

#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

using base::Calendar;
using base::DateFormat;

namespace {
double at(const std::string& text)
{
    return DateFormat::parse(text, "yyyy-MM-dd HH:mm:ss").value();
}

std::string show(double moment)
{
    return DateFormat::format(moment, "yyyy-MM-dd HH:mm:ss");
}
}

TEST(Calendar, DayArithmeticAcrossDaylightSavingChange)
{
    ostrel::test::TemporaryHome home("Europe/Berlin");
    Calendar calendar;
    // Clocks went forward at 02:00 on 2026-03-29 in Berlin: that day has 23 hours.
    double before = at("2026-03-28 09:30:00");
    EXPECT_EQ(show(calendar.addingDays(1, before)), "2026-03-29 09:30:00");
    EXPECT_EQ(calendar.addingDays(1, before) - before, 23 * 3600);
    EXPECT_EQ(show(calendar.addingDays(-1, at("2026-10-26 00:15:00"))), "2026-10-25 00:15:00");
    EXPECT_EQ(calendar.startOfDay(at("2026-03-30 00:00:00")) - calendar.startOfDay(at("2026-03-29 12:00:00")), 23 * 3600);
    EXPECT_EQ(show(calendar.startOfMonth(at("2026-03-31 23:59:59"))), "2026-03-01 00:00:00");
}

TEST(Calendar, WeeksFollowTheFirstWeekday)
{
    ostrel::test::TemporaryHome home("America/New_York");
    Calendar calendar;
    double wednesday = at("2026-12-09 15:00:00");
    EXPECT_EQ(calendar.weekday(wednesday), 4);
    calendar.setFirstWeekday(1);
    EXPECT_EQ(show(calendar.startOfWeek(wednesday)), "2026-12-06 00:00:00");
    calendar.setFirstWeekday(2);
    EXPECT_EQ(show(calendar.startOfWeek(wednesday)), "2026-12-07 00:00:00");
    double monday = at("2026-12-07 08:00:00");
    EXPECT_EQ(show(calendar.startOfWeek(monday)), "2026-12-07 00:00:00");
    EXPECT_TRUE(calendar.isSameDay(monday, at("2026-12-07 23:59:59")));
    EXPECT_FALSE(calendar.isSameDay(monday, at("2026-12-08 00:00:00")));
    int first = Calendar::current().firstWeekday();
    EXPECT_TRUE(first >= 1 && first <= 7);
}

TEST(DateFormat, FixedPatternsRoundTripAndRejectNonsense)
{
    ostrel::test::TemporaryHome home("Asia/Kolkata");
    EXPECT_EQ(at("2001-01-01 05:30:00"), 0);
    EXPECT_EQ(DateFormat::format(0, "yyyy-MM-dd"), "2001-01-01");
    EXPECT_EQ(DateFormat::parse("2026-12-06", "yyyy-MM-dd"), at("2026-12-06 00:00:00"));
    for (const char* bad : { "2026-02-30 10:00:00", "2026-13-01 10:00:00", "2026-12-06 10:00", "2026-12-06 10:00:00x",
             "20a6-12-06 10:00:00", "" })
        EXPECT_FALSE(DateFormat::parse(bad, "yyyy-MM-dd HH:mm:ss")) << bad;
}

TEST(DateFormat, StyledTextInTheLocalZone)
{
    ostrel::test::TemporaryHome home("UTC");
    double moment = at("2026-12-06 21:40:35");
    std::string time = DateFormat::formatStyled(moment, DateFormat::Style::None, DateFormat::Style::Medium);
    EXPECT_NE(time.find("40:35"), std::string::npos) << time;
    std::string date = DateFormat::formatStyled(moment, DateFormat::Style::Medium, DateFormat::Style::None);
    EXPECT_NE(date.find("2026"), std::string::npos) << date;
}

// The zone is kept between calls; a move of TZ still shows at the very next one.
TEST(DateFormat, StyledTextFollowsTheZoneAtOnce)
{
    ostrel::test::TemporaryHome home("UTC");
    double moment = at("2026-12-06 21:40:35");
    auto time = [&] { return DateFormat::formatStyled(moment, DateFormat::Style::None, DateFormat::Style::Medium); };
    EXPECT_NE(time().find("9:40:35"), std::string::npos) << time();
    home.setTimeZone("Asia/Kolkata");
    EXPECT_NE(time().find("3:10:35"), std::string::npos) << time();
    home.setTimeZone("UTC");
    EXPECT_NE(time().find("9:40:35"), std::string::npos) << time();
}
