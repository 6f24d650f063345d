#pragma once

#include "shell/SmartAppDelegate.h"

#include <memory>

namespace ostrel {

class ActivityMonitor;
class CommandEnvironment;
class CommandPopUpWindow;
class DataModel;
class LaunchManager;
class MainWindow;
class ShownState;

// The application's delegate: it forces the dark look, keeps the activity monitor, builds the
// command pop-up as the program finishes launching and closes it when the program goes to the
// background, and from its waking on owns the main window. Screens, menus and the main
// controller reach it through smartDelegate() for the main window, the pop-up, bringing the
// program to the front and hiding it.
class AppDelegate : public SmartAppDelegate {
public:
    // Over the shared data model.
    static std::shared_ptr<AppDelegate> create();
    // Over a model of one's own (tests); the model outlives the delegate.
    static std::shared_ptr<AppDelegate> create(DataModel& model);

    // Set by awakeFromNib().
    std::shared_ptr<MainWindow> mainWindow;
    // Built on will-finish-launching over the command environment, when there is one.
    std::shared_ptr<CommandPopUpWindow> commandWindow;
    // Not owned: what the pop-up asks of the program; start-up sets it before launching.
    CommandEnvironment* commandEnvironment { nullptr };
    // Until the launch manager of the shell is made here, start-up reads its counter from
    // the settings instead.
    std::shared_ptr<LaunchManager> launchManager;
    // Made by finishInitialization(); its one-second idle poll runs from then on.
    std::shared_ptr<ActivityMonitor> activityMonitor;

    void finishInitialization() override;
    // Starts the log reader and its folder watch, then makes the main window.
    void awakeFromNib();

    // The screen's walls in the main window.
    void showState(ShownState& state);
    // Ends any editing in the main window, committing the field's value.
    void validateInputFields();
    // Unhides and activates the program, then brings the main window to the front unless it
    // is the key window already. The main window must exist.
    void makeFront();
    // Hides the program unless it is hidden already.
    void hide();
    // The command pop-up, hanging from the main window's command button.
    void runCommandWindow();

    DataModel& model() const { return *m_model; }

protected:
    friend class SmartAppDelegate;
    explicit AppDelegate(DataModel& model);

private:
    MainWindow& checkedMainWindow() const;

    DataModel* m_model { nullptr };
};

// The application's delegate as AppDelegate; its absence is a programming error.
AppDelegate& smartDelegate();

}
