#include "core/DebugManager.h"

#include "core/KVOResponder.h"
#include "core/ZrLog.h"

#include "platform/base/Defaults.h"

namespace ostrel {

namespace {
std::shared_ptr<DebugManager>& sharedInstance()
{
    static std::shared_ptr<DebugManager> instance;
    return instance;
}
}

std::shared_ptr<DebugManager> DebugManager::create(std::shared_ptr<base::Defaults> store)
{
    std::shared_ptr<DebugManager> manager(new DebugManager);
    manager->m_loggerIsOnObserver = KVOResponder::create("loggerIsOn", std::move(store), true,
        [](base::Defaults& defaults, const std::string&) { setZrLogOn(defaults.boolean("loggerIsOn")); });
    return manager;
}

std::shared_ptr<DebugManager> DebugManager::sharedDebugManager()
{
    return sharedInstance();
}

void DebugManager::awakeFromNib()
{
    sharedInstance() = shared_from_this();
}

}
