#include "platform/ui/MenuTracking.h"

#include "platform/base/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuView.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace ui {

namespace {

// Losing the keyboard to another window ends the tracking, as a click elsewhere does.
class DismissOnResignKey : public WindowDelegate {
public:
    explicit DismissOnResignKey(MenuTracking& tracking)
        : m_tracking(tracking)
    {
    }
    void windowDidResignKey(Window&) override
    {
        // Taken by a click on another of our windows, the click comes after: it only closes
        // the menu, as one read while the menu showed does.
        if (auto* app = Application::shared())
            app->dropPressesMadeBy(app->backend().displayTime());
        m_tracking.cancel();
    }

private:
    MenuTracking& m_tracking;
};

// The session whose menu shows, if any: not owned, it lives on the stack of its run().
MenuTracking* s_shown = nullptr;

}

MenuTracking::MenuTracking(Menu& menu)
    : m_menu(menu)
    , m_keepAlive(menu.weak_from_this().lock())
{
    m_menu.m_tracking = this;
}

MenuTracking::~MenuTracking()
{
    if (s_shown == this)
        s_shown = nullptr;
    closeLevelsAfter(nullptr);
    m_menu.m_tracking = nullptr;
}

std::shared_ptr<MenuItem> MenuTracking::run(const MenuItem* positioningItem, Point location, View* view)
{
    m_menu.willOpen();
    Point topLeft = view ? view->convertPointToScreen(location) : location;
    Window* previousKey = Application::shared() ? Application::shared()->keyWindow() : nullptr;
    std::weak_ptr<Window> previous = previousKey ? previousKey->weak_from_this() : std::weak_ptr<Window> {};

    // Another menu still open (the window's menu when a pull-down is clicked, the status
    // menu over either) closes first: its run ends once this one has.
    MenuTracking* other = std::exchange(s_shown, this);
    if (other) {
        other->cancel();
        other->closeLevelsAfter(nullptr);
    }
    open(m_menu, topLeft, positioningItem);
    // Opened from the keyboard (F10, Space on a button), the menu starts on its first item,
    // so the arrows and Return work from the first key on.
    const Event* opening = Application::shared() ? Application::shared()->currentEvent() : nullptr;
    if (!positioningItem && opening && opening->type() == Event::Type::KeyDown && !m_levels.empty())
        m_levels.front().view->highlightFirst();
    DismissOnResignKey dismiss(*this);
    if (!m_levels.empty())
        m_levels.front().window->setDelegate(&dismiss);
    // A click outside the menu closes it and goes no further, as on every desktop: it landed
    // on another control (a pull-down opening its own menu over this one) or window otherwise.
    std::optional<Application::MonitorId> outside;
    if (auto* app = Application::shared())
        outside = app->addLocalMonitor(EventMask::LeftMouseDown | EventMask::of(Event::Type::RightMouseDown)
                | EventMask::of(Event::Type::OtherMouseDown),
            [this](const Event& event) -> std::optional<Event> {
                // Once the menu lost the keyboard to the click (the window manager tells that
                // first), the click is still the one that closed it; another menu's are its own.
                if (s_shown != this || !event.window() || isOneOfOurWindows(event.window()))
                    return event;
                cancel();
                return std::nullopt;
            });

    base::RunLoop::main().runModal([this] { return m_done; });

    if (outside && Application::shared())
        Application::shared()->removeMonitor(*outside);
    if (s_shown == this)
        s_shown = nullptr;

    if (!m_levels.empty())
        m_levels.front().window->setDelegate(nullptr);
    closeLevelsAfter(nullptr);
    if (auto window = previous.lock(); window && window->isVisible())
        window->makeKeyWindow();
    if (m_menu.delegate())
        m_menu.delegate()->menuDidClose(m_menu);
    m_menu.m_tracking = nullptr;
    auto chosen = std::move(m_chosen);
    if (chosen)
        chosen->perform();
    // Opened over a hidden program (the status item's menu), the menu took the keyboard and
    // with it the front: gone, it leaves the program in the background unless what was chosen
    // showed it, or every later click on the status item took it for a program in front.
    if (auto* app = Application::shared(); app && app->isHidden() && app->isActive())
        app->deactivate();
    return chosen;
}

void MenuTracking::open(Menu& menu, Point topLeft, const MenuItem* positioningItem)
{
    Level level;
    level.menu = &menu;
    level.keepAlive = menu.weak_from_this().lock();
    level.view = MenuView::create(menu, *this);
    Size size = level.view->fittingRowsSize();
    level.view->setFrame(Rect(0, 0, size.width, size.height));
    // The positioning item's row opens over the point, placed before the window shows: a
    // window that appeared elsewhere first would have the display report the pointer over
    // whatever row was there.
    if (positioningItem)
        topLeft.y += level.view->rectOfItem(positioningItem).minY();
    // Inside the work area of the display it opens on: a menu near the right or bottom edge
    // opens the other way, one that would stand above the top (a pop-up's menu placed with
    // its chosen row over the button) is shifted down.
    std::optional<Screen> screen;
    for (const Screen& each : Screen::screens())
        if (!screen && topLeft.x >= each.frame.minX() && topLeft.x <= each.frame.maxX() && topLeft.y >= each.frame.minY()
            && topLeft.y <= each.frame.maxY())
            screen = each;
    if (!screen)
        screen = Screen::main();
    if (screen) {
        Rect visible = screen->visibleFrame;
        if (topLeft.x + size.width > visible.maxX())
            topLeft.x = std::max(visible.minX(), visible.maxX() - size.width);
        if (topLeft.x < visible.minX())
            topLeft.x = visible.minX();
        if (topLeft.y - size.height < visible.minY())
            topLeft.y = std::min(visible.maxY(), visible.minY() + size.height);
        if (topLeft.y > visible.maxY())
            topLeft.y = visible.maxY();
    }
    level.window = Window::create(Rect(topLeft.x, topLeft.y - size.height, size.width, size.height), WindowStyle::Borderless);
    level.window->setLevel(WindowLevel::PopUpMenu);
    level.window->setKind(WindowKind::Menu);
    level.window->setBackgroundColor(gfx::Color::white(0, 0));
    // Its round corners show what is behind, also where no compositor would.
    level.window->setBlendsOverScreen(true);
    level.window->setContentView(level.view);
    if (positioningItem)
        level.view->setHighlightedItem(const_cast<MenuItem*>(positioningItem));
    if (auto* app = Application::shared())
        level.view->setPointerAtOpen(app->backend().mouseLocation());
    bool root = m_levels.empty();
    level.window->setCanBecomeKeyWindow(root);
    if (root) {
        // Also while the application is hidden: a status item's menu opens over whatever shows.
        level.window->orderFrontRegardless();
        level.window->makeKeyWindow();
        level.window->makeFirstResponder(level.view.get());
    } else {
        level.window->orderFrontRegardless();
        menu.m_tracking = this;
    }
    m_levels.push_back(std::move(level));
}

bool MenuTracking::isOneOfOurWindows(const Window* window) const
{
    return std::any_of(m_levels.begin(), m_levels.end(), [window](const Level& level) { return level.window.get() == window; });
}

const MenuTracking::Level* MenuTracking::levelOf(const Menu* menu) const
{
    for (const auto& level : m_levels)
        if (level.menu == menu)
            return &level;
    return nullptr;
}

void MenuTracking::closeLevelsAfter(const Menu* menu)
{
    while (!m_levels.empty() && m_levels.back().menu != menu) {
        Level level = std::move(m_levels.back());
        m_levels.pop_back();
        level.window->setDelegate(nullptr);
        level.window->close();
        if (level.menu != &m_menu)
            level.menu->m_tracking = nullptr;
    }
}

void MenuTracking::openSubmenu(const Menu& parent, MenuItem* item)
{
    const Level* level = levelOf(&parent);
    if (!level)
        return;
    if (item && levelOf(item->submenu().get()))
        return;
    closeLevelsAfter(&parent);
    if (!item)
        return;
    Menu& submenu = *item->submenu();
    submenu.willOpen();
    Rect row = level->view->rectOfItem(item);
    Rect frame = level->window->frame();
    open(submenu, { frame.maxX() - 4, frame.maxY() - row.minY() + 4 });
}

MenuView* MenuTracking::keyboardLevel() const
{
    if (m_levels.empty())
        return nullptr;
    return m_levels[std::min(m_keyboardLevel, m_levels.size() - 1)].view.get();
}

bool MenuTracking::enterSubmenu(const Menu& parent)
{
    const Level* level = levelOf(&parent);
    MenuItem* item = level ? level->view->highlightedItem() : nullptr;
    if (!item || !item->hasSubmenu())
        return false;
    openSubmenu(parent, item);
    for (std::size_t i = 0; i < m_levels.size(); ++i) {
        if (m_levels[i].menu == item->submenu().get()) {
            m_keyboardLevel = i;
            if (!m_levels[i].view->highlightedItem())
                m_levels[i].view->highlightFirst();
            return true;
        }
    }
    return false;
}

bool MenuTracking::leaveSubmenu(const Menu& menu)
{
    for (std::size_t i = 1; i < m_levels.size(); ++i) {
        if (m_levels[i].menu == &menu) {
            closeLevelsAfter(m_levels[i - 1].menu);
            m_keyboardLevel = i - 1;
            return true;
        }
    }
    return false;
}

void MenuTracking::pointerEntered(const Menu& menu)
{
    for (std::size_t i = 0; i < m_levels.size(); ++i)
        if (m_levels[i].menu == &menu)
            m_keyboardLevel = i;
}

void MenuTracking::choose(MenuItem& item)
{
    m_chosen = item.shared_from_this();
    m_done = true;
}

void MenuTracking::cancel() { m_done = true; }

Window* MenuTracking::windowOf(const Menu* menu) const
{
    const Level* level = levelOf(menu);
    return level ? level->window.get() : nullptr;
}

MenuItem* MenuTracking::itemAt(const Menu* menu, Point topLeftPoint) const
{
    const Level* level = levelOf(menu);
    return level ? level->view->itemAt(topLeftPoint) : nullptr;
}

Rect MenuTracking::rectOf(const Menu* menu, const MenuItem* item) const
{
    const Level* level = levelOf(menu);
    return level ? level->view->rectOfItem(item) : Rect {};
}

}
