#pragma once

#include <memory>

namespace base {
class Defaults;
}
namespace ui {
class Menu;
}

namespace ostrel {

class DockManager;
class MainController;

// The application's menus, made in code: the main menu (in English, without an About item;
// the Debug menu only with "debug_menu"), and the status menu (the four time-slice commands,
// then showing the window, the mode switch, the background sound and Quit). Items act on the
// main controller, whose hot-key items and the dock manager's switching items are connected.
struct ApplicationMenus {
    std::shared_ptr<ui::Menu> mainMenu;
    // The background sounds, one list in each menu; the noise machine fills them.
    std::shared_ptr<ui::Menu> backgroundSoundsMenu;
    std::shared_ptr<ui::Menu> statusBackgroundSoundsMenu;

    // Fills the controller's status menu and makes the main menu.
    static ApplicationMenus build(MainController& controller, DockManager& dock, base::Defaults& store);
};

}
