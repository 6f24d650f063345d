#include "platform/ui/StatusItem.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
constexpr double kStripHeight = 24;
constexpr double kStripPadding = 8;
}

std::shared_ptr<StatusBarButton> StatusBarButton::create(StatusItem& item)
{
    return std::shared_ptr<StatusBarButton>(new StatusBarButton(item));
}

StatusBarButton::StatusBarButton(StatusItem& item)
    : Button({}, ButtonType::MomentaryPushIn)
    , m_item(item)
{
    setBezelStyle(BezelStyle::Borderless);
    setFont(gfx::Font::monospacedDigitSystem(14));
    setRefusesFirstResponder(true);
}

void StatusBarButton::mouseDown(const Event&)
{
    if (isEnabled())
        m_item.pressed();
}

void StatusBarButton::rightMouseDown(const Event&)
{
    if (isEnabled())
        m_item.pressed();
}

Size StatusBarButton::intrinsicContentSize() const
{
    Size content = contentSize();
    return { std::ceil(content.width) + 2 * kStripPadding, kStripHeight };
}

void StatusBarButton::drawOwnLook(gfx::GraphicsContext& context)
{
    context.setFillColor(state() == ControlStateValue::On || isHighlighted() ? ControlLook::kFaceHighlighted : ControlLook::kMenu);
    context.fillRect(bounds());
    drawContent(context, bounds().insetBy(kStripPadding, 0), ControlLook::kText);
}

void StatusBarButton::contentDidChange() { m_item.fit(); }

std::shared_ptr<StatusItem> StatusItem::create() { return std::shared_ptr<StatusItem>(new StatusItem); }

StatusItem::StatusItem()
{
    m_button = StatusBarButton::create(*this);
    m_strip = Window::create(Rect(0, 0, 2 * kStripPadding, kStripHeight), WindowStyle::Borderless);
    m_strip->setLevel(WindowLevel::StatusBar);
    m_strip->setShownOnAllDesktops(true);
    m_strip->setCanBecomeKeyWindow(false);
    m_strip->setContentView(m_button);
    fit();
    m_strip->orderFrontRegardless();
}

StatusItem::~StatusItem()
{
    if (m_strip)
        m_strip->close();
}

void StatusItem::fit()
{
    if (!m_strip)
        return;
    Size size = m_button->intrinsicContentSize();
    Rect screen = Screen::main() ? Screen::main()->visibleFrame : Rect(0, 0, 1024, 768);
    // Right-aligned under the top edge, so a growing title grows leftwards as a tray's would.
    m_strip->setFrame(Rect(screen.maxX() - size.width - 4, screen.maxY() - size.height - 4, size.width, size.height));
    m_button->setFrame(Rect(0, 0, size.width, size.height));
}

void StatusItem::setVisible(bool visible)
{
    m_visible = visible;
    if (visible)
        m_strip->orderFrontRegardless();
    else
        m_strip->orderOut();
}

void StatusItem::pressed()
{
    if (auto click = onClick) {
        click();
        return;
    }
    popUpStatusItemMenu(m_menu);
}

void StatusItem::popUpStatusItemMenu(const std::shared_ptr<Menu>& menu)
{
    if (!menu)
        return;
    m_button->setHighlighted(true);
    // Under the item, its left edge at the item's.
    menu->popUp(nullptr, Point(0, m_button->bounds().height()), m_button.get());
    m_button->setHighlighted(false);
}

}
