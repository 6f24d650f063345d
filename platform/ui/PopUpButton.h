#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Menu.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

// A button that shows a menu. A pop-up button shows its selected item and selects what is
// chosen; a pull-down button shows its first item as its title (or image) and lists the
// others. Choosing an item runs the item's own action, then onAction. The menu's delegate
// hears menuWillOpen before every showing.
class PopUpButton : public Button {
public:
    static std::shared_ptr<PopUpButton> create(bool pullsDown = false);

    bool pullsDown() const { return m_pullsDown; }
    void setPullsDown(bool pullsDown);
    const std::shared_ptr<Menu>& menu() const { return m_menu; }
    void setMenu(std::shared_ptr<Menu> menu);

    MenuItem* addItem(std::string title);
    void addItems(const std::vector<std::string>& titles);
    void removeAllItems();
    std::size_t numberOfItems() const { return m_menu->numberOfItems(); }
    MenuItem* itemAt(std::size_t index) const { return m_menu->itemAt(index); }
    MenuItem* lastItem() const;
    std::vector<std::string> itemTitles() const;

    // -1 with nothing selected; a pull-down button has no selection of its own.
    int indexOfSelectedItem() const;
    MenuItem* selectedItem() const;
    std::string titleOfSelectedItem() const;
    void selectItemAt(int index);
    bool selectItemWithTag(int tag);
    void selectItemWithTitle(const std::string& title);

    // Shows the menu now, as a click does.
    void popUpMenu();
    // Where the arrow is drawn, in the button's bounds: smaller with the control's size.
    Rect arrowRect() const;

    Size intrinsicContentSize() const override;
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event&) override { }
    void mouseUp(const Event&) override { }
    void keyDown(const Event& event) override;
    // A pop-up's Return goes to the window's default button; a pull-down's presses it.
    bool passesReturnToDefaultButton() const override { return !m_pullsDown; }

protected:
    explicit PopUpButton(bool pullsDown);
    void drawOwnLook(gfx::GraphicsContext& context) override;

private:
    // The title and image the button shows now.
    void syncTitle();

    bool m_pullsDown { false };
    std::shared_ptr<Menu> m_menu;
    std::weak_ptr<MenuItem> m_selected;
};

}
