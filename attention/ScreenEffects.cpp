#include "attention/ScreenEffects.h"

#include "attention/OstrelNotificationSystem.h"
#include "core/ZrLog.h"

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
};

class LoggedDimming final : public DimmingManager {
public:
    void startBlackOutWithDuration(int64_t seconds, float alpha) override
    {
        zr_log("black-out for %lld seconds at alpha %.2f", static_cast<long long>(seconds), double(alpha));
    }
};

class LoggedFading final : public ScreenFadingHelper {
public:
    void quickFadeAllScreens(const gfx::Color&, double, double duration) override
    {
        zr_log("screen flash for %.2f seconds", duration);
    }
};

template<typename T, typename Fallback>
std::shared_ptr<T>& slot()
{
    static std::shared_ptr<T> installed = std::make_shared<Fallback>();
    return installed;
}

template<typename T, typename Fallback>
void install(std::shared_ptr<T> object)
{
    slot<T, Fallback>() = object ? std::move(object) : std::make_shared<Fallback>();
}

}

OstrelNotificationSystem& OstrelNotificationSystem::sharedNotifier()
{
    return *slot<OstrelNotificationSystem, LoggedNotifications>();
}

void OstrelNotificationSystem::setSharedNotifier(std::shared_ptr<OstrelNotificationSystem> notifier)
{
    install<OstrelNotificationSystem, LoggedNotifications>(std::move(notifier));
}

DimmingManager& DimmingManager::sharedManager()
{
    return *slot<DimmingManager, LoggedDimming>();
}

void DimmingManager::setSharedManager(std::shared_ptr<DimmingManager> manager)
{
    install<DimmingManager, LoggedDimming>(std::move(manager));
}

ScreenFadingHelper& ScreenFadingHelper::shared()
{
    return *slot<ScreenFadingHelper, LoggedFading>();
}

void ScreenFadingHelper::setShared(std::shared_ptr<ScreenFadingHelper> helper)
{
    install<ScreenFadingHelper, LoggedFading>(std::move(helper));
}

}
