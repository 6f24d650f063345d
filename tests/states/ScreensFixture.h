#pragma once

#include "states/BaseState.h"
#include "states/StateLinkingHelper.h"

#include "attention/ActivityMonitor.h"
#include "attention/NotificationHandler.h"
#include "attention/ZRNotificationCenter.h"
#include "command/CommandEnvironment.h"
#include "command/CommandPopUpWindow.h"
#include "command/MatchingItemCollector.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/DataModel.h"
#include "core/StateMachine.h"
#include "core/ValueTransformers.h"
#include "core/ZrLog.h"
#include "log/BackingStoreManager.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "log/StringToTokenArrayTransformer.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "shell/StatusItemMenuManager.h"
#include "tests/support/RecordedEvents.h"
#include "tests/support/TemporaryHome.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/desktop/Opener.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/SpellChecker.h"
#include "platform/ui/StatusItem.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ostrel::test {

// The screen's start, time and end events are recorded instead of sounding, speaking or
// calling scripts.
inline void recordEvents(const std::string& screenClass)
{
    for (const char* suffix : { ".start", ".time", ".end", ".elapsed", ".paused", ".stopped" }) {
        std::string name = std::string(BaseState::kModuleName) + "." + screenClass + suffix;
        ZRNotificationCenter::sharedNotificationCenter().addNotificationHandler(std::make_shared<RecordingHandler>(name), name);
    }
}

inline std::vector<PostedEvent> eventsNamed(const std::string& name)
{
    std::vector<PostedEvent> found;
    for (const auto& event : postedEvents())
        if (event.name == name)
            found.push_back(event);
    return found;
}

// Every view of class T in the tree under `root`, in drawing order, depth first.
template<typename T>
std::vector<T*> viewsOf(ui::View& root)
{
    std::vector<T*> found;
    for (const auto& child : root.subviews()) {
        if (auto* match = dynamic_cast<T*>(child.get()))
            found.push_back(match);
        auto deeper = viewsOf<T>(*child);
        found.insert(found.end(), deeper.begin(), deeper.end());
    }
    return found;
}

// The program around the command pop-up: the current screen's entries and its popovers,
// everything else recorded.
class ScreensEnvironment final : public CommandEnvironment {
public:
    base::Defaults& defaults() override { return *base::Defaults::standard(); }
    void collectCurrentScreenItems(MatchingItemCollector& collector) override
    {
        if (auto* screen = currentScreen())
            screen->collectMatchingItems(collector);
    }
    void dismissCommandPopUp() override
    {
        if (auto& window = smartDelegate().commandWindow)
            window->popUpContentViewController()->dismissDialog();
    }
    void closeOtherPopUps() override
    {
        calls.push_back("closeOtherPopUps");
        if (auto* screen = currentScreen())
            screen->closeOtherPopUps(PopUpKind::commandPopUp);
    }
    void sendToMainController(const std::string& action, MatchingItemList&) override { calls.push_back(action); }
    void sendHotKeyActionToMainController(const std::string& action, OstrelHotKeyManager&) override { calls.push_back(action); }
    void runCommandWindow() override { smartDelegate().runCommandWindow(); }
    void updateMenuShortcuts() override { }
    void sendToApplication(const std::string& action) override { calls.push_back(action); }
    void checkForUpdates() override { }
    void displayNotification(const std::string& title, const std::string&, double, bool) override { calls.push_back(title); }
    std::optional<KeyCombo> storedKeyCombo(const std::string&) const override { return std::nullopt; }
    void compressWindow() override { }
    bool addLogEntryMenuItemShouldBeEnabled() const override { return false; }
    void addLogEntry(MatchingItemList&) override { }
    std::optional<FocusedPad> focusedPad() const override { return std::nullopt; }
    void parseSelectionOfFocusedPad() override { }
    void revealFocusedPadInFinder(MatchingItemList&) override { }
    void parseObjectiveField() override { }
    void parseClipboard() override { }

    std::vector<std::string> calls;

private:
    static ShellState* currentScreen()
    {
        auto machine = StateMachine::sharedStateMachine();
        return machine ? dynamic_cast<ShellState*>(machine->currentState().get()) : nullptr;
    }
};

// Every screen test: a fresh home and settings, a virtual clock, an offscreen application, and
// the program's start-up steps as app/ runs them: main controller, application delegate with
// a fake idle time, state machine, the wiring, the main window, launching, the first screen.
class ScreensTest : public testing::Test {
protected:
    explicit ScreensTest(const std::string& timeZone = "UTC")
        : home(timeZone)
    {
        // The dictionaries load before the log's reading thread starts (see the main window's tests).
        ui::SpellChecker::shared();
        auto backend = std::make_unique<ui::OffscreenBackend>();
        m_backend = backend.get();
        m_app = ui::Application::create(std::move(backend));
        base::Defaults::setStandard(m_store);
        m_model = DataModel::create(m_store);
        ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");
        m_previousAlerts = base::AlertPresenter::install([this](const base::AlertRequest& alert) {
            alerts.push_back(alert);
            return base::AlertAnswer { 0, false };
        });
        m_previousLauncher = desktop::Opener::setLauncher([](const std::vector<std::string>&) { return true; });
        m_previousSink = base::setDiagnosticSink([this](std::string_view line) { diagnostics.emplace_back(line); });
        setZrLogOn(true);
        BackingStoreManager::sharedManager().setNetworkInterfacesFolder(home.path() / "no-network");
        LogFileManager::sharedInstance().reset();
        Logger::sharedLogger().updateLogFileDescriptors();
        NowAndLaterBoardManager::sharedManager().reset();
        MainWindowHooks::shared().reset();
        postedEvents().clear();
        for (const char* screen : { "DefineTimeSliceState", "TimeSliceRunningState", "WelcomeState", "TimedBreakRunningState",
                 "RateTimeSliceState", "PausedState", "PrepareTimedBreakState", "InformalBreakState", "SoftBreakState" })
            recordEvents(screen);
    }
    ~ScreensTest() override
    {
        // A machine of its own replaces the shared one, so no screen of this case outlives it.
        if (machine) {
            auto fresh = StateMachine::create();
            fresh->awakeFromNib();
        }
        base::RunLoop::main().discardAll();
        StatusItemMenuManager::instance().removeAllItems();
        StateLinkingHelper::removeAllScreenFactories();
        helper.reset();
        machine.reset();
        if (m_app)
            m_app->setDelegate(nullptr);
        appDelegate.reset();
        MainController::setSharedInstance(nullptr);
        mainController.reset();
        MainWindowHooks::shared().reset();
        NowAndLaterBoardManager::sharedManager().reset();
        LogFileManager::sharedInstance().reset();
        ValueTransformer::removeAllValueTransformers();
        base::AlertPresenter::install(m_previousAlerts);
        desktop::Opener::setLauncher(m_previousLauncher);
        base::setDiagnosticSink(m_previousSink);
        setZrLogOn(false);
        base::RunLoop::main().discardAll();
        m_app.reset();
    }

    // The shell alone, up to the point where the wiring would wake: main controller, delegate,
    // state machine.
    void makeShell()
    {
        mainController = MainController::create();
        mainController->awakeFromNib();
        appDelegate = AppDelegate::create(*m_model);
        appDelegate->commandEnvironment = &environment;
        appDelegate->activityMonitor = ActivityMonitor::create([this] { return idleNanoseconds; });
        m_app->setDelegate(appDelegate.get());
        machine = StateMachine::create();
        machine->awakeFromNib();
    }
    // The main window made, the program launched (which starts the state machine on its
    // first screen) and active.
    void launch()
    {
        appDelegate->awakeFromNib();
        mainController->setPseudoAppDelegate(appDelegate.get());
        m_app->finishLaunching();
        appDelegate->mainWindow->window().makeKeyAndOrderFront();
    }
    // The whole start-up, the first screen shown: the define screen unless `launches` is 0.
    void startUp(int64_t launches = 1)
    {
        m_store->set("launchManagerLaunchCounter", launches);
        makeShell();
        helper = StateLinkingHelper::create(*m_model);
        helper->stateMachine = machine;
        helper->mainController = mainController;
        helper->appDelegate = appDelegate;
        helper->awakeFromNib();
        launch();
        window().layoutIfNeeded();
    }
    // The shell launched with one screen of the test's own as the first, built and shown.
    void startWith(const std::shared_ptr<BaseState>& screen)
    {
        makeShell();
        m_model->prepare();
        screen->build();
        machine->setInitialState(screen);
        launch();
        window().layoutIfNeeded();
    }

    base::Defaults& store() { return *m_store; }
    DataModel& model() { return *m_model; }
    ui::OffscreenBackend& backend() { return *m_backend; }
    ui::Application& app() { return *m_app; }
    ui::Window& window() { return appDelegate->mainWindow->window(); }
    MainWindowController& mainWindowController() { return *appDelegate->mainWindow->controller(); }
    std::shared_ptr<Screen> current() const { return machine->currentState(); }
    PopUpWindowContentViewController& commandPopUp() { return *appDelegate->commandWindow->popUpContentViewController(); }
    std::string statusTitle() { return mainController->item()->button()->title(); }

    // Runs what the main queue and the timers due by now hold.
    void drain() { base::RunLoop::main().runUntil(base::Time::now() + 0.01); }
    // Lets virtual time pass, firing every timer due on the way.
    void wait(double seconds) { base::RunLoop::main().runUntil(base::Time::now() + seconds); }
    // The computer sleeps: the clock jumps and the timers fire once on waking.
    void sleepFor(double seconds)
    {
        clock.advance(seconds);
        base::RunLoop::main().runOnce();
    }

    void press(base::KeyCode code, const std::string& characters, std::uint32_t modifiers = 0)
    {
        backend().press(*m_app->keyWindow(), static_cast<std::uint16_t>(code), characters, modifiers);
    }
    // Printable text, one key at a time, into the key window.
    void type(const std::string& text)
    {
        for (char c : text)
            backend().press(*m_app->keyWindow(), 0, std::string(1, c));
    }

    // A point of a view in its window's content, counted from the top left as input is given.
    static ui::Point topLeftOf(ui::View& view, ui::Point inView)
    {
        ui::Point base = view.convertPointTo(inView, nullptr);
        return { base.x, view.window()->frame().height() - base.y };
    }
    void click(ui::View& view) { backend().click(*view.window(), topLeftOf(view, view.bounds().center())); }

    // A picture for a look, into OSTREL_SCREEN_PICTURES when set, else the test's temporary folder.
    void writePicture(ui::Window& shown, const std::string& name)
    {
        const char* asked = std::getenv("OSTREL_SCREEN_PICTURES");
        std::filesystem::path folder = asked ? asked : std::filesystem::path(testing::TempDir()) / "ostrel-screen-pictures";
        std::filesystem::create_directories(folder);
        shown.layoutIfNeeded();
        shown.display();
        ASSERT_TRUE(shown.writePng(folder / (name + ".png")));
    }

    TemporaryHome home;
    base::VirtualTime clock;
    std::shared_ptr<base::Defaults> m_store = base::Defaults::create(home.configHome() / "Ostrel" / "defaults.json");
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ui::Application> m_app;
    ui::OffscreenBackend* m_backend { nullptr };
    ScreensEnvironment environment;
    uint64_t idleNanoseconds { 0 };
    std::shared_ptr<MainController> mainController;
    std::shared_ptr<AppDelegate> appDelegate;
    std::shared_ptr<StateMachine> machine;
    std::shared_ptr<StateLinkingHelper> helper;
    std::vector<base::AlertRequest> alerts;
    std::vector<std::string> diagnostics;

private:
    base::AlertPresenter::Handler m_previousAlerts;
    desktop::Opener::Launcher m_previousLauncher;
    base::DiagnosticSink m_previousSink;
};

}
