#pragma once

#include "attention/NotificationHandler.h"
#include "attention/OstrelNotificationSystem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace ostrel::test {

// One event as the notification centre handed it on.
struct PostedEvent {
    std::string name;
    int32_t value { 0 };
    int32_t maxValue { 0 };
    bool operator==(const PostedEvent&) const = default;
};

inline void PrintTo(const PostedEvent& posted, std::ostream* os)
{
    *os << posted.name << " (" << posted.value << ", " << posted.maxValue << ")";
}

// Every event the recording handlers heard, in order; each case clears it.
inline std::vector<PostedEvent>& postedEvents()
{
    static auto* events = new std::vector<PostedEvent>; // the centre's handlers outlive every case
    return *events;
}

// Handles one event name by writing it into postedEvents(), in place of sounds, speech and scripts.
class RecordingHandler final : public NotificationHandler {
public:
    explicit RecordingHandler(std::string name)
        : m_name(std::move(name))
    {
    }
    bool handleNotificationWithValue(int32_t value, int32_t maxValue) override
    {
        postedEvents().push_back({ m_name, value, maxValue });
        return true;
    }

private:
    std::string m_name;
};

// Banners as lines "banner <title>|<description>[|sticky]"; a banner without a title shows nothing.
class RecordingNotifier final : public OstrelNotificationSystem {
public:
    explicit RecordingNotifier(std::function<void(const std::string&)> record)
        : m_record(std::move(record))
    {
    }
    void displayNotification(const std::optional<std::string>& title, const std::optional<std::string>& description,
        double, bool sticky) override
    {
        if (title)
            m_record("banner " + *title + "|" + description.value_or("") + (sticky ? "|sticky" : ""));
    }

private:
    std::function<void(const std::string&)> m_record;
};

}
