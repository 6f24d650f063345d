#include "shell/SandboxHelper.h"

#include "log/BackingStoreManager.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/desktop/Autostart.h"

#include <system_error>
#include <unistd.h>

namespace ostrel {

std::filesystem::path SandboxHelper::getApplicationSupportFolderPath()
{
    return BackingStoreManager::applicationSupportDirectory();
}

bool SandboxHelper::isLaunchAtStartup()
{
    return itemRefInLoginItems().has_value();
}

void SandboxHelper::toggleLaunchAtStartup()
{
    // The autostart layer logs a failure to write or remove its entry; the setting then
    // simply reads as it was.
    desktop::Autostart::setOn(!isLaunchAtStartup());
}

std::optional<std::filesystem::path> SandboxHelper::itemRefInLoginItems()
{
    if (!desktop::Autostart::isOn())
        return std::nullopt;
    return desktop::Autostart::entryPath();
}

void SandboxHelper::archiveSecurityBookmark(const std::optional<base::Value::Data>& bookmark, const std::string& key)
{
    if (bookmark)
        base::Defaults::standard()->set(key, *bookmark);
}

std::optional<base::Value> SandboxHelper::unarchiveSecurityBookmarkFromUserDefaultsKey(const std::string& key)
{
    return base::Defaults::standard()->object(key);
}

std::optional<base::Value::Data> SandboxHelper::getApplicationSecurityScopedBookmark(const std::filesystem::path&)
{
    return std::nullopt;
}

std::optional<std::filesystem::path> SandboxHelper::resolveSecurityScopedBookmark(const std::optional<base::Value::Data>&)
{
    return std::nullopt;
}

bool SandboxHelper::startUsingSecurityScopedBookmark(const std::optional<std::filesystem::path>&)
{
    return false;
}

bool SandboxHelper::stopUsingSecurityScopedBookmark(const std::optional<std::filesystem::path>&)
{
    return false;
}

bool SandboxHelper::isPathAccessible(const std::filesystem::path& path, int accessKind)
{
    return access(path.c_str(), accessKind) == 0;
}

void SandboxHelper::dealWithLaunchFromDiskImage()
{
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    base::diagnostic("launch path: " + (error ? std::string("unknown") : program.string()));
    // Programs here come from a package or a build folder, never from a mounted read-only
    // disk image that would vanish when unmounted, so there is no copy to offer.
}

}
