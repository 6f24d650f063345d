#pragma once

#include "platform/base/Responder.h"
#include "platform/ui/Responder.h"

#include <memory>

namespace ui {
class Menu;
class StatusItem;
}

namespace ostrel {

class AppDelegate;

// The application controller: registers the default settings, owns the status item and the
// status menu the running screens add to, shows the state machine's current screen in the
// main window and hides the program. It sits in the responder chain between the application
// and the state machine.
class MainController : public ui::Responder, public std::enable_shared_from_this<MainController> {
public:
    static std::shared_ptr<MainController> create();
    // None until the start-up wiring has woken or set one.
    static std::shared_ptr<MainController> sharedInstance();
    static void setSharedInstance(std::shared_ptr<MainController> controller);
    // The main table of default settings, registered in the standard store.
    static void prepareDefaults();

    // Becomes the shared instance and makes the status item.
    void awakeFromNib();
    void createMenuItem();

    // The main window shows the state machine's current screen.
    void activateView();
    // Hides the program when it is active; the sender is not used.
    void hide(const base::Sender& sender = {});
    // Starts the state machine on its first screen.
    void run();

    // The preferences window, run modally; the second opens it on the distractions pane.
    void showPreferencesDialog(const base::Sender& sender = {});
    void showPreferencesDialogWithDistractionPanePreselected(const base::Sender& sender = {});
    // The welcome page in the help pad.
    void showHelp(const base::Sender& sender = {});
    // Opens the help pad alone.
    void showHelpPad();
    // Help on the integrations, in the help pad.
    void showOmniFocusIntegrationHelp(const base::Sender& sender = {});
    void showThingsIntegrationHelp(const base::Sender& sender = {});
    void showNoiseMachineIntegrationHelp(const base::Sender& sender = {});

    // The status item, from awakeFromNib() on.
    const std::shared_ptr<ui::StatusItem>& item() const { return m_item; }
    // The status menu: the status item's right click, where running screens put their items.
    const std::shared_ptr<ui::Menu>& dockMenu() const { return m_dockMenu; }

    // Not owned: the delegate lives as long as the application, which outlives the controller's use.
    AppDelegate* pseudoAppDelegate() const { return m_pseudoAppDelegate; }
    void setPseudoAppDelegate(AppDelegate* delegate) { m_pseudoAppDelegate = delegate; }

    bool acceptsFirstResponder() const override { return true; }

protected:
    const base::ActionTable& actionTable() const override;

private:
    MainController();

    std::shared_ptr<ui::StatusItem> m_item;
    std::shared_ptr<ui::Menu> m_dockMenu;
    AppDelegate* m_pseudoAppDelegate { nullptr };
};

}
