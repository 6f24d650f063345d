#pragma once

#include "platform/base/Value.h"

#include <filesystem>
#include <optional>
#include <string>

namespace ostrel {

// Sandbox access, the login item and the disk-image check, as class operations. This
// desktop has no application sandbox and no security-scoped bookmarks: the program reaches
// every folder the user can, so the bookmark operations make and resolve nothing and the
// Dropbox folder is used by its path. The login item is the autostart entry. A program is
// never started from a read-only disk image here, so that check only logs where we run.
class SandboxHelper {
public:
    static bool isSandboxOn() { return false; }
    static std::filesystem::path getApplicationSupportFolderPath();

    static bool isLaunchAtStartup();
    // Removes the login item when it is there, else adds it.
    static void toggleLaunchAtStartup();
    // The autostart entry that starts this program, or none.
    static std::optional<std::filesystem::path> itemRefInLoginItems();

    // Stores the data under the key in the settings; nothing for none.
    static void archiveSecurityBookmark(const std::optional<base::Value::Data>& bookmark, const std::string& key);
    static std::optional<base::Value> unarchiveSecurityBookmarkFromUserDefaultsKey(const std::string& key);
    static std::optional<base::Value::Data> getApplicationSecurityScopedBookmark(const std::filesystem::path& url);
    static std::optional<std::filesystem::path> resolveSecurityScopedBookmark(const std::optional<base::Value::Data>& bookmark);
    static bool startUsingSecurityScopedBookmark(const std::optional<std::filesystem::path>& url);
    static bool stopUsingSecurityScopedBookmark(const std::optional<std::filesystem::path>& url);
    static bool securityBookmarksAreAvailable() { return false; }

    // Whether access(2) with the mode (R_OK, W_OK, X_OK, F_OK) succeeds on the path.
    static bool isPathAccessible(const std::filesystem::path& path, int accessKind);

    static void dealWithLaunchFromDiskImage();
};

}
