#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace ui {
class MenuItem;
}

namespace ostrel {

// Where additions to the main menu leave a maker of their item under a placeholder key, so
// that other menus can show the same item.
class MenuPlaceHolderHelper {
public:
    using MenuItemMaker = std::function<std::shared_ptr<ui::MenuItem>()>;

    static MenuPlaceHolderHelper& shared();

    std::map<std::string, MenuItemMaker>& registry() { return m_registry; }
    const std::map<std::string, MenuItemMaker>& registry() const { return m_registry; }

private:
    MenuPlaceHolderHelper() = default;

    std::map<std::string, MenuItemMaker> m_registry;
};

}
