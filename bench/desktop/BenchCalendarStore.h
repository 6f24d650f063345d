#pragma once

// A store of 5,000 calendar events in the desktop store's layout, made once per run and
// removed at its end; shared by the calendar benchmarks of the desktop layer and of the
// strip's manager.
#include "platform/base/Time.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace bench::calendar {

namespace fs = std::filesystem;

inline constexpr int kEvents = 5000;

// Noon on a Monday of 2025, the middle of the store's three years.
inline double queryStart()
{
    std::tm parts {};
    parts.tm_year = 2025 - 1900;
    parts.tm_mon = 5;
    parts.tm_mday = 2;
    parts.tm_hour = 10;
    return base::Time::fromUnix(double(timegm(&parts)));
}

inline std::string stamp(std::time_t unix, bool utc)
{
    std::tm parts {};
    gmtime_r(&unix, &parts);
    char text[32];
    std::strftime(text, sizeof text, utc ? "%Y%m%dT%H%M%SZ" : "%Y%m%dT%H%M%S", &parts);
    return text;
}

// As the desktop's calendar program writes them: Berlin times with the zone in the file,
// a fifth repeating (weekly for good or ten times, monthly, a few daily 400 times), some
// all-day, some moved.
inline std::string calendarText(int events, unsigned seed)
{
    std::mt19937 random(seed);
    const std::string zone = "TZID=/freeassociation.sourceforge.net/Europe/Berlin";
    std::string text = "BEGIN:VCALENDAR\r\nPRODID:-//Ostrel bench//EN\r\nVERSION:2.0\r\n"
                       "BEGIN:VTIMEZONE\r\nTZID:/freeassociation.sourceforge.net/Europe/Berlin\r\n"
                       "BEGIN:STANDARD\r\nTZNAME:CET\r\nDTSTART:19701025T030000\r\n"
                       "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
                       "END:STANDARD\r\nBEGIN:DAYLIGHT\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
                       "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
                       "END:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    std::time_t middle = std::time_t(base::Time::toUnix(queryStart()));
    std::uniform_int_distribution<long> offset(-2L * 365 * 86400, 365L * 86400);
    for (int i = 0; i < events; ++i) {
        std::time_t start = (middle + offset(random)) / 900 * 900;
        std::time_t end = start + 1800 * (1 + i % 4);
        std::string uid = "event-" + std::to_string(seed) + "-" + std::to_string(i) + "@bench";
        text += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:Meeting number "
            + std::to_string(i) + "\r\nDESCRIPTION:Agenda\\, notes and a link to the room\r\n"
            + "X-EVOLUTION-CALDAV-ETAG:\"" + std::to_string(i) + "\"\r\n";
        if (i % 25 == 3) {
            text += "DTSTART;VALUE=DATE:" + stamp(start, false).substr(0, 8) + "\r\n";
        } else {
            text += "DTSTART;" + zone + ":" + stamp(start, false) + "\r\nDTEND;" + zone + ":" + stamp(end, false) + "\r\n";
        }
        if (i % 10 == 0)
            text += "RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\nEXDATE;" + zone + ":" + stamp(start + 7 * 86400, false) + "\r\n";
        else if (i % 200 == 5)
            text += "RRULE:FREQ=DAILY;COUNT=400\r\n";
        else if (i % 10 == 5)
            text += "RRULE:FREQ=WEEKLY;COUNT=10\r\n";
        else if (i % 50 == 7)
            text += "RRULE:FREQ=MONTHLY;BYDAY=1TU\r\n";
        text += "END:VEVENT\r\n";
        if (i % 100 == 0) {
            text += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nRECURRENCE-ID;" + zone + ":" + stamp(start, false)
                + "\r\nDTSTART;" + zone + ":" + stamp(start + 3600, false) + "\r\nDTEND;" + zone + ":"
                + stamp(end + 3600, false) + "\r\nSUMMARY:Moved meeting\r\nEND:VEVENT\r\n";
        }
    }
    return text + "END:VCALENDAR\r\n";
}

// A store of two calendars, 4,000 and 1,000 events, made once per run and removed at its end.
struct Store {
    Store()
    {
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
        char pattern[] = "/tmp/ostrel-calendar-bench-XXXXXX";
        folder = mkdtemp(pattern);
        for (auto [name, count] : { std::pair { "work", kEvents * 4 / 5 }, std::pair { "home", kEvents / 5 } }) {
            fs::create_directories(folder / "calendar" / name);
            std::ofstream(folder / "calendar" / name / "calendar.ics", std::ios::binary)
                << calendarText(count, unsigned(count));
        }
    }
    ~Store() { fs::remove_all(folder); }
    fs::path folder;
};

inline const fs::path& store()
{
    static Store made;
    return made.folder;
}

}
