#pragma once

#include <functional>
#include <memory>
#include <string>

namespace ui {
class MenuItem;
}

namespace ostrel {

// Dock-less (the status item only: no task-bar entry, no menu bar) or a full application,
// by the setting "dockless". The mode is fixed at launch: switching it asks, stores the new
// value and quits, and the next launch applies it. Also keeps the bundle's build number
// under "version".
class DockManager : public std::enable_shared_from_this<DockManager> {
public:
    // Reads the mode of this run from "dockless".
    static std::shared_ptr<DockManager> create();
    static std::shared_ptr<DockManager> sharedManager();

    // The two switching items (the main menu's and the gear menu's): each gets the title of
    // the other mode and switches when chosen.
    void setMainMenuDockSwitchingMenuItem(std::shared_ptr<ui::MenuItem> item);
    void setGearMenuDockSwitchingMenuItem(std::shared_ptr<ui::MenuItem> item);
    const std::shared_ptr<ui::MenuItem>& mainMenuDockSwitchingMenuItem() const { return m_mainMenuDockSwitchingMenuItem; }
    const std::shared_ptr<ui::MenuItem>& gearMenuDockSwitchingMenuItem() const { return m_gearMenuDockSwitchingMenuItem; }
    // Becomes the shared manager and titles both items from "dockless".
    void awakeFromNib();

    // The mode the user would switch to: "Run As Full Application…" while dock-less.
    static std::string menuLabelForValue(bool dockless);

    // Asks, and only on "OK" stores the other mode and quits.
    void toggleDockMode();
    void relaunch();
    void runAsNormalApplication();
    void runAsDocklessApplication();
    bool isActuallyRunningDockless() const { return m_actuallyRunningDockless; }

    // At launch: unless this run is dock-less, the application becomes a regular one,
    // comes to the front and gets its menu bar (through on_becameRegularApplication).
    void applyPresentation();
    // The menu bar over the main window's content, made when the application turns regular.
    std::function<void()> on_becameRegularApplication;

    // Stores the build number under "version", at every launch.
    static void storeBundleVersion();

private:
    DockManager() = default;
    void attach(ui::MenuItem& item);

    // The mode of this run, read once at creation: a stored switch only counts at the next launch.
    bool m_actuallyRunningDockless { true };
    std::shared_ptr<ui::MenuItem> m_mainMenuDockSwitchingMenuItem;
    std::shared_ptr<ui::MenuItem> m_gearMenuDockSwitchingMenuItem;
};

}
