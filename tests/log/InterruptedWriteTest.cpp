#include "log/LogFormat.h"
#include "tests/log/LogTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

class InterruptedWriteTest : public LogTest {
protected:
    static bool append(const std::string& uuid)
    {
        auto descriptor = Logger::sharedLogger().systemLogBackingStoreDesc();
        return BackingStoreManager::sharedManager().append(text::AttributedString::fromUtf8(entryLines(uuid, {})), *descriptor);
    }

    // An append in another process on a file system that cannot swap (FUSE, network), killed
    // between its two renames: the old day file set aside, the new one not yet in its place.
    static int appendKilledBetweenTheRenames(const std::string& uuid)
    {
        return runInChild([&] {
            if (!refuseRenameFlags(RENAME_EXCHANGE))
                return 2;
            base::files::setStepHook([](std::string_view step) {
                if (step == "set aside")
                    ::raise(SIGKILL);
            });
            append(uuid);
            return 3;
        });
    }

    fs::path today() const { return Logger::sharedLogger().systemLogBackingStoreDesc()->getPathToCurrentFile(); }

    std::string day() const
    {
        auto document = text::Rtfd::readFile(today());
        return document ? document->text.utf8() : "<missing>";
    }
};

TEST_F(InterruptedWriteTest, KilledSwapLosesNothing)
{
    ASSERT_TRUE(append("A"));
    ASSERT_TRUE(append("B"));
    int status = appendKilledBetweenTheRenames("C");
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "the exchange cannot be refused here (no seccomp filter)";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "killed between the renames, status " << status;
    ASSERT_FALSE(fs::exists(today())) << "the day file is set aside";

    // The next start puts it back and clears what the killed write left.
    Logger::sharedLogger().updateLogFileDescriptors();
    EXPECT_EQ(day(), entryLines("A", {}) + entryLines("B", {}));
    EXPECT_EQ(base::files::list(logFolder()), std::vector<std::string> { today().filename().string() });

    // Killed again and no restart: the next append puts it back first.
    status = appendKilledBetweenTheRenames("D");
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(append("E"));
    EXPECT_EQ(day(), entryLines("A", {}) + entryLines("B", {}) + entryLines("E", {}));
    EXPECT_EQ(base::files::list(logFolder()), std::vector<std::string> { today().filename().string() });
}

TEST_F(InterruptedWriteTest, OtherComputersLeftoversAreLeftAlone)
{
    // In a shared folder, another computer's hidden files may be a write still under way.
    fs::path theirs = logFolder() / ".System Log Day 2026-01-05 (a1b2c3).rtfd.tmp.0a1b2c";
    fs::path theirsAside = logFolder() / ".System Log Day 2026-01-05 (a1b2c3).rtfd.old.0a1b2d";
    fs::path mine = logFolder() / ".System Log Day 2026-01-05 (default).rtfd.tmp.0a1b2e";
    for (const auto& leftover : { theirs, theirsAside, mine })
        writePackage(leftover, "half");
    Logger::sharedLogger().updateLogFileDescriptors();
    EXPECT_TRUE(fs::exists(theirs));
    EXPECT_TRUE(fs::exists(theirsAside)) << "not ours to restore either";
    EXPECT_FALSE(fs::exists(mine));
}

TEST_F(InterruptedWriteTest, AMissingPadPageComesBackRatherThanItsTemplate)
{
    auto pads = BackingStoreDescriptor::create();
    pads->setRoot("Roz Ezed");
    pads->setFolderPath((home.path() / "Pads" / "Now Pad").string());
    // Any template will do: the page must not come from it.
    pads->setTemplateName(std::string(LogFormat::kEntryTemplate));
    pads->setNamingStrategy(std::make_unique<SequenceNumberNamingStrategy>());
    pads->finishInitialization();
    fs::path page = *pads->index().selectedID();
    writePackage(page.parent_path() / ("." + page.filename().string() + ".old.123abc"), "my notes");
    EXPECT_EQ(pads->getPathToSelectedFile(), page.string());
    EXPECT_EQ(text::Rtfd::readFile(page)->text.utf8(), "my notes");
}

}
}
