#pragma once

#include "platform/gfx/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/MenuItem.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

class Event;
class View;
class Window;

class MenuDelegate {
public:
    virtual ~MenuDelegate() = default;
    // Before the menu shows, and before it is validated: the moment to reconfigure items.
    virtual void menuWillOpen(Menu&) { }
    virtual void menuDidClose(Menu&) { }
};

// An ordered list of items. A menu popped up runs a nested tracking run: only common-mode
// timers and sources are serviced (timers made for the common modes keep firing) until an
// item is chosen or the menu is dismissed.
class Menu : public std::enable_shared_from_this<Menu> {
public:
    static std::shared_ptr<Menu> create(std::string title = {});
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }

    const std::vector<std::shared_ptr<MenuItem>>& items() const { return m_items; }
    std::size_t numberOfItems() const { return m_items.size(); }
    MenuItem* itemAt(std::size_t index) const { return index < m_items.size() ? m_items[index].get() : nullptr; }
    void addItem(std::shared_ptr<MenuItem> item);
    MenuItem* addItem(std::string title, std::function<void(MenuItem&)> action = {}, std::string keyEquivalent = {});
    // An index past the end appends. An item already in a menu leaves that one first.
    void insertItem(std::shared_ptr<MenuItem> item, std::size_t index);
    void removeItem(MenuItem* item);
    void removeItemAt(std::size_t index);
    void removeAllItems();
    // -1 when absent.
    int indexOfItem(const MenuItem* item) const;
    int indexOfItemWithTag(int tag) const;
    int indexOfItemWithTitle(const std::string& title) const;
    MenuItem* itemWithTag(int tag) const;
    MenuItem* itemWithTitle(const std::string& title) const;

    // Not owned: the delegate outlives the menu's use of it.
    MenuDelegate* delegate() const { return m_delegate; }
    void setDelegate(MenuDelegate* delegate) { m_delegate = delegate; }
    // Whether update() decides each item's enabled state from its validation and its action.
    bool autoenablesItems() const { return m_autoenables; }
    void setAutoenablesItems(bool autoenables) { m_autoenables = autoenables; }
    // An item is enabled when its own flag is, its validation closure (if any) agrees and,
    // for an action by name, some responder performs it. Asked afresh each time, never stored.
    bool isItemEnabled(MenuItem& item) const;

    const gfx::Font& font() const { return m_font; }
    void setFont(gfx::Font font) { m_font = std::move(font); }
    double minimumWidth() const { return m_minimumWidth; }
    void setMinimumWidth(double width) { m_minimumWidth = width; }

    // Tells the delegate, validates, runs the chosen item. False for a disabled item.
    bool performActionForItemAt(std::size_t index);
    // The item (here or in a submenu) whose shortcut the key press is; performs it.
    bool performKeyEquivalent(const Event& event);
    // The enabled item, here or in a submenu, whose key equivalent the key event is; none.
    std::shared_ptr<MenuItem> itemForKeyEquivalent(const Event& event);

    // Shows the menu with its top left at a point of the view (nullptr: of the screen) and
    // tracks it until it closes; with a positioning item, that item lies under the point.
    // Answers the item chosen (and performed), or nullptr.
    std::shared_ptr<MenuItem> popUp(const MenuItem* positioningItem, Point location, View* view);
    // Closes a tracked menu without a choice.
    void cancelTracking();
    bool isTracking() const;
    // The window of a tracked menu, for input in tests; nullptr when not tracking.
    Window* trackingWindow() const;
    // The item the menu would take under a point of its tracking window, counted from the top left.
    MenuItem* itemAtTrackingPoint(Point topLeftPoint) const;
    // Where an item lies in the tracking window, counted from its top left.
    Rect trackingRectOfItem(const MenuItem* item) const;

private:
    friend class MenuItem;
    friend class MenuTracking;
    explicit Menu(std::string title);
    void release(MenuItem& item);
    void willOpen();

    std::string m_title;
    std::vector<std::shared_ptr<MenuItem>> m_items;
    MenuDelegate* m_delegate { nullptr };
    bool m_autoenables { true };
    gfx::Font m_font { gfx::Font::system(gfx::Font::systemFontSize) };
    double m_minimumWidth { 0 };
    // Not owned: the tracking session lives on the stack of popUp().
    class MenuTracking* m_tracking { nullptr };
    Menu* m_supermenu { nullptr };
};

}
