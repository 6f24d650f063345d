#include "shell/SandboxHelper.h"

#include "platform/desktop/Autostart.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/ChildProcess.h"

#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ostrel {
namespace {

using SandboxHelperTest = test::ShellTest;

TEST_F(SandboxHelperTest, TheLoginItemIsTheAutostartEntryAndTogglesBack)
{
    EXPECT_FALSE(SandboxHelper::isLaunchAtStartup());
    EXPECT_FALSE(SandboxHelper::itemRefInLoginItems());
    SandboxHelper::toggleLaunchAtStartup();
    EXPECT_TRUE(SandboxHelper::isLaunchAtStartup());
    EXPECT_EQ(SandboxHelper::itemRefInLoginItems(), home.configHome() / "autostart" / "ostrel.desktop");
    SandboxHelper::toggleLaunchAtStartup();
    EXPECT_FALSE(SandboxHelper::isLaunchAtStartup());
    EXPECT_FALSE(std::filesystem::exists(home.configHome() / "autostart" / "ostrel.desktop"));

    // An entry left behind by another copy is not ours: turning on replaces it.
    std::filesystem::create_directories(home.configHome() / "autostart");
    std::ofstream(home.configHome() / "autostart" / "ostrel.desktop") << "[Desktop Entry]\nExec=/opt/old/ostrel\n";
    EXPECT_FALSE(SandboxHelper::isLaunchAtStartup());
    SandboxHelper::toggleLaunchAtStartup();
    EXPECT_TRUE(SandboxHelper::isLaunchAtStartup());
}

TEST_F(SandboxHelperTest, NoSandboxAndNoBookmarksButStoredDataReadsBack)
{
    EXPECT_FALSE(SandboxHelper::isSandboxOn());
    EXPECT_FALSE(SandboxHelper::securityBookmarksAreAvailable());
    EXPECT_FALSE(SandboxHelper::getApplicationSecurityScopedBookmark(home.path()));
    EXPECT_FALSE(SandboxHelper::resolveSecurityScopedBookmark(base::Value::Data { 1, 2, 3 }));
    EXPECT_FALSE(SandboxHelper::resolveSecurityScopedBookmark(std::nullopt));
    EXPECT_FALSE(SandboxHelper::startUsingSecurityScopedBookmark(home.path()));
    EXPECT_FALSE(SandboxHelper::stopUsingSecurityScopedBookmark(std::nullopt));

    SandboxHelper::archiveSecurityBookmark(std::nullopt, "dropboxFolderBookmark");
    EXPECT_FALSE(SandboxHelper::unarchiveSecurityBookmarkFromUserDefaultsKey("dropboxFolderBookmark"));
    SandboxHelper::archiveSecurityBookmark(base::Value::Data { 7, 8 }, "dropboxFolderBookmark");
    EXPECT_EQ(SandboxHelper::unarchiveSecurityBookmarkFromUserDefaultsKey("dropboxFolderBookmark"),
        base::Value(base::Value::Data { 7, 8 }));
}

TEST_F(SandboxHelperTest, PathsAndTheDiskImageCheck)
{
    EXPECT_EQ(SandboxHelper::getApplicationSupportFolderPath(), home.dataHome() / "Ostrel");
    // A folder of its own for the unprivileged check, which it reaches through the home.
    auto own = home.path() / "own";
    std::filesystem::create_directories(own);
    std::filesystem::permissions(home.path(), std::filesystem::perms::others_exec, std::filesystem::perm_options::add);
    auto locked = own / "locked";
    std::ofstream(locked) << "x";
    chmod(locked.c_str(), 0400);
    // Root may write whatever the bits say, so the check runs as someone they hold for.
    int status = test::runUnprivileged(own, [&] {
        if (!SandboxHelper::isPathAccessible(locked, R_OK))
            return 1;
        if (SandboxHelper::isPathAccessible(locked, W_OK))
            return 2;
        return SandboxHelper::isPathAccessible(own / "missing", F_OK) ? 3 : 0;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "wait status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the owner cannot read, 2: a read-only file is writable, 3: a missing file is there";

    SandboxHelper::dealWithLaunchFromDiskImage();
    EXPECT_TRUE(alerts.empty());
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_TRUE(logged[0].starts_with("launch path: /"));
    EXPECT_NE(logged[0].find("test_shell"), std::string::npos);
}

}
}
