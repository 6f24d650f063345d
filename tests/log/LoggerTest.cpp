#include "log/FullDataSet.h"
#include "log/LogFormat.h"
#include "log/Logger.h"
#include "log/UnloggedTimeSlices.h"
#include "platform/base/Time.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Json.h"
#include "platform/base/Paths.h"
#include "platform/base/Uuid.h"
#include "tests/log/LogTestSupport.h"

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

class LoggerTest : public LogTest {
protected:
    Logger& logger() { return Logger::sharedLogger(); }

    void work(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            logger().incrementActualSecondsWorked();
        }
    }

    void setWork(text::AttributedString objective, bool completed = true, std::string tags = "writing,ostrel",
        int focus = 2, int minutes = 25)
    {
        logger().setCurrentWorkSource([=] {
            Logger::CurrentWork current;
            current.objective = objective;
            current.completed = completed;
            current.tags = tags;
            current.focusRating = focus;
            current.durationInMinutes = minutes;
            return current;
        });
    }

    std::vector<std::shared_ptr<FullTimeSlice>> readBack()
    {
        FullDataSet set;
        set.loadFromDisk();
        return set.fullTimeSlices();
    }

    // The loaded log folder taken away, as an unmount leaves it: a bare folder in its place.
    // Given back by the returned closure.
    std::function<void()> takeTheLogFolderAway()
    {
        fs::path away = home.path() / "away";
        fs::rename(logFolder(), away);
        fs::create_directory(logFolder());
        return [this, away] {
            fs::remove(logFolder());
            fs::rename(away, logFolder());
        };
    }

    std::vector<std::string> keptUuids()
    {
        std::vector<std::string> uuids;
        for (const auto& slice : UnloggedTimeSlices::shared().kept())
            uuids.push_back(slice.uuid);
        return uuids;
    }

    void turnTheLoop(double seconds = 0.01) { base::RunLoop::main().runUntil(base::Time::now() + seconds); }
};

TEST_F(LoggerTest, CounterStartsOneSecondBeforeTheFirstTick)
{
    double before = clock.now();
    work(1500);
    EXPECT_EQ(logger().actualSecondsWorked(), 1500);
    EXPECT_EQ(logger().startDate(), before);
    EXPECT_EQ(logger().endDate(), before + 1500);

    int extensionResets = 0;
    logger().setExtensionReset([&] { ++extensionResets; });
    logger().resetActualSecondsWorked();
    EXPECT_EQ(logger().actualSecondsWorked(), 0);
    EXPECT_EQ(extensionResets, 1);
    EXPECT_EQ(logger().startDate(), before);
}

TEST_F(LoggerTest, EntryRoundTripsEveryField)
{
    text::AttributedString objective = text::AttributedString::fromUtf8("Draft ");
    text::Attributes bold;
    bold.font = gfx::Font::named("Helvetica-Bold", 13);
    objective.append(u"the plan", bold);
    text::Attributes link;
    link.link = "https://example.org/ünïcode";
    objective.append(text::AttributedString::fromUtf8("\n\nsee "));
    objective.append(u"the notes", link);
    objective.append(text::AttributedString::fromUtf8(" — 日本語 ✓\n#completed\n#TimeSlice\nthen ‹tags› and ‹focusRating›"));
    setWork(objective, true, "writing,ostrel", 2, 25);
    double start = clock.now();
    work(1490);

    ASSERT_TRUE(logger().logCurrentTimeSlice());
    EXPECT_EQ(logger().actualSecondsWorked(), 0);

    auto records = readBack();
    ASSERT_EQ(records.size(), 1u);
    const auto& record = *records[0];
    EXPECT_TRUE(base::isUuid(record.uuid()));
    EXPECT_EQ(record.objective(),
        "Draft the plan\n\nsee the notes — 日本語 ✓\n #completed\n #TimeSlice\nthen ‹tags› and ‹focusRating›");
    EXPECT_EQ(record.objectiveText().attributesAt(7).font, bold.font);
    EXPECT_EQ(record.extractedLinks(), std::vector<std::string> { link.link });
    EXPECT_TRUE(record.completed());
    EXPECT_EQ(record.duration(), 1500);
    EXPECT_EQ(record.actualDuration(), 1490);
    EXPECT_EQ(record.tagString(), "writing,ostrel");
    EXPECT_EQ(record.startDate(), start);
    EXPECT_EQ(record.focusRating(), "highly focused");
    EXPECT_TRUE(record.isRTFD());
}

TEST_F(LoggerTest, AMarkerWordBesideAPictureStaysInTheObjective)
{
    // The picture is not carried into a new entry; the marker word beside it must not
    // become a marker line when it goes.
    text::AttributedString objective = text::AttributedString::fromUtf8("look:\n");
    text::Attributes picture;
    picture.attachment = text::Attachment::make("shot.png", "PNG");
    objective.append(std::u16string(1, text::attachmentCharacter), picture);
    objective.append(text::AttributedString::fromUtf8("#tags\nend"));
    setWork(objective, false, "kept", 1, 25);
    work(60);
    ASSERT_TRUE(logger().logCurrentTimeSlice());
    auto records = readBack();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->objective(), "look:\n #tags\nend");
    EXPECT_EQ(records[0]->tagString(), "kept");
}

TEST_F(LoggerTest, ATagTypedAsAMarkerWordCannotSplitTheEntry)
{
    setWork(text::AttributedString::fromUtf8("x"), false, "#TimeSlice", 3, 25);
    double start = clock.now();
    work(60);
    ASSERT_TRUE(logger().logCurrentTimeSlice());
    auto records = readBack();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->tagString(), " #TimeSlice");
    EXPECT_EQ(records[0]->startDate(), start);
    EXPECT_EQ(records[0]->focusRating(), "experienced flow");
}

TEST_F(LoggerTest, UnusualValuesAreWrittenPlainly)
{
    setWork(text::AttributedString::fromUtf8("x"), false, "", 4, 25);
    work(3);
    auto entry = logger().prepareTimeSliceSystemLogEntryTextWithUUID("U-1").utf8();
    EXPECT_NE(entry.find("#completed\nNO\n"), std::string::npos);
    EXPECT_NE(entry.find("#tags\n\n"), std::string::npos);
    EXPECT_NE(entry.find("#focusRating\nundefined\n"), std::string::npos);
    EXPECT_NE(entry.find("#duration\n1500\n"), std::string::npos);
    EXPECT_NE(entry.find("#actualDuration\n3\n"), std::string::npos);
    EXPECT_EQ(entry.back(), '\n');
    EXPECT_EQ(entry.find("‹"), std::string::npos);
}

TEST_F(LoggerTest, StartDateIsWrittenWithFixedDigits)
{
    TemporaryHome zone("America/New_York");
    logger().updateLogFileDescriptors();
    clock.set(localDate(2026, 11, 1, 13, 4, 5));
    setWork(text::AttributedString::fromUtf8("x"));
    work(1);
    auto entry = logger().prepareTimeSliceSystemLogEntryTextWithUUID("U-2").utf8();
    EXPECT_NE(entry.find("#startDate\n2026-11-01 13:04:05\n"), std::string::npos) << entry;
    EXPECT_EQ(Logger::dateFromSystemLogString("2026-11-01 13:04:05"), localDate(2026, 11, 1, 13, 4, 5));
    EXPECT_EQ(Logger::dateFromSystemLogString("1:04 PM"), base::Time::distantPast());
}

TEST_F(LoggerTest, NothingIsLoggedWithoutWork)
{
    EXPECT_FALSE(logger().logCurrentTimeSlice());
    EXPECT_FALSE(fs::exists(logger().systemLogBackingStoreDesc()->getPathToCurrentFile()));
}

TEST_F(LoggerTest, SliceLoggedAfterMidnightGoesToTheNextDay)
{
    clock.set(localDate(2026, 5, 9, 23, 40));
    setWork(text::AttributedString::fromUtf8("late work"));
    work(30 * 60);
    ASSERT_TRUE(logger().logCurrentTimeSlice());
    EXPECT_TRUE(fs::exists(logFolder() / "System Log Day 2026-05-10 (default).rtfd"));
    EXPECT_FALSE(fs::exists(logFolder() / "System Log Day 2026-05-09 (default).rtfd"));
    auto records = readBack();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->dayString(), "2026-05-09");
}

TEST_F(LoggerTest, FailedWriteKeepsTheSliceForAnotherTry)
{
    setWork(text::AttributedString::fromUtf8("precious"));
    work(600);
    double start = logger().startDate();
    fs::path today = logger().systemLogBackingStoreDesc()->getPathToCurrentFile();
    writeText(today, "not a package");

    EXPECT_FALSE(logger().logCurrentTimeSlice());
    EXPECT_EQ(logger().actualSecondsWorked(), 600);
    EXPECT_EQ(logger().startDate(), start);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Could not write to log file folder!");

    fs::remove(today);
    EXPECT_TRUE(logger().logCurrentTimeSlice());
    EXPECT_EQ(readBack().size(), 1u);
}

TEST_F(LoggerTest, ASliceTheLogCouldNotTakeIsKeptUntilTheFolderIsBackAndWrittenThenOnce)
{
    setWork(text::AttributedString::fromUtf8("While the disk was gone"));
    work(600);
    auto giveBack = takeTheLogFolderAway();
    EXPECT_FALSE(logger().logCurrentTimeSlice());
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].informativeText.find("Ostrel keeps this time slice"), std::string::npos) << alerts[0].informativeText;
    ASSERT_EQ(keptUuids().size(), 1u);
    std::string uuid = keptUuids()[0];
    EXPECT_TRUE(fs::exists(UnloggedTimeSlices::folder() / (uuid + ".json")));

    // Quit before the folder came back: the slice is on disk only, and the next start's
    // writing finds the folder still gone.
    logger().resetActualSecondsWorked();
    EXPECT_EQ(UnloggedTimeSlices::shared().writeToLog(), 0u);
    EXPECT_EQ(alerts.size(), 1u) << "a retry that fails tells nobody";
    EXPECT_TRUE(fs::is_empty(logFolder())) << "written into the bare folder, to hide under the disk";

    // Back: the next try writes it, says so, and leaves nothing kept.
    giveBack();
    turnTheLoop(UnloggedTimeSlices::kRetryInterval + 1);
    auto records = readBack();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->uuid(), uuid);
    EXPECT_EQ(records[0]->objective(), "While the disk was gone");
    EXPECT_EQ(records[0]->actualDuration(), 600);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[1].message, "A time slice kept aside is in the log now");
    EXPECT_NE(alerts[1].informativeText.find("\u201cWhile the disk was gone\u201d"), std::string::npos)
        << alerts[1].informativeText;
    EXPECT_TRUE(keptUuids().empty());
    EXPECT_FALSE(fs::exists(UnloggedTimeSlices::folder())) << "an empty folder left in the data folder";
    EXPECT_EQ(UnloggedTimeSlices::shared().writeToLog(), 0u);
    EXPECT_EQ(readBack().size(), 1u);
}

TEST_F(LoggerTest, LogPressedAgainWritesTheSliceOnceWithItsLastRating)
{
    setWork(text::AttributedString::fromUtf8("rated twice"), true, "", 0);
    work(300);
    fs::path today = logger().systemLogBackingStoreDesc()->getPathToCurrentFile();
    writeText(today, "not a package");
    EXPECT_FALSE(logger().logCurrentTimeSlice());
    // The background leaves it to the screen that still offers it.
    EXPECT_EQ(UnloggedTimeSlices::shared().writeToLog(), 0u);

    fs::remove(today);
    setWork(text::AttributedString::fromUtf8("rated twice"), true, "", 3);
    EXPECT_TRUE(logger().logCurrentTimeSlice());
    turnTheLoop(UnloggedTimeSlices::kRetryInterval + 1);
    auto records = readBack();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->focusRating(), "experienced flow");
    EXPECT_TRUE(keptUuids().empty());
    EXPECT_EQ(alerts.size(), 1u) << "only the failure was told";
}

TEST_F(LoggerTest, AKeptSliceTheDayFileHoldsAlreadyIsForgottenNotWrittenTwice)
{
    // Stopped between writing the day file and forgetting the kept copy.
    setWork(text::AttributedString::fromUtf8("written just before the kill"));
    work(120);
    std::string uuid = base::makeUuid();
    UnloggedTimeSlices::Slice slice { uuid, base::Time::now(), logger().prepareTimeSliceSystemLogEntryTextWithUUID(uuid) };
    ASSERT_TRUE(UnloggedTimeSlices::shared().keep(slice));
    ASSERT_TRUE(logger().writeToSystemLog(slice.entry));

    UnloggedTimeSlices::shared().writeToLog();
    EXPECT_EQ(readBack().size(), 1u);
    EXPECT_TRUE(keptUuids().empty());
}

TEST_F(LoggerTest, ASliceDroppedAfterAFailedLogLeavesNothingKept)
{
    setWork(text::AttributedString::fromUtf8("not worth it"));
    work(60);
    auto giveBack = takeTheLogFolderAway();
    EXPECT_FALSE(logger().logCurrentTimeSlice());
    EXPECT_EQ(keptUuids().size(), 1u);
    logger().dropCurrentTimeSlice();
    EXPECT_EQ(logger().actualSecondsWorked(), 0);
    EXPECT_TRUE(keptUuids().empty());
    giveBack();
    turnTheLoop(UnloggedTimeSlices::kRetryInterval + 1);
    EXPECT_TRUE(readBack().empty());
}

TEST_F(LoggerTest, AKeptFileThatDoesNotReadStaysAsItIsAndIsToldOnce)
{
    fs::create_directories(UnloggedTimeSlices::folder());
    std::string uuid = base::makeUuid();
    writeText(UnloggedTimeSlices::folder() / (uuid + ".json"), "{\"uuid\": \"" + uuid + "\", \"date\": ");
    // Another slice's file under this one's name.
    writeText(UnloggedTimeSlices::folder() / (base::makeUuid() + ".json"),
        base::toJson(base::Value(base::Value::Dictionary {
            { "uuid", base::Value(uuid) }, { "date", base::Value(0.0) }, { "entry", base::Value("{\\rtf1 x}") } })));
    EXPECT_EQ(UnloggedTimeSlices::shared().writeToLog(), 0u);
    EXPECT_EQ(UnloggedTimeSlices::shared().writeToLog(), 0u);
    EXPECT_TRUE(readBack().empty());
    EXPECT_EQ(base::files::list(UnloggedTimeSlices::folder())->size(), 2u);
    int told = 0;
    for (const auto& line : diagnostics)
        told += line.find("cannot be read and stays where it is") != std::string::npos;
    EXPECT_EQ(told, 2);
}

TEST_F(LoggerTest, FolderFollowsTheDropboxSettings)
{
    auto defaults = base::Defaults::standard();
    defaults->set("dropboxLocation", (home.path() / "Dropbox").string());
    logger().updateLogFileDescriptors();
    EXPECT_EQ(logger().systemLogBackingStoreDesc()->folderPath(), logFolder().string());

    defaults->set("dropboxSync", true);
    logger().updateLogFileDescriptors();
    EXPECT_EQ(logger().systemLogBackingStoreDesc()->folderPath(), (home.path() / "Dropbox" / "Ostrel" / "System Logs").string());
    EXPECT_TRUE(fs::is_directory(home.path() / "Dropbox" / "Ostrel" / "System Logs"));
    EXPECT_EQ(logger().systemLogBackingStoreDesc()->root(), "System Log");
}

TEST_F(LoggerTest, ADropboxFolderThatIsNoFullPathIsRefusedSayingSoAndTheLocalFolderServes)
{
    // Taken from wherever the program was started, "Dropbox/" found the log or not; a number
    // made folders named after it there.
    auto defaults = base::Defaults::standard();
    defaults->set("dropboxSync", true);
    for (base::Value location : { base::Value("Dropbox/"), base::Value(1.8446744073709552e19) }) {
        alerts.clear();
        defaults->set("dropboxLocation", location);
        logger().updateLogFileDescriptors();
        base::RunLoop::main().runUntil(base::Time::now() + 0.01);
        EXPECT_EQ(logger().systemLogBackingStoreDesc()->folderPath(), logFolder().string()) << base::toJson(location);
        ASSERT_EQ(alerts.size(), 1u) << base::toJson(location);
        EXPECT_EQ(alerts[0].message, "The Dropbox folder setting cannot be used.");
        EXPECT_NE(alerts[0].informativeText.find("local log folder"), std::string::npos) << alerts[0].informativeText;
    }
    EXPECT_FALSE(fs::exists(fs::current_path() / "Dropbox" / "Ostrel")) << "a folder was made where the tests run";
    defaults->set("dropboxLocation", "~/Dropbox");
    logger().updateLogFileDescriptors();
    EXPECT_EQ(logger().systemLogBackingStoreDesc()->folderPath(), (home.path() / "Dropbox" / "Ostrel" / "System Logs").string())
        << "the home folder is a full path";
}

TEST_F(LoggerTest, MissingDropboxVolumeIsReportedAndLoggingGoesOn)
{
    writeText(home.path() / "unplugged", "a file where the volume's folder was");
    auto defaults = base::Defaults::standard();
    defaults->set("dropboxSync", true);
    defaults->set("dropboxLocation", (home.path() / "unplugged").string());
    logger().updateLogFileDescriptors();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].message.find("Could not create folder path at: "), std::string::npos);
    EXPECT_TRUE(sawDiagnostic("Could not create folder path at: "));

    setWork(text::AttributedString::fromUtf8("still working"));
    work(60);
    EXPECT_FALSE(logger().logCurrentTimeSlice());
    EXPECT_EQ(logger().actualSecondsWorked(), 60);
}

TEST_F(LoggerTest, DurationsInWords)
{
    EXPECT_EQ(Logger::durationStringForTimeInterval(3601), "1 hour 1 second");
    EXPECT_EQ(Logger::durationStringForTimeInterval(7500), "2 hours 5 minutes");
    EXPECT_EQ(Logger::durationStringForTimeInterval(60), "1 minute");
    EXPECT_EQ(Logger::durationStringForTimeInterval(0), "0 seconds");
    EXPECT_EQ(Logger::durationStringForTimeInterval(3725.9), "1 hour 2 minutes 5 seconds");
    EXPECT_EQ(Logger::durationStringForTimeInterval(-5), "0 seconds");
}

TEST_F(LoggerTest, RevealShowsTheLogFolder)
{
    logger().revealLogFolder();
    ASSERT_EQ(opened.size(), 1u);
}

}
}
