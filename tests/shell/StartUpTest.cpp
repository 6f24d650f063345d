#include "StartUpFixture.h"

#include "command/CommandPopUpWindow.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/KVOResponder.h"
#include "log/FolderContentMonitor.h"
#include "mainwindow/MainWindowController.h"
#include "viewkit/NiblessViewController.h"
#include "shell/SandboxHelper.h"
#include "viewkit/SmartMenuItem.h"

#include "platform/base/Files.h"
#include "platform/base/KeyCodes.h"
#include "platform/ui/Alert.h"
#include "platform/desktop/Autostart.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/StatusItem.h"
#include "tests/support/WithoutPermissionOverride.h"

#include <algorithm>

namespace ostrel::test {

namespace {

std::vector<std::string> titles(const ui::Menu& menu)
{
    std::vector<std::string> out;
    for (const auto& item : menu.items())
        out.push_back(item->isSeparator() ? "--" : item->title());
    return out;
}

std::size_t indexOfLine(const std::vector<std::string>& lines, std::string_view part)
{
    auto found = std::find_if(lines.begin(), lines.end(), [part](const std::string& line) { return line.find(part) != std::string::npos; });
    return static_cast<std::size_t>(found - lines.begin());
}

}

TEST_F(StartUpTest, StartUpKeepsTheDocumentedOrder)
{
    bool logWatchedWhenTheWindowWasMade = false;
    prepareRun = [&] {
        // Made with the main window: by then the log must be read and watched.
        MainWindowHooks::shared().makeStatsController = [&]() -> std::shared_ptr<NiblessViewController> {
            logWatchedWhenTheWindowWasMade = LogFileManager::sharedInstance().monitor().started();
            return NiblessViewController::create([] { });
        };
    };
    launch();

    // The class was set up first: its line, then its defaults, both registrations of the main
    // table before the model's, whose values win where both hold a key.
    EXPECT_EQ(indexOfLine(logged, "Ostrel Launching"), 0u);
    EXPECT_EQ(settings->integer("windowCompressionMode"), 2);
    EXPECT_EQ(settings->integer("notificationPosition"), 1);
    EXPECT_FALSE(settings->boolean("firstLaunch"));
    EXPECT_TRUE(SandboxHelper::isLaunchAtStartup()) << "the first launch turns launch at login on";
    EXPECT_TRUE(logWatchedWhenTheWindowWasMade);
    EXPECT_LT(indexOfLine(logged, "reading time slice data"), indexOfLine(logged, "applicationDidBecomeActive"))
        << "will-finish-launching comes before the first activation";

    // Hot keys registered and mirrored in the menus; the chain down to the first screen.
    drain();
    ASSERT_TRUE(controller().menuItems.focusNowHotkeyMenuItem);
    EXPECT_FALSE(controller().menuItems.focusNowHotkeyMenuItem->keyEquivalent().empty());
    EXPECT_EQ(app().nextResponder(), startUp->mainController.get());
    EXPECT_EQ(controller().nextResponder(), startUp->stateMachine.get());
    EXPECT_EQ(startUp->stateMachine->nextResponder(), startUp->stateMachine->currentState().get());
    EXPECT_EQ(currentScreen(), "Ostrel_4.WelcomeState");
    EXPECT_TRUE(delegate().commandWindow) << "the command pop-up is built as the program finishes launching";
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_TRUE(controller().item()) << "the status item";
    EXPECT_EQ(delegate().padKVOResponders.size(), MainWindowController::padStorageKeyPaths().size());

    // The launch-time tasks: this launch counted, the welcome page in the help pad.
    EXPECT_EQ(settings->integer("launchManagerLaunchCounter"), 1);
    EXPECT_FALSE(settings->boolean("helpPadHidden"));
    EXPECT_EQ(settings->string("version"), OSTREL_PROJECT_VERSION);

    // The user turns launch at login off and closes the help; the next launch leaves both.
    desktop::Autostart::setOn(false);
    settings->set("helpPadHidden", true);
    logged.clear();
    relaunch();
    EXPECT_EQ(indexOfLine(logged, "Ostrel Launching"), 0u);
    EXPECT_FALSE(SandboxHelper::isLaunchAtStartup()) << "only the very first launch turns it on";
    EXPECT_EQ(currentScreen(), "Ostrel_4.DefineTimeSliceState");
    EXPECT_EQ(settings->integer("launchManagerLaunchCounter"), 2);
    EXPECT_TRUE(settings->boolean("helpPadHidden"));
    EXPECT_EQ(settings->integer("windowCompressionMode"), 2);
}

TEST_F(StartUpTest, CallbackListsRunInOrder)
{
    std::vector<std::string> heard;
    launch();
    // The delegate's own callbacks: contact group and pop-up, main controller, launch-time
    // tasks and pad observers; the define screen adds one on either side of activation.
    EXPECT_EQ(delegate().willFinishLaunchingCallbackList.size(), 2u);
    EXPECT_EQ(delegate().didFinishLaunchingCallbackList.size(), 3u);
    EXPECT_EQ(delegate().didBecomeActiveCallbackList.size(), 1u);
    EXPECT_EQ(delegate().willResignActiveCallbackList.size(), 1u);
    EXPECT_EQ(delegate().willBecomeActiveCallbackList.size(), 1u);
    EXPECT_EQ(delegate().didResignActiveCallbackList.size(), 1u);
    EXPECT_EQ(delegate().willTerminateCallbackList.size(), 1u) << "a preferences window's run is undone on quit";

    // The contact group followed the Help menu's items when the lists ran.
    auto& mainMenu = *app().mainMenu();
    auto* help = mainMenu.itemWithTitle("Help");
    ASSERT_TRUE(help && help->submenu());
    auto helpTitles = titles(*help->submenu());
    ASSERT_GE(helpTitles.size(), 2u);
    EXPECT_EQ(helpTitles.back(), "Contact the Developer");
    EXPECT_EQ(helpTitles[helpTitles.size() - 2], "--");
    EXPECT_FALSE(mainMenu.itemWithTitle("Debug")) << "the Debug menu only with \"debug_menu\"";

    // Going to the background closes an open pop-up; coming back forwards to the controller.
    delegate().runCommandWindow();
    auto popUp = delegate().commandWindow->popUpContentViewController();
    ASSERT_TRUE(popUp->isRunning());
    app().deactivate();
    EXPECT_FALSE(popUp->isRunning());
    logged.clear();
    app().activate();
    EXPECT_EQ(indexOfLine(logged, "applicationDidBecomeActive"), 0u);
    delegate().didBecomeActiveCallbackList.push_back([&](SmartAppDelegate&, const ui::Notification&) { heard.push_back("added"); });
    app().deactivate();
    app().activate();
    EXPECT_EQ(heard, std::vector<std::string> { "added" });

    // A pad opened or closed in the settings compresses the window, once per change.
    double height = mainWindow().frame().height();
    settings->set("nowPadHidden", false);
    drain();
    EXPECT_GT(mainWindow().frame().height(), height - 1);
}

TEST_F(StartUpTest, TheStatusMenuHasTheCommandsAndAScreensBlockGoesAboveItsFirstSeparator)
{
    settings->set("debug_menu", true);
    launch();
    auto& status = *controller().dockMenu();
    EXPECT_EQ(titles(status),
        (std::vector<std::string> { "Start Time Slice", "Pause Time Slice", "End Time Slice", "Start Timed Break", "--",
            "Show Ostrel", "Run As Dockless Application\u2026", "Background Sound", "--", "Preferences\u2026", "Quit Ostrel" }));
    auto& manager = StatusItemMenuManager::instance();
    manager.addItem(SmartMenuItem::create("+1 Minute", [] { }));
    manager.addItem(SmartMenuItem::create("+5 Minutes", [] { }));
    EXPECT_EQ(titles(status)[4], "--");
    EXPECT_EQ(titles(status)[5], "+1 Minute");
    EXPECT_EQ(titles(status)[6], "+5 Minutes");
    EXPECT_EQ(titles(status)[7], "--");
    manager.removeAllItems();
    EXPECT_EQ(titles(status).size(), 11u);
    EXPECT_TRUE(app().mainMenu()->itemWithTitle("Debug"));
}

TEST_F(StartUpTest, CtrlWClosesADialogRunOverTheWindowElseHidesTheProgram)
{
    launch();
    drain();
    auto ctrlW = [this](ui::Window& window) {
        backend().press(window, static_cast<std::uint16_t>(base::KeyCode::W), "w", ui::ModifierFlag::Command);
    };
    auto dialog = ui::Window::create(ui::Rect(100, 100, 200, 100), ui::WindowStyle::Titled | ui::WindowStyle::Closable);
    base::RunLoop::main().post([&] { ctrlW(*dialog); });
    app().runModalForWindow(*dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(app().isHidden()) << "only the dialog closed";

    // An alert over the main window (the quit question) is answered by its Cancel, the
    // keyboard back with the main window; the program stays in front.
    auto alert = ui::Alert::create();
    alert->setMessageText("Are you sure you want to quit Ostrel?");
    alert->addButton("OK");
    alert->addButton("Cancel");
    mainWindow().makeKeyAndOrderFront();
    ui::Alert::setResponder([&](ui::Alert& shown) -> std::optional<int> {
        ctrlW(*shown.window());
        return std::nullopt;
    });
    int answer = alert->runModal();
    ui::Alert::setResponder({});
    EXPECT_EQ(answer, 1) << "Ctrl+W is the alert's Cancel";
    EXPECT_FALSE(app().isHidden()) << "the program hid under its alert";
    EXPECT_TRUE(mainWindow().isKeyWindow());

    ctrlW(mainWindow());
    EXPECT_TRUE(app().isHidden()) << "the main window closes by hiding the program";
}

TEST_F(StartUpTest, TheCommandPopUpStaysAwayWhileAnAlertIsUp)
{
    launch();
    drain();
    auto alert = ui::Alert::create();
    alert->setMessageText("Are you sure you do not want the time spent to be logged in any way?");
    alert->addButton("OK");
    alert->addButton("Cancel");
    bool popUpRan = true;
    ui::Alert::setResponder([&](ui::Alert&) -> std::optional<int> {
        // Its hot key, pressed with the alert up.
        delegate().runCommandWindow();
        popUpRan = delegate().commandWindow->popUpContentViewController()->isRunning();
        return 1;
    });
    alert->runModal();
    ui::Alert::setResponder({});
    EXPECT_FALSE(popUpRan) << "the pop-up would take the keys meant for the alert";
    delegate().runCommandWindow();
    EXPECT_TRUE(delegate().commandWindow->popUpContentViewController()->isRunning()) << "answered, the pop-up opens again";
}

TEST_F(StartUpTest, ADamagedSettingsFileIsToldOfOnceTheWindowShowsAndNotOtherwise)
{
    launch();
    drain();
    EXPECT_TRUE(std::none_of(alerts.begin(), alerts.end(), [](const auto& alert) {
        return alert.message == "Ostrel could not read its settings";
    })) << "a clean start told of damaged settings";
    endRun();

    ASSERT_TRUE(base::files::writeAtomically(settingsFile(), "{ \"firstLaunch\": fal"));
    settings = base::Defaults::create(settingsFile());
    base::Defaults::setStandard(settings);
    alerts.clear();
    launch();
    EXPECT_TRUE(alerts.empty()) << "told before the window shows";
    drain();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Ostrel could not read its settings");
    auto kept = settings->loadProblem()->keptAs;
    ASSERT_TRUE(kept);
    EXPECT_NE(alerts[0].informativeText.find("The settings file is damaged. It was kept as \u201c" + kept->filename().string()),
        std::string::npos)
        << alerts[0].informativeText;
    EXPECT_NE(alerts[0].informativeText.find("started with the default settings"), std::string::npos);
    EXPECT_EQ(currentScreen(), "Ostrel_4.WelcomeState") << "the defaults greet a new user";
}

TEST_F(StartUpTest, ASettingsFileDamagedWhileRunningIsToldOfAndNoSettingIsLost)
{
    settings->set("speechStartText", "Off we go");
    launch();
    drain();
    alerts.clear();
    // An outside edit leaves a trailing comma; it is judged once it has held still.
    ASSERT_TRUE(base::files::writeAtomically(settingsFile(), "{ \"speechStartText\": \"Edited\", }"));
    settings->reloadIfChangedOnDisk();
    drain();
    EXPECT_TRUE(alerts.empty()) << "told before the file held still";
    base::RunLoop::main().runUntil(base::Time::now() + base::Defaults::kSettleSeconds + 1);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Ostrel could not read its settings");
    EXPECT_NE(alerts[0].informativeText.find("Another program left the settings file damaged. It was kept as"),
        std::string::npos)
        << alerts[0].informativeText;
    EXPECT_EQ(settings->string("speechStartText"), "Off we go");
    EXPECT_EQ(base::Defaults::create(settingsFile())->string("speechStartText"), "Off we go") << "not written back whole";
}

TEST_F(StartUpTest, SettingsThatCannotBeSavedAreToldOfOnceAndKeptForTheRun)
{
    launch();
    drain();
    alerts.clear();
    WithoutPermissionOverride heldToTheBits;
    ASSERT_TRUE(heldToTheBits.holds()) << "the permission bits could not be made to hold";
    auto folder = settingsFile().parent_path();
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    settings->set("speechStartText", "Off we go");
    settings->set("tags", "work");
    drain();
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Ostrel cannot save its settings");
    EXPECT_NE(alerts[0].informativeText.find("lost when it quits"), std::string::npos) << alerts[0].informativeText;
    EXPECT_EQ(settings->string("speechStartText"), "Off we go");
    EXPECT_EQ(settings->string("tags"), "work");
}

}

