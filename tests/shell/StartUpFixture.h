#pragma once

#include "ShellFixture.h"

#include "app/StartUp.h"
#include "core/DataModel.h"
#include "core/StateMachine.h"
#include "core/ValueTransformers.h"
#include "core/ZrLog.h"
#include "log/BackingStoreManager.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "shell/StatusItemMenuManager.h"
#include "states/StateLinkingHelper.h"

#include "platform/base/RunLoop.h"
#include "platform/desktop/UrlScheme.h"
#include "platform/base/VirtualTime.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/SpellChecker.h"
#include "platform/ui/Window.h"

#include <memory>
#include <optional>
#include <utility>

namespace ostrel::test {

// The program's whole start-up, headless: an offscreen application in the case's own home,
// on a virtual clock, started as app/ starts it (without the desktop's alerts, sound,
// banners and covers). `relaunch()` ends the run and starts the next one over the same
// settings, as a new process would.
class StartUpTest : public ShellTest {
protected:
    StartUpTest()
    {
        // The dictionaries load before the log's reading thread starts (see the main window's tests).
        ui::SpellChecker::shared();
        setZrLogOn(true);
        BackingStoreManager::sharedManager().setNetworkInterfacesFolder(home.path() / "no-network");
    }
    ~StartUpTest() override
    {
        endRun();
        setZrLogOn(false);
    }

    // One launch of the program, up to its first screen.
    void launch()
    {
        auto backend = std::make_unique<ui::OffscreenBackend>();
        m_backend = backend.get();
        m_app = ui::Application::create(std::move(backend));
        // As the program starts: dock-less until the launch decides otherwise.
        m_app->setActivationPolicy(ui::ActivationPolicy::Accessory);
        LogFileManager::sharedInstance().reset();
        Logger::sharedLogger().updateLogFileDescriptors();
        NowAndLaterBoardManager::sharedManager().reset();
        MainWindowHooks::shared().reset();
        if (prepareRun)
            prepareRun();
        MainController::forgetClassSetUp();
        startUp = std::make_unique<StartUp>(*m_app, [this]() -> DataModel& {
            m_model = DataModel::create(settings);
            return *m_model;
        });
        startUp->setUrlSources(std::move(urlListener), std::exchange(launchUrl, std::nullopt));
        startUp->run();
    }
    // This run ends; the next launch reads the settings from the file.
    void relaunch()
    {
        endRun();
        relaunchSettings();
        launch();
    }
    void endRun()
    {
        if (!startUp)
            return;
        if (auto machine = StateMachine::create())
            machine->awakeFromNib();
        base::RunLoop::main().discardAll();
        StatusItemMenuManager::instance().removeAllItems();
        StateLinkingHelper::removeAllScreenFactories();
        m_app->setDelegate(nullptr);
        startUp.reset();
        MainController::setSharedInstance(nullptr);
        MainWindowHooks::shared().reset();
        NowAndLaterBoardManager::sharedManager().reset();
        LogFileManager::sharedInstance().reset();
        ValueTransformer::removeAllValueTransformers();
        base::RunLoop::main().discardAll();
        m_model.reset();
        m_app.reset();
    }

    // Runs what the main queue and the timers due by now hold.
    void drain() { base::RunLoop::main().runUntil(base::Time::now() + 0.01); }

    MainController& controller() { return *startUp->mainController; }
    AppDelegate& delegate() { return *startUp->appDelegate; }
    ui::Window& mainWindow() { return delegate().mainWindow->window(); }
    std::string currentScreen() { return startUp->stateMachine->currentState()->className(); }
    ui::Application& app() { return *m_app; }
    ui::OffscreenBackend& backend() { return *m_backend; }

    base::VirtualTime clock;
    // Run before each launch's start-up, to watch it.
    std::function<void()> prepareRun;
    // What the next launch is given: the running copy's listener, the link it came with.
    std::unique_ptr<desktop::UrlScheme> urlListener;
    std::optional<std::string> launchUrl;
    std::unique_ptr<StartUp> startUp;

private:
    std::unique_ptr<ui::Application> m_app;
    ui::OffscreenBackend* m_backend { nullptr };
    std::unique_ptr<DataModel> m_model;
};

}
