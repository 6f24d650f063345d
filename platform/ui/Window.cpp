#include "platform/ui/Window.h"

#include "platform/base/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/KeyTable.h"
#include "platform/ui/LayoutEngine.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/View.h"

#include <algorithm>
#include <cmath>

namespace ui {

std::shared_ptr<Window> Window::create(Rect contentRect, unsigned styleMask)
{
    auto window = std::shared_ptr<Window>(new Window(contentRect, styleMask));
    if (auto* app = Application::shared())
        app->addWindow(window);
    return window;
}

Window::Window(Rect contentRect, unsigned styleMask)
    : m_styleMask(styleMask)
    , m_engine(std::make_unique<LayoutEngine>())
{
    m_frame = Rect(0, 0, 1, 1);
    setFrame(contentRect);
    setContentView(View::create(Rect(0, 0, m_frame.width(), m_frame.height())));
}

Window::~Window()
{
    *m_alive = false;
    if (auto* app = Application::shared())
        app->windowGone(*this);
    if (m_contentView)
        m_contentView->setWindow(nullptr);
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

void Window::pushState()
{
    if (!m_platform) {
        auto* app = Application::shared();
        if (!app || !m_visible)
            return;
        m_platform = app->backend().createWindow(*this);
        if (!m_platform)
            return;
    }
    PlatformWindowState state;
    state.frame = m_frame;
    state.level = m_level;
    state.visible = m_visible;
    state.borderless = !(m_styleMask & WindowStyle::Titled);
    state.resizable = m_styleMask & WindowStyle::Resizable;
    state.alpha = m_alpha;
    state.allDesktops = m_allDesktops;
    auto* app = Application::shared();
    state.skipTaskbar = app && app->activationPolicy() != ActivationPolicy::Regular;
    state.ignoresMouseEvents = m_ignoresMouse;
    state.title = m_title;
    state.minSize = m_minSize;
    m_platform->apply(state);
}

void Window::setStyleMask(unsigned mask)
{
    m_styleMask = mask;
    pushState();
}

void Window::setLevel(int level)
{
    m_level = level;
    pushState();
}

void Window::setTitle(std::string title)
{
    m_title = std::move(title);
    pushState();
}

namespace {

// Frames come from stored positions and screen arithmetic; a garbled number must not reach
// the drawing code, and no window gets a picture larger than any display could show.
constexpr double kLargestSide = 16384;

double sane(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

}

void Window::setFrame(Rect frame, bool display)
{
    frame.origin.x = sane(frame.origin.x, m_frame.origin.x);
    frame.origin.y = sane(frame.origin.y, m_frame.origin.y);
    frame.size.width = std::min(sane(frame.size.width, m_frame.size.width), kLargestSide);
    frame.size.height = std::min(sane(frame.size.height, m_frame.size.height), kLargestSide);
    frame.size.width = std::max({ frame.size.width, m_minSize.width, 1.0 });
    frame.size.height = std::max({ frame.size.height, m_minSize.height, 1.0 });
    bool moved = frame.origin != m_frame.origin;
    bool resized = frame.size != m_frame.size;
    if (!moved && !resized)
        return;
    m_frame = frame;
    if (resized && m_contentView) {
        m_contentView->setFrame(Rect(0, 0, frame.width(), frame.height()));
        setNeedsLayout();
    }
    pushState();
    if (display)
        this->display();
    if (moved && m_delegate)
        m_delegate->windowDidMove(*this);
    if (resized && m_delegate)
        m_delegate->windowDidResize(*this);
}

void Window::setFrameOrigin(Point origin) { setFrame({ origin, m_frame.size }); }

void Window::setFrameTopLeftPoint(Point topLeft)
{
    setFrame({ { topLeft.x, topLeft.y - m_frame.height() }, m_frame.size });
}

void Window::setMinSize(Size size)
{
    m_minSize = { std::clamp(sane(size.width, 0), 0.0, kLargestSide), std::clamp(sane(size.height, 0), 0.0, kLargestSide) };
    size = m_minSize;
    if (m_frame.width() < size.width || m_frame.height() < size.height)
        setFrame({ m_frame.origin, { std::max(m_frame.width(), size.width), std::max(m_frame.height(), size.height) } });
    pushState();
}

Size Window::contentMinSize()
{
    Size fitting = m_contentView ? m_contentView->fittingSize() : Size {};
    return { std::max(fitting.width, m_minSize.width), std::max(fitting.height, m_minSize.height) };
}

std::optional<Screen> Window::screen() const
{
    std::optional<Screen> best;
    double bestArea = 0;
    for (const Screen& screen : Screen::screens()) {
        Rect overlap = screen.frame.intersection(m_frame);
        double area = overlap.width() * overlap.height();
        if (area > bestArea) {
            bestArea = area;
            best = screen;
        }
    }
    return best;
}

void Window::setContentView(std::shared_ptr<View> view)
{
    if (m_contentView) {
        m_contentView->setWindow(nullptr);
        m_contentView->setNextResponder(nullptr);
    }
    m_contentView = std::move(view);
    if (m_contentView) {
        if (m_contentView->superview())
            m_contentView->removeFromSuperview();
        m_contentView->setTranslatesAutoresizingMaskIntoConstraints(true);
        m_contentView->setFrame(Rect(0, 0, m_frame.width(), m_frame.height()));
        m_contentView->setNextResponder(this);
        m_contentView->setWindow(this);
    }
    setNeedsLayout();
}

void Window::orderFront()
{
    auto* app = Application::shared();
    if (app && app->isHidden())
        return;
    m_visible = true;
    pushState();
    if (app)
        app->windowOrderedFront(*this);
    if (m_displayPending || !m_surface)
        display();
}

void Window::orderFrontRegardless() { orderFront(); }

void Window::orderOut()
{
    if (!m_visible)
        return;
    m_visible = false;
    pushState();
    if (auto* app = Application::shared())
        app->windowOrderedOut(*this);
}

void Window::makeKeyAndOrderFront()
{
    orderFront();
    makeKeyWindow();
}

void Window::close() { orderOut(); }

void Window::performClose()
{
    if (m_delegate && !m_delegate->windowShouldClose(*this))
        return;
    close();
}

bool Window::isKeyWindow() const
{
    auto* app = Application::shared();
    return app && app->keyWindow() == this;
}

bool Window::isMainWindow() const
{
    auto* app = Application::shared();
    return app && app->mainWindow() == this;
}

bool Window::canBecomeKeyWindow() const
{
    if (m_canBecomeKey)
        return *m_canBecomeKey;
    return (m_styleMask & WindowStyle::Titled) != 0;
}

void Window::makeKeyWindow()
{
    if (!canBecomeKeyWindow() || !m_visible)
        return;
    if (auto* app = Application::shared())
        app->setKeyWindow(this);
    if (m_platform)
        m_platform->focus();
}

void Window::makeMainWindow()
{
    if (auto* app = Application::shared())
        app->setMainWindow(this);
}

void Window::becameKey()
{
    if (!m_firstResponder && m_initialFirstResponder)
        makeFirstResponder(m_initialFirstResponder);
    if (m_delegate)
        m_delegate->windowDidBecomeKey(*this);
}

void Window::resignedKey()
{
    if (m_delegate)
        m_delegate->windowDidResignKey(*this);
}

void Window::setAlphaValue(double alpha)
{
    if (std::isnan(alpha))
        return;
    m_alpha = std::clamp(alpha, 0.0, 1.0);
    pushState();
}

void Window::setIgnoresMouseEvents(bool ignores)
{
    m_ignoresMouse = ignores;
    pushState();
}

void Window::setShownOnAllDesktops(bool shown)
{
    m_allDesktops = shown;
    pushState();
}

void Window::setBackgroundColor(std::optional<gfx::Color> color)
{
    m_background = color;
    viewNeedsDisplay();
}

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
        return false;
    }
    m_firstResponder = responder;
    return true;
}

std::vector<View*> Window::keyViews()
{
    std::vector<View*> views;
    if (!m_contentView)
        return views;
    layoutIfNeeded();
    for (View* v : m_contentView->subtree())
        if (v->canBecomeKeyView())
            views.push_back(v);
    // Reading order on screen: by top edge, then by left edge.
    auto topLeft = [this](View* v) {
        Rect r = v->convertRectTo(v->bounds(), nullptr);
        return std::pair { -std::round(r.maxY()), std::round(r.minX()) };
    };
    std::stable_sort(views.begin(), views.end(), [&](View* a, View* b) { return topLeft(a) < topLeft(b); });
    return views;
}

void Window::recalculateKeyViewLoop()
{
    auto views = keyViews();
    for (std::size_t i = 0; i < views.size(); ++i)
        views[i]->setNextKeyView(views[(i + 1) % views.size()]);
    if (!views.empty() && !m_initialFirstResponder)
        m_initialFirstResponder = views.front();
}

void Window::selectNextKeyView()
{
    View* current = dynamic_cast<View*>(m_firstResponder);
    View* start = current ? current->nextKeyView() : m_initialFirstResponder;
    if (!current && !start) {
        auto views = keyViews();
        start = views.empty() ? nullptr : views.front();
    }
    for (View* v = start; v; v = v->nextKeyView()) {
        if (v->canBecomeKeyView() && makeFirstResponder(v))
            return;
        if (v == current || v->nextKeyView() == start)
            return;
    }
}

void Window::selectPreviousKeyView()
{
    View* current = dynamic_cast<View*>(m_firstResponder);
    auto views = keyViews();
    if (views.empty())
        return;
    auto it = std::find(views.begin(), views.end(), current);
    std::size_t index = it == views.end() ? 0 : static_cast<std::size_t>(it - views.begin());
    for (std::size_t step = 1; step <= views.size(); ++step) {
        View* v = views[(index + views.size() - step) % views.size()];
        if (makeFirstResponder(v))
            return;
    }
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
        View* view = mouseTarget(event.locationInWindow());
        m_mouseDownView = view;
        if (!view)
            return;
        // The view may leave the tree in its own handler; it lasts until that returns.
        auto keepView = view->weak_from_this().lock();
        if (view->acceptsFirstResponder())
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
        if (View* view = mouseTarget(event.locationInWindow()))
            view->mouseMoved(event);
        return;
    case T::ScrollWheel:
        if (View* view = mouseTarget(event.locationInWindow()))
            view->scrollWheel(event);
        return;
    case T::KeyDown:
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

Window::KeyTarget Window::keyTarget()
{
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
    // Return and Escape that no view typed press the window's default and cancel buttons.
    if (m_contentView && m_contentView->performKeyEquivalent(event))
        return;
    Responder::keyDown(event);
}

bool Window::performDrop(const Pasteboard& pasteboard, Point locationInWindow)
{
    for (View* view = mouseTarget(locationInWindow); view; view = view->superview()) {
        if (view->isHiddenOrHasHiddenAncestor() || !pasteboard.availableType(view->registeredDraggedTypes()))
            continue;
        if (view->performDragOperation(pasteboard, view->convertPointFrom(locationInWindow, nullptr)))
            return true;
    }
    return false;
}

void Window::setNeedsLayout()
{
    m_layoutPending = true;
    viewNeedsDisplay();
}

void Window::layoutIfNeeded()
{
    if (!m_contentView)
        return;
    bool pending = m_layoutPending;
    for (View* v : m_contentView->subtree())
        pending = pending || v->needsLayout();
    if (!pending)
        return;
    m_engine->layout(*m_contentView, m_frame.size);
    // What the layout itself changed (generated constraints) is already in.
    m_layoutPending = false;
}

void Window::viewNeedsDisplay()
{
    m_displayPending = true;
    scheduleDisplay();
}

void Window::scheduleDisplay()
{
    // One drawing per turn of the run loop, whatever number of views asked for it; a window
    // nobody sees is drawn when shown or when asked for its picture.
    if (m_displayScheduled || !m_visible)
        return;
    m_displayScheduled = true;
    std::weak_ptr<bool> alive = m_alive;
    base::RunLoop::main().post([this, alive] {
        if (alive.expired())
            return;
        m_displayScheduled = false;
        displayIfNeeded();
    });
}

void Window::displayIfNeeded()
{
    if (m_displayPending || m_layoutPending)
        display();
}

void Window::display()
{
    layoutIfNeeded();
    int width = std::max(1, static_cast<int>(std::ceil(m_frame.width())));
    int height = std::max(1, static_cast<int>(std::ceil(m_frame.height())));
    if (!m_surface || cairo_image_surface_get_width(m_surface) != width
        || cairo_image_surface_get_height(m_surface) != height) {
        if (m_surface)
            cairo_surface_destroy(m_surface);
        m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    }
    {
        // Cleared to the background, then drawn in window base coordinates (y up).
        cairo_t* cr = cairo_create(m_surface);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        gfx::Color bg = m_background.value_or(gfx::colors::clear);
        cairo_set_source_rgba(cr, bg.red, bg.green, bg.blue, bg.alpha);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    if (m_contentView) {
        auto context = gfx::GraphicsContext::create(m_surface, 1, false);
        gfx::GraphicsContext::MakeCurrent current(*context);
        m_contentView->renderTree(*context);
    }
    cairo_surface_flush(m_surface);
    m_displayPending = false;
    if (m_platform && m_visible)
        m_platform->present(m_surface);
}

cairo_surface_t* Window::surface()
{
    if (!m_surface || m_displayPending || m_layoutPending)
        display();
    return m_surface;
}

gfx::Color Window::pixelAt(int x, int y)
{
    cairo_surface_t* s = surface();
    int width = cairo_image_surface_get_width(s);
    int height = cairo_image_surface_get_height(s);
    if (x < 0 || y < 0 || x >= width || y >= height)
        return gfx::colors::clear;
    const unsigned char* data = cairo_image_surface_get_data(s);
    std::uint32_t pixel = *reinterpret_cast<const std::uint32_t*>(data + y * cairo_image_surface_get_stride(s) + x * 4);
    double a = ((pixel >> 24) & 0xff) / 255.0;
    if (a == 0)
        return gfx::colors::clear;
    // Premultiplied in the image; plain in the colour.
    return { ((pixel >> 16) & 0xff) / 255.0 / a, ((pixel >> 8) & 0xff) / 255.0 / a, (pixel & 0xff) / 255.0 / a, a };
}

bool Window::writePng(const std::filesystem::path& path)
{
    return cairo_surface_write_to_png(surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void Window::viewWillLeave(View* view)
{
    auto inside = [view](View* v) { return v && v->isDescendantOf(view); };
    if (inside(dynamic_cast<View*>(m_firstResponder)))
        m_firstResponder = this;
    if (inside(m_mouseDownView))
        m_mouseDownView = nullptr;
    if (inside(m_initialFirstResponder))
        m_initialFirstResponder = nullptr;
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

void Window::platformDidMove(Point origin)
{
    if (origin == m_frame.origin)
        return;
    m_frame.origin = origin;
    if (m_delegate)
        m_delegate->windowDidMove(*this);
}

void Window::platformDidResize(Size size)
{
    size = { std::clamp(sane(size.width, 1), 1.0, kLargestSide), std::clamp(sane(size.height, 1), 1.0, kLargestSide) };
    if (size == m_frame.size)
        return;
    m_frame.size = size;
    if (m_contentView)
        m_contentView->setFrame(Rect(0, 0, size.width, size.height));
    setNeedsLayout();
    display();
    if (m_delegate)
        m_delegate->windowDidResize(*this);
}

}
