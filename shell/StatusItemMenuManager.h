#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace ui {
class MenuItem;
}

namespace ostrel {

class SmartMenuItem;

// The running screens' own items in the status menu: each block of items goes, in the order
// added, under a separator of its own just above the menu's first separator (at the end of a
// menu without one), and leaves again, separator and all, when the screen is left.
class StatusItemMenuManager {
public:
    static StatusItemMenuManager& instance();

    void addItem(const std::shared_ptr<SmartMenuItem>& item);
    // Twice in a row, or before anything was added, changes nothing.
    void removeAllItems();

    const std::vector<std::shared_ptr<ui::MenuItem>>& currentMenuItems() const { return m_currentMenuItems; }

private:
    StatusItemMenuManager() = default;

    std::vector<std::shared_ptr<ui::MenuItem>> m_currentMenuItems;
    std::size_t m_firstItemIndex { 0 };
    std::shared_ptr<ui::MenuItem> m_additionalSeparatorItem;
};

}
