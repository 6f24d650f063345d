#include "log/UpgradeManager.h"

#include "log/BackingStoreManager.h"
#include "core/ZrLog.h"
#include "log/LogFormat.h"
#include "log/Logger.h"
#include "platform/base/Files.h"

#include <filesystem>

namespace ostrel {

UpgradeManager& UpgradeManager::sharedInstance()
{
    static UpgradeManager* manager = new UpgradeManager;
    return *manager;
}

void UpgradeManager::upgradeEverything()
{
    zr_log("UpgradeManager upgradeEverything [start]");
    auto descriptor = Logger::sharedLogger().systemLogBackingStoreDesc();
    upgradeSystemLogs(descriptor->folderPath(), descriptor->root(), BackingStoreManager::sharedManager().obtainMACAddress());
    zr_log("UpgradeManager upgradeEverything [end]");
}

void UpgradeManager::upgradeSystemLogs(const std::string& folder, const std::string& root, const std::string& identifier)
{
    zr_log("upgrading system logs");
    auto names = base::files::list(folder);
    if (!names || root.empty())
        return;
    for (const auto& name : *names) {
        if (!LogFormat::beginsWithRoot(name, root) || name.find(')') != std::string::npos)
            continue;
        std::filesystem::path oldPath = std::filesystem::path(folder) / name;
        std::filesystem::path withoutExtension = oldPath;
        withoutExtension.replace_extension();
        std::filesystem::path newPath = withoutExtension.string() + " (" + identifier + ")" + oldPath.extension().string();
        zr_log("renaming %s to %s", oldPath.c_str(), newPath.c_str());
        // The move never replaces: a file already under the new name keeps the day's entries
        // written since, and the old one stays for the user to look at.
        if (!base::files::move(oldPath, newPath))
            zr_log("failed to migrate file: %s", oldPath.c_str());
    }
}

}
