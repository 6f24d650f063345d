#pragma once

#include "platform/ui/View.h"

#include <optional>
#include <string>

namespace ui {

class Menu;
class MenuItem;
class MenuTracking;

// The rows of a menu being tracked: hovering highlights (once the pointer has moved from
// where it opened the menu), a release on an enabled item chooses it. Keys: the arrows, Home,
// End, Page Up and Page Down move, typed letters go to the item whose title starts with them,
// Return and Space choose, Escape dismisses.
class MenuView : public View {
public:
    static std::shared_ptr<MenuView> create(Menu& menu, MenuTracking& tracking);

    // An item's shortcut as the row shows it: "Ctrl+Shift+S"; empty without one.
    static std::string shortcutText(const MenuItem& item);

    // The size the rows need.
    Size fittingRowsSize() const;
    // In the view's own coordinates, from the top.
    Rect rectOfItem(const MenuItem* item) const;
    MenuItem* itemAt(Point point) const;
    // None once the item has left the menu (a menu refreshed while it is open).
    MenuItem* highlightedItem() const;
    void setHighlightedItem(MenuItem* item);
    void highlightFirst() { moveHighlight(1, true); }
    // Where the pointer was on the screen when the menu opened: until it leaves there, the
    // pointer highlights nothing, whatever the display reports as the window appears.
    void setPointerAtOpen(Point screenPoint) { m_pointerAtOpen = screenPoint; }

    bool isFlipped() const override { return true; }
    bool acceptsFirstResponder() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    void mouseMoved(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseDown(const Event& event) override;
    void mouseUp(const Event& event) override;
    void keyDown(const Event& event) override;

private:
    MenuView(Menu& menu, MenuTracking& tracking);
    double rowHeight(const MenuItem& item) const;
    void hover(Point point);
    // Steps through the enabled items; `toEnd` goes to the first or last one.
    void moveHighlight(int direction, bool toEnd = false);
    void typeAhead(const Event& event);
    // The keys of the level the keyboard is in.
    void navigate(const Event& event);
    bool pointerHasMoved();

    Menu& m_menu;
    MenuTracking& m_tracking;
    // Weak: a timer may rebuild the menu's items while it is tracked.
    std::weak_ptr<MenuItem> m_highlighted;
    // A press that opened the menu does not choose on its release unless it moved first.
    bool m_armed { false };
    std::optional<Point> m_pointerAtOpen;
    // What was typed to find an item, and when the last of it came.
    std::string m_typed;
    double m_typedAt { 0 };
};

}
