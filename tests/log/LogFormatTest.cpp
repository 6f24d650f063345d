#include "log/LogFormat.h"
#include "log/RawTimeSlice.h"
#include "platform/base/Time.h"
#include "platform/text/Unicode.h"
#include "tests/log/LogTestSupport.h"

#include <cmath>
#include <limits>

namespace ostrel::test {
namespace {

using namespace LogFormat;

TEST(LogFormat, BooleansReadAsTheLogHasAlwaysWrittenThem)
{
    for (auto yes : { u"YES", u"yes", u"  true", u"T", u"1", u"+007", u"-2", u"0009" })
        EXPECT_TRUE(parseBoolean(yes)) << text::toUtf8(yes);
    for (auto no : { u"NO", u"", u"0", u"000", u"false", u"x", u"  ", u"-0" })
        EXPECT_FALSE(parseBoolean(no)) << text::toUtf8(no);
}

TEST(LogFormat, SecondsReadInSinglePrecisionAndWriteTruncated)
{
    EXPECT_EQ(parseSeconds(u"1500"), 1500);
    EXPECT_EQ(parseSeconds(u"  -12.5 seconds"), -12.5);
    EXPECT_EQ(parseSeconds(u"abc"), 0);
    EXPECT_EQ(parseSeconds(u""), 0);
    EXPECT_EQ(parseSeconds(u"16777217"), 16777216);
    EXPECT_EQ(parseSeconds(u"1e999"), 0);
    EXPECT_EQ(formatSeconds(1499.9), "1499");
    EXPECT_EQ(formatSeconds(-3.7), "-3");
    EXPECT_EQ(formatSeconds(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(formatSeconds(std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(formatSeconds(1e30), "0");
}

TEST(LogFormat, DatesRoundTripAndOtherDigitsStillRead)
{
    TemporaryHome home("Europe/Berlin");
    double date = localDate(2026, 7, 14, 21, 5, 9);
    EXPECT_EQ(formatDate(date), "2026-07-14 21:05:09");
    EXPECT_EQ(parseDate(u"2026-07-14 21:05:09"), date);
    // The same pattern in Arabic-Indic digits, as a user's locale may have written it.
    EXPECT_EQ(parseDate(u"٢٠٢٦-٠٧-١٤ ٢١:٠٥:٠٩"), date);
    EXPECT_EQ(parseDate(u"14.07.2026 21:05"), base::Time::distantPast());
    EXPECT_EQ(parseDate(u"2026-02-30 10:00:00"), base::Time::distantPast());
    EXPECT_EQ(parseDate(u""), base::Time::distantPast());
}

TEST(LogFormat, TheDistantPastIsWrittenAsTheDateItIsNamedForInAnyZone)
{
    for (const char* zone : { "UTC", "America/New_York", "Asia/Tokyo" }) {
        TemporaryHome home(zone);
        EXPECT_EQ(formatDate(base::Time::distantPast()), "0001-01-01 00:00:00") << zone;
        WrittenDay day;
        EXPECT_EQ(parseDate(u"0001-01-01 00:00:00", &day), base::Time::distantPast()) << zone;
        EXPECT_EQ(day.day, "0001-01-01") << zone;
        RawTimeSlice record;
        record.setStartDate(base::Time::distantPast());
        EXPECT_EQ(record.dayString(), "0001-01-01") << zone;
        // The statistics place it where it is written, whatever the zone: a Monday at midnight.
        EXPECT_EQ(record.dayNumber(), daysSince1970(1, 1, 1)) << zone;
        EXPECT_EQ(record.localHour(), 0) << zone;
        EXPECT_EQ(record.localWeekday(), 2) << zone;
    }
}

// A record holds its day as a number where that names it exactly, and the day string it was
// given otherwise: either way it answers the string it was given.
TEST(LogFormat, EveryDayIsNamedAsItsNumberSaysAndOddDaysAsWritten)
{
    for (std::int32_t day : { -719162, -1, 0, 1, 59, 60, 11016, 20454, 2932896 }) {
        std::string name = dayStringFor(day);
        int year = std::stoi(name.substr(0, 4)), month = std::stoi(name.substr(5, 2)), date = std::stoi(name.substr(8, 2));
        EXPECT_EQ(daysSince1970(year, month, date), day) << name;
    }
    EXPECT_EQ(dayStringFor(0), "1970-01-01");
    EXPECT_EQ(dayStringFor(20454), "2026-01-01");
    EXPECT_EQ(dayStringFor(-719162), "0001-01-01");
    // Years outside four digits are written as wide as they need.
    EXPECT_EQ(dayStringFor(-719163), "0000-12-31");
    EXPECT_EQ(dayStringFor(2932897), "10000-01-01");

    RawTimeSlice record;
    EXPECT_EQ(record.dayString(), "");
    for (const char* written : { "2026-03-01", "2026-02-30", "2026-3-1", "20x6-03-01", "" }) {
        record.setStartDate(0, written, 10, 2);
        EXPECT_EQ(record.dayString(), written);
    }
    record.setStartDate(0, "2026-02-30", 10, 2);
    EXPECT_EQ(record.dayNumber(), daysSince1970(2026, 2, 30));
}

TEST(LogFormat, FocusWordsBothWays)
{
    EXPECT_EQ(concentrationLevelStringForTag(0), "distracted");
    EXPECT_EQ(concentrationLevelStringForTag(3), "experienced flow");
    EXPECT_EQ(concentrationLevelStringForTag(4), "undefined");
    EXPECT_EQ(concentrationLevelStringForTag(-1), "undefined");
    EXPECT_EQ(concentrationLevelTagForString("highly focused"), 2);
    EXPECT_EQ(concentrationLevelTagForString("undefined"), 3);
}

TEST(LogFormat, FileNamePatterns)
{
    EXPECT_TRUE(isCurrentLogFileName("System Log Day 2026-12-05 (default).rtfd"));
    EXPECT_TRUE(isCurrentLogFileName("System Log Day 2026-12-05 (01ec2a3f5).rtfd"));
    EXPECT_TRUE(isCurrentLogFileName("system log day 2026-12-05 (default).rtfd"));
    EXPECT_TRUE(isCurrentLogFileName("System Log Day 2026-12-05 (01EC2A3F5).RTFD"));
    EXPECT_TRUE(isCurrentLogFileName("System Log Day 2026-12-05 ().rtfd"));
    EXPECT_FALSE(isCurrentLogFileName("System Log Day 2026-1-05 (default).rtfd"));
    EXPECT_FALSE(isCurrentLogFileName("System Log Day 2026-12-05 (xyz).rtfd"));
    EXPECT_FALSE(isCurrentLogFileName("System Log Day 2026-12-05 (default).rtfd.bak"));
    EXPECT_FALSE(isCurrentLogFileName("System Log Day 2026-12-05.rtfd"));
    // The older naming, without the computer, is read only once it has been given one.
    EXPECT_FALSE(isCurrentLogFileName("System Log Day 2026-12-05.rtfd.tmp"));
    EXPECT_FALSE(isCurrentLogFileName("System Log Day 2026-12-5.rtfd"));
    EXPECT_FALSE(isCurrentLogFileName("System Log 2009-04-01 (A1-B2-C3-D4).txt"));

    EXPECT_TRUE(isPlainTextLogFileName("System Log 2009-04-01 (A1-B2-C3-D4).txt"));
    EXPECT_TRUE(isPlainTextLogFileName("SYSTEM LOG 2009-04-01 (a-b-c-d (x)).TXT"));
    EXPECT_FALSE(isPlainTextLogFileName("System Log 2009-04-01 (A1-B2-C3).txt"));
    EXPECT_FALSE(isPlainTextLogFileName("System Log 2009-04-01.txt"));
    EXPECT_FALSE(isPlainTextLogFileName("System Log 2009-4-01 (a-b-c-d).txt"));
}

TEST(LogFormat, AComputersFilesCarryItsIdentifierAsTheirLastParenthesisedPart)
{
    const char* root = "System Log";
    EXPECT_TRUE(isFileOfComputer("System Log Day 2026-12-05 (1ec2a3f5).rtfd", root, "1ec2a3f5"));
    EXPECT_TRUE(isFileOfComputer("system log day 2026-12-05 (1EC2A3F5).rtfd", root, "1ec2a3f5"));
    EXPECT_TRUE(isFileOfComputer("System Log Day 2026-12-05 (default).rtfd", root, "default"));
    EXPECT_TRUE(isFileOfComputer("System Log (x) (1ec2a3f5).rtfd", root, "1ec2a3f5"));
    // Another computer whose identifier holds ours, or ours holding another's.
    EXPECT_FALSE(isFileOfComputer("System Log Day 2026-12-05 (01ec2a3f5).rtfd", root, "1ec2a3f5"));
    EXPECT_FALSE(isFileOfComputer("System Log Day 2026-12-05 (1ec2a3f5).rtfd", root, "01ec2a3f5"));
    EXPECT_FALSE(isFileOfComputer("System Log Day 2026-12-05 (1ec2a3f5) copy.rtfd", root, "1ec2a3f5"));
    EXPECT_FALSE(isFileOfComputer("System Log (1ec2a3f5) (x).rtfd", root, "1ec2a3f5"));
    EXPECT_FALSE(isFileOfComputer("System Log 2009-04-01 (1ec2a3f5-b-c-d).txt", root, "1ec2a3f5"));
    EXPECT_FALSE(isFileOfComputer("Roz Ezed (1ec2a3f5).rtfd", root, "1ec2a3f5"));
    EXPECT_FALSE(isFileOfComputer(".System Log Day 2026-12-05 (1ec2a3f5).rtfd.tmp.0a1b2c", root, "1ec2a3f5"));
    EXPECT_FALSE(isFileOfComputer("System Log Day 2026-12-05 ().rtfd", root, ""));

    EXPECT_TRUE(beginsWithRoot("SYSTEM LOG Day", root));
    EXPECT_TRUE(beginsWithRoot("System Log", root));
    EXPECT_FALSE(beginsWithRoot("System Lo", root));
    EXPECT_FALSE(beginsWithRoot(" System Log", root));
    EXPECT_FALSE(beginsWithRoot("anything", ""));
}

TEST(LogFormat, MarkersAreWholeCaseSensitiveLines)
{
    EXPECT_EQ(fieldForMarker(u"#TimeSlice"), Field::Identifier);
    EXPECT_EQ(fieldForMarker(u"#objective"), Field::Objective);
    EXPECT_EQ(fieldForMarker(u"#Objective"), Field::None);
    EXPECT_EQ(fieldForMarker(u" #tags"), Field::None);
    EXPECT_EQ(fieldForMarker(u"#tags "), Field::None);
    EXPECT_EQ(fieldForMarker(std::string_view("#endDate")), Field::EndDate);
}

}
}
