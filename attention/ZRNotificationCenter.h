#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace ostrel {

class NotificationHandler;

// Turns each event a screen posts ("Ostrel_4.TimeSliceRunningState.time") into the work of
// the one handler registered under that exact name; other names are ignored.
class ZRNotificationCenter {
public:
    // The centre of the whole run, with the eight handlers of the event table.
    static ZRNotificationCenter& sharedNotificationCenter();
    // A centre of its own with the same table (tests).
    static std::unique_ptr<ZRNotificationCenter> create();

    // Hands the two numbers to the handler registered under the name, at once; true in
    // every case, handler or not.
    bool triggerNotificationForEvent(const std::string& event, int32_t value, int32_t maxValue);
    // Replaces any handler registered under the name before.
    void addNotificationHandler(std::shared_ptr<NotificationHandler> handler, const std::string& event);

private:
    ZRNotificationCenter();

    std::map<std::string, std::shared_ptr<NotificationHandler>> m_notificationHandlerDictionary;
};

}
