// The main window with a stand-in screen, for a developer to look at and for the end-to-end
// test to drive: shown on the display through the SDL backend, or drawn to a PNG with
// --png <file> (no display needed), a pad opened with --pad <now|later|scratch|logbook|stats|help>,
// the log entry editor with --editor, a few entries of today in the log with --sample-log.
// --positions prints where the test clicks (see Demo.h).
#include "Demo.h"

#include "mainwindow/LogBookTableViewController.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/PadTable.h"

#include "platform/base/Defaults.h"
#include "platform/base/ProcessEnd.h"
#include "platform/base/Resources.h"
#include "platform/base/RunLoop.h"
#include "platform/base/StopSignals.h"
#include "platform/gfx/Fonts.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/Window.h"

#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace {

// The program's pinned fonts: from its resources, else from the source tree.
void pinShippedFonts()
{
    for (auto folder : { base::Resources::root(), std::filesystem::path(OSTREL_SOURCE_DIR) / "resources" }) {
        auto file = folder / "fonts/fonts.conf";
        if (std::filesystem::exists(file) && gfx::pinFonts(file))
            return;
    }
    std::fprintf(stderr, "mainwindow-demo: no font configuration found, using the desktop's fonts\n");
}

// A tool sits further from the resources than the program does: this build's, unless some
// are named.
void findResources()
{
    if (!std::getenv("OSTREL_RESOURCES") && !base::Resources::path("now", "rtf", "templates"))
        setenv("OSTREL_RESOURCES", OSTREL_BUILD_RESOURCES, 0);
}

const std::map<std::string, std::size_t> kPads { { "now", ostrel::PadTable::kNow }, { "later", ostrel::PadTable::kLater },
    { "scratch", ostrel::PadTable::kScratch }, { "logbook", ostrel::PadTable::kLogBook },
    { "stats", ostrel::PadTable::kStatistics }, { "help", ostrel::PadTable::kHelp } };

}

int main(int argc, char** argv)
{
    std::string png;
    std::string pad;
    bool editor = false;
    bool sampleLog = false;
    bool positions = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--png" && i + 1 < argc) {
            png = argv[++i];
        } else if (argument == "--pad" && i + 1 < argc && kPads.contains(argv[i + 1])) {
            pad = argv[++i];
        } else if (argument == "--editor") {
            editor = true;
        } else if (argument == "--sample-log") {
            sampleLog = true;
        } else if (argument == "--positions") {
            positions = true;
        } else {
            std::fprintf(stderr, "usage: %s [--png <file>] [--pad now|later|scratch|logbook|stats|help] [--editor] [--sample-log] [--positions]\n",
                argv[0]);
            return 2;
        }
    }
    findResources();
    pinShippedFonts();
    auto backend = png.empty() ? ui::WindowBackend::make() : std::make_unique<ui::OffscreenBackend>();
    if (!backend) {
        std::fprintf(stderr, "mainwindow-demo: no display to show the window on (try --png)\n");
        return 1;
    }
    auto app = ui::Application::create(std::move(backend));
    app->setDarkAppearance(true);

    Demo demo;
    if (sampleLog)
        Demo::addSampleEntries();
    demo.show();
    demo.loadLog();
    auto& controller = *demo.mainWindow().controller();
    if (!pad.empty())
        controller.showPad(ostrel::PadTable::pad(kPads.at(pad)).hiddenKey);
    if (editor) {
        auto& logBook = *controller.logBookTableViewController();
        controller.showPad("logBookPadHidden");
        logBook.dataSet().empty() ? logBook.startNewLogEntry() : logBook.startEdit(0);
    }

    if (!png.empty()) {
        base::RunLoop::main().runUntil(base::Time::now() + 0.1);
        bool written = demo.mainWindow().window().writePng(png);
        std::printf("%s %s\n", written ? "wrote" : "could not write", png.c_str());
        base::Defaults::standard()->synchronize();
        return written ? 0 : 1;
    }
    if (positions)
        demo.reportPositions();
    // As the program ends: SIGTERM and SIGINT end the run through will-terminate, where the
    // main window saves every pad and an open log entry.
    app->terminateOnStopSignals([](int signal) {
        std::fprintf(stderr, "mainwindow-demo stopping on %s\n", base::StopSignals::name(signal));
    });
    app->run();
    base::Defaults::standard()->synchronize();
    // Threads still reading the log must not outlive what they use.
    base::endProcess(0);
}
