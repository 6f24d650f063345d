// The window's side of events: the first responder and the key-view loop, mouse and key
// events to their views, drops, and text from input methods.
#include "platform/ui/Window.h"

#include "platform/gfx/TextLayout.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/FocusRing.h"
#include "platform/ui/KeyTable.h"
#include "platform/ui/MenuBarView.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/ReadingOrder.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/View.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui {

bool Window::makeFirstResponder(ui::Responder* responder)
{
    if (!responder)
        responder = this;
    if (responder == m_firstResponder)
        return true;
    if (responder != this && !responder->acceptsFirstResponder())
        return false;
    // Only a view of this window: we hear when those leave, and no other's going.
    if (auto* view = dynamic_cast<View*>(responder); view && view->window() != this)
        return false;
    if (m_firstResponder && !m_firstResponder->resignFirstResponder())
        return false;
    m_firstResponder = nullptr;
    if (!responder->becomeFirstResponder()) {
        m_firstResponder = this;
        textInputMayHaveChanged();
        return false;
    }
    m_firstResponder = responder;
    textInputMayHaveChanged();
    // Focus that moved into a control scrolled out of sight brings it, ring and all, into view.
    if (auto* view = dynamic_cast<View*>(responder))
        ScrollView::scrollRectToVisible(*view, view->bounds().insetBy(-4, -4));
    // The ring moves with the focus.
    if (m_focusRingShown)
        viewNeedsDisplay();
    return true;
}

std::vector<View*> Window::keyViews()
{
    if (!m_contentView)
        return {};
    layoutIfNeeded();
    return readingOrder(*m_contentView, [](View* view) { return view->canBecomeKeyView(); });
}

void Window::keyViewBecameUnavailable(View* view)
{
    if (!view || view != dynamic_cast<View*>(m_firstResponder) || !m_contentView)
        return;
    // On to the next view that can take the keyboard, as Tab would from where it was; by the
    // places the views have now, as this may come in the middle of a layout.
    auto views = readingOrder(*m_contentView, [view](View* v) { return v == view || v->canBecomeKeyView(); });
    auto found = std::find(views.begin(), views.end(), view);
    auto keep = view->weak_from_this().lock();
    if (found != views.end())
        for (std::size_t step = 1; step < views.size(); ++step) {
            View* next = views[(static_cast<std::size_t>(found - views.begin()) + step) % views.size()];
            if (makeFirstResponder(next))
                return;
        }
    makeFirstResponder(nullptr);
}

bool Window::returnReachesDefaultButton() const
{
    if (!m_firstResponder || m_firstResponder == this)
        return true;
    if (auto* control = dynamic_cast<const Control*>(m_firstResponder))
        return control->passesReturnToDefaultButton();
    return false;
}

bool Window::offerToNearestButtons(const Event& event)
{
    // From the focused view outwards: the buttons of the editor the keyboard is in (its Save,
    // its Cancel) answer before those of the window around it.
    std::vector<std::shared_ptr<View>> chain;
    auto* focused = dynamic_cast<View*>(m_firstResponder);
    for (View* view = focused && focused->window() == this ? focused->superview() : nullptr; view; view = view->superview())
        if (auto held = view->weak_from_this().lock())
            chain.push_back(std::move(held));
    if (m_contentView && std::find(chain.begin(), chain.end(), m_contentView) == chain.end())
        chain.push_back(m_contentView);
    for (const auto& view : chain)
        if (!view->isHiddenOrHasHiddenAncestor() && view->performKeyEquivalent(event))
            return true;
    return false;
}

void Window::recalculateKeyViewLoop()
{
    auto views = keyViews();
    for (std::size_t i = 0; i < views.size(); ++i)
        views[i]->setNextKeyView(views[(i + 1) % views.size()]);
    if (!views.empty() && !initialFirstResponder())
        setInitialFirstResponder(views.front());
}

void Window::setInitialFirstResponder(View* view)
{
    m_initialFirstResponder = view ? view->weak_from_this() : std::weak_ptr<View> {};
}

void Window::selectNextKeyView() { selectKeyView(1); }

void Window::selectPreviousKeyView() { selectKeyView(-1); }

bool Window::makeFirstResponderWithRing(View* view)
{
    if (!makeFirstResponder(view))
        return false;
    setFocusRingShown(true);
    return true;
}

bool Window::giveKeyboardTo(View* view)
{
    auto* app = Application::shared();
    return app && app->isHandlingKeyPress() ? makeFirstResponderWithRing(view) : makeFirstResponder(view);
}

void Window::selectKeyView(int direction)
{
    // The loop as the window is now: views shown, hidden or added since the last
    // recalculation (a pad opened, an editor shown) take their place by where they are.
    auto views = keyViews();
    if (views.empty())
        return;
    auto count = static_cast<std::ptrdiff_t>(views.size());
    auto found = std::find(views.begin(), views.end(), dynamic_cast<View*>(m_firstResponder));
    std::ptrdiff_t index = found != views.end() ? found - views.begin() : (direction > 0 ? -1 : count);
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        View* view = views[static_cast<std::size_t>(((index + direction * step) % count + count) % count)];
        if (view == m_firstResponder || makeFirstResponder(view)) {
            setFocusRingShown(true);
            return;
        }
    }
}

View* Window::focusRingView() const
{
    auto* focused = dynamic_cast<View*>(m_firstResponder);
    if (!m_focusRingShown || !focused || !isKeyWindow() || focused->isHiddenOrHasHiddenAncestor() || !focused->acceptsFirstResponder())
        return nullptr;
    return FocusRing::around(*focused);
}

void Window::drawFocusRing(gfx::GraphicsContext& context)
{
    View* ringed = focusRingView();
    if (!ringed)
        return;
    // Over everything, so no tight container clips it, yet only as far as the view is in sight
    // through the scroll views around it.
    Rect frame = ringed->convertRectTo(ringed->bounds(), nullptr);
    Rect sight = m_contentView ? m_contentView->bounds() : frame;
    for (View* above = ringed->superview(); above; above = above->superview())
        if (dynamic_cast<ClipView*>(above))
            sight = sight.intersection(above->convertRectTo(above->bounds(), nullptr));
    if (sight.isEmpty())
        return;
    context.save();
    context.clipToRect(sight.insetBy(-4, -4));
    FocusRing::draw(context, frame);
    context.restore();
}

std::optional<Rect> Window::focusRingArea() const
{
    View* ringed = focusRingView();
    if (!ringed)
        return std::nullopt;
    return ringed->convertRectTo(ringed->bounds(), nullptr).insetBy(-4, -4);
}

void Window::setFocusRingShown(bool shown)
{
    if (shown == m_focusRingShown)
        return;
    m_focusRingShown = shown;
    viewNeedsDisplay();
}

Point Window::convertPointToScreen(Point point) const { return { point.x + m_frame.minX(), point.y + m_frame.minY() }; }

Point Window::convertPointFromScreen(Point point) const
{
    return { point.x - m_frame.minX(), point.y - m_frame.minY() };
}

View* Window::mouseTarget(Point pointInWindow)
{
    if (!m_contentView)
        return nullptr;
    layoutIfNeeded();
    return m_contentView->hitTest(pointInWindow);
}

void Window::sendEvent(const Event& event)
{
    using T = Event::Type;
    switch (event.type()) {
    case T::LeftMouseDown:
    case T::RightMouseDown: {
        // The pointer chose: the focus no longer needs pointing out.
        setFocusRingShown(false);
        View* view = mouseTarget(event.locationInWindow());
        m_mouseDownView = view;
        if (!view)
            return;
        if (event.type() == T::LeftMouseDown && startBackgroundDrag(view, event.locationInWindow())) {
            m_mouseDownView = nullptr;
            return;
        }
        // The view may leave the tree in its own handler; it lasts until that returns.
        auto keepView = view->weak_from_this().lock();
        if (view->acceptsFirstResponder() && view->focusesOnClick())
            makeFirstResponder(view);
        if (event.type() == T::LeftMouseDown)
            view->mouseDown(event);
        else
            view->rightMouseDown(event);
        return;
    }
    case T::LeftMouseUp:
    case T::RightMouseUp:
    case T::LeftMouseDragged: {
        if (m_backgroundDrag) {
            // By the pointer on the screen: the window moves under it while it goes.
            Point mouse = Application::shared() ? Application::shared()->backend().mouseLocation() : m_backgroundDrag->mouse;
            Point origin { m_backgroundDrag->origin.x + mouse.x - m_backgroundDrag->mouse.x,
                m_backgroundDrag->origin.y + mouse.y - m_backgroundDrag->mouse.y };
            if (event.type() == T::LeftMouseUp)
                m_backgroundDrag.reset();
            // A press without a move leaves a maximized window so.
            if (event.type() != T::RightMouseUp && origin != m_frame.origin)
                setFrameOrigin(origin);
            return;
        }
        // The view that took the press sees the whole gesture, wherever the pointer goes.
        View* view = m_mouseDownView ? m_mouseDownView : mouseTarget(event.locationInWindow());
        if (!view)
            return;
        auto keepView = view->weak_from_this().lock();
        if (event.type() == T::LeftMouseUp)
            view->mouseUp(event);
        else if (event.type() == T::RightMouseUp)
            view->rightMouseUp(event);
        else
            view->mouseDragged(event);
        if (event.type() != T::LeftMouseDragged)
            m_mouseDownView = nullptr;
        return;
    }
    case T::MouseMoved:
    case T::ScrollWheel: {
        View* view = mouseTarget(event.locationInWindow());
        if (!view)
            return;
        // Scrolling may take the view under the pointer out of sight, and out of the tree.
        auto keepView = view->weak_from_this().lock();
        if (event.type() == T::MouseMoved)
            view->mouseMoved(event);
        else
            view->scrollWheel(event);
        return;
    }
    case T::OtherMouseDown:
    case T::OtherMouseUp: {
        // The middle button pastes where it clicks; the view takes the keyboard as for a click.
        View* view = mouseTarget(event.locationInWindow());
        if (!view)
            return;
        auto keepView = view->weak_from_this().lock();
        if (event.type() == T::OtherMouseDown) {
            if (view->acceptsFirstResponder() && view->focusesOnClick())
                makeFirstResponder(view);
            view->otherMouseDown(event);
        } else {
            view->otherMouseUp(event);
        }
        return;
    }
    case T::KeyDown:
        // Ctrl+Tab leaves even a view that types tabs, as on every Linux desktop.
        if (event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::Tab) && (event.modifierFlags() & ModifierFlag::Command)) {
            selectKeyView(event.modifierFlags() & ModifierFlag::Shift ? -1 : 1);
            return;
        }
        // F10 opens the window's menu bar, as it does in every desktop's programs.
        if (event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::F10)
            && !(event.modifierFlags() & (ModifierFlag::Shift | ModifierFlag::Control | ModifierFlag::Option | ModifierFlag::Command))
            && openMenuBar())
            return;
        // Command shortcuts go to the views' key equivalents before the focused view types them.
        if ((event.modifierFlags() & ModifierFlag::Command) && m_contentView && m_contentView->performKeyEquivalent(event))
            return;
        keyTarget()->keyDown(event);
        return;
    case T::KeyUp:
        keyTarget()->keyUp(event);
        return;
    case T::FlagsChanged:
        keyTarget()->flagsChanged(event);
        return;
    }
}

bool Window::openMenuBar()
{
    if (!m_contentView)
        return false;
    for (View* view : m_contentView->subtree()) {
        auto* bar = dynamic_cast<MenuBarView*>(view);
        if (bar && !bar->isHiddenOrHasHiddenAncestor() && bar->rectOfItem(0)) {
            auto keep = bar->shared_from_this();
            bar->openItem(0);
            return true;
        }
    }
    return false;
}

bool Window::startBackgroundDrag(View* view, Point pressed)
{
    auto* app = Application::shared();
    if (!m_movableByBackground || !app || !view->mouseDownCanMoveWindow())
        return false;
    // Maximized, it stays where the window manager keeps it, as a drag of its title bar leaves
    // it: taken out of maximized by the drag, it went to the window manager's frame or to ours
    // by which of the two the display heard last.
    if (m_zoomed)
        return true;
    // From where the button went down, not from where the pointer is by the time a busy
    // program reads the press: the window then ended a step or two short of the pointer.
    m_backgroundDrag = BackgroundDrag { { m_frame.minX() + pressed.x, m_frame.minY() + pressed.y }, m_frame.origin };
    return true;
}

Window::KeyTarget Window::keyTarget()
{
    // A control disabled or hidden since it took the keyboard gives it up before typing lands.
    if (auto* focused = dynamic_cast<View*>(m_firstResponder); focused && (!focused->acceptsFirstResponder() || focused->isHiddenOrHasHiddenAncestor()))
        keyViewBecameUnavailable(focused);
    ui::Responder* responder = m_firstResponder ? m_firstResponder : this;
    // A field may end its own editing, and with it its life, on Return or Escape.
    auto* view = dynamic_cast<View*>(responder);
    return { responder, view ? view->weak_from_this().lock() : nullptr };
}

void Window::keyDown(const Event& event)
{
    // What no view took: Tab walks the key-view loop, Shift-Tab walks it backwards.
    if (event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::Tab)) {
        if (event.modifierFlags() & ModifierFlag::Shift)
            selectPreviousKeyView();
        else
            selectNextKeyView();
        return;
    }
    // Return that no view typed presses the default button only from a field, a slider, a date
    // picker or no control: on a list or a button it means that list or button, not the window.
    auto key = static_cast<base::KeyCode>(event.keyCode());
    bool isReturn = key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter;
    // Return and Escape that no view typed press the nearest default and cancel buttons.
    if ((!isReturn || returnReachesDefaultButton()) && offerToNearestButtons(event))
        return;
    // A dialog without a cancel button still closes on Escape, as dialogs do on this desktop.
    auto* app = Application::shared();
    if (event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::Escape)
        && !(event.modifierFlags() & (ModifierFlag::Shift | ModifierFlag::Control | ModifierFlag::Option | ModifierFlag::Command)) && app
        && app->modalWindow() == this && (m_styleMask & WindowStyle::Closable)) {
        performClose();
        return;
    }
    Responder::keyDown(event);
}

bool Window::performDrop(const Pasteboard& pasteboard, Point locationInWindow)
{
    View* target = mouseTarget(locationInWindow);
    // Held while the drop is offered up the chain: a view declining it may still change the tree.
    std::vector<std::shared_ptr<View>> chain;
    for (View* view = target; view; view = view->superview())
        if (auto held = view->weak_from_this().lock())
            chain.push_back(std::move(held));
    for (const auto& view : chain) {
        if (view->window() != this || view->isHiddenOrHasHiddenAncestor() || !pasteboard.availableType(view->registeredDraggedTypes()))
            continue;
        if (view->performDragOperation(pasteboard, view->convertPointFrom(locationInWindow, nullptr)))
            return true;
    }
    return false;
}

void Window::setComposition(const Composition& composition)
{
    auto* client = dynamic_cast<TextInputClient*>(m_firstResponder);
    if (!client || !client->acceptsTextInput())
        return;
    // The view may end its own life in a handler of its change.
    auto* view = dynamic_cast<View*>(m_firstResponder);
    auto keep = view ? view->weak_from_this().lock() : nullptr;
    client->setComposition(composition.sanitized());
    // The candidates follow the caret as it moves through the composition.
    textInputMayHaveChanged();
}

void Window::commitText(const std::string& utf8)
{
    auto* client = dynamic_cast<TextInputClient*>(m_firstResponder);
    if (!client || !client->acceptsTextInput())
        return;
    auto* view = dynamic_cast<View*>(m_firstResponder);
    auto keep = view ? view->weak_from_this().lock() : nullptr;
    client->commitText(gfx::displayableText(utf8));
    textInputMayHaveChanged();
}

std::optional<Rect> Window::textInputCaret() const
{
    auto* client = dynamic_cast<TextInputClient*>(m_firstResponder);
    auto* view = dynamic_cast<View*>(m_firstResponder);
    if (!client || !view || !client->acceptsTextInput() || view->isHiddenOrHasHiddenAncestor())
        return std::nullopt;
    return view->convertRectTo(client->textInputCaretRect(), nullptr);
}

void Window::discardComposition()
{
    auto* app = Application::shared();
    if (app && app->keyWindow() == this)
        app->backend().discardComposition();
}

void Window::textInputMayHaveChanged()
{
    auto* app = Application::shared();
    if (app && app->keyWindow() == this)
        app->updateTextInput();
}

void Window::viewWillLeave(View* view)
{
    auto inside = [view](View* v) { return v && v->isDescendantOf(view); };
    if (inside(dynamic_cast<View*>(m_firstResponder))) {
        m_firstResponder = this;
        textInputMayHaveChanged();
    }
    if (inside(m_mouseDownView))
        m_mouseDownView = nullptr;
    if (inside(initialFirstResponder()))
        m_initialFirstResponder.reset();
    // Key views elsewhere that pointed into the leaving subtree.
    if (m_contentView)
        for (View* v : m_contentView->subtree())
            if (inside(v->nextKeyView()) && !inside(v))
                v->setNextKeyView(nullptr);
}

void Window::viewWillHide(View* view)
{
    if (auto* responder = dynamic_cast<View*>(m_firstResponder); responder && responder->isDescendantOf(view))
        makeFirstResponder(nullptr);
}

}
