#pragma once

#include <map>
#include <memory>
#include <string>

namespace ui {
class Menu;
}

namespace ostrel {

class MenuItemGroup;

// Cuts the main menu into named groups (the runs between separators of each submenu), so
// that items can be added after a standard group wherever the menu puts it. A group's name
// comes from the title of its first item, in English, French or German ("Quitter" and
// "Beenden" both name the group "Quit").
class MenuItemManager {
public:
    // Without a main menu there are no groups.
    static std::shared_ptr<MenuItemManager> create(const std::shared_ptr<ui::Menu>& mainMenu);

    const std::map<std::string, std::shared_ptr<MenuItemGroup>>& menuItemGroups() const { return m_menuItemGroups; }
    std::shared_ptr<MenuItemGroup> group(const std::string& name) const;

    // Stores the new group under the name and puts its items, in their order, directly
    // after the last item of the existing group, in that group's menu.
    void addMenuItemGroupAfterExisting(const MenuItemGroup& existing, const std::shared_ptr<MenuItemGroup>& added,
        const std::string& withName);

    // The name of a group whose first item has this title.
    static std::string groupNameForTitle(const std::string& title);

private:
    MenuItemManager() = default;

    std::map<std::string, std::shared_ptr<MenuItemGroup>> m_menuItemGroups;
};

}
