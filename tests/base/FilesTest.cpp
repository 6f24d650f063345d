#include "platform/base/Files.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/TemporaryHome.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace files = base::files;

namespace {
std::string contents(const std::filesystem::path& path)
{
    return files::readBytes(path, 1 << 20).value_or("<missing>");
}

bool noHiddenLeftovers(const std::filesystem::path& folder)
{
    for (const auto& name : files::list(folder).value_or(std::vector<std::string> {})) {
        if (name.rfind('.', 0) == 0)
            return false;
    }
    return true;
}
}

TEST(Files, AtomicWriteReplacesWholeOrNotAtAll)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.path() / "logs";
    ASSERT_TRUE(files::createDirectories(folder));
    auto file = folder / "day.txt";
    ASSERT_TRUE(files::writeAtomically(file, "first version"));
    ASSERT_TRUE(files::writeAtomically(file, "second version"));
    EXPECT_EQ(contents(file), "second version");

    // A write that runs out of room midway must leave the old file as it was.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &tight);
    std::string error;
    bool written = files::writeAtomically(file, std::string(100000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(contents(file), "second version");
    EXPECT_TRUE(noHiddenLeftovers(folder));
}

TEST(Files, PackageWriteKeepsOldPackageWhenFillingFails)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.path() / "logs";
    ASSERT_TRUE(files::createDirectories(folder));
    auto package = folder / "Entry.rtfd";
    auto fillWith = [](std::string text) {
        return [text](const std::filesystem::path& folder) {
            return files::writeAtomically(folder / "TXT.rtf", text);
        };
    };
    ASSERT_TRUE(files::writePackageAtomically(package, fillWith("one")));
    ASSERT_TRUE(files::writePackageAtomically(package, fillWith("two")));
    EXPECT_EQ(contents(package / "TXT.rtf"), "two");
    EXPECT_FALSE(files::writePackageAtomically(package, [](const std::filesystem::path&) { return false; }));
    EXPECT_EQ(contents(package / "TXT.rtf"), "two");
    EXPECT_TRUE(noHiddenLeftovers(folder));
}

TEST(Files, ARewriteKeepsTheModeTheUserGaveTheFileOrPackage)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.path() / "private";
    ASSERT_TRUE(files::createDirectories(folder));
    auto mode = [](const std::filesystem::path& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 07777u;
    };
    // What the program makes is private; the user may open it up, and that stays.
    EXPECT_EQ(mode(folder), 0700u);
    auto file = folder / "defaults.json";
    ASSERT_TRUE(files::writeAtomically(file, "{}"));
    EXPECT_EQ(mode(file), 0600u);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(files::writeAtomically(file, "{\"a\": 1}"));
    EXPECT_EQ(mode(file), 0640u) << "the mode the user gave the file was lost";

    auto package = folder / "System Log Day 2026-01-05 (default).rtfd";
    auto fill = [](const std::filesystem::path& staging) { return files::writeAtomically(staging / "TXT.rtf", "entry"); };
    ASSERT_TRUE(files::writePackageAtomically(package, fill));
    EXPECT_EQ(mode(package), 0700u);
    EXPECT_EQ(mode(package / "TXT.rtf"), 0600u);
    ASSERT_EQ(::chmod((package / "TXT.rtf").c_str(), 0644), 0);
    ASSERT_EQ(::chmod(package.c_str(), 0750), 0);
    ASSERT_TRUE(files::writePackageAtomically(package, fill));
    EXPECT_EQ(mode(package), 0750u);
    EXPECT_EQ(mode(package / "TXT.rtf"), 0644u);
    EXPECT_TRUE(noHiddenLeftovers(folder));
}

TEST(Files, AGuardedWriteNeverGoesOverAChangeMadeSinceTheCallerLooked)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.path() / "settings";
    ASSERT_TRUE(files::createDirectories(folder));
    auto file = folder / "defaults.json";
    ASSERT_TRUE(files::writeAtomically(file, "seen"));
    auto asSeen = [](const std::optional<std::filesystem::path>& found) { return found && contents(*found) == "seen"; };
    ASSERT_TRUE(files::writeAtomically(file, "ours", nullptr, asSeen));
    EXPECT_EQ(contents(file), "ours");

    // Another program writes between our look and our write: its version stays.
    ASSERT_TRUE(files::writeAtomically(file, "theirs"));
    std::string error;
    EXPECT_FALSE(files::writeAtomically(file, "ours again", &error, asSeen));
    EXPECT_EQ(contents(file), "theirs");
    EXPECT_NE(error.find("changed by another program"), std::string::npos) << error;

    // Nothing in place when we looked, and a file made just before our write.
    auto fresh = folder / "fresh.json";
    EXPECT_FALSE(files::writeAtomically(fresh, "ours", nullptr, [&](const std::optional<std::filesystem::path>& found) {
        EXPECT_FALSE(found);
        std::ofstream(fresh) << "made meanwhile";
        return true;
    }));
    EXPECT_EQ(contents(fresh), "made meanwhile");
    EXPECT_TRUE(noHiddenLeftovers(folder));
}

TEST(Files, ListMoveCopyRemove)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.path() / "a/b/c";
    ASSERT_TRUE(files::createDirectories(folder));
    ASSERT_TRUE(files::writeAtomically(folder / "z.txt", "z"));
    ASSERT_TRUE(files::writeAtomically(folder / ".hidden", "h"));
    EXPECT_EQ(files::list(folder), (std::vector<std::string> { ".hidden", "z.txt" }));
    EXPECT_FALSE(files::list(home.path() / "missing"));
    std::string notListed;
    EXPECT_FALSE(files::list(folder / "z.txt", &notListed)) << "a file is no folder";
    EXPECT_EQ(notListed, "cannot list " + (folder / "z.txt").string() + ": Not a directory");
    // Names are bytes: one that is no UTF-8 comes back as it is, in byte order.
    ASSERT_TRUE(files::writeAtomically(folder / "\xff odd", "o"));
    EXPECT_EQ(files::list(folder), (std::vector<std::string> { ".hidden", "z.txt", "\xff odd" }));

    ASSERT_TRUE(files::copy(home.path() / "a", home.path() / "copy"));
    EXPECT_EQ(contents(home.path() / "copy/b/c/z.txt"), "z");
    ASSERT_TRUE(files::move(home.path() / "copy", home.path() / "moved"));
    EXPECT_FALSE(files::exists(home.path() / "copy"));
    EXPECT_TRUE(files::isDirectory(home.path() / "moved/b"));
    EXPECT_TRUE(files::modificationTime(home.path() / "moved/b/c/z.txt").has_value());

    std::string error;
    EXPECT_FALSE(files::move(home.path() / "nothing", home.path() / "x", &error));
    EXPECT_NE(error.find("nothing"), std::string::npos);
    ASSERT_TRUE(files::remove(home.path() / "moved"));
    EXPECT_FALSE(files::exists(home.path() / "moved"));
}

TEST(Files, TextDecodingByMarkOrContent)
{
    EXPECT_EQ(files::decodeText("\xEF\xBB\xBFplain"), "plain");
    EXPECT_EQ(files::decodeText(std::string("\xFF\xFE" "A\0\xE9\0", 6)), "A\xC3\xA9");
    EXPECT_EQ(files::decodeText(std::string("\xFE\xFF\0A\xD8\x3D\xDE\x00", 8)), "A\xF0\x9F\x98\x80");
    EXPECT_EQ(files::decodeText("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(files::decodeText("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(files::decodeText("cut \xC3"), "cut \xC3\x83");
}

namespace {

std::string moveError(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::string error;
    return files::move(from, to, &error) ? "moved" : error;
}

// Two folders, a file and a package in each, with the same names on both sides.
struct SameNames {
    explicit SameNames(const std::filesystem::path& root)
        : from(root / "from")
        , to(root / "to")
    {
        for (const auto& folder : { from, to }) {
            files::createDirectories(folder / "Day.rtfd");
            files::writeAtomically(folder / "Day.rtfd" / "TXT.rtf", folder.filename().string());
            files::writeAtomically(folder / "day.txt", folder.filename().string());
        }
        files::createDirectories(to / "empty.rtfd");
        files::createDirectories(from / "empty.rtfd");
        files::writeAtomically(from / "empty.rtfd" / "TXT.rtf", "from");
    }

    // Nothing moved, nothing replaced, no leftovers.
    void expectUntouched() const
    {
        for (const auto& folder : { from, to }) {
            EXPECT_EQ(contents(folder / "Day.rtfd" / "TXT.rtf"), folder.filename().string());
            EXPECT_EQ(contents(folder / "day.txt"), folder.filename().string());
            EXPECT_TRUE(noHiddenLeftovers(folder));
        }
        EXPECT_EQ(contents(from / "empty.rtfd" / "TXT.rtf"), "from");
        EXPECT_EQ(files::list(to / "empty.rtfd"), std::vector<std::string> {});
    }

    std::filesystem::path from;
    std::filesystem::path to;
};

}

TEST(Files, MoveNeverReplacesASameNamedTarget)
{
    ostrel::test::TemporaryHome home;
    SameNames names(home.path());
    for (const char* name : { "Day.rtfd", "day.txt", "empty.rtfd" })
        EXPECT_NE(moveError(names.from / name, names.to / name).find("File exists"), std::string::npos) << name;
    names.expectUntouched();
    EXPECT_EQ(moveError(names.from / "day.txt", names.to / "new.txt"), "moved");
    EXPECT_EQ(contents(names.to / "new.txt"), "from");
}

TEST(Files, MoveAcrossFileSystemsNeverReplacesEither)
{
    ostrel::test::TemporaryHome home;
    auto other = std::filesystem::path("/dev/shm");
    struct stat here {}, there {};
    if (::stat(home.path().c_str(), &here) != 0 || ::stat(other.c_str(), &there) != 0 || here.st_dev == there.st_dev
        || ::access(other.c_str(), W_OK) != 0)
        GTEST_SKIP() << "no second writable file system at /dev/shm";
    char pattern[] = "/dev/shm/ostrel-move-XXXXXX";
    ASSERT_TRUE(::mkdtemp(pattern));
    std::filesystem::path shm(pattern);
    SameNames names(home.path());
    ASSERT_TRUE(files::createDirectories(shm / "from"));
    ASSERT_EQ(moveError(names.from / "Day.rtfd", shm / "from" / "Day.rtfd"), "moved");
    ASSERT_EQ(moveError(shm / "from" / "Day.rtfd", names.from / "Day.rtfd"), "moved") << "and back again";
    EXPECT_FALSE(files::exists(shm / "from" / "Day.rtfd"));

    ASSERT_TRUE(files::copy(names.from, shm / "copy"));
    for (const char* name : { "Day.rtfd", "day.txt", "empty.rtfd" })
        EXPECT_NE(moveError(shm / "copy" / name, names.to / name).find("File exists"), std::string::npos) << name;
    names.expectUntouched();
    EXPECT_EQ(contents(shm / "copy" / "day.txt"), "from") << "the source stays";
    files::remove(shm);
}

TEST(Files, MoveRefusesToReplaceWhereTheFileSystemCannotSay)
{
    ostrel::test::TemporaryHome home;
    SameNames names(home.path());
    // As on a network file system that knows no RENAME_NOREPLACE.
    int status = ostrel::test::runInChild([&] {
        if (!ostrel::test::refuseRenameFlags(RENAME_NOREPLACE))
            return 2;
        if (::renameat2(AT_FDCWD, "a", AT_FDCWD, "b", RENAME_NOREPLACE) == 0 || errno != EINVAL)
            return 3;
        for (const char* name : { "Day.rtfd", "day.txt", "empty.rtfd" }) {
            if (files::move(names.from / name, names.to / name))
                return 4;
        }
        bool moved = files::move(names.from / "day.txt", names.to / "new.txt")
            && files::move(names.from / "Day.rtfd", names.to / "New.rtfd");
        return moved ? 0 : 5;
    });
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "no seccomp filter could be installed";
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(contents(names.to / "new.txt"), "from");
    EXPECT_EQ(contents(names.to / "New.rtfd" / "TXT.rtf"), "from");
    EXPECT_EQ(contents(names.to / "day.txt"), "to");
    EXPECT_EQ(contents(names.to / "Day.rtfd" / "TXT.rtf"), "to");
    EXPECT_EQ(files::list(names.to / "empty.rtfd"), std::vector<std::string> {});
}

TEST(Files, ReadingTakesRegularFilesUpToTheirLimitOnly)
{
    ostrel::test::TemporaryHome home;
    auto path = [&](const char* name) { return home.path() / name; };
    ASSERT_TRUE(files::writeAtomically(path("ten"), "0123456789"));
    EXPECT_EQ(files::readBytes(path("ten"), 10), "0123456789");
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", path("zero"));
    std::filesystem::create_symlink(path("ten"), path("link"));
    files::createDirectories(path("folder"));

    auto refusal = [&](const char* name, std::size_t limit, files::Links links = files::Links::Follow) {
        std::string error;
        auto bytes = files::readBytes(path(name), limit, &error, links);
        return bytes ? "read " + *bytes : error;
    };
    // Neither waits for a writer nor reads on for ever.
    EXPECT_NE(refusal("fifo", 1 << 20).find("a FIFO, not a file"), std::string::npos);
    EXPECT_NE(refusal("zero", 1 << 20).find("a device, not a file"), std::string::npos);
    EXPECT_NE(refusal("folder", 1 << 20).find("a folder, not a file"), std::string::npos);
    EXPECT_NE(refusal("ten", 9).find("larger than the 9 bytes"), std::string::npos);
    EXPECT_EQ(refusal("link", 10), "read 0123456789");
    EXPECT_NE(refusal("link", 10, files::Links::Refuse).find("a link"), std::string::npos);
    EXPECT_NE(refusal("missing", 10).find("No such file"), std::string::npos);
    EXPECT_FALSE(files::readText(path("fifo"), 1 << 20));
}

TEST(Files, KernelFilesAreReadForWhatTheyHoldNotForTheSizeTheyReport)
{
    // /proc reports a size of 0 and /sys one of a page, whatever the file holds.
    auto limits = files::readBytes("/proc/self/limits", 1 << 16);
    ASSERT_TRUE(limits);
    EXPECT_NE(limits->find("Max open files"), std::string::npos);
    std::string error;
    EXPECT_FALSE(files::readBytes("/proc/self/limits", 10, &error)) << "the limit still holds for what is read";
    EXPECT_NE(error.find("larger than the 10 bytes"), std::string::npos);
    auto loopback = files::readBytes("/sys/class/net/lo/address", 64);
    if (std::filesystem::exists("/sys/class/net/lo/address")) {
        ASSERT_TRUE(loopback);
        EXPECT_EQ(*loopback, "00:00:00:00:00:00\n");
    }
}

TEST(Files, FoldersAreMadeOneByOneOrAll)
{
    ostrel::test::TemporaryHome home;
    std::string error;
    EXPECT_FALSE(files::createDirectory(home.path() / "a" / "b", &error));
    EXPECT_NE(error.find("No such file"), std::string::npos);
    EXPECT_TRUE(files::createDirectory(home.path() / "a"));
    EXPECT_FALSE(files::createDirectory(home.path() / "a", &error)) << "one that is there is no new folder";
    EXPECT_NE(error.find("File exists"), std::string::npos);
    EXPECT_TRUE(files::createDirectories(home.path() / "x" / "y" / "z/"));
    EXPECT_TRUE(files::isDirectory(home.path() / "x" / "y" / "z"));
    ASSERT_TRUE(files::writeAtomically(home.path() / "file", ""));
    EXPECT_FALSE(files::createDirectories(home.path() / "file" / "sub", &error));
}

TEST(Files, LeftoversOfCutShortReplacementsAreKnownByName)
{
    EXPECT_EQ(files::leftoverOwner(".Day 1 (ab).rtfd.tmp.0a1b2c"), "Day 1 (ab).rtfd");
    EXPECT_EQ(files::leftoverOwner(".Day.rtfd.old.ffffff"), "Day.rtfd");
    EXPECT_EQ(files::leftoverOwner(".x.moving.123456"), "x");
    for (const char* other : { "Day.rtfd.tmp.0a1b2c", ".Day.rtfd.tmp.0a1b2", ".Day.rtfd.tmp.0a1b2g", ".tmp.0a1b2c",
             ".Day.rtfd.bak.0a1b2c", ".hidden" })
        EXPECT_FALSE(files::leftoverOwner(other)) << other;
    auto sibling = files::hiddenTemporarySibling("/logs/Day.rtfd", ".old");
    EXPECT_EQ(files::leftoverOwner(sibling.filename().string()), "Day.rtfd");
}

TEST(Files, RecoveryRestoresTheNewestSetAsideVersionAndClearsTheRest)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.path() / "logs";
    ASSERT_TRUE(files::createDirectories(folder));
    auto write = [&](const std::string& name, const std::string& text, double age) {
        files::createDirectories(folder / name);
        files::writeAtomically(folder / name / "TXT.rtf", text);
        auto when = std::filesystem::file_time_type::clock::now() - std::chrono::seconds(int(age));
        std::filesystem::last_write_time(folder / name, when);
    };
    // Mine: missing, with two set-aside versions and a half-written new one.
    write(".Mine.rtfd.old.000001", "older", 100);
    write(".Mine.rtfd.old.000002", "newer", 10);
    write(".Mine.rtfd.tmp.000003", "half", 1);
    // Mine too: there, with a leftover of a swap that had finished.
    write("Kept.rtfd", "kept", 0);
    write(".Kept.rtfd.old.000004", "stale", 5);
    // Someone else's, in a shared folder: perhaps a write under way there.
    write(".Theirs.rtfd.tmp.000005", "theirs", 0);
    write(".Theirs.rtfd.old.000006", "theirs", 0);

    auto mine = [](const std::string& name) { return name != "Theirs.rtfd"; };
    ASSERT_TRUE(files::recoverInterruptedReplacements(folder, mine));
    EXPECT_EQ(contents(folder / "Mine.rtfd" / "TXT.rtf"), "newer");
    EXPECT_EQ(contents(folder / "Kept.rtfd" / "TXT.rtf"), "kept");
    EXPECT_EQ(files::list(folder),
        (std::vector<std::string> { ".Theirs.rtfd.old.000006", ".Theirs.rtfd.tmp.000005", "Kept.rtfd", "Mine.rtfd" }));

    write(".Single.rtfd.old.000007", "single", 0);
    ASSERT_TRUE(files::recoverInterruptedReplacement(folder / "Single.rtfd"));
    EXPECT_EQ(contents(folder / "Single.rtfd" / "TXT.rtf"), "single");
    EXPECT_TRUE(files::recoverInterruptedReplacements(home.path() / "missing", mine)) << "no folder, nothing to do";
}
