#pragma once

#include "platform/desktop/Calendar.h"
#include "platform/desktop/CalendarSeries.h"

#include <libical/ical.h>
#include <memory>
#include <string_view>
#include <vector>

namespace desktop {

// One iCalendar file, read with libical into what the calendar reads need: single events
// (moved repetitions among them), repeating events kept with their rules, and the to-dos
// still open. Reading never fails: what cannot be read is counted and left out. Not
// thread-safe; the store serves one call at a time.
class CalendarFile {
public:
    static std::unique_ptr<CalendarFile> parse(std::string_view text);
    ~CalendarFile();
    CalendarFile(const CalendarFile&) = delete;
    CalendarFile& operator=(const CalendarFile&) = delete;

    // Parts that could not be read: syntax errors, a missing end, an event without a start
    // or with a broken rule, a time zone nobody knows. 0 for a sound file.
    int problems() const { return m_problems; }
    std::size_t eventCount() const { return m_singles.size() + m_series.size(); }

    // Adds the event occurrences overlapping [from, to), in no particular order.
    void appendEvents(double from, double to, std::vector<CalendarEvent>& into) const;
    // Adds the open to-dos due within [from, to].
    void appendToDos(double from, double to, std::vector<CalendarToDo>& into) const;

private:
    CalendarFile() = default;
    void read(std::string_view text);
    void readEvents(const std::vector<std::pair<icalcomponent*, icalcomponent*>>& events);
    void readToDo(icalcomponent* toDo, icalcomponent* calendar);
    std::optional<CalendarSeries> seriesOf(icalcomponent* event, icalcomponent* calendar);
    void dropReadItems();

    std::vector<icalcomponent*> m_roots;
    std::vector<CalendarEvent> m_singles;
    std::vector<CalendarSeries> m_series;
    std::vector<CalendarToDo> m_toDos;
    int m_problems { 0 };
    std::vector<icalcomponent*> m_neededItems;
};

}
