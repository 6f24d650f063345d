#include "shell/PreferencesController.h"

#include "shell/PreferencesPaneIcons.h"
#include "shell/PreferencesViews.h"

#include "platform/ui/Screen.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TabView.h"
#include "platform/ui/Toolbar.h"

#include <algorithm>
#include <cmath>

// The preferences window's frame and pages: as large as its fixed panes ask, but never past
// the reach of the screen it is on, where each pane scrolls within the room it has.
namespace ostrel {

namespace {

constexpr double kWindowWidth = 720;
constexpr double kWindowHeight = 560;

// Fills the page it is put on, whatever size the window comes to.
void fillSuperview(ui::View& view, ui::View& page)
{
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    for (const auto& edge : ui::Constraint::edgesEqual(&view, &page))
        page.addConstraint(edge);
}

}

ui::Size PreferencesController::sizeWithinReach(ui::Rect frame) const
{
    ui::Size size(kWindowWidth, kWindowHeight);
    if (auto room = m_window->largestSizeWithinReach(frame))
        size = { std::min(size.width, std::floor(room->width)), std::min(size.height, std::floor(room->height)) };
    return size;
}

void PreferencesController::loadWindow()
{
    m_window = ui::Window::create(ui::Rect(0, 0, kWindowWidth, kWindowHeight), ui::WindowStyle::Titled | ui::WindowStyle::Closable);
    m_window->setTitle("Preferences");
    ui::Rect frame(0, 0, kWindowWidth, kWindowHeight);
    if (auto screen = ui::Screen::main()) {
        const ui::Rect& visible = screen->visibleFrame;
        frame.size = sizeWithinReach(visible);
        frame.origin = ui::Point(visible.midX() - frame.width() / 2, visible.midY() - frame.height() / 2 + 60);
    }
    m_window->setFrame(frame);

    auto content = PreferencesView::create(ui::Rect(ui::Point(), frame.size));
    m_window->setContentView(content);
    m_toolbar = PreferencesToolbar::create();
    content->addSubview(m_toolbar);
    m_tabView = PreferencesTabView::create();
    content->addSubview(m_tabView);
    layOutToolbarAndPanes();
    m_window->setDelegate(this);
    m_window->setNextResponder(this);
    m_shownObservation = m_window->addVisibilityObserver([weak = weak_from_this()](ui::Window& window) {
        if (auto self = weak.lock(); self && window.isVisible())
            self->keepWithinReach();
    });

    buildGeneralPane();
    buildNotificationsPane();
    buildDistractionsPane();
    buildShortcutsPane();
    buildPadsPane();
    buildSoftwareUpdatePane();
    buildIntegrationsPane();
    awakeFromNib();
    windowDidLoad();
}

void PreferencesController::layOutToolbarAndPanes()
{
    // The toolbar stays at the top, whatever the panes below it scroll.
    ui::Size size = m_window->frame().size;
    m_toolbar->setFrame(ui::Rect(0, 0, size.width, ui::Toolbar::kHeight));
    m_tabView->setFrame(ui::Rect(0, ui::Toolbar::kHeight, size.width, std::max(0.0, size.height - ui::Toolbar::kHeight)));
}

void PreferencesController::windowDidResize(ui::Window&) { layOutToolbarAndPanes(); }

void PreferencesController::windowDidMove(ui::Window&) { keepWithinReach(); }

void PreferencesController::keepWithinReach()
{
    // On another display, or with its borders known only once it showed: the size that
    // keeps it within reach there.
    ui::Rect frame = m_window->frame();
    ui::Size size = sizeWithinReach(frame);
    if (size == frame.size)
        return;
    frame.origin.y += frame.height() - size.height;
    frame.size = size;
    m_window->setFrame(frame);
}

void PreferencesController::addPane(const std::string& identifier, const std::string& label, const std::shared_ptr<ui::View>& content)
{
    auto item = ui::TabViewItem::create(identifier);
    item->setLabel(label);
    ui::Size page(kWindowWidth, kWindowHeight - ui::Toolbar::kHeight);
    // Every pane scrolls, both ways, wherever the window leaves it less room than it takes;
    // with the room, no scroller shows and it looks as it is laid out.
    std::shared_ptr<ui::ScrollView> scroll;
    if (content->frame().height() > page.height) {
        // A pane longer than the window scrolls within a frame, beside its scroller.
        scroll = PreferencesBorderedScrollView::create();
        content->setFrame(ui::Rect(0, 0, page.width - ui::Scroller::kWidth, content->frame().height()));
    } else {
        // From the top, over the window's background; scrolled, no further than its last row.
        scroll = ui::ScrollView::create();
        scroll->setDrawsBackground(false);
        content->setFrameOrigin(ui::Point());
    }
    scroll->setContentView(ui::ClipView::create(true));
    scroll->setHasVerticalScroller(true);
    scroll->setHasHorizontalScroller(true);
    scroll->setAutohidesScrollers(true);
    scroll->setScrollerBeside(true);
    scroll->setDocumentView(content);
    item->sharedView()->addSubview(scroll);
    fillSuperview(*scroll, *item->sharedView());
    m_tabView->addItem(item);
    if (identifier == kSoftwareUpdatePane)
        return;
    auto toolbarItem = ui::ToolbarItem::create(identifier, label, preferencesPaneIcon(identifier));
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    toolbarItem->onAction = [weak](ui::ToolbarItem& sender) {
        if (auto self = weak.lock())
            self->tryToPerform("changePane:", &sender);
    };
    m_toolbar->addItem(toolbarItem);
}

}
