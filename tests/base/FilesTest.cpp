#include "platform/base/Files.h"

#include "tests/support/TemporaryHome.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace files = base::files;

namespace {
std::string contents(const std::filesystem::path& path)
{
    return files::readBytes(path).value_or("<missing>");
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

TEST(Files, ListMoveCopyRemove)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.path() / "a/b/c";
    ASSERT_TRUE(files::createDirectories(folder));
    ASSERT_TRUE(files::writeAtomically(folder / "z.txt", "z"));
    ASSERT_TRUE(files::writeAtomically(folder / ".hidden", "h"));
    EXPECT_EQ(files::list(folder), (std::vector<std::string> { ".hidden", "z.txt" }));
    EXPECT_FALSE(files::list(home.path() / "missing"));

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
