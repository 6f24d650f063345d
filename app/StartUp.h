#pragma once

#include "shell/ApplicationMenus.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace desktop {
class UrlScheme;
}
namespace gfx {
struct WarmFont;
}
namespace media {
class AudioOutput;
}
namespace ui {
class Application;
class MenuBarView;
}

namespace ostrel {

class AppDelegate;
class DataModel;
class DebugManager;
class DockManager;
class MainController;
class OutputDeviceManager;
class ShellCommandEnvironment;
class StandAloneNoiseMachine;
class StateLinkingHelper;
class StateMachine;

// The program's start-up, in the order the shell documents: the objects the interface would
// have held are made (main controller, application delegate, state machine, the screens'
// wiring, the dock manager, the updater, the output devices and the background sound with
// their menus), then woken (status item, menus, screens linked, log read and watched, main
// window), then the application finishes launching, which runs the delegate's lists: the
// pop-up and the controller's will-finish steps, then its did-finish steps (presentation,
// hot keys, responder chain, first screen), the launch-time tasks and the pads' observers.
//
// Each object lives as long as the start-up, which lives for the run.
class StartUp {
public:
    // Asked for once the main controller's class is set up: the model's own settings
    // register as it is made, and must come after the main table. It outlives the start-up.
    using ModelSource = std::function<DataModel&()>;
    // The application object exists.
    StartUp(ui::Application& application, ModelSource model);
    ~StartUp();
    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

    // What only the real program installs: alert panels, the sound card, desktop banners,
    // screen covers, the desktop's idle time fed by our windows' input. Tests leave them.
    void installDesktopServices();

    // The URL listener of the running copy and the link this launch came with.
    void setUrlSources(std::unique_ptr<desktop::UrlScheme> listener, std::optional<std::string> launchUrl);

    // Every step up to the first screen shown: make, wake, finish launching.
    void run();

    std::shared_ptr<MainController> mainController;
    std::shared_ptr<AppDelegate> appDelegate;
    std::shared_ptr<StateMachine> stateMachine;
    std::shared_ptr<StateLinkingHelper> stateLinkingHelper;
    std::shared_ptr<DockManager> dockManager;
    std::shared_ptr<OutputDeviceManager> outputDeviceManager;
    std::shared_ptr<StandAloneNoiseMachine> standAloneNoiseMachine;
    std::shared_ptr<DebugManager> debugManager;
    std::unique_ptr<ShellCommandEnvironment> commandEnvironment;
    ApplicationMenus menus;
    // In the main window of a regular application.
    std::shared_ptr<ui::MenuBarView> menuBar;

private:
    void installHooks();
    void makeObjects();
    void wake();

    ui::Application& m_application;
    ModelSource m_modelSource;
    DataModel* m_model { nullptr };
    std::shared_ptr<media::AudioOutput> m_audioOutput;
    std::unique_ptr<desktop::UrlScheme> m_urlListener;
    std::optional<std::string> m_launchUrl;
};

// Each screen library's factories, registered with the screens' wiring before it is made.
void registerScreenLibraries();

// What the first screen measures and draws its texts with, to be loaded while the display
// opens.
std::vector<gfx::WarmFont> firstScreenFonts();

}
