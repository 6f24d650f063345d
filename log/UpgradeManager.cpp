#include "log/UpgradeManager.h"

#include "log/BackingStoreManager.h"
#include "core/ZrLog.h"
#include "log/LogFormat.h"
#include "log/Logger.h"
#include "platform/base/Defaults.h"
#include "platform/base/Files.h"

#include <algorithm>
#include <ctime>
#include <dirent.h>
#include <sys/stat.h>
#include <filesystem>
#include <string_view>
#include <vector>

namespace ostrel {

namespace {

constexpr std::string_view kDefaultIdentifier = "default";

}

UpgradeManager& UpgradeManager::sharedInstance()
{
    static UpgradeManager* manager = new UpgradeManager;
    return *manager;
}

void UpgradeManager::giveIdentifier(const std::string& folder, const std::string& name, std::string_view stem,
    const std::string& identifier)
{
    std::filesystem::path oldPath = std::filesystem::path(folder) / name;
    std::filesystem::path newPath
        = std::filesystem::path(folder) / (std::string(stem) + " (" + identifier + ")" + oldPath.extension().string());
    bool failedBefore;
    {
        std::lock_guard lock(m_mutex);
        failedBefore = m_failedMoves.contains(oldPath.string());
    }
    // A folder that cannot be written fails every pass, and a pass runs before every read:
    // the failure is told once.
    if (!failedBefore)
        zr_log("renaming %s to %s", oldPath.c_str(), newPath.c_str());
    // The move never replaces: a file already under the new name keeps the day's entries
    // written since, and the old one stays for the user to look at.
    std::string error;
    bool moved = base::files::move(oldPath, newPath, &error);
    std::lock_guard lock(m_mutex);
    if (moved) {
        if (failedBefore)
            zr_log("renamed %s to %s", oldPath.c_str(), newPath.c_str());
        m_failedMoves.erase(oldPath.string());
        return;
    }
    if (failedBefore)
        return;
    m_failedMoves[oldPath.string()] = newPath.string();
    zr_log("failed to migrate file: %s", oldPath.c_str());
    if (!base::files::exists(newPath) && LogFormat::isCurrentLogFileName(newPath.filename().string()))
        zr_log("%s cannot be renamed (%s); it is read under its present name", oldPath.c_str(), error.c_str());
}

bool UpgradeManager::readsUnderPresentName(const std::string& path) const
{
    std::string newPath;
    {
        std::lock_guard lock(m_mutex);
        auto failed = m_failedMoves.find(path);
        if (failed == m_failedMoves.end())
            return false;
        newPath = failed->second;
    }
    // A file under the new name holds the day's entries; the old one stays aside, unread,
    // as where the move was refused for it.
    return LogFormat::isCurrentLogFileName(std::filesystem::path(newPath).filename().string()) && !base::files::exists(newPath);
}

void UpgradeManager::upgradeEverything()
{
    zr_log("UpgradeManager upgradeEverything [start]");
    auto descriptor = Logger::sharedLogger().systemLogBackingStoreDesc();
    std::string identifier = BackingStoreManager::sharedManager().obtainMACAddress();
    upgradeSystemLogs(descriptor->folderPath(), descriptor->root(), identifier);
    // A shared folder's "(default)" files may be any computer's: two computers claiming one
    // before their sync caught up would each read the other's copy, and every entry twice.
    if (!base::Defaults::standard()->boolean("dropboxSync"))
        claimDefaultNamedFiles(descriptor->folderPath(), descriptor->root(), identifier);
    zr_log("UpgradeManager upgradeEverything [end]");
}

void UpgradeManager::upgradeSystemLogs(const std::string& folder, const std::string& root, const std::string& identifier)
{
    zr_log("upgrading system logs");
    renameFilesWithoutIdentifier(folder, root, identifier);
}

bool UpgradeManager::renameFilesWithoutIdentifier(const std::string& folder, const std::string& root,
    const std::string& identifier)
{
    if (root.empty())
        return false;
    // This runs before every read of the log, and ten years are thousands of names, hardly
    // ever one to rename: a folder whose entries have not changed since it was last found
    // clean is not listed again. Its modification time is trusted only once it lies a few
    // seconds back, as a name may come in within the same tick of a coarse clock.
    struct stat info {};
    bool known = ::stat(folder.c_str(), &info) == 0;
    std::int64_t modified = known ? std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec : 0;
    {
        std::lock_guard lock(m_mutex);
        auto clean = m_cleanFolders.find(folder);
        if (known && clean != m_cleanFolders.end() && clean->second == modified)
            return false;
    }
    std::vector<std::string> older;
    if (DIR* listing = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(listing)) {
            std::string_view name = entry->d_name;
            if (LogFormat::beginsWithRoot(name, root) && name.find(')') == std::string_view::npos)
                older.emplace_back(name);
        }
        ::closedir(listing);
    }
    if (known && older.empty() && std::time(nullptr) - info.st_mtim.tv_sec > 2) {
        std::lock_guard lock(m_mutex);
        m_cleanFolders[folder] = modified;
    }
    // In name order, as the folder lists them.
    std::sort(older.begin(), older.end());
    for (const auto& name : older)
        giveIdentifier(folder, name, std::filesystem::path(name).stem().string(), identifier);
    return !older.empty();
}

void UpgradeManager::claimDefaultNamedFiles(const std::string& folder, const std::string& root,
    const std::string& identifier)
{
    if (identifier.empty() || identifier == kDefaultIdentifier || root.empty())
        return;
    auto isDefaultNamed = [&](const std::string& name) {
        return LogFormat::isCurrentLogFileName(name) && LogFormat::isFileOfComputer(name, root, kDefaultIdentifier);
    };
    // A rewrite of one of them cut short is put right under its old name first, or its
    // entries would stay behind in a hidden leftover.
    std::string error;
    if (!base::files::recoverInterruptedReplacements(folder, isDefaultNamed, &error))
        zr_log("could not recover interrupted writes: %s", error.c_str());
    auto names = base::files::list(folder);
    if (!names)
        return;
    for (const auto& name : *names) {
        if (!isDefaultNamed(name))
            continue;
        std::string_view stem = std::string_view(name).substr(0, name.rfind('('));
        if (!stem.empty() && stem.back() == ' ')
            stem.remove_suffix(1);
        giveIdentifier(folder, name, stem, identifier);
    }
}

}
