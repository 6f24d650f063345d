#include "shell/MainController.h"

#include "shell/AppDelegate.h"
#include "shell/DefaultSettings.h"
#include "shell/DockManager.h"
#include "shell/MailingListManager.h"
#include "shell/OstrelStatusItemButtonController.h"
#include "shell/PreferencesValueTransformers.h"
#include "shell/SandboxHelper.h"
#include "shell/ShellState.h"
#include "shell/UnusableSettingsNotice.h"

#include "attention/OstrelNotificationSystem.h"
#include "command/OstrelHotKeyManager.h"
#include "core/StateMachine.h"
#include "core/ValueTransformers.h"
#include "core/ZrLog.h"
#include "log/FullFeaturedStatisticsManager.h"
#include "log/Logger.h"
#include "log/StringToDateTransformer.h"
#include "log/StringToTokenArrayTransformer.h"
#include "log/UpgradeManager.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/PadViewController.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/MainQueue.h"
#include "platform/desktop/UrlScheme.h"
#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"
#include "platform/ui/StatusItem.h"

#include <filesystem>
#include <utility>

namespace ostrel {

namespace {

std::shared_ptr<MainController>& shared()
{
    static std::shared_ptr<MainController> instance;
    return instance;
}

constexpr const char* kUrlScheme = "ostrel2things";

}

namespace {
bool classIsSetUp = false;
}

void MainController::forgetClassSetUp() { classIsSetUp = false; }

void MainController::initialize()
{
    if (classIsSetUp)
        return;
    classIsSetUp = true;
    zr_log("Ostrel Launching");
    zr_log("*******************");
    // The five by name: these two, and the preferences window's three.
    ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");
    ValueTransformer::setValueTransformer(std::make_shared<StringToDateTransformer>(), "StringToDateTransformer");
    registerPreferencesValueTransformers();
    ostrel::prepareDefaults();
    auto store = base::Defaults::standard();
    if (store->boolean("firstLaunch")) {
        store->set("firstLaunch", false);
        store->synchronize();
        syncOldPreferences();
        if (!SandboxHelper::isLaunchAtStartup())
            SandboxHelper::toggleLaunchAtStartup();
        chooseVariation();
    }
}

std::shared_ptr<MainController> MainController::create()
{
    initialize();
    return std::shared_ptr<MainController>(new MainController);
}

MainController::MainController()
    : m_dockMenu(ui::Menu::create())
    , m_statusItemButtonController(OstrelStatusItemButtonController::create())
{
}

MainController::~MainController() = default;

std::shared_ptr<MainController> MainController::sharedInstance() { return shared(); }

void MainController::setSharedInstance(std::shared_ptr<MainController> controller) { shared() = std::move(controller); }

void MainController::prepareDefaults()
{
    initialize();
    ostrel::prepareDefaults();
}

void MainController::awakeFromNib()
{
    shared() = shared_from_this();
    createMenuItem();
}

void MainController::createMenuItem()
{
    m_item = ui::StatusItem::create();
    m_item->setMenu(m_dockMenu);
    OstrelStatusItemButtonController::applyMenuBarIcon(*m_item);
    m_item->button()->setFont(gfx::Font::monospacedDigitSystem(14));
    std::weak_ptr<OstrelStatusItemButtonController> target = m_statusItemButtonController;
    m_item->onClick = [target] {
        if (auto controller = target.lock())
            controller->clickStatusItem();
    };
}

AppDelegate& MainController::delegate() const
{
    if (!m_pseudoAppDelegate)
        base::fatal("MainController: no application delegate yet");
    return *m_pseudoAppDelegate;
}

void MainController::applicationWillFinishLaunching(const ui::Notification&)
{
    installUrlHandler();
    UpgradeManager::sharedInstance().upgradeEverything();
    zr_log("reading time slice data to guarantee that tags are initialized properly.");
    FullFeaturedStatisticsManager::sharedInstance()->prepareDataSet();
}

void MainController::applicationDidFinishLaunching(const ui::Notification&)
{
    SandboxHelper::dealWithLaunchFromDiskImage();
    // Never sandboxed here: the Dropbox folder needs no access regained, nor given up at the end.
    auto& appDelegate = delegate();
    if (appDelegate.mainWindow)
        appDelegate.mainWindow->controller()->setIgnoreMovementUpdates(false);
    if (auto dock = DockManager::sharedManager())
        dock->applyPresentation();
    DockManager::storeBundleVersion();
    OstrelHotKeyManager::shared().registerAllHotKeys();
    if (auto* application = ui::Application::shared())
        application->setNextResponder(this);
    setNextResponder(StateMachine::sharedStateMachine().get());
    MailingListManager::sharedInstance().doIt();
    run();
    tellOfUnusableSettingsWhenShown(*base::Defaults::standard());
    tellOfSettingsProblemsWhileRunning(*base::Defaults::standard());
}

void MainController::applicationDidBecomeActive(const ui::Notification&)
{
    zr_log("applicationDidBecomeActive");
    OstrelNotificationSystem::sharedNotifier().applicationDidBecomeActive();
}

void MainController::run()
{
    if (auto machine = StateMachine::sharedStateMachine())
        machine->start();
}

ShellState* MainController::currentShellState()
{
    auto machine = StateMachine::sharedStateMachine();
    return machine ? dynamic_cast<ShellState*>(machine->currentState().get()) : nullptr;
}

ui::TerminateReply MainController::applicationShouldTerminate()
{
    auto* state = currentShellState();
    // Seconds worked and not yet logged are lost as surely as a running slice's: in a pause,
    // the soft break or the rating too.
    bool ask = (state && state->shouldConfirmTerminationWithUser()) || Logger::sharedLogger().actualSecondsWorked() > 0;
    if (ask) {
        // The question comes with the program in front, whatever hid it (Quit from the status
        // menu, a session ending).
        if (m_pseudoAppDelegate && m_pseudoAppDelegate->mainWindow)
            m_pseudoAppDelegate->makeFront();
        base::AlertRequest alert;
        alert.style = base::AlertRequest::Style::Warning;
        alert.message = "Are you sure you want to quit Ostrel?";
        alert.informativeText = "Your timeslice will not be logged.";
        alert.buttons = { "OK", "Cancel" };
        if (base::AlertPresenter::present(alert).button != 0)
            return ui::TerminateReply::Cancel;
    }
    PadViewController::saveAllPads();
    return ui::TerminateReply::Now;
}

void MainController::setUrlSources(std::unique_ptr<desktop::UrlScheme> listener, std::optional<std::string> launchUrl)
{
    m_urlListener = std::move(listener);
    m_launchUrl = std::move(launchUrl);
}

void MainController::installUrlHandler()
{
    desktop::UrlScheme::installHandler(kUrlScheme);
    std::weak_ptr<MainController> weak = weak_from_this();
    if (m_urlListener) {
        m_urlListener->on_url = [weak](const std::string& url) {
            if (auto controller = weak.lock())
                controller->getUrl(url);
        };
        m_urlListener->on_bring_to_front = [weak] {
            if (auto controller = weak.lock())
                controller->bringToFront();
        };
    }
    // The desktop started us for a link: it is served as one handed over later would be.
    if (auto url = std::exchange(m_launchUrl, std::nullopt)) {
        base::MainQueue::async([weak, url = *url] {
            if (auto controller = weak.lock())
                controller->getUrl(url);
        });
    }
}

void MainController::getUrl(const std::string& url)
{
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    zr_log("%s %s", "getUrl [started]", error ? "" : program.parent_path().c_str());
    // No task manager of that kind runs on this desktop, so no to-do can be shown.
    if (thingsToDoIdentifier(url))
        zr_log("could not find Things application");
    zr_log("url scheme activated!");
}

std::optional<std::string> MainController::thingsToDoIdentifier(const std::string& url)
{
    if (url.rfind(kUrlScheme, 0) != 0)
        return std::nullopt;
    std::string prefix = std::string(kUrlScheme) + "://";
    return url.find(prefix) != std::string::npos ? url.substr(prefix.size()) : url;
}

void MainController::updateMenuShortcuts()
{
    auto& hotKeys = OstrelHotKeyManager::shared();
    auto update = [&hotKeys](const std::shared_ptr<ui::MenuItem>& item, const std::shared_ptr<ui::MenuItem>& item2, const char* key) {
        if (item)
            hotKeys.updateMenuShortcut(*item, item2.get(), key);
        else if (item2)
            hotKeys.updateMenuShortcut(*item2, static_cast<ui::MenuItem*>(nullptr), key);
    };
    auto& m = menuItems;
    update(m.focusNowHotkeyMenuItem, nullptr, "now");
    update(m.focusLaterHotkeyMenuItem, nullptr, "later");
    update(m.focusScratchPadHotkeyMenuItem, nullptr, "scratch");
    update(m.readObjectiveAloudHotKeyMenuItem, nullptr, "readObjectiveAloud");
    update(m.startTimeSliceMenuItem, m.startTimeSliceDockMenuItem, "startTimeSlice");
    update(m.pauseTimeSliceMenuItem, m.pauseTimeSliceDockMenuItem, "pauseTimeSlice");
    update(m.startTimedBreakMenuItem, m.startTimedBreakDockMenuItem, "startTimedBreak");
    update(m.endTimeSliceMenuItem, m.endTimeSliceDockMenuItem, "endTimeSlice");
    update(m.showCommandWindowMenuItem, nullptr, "bringToFront");
}

void MainController::disableMenuShortcuts()
{
    auto& m = menuItems;
    for (const auto* item : { &m.focusNowHotkeyMenuItem, &m.focusLaterHotkeyMenuItem, &m.focusScratchPadHotkeyMenuItem, &m.readObjectiveAloudHotKeyMenuItem,
             &m.startTimeSliceMenuItem, &m.startTimeSliceDockMenuItem, &m.pauseTimeSliceMenuItem, &m.pauseTimeSliceDockMenuItem, &m.startTimedBreakMenuItem,
             &m.startTimedBreakDockMenuItem, &m.endTimeSliceMenuItem, &m.endTimeSliceDockMenuItem }) {
        if (*item) {
            (*item)->setKeyEquivalent("");
            (*item)->setKeyEquivalentModifierMask(0);
        }
    }
}

bool MainController::validate()
{
    delegate().validateInputFields();
    return true;
}

}
