#pragma once

#include "shell/SmartAppDelegate.h"

#include <memory>
#include <string>
#include <vector>

namespace ostrel {

class ActivityMonitor;
class CommandEnvironment;
class CommandPopUpWindow;
class CommonsHuskFacade;
class DataModel;
class KVOResponder;
class LaunchManager;
class MainWindow;
class ShownState;

// The application's delegate: it forces the dark look, fills the callback lists that carry
// the whole start-up (the contact group and the command pop-up, then the main controller's
// launch steps, the launch-time tasks and the pads' observers), keeps the launch manager and
// the activity monitor, and from its waking on owns the main window. Screens, menus and the
// main controller reach it through smartDelegate() for the main window, the pop-up, bringing
// the program to the front, hiding it and blacking the screens out.
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
    // Made by finishInitialization(), which records the first launch through it.
    std::shared_ptr<LaunchManager> launchManager;
    // Made by finishInitialization(); its one-second idle poll runs from then on.
    std::shared_ptr<ActivityMonitor> activityMonitor;
    std::shared_ptr<CommonsHuskFacade> commonsHuskFacade;
    // "variation" as it was when the delegate was made; "D" without text there.
    std::string variation;
    // One per pad storage key from did-finish-launching on: a change compresses the window.
    std::vector<std::shared_ptr<KVOResponder>> padKVOResponders;

    void finishInitialization() override;
    // Starts the log reader and its folder watch, then makes the main window.
    void awakeFromNib();

    // The main controller's answer.
    ui::TerminateReply applicationShouldTerminate() override;

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
    // The log book with a new entry in its editor.
    void addLogEntry();
    // False while the log book's editor is open.
    bool addLogEntryMenuItemShouldBeEnabled() const;
    // By an item's action: adding a log entry only while it can; every other one enabled.
    bool validateUserInterfaceItem(const std::string& action) const;
    // "Ostrel <version>-<build>V<variation>".
    std::string sparkleUserAgentString() const;

    DataModel& model() const { return *m_model; }

protected:
    friend class SmartAppDelegate;
    explicit AppDelegate(DataModel& model);

private:
    MainWindow& checkedMainWindow() const;
    void observePadStorageKeys();

    DataModel* m_model { nullptr };
};

// The application's delegate as AppDelegate; its absence is a programming error.
AppDelegate& smartDelegate();

}
