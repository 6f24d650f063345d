#include "attention/DimmingManager.h"

#include "attention/ScreenFadingHelper.h"

namespace ostrel {

namespace {
std::shared_ptr<DimmingManager>& installed()
{
    static std::shared_ptr<DimmingManager> manager = std::make_shared<DimmingManager>();
    return manager;
}
}

DimmingManager& DimmingManager::sharedManager() { return *installed(); }

void DimmingManager::setSharedManager(std::shared_ptr<DimmingManager> manager)
{
    installed() = manager ? std::move(manager) : std::make_shared<DimmingManager>();
}

void DimmingManager::startBlackOutWithDuration(int64_t seconds, float alpha)
{
    ScreenFadingHelper::shared().startBlackOut(2.0 * double(seconds), alpha);
}

}
