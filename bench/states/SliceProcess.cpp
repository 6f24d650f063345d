#include "bench/states/SliceProcess.h"

#include "states/StateLinkingHelper.h"
#include "states/TimeSliceScreens.h"

#include "core/DataModel.h"
#include "core/StateMachine.h"
#include "core/ValueTransformers.h"
#include "log/StringToTokenArrayTransformer.h"
#include "mainwindow/MainWindow.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/gfx/Fonts.h"
#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Window.h"

#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <unistd.h>

namespace bench {

namespace fs = std::filesystem;
using namespace ostrel;

namespace {

// A home of its own, so no settings or log of the developer's are read or written.
void makeHome()
{
    fs::path home = fs::temp_directory_path() / ("ostrel-bench-states-" + std::to_string(getpid()));
    fs::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    setenv("OSTREL_RESOURCES", OSTREL_BUILD_RESOURCES, 0);
    gfx::pinFonts(fs::path(OSTREL_SOURCE_DIR) / "resources/fonts/fonts.conf");
}

}

int runSlice(int orders)
{
    makeHome();
    auto app = ui::Application::create(ui::WindowBackend::make(""));
    base::Defaults::setStandard(base::Defaults::create(fs::path(getenv("XDG_CONFIG_HOME")) / "Ostrel" / "defaults.json"));
    ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");

    // Start-up's steps, as the shell takes them.
    auto mainController = MainController::create();
    mainController->awakeFromNib();
    auto appDelegate = AppDelegate::create();
    // Its idle poll is the shell's and measured with the whole program (bench_app).
    appDelegate->activityMonitor.reset();
    app->setDelegate(appDelegate.get());
    auto machine = StateMachine::create();
    machine->awakeFromNib();
    registerTimeSliceScreens();
    auto helper = StateLinkingHelper::create(DataModel::shared());
    helper->stateMachine = machine;
    helper->mainController = mainController;
    helper->appDelegate = appDelegate;
    auto store = base::Defaults::standard();
    store->set("launchManagerLaunchCounter", 3);
    helper->awakeFromNib();
    appDelegate->awakeFromNib();
    mainController->setPseudoAppDelegate(appDelegate.get());
    app->finishLaunching();
    appDelegate->mainWindow->window().makeKeyAndOrderFront();
    mainController->run();

    store->set("durationInSeconds", 1500);
    machine->triggerTransition("next");

    auto& loop = base::RunLoop::main();
    loop.addSource(orders, POLLIN, base::RunLoop::Mode::Common, [&](short) {
        char order = 0;
        if (read(orders, &order, 1) != 1 || order == 'q') {
            loop.stop();
            return;
        }
        if (order == 's')
            appDelegate->makeFront();
        else if (order == 'h')
            appDelegate->hide();
    });
    loop.run();
    base::RunLoop::main().discardAll();
    return 0;
}

}
