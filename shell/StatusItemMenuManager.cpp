#include "shell/StatusItemMenuManager.h"

#include "shell/MainController.h"

#include "viewkit/SmartMenuItem.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/Menu.h"

namespace ostrel {

StatusItemMenuManager& StatusItemMenuManager::instance()
{
    static auto* manager = new StatusItemMenuManager; // for the whole run
    return *manager;
}

void StatusItemMenuManager::addItem(const std::shared_ptr<SmartMenuItem>& item)
{
    if (!item)
        return;
    auto controller = MainController::sharedInstance();
    ui::Menu* menu = controller ? controller->dockMenu().get() : nullptr;
    if (controller && !menu)
        base::fatal("StatusItemMenuManager: the main controller has no status menu");
    if (m_currentMenuItems.empty() && menu) {
        m_firstItemIndex = 0;
        for (const auto& existing : menu->items()) {
            if (existing->isSeparator())
                break;
            ++m_firstItemIndex;
        }
        m_additionalSeparatorItem = ui::MenuItem::separator();
        menu->insertItem(m_additionalSeparatorItem, m_firstItemIndex);
    }
    if (menu)
        menu->insertItem(item, m_firstItemIndex + m_currentMenuItems.size() + 1);
    m_currentMenuItems.push_back(item);
}

void StatusItemMenuManager::removeAllItems()
{
    if (m_additionalSeparatorItem) {
        if (auto* menu = m_additionalSeparatorItem->menu())
            menu->removeItem(m_additionalSeparatorItem.get());
    }
    for (const auto& item : m_currentMenuItems) {
        if (auto* menu = item->menu())
            menu->removeItem(item.get());
    }
    m_currentMenuItems.clear();
}

}
