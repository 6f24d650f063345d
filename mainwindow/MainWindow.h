#pragma once

#include "platform/base/Responder.h"
#include "platform/ui/Responder.h"

#include <memory>

namespace ui {
class ObserverRegistration;
class Window;
}

namespace ostrel {

class DataModel;
class MainWindowController;

// The application's one main window: decorated, movable by its background, never closed
// (closing hides the program) and zoomed where full screen is asked for. The platform window
// is made only through its own factory, so the main window holds one and follows it in the
// responder chain, where its commands are found.
class MainWindow : public ui::Responder, public std::enable_shared_from_this<MainWindow> {
public:
    static std::shared_ptr<MainWindow> makeMainWindow();
    // Over a model of one's own (tests).
    static std::shared_ptr<MainWindow> makeMainWindow(DataModel& model);
    ~MainWindow() override;

    const std::shared_ptr<MainWindowController>& controller() const { return m_controller; }
    ui::Window& window() const { return *m_window; }
    const std::shared_ptr<ui::Window>& platformWindow() const { return m_window; }

    bool canBecomeKey() const { return true; }
    // Hides the whole program instead of closing.
    void close();
    void toggleFullScreen(const base::Sender& sender = {});
    void zoom(const base::Sender& sender = {});

protected:
    const base::ActionTable& actionTable() const override;

private:
    MainWindow() = default;

    std::shared_ptr<ui::Window> m_window;
    std::shared_ptr<MainWindowController> m_controller;
    // Saves everything when the application ends, whichever way it ends.
    std::shared_ptr<ui::ObserverRegistration> m_saveOnQuit;
};

}
