#pragma once

#include "platform/ui/Geometry.h"

#include <memory>
#include <vector>

namespace ui {

class Menu;
class MenuItem;
class MenuView;
class View;
class Window;

// One popped-up menu's session: the menu's window (and those of submenus opened from it),
// tracked in a nested modal run of the main loop until an item is chosen or the menu is
// dismissed by Escape, by a click outside it, by losing the keyboard or by cancelTracking().
// The chosen item runs after the windows have closed. One menu is open at a time: a menu
// popped up while another is tracked closes that one first.
class MenuTracking {
public:
    explicit MenuTracking(Menu& menu);
    ~MenuTracking();
    MenuTracking(const MenuTracking&) = delete;
    MenuTracking& operator=(const MenuTracking&) = delete;

    std::shared_ptr<MenuItem> run(const MenuItem* positioningItem, Point location, View* view);
    void cancel();
    void choose(MenuItem& item);
    // Shows the item's submenu beside its row, closing deeper ones; an item without closes them.
    void openSubmenu(const Menu& parent, MenuItem* item);
    void closeLevelsAfter(const Menu* menu);

    // The keyboard works the level it or the pointer was taken into last: Right enters the
    // highlighted item's submenu (opening it when it is not), Left and Escape leave a submenu
    // for its parent.
    MenuView* keyboardLevel() const;
    bool enterSubmenu(const Menu& parent);
    bool leaveSubmenu(const Menu& menu);
    // The pointer went into a level: the keys act there from now on, so that Escape in a
    // submenu the pointer opened closes that one level, as in one the keys opened.
    void pointerEntered(const Menu& menu);

    Window* windowOf(const Menu* menu) const;
    MenuItem* itemAt(const Menu* menu, Point topLeftPoint) const;
    Rect rectOf(const Menu* menu, const MenuItem* item) const;

private:
    struct Level {
        Menu* menu { nullptr };
        // A submenu shown lives while it shows, even if its item lets go of it meanwhile.
        std::shared_ptr<Menu> keepAlive;
        std::shared_ptr<Window> window;
        std::shared_ptr<MenuView> view;
    };
    // Opens a level with the window's top left at a screen point, or with the positioning
    // item's row there, highlighted.
    void open(Menu& menu, Point topLeft, const MenuItem* positioningItem = nullptr);
    const Level* levelOf(const Menu* menu) const;
    bool isOneOfOurWindows(const Window* window) const;

    Menu& m_menu;
    std::shared_ptr<Menu> m_keepAlive;
    std::vector<Level> m_levels;
    // The level the keys act on, counted from the root; never past the deepest one shown.
    std::size_t m_keyboardLevel { 0 };
    bool m_done { false };
    std::shared_ptr<MenuItem> m_chosen;
};

}
