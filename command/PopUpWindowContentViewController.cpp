#include "command/PopUpWindowContentViewController.h"

#include "command/MatchingItem.h"
#include "command/MatchingItemList.h"
#include "command/MatchingLineFragment.h"
#include "command/MatchingLineFragmentFactory.h"
#include "command/PopUpWindowContentViewControllerDelegate.h"
#include "core/Key.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/LocalEventMonitor.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/Wall.h"

#include "platform/base/MainQueue.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Popover.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextField.h"

#include <algorithm>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cmath>
#include <iostream>

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr std::uint32_t kShortcutModifiers = ui::ModifierFlag::Command | ui::ModifierFlag::Option | ui::ModifierFlag::Control;
// The platform's colours where the delegate gives none.
constexpr gfx::Color kDisabledControlText = ui::ControlLook::kSecondaryText;
constexpr gfx::Color kSystemBlue = ui::ControlLook::kAccent;
constexpr gfx::Color kWindowBackground = ui::ControlLook::kMenu;

// Letters, marks, numbers, symbols, punctuation, spaces and tabs go into the search text;
// control and function-key characters do not.
bool startsWithSearchableCharacter(const std::string& characters)
{
    if (characters.empty())
        return false;
    if (characters[0] == '\t')
        return true;
    int32_t offset = 0;
    UChar32 c = 0;
    U8_NEXT(characters.data(), offset, static_cast<int32_t>(characters.size()), c);
    if (c < 0)
        return false;
    constexpr auto searchable = U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK | U_GC_S_MASK | U_GC_P_MASK | U_GC_ZS_MASK;
    return (U_GET_GC_MASK(c) & searchable) != 0;
}

std::ostream& operator<<(std::ostream& out, const ui::Point& p) { return out << "(" << p.x << ", " << p.y << ")"; }

std::ostream& operator<<(std::ostream& out, const ui::Rect& r)
{
    return out << "(" << r.minX() << ", " << r.minY() << ", " << r.width() << ", " << r.height() << ")";
}

}

std::shared_ptr<PopUpWindowContentViewController> PopUpWindowContentViewController::create(bool delayedBuild)
{
    return NiblessViewController::create<PopUpWindowContentViewController>(delayedBuild);
}

PopUpWindowContentViewController::PopUpWindowContentViewController()
    : m_matchingFragmentFactory(std::make_shared<MatchingLineFragmentFactory>())
    , m_matchingItemList(std::make_shared<MatchingItemList>())
{
}

std::shared_ptr<PopUpWindowContentViewController> PopUpWindowContentViewController::self()
{
    return std::static_pointer_cast<PopUpWindowContentViewController>(shared_from_this());
}

void PopUpWindowContentViewController::setDelegate(std::shared_ptr<PopUpWindowContentViewControllerDelegate> delegate)
{
    m_delegate = std::move(delegate);
}

void PopUpWindowContentViewController::setMatchingFragmentFactory(std::shared_ptr<MatchingLineFragmentFactory> factory)
{
    if (factory)
        m_matchingFragmentFactory = std::move(factory);
}

void PopUpWindowContentViewController::setMatchingItemList(std::shared_ptr<MatchingItemList> list)
{
    if (list)
        m_matchingItemList = std::move(list);
}

ui::Button* PopUpWindowContentViewController::hostingButton() const
{
    return dynamic_cast<ui::Button*>(m_anchor.lock().get());
}

ui::Window* PopUpWindowContentViewController::contentWindow() const
{
    return m_contentWall ? m_contentWall->window() : nullptr;
}

void PopUpWindowContentViewController::build()
{
    if (!m_contentWall)
        m_contentWall = Wall::create();
    auto& wall = *m_contentWall;
    wall.setIdentifier("PopUpWindowContentViewController:ContentView");
    setView(m_contentWall);

    m_searchField = standardLabel(m_placeholderText);
    auto searchHeight = m_delegate ? m_delegate->constantHeightSearchField() : std::nullopt;
    if (searchHeight) {
        auto line = Wall::create();
        wall.factory().internalAddBrick(line, [height = *searchHeight](LayoutConstraintMaker& maker) {
            maker.container().pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0).pin(A::Top, A::Top, 0);
            maker.height(height);
        });
        line->factory().internalAddBrick(m_searchField, [](LayoutConstraintMaker& maker) {
            maker.container().place(A::Left, A::Left).place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0);
        });
        m_searchLine = line;
    } else {
        wall.factory().internalAddBrick(m_searchField, [](LayoutConstraintMaker& maker) {
            maker.container().place(A::Top, A::Top).place(A::Left, A::Left).place(A::Right, A::Right);
        });
    }
    m_searchField->setFont(gfx::Font::system(16, gfx::FontWeight::semibold));

    m_matchStackView = FragmentStackView::create(ui::Orientation::Vertical);
    m_matchStackView->setAlignment(A::Left);
    m_matchStackView->setEdgeInsets({});
    m_matchStackView->setSpacing(0);
    // The rows hang from the line of fixed height where there is one, not from the text in it:
    // typed text is larger than the prompt, and would push the last row out of the pop-up.
    std::shared_ptr<ui::View> above = m_searchLine ? m_searchLine : std::static_pointer_cast<ui::View>(m_searchField);
    wall.factory().internalAddBrick(m_matchStackView, [above](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Right, A::Right);
        maker.and_(*above).place(A::Top, A::Bottom);
    });
    for (int i = 0; i < m_matchingItemList->numberOfDisplayedMatches(); ++i) {
        auto row = m_matchingFragmentFactory->makeBlank();
        row->build();
        row->setTopFragment(i == 0);
        row->setHighlighted(false);
        row->changeColors();
        row->setNeedsDisplay();
        m_matchStackView->addFragment(row);
        // Every row as wide as the list, whatever its content asks for.
        LayoutConstraintMaker width(*row);
        width.and_(*m_matchStackView).width(1.0);
        m_matchStackView->addConstraints(width.constraints());
        m_matchingFragments.push_back(row);
    }

    m_drillDownLabel = standardLabel("");
    auto stack = m_matchStackView;
    wall.factory().internalAddBrick(m_drillDownLabel, [stack](LayoutConstraintMaker& maker) {
        maker.and_(*stack).place(A::Top, A::Bottom);
        maker.container().place(A::Left, A::Left).place(A::Bottom, A::Bottom);
    });
    auto crumbColour = m_delegate ? m_delegate->drillDownLabelTextFieldColor() : std::nullopt;
    m_drillDownLabel->setTextColor(crumbColour.value_or(kDisabledControlText));

    std::weak_ptr<MatchingItemList> weakList = m_matchingItemList;
    m_downArrow = wall.factory().pushButton("\u2193", [weakList] {
        if (auto list = weakList.lock())
            list->moveDisplayedRangeDown();
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).place(A::Bottom, A::Bottom); });
    auto down = m_downArrow;
    m_upArrow = wall.factory().pushButton("\u2191", [weakList] {
        if (auto list = weakList.lock())
            list->moveDisplayedRangeUp();
    }, [down](LayoutConstraintMaker& maker) { maker.and_(*down).pin(A::Right, A::Left, 0).pin(A::Bottom, A::Bottom, 0); });
    for (auto& arrow : { m_downArrow, m_upArrow })
        arrow->setBezelStyle(ui::BezelStyle::Borderless);

    wall.setBackgroundColor(kWindowBackground);
    wall.setNeedsDisplay();

    std::weak_ptr<PopUpWindowContentViewController> weakSelf = self();
    m_updateSubscription = m_matchingItemList->updatePublisher().addColdListener([weakSelf](std::monostate) {
        auto self = weakSelf.lock();
        if (!self)
            return;
        self->m_updateSubscriptionDebouncer.run([weakSelf] {
            if (auto self = weakSelf.lock())
                self->updateSearchResults();
        });
    });
}

void PopUpWindowContentViewController::startMonitor()
{
    if (m_localEventMonitor && m_localEventMonitor->isMonitoring())
        return;
    std::weak_ptr<PopUpWindowContentViewController> weakSelf = self();
    m_localEventMonitor = LocalEventMonitor::create(ui::EventMask::LeftMouseDown | ui::EventMask::KeyDown,
        [weakSelf](const ui::Event& event) -> std::optional<ui::Event> {
            auto self = weakSelf.lock();
            return self ? self->handleKeyStroke(event) : std::optional<ui::Event>(event);
        });
    m_localEventMonitor->start();
}

void PopUpWindowContentViewController::stopMonitor()
{
    // A monitor is removed from the application when its wrapper goes.
    m_localEventMonitor.reset();
}

void PopUpWindowContentViewController::run(bool asPopUp, ui::View* anchor, bool bringToFrontIfNecessary)
{
    if (anchor)
        m_anchor = anchor->weak_from_this();
    auto* app = ui::Application::shared();
    bool active = app && app->isActive();
    if (bringToFrontIfNecessary) {
        if (active && m_isRunning) {
            // A second press of the button or the hot key closes what the first opened.
            dismissDialog();
            return;
        }
        if (!active) {
            if (app)
                app->activate(true);
            if (m_isRunning)
                return;
        }
    }
    if (!active && m_isRunning) {
        dismissDialog();
        return;
    }

    // Hold on: the entries run by the list may close and reopen us on the way.
    auto keep = self();
    m_isRunning = true;
    m_drillDownLabel->setStringValue("");
    if (m_delegate)
        m_delegate->prepareForRun();
    // An anchor out of sight has nothing to hang from: the pop-up opens as a window of its own.
    auto shownAnchor = m_anchor.lock();
    if (shownAnchor && (!shownAnchor->window() || shownAnchor->isHiddenOrHasHiddenAncestor()))
        shownAnchor.reset();
    asPopUp = asPopUp && shownAnchor;
    if (auto visible = displayToOpenOn(asPopUp ? shownAnchor->window() : nullptr))
        fitRowsInto((asPopUp ? roomBesideAnchor(*shownAnchor, *visible) : visible->height()) - (asPopUp ? ui::Popover::chromeHeight() : 0));
    m_matchingItemList->gatherAllPossibleMatchingItems();
    m_matchingItemList->configureItemScoreEvaluator();
    m_matchingItemList->startWithEmptySearchTerm();
    updateSearchResults();
    if (asPopUp)
        showAsPopover();
    else
        showAsWindow();
}

std::optional<ui::Rect> PopUpWindowContentViewController::displayToOpenOn(const ui::Window* anchorWindow)
{
    std::optional<ui::Screen> place = anchorWindow ? anchorWindow->screen() : std::nullopt;
    if (!place) {
        auto screens = ui::Screen::screens();
        if (!screens.empty())
            place = screens.front();
    }
    return place ? std::optional(place->visibleFrame) : std::nullopt;
}

double PopUpWindowContentViewController::roomBesideAnchor(ui::View& anchor, const ui::Rect& visibleFrame)
{
    // The popover hangs below its button or stands above it, wherever there is more room: a
    // pop-up taller than that room is pushed back onto the display and its arrow points past
    // the button.
    ui::Window* window = anchor.window();
    if (!window)
        return visibleFrame.height();
    ui::Rect inWindow = anchor.convertRectTo(anchor.bounds(), nullptr);
    ui::Point origin = window->convertPointToScreen(inWindow.origin);
    ui::Rect onScreen(origin, inWindow.size);
    double below = onScreen.minY() - visibleFrame.minY();
    double above = visibleFrame.maxY() - onScreen.maxY();
    return std::clamp(std::max(below, above), 0.0, visibleFrame.height());
}

void PopUpWindowContentViewController::fitRowsInto(double height)
{
    constexpr std::size_t kFewestRows = 3;
    if (m_matchingFragments.empty())
        return;
    for (auto& row : m_matchingFragments)
        m_matchStackView->showFragment(*row);
    double whole = m_contentWall->fittingSize().height;
    double rowHeight = m_matchingFragments.front()->fittingSize().height;
    std::size_t rows = m_matchingFragments.size();
    std::size_t shown = rows;
    while (shown > kFewestRows && whole - double(rows - shown) * rowHeight > height)
        --shown;
    for (std::size_t i = shown; i < rows; ++i)
        m_matchStackView->hideFragment(*m_matchingFragments[i]);
    if (int(shown) != m_matchingItemList->numberOfDisplayedMatches())
        m_matchingItemList->setNumberOfDisplayedMatches(int(shown));
}

std::size_t PopUpWindowContentViewController::shownRows() const
{
    return std::min(m_matchingFragments.size(), std::size_t(std::max(0, m_matchingItemList->numberOfDisplayedMatches())));
}

void PopUpWindowContentViewController::closePopover()
{
    if (!m_popover)
        return;
    // Its will-close hook stops the monitor and lets go of it.
    auto popover = m_popover;
    popover->close();
    m_popover.reset();
}

void PopUpWindowContentViewController::showAsPopover()
{
    auto button = m_anchor.lock();
    if (!button)
        return;
    closePopover();
    // The content moves from the window of the window mode into the popover.
    if (auto window = m_commandWindow.lock(); window && window->contentView() == m_contentWall.get()) {
        window->orderOut();
        window->setContentView(ui::View::create());
    }
    m_popover = ui::Popover::create();
    m_popover->setContentView(m_contentWall);
    std::weak_ptr<PopUpWindowContentViewController> weakSelf = self();
    m_popover->onWillShow = [weakSelf] {
        if (auto self = weakSelf.lock())
            self->startMonitor();
    };
    m_popover->onWillClose = [weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->stopMonitor();
            self->m_popover.reset();
        }
    };
    auto* buttonWindow = button->window();
    if (!buttonWindow)
        return;
    buttonWindow->orderFrontRegardless();
    if (auto* app = ui::Application::shared())
        app->activate(true);
    // Anchored in the button's superview, so that its lower edge is the one below the button.
    ui::View* anchor = button->superview() ? button->superview() : button.get();
    ui::Rect rect = button->convertRectTo(button->bounds(), anchor);
    m_popover->show(rect, anchor, ui::RectEdge::MinY);
    viewDidAppear();
    // Running while nothing shows would swallow every key typed meanwhile.
    if (!m_popover || !m_popover->isShown()) {
        dismissDialog();
        return;
    }
    if (auto* window = contentWindow())
        window->makeFirstResponder(m_searchField.get());
}

void PopUpWindowContentViewController::viewDidAppear()
{
    if (auto* window = contentWindow())
        window->makeKeyAndOrderFront();
}

ui::Point PopUpWindowContentViewController::windowOrigin(const ui::Rect& visibleFrame, const ui::Size& windowSize)
{
    // std::round takes halves away from zero. On a display too short for the window two
    // thirds up, its top edge (the search line) stays on it.
    double x = visibleFrame.minX() + std::round(visibleFrame.width() * 0.5 - windowSize.width * 0.5);
    double y = visibleFrame.minY() + std::round(2 * (visibleFrame.height() / 3) - windowSize.height * 0.5);
    y = std::max(std::min(y, visibleFrame.maxY() - windowSize.height), visibleFrame.minY() - std::max(0.0, windowSize.height - visibleFrame.height()));
    return { std::max(x, visibleFrame.minX()), y };
}

void PopUpWindowContentViewController::showAsWindow()
{
    auto window = m_commandWindow.lock();
    if (!window)
        return;
    closePopover();
    if (window->contentView() != m_contentWall.get()) {
        m_contentWall->removeFromSuperview();
        window->setContentView(m_contentWall);
    }
    // The rows shown may have changed with the display.
    window->setFrame(ui::Rect(window->frame().origin, m_contentWall->fittingSize()));
    auto screens = ui::Screen::screens();
    if (!screens.empty())
        window->setFrameOrigin(windowOrigin(screens.front().visibleFrame, window->frame().size));
    window->orderFrontRegardless();
    if (auto* app = ui::Application::shared())
        app->activate(true);
    viewDidAppear();
}

void PopUpWindowContentViewController::dismissDialog()
{
    if (m_popover) {
        closePopover();
        stopMonitor();
    } else {
        stopMonitor();
        if (auto* window = contentWindow())
            window->close();
    }
    m_isRunning = false;
}

void PopUpWindowContentViewController::windowDidBecomeKey(ui::Window&) { startMonitor(); }

void PopUpWindowContentViewController::windowDidResignKey(ui::Window&)
{
    stopMonitor();
    dismissDialog();
}

std::optional<ui::Event> PopUpWindowContentViewController::handleKeyStroke(const ui::Event& event)
{
    // The list's entries may close the pop-up and drop every other hold on it.
    auto keep = self();
    switch (event.type()) {
    case ui::Event::Type::KeyDown:
        return handleKeyDown(event);
    case ui::Event::Type::LeftMouseDown:
        return handleMouseDown(event);
    default:
        return event;
    }
}

std::optional<ui::Event> PopUpWindowContentViewController::handleKeyDown(const ui::Event& event)
{
    auto key = Key::withCarbonKeyCode(event.keyCode());
    if (!key)
        return std::nullopt;
    if (event.modifierFlags() & kShortcutModifiers) {
        // The shortcut works as if the pop-up were not there.
        dismissDialog();
        return event;
    }
    if (*key == Key::escape) {
        stopMonitor();
        dismissDialog();
        return std::nullopt;
    }

    auto& list = *m_matchingItemList;
    if (m_continuousTypingIntervalHasExpired) {
        list.resetSearchTerm();
        m_continuousTypingIntervalHasExpired = false;
    }
    std::weak_ptr<PopUpWindowContentViewController> weakSelf = self();
    m_keystrokeDebouncer.run([weakSelf] {
        if (auto self = weakSelf.lock())
            self->m_continuousTypingIntervalHasExpired = true;
    });

    switch (key->value) {
    case Key::return_:
    case Key::keypadEnter:
        returnPressed((event.modifierFlags() & ui::ModifierFlag::Shift) != 0);
        break;
    case Key::upArrow:
        list.moveCursorUp();
        break;
    case Key::downArrow:
        list.moveCursorDown();
        break;
    case Key::rightArrow:
        list.drillIntoCurrentGroup();
        break;
    case Key::leftArrow:
        list.drillOutOfCurrentGroup();
        break;
    case Key::delete_:
        // An empty search text stays empty: Delete does not leave the group.
        if (!list.currentSearchString().empty())
            list.removeLastCharacterFromSearchTerm();
        break;
    default:
        if (startsWithSearchableCharacter(event.characters()))
            list.addToSearchTerm(event.characters());
        break;
    }
    return std::nullopt;
}

void PopUpWindowContentViewController::returnPressed(bool shiftHeld)
{
    auto& list = *m_matchingItemList;
    auto item = list.currentMatch();
    if (!item)
        return;
    if (item->kind() == MatchingItemKind::group) {
        list.drillIntoCurrentGroup();
        return;
    }
    if (m_autoHideApp) {
        if (auto* app = ui::Application::shared())
            app->hide();
    }
    if (item->dismissBeforeExecution())
        dismissDialog();
    list.executeCurrent(shiftHeld);
    if (auto current = list.currentMatch(); current && !current->dismissBeforeExecution())
        configureRows();
}

void PopUpWindowContentViewController::configureRows()
{
    // What an option says of its setting shows at once, not at the next search.
    for (auto& row : m_matchingFragments) {
        row->configure(row->matchingItem());
        row->changeColors();
        row->setNeedsDisplay();
    }
}

std::optional<ui::Event> PopUpWindowContentViewController::handleMouseDown(const ui::Event& event)
{
    auto* window = contentWindow();
    if (!window)
        return event;
    ui::Point screenPoint = event.window() ? event.window()->convertPointToScreen(event.locationInWindow()) : event.locationInWindow();
    ui::Point point = window->convertPointFromScreen(screenPoint);
    std::cout << "mouseLocation: " << point << std::endl;

    auto& list = *m_matchingItemList;
    for (std::size_t i = 0; i < shownRows(); ++i) {
        auto& row = m_matchingFragments[i];
        ui::Rect frame = row->convertRectTo(row->bounds(), nullptr);
        std::cout << "index: " << i << " frame: " << frame << std::endl;
        if (!frame.contains(point))
            continue;
        int index = list.indexOfFirstResultBeingShown() + static_cast<int>(i);
        if (list.itemExists(index)) {
            list.setSelectedMatchedItemIndex(index);
            bool shiftHeld = (event.modifierFlags() & ui::ModifierFlag::Shift) != 0;
            std::weak_ptr<PopUpWindowContentViewController> weakSelf = self();
            // The row shows its selection before the entry runs.
            base::MainQueue::asyncAfter(0.1, [weakSelf, shiftHeld] {
                auto self = weakSelf.lock();
                if (!self)
                    return;
                auto& list = *self->m_matchingItemList;
                auto current = list.currentMatch();
                if (!current)
                    return;
                if (current->kind() == MatchingItemKind::group) {
                    list.drillIntoCurrentGroup();
                    return;
                }
                list.executeCurrent(shiftHeld);
                if (self->m_isRunning)
                    self->configureRows();
            });
        }
        return std::nullopt;
    }

    auto* content = window->contentView();
    if (!content || !content->frame().contains(point))
        dismissDialog();
    // The command button does not reopen what this click just closed.
    if (auto button = m_anchor.lock(); button && button->window()) {
        ui::Rect inWindow = button->convertRectTo(button->bounds(), nullptr);
        ui::Point origin = button->window()->convertPointToScreen(inWindow.origin);
        if (ui::Rect(origin, inWindow.size).contains(screenPoint))
            return std::nullopt;
    }
    return event;
}

void PopUpWindowContentViewController::updateSearchResults()
{
    auto& list = *m_matchingItemList;
    const auto& search = list.currentSearchString();
    if (search.empty()) {
        m_searchField->setStringValue(m_placeholderText);
        m_searchField->setFont(m_placeholderFont);
        auto colour = m_delegate ? m_delegate->searchFieldDisabledTextColor() : std::nullopt;
        m_searchField->setTextColor(colour.value_or(kDisabledControlText));
    } else {
        m_searchField->setStringValue(search);
        m_searchField->setFont(m_actionFont);
        auto colour = m_delegate ? m_delegate->searchFieldTextColor() : std::nullopt;
        m_searchField->setTextColor(colour.value_or(kSystemBlue));
    }

    if (!list.hasMatches()) {
        for (auto& row : m_matchingFragments) {
            row->setMatchingItem(nullptr);
            row->configure(nullptr);
            row->changeColors();
            row->setNeedsDisplay();
        }
    } else {
        int top = list.indexOfFirstResultBeingShown();
        for (std::size_t i = 0; i < shownRows(); ++i) {
            auto& row = m_matchingFragments[i];
            int index = top + static_cast<int>(i);
            row->setHighlighted(index == list.selectedMatchedItemIndex());
            row->changeColors();
            row->setNeedsDisplay();
            auto item = list.itemExists(index) ? list.matchingItems()[static_cast<std::size_t>(index)] : nullptr;
            row->setMatchingItem(item);
            row->configure(item);
            row->changeColors();
            row->setNeedsDisplay();
        }
    }

    std::string crumbs;
    for (auto& crumb : list.currentlyActiveBreadCrumbs())
        crumbs += " \u2192 " + crumb;
    m_drillDownLabel->setStringValue(crumbs);

    bool up = list.moreItemsAtTheTop();
    bool down = list.moreItemsAtTheBottom();
    m_upArrow->setEnabled(up);
    m_upArrow->setAlphaValue(up ? 1.0 : 0.5);
    m_downArrow->setEnabled(down);
    m_downArrow->setAlphaValue(down ? 1.0 : 0.5);
}

}
