#include "attention/SystemVisualNotification.h"

#include "platform/base/Timer.h"
#include "platform/ui/Application.h"

#include <cmath>

namespace ostrel {

namespace {
std::shared_ptr<SystemVisualNotification>& installed()
{
    static std::shared_ptr<SystemVisualNotification> notifier;
    return notifier;
}
}

SystemVisualNotification& SystemVisualNotification::sharedNotifier()
{
    if (!installed())
        installed() = create(desktop::Banners::create());
    return *installed();
}

SystemVisualNotification* SystemVisualNotification::existingNotifier() { return installed().get(); }

void SystemVisualNotification::setSharedNotifier(std::shared_ptr<SystemVisualNotification> notifier)
{
    installed() = std::move(notifier);
}

std::shared_ptr<SystemVisualNotification> SystemVisualNotification::create(std::unique_ptr<desktop::Banners> banners)
{
    return std::shared_ptr<SystemVisualNotification>(new SystemVisualNotification(std::move(banners)));
}

SystemVisualNotification::SystemVisualNotification(std::unique_ptr<desktop::Banners> banners)
    : m_banners(std::move(banners))
{
}

bool SystemVisualNotification::displayNotificationWithTitle(const std::string& title, const std::string& description,
    double delay, bool sticky)
{
    m_banners->closeAll();
    desktop::Banner banner;
    banner.title = title;
    banner.body = description;
    banner.sticky = sticky;
    // Its button only dismisses it; the label says what that amounts to for the user.
    if (sticky) {
        auto* app = ui::Application::shared();
        banner.button = app && app->isActive() ? "Hide" : "Bring To Front";
    }
    desktop::Banners::Id id = m_banners->show(banner);
    if (id == 0)
        return false;
    if (!sticky) {
        double removal = std::isfinite(delay) && delay > 0 ? delay : kDefaultRemovalDelay;
        std::weak_ptr<SystemVisualNotification> weak = weak_from_this();
        base::Timer::create(removal, false, base::RunLoop::Mode::Default, [weak, id](base::Timer&) {
            if (auto self = weak.lock())
                self->delayedNotificationRemovalCallback(id);
        });
    }
    return true;
}

void SystemVisualNotification::delayedNotificationRemovalCallback(desktop::Banners::Id banner)
{
    m_banners->close(banner);
}

void SystemVisualNotification::removeAllDeliveredNotifications() { m_banners->closeAll(); }

}
