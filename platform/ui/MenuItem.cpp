#include "platform/ui/MenuItem.h"

#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"

namespace ui {

std::shared_ptr<MenuItem> MenuItem::create(std::string title, std::function<void(MenuItem&)> action, std::string keyEquivalent)
{
    auto item = std::shared_ptr<MenuItem>(new MenuItem);
    item->m_title = std::move(title);
    item->onAction = std::move(action);
    item->m_keyEquivalent = std::move(keyEquivalent);
    return item;
}

std::shared_ptr<MenuItem> MenuItem::createWithAction(std::string title, std::string actionName, std::string keyEquivalent)
{
    auto item = create(std::move(title), {}, std::move(keyEquivalent));
    item->m_actionName = std::move(actionName);
    return item;
}

std::shared_ptr<MenuItem> MenuItem::separator()
{
    auto item = std::shared_ptr<MenuItem>(new MenuItem);
    item->m_separator = true;
    item->m_enabled = false;
    return item;
}

void MenuItem::setSubmenu(std::shared_ptr<Menu> submenu)
{
    if (m_submenu)
        m_submenu->m_supermenu = nullptr;
    m_submenu = std::move(submenu);
    if (m_submenu)
        m_submenu->m_supermenu = m_menu;
}

bool MenuItem::perform()
{
    // Keep the item alive: its action may remove it from its menu.
    auto self = shared_from_this();
    bool did = false;
    if (auto action = onAction) {
        action(*this);
        did = true;
    }
    if (!m_actionName.empty()) {
        std::any sender = self;
        if (m_target)
            did = m_target->tryToPerform(m_actionName, sender) || did;
        else if (auto* app = Application::shared())
            did = app->sendAction(m_actionName, nullptr, sender) || did;
    }
    return did;
}

}
