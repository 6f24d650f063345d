#include "app/StartUp.h"

#include "shell/AppDelegate.h"
#include "shell/DefaultSettings.h"
#include "shell/DockManager.h"
#include "shell/HelpHooks.h"
#include "shell/MainController.h"
#include "shell/MainMenuBar.h"
#include "shell/OmniFocusHelper.h"
#include "shell/ShellCommandEnvironment.h"
#include "shell/SoftwareUpdater.h"
#include "states/StateLinkingHelper.h"

#include "attention/OstrelNotificationSystem.h"
#include "attention/OutputDeviceManager.h"
#include "attention/ScreenFadingHelper.h"
#include "attention/SoundManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "command/CommandPopUpWindow.h"
#include "command/OstrelHotKeyManager.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/DataModel.h"
#include "core/DebugManager.h"
#include "core/MacOSVersion.h"
#include "core/StateMachine.h"
#include "log/LogFileManager.h"
#include "log/UnloggedTimeSlices.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/MainWindowHooks.h"

#include "platform/base/Defaults.h"
#include "platform/desktop/IdleTime.h"
#include "platform/desktop/UrlScheme.h"
#include "platform/media/AudioOutput.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuBarView.h"
#include "platform/ui/Window.h"

namespace ostrel {

namespace {

// The wiring registers the main table once more. The model's own defaults must stand where
// both hold a key, as they would had the model first been used after both: the model
// registered them as it was made, so they are put back over the table's afterwards.
base::Value::Dictionary registeredOverTheMainTable(const base::Defaults& store)
{
    base::Value::Dictionary kept;
    for (const auto& [key, value] : mainDefaultSettings()) {
        auto registered = store.registeredObject(key);
        if (registered && !(*registered == value))
            kept[key] = *registered;
    }
    return kept;
}

}

StartUp::StartUp(ui::Application& application, ModelSource model)
    : m_application(application)
    , m_modelSource(std::move(model))
{
}

StartUp::~StartUp()
{
    OstrelHotKeyManager::shared().setEnvironment(nullptr);
    if (appDelegate)
        appDelegate->commandEnvironment = nullptr;
}

void StartUp::installDesktopServices()
{
    ui::Alert::installAsPresenter();
    m_audioOutput = media::AudioOutput::startProgramOutput();
    OstrelNotificationSystem::setSharedNotifier(OstrelNotificationSystem::create());
    ScreenFadingHelper::setShared(ScreenFadingHelper::create());
    // Where the desktop's own idle time cannot be read, our windows' input tells it.
    m_application.addLocalMonitor(ui::EventMask::Any, [](const ui::Event& event) -> std::optional<ui::Event> {
        if (event.isMouse() || event.type() == ui::Event::Type::KeyDown || event.type() == ui::Event::Type::FlagsChanged)
            desktop::IdleTime::noteUserInput();
        return event;
    });
}

void StartUp::setUrlSources(std::unique_ptr<desktop::UrlScheme> listener, std::optional<std::string> launchUrl)
{
    m_urlListener = std::move(listener);
    m_launchUrl = std::move(launchUrl);
}

void StartUp::installHooks()
{
    // Asked while the defaults are registered: the sound library's name for the system's own.
    setDefaultOutputDeviceProvider([] { return std::optional<std::string>(SoundManager::kDefaultOutputDeviceUID); });
    MacOSVersion::setAppearanceProvider([] {
        auto* application = ui::Application::shared();
        return application && application->isDarkAppearance();
    });
    LogFileManager::sharedInstance().setForceLogRead([] {
        if (auto controller = MainController::sharedInstance())
            controller->forceLogRead(controller.get());
        else
            LogFileManager::sharedInstance().update();
    });
    auto& hooks = MainWindowHooks::shared();
    hooks.runCommandPopUp = [](ui::Button& commandButton) {
        auto* application = ui::Application::shared();
        auto* delegate = application ? dynamic_cast<AppDelegate*>(application->delegate()) : nullptr;
        if (delegate && delegate->commandWindow)
            delegate->commandWindow->popUpContentViewController()->run(true, &commandButton, true);
    };
    hooks.parseOmniFocusTask = [](std::string_view xml) -> std::optional<OmniFocusTask> {
        auto task = OmniFocusHelper::parseTaskInfo(xml);
        if (!task)
            return std::nullopt;
        return OmniFocusTask { task->estimatedMinutesAsInt(), task->contextNames() };
    };
}

void StartUp::makeObjects()
{
    mainController = MainController::create();
    m_model = &m_modelSource();
    auto store = m_model->store();
    commandEnvironment = std::make_unique<ShellCommandEnvironment>(*m_model);
    OstrelHotKeyManager::shared().setEnvironment(commandEnvironment.get());
    appDelegate = AppDelegate::create(*m_model);
    appDelegate->commandEnvironment = commandEnvironment.get();
    // The application's delegate from the start: screens reach it as they are built.
    m_application.setDelegate(appDelegate.get());
    stateMachine = StateMachine::create();
    registerScreenLibraries();
    auto modelsOwn = registeredOverTheMainTable(*store);
    stateLinkingHelper = StateLinkingHelper::create(*m_model);
    store->registerDefaults(modelsOwn);
    dockManager = DockManager::create();
    debugManager = DebugManager::create(store);
    std::weak_ptr<AppDelegate> delegate = appDelegate;
    mainController->setMockSoftwareUpdater(SoftwareUpdater::create([delegate] {
        auto shown = delegate.lock();
        return shown ? shown->sparkleUserAgentString() : std::string("Ostrel");
    }));
    menus = ApplicationMenus::build(*mainController, *dockManager, *store);
    outputDeviceManager = OutputDeviceManager::create(store, ui::Menu::create("Output Device"));
    standAloneNoiseMachine = StandAloneNoiseMachine::create(store, menus.backgroundSoundsMenu, menus.statusBackgroundSoundsMenu);
}

void StartUp::wake()
{
    mainController->awakeFromNib();
    mainController->setUrlSources(std::move(m_urlListener), std::move(m_launchUrl));
    dockManager->awakeFromNib();
    debugManager->awakeFromNib();
    outputDeviceManager->awakeFromNib();
    stateMachine->awakeFromNib();
    stateLinkingHelper->stateMachine = stateMachine;
    stateLinkingHelper->mainController = mainController;
    stateLinkingHelper->appDelegate = appDelegate;
    stateLinkingHelper->awakeFromNib();
    appDelegate->awakeFromNib();
    dockManager->on_becameRegularApplication = [this] {
        menuBar = MainMenuBar::install(appDelegate->mainWindow->window(), menus.mainMenu);
    };
    // The interface's window had its place when it loaded: the remembered one, else the
    // default. Growing to its first screen keeps its top left there.
    appDelegate->mainWindow->controller()->repositionMainWindowAccordingToSettingsWithHint(ui::Point(0, 0));
}

void StartUp::run()
{
    installHooks();
    makeObjects();
    installHelpHooks(appDelegate.get());
    wake();
    // Slices the log could not take before go in now, for the first read to show them.
    UnloggedTimeSlices::shared().writeToLog();
    m_application.setMainMenu(menus.mainMenu);
    m_application.finishLaunching();
    // The window the interface showed as it loaded comes forward where the first screen put it.
    appDelegate->makeFront();
}

}
