#pragma once

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// The one entry point for banners. "notificationsSystem" chooses, at each banner, between
// the desktop's notifications and our own note windows; a banner the desktop cannot show
// at all (no session bus) goes to a note window instead, so that none is lost.
class OstrelNotificationSystem {
public:
    // The one start-up installs (create()); until then banners are only logged. Tests
    // install a recording one; none restores the log.
    static OstrelNotificationSystem& sharedNotifier();
    static void setSharedNotifier(std::shared_ptr<OstrelNotificationSystem> notifier);
    static std::shared_ptr<OstrelNotificationSystem> create();

    virtual ~OstrelNotificationSystem() = default;
    OstrelNotificationSystem(const OstrelNotificationSystem&) = delete;
    OstrelNotificationSystem& operator=(const OstrelNotificationSystem&) = delete;

    // Shown once the event being handled is done with (queued on the main queue). A
    // missing title shows nothing; the delay (seconds, 0 for the usual 3) and stickiness
    // only matter to the desktop's banners.
    virtual void displayNotification(const std::optional<std::string>& title,
        const std::optional<std::string>& description, double delay, bool sticky);

    // For the shell, when the application becomes active: the user has come to us, so our
    // banners on the desktop go.
    virtual void applicationDidBecomeActive();

protected:
    OstrelNotificationSystem() = default;
};

}
