// The view kit in two windows (the kit, and its time views), for a developer to look at and
// for the end-to-end tests to drive: shown on the display through the SDL backend, or drawn
// to PNGs with --png <file> (no display needed; the time views go to <file>-time.png).
// --positions prints where the tests click (see Gallery.h and TimeGallery.h).
#include "Gallery.h"
#include "TimeGallery.h"

#include "core/DataModel.h"

#include "core/ValueTransformers.h"
#include "log/StringToTokenArrayTransformer.h"
#include "log/TagManager.h"

#include "platform/base/Defaults.h"
#include "platform/base/Resources.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/gfx/Fonts.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/Screen.h"

#include <cstdio>
#include <filesystem>
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
    std::fprintf(stderr, "viewkit-gallery: no font configuration found, using the desktop's fonts\n");
}

struct QuitOnClose : ui::WindowDelegate {
    bool windowShouldClose(ui::Window&) override
    {
        if (auto* app = ui::Application::shared())
            app->terminate();
        return true;
    }
};

}

int main(int argc, char** argv)
{
    std::string png;
    bool positions = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--png" && i + 1 < argc) {
            png = argv[++i];
        } else if (argument == "--positions") {
            positions = true;
        } else {
            std::fprintf(stderr, "usage: %s [--png <file>] [--positions]\n", argv[0]);
            return 2;
        }
    }
    pinShippedFonts();
    auto backend = png.empty() ? ui::WindowBackend::make() : std::make_unique<ui::OffscreenBackend>();
    if (!backend) {
        std::fprintf(stderr, "viewkit-gallery: no display to show the window on (try --png)\n");
        return 1;
    }
    auto app = ui::Application::create(std::move(backend));
    app->setDarkAppearance(true);

    // What start-up gives the kit: the tag transformer, the tags of a log, the tag setting.
    ostrel::ValueTransformer::setValueTransformer(std::make_shared<ostrel::StringToTokenArrayTransformer>(),
        "StringToTokenArrayTransformer");
    ostrel::TagManager::sharedInstance().addTagsFromString("admin,reading,writing");
    auto store = base::Defaults::standard();
    store->registerDefaults({ { "tags", "" } });

    ostrel::DataModel::shared().prepare();

    auto screens = ui::Screen::screens();
    double top = screens.empty() ? TimeGallery::kHeight + 40 : screens.front().frame.maxY();
    Gallery gallery({ 40, top - 40 });
    TimeGallery timeGallery({ 40 + Gallery::kWidth + 20, top - 40 });
    QuitOnClose quit;
    gallery.window().setDelegate(&quit);
    timeGallery.window().setDelegate(&quit);
    timeGallery.refresh();
    // The kit's window keeps the keyboard, as it had before the time views joined it.
    gallery.window().makeKeyAndOrderFront();

    if (!png.empty()) {
        // The read-out moves to its value over a quarter of a second.
        base::RunLoop::main().runUntil(base::Time::now() + 0.3);
        auto timePng = std::filesystem::path(png);
        timePng.replace_filename(timePng.stem().string() + "-time" + timePng.extension().string());
        bool written = true;
        for (auto [window, file] : { std::pair { &gallery.window(), std::filesystem::path(png) }, std::pair { &timeGallery.window(), timePng } }) {
            bool ok = window->writePng(file);
            std::printf("%s %s\n", ok ? "wrote" : "could not write", file.c_str());
            written = written && ok;
        }
        return written ? 0 : 1;
    }
    if (positions) {
        gallery.reportPositions();
        timeGallery.reportPositions();
    }
    app->run();
    store->synchronize();
    return 0;
}
