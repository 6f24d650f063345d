#pragma once

#include "platform/ui/View.h"

namespace ui {

class Menu;
class MenuItem;
class MenuTracking;

// The rows of a menu being tracked: hovering highlights, a release on an enabled item
// chooses it, the arrow keys move, Return chooses, Escape dismisses.
class MenuView : public View {
public:
    static std::shared_ptr<MenuView> create(Menu& menu, MenuTracking& tracking);

    // The size the rows need.
    Size fittingRowsSize() const;
    // In the view's own coordinates, from the top.
    Rect rectOfItem(const MenuItem* item) const;
    MenuItem* itemAt(Point point) const;
    // None once the item has left the menu (a menu refreshed while it is open).
    MenuItem* highlightedItem() const;
    void setHighlightedItem(MenuItem* item);

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
    void moveHighlight(int direction);

    Menu& m_menu;
    MenuTracking& m_tracking;
    // Weak: a timer may rebuild the menu's items while it is tracked.
    std::weak_ptr<MenuItem> m_highlighted;
    // A press that opened the menu does not choose on its release unless it moved first.
    bool m_armed { false };
};

}
