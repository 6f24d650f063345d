#include "log/LogFormat.h"
#include "log/TimeSliceReaders.h"
#include "platform/base/Calendar.h"
#include "platform/base/Time.h"
#include "platform/text/Unicode.h"
#include "tests/log/LogTestSupport.h"

namespace ostrel::test {
namespace {

class ReadersTest : public LogTest {
protected:
    std::vector<std::shared_ptr<FullTimeSlice>> readFull(const std::string& content)
    {
        return readFullTimeSlices(text::AttributedString::fromUtf8(content));
    }
};

TEST_F(ReadersTest, FullReaderTakesEveryField)
{
    auto records = readFull(entryLines("U-1",
        { "#objective", "Write the report", "#completed", "YES", "#duration", "1500", "#actualDuration", "-1490.5",
            "#tags", "work,writing", "#startDate", "2026-03-01 10:00:00", "#endDate", "2026-03-01 10:25:00",
            "#focusRating", "highly focused", "#success", "1" }));
    ASSERT_EQ(records.size(), 1u);
    const auto& record = *records[0];
    EXPECT_EQ(record.uuid(), "U-1");
    EXPECT_EQ(record.objective(), "Write the report");
    EXPECT_EQ(record.objectiveText().utf8(), "Write the report");
    EXPECT_TRUE(record.completed());
    EXPECT_EQ(record.duration(), 1500);
    EXPECT_EQ(record.actualDuration(), 1490.5);
    EXPECT_EQ(record.tagString(), "work,writing");
    EXPECT_EQ(record.startDate(), localDate(2026, 3, 1, 10));
    EXPECT_EQ(record.dayString(), "2026-03-01");
    EXPECT_EQ(record.endDate(), localDate(2026, 3, 1, 10, 25));
    EXPECT_EQ(record.focusRating(), "highly focused");
    EXPECT_TRUE(record.success());
    EXPECT_EQ(record.positionInFile(), 0u);
    EXPECT_EQ(TagManager::sharedInstance().allTags(), (std::vector<std::string> { "work", "writing" }));
}

TEST_F(ReadersTest, MissingFieldsKeepTheirDefaults)
{
    auto records = readFull("stray line before any entry\n#completed\nYES\n" + entryLines("U-2", { "#duration", "60" }));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_FALSE(records[0]->completed());
    EXPECT_EQ(records[0]->focusRating(), "good");
    EXPECT_EQ(records[0]->tagString(), "");
    EXPECT_EQ(records[0]->objective(), "");
    EXPECT_EQ(records[0]->startDate(), base::Time::distantPast());
    EXPECT_EQ(records[0]->dayString(), "0001-01-01") << "the day the log writes for the distant past";
}

TEST_F(ReadersTest, ObjectiveBlankLinesAndMarkerLines)
{
    auto records = readFull(entryLines("U-3", { "#objective", "", "", "first", "", "second", "#tags", "t",
                                                  "#objective", "third", "#completed", "NO" }));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->objective(), "first\n\nsecond\nthird");

    // A line equal to a marker ends the objective as written by hand; the writer prevents
    // this for objectives it writes.
    records = readFull(entryLines("U-4", { "#objective", "plan", "#tags", "x" }));
    EXPECT_EQ(records[0]->objective(), "plan");
    EXPECT_EQ(records[0]->tagString(), "x");

    records = readFull(entryLines("U-5", { "#objective", "plan", "", "" }) + entryLines("U-6", {}));
    EXPECT_EQ(records[0]->objective(), "plan\n\n");
}

TEST_F(ReadersTest, TwoEntryMarkersInARowLeaveTheFirstWithoutIdentifier)
{
    auto records = readFull("#TimeSlice\n#TimeSlice\nU-7\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->uuid(), "dummy");
    EXPECT_EQ(records[1]->uuid(), "U-7");
    EXPECT_EQ(records[1]->positionInFile(), 1u);
}

TEST_F(ReadersTest, CarriageReturnLineFeedAddsIgnoredEmptyLines)
{
    auto records = readFull(entryLines("U-8", { "#duration", "300", "#objective", "one", "#tags", "a" }, "\r\n"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->uuid(), "U-8");
    EXPECT_EQ(records[0]->duration(), 300);
    EXPECT_EQ(records[0]->tagString(), "a");
    // Each CR LF is two line ends, so the objective's own line is followed by an empty one.
    EXPECT_EQ(records[0]->objective(), "one\n");
}

TEST_F(ReadersTest, RichObjectiveKeepsFormattingAndLinks)
{
    text::AttributedString content = text::AttributedString::fromUtf8("#TimeSlice\nU-9\n#objective\nsee ");
    text::Attributes link;
    link.link = "ostrel2things://ABC";
    content.append(u"this task", link);
    content.append(text::AttributedString::fromUtf8("\nline two\n#completed\nYES\n"));
    auto records = readFullTimeSlices(content);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->objective(), "see this task\nline two");
    EXPECT_EQ(records[0]->objectiveText().attributesAt(4).link, "ostrel2things://ABC");
    EXPECT_EQ(records[0]->extractedLinks(), std::vector<std::string> { "ostrel2things://ABC" });
}

// A record keeps the rich objective's characters once, beside its plain objective: each
// must still read as it was set, whichever is set later and whatever the other holds.
TEST_F(ReadersTest, RichAndPlainObjectivesStayTheirOwnWhenSetApart)
{
    text::AttributedString content = text::AttributedString::fromUtf8("#TimeSlice\nU-1\n#objective\nPlan ");
    text::Attributes bold;
    bold.font = gfx::Font::named("Helvetica-Bold", 13);
    content.append(u"the budget", bold);
    content.append(text::AttributedString::fromUtf8("\n#TimeSlice\nU-2\n#objective\nPlan "));
    content.append(u"the budget", bold);
    auto records = readFullTimeSlices(content);
    ASSERT_EQ(records.size(), 2u);
    auto rich = records[0]->objectiveText();
    EXPECT_EQ(rich.utf8(), "Plan the budget");
    EXPECT_EQ(rich.attributesAt(5).font, bold.font);
    EXPECT_EQ(records[1]->objectiveText(), rich);

    records[0]->setObjective("Something else");
    EXPECT_EQ(records[0]->objectiveText(), rich);
    EXPECT_EQ(records[0]->objective(), "Something else");

    // Characters UTF-8 cannot carry (a lone surrogate) are kept as they are.
    FullTimeSlice odd;
    text::AttributedString broken(std::u16string(u"a") + char16_t(0xD800) + u"b", bold);
    odd.setObjective(broken.utf8());
    odd.setObjectiveText(broken);
    EXPECT_EQ(odd.objectiveText(), broken);
}

// The reader walks the file's formatting once, front to back: every entry of a long file
// still gets its own objective's formatting, also where an objective spans lines whose
// joins fall inside or between runs.
TEST_F(ReadersTest, EveryObjectiveOfALongFileKeepsItsOwnFormatting)
{
    text::Attributes bold;
    bold.font = gfx::Font::named("Helvetica-Bold", 13);
    text::Attributes link;
    text::AttributedString content;
    for (int i = 0; i < 300; ++i) {
        link.link = "https://example.org/" + std::to_string(i);
        content.append(text::AttributedString::fromUtf8("#TimeSlice\nU-" + std::to_string(i) + "\n#objective\nplain "));
        content.append(u"bold", bold);
        content.append(i % 2 ? u"\n" : u" ", i % 3 ? bold : text::Attributes {});
        content.append(u"linked", link);
        content.append(text::AttributedString::fromUtf8("\n#completed\nYES\n"));
    }
    auto records = readFullTimeSlices(content);
    ASSERT_EQ(records.size(), 300u);
    for (int i = 0; i < 300; ++i) {
        const auto& objective = records[size_t(i)]->objectiveText();
        SCOPED_TRACE(i);
        ASSERT_EQ(objective.utf8(), i % 2 ? "plain bold\nlinked" : "plain bold linked");
        EXPECT_FALSE(objective.attributesAt(0).font);
        EXPECT_EQ(objective.attributesAt(6).font, bold.font);
        EXPECT_EQ(objective.attributesAt(10).font, i % 3 ? bold.font : std::nullopt);
        EXPECT_EQ(objective.attributesAt(11).link, "https://example.org/" + std::to_string(i));
    }
}

// The statistics group by the hour, weekday and day the reader takes from the date as
// written: they are the ones the calendar gives for the start, on the days a clock changes
// too, where the text alone cannot tell them.
TEST_F(ReadersTest, TheStartsHourWeekdayAndDayAreTheCalendars)
{
    home.setTimeZone("Europe/Berlin");
    std::string content;
    // Ordinary days, the spring change (02:30 does not exist), the autumn one, a leap day.
    const char* dates[] = { "2026-01-05 08:30:00", "2026-03-29 01:59:59", "2026-03-29 02:30:00", "2026-03-29 03:15:00",
        "2026-10-25 02:30:00", "2026-10-25 23:59:59", "2024-02-29 12:00:00", "1999-12-31 23:00:00" };
    for (const char* date : dates)
        content += entryLines("U", { "#startDate", date, "#focusRating", "experienced flow" });
    auto records = readFull(content);
    ASSERT_EQ(records.size(), std::size(dates));
    auto calendar = base::Calendar::current();
    for (const auto& record : records) {
        auto parts = calendar.components(record->startDate());
        SCOPED_TRACE(record->dayString());
        EXPECT_EQ(record->localHour(), parts.hour);
        EXPECT_EQ(record->localWeekday(), parts.weekday);
        EXPECT_EQ(record->dayNumber(), LogFormat::daysSince1970(parts.year, parts.month, parts.day));
        EXPECT_EQ(record->focusLevel(), ConcentrationLevel::experiencedFlow);
    }
    EXPECT_EQ(records[0]->localWeekday(), 2) << "a Monday";
    FullTimeSlice unrated;
    unrated.setFocusRating("undefined");
    EXPECT_FALSE(unrated.focusLevel());
}

TEST_F(ReadersTest, BaseReaderKeepsOnlyStatisticsFields)
{
    std::u16string content = text::toUtf16(entryLines("U-10",
        { "#objective", "#completed", "yes", "#actualDuration", "-30", "#endDate", "2026-01-01 10:00:00", "#tags",
            "a,b", "#success", "YES", "#focusRating", "good" }, "\r\n"));
    auto records = readRawTimeSlices(content);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0]->completed());
    EXPECT_EQ(records[0]->actualDuration(), -30);
    EXPECT_EQ(records[0]->tagString(), "a,b");
    EXPECT_FALSE(records[0]->success());
    EXPECT_EQ(records[0]->focusRating(), "good");
}

TEST_F(ReadersTest, DamagedTextNeverCrashes)
{
    std::string garbage;
    for (int i = 0; i < 4000; ++i)
        garbage += char((i * 7919) % 251 + 1);
    garbage += "\n#TimeSlice\n\xff\xfe\n#startDate\n\xf0\x9f\n#duration\n1e40\n#objective";
    auto records = readFull(garbage);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back()->duration(), 0);
    EXPECT_EQ(records.back()->startDate(), base::Time::distantPast());
    EXPECT_NO_THROW(readRawTimeSlices(text::toUtf16(garbage)));
}

}
}
