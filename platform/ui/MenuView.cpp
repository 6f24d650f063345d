#include "platform/ui/MenuView.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/KeyNames.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuTracking.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace ui {

namespace {
constexpr double kPadding = 4;
constexpr double kSeparatorHeight = 9;
constexpr double kLeftMargin = 22;
constexpr double kRightMargin = 18;

// How long typed letters keep adding to what is looked for.
constexpr double kTypeAheadPause = 1.0;
// How far the pointer goes before it counts as moved.
constexpr double kPointerSlop = 3;
}

std::string MenuView::shortcutText(const MenuItem& item)
{
    if (item.keyEquivalent().empty())
        return {};
    std::uint32_t mask = item.keyEquivalentModifierMask();
    // An upper-case key equivalent carries its Shift in the letter.
    const std::string& key = item.keyEquivalent();
    if (key.size() == 1 && std::isupper(static_cast<unsigned char>(key[0])))
        mask |= ModifierFlag::Shift;
    return base::KeyNames::shortcut(ModifierFlag::toKeyModifiers(mask), std::string_view(key));
}

std::shared_ptr<MenuView> MenuView::create(Menu& menu, MenuTracking& tracking)
{
    return std::shared_ptr<MenuView>(new MenuView(menu, tracking));
}

MenuView::MenuView(Menu& menu, MenuTracking& tracking)
    : View({})
    , m_menu(menu)
    , m_tracking(tracking)
{
}

double MenuView::rowHeight(const MenuItem& item) const
{
    if (item.isHidden())
        return 0;
    if (item.isSeparator())
        return kSeparatorHeight;
    double height = std::ceil(m_menu.font().pointSize * 1.3) + 6;
    if (item.image())
        height = std::max(height, item.image()->size().height + 4);
    return height;
}

Size MenuView::fittingRowsSize() const
{
    double width = m_menu.minimumWidth();
    double height = 2 * kPadding;
    for (const auto& item : m_menu.items()) {
        height += rowHeight(*item);
        if (item->isSeparator() || item->isHidden())
            continue;
        double w = kLeftMargin + ControlLook::labelSize(item->title(), m_menu.font()).width + kRightMargin;
        if (item->image())
            w += item->image()->size().width + 4;
        if (auto shortcut = shortcutText(*item); !shortcut.empty())
            w += 20 + ControlLook::labelSize(shortcut, m_menu.font()).width;
        if (item->hasSubmenu())
            w += 12;
        width = std::max(width, w);
    }
    return { std::ceil(width), height };
}

Rect MenuView::rectOfItem(const MenuItem* item) const
{
    double y = kPadding;
    for (const auto& candidate : m_menu.items()) {
        double height = rowHeight(*candidate);
        if (candidate.get() == item)
            return Rect(0, y, bounds().width(), height);
        y += height;
    }
    return {};
}

MenuItem* MenuView::itemAt(Point point) const
{
    if (point.x < 0 || point.x >= bounds().width())
        return nullptr;
    double y = kPadding;
    for (const auto& item : m_menu.items()) {
        double height = rowHeight(*item);
        if (point.y >= y && point.y < y + height)
            return item.get();
        y += height;
    }
    return nullptr;
}

MenuItem* MenuView::highlightedItem() const
{
    // The menu owns its items: one still held elsewhere but taken out of it is no row here.
    auto item = m_highlighted.lock();
    return item && m_menu.indexOfItem(item.get()) >= 0 ? item.get() : nullptr;
}

void MenuView::setHighlightedItem(MenuItem* item)
{
    if (item && (item->isSeparator() || !m_menu.isItemEnabled(*item)))
        item = nullptr;
    if (item == highlightedItem())
        return;
    m_highlighted = item ? item->weak_from_this() : std::weak_ptr<MenuItem> {};
    setNeedsDisplay();
    m_tracking.openSubmenu(m_menu, item && item->hasSubmenu() ? item : nullptr);
}

void MenuView::hover(Point point)
{
    m_armed = true;
    MenuItem* item = itemAt(point);
    if (item)
        m_tracking.pointerEntered(m_menu);
    setHighlightedItem(item);
}

bool MenuView::pointerHasMoved()
{
    auto* app = Application::shared();
    if (!m_pointerAtOpen || !app)
        return true;
    // Where the pointer is on the screen now, not where the event says: a window that just
    // appeared may be told of the pointer in coordinates of where it was placed first.
    Point now = app->backend().mouseLocation();
    if (std::hypot(now.x - m_pointerAtOpen->x, now.y - m_pointerAtOpen->y) < kPointerSlop)
        return false;
    m_pointerAtOpen.reset();
    return true;
}

void MenuView::mouseMoved(const Event& event)
{
    if (pointerHasMoved())
        hover(convertPointFrom(event.locationInWindow(), nullptr));
}

void MenuView::mouseDragged(const Event& event) { mouseMoved(event); }

void MenuView::mouseDown(const Event& event)
{
    m_armed = true;
    hover(convertPointFrom(event.locationInWindow(), nullptr));
}

void MenuView::mouseUp(const Event& event)
{
    if (!m_armed)
        return;
    MenuItem* item = itemAt(convertPointFrom(event.locationInWindow(), nullptr));
    if (item && !item->isSeparator() && !item->hasSubmenu() && m_menu.isItemEnabled(*item))
        m_tracking.choose(*item);
}

void MenuView::moveHighlight(int direction, bool toEnd)
{
    const auto& items = m_menu.items();
    if (items.empty())
        return;
    int count = static_cast<int>(items.size());
    MenuItem* current = toEnd ? nullptr : highlightedItem();
    int index = current ? m_menu.indexOfItem(current) : (direction > 0 ? -1 : count);
    for (int step = 0; step < count; ++step) {
        index += direction;
        if (index < 0 || index >= count)
            return;
        MenuItem& item = *items[static_cast<std::size_t>(index)];
        if (!item.isSeparator() && !item.isHidden() && m_menu.isItemEnabled(item)) {
            setHighlightedItem(&item);
            return;
        }
    }
}

void MenuView::typeAhead(const Event& event)
{
    std::string typed = event.characters();
    if (typed.empty() || static_cast<unsigned char>(typed[0]) < 0x20 || typed[0] == 0x7f)
        return;
    if (event.timestamp() - m_typedAt > kTypeAheadPause)
        m_typed.clear();
    m_typedAt = event.timestamp();
    m_typed += typed;
    auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    std::string wanted = lower(m_typed);
    for (const auto& item : m_menu.items()) {
        if (item->isSeparator() || item->isHidden() || !m_menu.isItemEnabled(*item))
            continue;
        if (lower(item->title()).starts_with(wanted)) {
            setHighlightedItem(item.get());
            return;
        }
    }
}

void MenuView::keyDown(const Event& event)
{
    // Only the first level takes the keyboard; the keys belong to the level they were taken to.
    MenuView* level = m_tracking.keyboardLevel();
    (level ? level : this)->navigate(event);
}

void MenuView::navigate(const Event& event)
{
    switch (static_cast<base::KeyCode>(event.keyCode())) {
    case base::KeyCode::RightArrow:
        m_tracking.enterSubmenu(m_menu);
        return;
    case base::KeyCode::LeftArrow:
        m_tracking.leaveSubmenu(m_menu);
        return;
    case base::KeyCode::DownArrow:
        moveHighlight(1);
        return;
    case base::KeyCode::UpArrow:
        moveHighlight(-1);
        return;
    case base::KeyCode::Home:
    case base::KeyCode::PageUp:
        moveHighlight(1, true);
        return;
    case base::KeyCode::End:
    case base::KeyCode::PageDown:
        moveHighlight(-1, true);
        return;
    case base::KeyCode::Return:
    case base::KeyCode::KeypadEnter:
        if (MenuItem* item = highlightedItem(); item && !item->hasSubmenu())
            m_tracking.choose(*item);
        else if (item)
            m_tracking.enterSubmenu(m_menu);
        return;
    case base::KeyCode::Escape:
        // One level at a time, as the desktop's menus close: a submenu goes back to its
        // parent, whether the keys or the pointer went into it.
        if (!m_tracking.leaveSubmenu(m_menu))
            m_tracking.cancel();
        return;
    case base::KeyCode::Space:
        // A space within what is being typed is part of a title.
        if (!m_typed.empty() && event.timestamp() - m_typedAt <= kTypeAheadPause) {
            typeAhead(event);
            return;
        }
        if (MenuItem* item = highlightedItem(); item && !item->hasSubmenu())
            m_tracking.choose(*item);
        else if (item)
            m_tracking.enterSubmenu(m_menu);
        return;
    default:
        if (!(event.modifierFlags() & (ModifierFlag::Command | ModifierFlag::Control)))
            typeAhead(event);
        return;
    }
}

void MenuView::draw(gfx::GraphicsContext& context, const Rect&)
{
    ControlLook::drawBezel(context, bounds(), 6, ControlLook::kMenu);
    const gfx::Font& font = m_menu.font();
    MenuItem* highlighted = highlightedItem();
    for (const auto& item : m_menu.items()) {
        if (item->isHidden())
            continue;
        Rect row = rectOfItem(item.get());
        if (item->isSeparator()) {
            context.setFillColor(ControlLook::kStroke);
            context.fillRect(Rect(8, std::floor(row.midY()), row.width() - 16, 1));
            continue;
        }
        bool enabled = m_menu.isItemEnabled(*item);
        gfx::Color color = enabled ? ControlLook::kText : ControlLook::kSecondaryText;
        if (item.get() == highlighted) {
            context.setFillColor(ControlLook::kAccent);
            gfx::Path::roundedRect(row.insetBy(4, 0), 4, 4).fill();
            color = gfx::colors::white;
        }
        Rect mark(5, row.midY() - 7, 14, 14);
        if (item->state() == ControlStateValue::On)
            ControlLook::drawCheckMark(context, mark, color);
        else if (item->state() == ControlStateValue::Mixed) {
            context.setFillColor(color);
            context.fillRect(Rect(mark.minX() + 3, mark.midY() - 1, 8, 2));
        } else if (const auto& off = item->offStateImage()) {
            // Only a template takes the text colour; an image of its own colours keeps them.
            if (off->isTemplate())
                off->drawTinted(mark, color);
            else
                off->draw(mark);
        }
        double x = kLeftMargin;
        if (const auto& image = item->image()) {
            Size size = image->size();
            Rect target(x, row.midY() - size.height / 2, size.width, size.height);
            if (image->isTemplate())
                image->drawTinted(target, color);
            else
                image->draw(target);
            x += size.width + 4;
        }
        ControlLook::drawLabel(item->title(), Rect(x, row.minY(), row.width() - x - kRightMargin, row.height()), font,
            color, gfx::TextAlignment::left);
        if (auto shortcut = shortcutText(*item); !shortcut.empty())
            ControlLook::drawLabel(shortcut, Rect(0, row.minY(), row.width() - kRightMargin + 6, row.height()), font,
                color, gfx::TextAlignment::right);
        if (item->hasSubmenu()) {
            gfx::Path arrow;
            double ax = row.maxX() - 12;
            arrow.moveTo({ ax, row.midY() - 4 });
            arrow.lineTo({ ax + 4, row.midY() });
            arrow.lineTo({ ax, row.midY() + 4 });
            arrow.setLineWidth(1.5);
            context.setStrokeColor(color);
            arrow.stroke();
        }
    }
}

}
