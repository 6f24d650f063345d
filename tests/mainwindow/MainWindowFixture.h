#pragma once

#include "mainwindow/FastTypeTextViewDelegate.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/PadViewController.h"
#include "mainwindow/ShownState.h"

#include "core/DataModel.h"
#include "core/ValueTransformers.h"
#include "core/ZrLog.h"
#include "log/BackingStoreDescriptor.h"
#include "log/BackingStoreManager.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "log/StringToTokenArrayTransformer.h"
#include "shell/DefaultSettings.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/Wall.h"
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
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ostrel::test {

// A screen as the main window sees it: two walls of fixed size.
class FakeScreen : public ShownState {
public:
    explicit FakeScreen(double infoHeight = 200)
    {
        m_info = Wall::create();
        m_info->setBackgroundColor(gfx::Color::rgb(0.2, 0.3, 0.5));
        LayoutConstraintMaker size(*m_info);
        size.height(infoHeight);
        m_info->addConstraints(size.constraints());
        m_buttons = Wall::create();
        LayoutConstraintMaker buttonSize(*m_buttons);
        buttonSize.width(120).height(24);
        m_buttons->addConstraints(buttonSize.constraints());
    }
    std::shared_ptr<Wall> infoWall() override { return m_info; }
    std::shared_ptr<Wall> buttonWall() override { return m_buttons; }
    std::shared_ptr<ui::View> firstResponder() override { return m_first; }

    std::shared_ptr<Wall> m_info;
    std::shared_ptr<Wall> m_buttons;
    std::shared_ptr<ui::View> m_first;
};

// Every main-window test: a fresh home, the program's registered settings in a store of the
// test's own, a virtual clock, an offscreen application, alerts and opened files recorded.
class MainWindowTest : public testing::Test {
protected:
    MainWindowTest()
    {
        // The dictionaries' modules are loaded before the log's reading thread starts: the
        // leak checker cannot walk the thread-local storage of a thread older than a module
        // that has its own, and stops the program at exit.
        ui::SpellChecker::shared();
        auto backend = std::make_unique<ui::OffscreenBackend>();
        m_backend = backend.get();
        m_app = ui::Application::create(std::move(backend));
        base::Defaults::setStandard(m_store);
        prepareDefaults();
        m_model = DataModel::create(m_store);
        m_model->prepare();
        ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");
        m_previousAlerts = base::AlertPresenter::install([this](const base::AlertRequest& alert) {
            alerts.push_back(alert);
            return base::AlertAnswer { alertAnswer, false };
        });
        m_previousLauncher = desktop::Opener::setLauncher([this](const std::vector<std::string>& argv) {
            opened.push_back(argv.back());
            return true;
        });
        m_previousSink = base::setDiagnosticSink([this](std::string_view line) { diagnostics.emplace_back(line); });
        setZrLogOn(true);
        BackingStoreManager::sharedManager().setNetworkInterfacesFolder(home.path() / "no-network");
        LogFileManager::sharedInstance().reset();
        Logger::sharedLogger().updateLogFileDescriptors();
        NowAndLaterBoardManager::sharedManager().reset();
        MainWindowHooks::shared().reset();
    }
    ~MainWindowTest() override
    {
        base::RunLoop::main().discardAll();
        m_mainWindow.reset();
        MainWindowHooks::shared().reset();
        NowAndLaterBoardManager::sharedManager().reset();
        LogFileManager::sharedInstance().reset();
        ValueTransformer::removeAllValueTransformers();
        base::AlertPresenter::install(m_previousAlerts);
        desktop::Opener::setLauncher(m_previousLauncher);
        base::setDiagnosticSink(m_previousSink);
        setZrLogOn(false);
        m_app.reset();
    }

    base::Defaults& store() { return *m_store; }
    ui::OffscreenBackend& backend() { return *m_backend; }
    // Runs what the main queue and the timers due by now hold.
    void drain() { base::RunLoop::main().runUntil(base::Time::now() + 0.01); }
    // Lets virtual time pass, firing every timer due on the way.
    void wait(double seconds) { base::RunLoop::main().runUntil(base::Time::now() + seconds); }

    // The main window showing a screen, on screen and key.
    MainWindowController& mainWindow()
    {
        if (!m_mainWindow) {
            m_mainWindow = MainWindow::makeMainWindow(*m_model);
            m_mainWindow->window().makeKeyAndOrderFront();
            m_mainWindow->controller()->showState(m_screen);
            m_mainWindow->window().layoutIfNeeded();
        }
        return *m_mainWindow->controller();
    }
    ui::Window& window()
    {
        mainWindow();
        return m_mainWindow->window();
    }
    PadViewController& nowPad() { return *mainWindow().nowPadController(); }
    NowAndLaterBoardTextView& nowText() { return *nowPad().textView(); }

    // Typing into the key window's first responder, one key at a time.
    void type(const std::string& text)
    {
        for (char c : text) {
            if (c == '\n')
                backend().press(window(), static_cast<std::uint16_t>(base::KeyCode::Return), "\r");
            else
                backend().press(window(), 0, std::string(1, c));
        }
    }
    void focusNowPad()
    {
        mainWindow().showPad("nowPadHidden");
        window().layoutIfNeeded();
        nowPad().focus();
    }
    std::filesystem::path padsFolder() const { return home.dataHome() / "Ostrel" / "Pads"; }

    TemporaryHome home;
    base::VirtualTime clock;
    std::shared_ptr<base::Defaults> m_store = base::Defaults::create({});
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ui::Application> m_app;
    ui::OffscreenBackend* m_backend { nullptr };
    FakeScreen m_screen;
    std::shared_ptr<MainWindow> m_mainWindow;
    std::vector<base::AlertRequest> alerts;
    int alertAnswer { 0 };
    std::vector<std::string> opened;
    std::vector<std::string> diagnostics;

private:
    base::AlertPresenter::Handler m_previousAlerts;
    desktop::Opener::Launcher m_previousLauncher;
    base::DiagnosticSink m_previousSink;
};

}
