#include "attention/OstrelNotificationSystem.h"

#include "attention/SystemVisualNotification.h"
#include "attention/VisualNotification.h"
#include "core/ZrLog.h"

#include "platform/base/Defaults.h"
#include "platform/base/MainQueue.h"

namespace ostrel {

namespace {

class LoggedNotifications final : public OstrelNotificationSystem {
public:
    void displayNotification(const std::optional<std::string>& title, const std::optional<std::string>& description,
        double, bool) override
    {
        if (title)
            zr_log("banner: %s — %s", title->c_str(), description.value_or("").c_str());
    }
    void applicationDidBecomeActive() override { }
};

std::shared_ptr<OstrelNotificationSystem>& installed()
{
    static std::shared_ptr<OstrelNotificationSystem> notifier = std::make_shared<LoggedNotifications>();
    return notifier;
}

}

OstrelNotificationSystem& OstrelNotificationSystem::sharedNotifier() { return *installed(); }

void OstrelNotificationSystem::setSharedNotifier(std::shared_ptr<OstrelNotificationSystem> notifier)
{
    installed() = notifier ? std::move(notifier) : std::make_shared<LoggedNotifications>();
}

std::shared_ptr<OstrelNotificationSystem> OstrelNotificationSystem::create()
{
    return std::shared_ptr<OstrelNotificationSystem>(new OstrelNotificationSystem);
}

void OstrelNotificationSystem::displayNotification(const std::optional<std::string>& title,
    const std::optional<std::string>& description, double delay, bool sticky)
{
    bool systemNotifications = base::Defaults::standard()->boolean("notificationsSystem");
    if (!title)
        return;
    base::MainQueue::async([systemNotifications, title = *title, description, delay, sticky] {
        if (systemNotifications
            && SystemVisualNotification::sharedNotifier().displayNotificationWithTitle(title, description.value_or(""),
                delay, sticky))
            return;
        VisualNotification::notifier().display(title, description, sticky);
    });
}

void OstrelNotificationSystem::applicationDidBecomeActive()
{
    // No connection to the bus is made just for this: without one nothing of ours is shown.
    if (auto* notifier = SystemVisualNotification::existingNotifier())
        notifier->removeAllDeliveredNotifications();
}

}
