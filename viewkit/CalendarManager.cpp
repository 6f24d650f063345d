#include "viewkit/CalendarManager.h"

#include "core/Clock.h"
#include "core/ZrLog.h"

#include "platform/base/DateFormat.h"
#include "platform/base/SerialQueue.h"
#include "platform/base/Time.h"

#include <cmath>

namespace ostrel {

namespace {

constexpr double kQueryInterval = 15;
constexpr double kHour = 3600;
constexpr double kDay = 86400;

std::string describe(const std::vector<desktop::CalendarToDo>& toDos)
{
    std::string text = "(";
    for (const auto& toDo : toDos)
        text += "\n    \"" + toDo.title + "\" due " + base::DateFormat::format(toDo.due, "yyyy-MM-dd HH:mm:ss") + ",";
    return text + (toDos.empty() ? ")" : "\n)");
}

}

const std::shared_ptr<CalendarManager>& CalendarManager::sharedInstance()
{
    // Thread-safe first use; kept for the whole run.
    static const std::shared_ptr<CalendarManager> shared = create(desktop::Calendar::create(), desktop::Calendar::create());
    return shared;
}

std::shared_ptr<CalendarManager> CalendarManager::create(std::shared_ptr<desktop::Calendar> calendarEventStore,
    std::shared_ptr<desktop::Calendar> remindersStore)
{
    return std::shared_ptr<CalendarManager>(new CalendarManager(std::move(calendarEventStore), std::move(remindersStore)));
}

CalendarManager::CalendarManager(std::shared_ptr<desktop::Calendar> calendarEventStore, std::shared_ptr<desktop::Calendar> remindersStore)
    : m_lastQueryDate(base::Time::distantPast())
    , m_calendarEventStore(std::move(calendarEventStore))
    , m_remindersStore(std::move(remindersStore))
    , m_remindersQueue(std::make_unique<base::SerialQueue>("calendarManagerRemindersQueue"))
{
}

CalendarManager::~CalendarManager() = default;

std::vector<desktop::CalendarEvent> CalendarManager::fetchCalendarEventsForNext60Minutes()
{
    if (m_isCalendarQueryStillRunning)
        return m_oldResult;
    double now = Clock::now();
    if (std::abs(now - m_lastQueryDate) < kQueryInterval)
        return m_oldResult;
    m_lastQueryDate = Clock::nowAsDate();
    m_isCalendarQueryStillRunning = true;
    auto events = m_calendarEventStore ? m_calendarEventStore->events(m_lastQueryDate, m_lastQueryDate + kHour)
                                       : std::vector<desktop::CalendarEvent> {};
    desktop::Calendar::sortByStart(events);
    m_oldResult = std::move(events);
    m_isCalendarQueryStillRunning = false;
    return m_oldResult;
}

void CalendarManager::fetchCurrentRemindersAndUpdateWhenReady()
{
    if (m_isRemindersQueryStillRunning.exchange(true))
        return;
    // The system's date, which the simulated clock only ever equals.
    double now = base::Time::now();
    m_remindersQueue->async([this, now] {
        auto toDos = m_remindersStore ? m_remindersStore->incompleteToDos(now - kDay, now + kDay)
                                      : std::vector<desktop::CalendarToDo> {};
        zr_log("fetched current reminders :%s", describe(toDos).c_str());
        setReminders(std::move(toDos));
        m_isRemindersQueryStillRunning = false;
    });
}

std::vector<desktop::CalendarToDo> CalendarManager::reminders() const
{
    std::lock_guard lock(m_remindersLock);
    return m_reminders;
}

void CalendarManager::setReminders(std::vector<desktop::CalendarToDo> reminders)
{
    std::lock_guard lock(m_remindersLock);
    m_reminders = std::move(reminders);
}

}
