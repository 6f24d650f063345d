#pragma once

#include <memory>
#include <vector>

namespace ui {
class MenuItem;
}

namespace ostrel {

// A run of menu items between separators, in menu order.
class MenuItemGroup {
public:
    static std::shared_ptr<MenuItemGroup> create(std::vector<std::shared_ptr<ui::MenuItem>> items = {})
    {
        return std::shared_ptr<MenuItemGroup>(new MenuItemGroup(std::move(items)));
    }

    const std::vector<std::shared_ptr<ui::MenuItem>>& items() const { return m_items; }

private:
    explicit MenuItemGroup(std::vector<std::shared_ptr<ui::MenuItem>> items)
        : m_items(std::move(items))
    {
    }

    std::vector<std::shared_ptr<ui::MenuItem>> m_items;
};

}
