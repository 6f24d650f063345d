#include "viewkit/WheelButton.h"

namespace ostrel {

std::shared_ptr<WheelButton> WheelButton::create(std::shared_ptr<ui::Menu> menu)
{
    std::shared_ptr<WheelButton> button(new WheelButton);
    button->m_myMenu = std::move(menu);
    return button;
}

WheelButton::WheelButton()
    : ui::Button({}, ui::ButtonType::MomentaryPushIn)
{
    setBezelStyle(ui::BezelStyle::Borderless);
    setDrawHook([](ui::Control& control, gfx::GraphicsContext& context, const ui::Rect& bounds) {
        auto& button = static_cast<WheelButton&>(control);
        button.m_cell.drawBezelWithFrame(context, bounds, button);
        button.m_cell.drawImage(context, bounds, button);
        return true;
    });
}

ui::Point WheelButton::menuLocation() const { return { frame().minX() - 8, frame().minY() - 4 }; }

void WheelButton::mouseDown(const ui::Event&)
{
    if (!m_myMenu)
        return;
    // Kept alive until the menu closes, whatever its items do meanwhile.
    auto self = shared_from_this();
    auto menu = m_myMenu;
    setHighlighted(true);
    menu->setDelegate(this);
    menu->popUp(nullptr, menuLocation(), superview());
    // The menu may close without telling us (it was never shown): never stay highlighted.
    setHighlighted(false);
    if (menu->delegate() == this)
        menu->setDelegate(nullptr);
}

void WheelButton::menuDidClose(ui::Menu&) { setHighlighted(false); }

}
