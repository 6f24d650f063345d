#include "app/StartUp.h"

#include "core/DataModel.h"
#include "log/UnloggedTimeSlices.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/ProcessEnd.h"
#include "platform/base/Resources.h"
#include "platform/base/RunLoop.h"
#include "platform/base/StopSignals.h"
#include "platform/desktop/UrlScheme.h"
#include "platform/desktop/X11Connection.h"
#include "platform/gfx/FontWarmUp.h"
#include "platform/gfx/Fonts.h"
#include "platform/ui/Application.h"
#include "platform/ui/SdlBackend.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* kScheme = "ostrel2things";

// The first argument that is a link of our scheme: how the desktop hands one over.
std::optional<std::string> linkArgument(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (auto accepted = desktop::UrlScheme::accepted(argv[i], kScheme))
            return accepted;
    }
    return std::nullopt;
}

// The display DISPLAY names; offscreen drawing only where it is asked for by name, as the
// tests ask. None when the display cannot be opened.
std::unique_ptr<ui::WindowBackend> openWindowSystem()
{
    const char* asked = std::getenv("OSTREL_BACKEND");
    if (asked && std::string_view(asked) == "offscreen")
        return ui::WindowBackend::make("offscreen");
    return ui::SdlBackend::open();
}

std::string displayFailure()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return "ostrel: cannot open the display: DISPLAY is not set\n";
    return std::string("ostrel: cannot open the display \"") + display + "\"\n";
}

}

static int runProgram(int argc, char** argv)
{
    // Some diagnostic lines go to standard output: a line at a time, so that in a session's
    // log or a pipe they keep their order with the rest rather than coming a buffer late.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    auto link = linkArgument(argc, argv);
    // A copy that cannot show itself must never become the running copy: every later launch
    // would hand over to it and show nothing. It only passes on what it came with to a copy
    // already running (which needs no display of its own), else says so and fails.
    auto backend = openWindowSystem();
    if (!backend) {
        using Wait = desktop::UrlScheme::Wait;
        bool handed = link ? desktop::UrlScheme::sendToRunningCopy(*link, Wait::Never)
                           : desktop::UrlScheme::bringRunningCopyToFront(Wait::Never);
        if (handed)
            return 0;
        std::fputs(displayFailure().c_str(), stderr);
        return 1;
    }

    // One copy runs: a later launch hands its link (or its wish to see us) to it and ends.
    auto claim = desktop::UrlScheme::claim(kScheme);
    if (claim.otherCopyRuns) {
        bool handed = link ? desktop::UrlScheme::sendToRunningCopy(*link) : desktop::UrlScheme::bringRunningCopyToFront();
        return handed ? 0 : 1;
    }

    // The diagnostic log stays silent until the start-up has made its debug manager, which
    // switches it as "loggerIsOn" says: a user who turned it off hears nothing from us.
    if (!gfx::pinFonts(base::Resources::root() / "fonts" / "fonts.conf"))
        base::diagnostic("the program's fonts are not where its resources are; the desktop's own are used");
    // Joining the display draws no text: the first screen's fonts load meanwhile.
    auto fontWarmUp = gfx::FontWarmUp::start(ostrel::firstScreenFonts());

    auto application = ui::Application::create(std::move(backend));
    // Dock-less until the launch decides otherwise from "dockless".
    application->setActivationPolicy(ui::ActivationPolicy::Accessory);
    // SIGINT, SIGTERM and SIGHUP end the program between two pieces of work, in any mode, even with
    // an alert up, unasked since nobody is there to answer; the way out saves what was typed.
    application->terminateOnStopSignals([](int signal) { base::diagnostic(std::string("Ostrel stopping on ") + base::StopSignals::name(signal)); });
    // A lost display (the server gone, the connection killed) ends the program as a quit
    // does rather than with Xlib's status 1: the pads' last words are saved on the way out.
    // Called inside Xlib, whose next steps would end the process, so it ends it here.
    desktop::X11Connection::endOnLostWindowSystem([&application] {
        base::diagnostic("Window system: lost the connection to the display; ending as a quit does");
        application->terminateNow();
        ostrel::UnloggedTimeSlices::shared().keepOnDisk();
        base::Defaults::standard()->synchronize();
        base::endProcess(0);
    });
    auto& loop = base::RunLoop::main();

    ostrel::StartUp startUp(*application, [] () -> ostrel::DataModel& { return ostrel::DataModel::shared(); });
    startUp.installDesktopServices();
    startUp.setUrlSources(std::move(claim.listener), link);
    startUp.run();
    if (!application->isTerminating())
        loop.run();
    // A slice the log could not take whose copy could not be kept then either: once more.
    ostrel::UnloggedTimeSlices::shared().keepOnDisk();
    // Settings are written a moment after they change; the last ones go out now.
    base::Defaults::standard()->synchronize();
    return 0;
}

int main(int argc, char** argv)
{
    int code = runProgram(argc, argv);
    // The program's own parts are gone by now and every file is written; threads still
    // reading the log must not outlive what they use.
    base::endProcess(code);
}
