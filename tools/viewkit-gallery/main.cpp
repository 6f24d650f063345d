// The view kit in one window, for a developer to look at and for the end-to-end test to
// drive: shown on the display through the SDL backend, or drawn to a PNG with --png <file>
// (no display needed). --positions prints where the test clicks (see Gallery.h).
#include "Gallery.h"

#include "core/ValueTransformers.h"
#include "log/StringToTokenArrayTransformer.h"
#include "log/TagManager.h"

#include "platform/base/Defaults.h"
#include "platform/base/Resources.h"
#include "platform/base/RunLoop.h"
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

    auto screens = ui::Screen::screens();
    double top = screens.empty() ? Gallery::kHeight + 40 : screens.front().frame.maxY();
    Gallery gallery({ 40, top - 40 });
    QuitOnClose quit;
    gallery.window().setDelegate(&quit);

    if (!png.empty()) {
        bool written = gallery.window().writePng(png);
        std::printf("%s %s\n", written ? "wrote" : "could not write", png.c_str());
        return written ? 0 : 1;
    }
    if (positions)
        gallery.reportPositions();
    app->run();
    store->synchronize();
    return 0;
}
