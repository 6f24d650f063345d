#pragma once

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// The one entry point for banners. The note windows and the desktop's notifications come
// with the windows; until a presenter is installed, banners are only logged.
class OstrelNotificationSystem {
public:
    static OstrelNotificationSystem& sharedNotifier();
    // Start-up installs the real presenter, tests a recording one; none restores the log.
    static void setSharedNotifier(std::shared_ptr<OstrelNotificationSystem> notifier);

    virtual ~OstrelNotificationSystem() = default;

    // A missing title shows nothing.
    virtual void displayNotification(const std::optional<std::string>& title,
        const std::optional<std::string>& description, double delay, bool sticky)
        = 0;
};

}
