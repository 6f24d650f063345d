#pragma once

#include "platform/desktop/Banners.h"

#include <memory>
#include <string>

namespace ostrel {

// Banners on the desktop's notification server. At most one of ours shows at a time: each
// new one takes the others away. A sticky one stays until the user or the next banner
// removes it; any other goes after its delay, or after 3 seconds.
class SystemVisualNotification : public std::enable_shared_from_this<SystemVisualNotification> {
public:
    static constexpr double kDefaultRemovalDelay = 3.0;

    // Made on first use, over the session bus.
    static SystemVisualNotification& sharedNotifier();
    // The shared one if it was made, else nullptr.
    static SystemVisualNotification* existingNotifier();
    // Tests show on recording banners; none makes the next use start afresh.
    static void setSharedNotifier(std::shared_ptr<SystemVisualNotification> notifier);
    static std::shared_ptr<SystemVisualNotification> create(std::unique_ptr<desktop::Banners> banners);

    // The description is the banner's second line. False when the desktop certainly cannot
    // show it (no session bus), so that the caller shows it another way.
    bool displayNotificationWithTitle(const std::string& title, const std::string& description, double delay,
        bool sticky);
    // The removal timer's end: the banner it was started for goes.
    void delayedNotificationRemovalCallback(desktop::Banners::Id banner);
    void removeAllDeliveredNotifications();

private:
    explicit SystemVisualNotification(std::unique_ptr<desktop::Banners> banners);

    std::unique_ptr<desktop::Banners> m_banners;
};

}
