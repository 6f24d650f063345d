#include "log/TaskManagerBridge.h"

#include <mutex>

namespace ostrel {

namespace {

std::mutex bridgeMutex;
std::shared_ptr<TaskManagerBridge> installedBridge;

}

TaskManagerBridge& TaskManagerBridge::current()
{
    std::lock_guard lock(bridgeMutex);
    if (!installedBridge)
        installedBridge = std::make_shared<AbsentTaskManagers>();
    return *installedBridge;
}

void TaskManagerBridge::install(std::shared_ptr<TaskManagerBridge> bridge)
{
    std::lock_guard lock(bridgeMutex);
    installedBridge = std::move(bridge);
}

}
