#include "platform/ui/MenuBarView.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"

#include <cmath>

namespace ui {

namespace {

bool shows(const MenuItem& item) { return item.hasSubmenu() && !item.isHidden() && !item.isSeparator(); }

}

std::shared_ptr<MenuBarView> MenuBarView::create(std::shared_ptr<Menu> menu)
{
    return std::shared_ptr<MenuBarView>(new MenuBarView(std::move(menu)));
}

MenuBarView::MenuBarView(std::shared_ptr<Menu> menu)
    : View(Rect())
    , m_menu(std::move(menu))
    , m_font(gfx::Font::system(13))
{
}

void MenuBarView::setFont(gfx::Font font)
{
    m_font = std::move(font);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

std::optional<Rect> MenuBarView::rectOfItem(std::size_t index) const
{
    if (!m_menu || index >= m_menu->numberOfItems() || !shows(*m_menu->itemAt(index)))
        return std::nullopt;
    double x = 0;
    for (std::size_t i = 0; i < m_menu->numberOfItems(); ++i) {
        const auto& item = *m_menu->itemAt(i);
        if (!shows(item))
            continue;
        double width = std::ceil(ControlLook::labelSize(item.title(), m_font).width) + 2 * kPadding;
        if (i == index)
            return Rect(x, 0, width, bounds().height());
        x += width;
    }
    return std::nullopt;
}

std::optional<std::size_t> MenuBarView::itemAt(Point point) const
{
    if (!m_menu)
        return std::nullopt;
    for (std::size_t i = 0; i < m_menu->numberOfItems(); ++i) {
        if (auto rect = rectOfItem(i); rect && rect->contains(point))
            return i;
    }
    return std::nullopt;
}

Size MenuBarView::intrinsicContentSize() const
{
    double width = 0;
    for (std::size_t i = 0; m_menu && i < m_menu->numberOfItems(); ++i) {
        const auto& item = *m_menu->itemAt(i);
        if (shows(item))
            width += std::ceil(ControlLook::labelSize(item.title(), m_font).width) + 2 * kPadding;
    }
    return { width, kHeight };
}

void MenuBarView::draw(gfx::GraphicsContext& context, const Rect&)
{
    for (std::size_t i = 0; m_menu && i < m_menu->numberOfItems(); ++i) {
        auto rect = rectOfItem(i);
        if (!rect)
            continue;
        gfx::Color color = ControlLook::kText;
        if (m_open == i) {
            context.setFillColor(ControlLook::kAccent);
            gfx::Path::roundedRect(rect->insetBy(1, 1), 4, 4).fill();
            color = gfx::colors::white;
        }
        ControlLook::drawLabel(m_menu->itemAt(i)->title(), *rect, m_font, color);
    }
}

void MenuBarView::mouseDown(const Event& event)
{
    Point point = convertPointFrom(event.locationInWindow(), nullptr);
    if (auto index = itemAt(point))
        openItem(*index);
}

void MenuBarView::openItem(std::size_t index)
{
    auto rect = rectOfItem(index);
    auto* item = m_menu ? m_menu->itemAt(index) : nullptr;
    if (!rect || !item)
        return;
    // Kept for the tracking: the menu may lose the item while it is open.
    auto submenu = item->submenu();
    auto self = shared_from_this();
    m_open = index;
    setNeedsDisplay();
    submenu->popUp(nullptr, Point(rect->minX(), rect->maxY()), this);
    m_open.reset();
    setNeedsDisplay();
}

}
