#include "log/BackingStoreDescriptor.h"
#include "log/BackingStoreManager.h"
#include "log/ComputerIdentifier.h"
#include "tests/log/LogTestSupport.h"
#include "tests/support/WithoutPermissionOverride.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

class BackingStoreTest : public LogTest {
protected:
    std::shared_ptr<BackingStoreDescriptor> series(const std::string& root, std::unique_ptr<BackingStoreNamingStrategy> strategy,
        std::optional<std::string> templateName = std::nullopt)
    {
        auto descriptor = BackingStoreDescriptor::create();
        descriptor->setRoot(root);
        descriptor->setFolderPath((home.path() / "series").string());
        descriptor->setTemplateName(templateName);
        descriptor->setNamingStrategy(std::move(strategy));
        descriptor->finishInitialization();
        return descriptor;
    }

    std::vector<std::string> names(const BackingStoreIndex& index)
    {
        std::vector<std::string> result;
        for (const auto& id : index.indexOfIDs())
            result.push_back(fs::path(id).filename().string());
        return result;
    }

    // A made-up /sys/class/net: name → (has device, address file text).
    fs::path interfaces(const std::vector<std::tuple<std::string, bool, std::string>>& entries)
    {
        fs::path root = home.path() / "net";
        for (const auto& [name, device, address] : entries) {
            fs::create_directories(root / name);
            if (device)
                fs::create_directories(root / name / "device");
            writeText(root / name / "address", address);
        }
        return root;
    }
};

TEST_F(BackingStoreTest, IdentifierPrintsEachByteWithoutPadding)
{
    EXPECT_EQ(ComputerIdentifier::fromHardwareAddress({ 0x00, 0x1e, 0xc2, 0x0a, 0x3f, 0x05 }), "01ec2a3f5");
    EXPECT_EQ(ComputerIdentifier::parseHardwareAddress("02:FC:00:00:00:01\n"),
        (ComputerIdentifier::HardwareAddress { 0x02, 0xfc, 0, 0, 0, 1 }));
    EXPECT_FALSE(ComputerIdentifier::parseHardwareAddress("02:fc:00:00:00"));
    EXPECT_FALSE(ComputerIdentifier::parseHardwareAddress("02:fc:00:00:00:0g"));
    EXPECT_FALSE(ComputerIdentifier::parseHardwareAddress("02-fc-00-00-00-01"));
}

TEST_F(BackingStoreTest, IdentifierComesFromFirstInterfaceWithADevice)
{
    auto root = interfaces({
        { "wlan0", true, "00:1e:c2:0a:3f:05\n" },
        { "eth1", true, "aa:bb:cc:dd:ee:ff\n" },
        { "docker0", false, "02:42:ac:11:00:02\n" },
        { "lo", false, "00:00:00:00:00:00\n" },
    });
    EXPECT_EQ(ComputerIdentifier::current(root), "aabbccddeeff");

    // An unreadable address passes the choice on to the next interface.
    writeText(root / "eth1" / "address", "garbage\n");
    EXPECT_EQ(ComputerIdentifier::current(root), "01ec2a3f5");
}

TEST_F(BackingStoreTest, IdentifierOfThisMachineComesFromItsOwnInterfaces)
{
    // The kernel's own files, which report a page as their size: what they hold is read
    // here the plain way, as the program must read it too.
    std::string expected = "default";
    std::vector<fs::path> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/sys/class/net", error))
        names.push_back(entry.path());
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        std::string text;
        if (!fs::exists(name / "device") || !std::getline(std::ifstream(name / "address"), text))
            continue;
        if (auto address = ComputerIdentifier::parseHardwareAddress(text)) {
            expected = ComputerIdentifier::fromHardwareAddress(*address);
            break;
        }
    }
    EXPECT_EQ(ComputerIdentifier::current(), expected);
    if (expected == "default")
        GTEST_SKIP() << "this machine has no network interface with a device";
    BackingStoreManager::sharedManager().setNetworkInterfacesFolder("/sys/class/net");
    EXPECT_EQ(BackingStoreManager::sharedManager().obtainMACAddress(), expected);
}

TEST_F(BackingStoreTest, IdentifierIsDefaultWithoutPhysicalInterface)
{
    EXPECT_EQ(ComputerIdentifier::current(interfaces({ { "lo", false, "00:00:00:00:00:00\n" } })), "default");
    EXPECT_EQ(ComputerIdentifier::current(home.path() / "missing"), "default");
    EXPECT_EQ(BackingStoreManager::sharedManager().obtainMACAddress(), "default");
}

TEST_F(BackingStoreTest, StrategiesNameFilesByDayWeekAndNumber)
{
    auto daily = series("System Log", std::make_unique<DailyNamingStrategy>());
    double date = localDate(2026, 12, 5, 23, 59, 59);
    EXPECT_EQ(fs::path(daily->getPathToFileForDate(date)).filename(), "System Log Day 2026-12-05 (default).rtfd");
    EXPECT_EQ(fs::path(daily->getPathToFileForDate(localDate(987, 1, 2))).filename(), "System Log Day 987-01-02 (default).rtfd");

    BackingStoreManager::sharedManager().setNetworkInterfacesFolder(interfaces({ { "eth0", true, "00:1e:c2:0a:3f:05" } }));
    EXPECT_EQ(fs::path(daily->getPathToFileForDate(date)).filename(), "System Log Day 2026-12-05 (01ec2a3f5).rtfd");

    auto weekly = series("Week Log", std::make_unique<WeeklyNamingStrategy>());
    EXPECT_EQ(fs::path(weekly->getPathToFileForDate(localDate(2026, 12, 3))).filename(),
        "Week Log Week starting 2026-11-30 (01ec2a3f5).rtfd");

    auto pages = series("Roz Ezed", std::make_unique<SequenceNumberNamingStrategy>());
    EXPECT_EQ(pages->namingStrategy().generateIDFor(date, 42), (home.path() / "series" / "Roz Ezed 000042.rtfd").string());
}

TEST_F(BackingStoreTest, EmptyFolderListsTheCurrentNameAndSelectsIt)
{
    auto pages = series("Roz Ezed", std::make_unique<SequenceNumberNamingStrategy>());
    EXPECT_EQ(names(pages->index()), std::vector<std::string> { "Roz Ezed 000000.rtfd" });
    EXPECT_EQ(pages->index().selectedID(), pages->index().lastID());
    EXPECT_TRUE(fs::is_directory(home.path() / "series"));
}

TEST_F(BackingStoreTest, ListsOnlyNamesBeginningWithTheRoot)
{
    fs::path folder = home.path() / "series";
    fs::create_directories(folder);
    for (auto name : { "Roz Ezed 000002.rtfd", "Roz Ezed 000001.rtfd", ".Roz Ezed 000003.rtfd", "Later Pads 000001.rtfd",
             "Old Roz Ezed 000004.rtfd" })
        fs::create_directories(folder / name);
    auto pages = series("Roz Ezed", std::make_unique<SequenceNumberNamingStrategy>());
    EXPECT_EQ(names(pages->index()), (std::vector<std::string> { "Roz Ezed 000001.rtfd", "Roz Ezed 000002.rtfd" }));
}

TEST_F(BackingStoreTest, NeighboursNeverMoveTheSelection)
{
    fs::path folder = home.path() / "series";
    for (auto name : { "Roz Ezed 000001.rtfd", "Roz Ezed 000002.rtfd", "Roz Ezed 000041.rtfd" })
        fs::create_directories(folder / name);
    auto pages = series("Roz Ezed", std::make_unique<SequenceNumberNamingStrategy>());
    auto& index = pages->index();
    EXPECT_FALSE(index.nextID());
    EXPECT_EQ(fs::path(*index.previousID()).filename(), "Roz Ezed 000002.rtfd");
    EXPECT_EQ(fs::path(pages->getPathToNewFile()).filename(), "Roz Ezed 000042.rtfd");
    pages->pointToFirstFile();
    EXPECT_FALSE(index.hasPreviousID());
    EXPECT_TRUE(index.hasNextID());
    EXPECT_EQ(fs::path(*index.selectedID()).filename(), "Roz Ezed 000001.rtfd");

    // A page deleted behind our back leaves a selection that is not listed: no neighbours.
    fs::remove_all(folder / "Roz Ezed 000001.rtfd");
    index.refreshIndexFromDisk();
    EXPECT_FALSE(index.nextID());
    EXPECT_FALSE(index.previousID());
}

TEST_F(BackingStoreTest, SelectionObserversHearBeforeAndAfter)
{
    auto pages = series("Roz Ezed", std::make_unique<SequenceNumberNamingStrategy>());
    std::vector<bool> heard;
    pages->index().addSelectionObserver([&](bool after) { heard.push_back(after); });
    int relisted = 0;
    auto listener = BackingStoreIndex::addIndexChangedListener([&](BackingStoreIndex&) { ++relisted; });
    pages->pointToLastFile();
    BackingStoreManager::sharedManager().newFile(*pages);
    BackingStoreIndex::removeIndexChangedListener(listener);
    EXPECT_EQ(heard, (std::vector<bool> { false, true }));
    EXPECT_EQ(relisted, 1);
}

TEST_F(BackingStoreTest, SelectedPageIsMadeFromItsTemplate)
{
    auto pages = series("Log Entry", std::make_unique<SequenceNumberNamingStrategy>(), "system log time slice entry");
    auto path = pages->getPathToSelectedFile();
    ASSERT_TRUE(path);
    EXPECT_TRUE(fs::is_directory(*path));
    auto content = BackingStoreManager::sharedManager().contentOfSelectedFile(*pages);
    EXPECT_EQ(content.text.utf8().substr(0, 11), "#TimeSlice\n");

    BackingStoreManager::sharedManager().write(text::AttributedString::fromUtf8("changed"), *pages);
    EXPECT_EQ(BackingStoreManager::sharedManager().contentOfSelectedFile(*pages).text.utf8(), "changed");
    BackingStoreManager::sharedManager().removeSheetFromDescriptor(*pages, *path);
    EXPECT_FALSE(fs::exists(*path));
}

TEST_F(BackingStoreTest, ASelectedPathThatCannotBeLookedAtIsNoCrash)
{
    auto pages = series("Log Entry", std::make_unique<SequenceNumberNamingStrategy>(), "system log time slice entry");
    // A name longer than any file system allows: looking it up fails with an error, not
    // with "no such file".
    std::string id = (home.path() / "series" / (std::string(300, 'x') + ".rtfd")).string();
    pages->pointToFileWithID(id);
    EXPECT_EQ(pages->getPathToSelectedFile(), id);
    EXPECT_TRUE(BackingStoreManager::sharedManager().contentOfSelectedFile(*pages).text.empty());
}

TEST_F(BackingStoreTest, AppendKeepsEarlierEntriesInOrder)
{
    auto log = series("System Log", std::make_unique<DailyNamingStrategy>());
    auto& manager = BackingStoreManager::sharedManager();
    ASSERT_TRUE(manager.append(text::AttributedString::fromUtf8("first\n"), *log));
    ASSERT_TRUE(manager.append(text::AttributedString::fromUtf8("second\n"), *log));
    auto document = text::Rtfd::readFile(log->getPathToCurrentFile());
    ASSERT_TRUE(document);
    EXPECT_EQ(document->text.utf8(), "first\nsecond\n");
    EXPECT_TRUE(alerts.empty());
}

TEST_F(BackingStoreTest, AppendsEitherSideOfMidnightGoToTwoDays)
{
    auto log = series("System Log", std::make_unique<DailyNamingStrategy>());
    auto& manager = BackingStoreManager::sharedManager();
    clock.set(localDate(2026, 3, 1, 23, 59, 59));
    manager.append(text::AttributedString::fromUtf8("late\n"), *log);
    clock.advance(2);
    manager.append(text::AttributedString::fromUtf8("early\n"), *log);
    EXPECT_EQ(text::Rtfd::readFile(home.path() / "series" / "System Log Day 2026-03-01 (default).rtfd")->text.utf8(), "late\n");
    EXPECT_EQ(text::Rtfd::readFile(home.path() / "series" / "System Log Day 2026-03-02 (default).rtfd")->text.utf8(), "early\n");
}

TEST_F(BackingStoreTest, AppendNeverReplacesAnUnreadableDayFile)
{
    auto log = series("System Log", std::make_unique<DailyNamingStrategy>());
    fs::path today = log->getPathToCurrentFile();
    // Not a package: a plain file where today's package should be.
    writeText(today, "precious bytes");
    EXPECT_FALSE(BackingStoreManager::sharedManager().append(text::AttributedString::fromUtf8("entry\n"), *log));
    EXPECT_EQ(base::files::readBytes(today, 1 << 20), "precious bytes");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Could not write to log file folder!");
    EXPECT_EQ(opened, std::vector<std::string> { (home.path() / "series").string() });
}

TEST_F(BackingStoreTest, AFailedAppendSaysWhatHappenedAndWhatToDoOnThisDesktop)
{
    auto log = series("System Log", std::make_unique<DailyNamingStrategy>());
    WithoutPermissionOverride heldToTheBits;
    ASSERT_TRUE(heldToTheBits.holds()) << "the permission bits could not be made to hold";
    fs::permissions(home.path() / "series", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(BackingStoreManager::sharedManager().append(text::AttributedString::fromUtf8("entry\n"), *log));
    fs::permissions(home.path() / "series", fs::perms::owner_all);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Could not write to log file folder!");
    EXPECT_NE(alerts[0].informativeText.find("no permission"), std::string::npos) << alerts[0].informativeText;
    EXPECT_NE(alerts[0].informativeText.find("file manager"), std::string::npos) << alerts[0].informativeText;
    EXPECT_EQ(alerts[0].informativeText.find("Finder"), std::string::npos) << "no Finder on this desktop";

    // A full disk is no matter of permissions.
    for (int full : { ENOSPC, EDQUOT }) {
        auto advice = BackingStoreManager::writeFailureAdvice(full);
        EXPECT_NE(advice.find("no space left"), std::string::npos) << advice;
        EXPECT_EQ(advice.find("permission"), std::string::npos) << advice;
    }
    EXPECT_NE(BackingStoreManager::writeFailureAdvice(EROFS).find("can only be read"), std::string::npos);
    EXPECT_NE(BackingStoreManager::writeFailureAdvice(EIO).find(std::strerror(EIO)), std::string::npos);

    // Where no file manager showed the folder, the message names it instead.
    desktop::Opener::setLauncher([](const std::vector<std::string>&) { return false; });
    fs::permissions(home.path() / "series", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(BackingStoreManager::sharedManager().append(text::AttributedString::fromUtf8("entry\n"), *log));
    fs::permissions(home.path() / "series", fs::perms::owner_all);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[1].informativeText.find("just opened"), std::string::npos) << alerts[1].informativeText;
    EXPECT_NE(alerts[1].informativeText.find("no permission to write to the folder \u201c" + (home.path() / "series").string() + "\u201d"), std::string::npos)
        << alerts[1].informativeText;
}

TEST_F(BackingStoreTest, AppendNeverRewritesADayFileItCouldReadOnlyInPart)
{
    auto log = series("System Log", std::make_unique<DailyNamingStrategy>());
    auto& manager = BackingStoreManager::sharedManager();
    fs::path today = log->getPathToCurrentFile();
    text::AttributedString picture = text::AttributedString::fromUtf8("before ");
    text::Attributes withImage;
    withImage.attachment = text::Attachment::make("photo.png", "PNGDATA");
    picture.append(std::u16string(1, text::attachmentCharacter), withImage);
    picture.append(text::AttributedString::fromUtf8(" after\n"));
    ASSERT_TRUE(text::Rtfd::writeFile(today, picture));

    // The rich text cut short, as a crash or a sync under way leaves it: the reader would
    // give the first part, and writing that back would lose the rest.
    fs::path rtf = today / "TXT.rtf";
    std::string whole = *base::files::readBytes(rtf, 1 << 20);
    writeText(rtf, whole.substr(0, whole.size() - 8));
    EXPECT_FALSE(manager.append(text::AttributedString::fromUtf8("entry\n"), *log));
    EXPECT_EQ(base::files::readBytes(rtf, 1 << 20), whole.substr(0, whole.size() - 8));
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Could not write to log file folder!");

    // An attachment the text names but the package lacks.
    writeText(rtf, whole);
    fs::remove(today / "photo.png");
    EXPECT_FALSE(manager.append(text::AttributedString::fromUtf8("entry\n"), *log));
    EXPECT_EQ(base::files::readBytes(rtf, 1 << 20), whole);

    // Whole again: the entry goes in after everything, the picture kept.
    writeText(today / "photo.png", "PNGDATA");
    ASSERT_TRUE(manager.append(text::AttributedString::fromUtf8("entry\n"), *log));
    auto document = text::Rtfd::readFile(today);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->text.utf8(), picture.utf8() + "entry\n");
    EXPECT_EQ(base::files::readBytes(today / "photo.png", 1 << 20), "PNGDATA");
}

TEST_F(BackingStoreTest, WholePackageNeedsTheClosingBraceOfItsText)
{
    fs::path package = home.path() / "p.rtfd";
    fs::create_directories(package);
    auto wholeWith = [&](const std::string& rtf) {
        writeText(package / "TXT.rtf", rtf);
        return BackingStoreManager::readWholePackage(package).has_value();
    };
    EXPECT_TRUE(wholeWith("{\\rtf1 a\\{b\\}c}\n"));
    EXPECT_TRUE(wholeWith("{\\rtf1 {\\*\\x \\bin3 }}}x}}"));
    EXPECT_FALSE(wholeWith("{\\rtf1 a\\{b\\}c"));
    EXPECT_FALSE(wholeWith("{\\rtf1 {\\b a}"));
    EXPECT_FALSE(wholeWith("{\\rtf1 a} trailing"));
    EXPECT_FALSE(wholeWith("{\\rtf1 \\bin99 }"));
    EXPECT_FALSE(wholeWith(""));
}

TEST_F(BackingStoreTest, AppendToAReadOnlyFolderReportsFailure)
{
    auto log = series("System Log", std::make_unique<DailyNamingStrategy>());
    ASSERT_EQ(::chmod((home.path() / "series").c_str(), 0500), 0);
    bool written = false;
    bool held = false;
    {
        // Root (as in CI) would write anyway: held to the permission bits like anyone else.
        WithoutPermissionOverride heldToTheBits;
        held = heldToTheBits.holds();
        if (held)
            written = BackingStoreManager::sharedManager().append(text::AttributedString::fromUtf8("entry\n"), *log);
    }
    ::chmod((home.path() / "series").c_str(), 0700);
    ASSERT_TRUE(held) << "the permission bits could not be made to hold";
    EXPECT_FALSE(written);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].informativeText.find("access privileges"), std::string::npos);
    EXPECT_EQ(opened, std::vector<std::string> { (home.path() / "series").string() });
    EXPECT_EQ(base::files::list(home.path() / "series"), std::vector<std::string> {});
}

TEST_F(BackingStoreTest, FolderThatCannotBeCreatedIsReportedNotFatal)
{
    writeText(home.path() / "blocker", "a file where a folder should be");
    auto descriptor = BackingStoreDescriptor::create();
    descriptor->setRoot("System Log");
    descriptor->setFolderPath((home.path() / "blocker" / "System Logs").string());
    descriptor->setNamingStrategy(std::make_unique<DailyNamingStrategy>());
    EXPECT_FALSE(descriptor->finishInitialization());
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Could not create folder path at: " + (home.path() / "blocker" / "System Logs").string());
    EXPECT_EQ(descriptor->index().indexOfIDs().size(), 1u);
}

}
}
