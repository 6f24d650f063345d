#include "platform/desktop/Calendar.h"

#include "platform/base/Paths.h"
#include "platform/desktop/CalendarStore.h"

#include <algorithm>
#include <tuple>

namespace desktop {

std::shared_ptr<Calendar> Calendar::create()
{
    return std::make_shared<CalendarStore>(std::nullopt);
}

std::shared_ptr<Calendar> Calendar::createForStore(std::filesystem::path storeFolder)
{
    return std::make_shared<CalendarStore>(std::move(storeFolder));
}

std::filesystem::path Calendar::defaultStoreFolder()
{
    return base::paths::applicationSupport().parent_path() / "evolution";
}

bool Calendar::overlaps(const CalendarEvent& event, double from, double to)
{
    return event.start < to && (event.end > from || event.start >= from);
}

bool Calendar::isDue(const CalendarToDo& toDo, double from, double to)
{
    return from <= toDo.due && toDo.due <= to;
}

void Calendar::sortByStart(std::vector<CalendarEvent>& events)
{
    std::stable_sort(events.begin(), events.end(), [](const CalendarEvent& a, const CalendarEvent& b) {
        return std::tie(a.start, a.end, a.title) < std::tie(b.start, b.end, b.title);
    });
}

void Calendar::sortByDue(std::vector<CalendarToDo>& toDos)
{
    std::stable_sort(toDos.begin(), toDos.end(),
        [](const CalendarToDo& a, const CalendarToDo& b) { return std::tie(a.due, a.title) < std::tie(b.due, b.title); });
}

std::vector<CalendarEvent> ManualCalendar::events(double from, double to)
{
    std::lock_guard lock(m_mutex);
    ++m_eventReads;
    std::vector<CalendarEvent> result;
    std::copy_if(m_events.begin(), m_events.end(), std::back_inserter(result),
        [&](const CalendarEvent& event) { return overlaps(event, from, to); });
    sortByStart(result);
    return result;
}

std::vector<CalendarToDo> ManualCalendar::incompleteToDos(double from, double to)
{
    std::lock_guard lock(m_mutex);
    ++m_toDoReads;
    std::vector<CalendarToDo> result;
    std::copy_if(m_toDos.begin(), m_toDos.end(), std::back_inserter(result),
        [&](const CalendarToDo& toDo) { return isDue(toDo, from, to); });
    sortByDue(result);
    return result;
}

void ManualCalendar::setEvents(std::vector<CalendarEvent> events)
{
    std::lock_guard lock(m_mutex);
    m_events = std::move(events);
}

void ManualCalendar::setToDos(std::vector<CalendarToDo> toDos)
{
    std::lock_guard lock(m_mutex);
    m_toDos = std::move(toDos);
}

int ManualCalendar::eventReads() const
{
    std::lock_guard lock(m_mutex);
    return m_eventReads;
}

int ManualCalendar::toDoReads() const
{
    std::lock_guard lock(m_mutex);
    return m_toDoReads;
}

}
