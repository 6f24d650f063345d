#pragma once

#include <memory>

namespace ui {
class Menu;
class MenuBarView;
class Window;
}

namespace ostrel {

// A regular application's menu bar, inside the main window since the desktop keeps none
// for us: one "☰" title over the top left corner of the window's content, opening the main
// menu with its menus as submenus. The window's own layout is left as it is.
class MainMenuBar {
public:
    static std::shared_ptr<ui::MenuBarView> install(ui::Window& window, const std::shared_ptr<ui::Menu>& mainMenu);
    static constexpr const char* kTitle = "\u2630";
};

}
