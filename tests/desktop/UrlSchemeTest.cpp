#include "platform/desktop/UrlScheme.h"

#include "platform/base/Files.h"
#include "platform/base/RunLoop.h"
#include "platform/desktop/DesktopEntry.h"
#include "tests/desktop/DesktopTesting.h"
#include "tests/support/TemporaryHome.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using desktop::UrlScheme;

TEST(UrlSchemeTest, OnlyCleanLinksOfTheSchemeAreAccepted)
{
    EXPECT_EQ(UrlScheme::accepted("ostrel2things://ABC-123", "ostrel2things"), "ostrel2things://ABC-123");
    EXPECT_EQ(UrlScheme::accepted("Ostrel2Things:ABC", "ostrel2things"), "Ostrel2Things:ABC");
    EXPECT_EQ(UrlScheme::accepted("ostrel2things://caf\xc3\xa9", "ostrel2things"), "ostrel2things://caf\xc3\xa9");

    for (std::string text : { "", "ostrel2things", "ostrel2thingsX://a", "xostrel2things://a", "https://example.org",
             "ostrel2things://a\nb", "ostrel2things://a\x7f", "ostrel2things://\xc2\x85", "ostrel2things://\xff",
             "ostrel2things://\xc3", "ostrel2things://\xe0\x80\x80", "ostrel2things://\xed\xa0\x80" })
        EXPECT_FALSE(UrlScheme::accepted(text, "ostrel2things")) << text;
    EXPECT_FALSE(UrlScheme::accepted(std::string("ostrel2things://a\0b", 19), "ostrel2things"));

    std::string longest = "ostrel2things://" + std::string(UrlScheme::kMaxLength - 16, 'a');
    EXPECT_TRUE(UrlScheme::accepted(longest, "ostrel2things"));
    EXPECT_FALSE(UrlScheme::accepted(longest + "a", "ostrel2things"));
}

TEST(UrlSchemeTest, TheHandlerEntryBecomesTheDefaultAndOtherAssociationsStay)
{
    ostrel::test::TemporaryHome home;
    std::filesystem::create_directories(home.configHome());
    std::ofstream(home.configHome() / "mimeapps.list") << "[Added Associations]\ntext/plain=editor.desktop\n\n"
                                                        << "[Default Applications]\ntext/html=browser.desktop\n"
                                                        << "x-scheme-handler/ostrel2things=old.desktop\n";
    ASSERT_TRUE(UrlScheme::installHandler("ostrel2things"));

    EXPECT_EQ(UrlScheme::handlerEntryPath(), home.dataHome() / "applications" / "ostrel.desktop");
    auto entry = base::files::readText(UrlScheme::handlerEntryPath(), 1 << 20);
    ASSERT_TRUE(entry);
    EXPECT_EQ(desktop::DesktopEntry::value(*entry, "MimeType"), "x-scheme-handler/ostrel2things;");
    EXPECT_EQ(desktop::DesktopEntry::value(*entry, "Exec"),
        desktop::DesktopEntry::execLine({ desktop::DesktopEntry::executable().string() }) + " %u");

    EXPECT_EQ(base::files::readText(home.configHome() / "mimeapps.list", 1 << 20),
        "[Added Associations]\ntext/plain=editor.desktop\n\n[Default Applications]\ntext/html=browser.desktop\n"
        "x-scheme-handler/ostrel2things=ostrel.desktop\n");
}

TEST(UrlSchemeTest, AListThatCannotBeReadIsNotWrittenOver)
{
    ostrel::test::TemporaryHome home;
    std::filesystem::create_directories(home.configHome());
    auto list = home.configHome() / "mimeapps.list";
    ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0);
    desktop::test::LogLines log;
    EXPECT_FALSE(UrlScheme::installHandler("ostrel2things"));
    EXPECT_TRUE(std::filesystem::is_fifo(list));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_NE(log.lines[0].find("a FIFO, not a file"), std::string::npos);
}

TEST(UrlSchemeTest, WithoutAListTheDefaultGroupIsMadeAndBadSchemesAreRefused)
{
    ostrel::test::TemporaryHome home;
    ASSERT_TRUE(UrlScheme::installHandler("ostrel2things"));
    EXPECT_EQ(base::files::readText(home.configHome() / "mimeapps.list", 1 << 20),
        "[Default Applications]\nx-scheme-handler/ostrel2things=ostrel.desktop\n");

    desktop::test::LogLines log;
    EXPECT_FALSE(UrlScheme::installHandler("bad\nscheme=x"));
    EXPECT_FALSE(UrlScheme::installHandler(""));
    EXPECT_EQ(log.lines.size(), 2u);
}

namespace {
class UrlHandOverTest : public testing::Test {
protected:
    void TearDown() override { base::RunLoop::main().discardAll(); }

    ostrel::test::TemporaryHome home;
};
}

TEST_F(UrlHandOverTest, ASecondLaunchHandsItsLinkToTheFirst)
{
    auto first = UrlScheme::claim("ostrel2things");
    ASSERT_TRUE(first.listener);
    EXPECT_FALSE(first.otherCopyRuns);
    std::vector<std::string> received;
    first.listener->on_url = [&](const std::string& url) { received.push_back(url); };

    auto second = UrlScheme::claim("ostrel2things");
    EXPECT_FALSE(second.listener);
    EXPECT_TRUE(second.otherCopyRuns);
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://ABC"));
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things:DEF"));
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (std::vector<std::string> { "ostrel2things://ABC", "ostrel2things:DEF" }));

    // Once the first copy ends, the next launch is the running one.
    first.listener.reset();
    auto third = UrlScheme::claim("ostrel2things");
    EXPECT_TRUE(third.listener);
}

TEST_F(UrlHandOverTest, ForeignLongAndDirtyHandOversAreDroppedAndLogged)
{
    auto first = UrlScheme::claim("ostrel2things");
    ASSERT_TRUE(first.listener);
    std::vector<std::string> received;
    first.listener->on_url = [&](const std::string& url) { received.push_back(url); };

    desktop::test::LogLines log;
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("file:///etc/passwd"));
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://a\x1b[2J"));
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://" + std::string(100'000, 'a')));
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://last"));
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received, std::vector<std::string> { "ostrel2things://last" });
    EXPECT_EQ(log.lines.size(), 3u);
    EXPECT_TRUE(log.contains("longer than 4096 bytes"));
}

TEST_F(UrlHandOverTest, LaunchesThatConnectAndStallDoNotCostTheNextOneItsLink)
{
    auto first = UrlScheme::claim("ostrel2things");
    ASSERT_TRUE(first.listener);
    std::vector<std::string> received;
    first.listener->on_url = [&](const std::string& url) { received.push_back(url); };

    desktop::test::LogLines log;
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (home.path() / ".runtime" / "ostrel.socket").c_str());
    // As many as the running copy serves at once, all waiting in its queue with the next one.
    std::vector<int> stalled;
    for (int i = 0; i < 8; ++i) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        stalled.push_back(fd);
    }
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://after"));
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received, std::vector<std::string> { "ostrel2things://after" });
    EXPECT_TRUE(log.contains("never finished"));
    for (int fd : stalled)
        close(fd);
}

TEST_F(UrlHandOverTest, RunningOutOfDescriptorsPausesListeningInsteadOfSpinning)
{
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers probe memory through a pipe of their own; with no descriptor left they
    // report every checked object as invalid, so this case runs in plain builds only.
    GTEST_SKIP() << "descriptor exhaustion confuses the sanitizers' own checks";
#endif
    auto first = UrlScheme::claim("ostrel2things");
    ASSERT_TRUE(first.listener);
    desktop::test::LogLines log;

    // No descriptor left for the running copy to accept the waiting launch with.
    rlimit saved {};
    getrlimit(RLIMIT_NOFILE, &saved);
    int client = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(client, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (home.path() / ".runtime" / "ostrel.socket").c_str());
    ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    rlimit tight = saved;
    tight.rlim_cur = rlim_t(client + 1);
    setrlimit(RLIMIT_NOFILE, &tight);
    base::RunLoop::main().runOnce();
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_TRUE(log.contains("paused"));
    // Paused: the waiting connection no longer wakes the loop at every pass.
    int passes = 0;
    while (base::RunLoop::main().runOnce() && passes < 100)
        ++passes;
    EXPECT_LT(passes, 100) << "the loop kept waking for a connection it could not take";

    close(client);
}

TEST_F(UrlHandOverTest, AStaleSocketFromACrashedCopyDoesNotStopTheNextOne)
{
    std::ofstream(home.path() / ".runtime" / "ostrel.socket") << "left behind";
    auto claim = UrlScheme::claim("ostrel2things");
    ASSERT_TRUE(claim.listener);
    std::string received;
    claim.listener->on_url = [&](const std::string& url) { received = url; };
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://X"));
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return !received.empty(); }));
}

TEST(UrlHandOverWithoutRuntimeFolder, EveryLaunchRunsOnItsOwn)
{
    ostrel::test::TemporaryHome home;
    std::string saved = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    unsetenv("XDG_RUNTIME_DIR");
    desktop::test::LogLines log;
    auto claim = UrlScheme::claim("ostrel2things");
    EXPECT_FALSE(claim.listener);
    EXPECT_FALSE(claim.otherCopyRuns);
    EXPECT_FALSE(UrlScheme::sendToRunningCopy("ostrel2things://X"));
    setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST(UrlHandOverWithoutRuntimeFolder, AFolderOthersMayWriteIsNotUsed)
{
    ostrel::test::TemporaryHome home;
    std::string saved = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    auto shared = home.path() / "shared";
    std::filesystem::create_directories(shared);
    std::filesystem::permissions(shared, std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    setenv("XDG_RUNTIME_DIR", shared.c_str(), 1);
    desktop::test::LogLines log;
    auto claim = UrlScheme::claim("ostrel2things");
    EXPECT_FALSE(claim.listener);
    EXPECT_FALSE(claim.otherCopyRuns);
    EXPECT_FALSE(UrlScheme::sendToRunningCopy("ostrel2things://X"));
    setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    EXPECT_TRUE(std::filesystem::is_empty(shared)) << "neither a lock nor a socket is left there";
    EXPECT_EQ(log.lines.size(), 2u);
}
