#include "platform/desktop/FolderWatch.h"

#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"
#include "platform/base/VirtualTime.h"
#include "tests/desktop/DesktopTesting.h"
#include "tests/support/TemporaryHome.h"

#include <fstream>
#include <gtest/gtest.h>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

using desktop::FolderEvent;
using desktop::FolderWatch;
namespace Flag = desktop::FolderEventFlag;
namespace fs = std::filesystem;

namespace {
// The kernel queues a change before the system call that made it returns, so one pass of
// the loop after a change sees it: no waiting, on a virtual clock.
class FolderWatchTest : public testing::Test {
protected:
    void SetUp() override
    {
        logs = home.path() / "System Logs";
        fs::create_directories(logs);
        watch = FolderWatch::create();
    }
    void TearDown() override
    {
        watch.reset();
        base::RunLoop::main().discardAll();
    }

    // Returns once every folder below is watched, as the cases' changes expect.
    bool startOn(const fs::path& folder)
    {
        bool started = watch->start(folder, [this](const std::vector<FolderEvent>& batch) {
            batches.push_back(batch);
            events.insert(events.end(), batch.begin(), batch.end());
        });
        watch->waitUntilArmed();
        return started;
    }

    // The events that arrive on the next pass of the loop.
    std::vector<FolderEvent> next()
    {
        events.clear();
        base::RunLoop::main().runOnce();
        return events;
    }

    static void write(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

    static std::uint32_t flagsOf(const std::vector<FolderEvent>& found, const fs::path& path)
    {
        std::uint32_t flags = 0;
        for (const auto& event : found) {
            if (event.path == path.string())
                flags |= event.flags;
        }
        return flags;
    }

    base::VirtualTime clock;
    ostrel::test::TemporaryHome home;
    fs::path logs;
    std::unique_ptr<FolderWatch> watch;
    std::vector<std::vector<FolderEvent>> batches;
    std::vector<FolderEvent> events;
};
}

TEST_F(FolderWatchTest, FileChangesCarryTheStreamFlagsAndFullPaths)
{
    ASSERT_TRUE(startOn(logs));
    fs::path file = logs / "System Log Day 2026-01-05 (default).txt";

    write(file, "#TimeSlice");
    auto created = next();
    EXPECT_EQ(flagsOf(created, file), Flag::ItemCreated | Flag::ItemModified | Flag::ItemIsFile);
    EXPECT_EQ(batches.size(), 1u) << "one pass, one batch";

    std::ofstream(file, std::ios::app) << "a" << std::flush << "b" << std::flush << "c";
    auto modified = next();
    ASSERT_EQ(modified.size(), 1u) << "a burst of writes is one event";
    EXPECT_EQ(modified[0].flags, Flag::ItemModified | Flag::ItemIsFile);
    EXPECT_GT(modified[0].id, created.back().id);

    chmod(file.c_str(), 0600);
    EXPECT_EQ(flagsOf(next(), file), Flag::ItemInodeMetaMod | Flag::ItemIsFile) << "metadata alone";

    fs::path renamed = logs / "renamed.txt";
    fs::rename(file, renamed);
    auto moved = next();
    EXPECT_EQ(flagsOf(moved, file), Flag::ItemRenamed | Flag::ItemIsFile);
    EXPECT_EQ(flagsOf(moved, renamed), Flag::ItemRenamed | Flag::ItemIsFile);

    fs::remove(renamed);
    EXPECT_EQ(flagsOf(next(), renamed), Flag::ItemRemoved | Flag::ItemIsFile);

    fs::create_symlink("/nowhere", logs / "link");
    EXPECT_EQ(flagsOf(next(), logs / "link"), Flag::ItemCreated | Flag::ItemIsSymlink);
}

TEST_F(FolderWatchTest, PackagesAreWatchedAsTheyComeAndGo)
{
    fs::path existing = logs / "System Log Day 2026-01-04 (default).rtfd";
    fs::create_directories(existing);
    ASSERT_TRUE(startOn(logs));

    write(existing / "TXT.rtf", "{\\rtf1}");
    EXPECT_EQ(flagsOf(next(), existing / "TXT.rtf"), Flag::ItemCreated | Flag::ItemModified | Flag::ItemIsFile);

    fs::path package = logs / "System Log Day 2026-01-05 (default).rtfd";
    fs::create_directories(package);
    EXPECT_EQ(flagsOf(next(), package), Flag::ItemCreated | Flag::ItemIsDir);
    write(package / "TXT.rtf", "{\\rtf1}");
    EXPECT_EQ(flagsOf(next(), package / "TXT.rtf"), Flag::ItemCreated | Flag::ItemModified | Flag::ItemIsFile);

    // Moved out of the folder: what happens to it there is none of our business.
    fs::path outside = home.path() / "elsewhere.rtfd";
    fs::rename(package, outside);
    EXPECT_EQ(flagsOf(next(), package), Flag::ItemRenamed | Flag::ItemIsDir);
    write(outside / "TXT.rtf", "{\\rtf1 changed}");
    EXPECT_TRUE(next().empty());

    // Moved in, with a folder inside it: both are watched at once.
    fs::create_directories(outside / "attachments");
    fs::rename(outside, package);
    EXPECT_EQ(flagsOf(next(), package), Flag::ItemRenamed | Flag::ItemIsDir);
    write(package / "attachments" / "image.png", "png");
    EXPECT_NE(flagsOf(next(), package / "attachments" / "image.png") & Flag::ItemCreated, 0u);

    fs::remove_all(package);
    auto removed = next();
    EXPECT_EQ(flagsOf(removed, package), Flag::ItemRemoved | Flag::ItemIsDir);
    EXPECT_EQ(flagsOf(removed, package / "TXT.rtf"), Flag::ItemRemoved | Flag::ItemIsFile);
}

// The folders below are armed on a thread of their own. One that changed after start() but
// before its own watch was set (its time says so: here, set ahead) is reported as changed
// once all are armed; one untouched since before is not.
TEST_F(FolderWatchTest, AFolderChangedWhileTheWatchesWereSetIsReported)
{
    fs::path untouched = logs / "System Log Day 2026-01-04 (default).rtfd";
    fs::path changed = logs / "System Log Day 2026-01-05 (default).rtfd";
    fs::create_directories(untouched);
    fs::create_directories(changed);
    timespec old[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
    timespec ahead[2] = { { std::time(nullptr) + 3600, 0 }, { std::time(nullptr) + 3600, 0 } };
    ASSERT_EQ(utimensat(AT_FDCWD, untouched.c_str(), old, 0), 0);
    ASSERT_EQ(utimensat(AT_FDCWD, changed.c_str(), ahead, 0), 0);

    ASSERT_TRUE(startOn(logs));
    auto found = next();
    EXPECT_EQ(flagsOf(found, changed), Flag::ItemModified | Flag::ItemIsDir);
    EXPECT_EQ(flagsOf(found, untouched), 0u);
    EXPECT_TRUE(next().empty()) << "reported once";

    write(untouched / "TXT.rtf", "{\\rtf1}");
    EXPECT_NE(flagsOf(next(), untouched / "TXT.rtf") & Flag::ItemCreated, 0u) << "armed from the thread";
}

// Stopped while thousands of folders are still being armed: it stops, and nothing of the
// arming reaches anyone afterwards.
TEST_F(FolderWatchTest, StopsWhileTheFoldersBelowAreStillBeingArmed)
{
    for (int i = 0; i < 2000; ++i)
        fs::create_directories(logs / ("day " + std::to_string(i) + ".rtfd"));
    ASSERT_TRUE(watch->start(logs, [this](const std::vector<FolderEvent>& batch) {
        events.insert(events.end(), batch.begin(), batch.end());
    }));
    watch->stop();
    EXPECT_FALSE(watch->isStarted());
    write(logs / "day 7.rtfd" / "TXT.rtf", "x");
    EXPECT_TRUE(next().empty());
    ASSERT_TRUE(startOn(logs));
    write(logs / "day 1999.rtfd" / "TXT.rtf", "x");
    EXPECT_NE(flagsOf(next(), logs / "day 1999.rtfd" / "TXT.rtf"), 0u);
}

TEST_F(FolderWatchTest, StopsAndStartsAgainOnAnotherFolder)
{
    ASSERT_TRUE(startOn(logs));
    {
        desktop::test::LogLines log;
        EXPECT_FALSE(startOn(home.path())) << "one folder at a time";
        EXPECT_TRUE(log.contains("already watching"));
    }
    watch->stop();
    EXPECT_FALSE(watch->isStarted());
    write(logs / "a.txt", "x");
    EXPECT_TRUE(next().empty());

    fs::path dropbox = home.path() / "Dropbox" / "Ostrel" / "System Logs";
    fs::create_directories(dropbox);
    ASSERT_TRUE(startOn(dropbox.string() + "/"));
    write(logs / "b.txt", "x");
    write(dropbox / "c.txt", "x");
    auto found = next();
    EXPECT_EQ(flagsOf(found, logs / "b.txt"), 0u);
    EXPECT_NE(flagsOf(found, dropbox / "c.txt"), 0u) << "paths are normalised, without the trailing slash";
}

TEST_F(FolderWatchTest, AMissingFolderIsRefusedAndLogged)
{
    desktop::test::LogLines log;
    EXPECT_FALSE(startOn(home.path() / "nothing"));
    write(home.path() / "file", "x");
    EXPECT_FALSE(startOn(home.path() / "file"));
    EXPECT_FALSE(watch->isStarted());
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST_F(FolderWatchTest, TheFolderRemovedAndMadeAgainIsWatchedAgain)
{
    ASSERT_TRUE(startOn(logs));
    fs::remove_all(logs);
    EXPECT_EQ(flagsOf(next(), logs), Flag::RootChanged | Flag::ItemRemoved | Flag::ItemIsDir);

    fs::create_directories(logs);
    EXPECT_EQ(flagsOf(next(), logs), Flag::RootChanged | Flag::ItemCreated | Flag::ItemIsDir);
    write(logs / "again.txt", "x");
    EXPECT_NE(flagsOf(next(), logs / "again.txt") & Flag::ItemCreated, 0u);
}

TEST_F(FolderWatchTest, ChangesDuringAModalRunWaitForTheDefaultMode)
{
    ASSERT_TRUE(startOn(logs));
    write(logs / "during-alert.txt", "x");
    auto& loop = base::RunLoop::main();
    auto endAlert = base::Timer::create(1.0, false, base::RunLoop::Mode::Common, [&](base::Timer&) { loop.stopModal(); });
    loop.runModal();
    EXPECT_TRUE(events.empty());
    EXPECT_NE(flagsOf(next(), logs / "during-alert.txt"), 0u);
}

TEST_F(FolderWatchTest, TheCallbackMayStopTheWatch)
{
    watch->start(logs, [this](const std::vector<FolderEvent>& batch) {
        events.insert(events.end(), batch.begin(), batch.end());
        watch->stop();
    });
    write(logs / "a.txt", "x");
    base::RunLoop::main().runOnce();
    EXPECT_FALSE(events.empty());
    EXPECT_FALSE(watch->isStarted());
}

TEST(ManualFolderWatchTest, DeliversWhatTheTestHandsItOnlyWhileStarted)
{
    desktop::ManualFolderWatch watch;
    std::vector<FolderEvent> received;
    EXPECT_FALSE(watch.deliver({ { 1, "/a", Flag::ItemCreated } }));
    EXPECT_TRUE(watch.start("/logs", [&](const auto& batch) { received = batch; }));
    EXPECT_FALSE(watch.start("/other", [](const auto&) { }));
    EXPECT_TRUE(watch.deliver({ { 1, "/logs/a", Flag::ItemCreated } }));
    EXPECT_EQ(received, (std::vector<FolderEvent> { { 1, "/logs/a", Flag::ItemCreated } }));
    EXPECT_EQ(watch.folder(), "/logs");
    EXPECT_EQ(watch.startCount(), 1);
}
