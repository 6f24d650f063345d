#include "platform/desktop/UrlScheme.h"

#include "platform/base/Files.h"
#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/desktop/DesktopEntry.h"
#include "tests/desktop/DesktopTesting.h"
#include "tests/support/TemporaryHome.h"
#include "tests/support/WithoutPermissionOverride.h"

#include <cstddef>
#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
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

TEST(UrlSchemeTest, AListKeptElsewhereIsWrittenThroughItsLinkAndOnlyWhenTheHandlerIsMissing)
{
    ostrel::test::TemporaryHome home;
    auto dotfiles = home.path() / "dotfiles";
    std::filesystem::create_directories(dotfiles);
    std::filesystem::create_directories(home.configHome());
    std::ofstream(dotfiles / "mimeapps.list") << "[Default Applications]\ntext/html=browser.desktop\n";
    auto list = home.configHome() / "mimeapps.list";
    std::filesystem::create_symlink(dotfiles / "mimeapps.list", list);

    ASSERT_TRUE(UrlScheme::installHandler("ostrel2things"));
    EXPECT_TRUE(std::filesystem::is_symlink(list)) << "the link was replaced by a file";
    EXPECT_EQ(base::files::readText(dotfiles / "mimeapps.list", 1 << 20),
        "[Default Applications]\nx-scheme-handler/ostrel2things=ostrel.desktop\ntext/html=browser.desktop\n");

    // At the next start the handler is there: neither file is written again.
    struct stat listBefore {}, entryBefore {};
    ASSERT_EQ(stat((dotfiles / "mimeapps.list").c_str(), &listBefore), 0);
    ASSERT_EQ(stat(UrlScheme::handlerEntryPath().c_str(), &entryBefore), 0);
    ASSERT_TRUE(UrlScheme::installHandler("ostrel2things"));
    struct stat listAfter {}, entryAfter {};
    ASSERT_EQ(stat((dotfiles / "mimeapps.list").c_str(), &listAfter), 0);
    ASSERT_EQ(stat(UrlScheme::handlerEntryPath().c_str(), &entryAfter), 0);
    EXPECT_EQ(listAfter.st_ino, listBefore.st_ino) << "the list was rewritten";
    EXPECT_EQ(entryAfter.st_ino, entryBefore.st_ino) << "the handler entry was rewritten";
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

TEST_F(UrlHandOverTest, ASecondLaunchWithoutALinkBringsTheFirstToTheFront)
{
    auto first = UrlScheme::claim("ostrel2things");
    ASSERT_TRUE(first.listener);
    int fronts = 0;
    std::vector<std::string> received;
    first.listener->on_bring_to_front = [&] { ++fronts; };
    first.listener->on_url = [&](const std::string& url) { received.push_back(url); };
    desktop::test::LogLines log;

    // Real later launches, each a process of its own that finds the first one running: one
    // without a link, then one with.
    for (std::string link : { "", "ostrel2things://after" }) {
        pid_t launch = fork();
        if (launch == 0) {
            auto claim = UrlScheme::claim("ostrel2things");
            bool handed = link.empty() ? UrlScheme::bringRunningCopyToFront() : UrlScheme::sendToRunningCopy(link);
            _exit(!claim.listener && claim.otherCopyRuns && handed ? 0 : 1);
        }
        ASSERT_GT(launch, 0);
        int status = -1;
        waitpid(launch, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the later launch failed";
    }
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return fronts == 1 && received.size() == 1; }));
    EXPECT_EQ(received, std::vector<std::string> { "ostrel2things://after" }) << "the request is no link";
    EXPECT_TRUE(log.lines.empty());

    // Without a closure the request is simply not acted on.
    first.listener->on_bring_to_front = nullptr;
    EXPECT_TRUE(UrlScheme::bringRunningCopyToFront());
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://last"));
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(fronts, 1);
    EXPECT_TRUE(log.lines.empty());
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
    // The second foreign hand-over is counted, not said again.
    EXPECT_EQ(log.lines.size(), 2u);
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

namespace {
// From here on, accept answers EMFILE, as it does when the process has no descriptor left.
// A filter rather than a real shortage: the sanitizers' own checks need descriptors too
// (they probe memory through a pipe) and would fail before our code did. False where the
// kernel offers no seccomp filters.
bool acceptFailsForLackOfDescriptors()
{
#if defined(__x86_64__)
    constexpr std::uint32_t kArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    constexpr std::uint32_t kArchitecture = AUDIT_ARCH_AARCH64;
#else
    return false;
#endif
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArchitecture, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_accept4, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EMFILE & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program { static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter };
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// Runs `work` in a forked child, for what cannot be undone in the test process; its answer
// comes back through a pipe: empty when all went well, else what went wrong.
std::string inChildProcess(const std::function<std::string()>& work)
{
    int answer[2];
    if (pipe(answer) != 0)
        return "no pipe";
    pid_t child = fork();
    if (child == 0) {
        close(answer[0]);
        std::string text = work();
        (void)!write(answer[1], text.data(), text.size());
        _exit(0);
    }
    close(answer[1]);
    std::string text;
    char buffer[256];
    for (ssize_t length; (length = read(answer[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(length));
    close(answer[0]);
    int status = -1;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child process ended abnormally: " + text;
    return text;
}
}

TEST_F(UrlHandOverTest, RunningOutOfDescriptorsPausesListeningInsteadOfSpinning)
{
    std::string outcome = inChildProcess([&]() -> std::string {
        base::VirtualTime clock;
        auto first = UrlScheme::claim("ostrel2things");
        if (!first.listener)
            return "no listener";
        desktop::test::LogLines log;
        // A later launch waits; the running copy has no descriptor to take it with.
        int client = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, (home.path() / ".runtime" / "ostrel.socket").c_str());
        if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return "cannot connect";
        if (!acceptFailsForLackOfDescriptors())
            return "skip";
        base::RunLoop::main().runOnce();
        if (log.lines.size() != 1 || !log.contains("paused"))
            return "listening was not paused";
        // Paused: the waiting connection no longer wakes the loop at every pass.
        int passes = 0;
        while (base::RunLoop::main().runOnce() && passes < 100)
            ++passes;
        if (passes >= 100)
            return "the loop kept waking for a connection it could not take";
        // A second later it listens again, finds itself still short, and pauses again.
        base::RunLoop::main().runUntil(clock.now() + 1.5);
        if (log.lines.size() != 2)
            return "listening did not resume after a second";
        return "";
    });
    if (outcome == "skip")
        GTEST_SKIP() << "this kernel offers no seccomp filters";
    EXPECT_EQ(outcome, "");
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

namespace {
// A session without a runtime folder of the user's own: unset, or one others may write to.
class UrlHandOverWithoutRuntimeFolder : public testing::Test {
protected:
    void TearDown() override
    {
        setenv("XDG_RUNTIME_DIR", m_saved.c_str(), 1);
        base::RunLoop::main().discardAll();
    }

    // Two launches in turn: the first runs and hears the second's link; the second only hands it over.
    void expectOneCopyRuns()
    {
        auto first = UrlScheme::claim("ostrel2things");
        ASSERT_TRUE(first.listener) << "the first launch runs";
        std::string received;
        first.listener->on_url = [&](const std::string& url) { received = url; };
        auto second = UrlScheme::claim("ostrel2things");
        EXPECT_FALSE(second.listener);
        EXPECT_TRUE(second.otherCopyRuns) << "a second full copy would write its stale pads over the first's";
        EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://X"));
        EXPECT_TRUE(desktop::test::runLoopUntil([&] { return !received.empty(); }));
        struct stat folder {};
        ASSERT_EQ(stat((home.path() / ".cache/Ostrel").c_str(), &folder), 0);
        EXPECT_EQ(folder.st_mode & 0777, 0700u);
    }

    ostrel::test::TemporaryHome home;
    std::string m_saved { std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "" };
};
}

TEST_F(UrlHandOverWithoutRuntimeFolder, OneCopyRunsAllTheSameFromAPrivateFolderOfTheUsersOwn)
{
    unsetenv("XDG_RUNTIME_DIR");
    expectOneCopyRuns();

    // Something left the folder open to others: it is closed again before it is used.
    unsetenv("XDG_CACHE_HOME");
    std::filesystem::permissions(home.path() / ".cache/Ostrel", std::filesystem::perms::all);
    expectOneCopyRuns();
}

TEST_F(UrlHandOverWithoutRuntimeFolder, ALaunchGivenNoRuntimeFolderStillFindsTheCopyThatHadOne)
{
    // The first copy from the session, the second from a shell that lost XDG_RUNTIME_DIR:
    // both would otherwise run on one data folder and write each other's pads over.
    auto first = UrlScheme::claim("ostrel2things");
    ASSERT_TRUE(first.listener);
    std::string received;
    first.listener->on_url = [&](const std::string& url) { received = url; };
    unsetenv("XDG_RUNTIME_DIR");
    auto second = UrlScheme::claim("ostrel2things");
    EXPECT_FALSE(second.listener);
    EXPECT_TRUE(second.otherCopyRuns);
    EXPECT_TRUE(UrlScheme::sendToRunningCopy("ostrel2things://X"));
    EXPECT_TRUE(desktop::test::runLoopUntil([&] { return received == "ostrel2things://X"; }));
}

TEST_F(UrlHandOverWithoutRuntimeFolder, AFolderOthersMayWriteIsNotUsed)
{
    auto shared = home.path() / "shared";
    std::filesystem::create_directories(shared);
    std::filesystem::permissions(shared, std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    setenv("XDG_RUNTIME_DIR", shared.c_str(), 1);
    expectOneCopyRuns();
    EXPECT_TRUE(std::filesystem::is_empty(shared)) << "neither a lock nor a socket is left there";
}

TEST_F(UrlHandOverWithoutRuntimeFolder, ALockTheDataFolderCannotHoldIsTakenInTheUsersOwnFolder)
{
    ostrel::test::WithoutPermissionOverride heldToTheBits;
    ASSERT_TRUE(heldToTheBits.holds()) << "the permission bits could not be made to hold";
    auto data = home.dataHome() / "Ostrel";
    std::filesystem::create_directories(data);
    // A lock file made read-only, then the whole data folder read-only with none in it.
    std::ofstream(data / ".ostrel.lock") << "";
    std::filesystem::permissions(data / ".ostrel.lock", std::filesystem::perms::owner_read);
    expectOneCopyRuns();
    std::filesystem::remove(data / ".ostrel.lock");
    std::filesystem::permissions(data, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    expectOneCopyRuns();
    std::filesystem::permissions(data, std::filesystem::perms::owner_all);
}

TEST_F(UrlHandOverWithoutRuntimeFolder, LaunchesAtTheSameInstantWithDifferentRuntimeFoldersMeet)
{
    // One from the session, one from a shell without XDG_RUNTIME_DIR, set off together: one
    // runs and gets the other's link, whichever wins.
    std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    for (int attempt = 0; attempt < 20; ++attempt) {
        int gate[2];
        ASSERT_EQ(pipe(gate), 0);
        std::vector<pid_t> launches;
        for (bool withRuntimeFolder : { true, false }) {
            pid_t launch = fork();
            if (launch == 0) {
                close(gate[1]);
                char go;
                (void)!read(gate[0], &go, 1);
                if (!withRuntimeFolder)
                    unsetenv("XDG_RUNTIME_DIR");
                auto claim = UrlScheme::claim("ostrel2things");
                if (!claim.listener)
                    _exit(claim.otherCopyRuns && UrlScheme::sendToRunningCopy("ostrel2things://link") ? 0 : 1);
                bool heard = false;
                claim.listener->on_url = [&](const std::string&) { heard = true; };
                _exit(desktop::test::runLoopUntil([&] { return heard; }) ? 0 : 2);
            }
            ASSERT_GT(launch, 0);
            launches.push_back(launch);
        }
        close(gate[0]);
        close(gate[1]);
        for (pid_t launch : launches) {
            int status = -1;
            waitpid(launch, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << "attempt " << attempt << ": " << (WIFEXITED(status) && WEXITSTATUS(status) == 2 ? "the link never came" : "the link was lost");
        }
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
}
