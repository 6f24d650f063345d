#include "BenchWindow.h"

#include "mainwindow/MainWindowController.h"
#include "mainwindow/ShownState.h"

#include "core/DataModel.h"
#include "core/ValueTransformers.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "log/StringToTokenArrayTransformer.h"
#include "shell/DefaultSettings.h"
#include "viewkit/Wall.h"

#include "platform/base/Defaults.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/gfx/Fonts.h"
#include "platform/ui/Window.h"

#include <cstdlib>

namespace bench {

namespace {

class EmptyScreen : public ostrel::ShownState {
public:
    std::shared_ptr<ostrel::Wall> infoWall() override { return m_info; }
    std::shared_ptr<ostrel::Wall> buttonWall() override { return nullptr; }
    std::shared_ptr<ui::View> firstResponder() override { return nullptr; }
    std::shared_ptr<ostrel::Wall> m_info { ostrel::Wall::create() };
};

}

BenchWindow::BenchWindow(const std::string& homeName)
    : m_home(std::filesystem::temp_directory_path() / homeName)
{
    std::filesystem::create_directories(m_home);
    setenv("HOME", m_home.c_str(), 1);
    setenv("XDG_DATA_HOME", (m_home / ".local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_home / ".config").c_str(), 1);
    setenv("OSTREL_RESOURCES", OSTREL_BUILD_RESOURCES, 0);
    gfx::pinFonts(std::filesystem::path(OSTREL_SOURCE_DIR) / "resources/fonts/fonts.conf");
    auto backend = std::make_unique<ui::OffscreenBackend>();
    m_backend = backend.get();
    m_app = ui::Application::create(std::move(backend));
    base::Defaults::setStandard(base::Defaults::create({}));
    ostrel::prepareDefaults();
    ostrel::DataModel::shared().prepare();
    ostrel::ValueTransformer::setValueTransformer(std::make_shared<ostrel::StringToTokenArrayTransformer>(),
        "StringToTokenArrayTransformer");
    ostrel::Logger::sharedLogger().updateLogFileDescriptors();
}

BenchWindow::~BenchWindow()
{
    base::RunLoop::main().discardAll();
    m_mainWindow.reset();
    m_app.reset();
}

void BenchWindow::open()
{
    static EmptyScreen screen;
    m_mainWindow = ostrel::MainWindow::makeMainWindow();
    window().makeKeyAndOrderFront();
    m_mainWindow->controller()->showState(screen);
    window().display();
}

text::AttributedString padPage(std::size_t characters, bool listItems)
{
    text::Attributes plain;
    plain.font = gfx::Font::named("Helvetica", 12);
    text::Attributes bold = plain;
    bold.font->postScriptName = "Helvetica-Bold";
    text::Attributes link = plain;
    link.link = "https://example.org/task";
    text::Attributes item = plain;
    item.paragraph.textLists = { "{disc}" };
    text::AttributedString page;
    while (page.length() < characters) {
        page.append(u"Write the ", plain);
        page.append(u"quarterly report", bold);
        page.append(u" and send it to the team befor Friday; check ", plain);
        page.append(u"the task", link);
        page.append(u" for the figures that are stil missing from the draft.\n", plain);
        if (listItems)
            page.append(u"\t\u2022\tcall the bank about the transfer\n", item);
    }
    return page;
}

void BenchWindow::turn() { base::RunLoop::main().runUntil(base::Time::now() + 0.005); }

}
