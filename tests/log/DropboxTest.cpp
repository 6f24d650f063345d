#include "log/DropboxManager.h"
#include "log/FullDataSet.h"
#include "tests/log/LogTestSupport.h"

#include "platform/ui/Alert.h"
#include "platform/ui/Application.h"
#include "platform/ui/FilePanel.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/Window.h"

#include <map>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

// This computer is "1ec2a3f5"; the other one, "01ec2a3f5", holds it in its identifier.
constexpr const char* kOurs = "1ec2a3f5";
constexpr const char* kOverlapping = "01ec2a3f5";

constexpr const char* kConfirmMove = "Ostrel will now attempt to create a new folder called \"Ostrel\" in your existing "
                                     "Dropbox folder and will then try to move all your existing log files into this "
                                     "folder.";
constexpr const char* kConfirmRevert = "Ostrel will now attempt to move all your existing log files from your Dropbox "
                                       "back into your local application support folder.";
constexpr const char* kNotFound = "Ostrel has not found a dropbox folder at the standard location.";
constexpr const char* kSuccess = "Installation was successful.";
constexpr const char* kFailed = "Installation failed.";
constexpr const char* kSome = "Some log files could not be moved.";
constexpr const char* kMovedBack = "Log files were succesfully moved back into local application support folder.";
constexpr const char* kNotMovedBack = "Could not move log files back to local application support folder.";
constexpr const char* kNoFolder = "No Ostrel log folder could be found in your Dropbox folder.";

struct ShownAlert {
    std::string message;
    std::string informativeText;
    std::vector<std::string> buttons;
    base::AlertRequest::Style style;
    bool help { false };
};

struct CountingListener : LogFileManagerListener {
    void logFilesWereUpdated() override { ++calls; }
    int calls { 0 };
};

// The relocation on temporary folders, its alerts and its panel shown offscreen and
// answered by responders: the default button unless `answers` names another.
class DropboxTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        m_app = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
        ui::Alert::installAsPresenter();
        ui::Alert::setResponder([this](ui::Alert& alert) -> std::optional<int> {
            ShownAlert shown { alert.messageText(), alert.informativeText(), {}, alert.alertStyle(), bool(alert.onHelp) };
            for (const auto& button : alert.buttons())
                shown.buttons.push_back(button->title());
            shownAlerts.push_back(shown);
            if (onAlert)
                onAlert(alert);
            auto answer = answers.find(shown.message);
            if (answer == answers.end())
                return 0;
            auto at = std::find(shown.buttons.begin(), shown.buttons.end(), answer->second);
            return at == shown.buttons.end() ? 0 : int(at - shown.buttons.begin());
        });
        ui::FilePanel::setResponder([this](ui::FilePanel& panel) -> std::optional<ui::FilePanel::Response> {
            panels.push_back({ panel.message(), panel.prompt(), panel.directory(), panel.canChooseFiles(),
                panel.canChooseDirectories(), panel.allowsMultipleSelection() });
            if (onPanel)
                onPanel(panel);
            if (!panelChoice)
                return ui::FilePanel::Response::Cancel;
            // With nothing selected, the folder shown is the one chosen.
            panel.setDirectory(*panelChoice);
            return ui::FilePanel::Response::OK;
        });
        DropboxManager::setHelpHook([this](const std::string& page) { helpPages.push_back(page); });

        fs::create_directories(home.path() / "net" / "eth0" / "device");
        writeText(home.path() / "net" / "eth0" / "address", "01:0e:c2:a3:0f:05\n");
        BackingStoreManager::sharedManager().setNetworkInterfacesFolder(home.path() / "net");
        fs::create_directories(dropbox);
        settings()->set("dropboxLocation", dropbox.string());
        Logger::sharedLogger().updateLogFileDescriptors();
    }

    void TearDown() override
    {
        ui::Alert::setResponder({});
        ui::FilePanel::setResponder({});
        DropboxManager::setHelpHook({});
        base::RunLoop::main().discardAll();
        m_app.reset();
        LogTest::TearDown();
        Logger::sharedLogger().updateLogFileDescriptors();
    }

    static std::shared_ptr<base::Defaults> settings() { return base::Defaults::standard(); }
    static DropboxManager& manager() { return DropboxManager::sharedInstance(); }

    static std::string day(const std::string& date, const std::string& computer)
    {
        return "System Log Day " + date + " (" + computer + ").rtfd";
    }
    fs::path sharedLogs() const { return dropbox / "Ostrel" / "System Logs"; }
    std::string currentLogFolder() const { return Logger::sharedLogger().systemLogBackingStoreDesc()->folderPath(); }

    std::vector<std::string> messages() const
    {
        std::vector<std::string> result;
        for (const auto& alert : shownAlerts)
            result.push_back(alert.message);
        return result;
    }
    static std::vector<std::string> names(const fs::path& folder)
    {
        return base::files::list(folder).value_or(std::vector<std::string> { "<missing>" });
    }
    static std::string textOf(const fs::path& package)
    {
        auto document = text::Rtfd::readFile(package);
        return document ? document->text.utf8() : "<unreadable>";
    }

    struct ShownPanel {
        std::string message;
        std::string prompt;
        fs::path directory;
        bool files;
        bool folders;
        bool multiple;
    };

    fs::path dropbox = home.path() / "Dropbox";
    std::vector<ShownAlert> shownAlerts;
    std::vector<ShownPanel> panels;
    std::vector<std::string> helpPages;
    std::map<std::string, std::string> answers;
    std::optional<fs::path> panelChoice;
    std::function<void(ui::Alert&)> onAlert;
    std::function<void(ui::FilePanel&)> onPanel;

private:
    std::unique_ptr<ui::Application> m_app;
};

TEST_F(DropboxTest, MovesOnlyThisComputersFilesAndSwitches)
{
    fs::create_directories(logFolder());
    writePackage(logFolder() / day("2026-01-05", kOurs), entryLines("MINE", {}));
    writePackage(logFolder() / "system log day 2026-01-06 (1EC2A3F5).rtfd", entryLines("MINE TOO", {}));
    writePackage(logFolder() / day("2026-01-05", kOverlapping), entryLines("OVERLAPPING", {}));
    writeText(logFolder() / "System Log 2020-01-01 (a-b-c-d).txt", entryLines("OLDER", {}));
    // Help pressed on the first alert shows the Dropbox page and leaves the alert up.
    onAlert = [this](ui::Alert& alert) {
        if (helpPages.empty() && alert.onHelp)
            alert.onHelp();
    };

    EXPECT_TRUE(manager().configureForDropbox());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmMove, kSuccess }));
    EXPECT_EQ(shownAlerts[0].buttons, (std::vector<std::string> { "OK", "Cancel" }));
    EXPECT_EQ(shownAlerts[0].style, base::AlertRequest::Style::Informational);
    EXPECT_EQ(shownAlerts[1].informativeText, "Please repeat this step at your leisure on the other computer(s) that you "
                                              "wish to sync with.");
    for (const auto& alert : shownAlerts)
        EXPECT_TRUE(alert.help) << alert.message;
    EXPECT_EQ(helpPages, std::vector<std::string> { "dropbox.html" });

    EXPECT_EQ(names(sharedLogs()), (std::vector<std::string> { day("2026-01-05", kOurs), "system log day 2026-01-06 (1EC2A3F5).rtfd" }));
    EXPECT_EQ(names(logFolder()), (std::vector<std::string> { "System Log 2020-01-01 (a-b-c-d).txt", day("2026-01-05", kOverlapping) }))
        << "another computer's files and older logs stay";
    EXPECT_EQ(textOf(sharedLogs() / day("2026-01-05", kOurs)), entryLines("MINE", {}));
    EXPECT_TRUE(fs::is_directory(dropbox / "Ostrel" / "User Logs"));

    EXPECT_TRUE(settings()->boolean("dropboxSync"));
    EXPECT_EQ(currentLogFolder(), sharedLogs().string());
    EXPECT_EQ(LogFileManager::sharedInstance().monitor().pathsToWatch(), std::vector<std::string> { sharedLogs().string() });
    for (const char* line : { "Configuring for Dropbox", "Local Machine MAC: 1ec2a3f5", "moving system logs",
             "moving user logs", "move " })
        EXPECT_TRUE(sawDiagnostic(line)) << line;
}

TEST_F(DropboxTest, MovingBackTakesOnlyThisComputersFiles)
{
    fs::create_directories(logFolder());
    writePackage(logFolder() / day("2026-01-05", kOurs), entryLines("MINE", {}));
    ASSERT_TRUE(manager().configureForDropbox());
    writePackage(sharedLogs() / day("2026-01-06", kOverlapping), entryLines("THEIRS", {}));
    shownAlerts.clear();

    EXPECT_TRUE(manager().revertToLocal());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmRevert, kMovedBack }));
    EXPECT_EQ(names(logFolder()), std::vector<std::string> { day("2026-01-05", kOurs) });
    EXPECT_EQ(names(sharedLogs()), std::vector<std::string> { day("2026-01-06", kOverlapping) });
    EXPECT_FALSE(settings()->boolean("dropboxSync"));
    EXPECT_EQ(currentLogFolder(), logFolder().string());
    EXPECT_TRUE(sawDiagnostic("DropboxManager: revert to local"));
}

TEST_F(DropboxTest, WithNoFileOfItsOwnTheLogSwitchesStraightAway)
{
    EXPECT_TRUE(manager().configureForDropbox());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmMove, kSuccess }));
    EXPECT_TRUE(settings()->boolean("dropboxSync"));

    // Back again with nothing to move: the log stays in Dropbox, and says so.
    shownAlerts.clear();
    EXPECT_FALSE(manager().revertToLocal());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmRevert, kNotMovedBack }));
    EXPECT_EQ(shownAlerts[1].buttons, std::vector<std::string> { "Cancel" });
    EXPECT_EQ(shownAlerts[1].style, base::AlertRequest::Style::Warning);
    EXPECT_TRUE(settings()->boolean("dropboxSync"));
    EXPECT_EQ(currentLogFolder(), sharedLogs().string());
}

TEST_F(DropboxTest, ASameNamedTargetIsAFailedMoveAndTheSourceStays)
{
    fs::create_directories(logFolder());
    fs::create_directories(sharedLogs());
    writePackage(logFolder() / day("2026-01-05", kOurs), entryLines("LOCAL", {}));
    writePackage(sharedLogs() / day("2026-01-05", kOurs), entryLines("ALREADY THERE", {}));

    EXPECT_FALSE(manager().configureForDropbox());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmMove, kFailed }));
    EXPECT_EQ(shownAlerts[1].informativeText, "Your Dropbox folder could be found but none of your current log files "
                                              "could not be moved.");
    EXPECT_EQ(textOf(logFolder() / day("2026-01-05", kOurs)), entryLines("LOCAL", {}));
    EXPECT_EQ(textOf(sharedLogs() / day("2026-01-05", kOurs)), entryLines("ALREADY THERE", {}));
    EXPECT_FALSE(settings()->boolean("dropboxSync")) << "nothing switches after a failed installation";
    EXPECT_EQ(currentLogFolder(), logFolder().string());
    EXPECT_TRUE(sawDiagnostic("failed to move file: " + (logFolder() / day("2026-01-05", kOurs)).string()));

    // With one more that can go, the move is partial and the log switches.
    writePackage(logFolder() / day("2026-01-06", kOurs), entryLines("NEW", {}));
    shownAlerts.clear();
    EXPECT_TRUE(manager().configureForDropbox());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmMove, kSome, kSuccess }));
    EXPECT_EQ(textOf(sharedLogs() / day("2026-01-06", kOurs)), entryLines("NEW", {}));
    EXPECT_EQ(textOf(logFolder() / day("2026-01-05", kOurs)), entryLines("LOCAL", {}));
    EXPECT_TRUE(settings()->boolean("dropboxSync"));
}

TEST_F(DropboxTest, AFileWhereTheFolderShouldBeStopsTheSetUpEvenForRoot)
{
    fs::create_directories(logFolder());
    writePackage(logFolder() / day("2026-01-05", kOurs), entryLines("MINE", {}));
    writeText(dropbox / "Ostrel", "a file, not a folder");

    EXPECT_FALSE(manager().configureForDropbox());
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(shownAlerts[1].message, "The folder \"Ostrel\" could not be created in \"~/Dropbox\".");
    EXPECT_EQ(shownAlerts[1].informativeText, "File exists");
    EXPECT_EQ(names(logFolder()), std::vector<std::string> { day("2026-01-05", kOurs) });
    EXPECT_FALSE(settings()->boolean("dropboxSync"));
    EXPECT_EQ(currentLogFolder(), logFolder().string());
}

TEST_F(DropboxTest, CancellingAnyQuestionChangesNothing)
{
    fs::create_directories(logFolder());
    writePackage(logFolder() / day("2026-01-05", kOurs), entryLines("MINE", {}));
    auto nothingChanged = [&] {
        EXPECT_EQ(names(logFolder()), std::vector<std::string> { day("2026-01-05", kOurs) });
        EXPECT_FALSE(fs::exists(dropbox / "Ostrel"));
        EXPECT_FALSE(settings()->boolean("dropboxSync"));
        EXPECT_EQ(settings()->string("dropboxLocation"), dropbox.string());
    };

    answers[kConfirmMove] = "Cancel";
    EXPECT_FALSE(manager().configureForDropbox());
    EXPECT_EQ(messages(), std::vector<std::string> { kConfirmMove });
    nothingChanged();

    // A stored folder that is gone: asked for, and both the question and the panel can be
    // cancelled.
    answers.clear();
    settings()->set("dropboxLocation", (home.path() / "gone").string());
    shownAlerts.clear();
    EXPECT_FALSE(manager().configureForDropbox());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmMove, kNotFound }));
    EXPECT_EQ(shownAlerts[1].buttons, (std::vector<std::string> { "Cancel", "Locate Dropbox Folder" }));
    EXPECT_TRUE(panels.empty());
    answers[kNotFound] = "Locate Dropbox Folder";
    EXPECT_FALSE(manager().configureForDropbox());
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_EQ(settings()->string("dropboxLocation"), (home.path() / "gone").string());
    settings()->set("dropboxLocation", dropbox.string());
    nothingChanged();

    // Moving back: cancelled at its question, or with no log folder in Dropbox.
    settings()->set("dropboxSync", true);
    shownAlerts.clear();
    answers[kConfirmRevert] = "Cancel";
    EXPECT_FALSE(manager().revertToLocal());
    EXPECT_EQ(messages(), std::vector<std::string> { kConfirmRevert });
    answers.clear();
    shownAlerts.clear();
    EXPECT_FALSE(manager().revertToLocal());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmRevert, kNoFolder }));
    EXPECT_EQ(shownAlerts[1].informativeText, "Your log files were not moved.");
    EXPECT_FALSE(shownAlerts[1].help) << "a plain alert panel";
    EXPECT_TRUE(settings()->boolean("dropboxSync"));
}

TEST_F(DropboxTest, AStaleDropboxLocationAsksAndKeepsThePickedFolder)
{
    fs::create_directories(logFolder());
    writePackage(logFolder() / day("2026-01-05", kOurs), entryLines("MINE", {}));
    fs::path elsewhere = home.path() / "Elsewhere" / "Dropbox";
    fs::create_directories(elsewhere);
    settings()->set("dropboxLocation", (home.path() / "gone").string());
    answers[kNotFound] = "Locate Dropbox Folder";
    panelChoice = elsewhere;

    EXPECT_TRUE(manager().configureForDropbox());
    EXPECT_EQ(messages(), (std::vector<std::string> { kConfirmMove, kNotFound, kSuccess }));
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_EQ(panels[0].message, "Please locate your Dropbox folder.");
    EXPECT_EQ(panels[0].prompt, "OK");
    EXPECT_EQ(panels[0].directory, home.path()) << "no Dropbox preferences to start from: the home folder";
    EXPECT_FALSE(panels[0].files);
    EXPECT_TRUE(panels[0].folders);
    EXPECT_FALSE(panels[0].multiple);
    EXPECT_EQ(settings()->string("dropboxLocation"), elsewhere.string());
    EXPECT_EQ(names(elsewhere / "Ostrel" / "System Logs"), std::vector<std::string> { day("2026-01-05", kOurs) });
    EXPECT_EQ(currentLogFolder(), (elsewhere / "Ostrel" / "System Logs").string());
}

TEST_F(DropboxTest, SharedFolderFilesArriveAfterTheSwitch)
{
    auto listener = std::make_shared<CountingListener>();
    auto& logFiles = LogFileManager::sharedInstance();
    logFiles.addListener(listener);
    logFiles.update();
    logFiles.monitor().start();
    auto runFor = [this](double seconds) { base::RunLoop::main().runUntil(clock.now() + seconds); };
    runFor(2);
    ASSERT_EQ(listener->calls, 1);

    ASSERT_TRUE(manager().configureForDropbox());
    runFor(2);
    int afterSwitch = listener->calls;
    EXPECT_EQ(afterSwitch, 2) << "the switch reads the log again";

    // Another computer's day file, written into the shared folder by its sync client.
    writePackage(sharedLogs() / day("2026-01-05", kOverlapping), entryLines("THEIRS", { "#startDate", "2026-01-05 07:00:00" }));
    runFor(5);
    EXPECT_EQ(listener->calls, afterSwitch + 1);
    std::vector<std::string> uuids;
    for (const auto& record : logFiles.currentFullDataSet()->fullTimeSlices())
        uuids.push_back(record->uuid());
    EXPECT_EQ(uuids, std::vector<std::string> { "THEIRS" });
}

// Every alert of the relocation, rendered offscreen into the test's folder
// (dropbox-alerts/*.png) to be looked at.
TEST_F(DropboxTest, EveryAlertRendersWithItsHelpButton)
{
    fs::path pictures = fs::current_path() / "dropbox-alerts";
    fs::create_directories(pictures);
    int written = 0;
    onAlert = [&](ui::Alert& alert) {
        ASSERT_TRUE(alert.window());
        alert.window()->displayIfNeeded();
        std::string name = alert.messageText().substr(0, 24);
        std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '-');
        EXPECT_TRUE(alert.window()->writePng(pictures / (std::to_string(++written) + "-" + name + ".png")));
        EXPECT_GT(alert.window()->frame().size.height, 100) << alert.messageText();
    };
    onPanel = [&](ui::FilePanel& panel) {
        ASSERT_TRUE(panel.window());
        panel.window()->displayIfNeeded();
        EXPECT_TRUE(panel.window()->writePng(pictures / (std::to_string(++written) + "-panel.png")));
    };

    fs::create_directories(logFolder());
    fs::create_directories(sharedLogs());
    writePackage(logFolder() / day("2026-01-05", kOurs), entryLines("A", {}));
    writePackage(logFolder() / day("2026-01-06", kOurs), entryLines("B", {}));
    writePackage(sharedLogs() / day("2026-01-06", kOurs), entryLines("B", {}));
    settings()->set("dropboxLocation", (home.path() / "gone").string());
    answers[kNotFound] = "Locate Dropbox Folder";
    panelChoice = dropbox;
    ASSERT_TRUE(manager().configureForDropbox());
    answers.clear();
    ASSERT_TRUE(manager().revertToLocal());
    EXPECT_FALSE(manager().revertToLocal());
    fs::remove_all(dropbox / "Ostrel");
    EXPECT_FALSE(manager().revertToLocal());
    writeText(dropbox / "Ostrel", "");
    EXPECT_FALSE(manager().configureForDropbox());
    // Every file of ours already in the shared folder under its name.
    fs::remove(dropbox / "Ostrel");
    fs::create_directories(sharedLogs());
    writePackage(sharedLogs() / day("2026-01-05", kOurs), entryLines("A", {}));
    writePackage(sharedLogs() / day("2026-01-06", kOurs), entryLines("B", {}));
    EXPECT_FALSE(manager().configureForDropbox());
    EXPECT_EQ(shownAlerts.back().message, kFailed);
    EXPECT_EQ(written, 15);
}

}
}
