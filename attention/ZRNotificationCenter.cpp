#include "attention/ZRNotificationCenter.h"

#include "attention/TimeSliceNotificationHandlers.h"

namespace ostrel {

ZRNotificationCenter& ZRNotificationCenter::sharedNotificationCenter()
{
    static ZRNotificationCenter* centre = new ZRNotificationCenter; // kept for the whole run
    return *centre;
}

std::unique_ptr<ZRNotificationCenter> ZRNotificationCenter::create()
{
    return std::unique_ptr<ZRNotificationCenter>(new ZRNotificationCenter);
}

ZRNotificationCenter::ZRNotificationCenter()
{
    addNotificationHandler(std::make_shared<TimeSliceRunningNotificationHandler>(), "Ostrel_4.TimeSliceRunningState.time");
    addNotificationHandler(std::make_shared<TimeSliceStartNotificationHandler>(), "Ostrel_4.TimeSliceRunningState.start");
    addNotificationHandler(std::make_shared<TimeSliceElapsedNotificationHandler>(),
        "Ostrel_4.TimeSliceRunningState.elapsed");
    addNotificationHandler(std::make_shared<TimeSlicePausedNotificationHandler>(), "Ostrel_4.TimeSliceRunningState.paused");
    addNotificationHandler(std::make_shared<TimeSliceAbortedNotificationHandler>(),
        "Ostrel_4.TimeSliceRunningState.stopped");
    addNotificationHandler(std::make_shared<TimedBreakNotificationHandler>(), "Ostrel_4.TimedBreakRunningState.time");
    addNotificationHandler(std::make_shared<TimedBreakStartNotificationHandler>(), "Ostrel_4.TimedBreakRunningState.start");
    addNotificationHandler(std::make_shared<TimedBreakEndNotificationHandler>(), "Ostrel_4.TimedBreakRunningState.end");
}

bool ZRNotificationCenter::triggerNotificationForEvent(const std::string& event, int32_t value, int32_t maxValue)
{
    auto found = m_notificationHandlerDictionary.find(event);
    if (found != m_notificationHandlerDictionary.end()) {
        // Held for the call: a handler may replace itself while it runs.
        auto handler = found->second;
        handler->handleNotificationWithValue(value, maxValue);
    }
    return true;
}

void ZRNotificationCenter::addNotificationHandler(std::shared_ptr<NotificationHandler> handler, const std::string& event)
{
    if (!handler) {
        m_notificationHandlerDictionary.erase(event);
        return;
    }
    m_notificationHandlerDictionary[event] = std::move(handler);
}

}
