#include "platform/base/Defaults.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/base/Json.h"
#include "platform/base/RunLoop.h"
#include "tests/base/RunLoopFixture.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/WithoutPermissionOverride.h"
#include "tests/support/TemporaryHome.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>

using base::Defaults;
using ostrel::test::WithoutPermissionOverride;
using base::Value;

TEST(Defaults, StoredValuesWinOverLatestRegistration)
{
    ostrel::test::TemporaryHome home;
    auto defaults = Defaults::create(home.configHome() / "Ostrel/defaults.json");
    defaults->registerDefaults({ { "durationInSeconds", 1500 }, { "soundOn", true } });
    defaults->registerDefaults({ { "durationInSeconds", 1800 } });
    EXPECT_EQ(defaults->integer("durationInSeconds"), 1800);
    EXPECT_TRUE(defaults->boolean("soundOn"));
    EXPECT_FALSE(defaults->hasStoredValue("durationInSeconds"));

    defaults->set("durationInSeconds", 600);
    defaults->registerDefaults({ { "durationInSeconds", 2400 } });
    EXPECT_EQ(defaults->integer("durationInSeconds"), 600);
    defaults->remove("durationInSeconds");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 2400);

    EXPECT_FALSE(defaults->object("neverRegistered"));
    EXPECT_EQ(defaults->integer("neverRegistered"), 0);
    defaults->set("asText", "42");
    EXPECT_EQ(defaults->integer("asText"), 42);
    EXPECT_EQ(defaults->string("durationInSeconds"), "2400");
}

TEST(Defaults, ValuesPersistAndSurviveReopening)
{
    ostrel::test::TemporaryHome home;
    auto file = home.configHome() / "Ostrel/defaults.json";
    {
        auto defaults = Defaults::create(file);
        defaults->set("objective", "Write ☕");
        defaults->set("font", Value::Data { 1, 2, 3 });
    }
    auto reopened = Defaults::create(file);
    EXPECT_EQ(reopened->string("objective"), "Write ☕");
    EXPECT_EQ(reopened->data("font"), (Value::Data { 1, 2, 3 }));
}

TEST(Defaults, ObserversHearEveryWriteInOrderAndCanBeRemoved)
{
    auto defaults = Defaults::create({});
    defaults->registerDefaults({ { "volume", 0.5 } });
    std::vector<std::string> heard;
    auto first = defaults->addObserver("volume", [&](const std::string& key) { heard.push_back("first " + key); });
    defaults->addObserver("volume", [&](const std::string&) { heard.push_back("second"); });
    defaults->addObserver("other", [&](const std::string&) { heard.push_back("other"); });
    defaults->set("volume", 0.7);
    defaults->set("volume", 0.7);
    defaults->removeObserver(first);
    defaults->remove("volume");
    EXPECT_EQ(heard, (std::vector<std::string> { "first volume", "second", "first volume", "second", "second" }));

    // An observer that removes itself while being told does not disturb the others.
    heard.clear();
    Defaults::ObserverId self = 0;
    self = defaults->addObserver("other", [&](const std::string&) {
        heard.push_back("once");
        defaults->removeObserver(self);
    });
    defaults->set("other", 1);
    defaults->set("other", 2);
    EXPECT_EQ(heard, (std::vector<std::string> { "other", "once", "other" }));
}

TEST(Defaults, PicksUpChangesMadeByAnotherProgram)
{
    ostrel::test::TemporaryHome home;
    auto file = home.configHome() / "Ostrel/defaults.json";
    auto defaults = Defaults::create(file);
    defaults->set("objective", "mine");
    std::vector<std::string> heard;
    defaults->addObserver("objective", [&](const std::string& key) { heard.push_back(key); });
    defaults->addObserver("dropboxSync", [&](const std::string& key) { heard.push_back(key); });

    ASSERT_TRUE(base::files::writeAtomically(file, R"({"objective": "theirs", "dropboxSync": true})"));
    defaults->reloadIfChangedOnDisk();
    EXPECT_EQ(defaults->string("objective"), "theirs");
    EXPECT_TRUE(defaults->boolean("dropboxSync"));
    EXPECT_EQ(heard, (std::vector<std::string> { "dropboxSync", "objective" }));
    heard.clear();
    defaults->reloadIfChangedOnDisk();
    EXPECT_TRUE(heard.empty());
}

TEST(Defaults, DamagedFileIsKeptAsideAndDefaultsServe)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.configHome() / "Ostrel";
    ASSERT_TRUE(base::files::createDirectories(folder));
    ASSERT_TRUE(base::files::writeAtomically(folder / "defaults.json", "{\"objective\": \"half wri"));
    std::vector<std::string> log;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { log.emplace_back(line); });
    auto defaults = Defaults::create(folder / "defaults.json");
    base::setDiagnosticSink(previous);
    defaults->registerDefaults({ { "objective", "" } });
    EXPECT_EQ(defaults->string("objective"), "");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("damaged"), std::string::npos);

    auto names = base::files::list(folder).value();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_NE(names[0].find("damaged"), std::string::npos);
    EXPECT_EQ(base::files::readBytes(folder / names[0], 1 << 20), "{\"objective\": \"half wri");

    defaults->set("objective", "fresh");
    EXPECT_EQ(base::files::list(folder).value().size(), 2u);
}

TEST(Defaults, AWriteKilledMidwayLeavesNoTemporaryAfterTheNextStart)
{
    ostrel::test::TemporaryHome home;
    auto folder = home.configHome() / "Ostrel";
    auto file = folder / "defaults.json";
    Defaults::create(file)->set("objective", "kept");
    ASSERT_TRUE(base::files::writeAtomically(folder / ".other.json.tmp.0a1b2c", "not ours"));
    auto temporaries = [&] {
        std::vector<std::string> found;
        for (const auto& name : base::files::list(folder).value_or(std::vector<std::string> {}))
            if (name.starts_with(".defaults.json.tmp."))
                found.push_back(name);
        return found;
    };

    // Each run starts, then dies with its new contents written but not yet in place.
    for (int run = 0; run < 2; ++run) {
        int status = ostrel::test::runInChild([&] {
            base::files::setStepHook([](std::string_view step) {
                if (step == "written aside")
                    ::raise(SIGKILL);
            });
            Defaults::create(file)->set("objective", "lost");
            return 3;
        });
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "killed mid-write, status " << status;
        EXPECT_EQ(temporaries().size(), 1u) << "the killed run's own; the one before went at its start";
    }

    auto restarted = Defaults::create(file);
    EXPECT_EQ(restarted->string("objective"), "kept");
    EXPECT_EQ(temporaries(), std::vector<std::string> {});
    EXPECT_TRUE(base::files::exists(folder / ".other.json.tmp.0a1b2c")) << "another file's temporary is not ours";
}

TEST(Defaults, AnEditMadeJustAfterOurWriteIsReadNotTakenForOurs)
{
    ostrel::test::TemporaryHome home;
    auto file = home.configHome() / "Ostrel/defaults.json";
    auto defaults = Defaults::create(file);
    // An editor saves in place while our write is still syncing its folder.
    auto previous = base::files::setStepHook([&](std::string_view step) {
        if (step == "in place")
            std::ofstream(file, std::ios::binary | std::ios::trunc) << "{\"objective\": \"theirs\"}\n";
    });
    defaults->set("objective", "ours");
    EXPECT_TRUE(defaults->synchronize());
    base::files::setStepHook(previous);
    EXPECT_TRUE(defaults->synchronize());
    EXPECT_EQ(defaults->string("objective"), "theirs");
    EXPECT_EQ(base::files::readBytes(file, 1 << 20), "{\"objective\": \"theirs\"}\n") << "their edit was written over";
}

TEST(Defaults, ASettingsFileThatIsNoFileNeitherHangsNorSwampsTheStart)
{
    for (const char* kind : { "fifo", "link to /dev/zero" }) {
        ostrel::test::TemporaryHome home;
        auto folder = home.configHome() / "Ostrel";
        ASSERT_TRUE(base::files::createDirectories(folder));
        auto file = folder / "defaults.json";
        if (std::string(kind) == "fifo")
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            std::filesystem::create_symlink("/dev/zero", file);
        std::vector<std::string> log;
        auto previous = base::setDiagnosticSink([&](std::string_view line) { log.emplace_back(line); });
        auto defaults = Defaults::create(file);
        base::setDiagnosticSink(previous);
        defaults->registerDefaults({ { "objective", "none" } });
        EXPECT_EQ(defaults->string("objective"), "none") << kind;
        ASSERT_EQ(log.size(), 1u) << kind;
        EXPECT_NE(log[0].find("could not be read"), std::string::npos) << log[0];
        EXPECT_NE(log[0].find("not a file"), std::string::npos) << log[0];
        // Kept aside as it was, and the settings are written anew in its place.
        EXPECT_EQ(base::files::list(folder).value().size(), 1u) << kind;
        defaults->set("objective", "fresh");
        EXPECT_TRUE(defaults->synchronize());
        EXPECT_EQ(base::files::list(folder).value().size(), 2u) << kind;
    }
}

TEST(Defaults, ScheduledWritesAreCoalesced)
{
    ostrel::test::TemporaryHome home;
    auto file = home.configHome() / "Ostrel/defaults.json";
    auto defaults = Defaults::create(file);
    std::vector<std::function<void()>> scheduled;
    defaults->setWriteScheduler([&](std::function<void()> write) { scheduled.push_back(std::move(write)); });
    for (int i = 0; i < 50; ++i)
        defaults->set("sliderValue", i);
    EXPECT_EQ(scheduled.size(), 1u);
    EXPECT_FALSE(base::files::exists(file));
    scheduled[0]();
    auto stored = base::parseJson(base::files::readBytes(file, 1 << 20).value());
    EXPECT_EQ(*stored->find("sliderValue"), Value(49));
}

TEST(Defaults, WatchedFileIsReloadedFromTheRunLoop)
{
    ostrel::test::TemporaryHome home;
    auto file = home.configHome() / "Ostrel/defaults.json";
    auto defaults = Defaults::create(file);
    defaults->watchForOutsideChanges();
    defaults->set("ours", 1);
    bool heard = false;
    defaults->addObserver("theirs", [&](const std::string&) { heard = true; });
    ASSERT_TRUE(base::files::writeAtomically(file, R"({"ours": 1, "theirs": "changed"})"));
    base::RunLoop::main().runUntil([&] { return heard; });
    EXPECT_EQ(defaults->string("theirs"), "changed");
    defaults.reset();
    base::RunLoop::main().discardAll();
}

namespace {
// A settings file as a user or another program leaves it, opened as the program opens it.
std::shared_ptr<Defaults> openedWith(const std::filesystem::path& file, const std::string& text)
{
    EXPECT_TRUE(base::files::createDirectories(file.parent_path()));
    EXPECT_TRUE(base::files::writeAtomically(file, text));
    auto defaults = Defaults::create(file);
    defaults->registerDefaults({ { "durationInSeconds", 900 }, { "tags", "" }, { "soundOn", true }, { "dimmingAlpha", 0.6 },
        { "excluded", Value::Array {} } });
    defaults->registerRanges({ { "durationInSeconds", { 1, 86400 } }, { "dimmingAlpha", { 0, 1 } } });
    return defaults;
}
}

TEST(Defaults, AValueOfTheWrongKindOrOutOfItsRangeReadsAsTheRegisteredDefaultLoggedOnce)
{
    ostrel::test::TemporaryHome home;
    auto file = home.configHome() / "Ostrel/defaults.json";
    // A slice of "twelve", −600, 0, null or [1] seconds ran for a second; 90.7 was logged as a minute.
    for (const char* stored : { "\"twelve\"", "-600", "0", "null", "[1]", "90.7", "true", "1e300", "{}" }) {
        std::vector<std::string> log;
        auto previous = base::setDiagnosticSink([&](std::string_view line) { log.emplace_back(line); });
        auto defaults = openedWith(file, std::string("{\"durationInSeconds\": ") + stored + "}");
        EXPECT_EQ(defaults->integer("durationInSeconds"), 900) << stored;
        EXPECT_EQ(defaults->object("durationInSeconds"), Value(900)) << stored;
        EXPECT_EQ(defaults->real("durationInSeconds"), 900.0) << stored;
        base::setDiagnosticSink(previous);
        EXPECT_EQ(log.size(), 1u) << stored << ": one logged line, however often it is read";
        EXPECT_TRUE(defaults->hasStoredValue("durationInSeconds") || std::string(stored) == "null")
            << "the user's value stays in the file";
    }
    auto defaults = openedWith(file, R"({"durationInSeconds": 90.0, "tags": 5, "soundOn": 0, "dimmingAlpha": 1.5,
        "excluded": "none", "unregistered": "42"})");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 90) << "a whole number written with a point is a whole number";
    EXPECT_EQ(defaults->string("tags"), "");
    EXPECT_FALSE(defaults->boolean("soundOn")) << "0 and 1 are Booleans as settings are written";
    EXPECT_EQ(defaults->real("dimmingAlpha"), 0.6);
    EXPECT_EQ(defaults->array("excluded"), Value::Array {});
    EXPECT_EQ(defaults->integer("unregistered"), 42) << "a key nobody registered reads as it is";
    defaults->set("durationInSeconds", 1500);
    EXPECT_EQ(defaults->integer("durationInSeconds"), 1500);
}

namespace {
class DefaultsWhileRunning : public RunLoopTest {
protected:
    void TearDown() override
    {
        defaults.reset();
        RunLoopTest::TearDown();
    }
    void settle() { loop().runUntil(base::Time::now() + Defaults::kSettleSeconds + 0.5); }
    std::vector<std::string> damagedCopies()
    {
        std::vector<std::string> names;
        for (const auto& name : base::files::list(file.parent_path()).value_or(std::vector<std::string> {}))
            if (name.find("damaged") != std::string::npos)
                names.push_back(name);
        return names;
    }

    ostrel::test::TemporaryHome home;
    std::filesystem::path file { home.configHome() / "Ostrel/defaults.json" };
    std::shared_ptr<Defaults> defaults;
    std::vector<Defaults::RunningProblem> told;
};
}

TEST_F(DefaultsWhileRunning, AFileLeftDamagedByAnotherProgramIsKeptAsideOnceStillAndTheSettingsWrittenBackWhole)
{
    defaults = openedWith(file, R"({"durationInSeconds": 1500, "tags": "work", "objective": "mine"})");
    defaults->setProblemHandler([&](const Defaults::RunningProblem& problem) { told.push_back(problem); });

    // A slow writer: the file is made empty, then written a moment later. Nothing is lost
    // or set aside in between, and our own writes wait for it.
    ASSERT_TRUE(base::files::writeAtomically(file, ""));
    defaults->reloadIfChangedOnDisk();
    defaults->set("tags", "work, home");
    EXPECT_EQ(base::files::readBytes(file, 1 << 20), "") << "written over a file still being written";
    ASSERT_TRUE(base::files::writeAtomically(file, R"({"durationInSeconds": 1200, "tags": "work", "objective": "theirs"})"));
    defaults->reloadIfChangedOnDisk();
    settle();
    EXPECT_EQ(defaults->string("objective"), "theirs");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 1200);
    EXPECT_EQ(defaults->string("tags"), "work, home") << "our change made meanwhile is newer";
    EXPECT_TRUE(damagedCopies().empty());
    EXPECT_TRUE(told.empty());

    // An outside edit that leaves a trailing comma, and stays so.
    const std::string damaged = R"({"durationInSeconds": 600, "objective": "edited",})";
    ASSERT_TRUE(base::files::writeAtomically(file, damaged));
    defaults->reloadIfChangedOnDisk();
    EXPECT_EQ(defaults->string("objective"), "theirs") << "dropped at the first look";
    settle();
    EXPECT_EQ(defaults->string("objective"), "theirs");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 1200);
    auto copies = damagedCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(base::files::readBytes(file.parent_path() / copies[0], 1 << 20), damaged);
    auto written = base::parseJson(base::files::readBytes(file, 1 << 20).value_or(""));
    ASSERT_TRUE(written && written->asDictionary()) << "the settings in use were not written back";
    EXPECT_EQ(*written->find("objective"), Value("theirs"));
    EXPECT_EQ(*written->find("tags"), Value("work, home"));
    EXPECT_EQ(*written->find("durationInSeconds"), Value(1200));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].kind, Defaults::RunningProblem::Kind::damagedByAnotherProgram);
    EXPECT_EQ(told[0].keptAs, file.parent_path() / copies[0]);
}

TEST_F(DefaultsWhileRunning, SettingsThatCannotBeSavedStayInMemoryAndAreToldOnce)
{
    defaults = openedWith(file, R"({"tags": "work"})");
    WithoutPermissionOverride heldToTheBits;
    ASSERT_TRUE(heldToTheBits.holds()) << "the permission bits could not be made to hold";
    std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::vector<std::string> log;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { log.emplace_back(line); });
    for (int i = 0; i < 12; ++i)
        defaults->set("tags", "work, home " + std::to_string(i));
    defaults->set("tags", "work, home");
    defaults->set("durationInSeconds", 1200);
    base::setDiagnosticSink(previous);
    // Said once, then counted at the tenth time, not once a save.
    auto saying = [&](const std::string& words) { return std::count_if(log.begin(), log.end(), [&](const std::string& line) { return line.find(words) != std::string::npos; }); };
    EXPECT_EQ(saying("Settings could not be saved"), 2);
    EXPECT_EQ(saying("(10 times so far)"), 1);
    // Told to whoever listens, once it listens.
    defaults->setProblemHandler([&](const Defaults::RunningProblem& problem) { told.push_back(problem); });
    defaults->set("objective", "later");
    std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(defaults->string("tags"), "work, home");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 1200);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].kind, Defaults::RunningProblem::Kind::cannotSave);
    EXPECT_NE(told[0].reason.find("Permission denied"), std::string::npos) << told[0].reason;
}
