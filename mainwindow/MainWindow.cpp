#include "mainwindow/MainWindow.h"

#include "mainwindow/MainWindowController.h"
#include "mainwindow/NowAndLaterBoardManager.h"

#include "core/DataModel.h"

#include "platform/ui/Application.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <iostream>

namespace ostrel {

std::shared_ptr<MainWindow> MainWindow::makeMainWindow() { return makeMainWindow(DataModel::shared()); }

std::shared_ptr<MainWindow> MainWindow::makeMainWindow(DataModel& model)
{
    using namespace ui::WindowStyle;
    std::shared_ptr<MainWindow> mainWindow(new MainWindow);
    // Decorated by the desktop; the title bar's own title stays for the task bar's sake.
    mainWindow->m_window = ui::Window::create(ui::Rect(), Titled | Closable | Miniaturizable | Resizable | FullSizeContentView);
    auto& window = *mainWindow->m_window;
    window.setTitle("Ostrel");
    window.setMovableByWindowBackground(true);
    window.setCanBecomeKeyWindow(true);
    window.setBackgroundColor(gfx::colors::clear);
    window.setNextResponder(mainWindow.get());

    auto controller = NiblessViewController::create<MainWindowController>(true, model);
    mainWindow->m_controller = controller;
    controller->setWindow(mainWindow);
    controller->build();
    window.setDelegate(controller.get());
    window.setContentView(controller->view());
    // Made empty, as large as its content needs before anything lays it out.
    controller->fitWindowToContent();
    NowAndLaterBoardManager::sharedManager().setMainWindowController(controller);
    if (auto* app = ui::Application::shared()) {
        std::weak_ptr<MainWindowController> weakController = controller;
        mainWindow->m_saveOnQuit = app->addWillTerminateObserver([weakController] {
            if (auto shown = weakController.lock())
                shown->saveEverything();
        });
    }
    return mainWindow;
}

MainWindow::~MainWindow()
{
    if (m_window) {
        m_window->setDelegate(nullptr);
        m_window->setNextResponder(nullptr);
    }
}

const base::ActionTable& MainWindow::actionTable() const
{
    static const auto table = base::ActionTable::of<MainWindow>({
        { "toggleFullScreen:", &MainWindow::toggleFullScreen },
        { "zoom:", &MainWindow::zoom },
    });
    return table;
}

void MainWindow::close()
{
    if (auto* app = ui::Application::shared())
        app->hide();
}

void MainWindow::toggleFullScreen(const base::Sender& sender)
{
    std::cout << "fullscreen" << std::endl;
    zoom(sender);
}

void MainWindow::zoom(const base::Sender&) { m_window->zoom(); }

}
