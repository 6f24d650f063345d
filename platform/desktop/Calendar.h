#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace desktop {

// One occurrence of an event: a single event, or one repetition of a repeating one (a moved
// repetition at its new time, with its own title). Times are seconds since 2001-01-01 UTC;
// an all-day event runs from local midnight of its first day to local midnight after its
// last one.
struct CalendarEvent {
    std::string title;
    double start { 0 };
    double end { 0 };
    bool allDay { false };

    bool operator==(const CalendarEvent&) const = default;
};

// A to-do that is not done yet (not completed, not cancelled, less than 100 % done). A due
// date without a time of day falls due at local midnight of that day.
struct CalendarToDo {
    std::string title;
    double due { 0 };

    bool operator==(const CalendarToDo&) const = default;
};

// The user's calendars, as the desktop's local calendar store keeps them on disk:
//   $XDG_DATA_HOME/evolution/calendar/<one folder per calendar>/calendar.ics
//   $XDG_DATA_HOME/evolution/tasks/<one folder per task list>/tasks.ics (to-dos only)
// Calendars the store keeps only in its cache databases (online accounts) are not read.
//
// Repetitions are expanded (RRULE, RDATE, EXDATE, moved or cancelled ones by RECURRENCE-ID),
// times with a TZID or in UTC come back as moments, floating times and dates are read in the
// local time zone (TZ), and date-only events are all-day. A file is parsed again only when
// its modification time or size changed, and the repetitions of the last range asked for
// are kept, so a query every few seconds over an unchanged store costs a few stat calls.
//
// Cost: the first query parses every file (about a quarter of a second for 5,000 events);
// later ones over an unchanged store take microseconds, and a query past the kept day
// expands the repetitions again (some milliseconds).
//
// No store, no file, an empty file or no event are normal: an empty list, nothing logged.
// A damaged file gives what can be read of it and one logged line each time it changes.
//
// Safe to use from several threads (the reminders read runs off the main thread); calls
// are served one at a time.
class Calendar {
public:
    // Over the store under $XDG_DATA_HOME/evolution, looked up at each query so that a
    // change of XDG_DATA_HOME (tests) is followed.
    static std::shared_ptr<Calendar> create();
    // Over a store folder of the same layout (for tests and benchmarks).
    static std::shared_ptr<Calendar> createForStore(std::filesystem::path storeFolder);
    static std::filesystem::path defaultStoreFolder();

    virtual ~Calendar() = default;

    // Every event occurrence overlapping [from, to), of every calendar, by start time. An
    // event of no length counts when it lies in the range.
    virtual std::vector<CalendarEvent> events(double from, double to) = 0;
    // Every incomplete to-do due within [from, to], of every calendar and task list, by due
    // date. A repeating to-do counts by its own due date.
    virtual std::vector<CalendarToDo> incompleteToDos(double from, double to) = 0;

    // The range rules of the two reads, and their order.
    static bool overlaps(const CalendarEvent& event, double from, double to);
    static bool isDue(const CalendarToDo& toDo, double from, double to);
    static void sortByStart(std::vector<CalendarEvent>& events);
    static void sortByDue(std::vector<CalendarToDo>& toDos);
};

// For tests of the code that reads a calendar: answers from the lists the test set, with
// the same range rules, and counts the reads.
class ManualCalendar final : public Calendar {
public:
    std::vector<CalendarEvent> events(double from, double to) override;
    std::vector<CalendarToDo> incompleteToDos(double from, double to) override;

    void setEvents(std::vector<CalendarEvent> events);
    void setToDos(std::vector<CalendarToDo> toDos);
    int eventReads() const;
    int toDoReads() const;

private:
    mutable std::mutex m_mutex;
    std::vector<CalendarEvent> m_events;
    std::vector<CalendarToDo> m_toDos;
    int m_eventReads { 0 };
    int m_toDoReads { 0 };
};

}
