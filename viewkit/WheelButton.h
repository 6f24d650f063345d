#pragma once

#include "viewkit/WheelButtonCell.h"

#include "platform/ui/Button.h"
#include "platform/ui/Menu.h"

#include <memory>

namespace ostrel {

// A button that shows the silver gear wheel and, on a press, pops up its menu just below and
// left of itself (8 points left, 4 below its frame's origin, in its superview), staying
// highlighted until the menu closes.
class WheelButton : public ui::Button, public ui::MenuDelegate {
public:
    static std::shared_ptr<WheelButton> create(std::shared_ptr<ui::Menu> menu = nullptr);

    const std::shared_ptr<ui::Menu>& myMenu() const { return m_myMenu; }
    void setMyMenu(std::shared_ptr<ui::Menu> menu) { m_myMenu = std::move(menu); }
    const WheelButtonCell& cell() const { return m_cell; }

    // Where the menu's top left goes, in the superview's coordinates.
    ui::Point menuLocation() const;

    void mouseDown(const ui::Event& event) override;
    void menuDidClose(ui::Menu& menu) override;

protected:
    WheelButton();

private:
    std::shared_ptr<ui::Menu> m_myMenu;
    WheelButtonCell m_cell;
};

}
