#pragma once

#include <memory>
#include <string>

namespace ui {
class Window;
}

namespace ostrel {
class CommandPopUpWindow;
class KeyComboRecorderView;
class KeyComboRecorderViewBinding;
class MainWindow;
}

class DemoEnvironment;

// The command pop-up hanging from the demo window's command button, over the demo's
// environment, and a small "Shortcuts" window whose recorder is bound to the pop-up's hot-key
// setting ("showCommandPopOver"), as the preferences' shortcuts pane binds it.
class DemoCommandPopUp {
public:
    DemoCommandPopUp(DemoEnvironment& environment, ostrel::MainWindow& mainWindow);
    ~DemoCommandPopUp();

    // Left of the main window, without taking the keyboard from it.
    void showRecorderWindow();
    ostrel::KeyComboRecorderView* recorder() const { return m_recorder.get(); }
    // "popUp open" or "popUp closed", with the search text when one is typed.
    std::string state() const;

private:
    std::shared_ptr<ostrel::CommandPopUpWindow> m_popUpWindow;
    std::shared_ptr<ui::Window> m_recorderWindow;
    std::shared_ptr<ostrel::KeyComboRecorderView> m_recorder;
    std::shared_ptr<ostrel::KeyComboRecorderViewBinding> m_binding;
};
