#include "platform/ui/PopUpButton.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"

#include <algorithm>

namespace ui {

namespace {

// The arrow's column at the button's right end; a mini button's arrow stays out of the
// labels it is set beside.
double chevronWidth(ControlSize size)
{
    switch (size) {
    case ControlSize::Mini:
        return 12;
    case ControlSize::Small:
        return 15;
    default:
        return 18;
    }
}

}

std::shared_ptr<PopUpButton> PopUpButton::create(bool pullsDown)
{
    return std::shared_ptr<PopUpButton>(new PopUpButton(pullsDown));
}

PopUpButton::PopUpButton(bool pullsDown)
    : Button({}, ButtonType::MomentaryPushIn)
    , m_pullsDown(pullsDown)
    , m_menu(Menu::create())
{
}

void PopUpButton::setPullsDown(bool pullsDown)
{
    m_pullsDown = pullsDown;
    syncTitle();
}

void PopUpButton::setMenu(std::shared_ptr<Menu> menu)
{
    m_menu = menu ? std::move(menu) : Menu::create();
    m_selected.reset();
    if (!m_pullsDown && m_menu->numberOfItems() > 0)
        selectItemAt(0);
    syncTitle();
}

MenuItem* PopUpButton::addItem(std::string title)
{
    // Titles are unique in a pop-up button: adding one again moves it to the end.
    if (int existing = m_menu->indexOfItemWithTitle(title); existing >= 0)
        m_menu->removeItemAt(static_cast<std::size_t>(existing));
    MenuItem* item = m_menu->addItem(std::move(title));
    if (!m_pullsDown && !selectedItem())
        selectItemAt(static_cast<int>(m_menu->numberOfItems()) - 1);
    syncTitle();
    return item;
}

void PopUpButton::addItems(const std::vector<std::string>& titles)
{
    for (const auto& title : titles)
        addItem(title);
}

void PopUpButton::removeAllItems()
{
    m_menu->removeAllItems();
    m_selected.reset();
    syncTitle();
}

MenuItem* PopUpButton::lastItem() const
{
    return m_menu->numberOfItems() ? m_menu->itemAt(m_menu->numberOfItems() - 1) : nullptr;
}

std::vector<std::string> PopUpButton::itemTitles() const
{
    std::vector<std::string> titles;
    for (const auto& item : m_menu->items())
        titles.push_back(item->title());
    return titles;
}

MenuItem* PopUpButton::selectedItem() const
{
    auto item = m_selected.lock();
    // An item taken out of the menu is no longer the selection.
    return item && item->menu() == m_menu.get() ? item.get() : nullptr;
}

int PopUpButton::indexOfSelectedItem() const { return m_menu->indexOfItem(selectedItem()); }

std::string PopUpButton::titleOfSelectedItem() const
{
    MenuItem* item = selectedItem();
    return item ? item->title() : std::string {};
}

void PopUpButton::selectItemAt(int index)
{
    MenuItem* item = index >= 0 ? m_menu->itemAt(static_cast<std::size_t>(index)) : nullptr;
    if (auto previous = selectedItem(); previous && !m_pullsDown)
        previous->setState(ControlStateValue::Off);
    m_selected = item ? item->weak_from_this() : std::weak_ptr<MenuItem> {};
    if (item && !m_pullsDown)
        item->setState(ControlStateValue::On);
    syncTitle();
}

bool PopUpButton::selectItemWithTag(int tag)
{
    int index = m_menu->indexOfItemWithTag(tag);
    if (index < 0)
        return false;
    selectItemAt(index);
    return true;
}

void PopUpButton::selectItemWithTitle(const std::string& title) { selectItemAt(m_menu->indexOfItemWithTitle(title)); }

void PopUpButton::syncTitle()
{
    MenuItem* shown = m_pullsDown ? m_menu->itemAt(0) : selectedItem();
    setTitle(shown ? shown->title() : std::string {});
    if (m_pullsDown && shown && shown->image())
        setImage(shown->image());
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void PopUpButton::popUpMenu()
{
    if (!isEnabled())
        return;
    setHighlighted(true);
    auto self = std::static_pointer_cast<PopUpButton>(shared_from_this());
    std::shared_ptr<MenuItem> chosen;
    if (m_pullsDown) {
        // The first item is the button's title, not an entry.
        auto first = m_menu->numberOfItems() ? m_menu->items().front() : nullptr;
        bool wasHidden = first && first->isHidden();
        if (first)
            first->setHidden(true);
        m_menu->setMinimumWidth(bounds().width());
        chosen = m_menu->popUp(nullptr, Point(0, bounds().height() + 2), this);
        if (first && first->menu() == m_menu.get())
            first->setHidden(wasHidden);
    } else {
        m_menu->setMinimumWidth(bounds().width());
        chosen = m_menu->popUp(selectedItem(), Point(0, 0), this);
    }
    setHighlighted(false);
    if (!chosen || chosen->menu() == nullptr)
        return;
    if (!m_pullsDown && chosen->menu() == m_menu.get())
        selectItemAt(m_menu->indexOfItem(chosen.get()));
    sendAction();
}

void PopUpButton::mouseDown(const Event&) { popUpMenu(); }

void PopUpButton::keyDown(const Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    std::uint32_t held = event.modifierFlags() & (ModifierFlag::Shift | ModifierFlag::Control | ModifierFlag::Option | ModifierFlag::Command);
    bool isReturn = key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter;
    bool arrow = key == base::KeyCode::DownArrow || key == base::KeyCode::UpArrow;
    // Space, the arrows and Alt+Down open the menu, as this desktop's drop-down lists do; a
    // pull-down is a button, which Return presses as well.
    if ((key == base::KeyCode::Space && held == 0) || (arrow && (held == 0 || held == ModifierFlag::Option))
        || (m_pullsDown && isReturn && held == 0)) {
        popUpMenu();
        return;
    }
    // Return on a pop-up means the window's default button, as from a slider: the choice
    // shows already, and a user moves on.
    if (isReturn) {
        Control::keyDown(event);
        return;
    }
    Button::keyDown(event);
}

Size PopUpButton::intrinsicContentSize() const
{
    Size size = Button::intrinsicContentSize();
    double widest = 0;
    for (const auto& item : m_menu->items())
        if (!item->isSeparator())
            widest = std::max(widest, ControlLook::labelSize(item->title(), font()).width);
    if (!m_pullsDown && isBordered())
        size.width = std::max(size.width, widest + 24);
    size.width += chevronWidth(controlSize());
    return size;
}

Rect PopUpButton::arrowRect() const
{
    double width = chevronWidth(controlSize());
    return Rect(bounds().maxX() - width, bounds().minY(), width - 2, bounds().height());
}

void PopUpButton::drawOwnLook(gfx::GraphicsContext& context)
{
    Rect area = bounds();
    if (isBordered())
        ControlLook::drawBezel(context, area, 5, isHighlighted() ? ControlLook::kFaceHighlighted : ControlLook::kFace);
    Rect chevron = arrowRect();
    ControlLook::drawChevron(context, chevron, ControlLook::kText, !m_pullsDown);
    double chevronColumn = area.maxX() - chevron.minX();
    Rect content(isBordered() ? 8 : 0, 0, std::max(0.0, area.width() - chevronColumn - (isBordered() ? 8 : 0)), area.height());
    drawContent(context, content, isHighlighted() && !isBordered() ? ControlLook::kSecondaryText : ControlLook::kText);
}

}
