#include "platform/ui/Menu.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/KeyNames.h"
#include "platform/ui/Application.h"
#include "platform/ui/Event.h"
#include "platform/ui/MenuTracking.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cctype>

namespace ui {

std::shared_ptr<Menu> Menu::create(std::string title)
{
    return std::shared_ptr<Menu>(new Menu(std::move(title)));
}

Menu::Menu(std::string title)
    : m_title(std::move(title))
{
}

Menu::~Menu()
{
    for (auto& item : m_items)
        item->m_menu = nullptr;
}

void Menu::addItem(std::shared_ptr<MenuItem> item)
{
    insertItem(std::move(item), m_items.size());
}

MenuItem* Menu::addItem(std::string title, std::function<void(MenuItem&)> action, std::string keyEquivalent)
{
    auto item = MenuItem::create(std::move(title), std::move(action), std::move(keyEquivalent));
    addItem(item);
    return item.get();
}

void Menu::insertItem(std::shared_ptr<MenuItem> item, std::size_t index)
{
    if (!item)
        return;
    if (item->m_menu)
        item->m_menu->removeItem(item.get());
    item->m_menu = this;
    if (item->m_submenu)
        item->m_submenu->m_supermenu = this;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_items.size())), std::move(item));
}

void Menu::release(MenuItem& item)
{
    item.m_menu = nullptr;
    if (item.m_submenu)
        item.m_submenu->m_supermenu = nullptr;
}

void Menu::removeItem(MenuItem* item)
{
    int index = indexOfItem(item);
    if (index >= 0)
        removeItemAt(static_cast<std::size_t>(index));
}

void Menu::removeItemAt(std::size_t index)
{
    if (index >= m_items.size())
        return;
    auto item = m_items[index];
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    release(*item);
}

void Menu::removeAllItems()
{
    auto items = std::move(m_items);
    m_items.clear();
    for (auto& item : items)
        release(*item);
}

int Menu::indexOfItem(const MenuItem* item) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item)
            return static_cast<int>(i);
    return -1;
}

int Menu::indexOfItemWithTag(int tag) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (!m_items[i]->isSeparator() && m_items[i]->tag() == tag)
            return static_cast<int>(i);
    return -1;
}

int Menu::indexOfItemWithTitle(const std::string& title) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (!m_items[i]->isSeparator() && m_items[i]->title() == title)
            return static_cast<int>(i);
    return -1;
}

MenuItem* Menu::itemWithTag(int tag) const
{
    int index = indexOfItemWithTag(tag);
    return index < 0 ? nullptr : m_items[static_cast<std::size_t>(index)].get();
}

MenuItem* Menu::itemWithTitle(const std::string& title) const
{
    int index = indexOfItemWithTitle(title);
    return index < 0 ? nullptr : m_items[static_cast<std::size_t>(index)].get();
}

namespace {

// Whether anyone would take the action: the target, else the responder chains an action
// sent from a menu travels.
bool somebodyPerforms(const MenuItem& item)
{
    const std::string& action = item.actionName();
    if (item.target())
        return item.target()->respondsTo(action);
    auto chainPerforms = [&](const base::Responder* responder) {
        for (; responder; responder = responder->nextResponder())
            if (responder->respondsTo(action))
                return true;
        return false;
    };
    auto* app = Application::shared();
    if (!app)
        return false;
    for (Window* window : { app->keyWindow(), app->mainWindow() })
        if (window && chainPerforms(window->firstResponder() ? static_cast<const base::Responder*>(window->firstResponder()) : window))
            return true;
    return chainPerforms(app);
}

}

bool Menu::isItemEnabled(MenuItem& item) const
{
    if (item.isSeparator())
        return false;
    if (!m_autoenables)
        return item.isEnabled();
    if (!item.isEnabled())
        return false;
    if (item.validate)
        return item.validate(item);
    if (item.hasSubmenu() || item.onAction || item.actionName().empty())
        return true;
    return somebodyPerforms(item);
}

void Menu::willOpen()
{
    if (m_delegate)
        m_delegate->menuWillOpen(*this);
}

bool Menu::performActionForItemAt(std::size_t index)
{
    if (index >= m_items.size())
        return false;
    auto item = m_items[index];
    if (!isItemEnabled(*item))
        return false;
    item->perform();
    return true;
}

bool Menu::performKeyEquivalent(const Event& event)
{
    std::shared_ptr<MenuItem> item = itemForKeyEquivalent(event);
    if (!item)
        return false;
    item->perform();
    return true;
}

std::shared_ptr<MenuItem> Menu::itemForKeyEquivalent(const Event& event)
{
    if (event.type() != Event::Type::KeyDown)
        return nullptr;
    std::uint32_t relevant = ModifierFlag::Command | ModifierFlag::Option | ModifierFlag::Control | ModifierFlag::Shift;
    std::string characters = event.characters();
    std::transform(characters.begin(), characters.end(), characters.begin(), [](unsigned char c) { return std::tolower(c); });
    auto items = m_items;
    for (auto& item : items) {
        if (item->hasSubmenu())
            if (auto found = item->submenu()->itemForKeyEquivalent(event))
                return found;
        if (item->isSeparator() || item->keyEquivalent().empty() || item->isHidden())
            continue;
        std::string key = item->keyEquivalent();
        std::uint32_t mask = item->keyEquivalentModifierMask();
        // An upper-case key equivalent carries its Shift in the letter.
        if (key.size() == 1 && std::isupper(static_cast<unsigned char>(key[0])))
            mask |= ModifierFlag::Shift;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
        // A key equivalent may name a key that types nothing ("f12", as a hot key's is); a
        // digit is its key, whatever Shift makes it type ("!" for Super+Shift+1).
        bool digit = key.size() == 1 && std::isdigit(static_cast<unsigned char>(key[0]));
        auto named = key.size() > 1 || digit ? base::KeyNames::codeNamed(key) : std::nullopt;
        bool sameKey = key == characters || (named && *named == event.keyCode());
        if (!sameKey || (event.modifierFlags() & relevant) != (mask & relevant))
            continue;
        willOpen();
        // A disabled item leaves its key to another that has it and can act now.
        if (!isItemEnabled(*item))
            continue;
        return item;
    }
    return nullptr;
}

std::shared_ptr<MenuItem> Menu::popUp(const MenuItem* positioningItem, Point location, View* view)
{
    if (m_tracking)
        return nullptr;
    MenuTracking tracking(*this);
    return tracking.run(positioningItem, location, view);
}

void Menu::cancelTracking()
{
    if (m_tracking)
        m_tracking->cancel();
}

bool Menu::isTracking() const { return m_tracking != nullptr; }

Window* Menu::trackingWindow() const { return m_tracking ? m_tracking->windowOf(this) : nullptr; }

MenuItem* Menu::itemAtTrackingPoint(Point topLeftPoint) const
{
    return m_tracking ? m_tracking->itemAt(this, topLeftPoint) : nullptr;
}

Rect Menu::trackingRectOfItem(const MenuItem* item) const
{
    return m_tracking ? m_tracking->rectOf(this, item) : Rect {};
}

}
