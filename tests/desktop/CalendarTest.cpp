#include "platform/desktop/Calendar.h"

#include "platform/base/Time.h"
#include "tests/desktop/DesktopTesting.h"
#include "tests/support/TemporaryHome.h"

#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <map>
#include <sys/stat.h>

using desktop::Calendar;
using desktop::CalendarEvent;
using desktop::CalendarToDo;
namespace fs = std::filesystem;

namespace {
double utc(int year, int month, int day, int hour = 0, int minute = 0)
{
    std::tm parts {};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    return base::Time::fromUnix(double(timegm(&parts)));
}

std::string fixture(const std::string& name)
{
    std::ifstream in(fs::path(std::getenv("OSTREL_SOURCE")) / "tests/desktop/calendars" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path storeFolder()
{
    return Calendar::defaultStoreFolder();
}

// Puts `text` where the store keeps the calendar (or task list) of that name.
fs::path putCalendar(const std::string& name, const std::string& text, const std::string& place = "calendar")
{
    fs::path folder = storeFolder() / place / name;
    fs::create_directories(folder);
    fs::path path = folder / (place == "calendar" ? "calendar.ics" : "tasks.ics");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    return path;
}

std::vector<std::string> titles(const std::vector<CalendarEvent>& events)
{
    std::vector<std::string> result;
    for (const auto& event : events)
        result.push_back(event.title);
    return result;
}
}

TEST(CalendarTest, AWeeklyEventRepeatsWithItsExtraDateWithoutItsExceptionsAndWithItsMovedOccurrence)
{
    // Our own clock is in New York; the event's times are Berlin's and must stay so.
    ostrel::test::TemporaryHome home("America/New_York");
    putCalendar("work", fixture("weekly.ics"));
    auto calendar = Calendar::create();

    auto january = calendar->events(utc(2024, 1, 1), utc(2024, 3, 1));
    EXPECT_EQ(january,
        (std::vector<CalendarEvent> {
            { "Standup", utc(2024, 1, 1, 8, 30), utc(2024, 1, 1, 9, 0), false },
            { "Standup", utc(2024, 1, 8, 8, 30), utc(2024, 1, 8, 9, 0), false },
            { "Standup", utc(2024, 1, 17, 13, 0), utc(2024, 1, 17, 13, 30), false },
            { "Standup (moved)", utc(2024, 1, 23, 10, 0), utc(2024, 1, 23, 10, 30), false },
            { "Standup", utc(2024, 2, 5, 8, 30), utc(2024, 2, 5, 9, 0), false },
        }));

    // The coming hour, as the strip asks for it: an event under way counts, one that has
    // ended does not.
    EXPECT_EQ(titles(calendar->events(utc(2024, 1, 23, 9, 50), utc(2024, 1, 23, 10, 50))),
        std::vector<std::string> { "Standup (moved)" });
    EXPECT_EQ(titles(calendar->events(utc(2024, 1, 8, 8, 45), utc(2024, 1, 8, 9, 45))), std::vector<std::string> { "Standup" });
    EXPECT_TRUE(calendar->events(utc(2024, 1, 8, 9, 0), utc(2024, 1, 8, 10, 0)).empty());
    EXPECT_TRUE(calendar->events(utc(2024, 1, 22, 8, 0), utc(2024, 1, 22, 10, 0)).empty()) << "the moved occurrence left";
    EXPECT_TRUE(calendar->events(utc(2024, 1, 29, 8, 0), utc(2024, 1, 29, 10, 0)).empty()) << "the cancelled one too";
}

TEST(CalendarTest, ZonedUtcAndFloatingTimesBecomeMomentsAndDailyRepetitionsKeepTheirWallClock)
{
    ostrel::test::TemporaryHome home("Europe/London");
    putCalendar("zones", fixture("timezones.ics"));
    desktop::test::LogLines log;
    auto calendar = Calendar::create();

    EXPECT_EQ(calendar->events(utc(2024, 7, 1), utc(2024, 7, 3)),
        (std::vector<CalendarEvent> {
            { "New York call", utc(2024, 7, 1, 13, 0), utc(2024, 7, 1, 14, 0), false },
            { "UTC review", utc(2024, 7, 1, 15, 0), utc(2024, 7, 1, 15, 30), false },
            { "Floating dinner", utc(2024, 7, 1, 17, 0), utc(2024, 7, 1, 18, 0), false },
            { "Tokyo sync", utc(2024, 7, 2, 0, 0), utc(2024, 7, 2, 0, 45), false },
        }));

    // 09:00 in Berlin is 08:00 UTC before the clock change of 31 March and 07:00 after it.
    std::vector<double> starts;
    for (const auto& event : calendar->events(utc(2024, 3, 28), utc(2024, 4, 10)))
        starts.push_back(event.start);
    EXPECT_EQ(starts,
        (std::vector<double> { utc(2024, 3, 29, 8, 0), utc(2024, 3, 30, 8, 0), utc(2024, 3, 31, 7, 0),
            utc(2024, 4, 1, 7, 0) }));
    EXPECT_TRUE(log.lines.empty());
}

TEST(CalendarTest, DateOnlyEventsAreAllDayInLocalTime)
{
    ostrel::test::TemporaryHome home("Europe/London");
    putCalendar("personal", fixture("allday.ics"));
    auto calendar = Calendar::create();

    EXPECT_EQ(calendar->events(utc(2024, 7, 4, 12), utc(2024, 7, 4, 13)),
        (std::vector<CalendarEvent> { { "Holiday", utc(2024, 7, 3, 23), utc(2024, 7, 4, 23), true } }));
    EXPECT_EQ(calendar->events(utc(2024, 7, 12, 12), utc(2024, 7, 12, 13)),
        (std::vector<CalendarEvent> { { "Trip", utc(2024, 7, 9, 23), utc(2024, 7, 12, 23), true } }));
    // A birthday set up in 1990 still comes round, and a day of 23 hours ends at midnight.
    EXPECT_EQ(calendar->events(utc(2024, 3, 15, 12), utc(2024, 3, 15, 13)),
        (std::vector<CalendarEvent> { { "Birthday", utc(2024, 3, 15), utc(2024, 3, 16), true } }));
    EXPECT_EQ(calendar->events(utc(2024, 3, 31, 12), utc(2024, 3, 31, 13)),
        (std::vector<CalendarEvent> { { "Clock change", utc(2024, 3, 31), utc(2024, 3, 31, 23), true } }));
}

TEST(CalendarTest, OnlyOpenToDosWithADueDateInTheRangeAreRead)
{
    ostrel::test::TemporaryHome home("Europe/London");
    putCalendar("personal", fixture("allday.ics"));
    putCalendar("system", fixture("tasks.ics"), "tasks");
    auto calendar = Calendar::create();

    EXPECT_EQ(calendar->incompleteToDos(utc(2024, 7, 5), utc(2024, 7, 6, 12)),
        (std::vector<CalendarToDo> {
            { "Water plants", utc(2024, 7, 5, 8) },
            { "Send report", utc(2024, 7, 5, 12) },
            { "Pay rent", utc(2024, 7, 5, 23) },
        }));
    EXPECT_EQ(calendar->incompleteToDos(utc(2024, 7, 5, 9), utc(2024, 7, 5, 12)),
        (std::vector<CalendarToDo> { { "Send report", utc(2024, 7, 5, 12) } }))
        << "the range's ends are inside it";
    EXPECT_TRUE(calendar->incompleteToDos(utc(2024, 7, 7), utc(2024, 7, 8)).empty());
}

namespace {
// The starts libical gives for a rule followed from its first occurrence, one by one, of
// the half-hour occurrences that overlap [from, to).
std::vector<double> followedFromTheStart(const std::string& rule, const char* start, double from, double to)
{
    icaltimetype first = icaltime_from_string(start);
    first.zone = icaltimezone_get_builtin_timezone("Europe/Berlin");
    icalrecur_iterator* iterator = icalrecur_iterator_new(icalrecurrencetype_from_string(rule.c_str()), first);
    std::vector<double> starts;
    for (icaltimetype next = icalrecur_iterator_next(iterator); !icaltime_is_null_time(next);
         next = icalrecur_iterator_next(iterator)) {
        double moment = base::Time::fromUnix(double(icaltime_as_timet_with_zone(next, first.zone)));
        if (moment >= to)
            break;
        if (moment + 1800 > from)
            starts.push_back(moment);
    }
    icalrecur_iterator_free(iterator);
    return starts;
}
}

TEST(CalendarTest, RepetitionsStartNearTheRangeAndLandWhereFollowingThemFromTheStartWould)
{
    ostrel::test::TemporaryHome home("Europe/Berlin");
    const char* start = "20220103T081500";
    std::vector<std::string> rules;
    for (const char* rule : { "FREQ=DAILY", "FREQ=DAILY;INTERVAL=3;BYHOUR=8,20", "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH",
             "FREQ=MONTHLY;INTERVAL=2;BYDAY=-1FR", "FREQ=MONTHLY;BYMONTHDAY=31", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29",
             "FREQ=HOURLY;INTERVAL=7" }) {
        rules.push_back(rule);
        rules.push_back(std::string(rule) + ";COUNT=700");
    }
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    for (const auto& rule : rules) {
        text += "BEGIN:VEVENT\r\nUID:" + rule + "\r\nDTSTART;TZID=Europe/Berlin:" + start
            + "\r\nDURATION:PT30M\r\nSUMMARY:" + rule + "\r\nRRULE:" + rule + "\r\nEND:VEVENT\r\n";
    }
    putCalendar("rules", text + "END:VCALENDAR\r\n");
    auto calendar = Calendar::create();

    std::map<std::string, std::size_t> seen;
    for (double from : { utc(2022, 3, 1), utc(2024, 2, 26, 7), utc(2024, 8, 30, 22, 40) }) {
        std::map<std::string, std::vector<double>> starts;
        for (const auto& event : calendar->events(from, from + 45 * 86400))
            starts[event.title].push_back(event.start);
        for (const auto& rule : rules) {
            EXPECT_EQ(starts[rule], followedFromTheStart(rule, start, from, from + 45 * 86400)) << rule;
            seen[rule] += starts[rule].size();
        }
    }
    for (const auto& rule : rules)
        EXPECT_GT(seen[rule], 0u) << rule;
}

TEST(CalendarTest, NoStoreNoFileAndAnEmptyFileAreQuietlyEmpty)
{
    ostrel::test::TemporaryHome home;
    desktop::test::LogLines log;
    auto calendar = Calendar::create();
    EXPECT_TRUE(calendar->events(utc(2024, 1, 1), utc(2025, 1, 1)).empty());

    fs::create_directories(storeFolder() / "calendar" / "system");
    fs::create_directories(storeFolder() / "tasks");
    EXPECT_TRUE(calendar->events(utc(2024, 1, 1), utc(2025, 1, 1)).empty());
    EXPECT_TRUE(calendar->incompleteToDos(utc(2024, 1, 1), utc(2025, 1, 1)).empty());

    putCalendar("system", "");
    putCalendar("blank", "\r\n\r\n");
    putCalendar("nothing", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    EXPECT_TRUE(calendar->events(utc(2024, 1, 1), utc(2025, 1, 1)).empty());
    EXPECT_TRUE(log.lines.empty());
}

TEST(CalendarTest, ADamagedFileGivesWhatCanBeReadAndOneLineEachTimeItChanges)
{
    ostrel::test::TemporaryHome home;
    fs::path path = putCalendar("damaged", fixture("damaged.ics"));
    putCalendar("sound", fixture("weekly.ics"));
    desktop::test::LogLines log;
    auto calendar = Calendar::create();

    auto events = calendar->events(utc(2024, 8, 1), utc(2024, 8, 2));
    EXPECT_EQ(titles(events), (std::vector<std::string> { "Still readable", "Unknown zone", "Runaway", "Cut off" }));
    EXPECT_EQ(events[1].start, utc(2024, 8, 1, 12)) << "an unknown zone is read as local time";
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_TRUE(log.contains("\"" + path.string() + "\" is damaged")) << log.lines[0];

    calendar->events(utc(2024, 8, 1), utc(2024, 8, 3));
    calendar->incompleteToDos(utc(2024, 8, 1), utc(2024, 8, 3));
    EXPECT_EQ(log.lines.size(), 1u) << "an unchanged file is not read again";

    // Bytes no calendar program writes: invalid UTF-8, NUL, and garbage before the end.
    std::ofstream(path, std::ios::binary | std::ios::app)
        << "\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART:20240801T200000Z\r\nSUMMARY:Caf\xe9\r\nEND:VEVENT\r\n"
        << std::string("\0\x01\xff\xfe garbage\r\n", 14);
    events = calendar->events(utc(2024, 8, 1), utc(2024, 8, 2));
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events.back().title, "Caf\xef\xbf\xbd");
    EXPECT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(calendar->events(utc(2024, 1, 1), utc(2024, 1, 2)).size(), 1u) << "the other calendar is unharmed";
}

TEST(CalendarTest, FilesThatAreNoCalendarAreSkippedWithALineAndNeverStall)
{
    ostrel::test::TemporaryHome home;
    const char binary[] = "\x7f" "ELF\x02\x01\x01\0\0\0 not a calendar at all";
    fs::path garbage = putCalendar("garbage", std::string(binary, sizeof binary - 1));
    fs::create_directories(storeFolder() / "calendar" / "pipe");
    fs::path pipe = storeFolder() / "calendar" / "pipe" / "calendar.ics";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directories(storeFolder() / "calendar" / "folder" / "calendar.ics");
    putCalendar("sound", fixture("weekly.ics"));
    desktop::test::LogLines log;
    auto calendar = Calendar::create();

    EXPECT_EQ(calendar->events(utc(2024, 1, 1), utc(2024, 1, 2)).size(), 1u);
    EXPECT_EQ(log.lines.size(), 3u);
    EXPECT_TRUE(log.contains("\"" + garbage.string() + "\" is damaged"));
    EXPECT_TRUE(log.contains("\"" + pipe.string() + "\" skipped: not a regular file"));
    calendar->events(utc(2024, 1, 1), utc(2024, 1, 2));
    EXPECT_EQ(log.lines.size(), 3u);
}

TEST(CalendarTest, AFileIsReadAgainOnlyWhenItsTimeOrSizeChanged)
{
    ostrel::test::TemporaryHome home;
    std::string event = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20240301T090000Z\r\nSUMMARY:Title A\r\nEND:VEVENT\r\n"
                        "END:VCALENDAR\r\n";
    fs::path path = putCalendar("one", event);
    auto calendar = Calendar::create();
    ASSERT_EQ(titles(calendar->events(utc(2024, 3, 1), utc(2024, 3, 2))), std::vector<std::string> { "Title A" });

    // Same size, same time: taken for the file already read.
    struct stat before {};
    stat(path.c_str(), &before);
    std::string renamed = event;
    renamed.replace(renamed.find("Title A"), 7, "Title B");
    std::ofstream(path, std::ios::binary | std::ios::in | std::ios::out) << renamed;
    timespec times[2] = { before.st_atim, before.st_mtim };
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    EXPECT_EQ(titles(calendar->events(utc(2024, 3, 1), utc(2024, 3, 2))), std::vector<std::string> { "Title A" });

    times[1].tv_sec += 1;
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    EXPECT_EQ(titles(calendar->events(utc(2024, 3, 1), utc(2024, 3, 2))), std::vector<std::string> { "Title B" });

    // A new calendar, and one that went away, are noticed within the kept window too.
    putCalendar("two", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20240301T100000Z\r\nSUMMARY:Title C\r\nEND:VEVENT\r\n"
                       "END:VCALENDAR\r\n");
    EXPECT_EQ(titles(calendar->events(utc(2024, 3, 1), utc(2024, 3, 2))), (std::vector<std::string> { "Title B", "Title C" }));
    fs::remove(path);
    EXPECT_EQ(titles(calendar->events(utc(2024, 3, 1), utc(2024, 3, 2))), std::vector<std::string> { "Title C" });
}

TEST(CalendarTest, TheRangeRulesOfTheStoreHoldForTheManualCalendar)
{
    desktop::ManualCalendar calendar;
    calendar.setEvents({ { "ends at the start", 0, 100, false }, { "later", 300, 400, false },
        { "point at the start", 100, 100, false }, { "starts at the end", 200, 300, false },
        { "under way", 50, 150, false } });
    calendar.setToDos({ { "late", 201 }, { "at the end", 200 }, { "at the start", 100 } });

    EXPECT_EQ(titles(calendar.events(100, 200)), (std::vector<std::string> { "under way", "point at the start" }));
    EXPECT_EQ(calendar.incompleteToDos(100, 200), (std::vector<CalendarToDo> { { "at the start", 100 }, { "at the end", 200 } }));
    EXPECT_EQ(calendar.eventReads(), 1);
    EXPECT_EQ(calendar.toDoReads(), 1);
}
