#pragma once

#include "platform/desktop/Calendar.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace base {
class SerialQueue;
}

namespace ostrel {

// The shared reader of the user's calendars for the strip beside the duration slider: the
// events of the coming hour, read at most once every 15 seconds on the caller's (main)
// thread, and the open to-dos due within a day either side, read on a queue of its own. No
// calendar, no file and no event are normal: empty lists, nothing logged.
class CalendarManager {
public:
    // Over the desktop's calendar store; made on first use and kept for the whole run.
    static const std::shared_ptr<CalendarManager>& sharedInstance();
    // Over stores of one's own (tests, the gallery).
    static std::shared_ptr<CalendarManager> create(std::shared_ptr<desktop::Calendar> calendarEventStore,
        std::shared_ptr<desktop::Calendar> remindersStore);
    ~CalendarManager();
    CalendarManager(const CalendarManager&) = delete;
    CalendarManager& operator=(const CalendarManager&) = delete;

    // The events overlapping the coming hour, earliest first; the last answer again when
    // asked within 15 seconds of the last read (either side) or while a read runs.
    std::vector<desktop::CalendarEvent> fetchCalendarEventsForNext60Minutes();
    // Starts reading the open to-dos due within a day of now, unless a read runs; returns at
    // once. When the read is done the list is stored for reminders().
    void fetchCurrentRemindersAndUpdateWhenReady();

    // Safe from any thread.
    std::vector<desktop::CalendarToDo> reminders() const;
    void setReminders(std::vector<desktop::CalendarToDo> reminders);

    double lastQueryDate() const { return m_lastQueryDate; }
    bool isCalendarQueryStillRunning() const { return m_isCalendarQueryStillRunning; }
    bool isRemindersQueryStillRunning() const { return m_isRemindersQueryStillRunning; }
    const std::vector<desktop::CalendarEvent>& oldResult() const { return m_oldResult; }

private:
    CalendarManager(std::shared_ptr<desktop::Calendar> calendarEventStore, std::shared_ptr<desktop::Calendar> remindersStore);

    double m_lastQueryDate;
    bool m_isCalendarQueryStillRunning { false };
    std::atomic<bool> m_isRemindersQueryStillRunning { false };
    std::vector<desktop::CalendarEvent> m_oldResult;
    std::shared_ptr<desktop::Calendar> m_calendarEventStore;
    std::shared_ptr<desktop::Calendar> m_remindersStore;
    mutable std::mutex m_remindersLock;
    std::vector<desktop::CalendarToDo> m_reminders;
    // Last, so that it goes first: its thread finishes what it holds while the rest is here.
    std::unique_ptr<base::SerialQueue> m_remindersQueue;
};

}
