#include "platform/ui/Window.h"

#include "platform/base/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/LayoutEngine.h"
#include "platform/ui/View.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

namespace ui {

std::shared_ptr<Window> Window::create(Rect contentRect, unsigned styleMask)
{
    auto window = std::shared_ptr<Window>(new Window(contentRect, styleMask));
    adopt(window);
    return window;
}

void Window::adopt(const std::shared_ptr<Window>& window)
{
    if (auto* app = Application::shared())
        app->addWindow(window);
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
    state.placement = m_placements;
    state.level = m_level;
    state.visible = m_visible;
    state.borderless = !(m_styleMask & WindowStyle::Titled);
    state.resizable = m_styleMask & WindowStyle::Resizable;
    // A window blended over the screen by us is shown opaque: the alpha is in its pixels.
    state.alpha = m_picture.hasBackdrop() ? 1 : m_alpha;
    state.allDesktops = m_allDesktops;
    state.takesFocus = canBecomeKeyWindow();
    state.toolTip = m_isToolTip;
    state.zoomed = m_zoomed;
    state.kind = m_kind;
    state.scale = backingScaleFactor();
    auto* app = Application::shared();
    state.skipTaskbar = app && app->activationPolicy() != ActivationPolicy::Regular;
    state.ignoresMouseEvents = m_ignoresMouse;
    state.title = m_title;
    state.minSize = m_minSize;
    state.modalFor = m_modalOwner.lock().get();
    state.reservesSpace = m_reservesSpace;
    m_platform->apply(state);
}

void Window::setStyleMask(unsigned mask)
{
    m_styleMask = mask;
    pushState();
}

void Window::setKind(WindowKind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    pushState();
}

void Window::setLevel(int level)
{
    m_level = level;
    pushState();
}

void Window::setModalOwner(Window* owner)
{
    m_modalOwner = owner && owner != this ? owner->weak_from_this() : std::weak_ptr<Window> {};
    pushState();
}

void Window::setReservesSpace(bool reserves)
{
    m_reservesSpace = reserves;
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
// Changed parts drawn and sent one by one, at most; more are sent as the rectangle around them.
constexpr std::size_t kMostChangedParts = 48;
// The most a window manager's title bar and border can take.
constexpr double kLargestDecoration = 64;

double sane(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

// A few requests at most are on their way at once; an unanswered one is not kept for ever.
template<typename T>
void asked(std::deque<T>& requests, const T& value)
{
    requests.push_back(value);
    if (requests.size() > 8)
        requests.pop_front();
}

// Whether the display reports a request that a later one has already replaced. A report of
// anything else is the display's own doing, and earlier requests are then forgotten.
template<typename T>
bool catchingUp(std::deque<T>& requests, const T& reported)
{
    // Within a pixel: the display counts in whole ones.
    auto near = [&reported](const T& request) {
        if constexpr (std::is_same_v<T, Point>)
            return std::fabs(request.x - reported.x) < 1 && std::fabs(request.y - reported.y) < 1;
        else
            return std::fabs(request.width - reported.width) < 1 && std::fabs(request.height - reported.height) < 1;
    };
    auto found = std::find_if(requests.begin(), requests.end(), near);
    if (found == requests.end()) {
        requests.clear();
        return false;
    }
    bool later = std::next(found) != requests.end();
    requests.erase(requests.begin(), std::next(found));
    return later;
}

}

void Window::setFrame(Rect frame, bool display)
{
    if (!std::isfinite(frame.origin.x) || !std::isfinite(frame.origin.y) || !std::isfinite(frame.size.width)
        || !std::isfinite(frame.size.height))
        return;
    // The delegate hears of the move and the resize; either may let go of the window.
    auto keep = weak_from_this().lock();
    noteDecorationWhileZoomed();
    bool wasZoomed = std::exchange(m_zoomed, false);
    frame.size.width = std::min(frame.size.width, kLargestSide);
    frame.size.height = std::min(frame.size.height, kLargestSide);
    frame.size.width = std::max({ frame.size.width, m_minSize.width, 1.0 });
    frame.size.height = std::max({ frame.size.height, m_minSize.height, 1.0 });
    if (m_visible)
        frame = constrainFrameRect(frame);
    bool moved = frame.origin != m_frame.origin;
    bool resized = frame.size != m_frame.size;
    if (!moved && !resized) {
        if (wasZoomed)
            pushState();
        return;
    }
    Point left = m_frame.origin;
    m_frame = frame;
    if (m_platform && m_visible) {
        // Until the move lands, the display may still tell of the place left (a resize asked
        // just before, answered there): word of it then is the display catching up.
        if (moved && (m_askedOrigins.empty() || m_askedOrigins.back() != left))
            asked(m_askedOrigins, left);
        if (moved)
            asked(m_askedOrigins, frame.origin);
        if (resized)
            asked(m_askedSizes, frame.size);
    }
    if (resized && m_contentView) {
        m_contentView->setFrame(Rect(0, 0, frame.width(), frame.height()));
        setNeedsLayout();
    }
    pushState();
    if (moved)
        scaleMayHaveChanged();
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

void Window::zoom()
{
    if (m_zoomed) {
        setFrame(m_unzoomedFrame, true);
        return;
    }
    auto place = screen();
    if (!place)
        place = Screen::main();
    if (!place)
        return;
    Rect before = m_frame;
    setFrame(place->visibleFrame, true);
    m_unzoomedFrame = before;
    m_zoomed = true;
    pushState();
}

Size Window::contentMinSize()
{
    Size fitting = m_contentView ? m_contentView->fittingSize() : Size {};
    return { std::max(fitting.width, m_minSize.width), std::max(fitting.height, m_minSize.height) };
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
    redrawAll();
}

void Window::orderFront()
{
    auto* app = Application::shared();
    if (app && app->isHidden())
        return;
    orderFrontRegardless();
}

// Also while the application is hidden: banners and screen covers show whatever it does.
void Window::orderFrontRegardless()
{
    auto* app = Application::shared();
    // Coming on the screen within reach, wherever it was put while away. A maximized one is
    // the window manager's to fit to the work area: moved, it would be maximized no longer.
    if (!m_visible && !m_zoomed)
        moveWithinReach();
    // An ordinary window on the screen is the program showing (the main window a pop-up
    // hangs from): it is no longer hidden, and what hid with it comes back. Banners, covers,
    // menus and the status strip stand above the ordinary windows and show over a hidden one.
    if (app && app->isHidden() && m_canHide && m_level <= WindowLevel::Normal)
        app->unhide();
    bool wasVisible = m_visible;
    // Minimized, it is given back (the display's raise maps it again).
    m_miniaturized = false;
    if (!m_visible)
        takeBackdrop();
    bool firstShowing = !m_visible && !std::exchange(m_shownBefore, true);
    if (!m_visible)
        m_shownMaximized = m_zoomed;
    m_visible = true;
    pushState();
    // The first showing is where a window manager puts its frame at the place asked for.
    if (firstShowing && m_platform)
        m_awaitingFirstPlacement = true;
    else if (!wasVisible && m_platform)
        m_awaitingPlacementAgain = true;
    if (app)
        app->windowOrderedFront(*this);
    if (wasVisible) {
        raiseAboveItsLevel();
    } else {
        // Whoever rests while the window is away catches up before its first frame back, not
        // a frame later; one of them may put it away again.
        auto keep = weak_from_this().lock();
        m_visibilityObservers.notify(*this);
        if (!m_visible)
            return;
    }
    if (m_displayPending || m_picture.isEmpty())
        display();
}

void Window::raiseAboveItsLevel()
{
    // A window already on the screen comes over the others; those of higher levels (covers,
    // pop-ups, the status strip) stay above it, lowest first.
    if (!m_platform)
        return;
    m_platform->raise();
    auto* app = Application::shared();
    if (!app)
        return;
    // A window's modal one comes forward with it, above it.
    std::vector<std::shared_ptr<Window>> above;
    for (auto& other : app->windows())
        if (other.get() != this && other->m_visible && other->m_platform
            && (other->m_level > m_level || other->m_modalOwner.lock().get() == this))
            above.push_back(other);
    std::stable_sort(above.begin(), above.end(), [](const auto& a, const auto& b) { return a->m_level < b->m_level; });
    for (auto& other : above)
        other->m_platform->raise();
}

void Window::takeBackdrop()
{
    // Taken before the window shows, or it would be in its own picture.
    auto* app = Application::shared();
    std::shared_ptr<gfx::Bitmap> backdrop;
    if (m_blendsOverScreen && app && !app->backend().compositesTranslucency())
        backdrop = app->backend().screenSnapshot(m_frame, backingScaleFactor());
    m_picture.setBackdrop(backdrop, m_alpha);
    m_displayPending = true;
}

void Window::setBlendsOverScreen(bool blends)
{
    m_blendsOverScreen = blends;
    if (!blends && m_picture.hasBackdrop()) {
        m_picture.setBackdrop(nullptr, 1);
        pushState();
        redrawAll();
    }
}

void Window::orderOut()
{
    if (!m_visible)
        return;
    m_visible = false;
    m_miniaturized = false;
    m_backgroundDrag.reset();
    m_picture.setBackdrop(nullptr, 1);
    pushState();
    if (auto* app = Application::shared())
        app->windowOrderedOut(*this);
    m_visibilityObservers.notify(*this);
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

void Window::setCanBecomeKeyWindow(bool can)
{
    m_canBecomeKey = can;
    auto* app = Application::shared();
    if (!can && app && app->keyWindow() == this)
        app->setKeyWindow(nullptr);
    pushState();
}

void Window::makeKeyWindow()
{
    if (!canBecomeKeyWindow() || !m_visible)
        return;
    auto* app = Application::shared();
    // The ordinary windows a modal one blocks take no keyboard from it: a screen coming
    // forward by itself (a break's end) left the preferences up without it. Closed, its run
    // about to end, it hands the keyboard on.
    if (auto* modal = app ? app->modalWindow() : nullptr; modal && modal->isVisible() && Application::blocks(*modal, *this)) {
        modal->makeKeyWindow();
        return;
    }
    if (app)
        app->setKeyWindow(this);
    if (m_platform)
        m_platform->focus(app ? app->recentInputTime() : 0);
}

void Window::makeMainWindow()
{
    if (auto* app = Application::shared())
        app->setMainWindow(this);
}

void Window::becameKey()
{
    if (m_focusRingShown)
        viewNeedsDisplay();
    if (auto* initial = initialFirstResponder(); !m_firstResponder && initial)
        makeFirstResponder(initial);
    if (m_delegate)
        m_delegate->windowDidBecomeKey(*this);
}

void Window::resignedKey()
{
    // An observer may drop the last hold on the window.
    auto keep = weak_from_this().lock();
    // The ring shows only in the key window; it comes back with the keyboard.
    if (m_focusRingShown)
        viewNeedsDisplay();
    if (m_delegate)
        m_delegate->windowDidResignKey(*this);
    m_resignKeyObservers.notify(*this);
}

ObserverToken Window::addResignKeyObserver(std::function<void(Window&)> observer)
{
    return m_resignKeyObservers.add(std::move(observer));
}

ObserverToken Window::addVisibilityObserver(std::function<void(Window&)> observer)
{
    return m_visibilityObservers.add(std::move(observer));
}

void Window::setAlphaValue(double alpha)
{
    if (std::isnan(alpha))
        return;
    m_alpha = std::clamp(alpha, 0.0, 1.0);
    pushState();
    if (m_picture.hasBackdrop()) {
        m_picture.setBackdropAlpha(m_alpha);
        viewNeedsDisplay();
    }
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
    redrawAll();
}

void Window::redrawAll()
{
    m_redrawAll = true;
    viewNeedsDisplay();
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
    // A view's hook may replace the content view, or let go of the window, mid-layout.
    auto keep = weak_from_this().lock();
    auto content = m_contentView;
    bool pending = m_layoutPending;
    for (View* v : m_contentView->subtree())
        pending = pending || v->needsLayout();
    if (!pending)
        return;
    m_engine->layout(*content, m_frame.size);
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
    double scale = backingScaleFactor();
    auto keep = weak_from_this().lock();
    auto content = m_contentView;
    View::Drawing drawing = View::Drawing::everything;
    auto draw = [this, &content, &drawing](gfx::GraphicsContext& context) {
        if (content)
            content->renderTree(context, drawing);
        drawFocusRing(context);
    };
    gfx::Color background = m_background.value_or(gfx::colors::clear);
    // Only what changed is drawn again (a keystroke redraws a line of a page, not the
    // window); the whole picture when there is none yet, or after a change that concerns it.
    Rect whole(0, 0, m_frame.width(), m_frame.height());
    std::vector<Rect> changed;
    bool drawn = false;
    std::optional<Rect> ring = focusRingArea();
    if (!m_redrawAll && content) {
        if (auto parts = content->windowAreaToRedraw()) {
            changed = std::move(*parts);
            // A focus ring that moved or went leaves where it was to be drawn again too.
            if (ring != m_lastFocusRingArea) {
                for (const auto& area : { ring, m_lastFocusRingArea })
                    if (area)
                        changed.push_back(*area);
            }
            // Past a few dozen, the parts' count costs more than the rectangle around them.
            if (changed.size() > kMostChangedParts) {
                Rect around = changed.front();
                for (const Rect& part : changed)
                    around = around.unionWith(part);
                changed = { around };
            }
            for (Rect& part : changed)
                part = part.intersection(whole);
            drawing = View::Drawing::onlyWhatTheClipMeets;
            drawn = m_picture.renderPart(changed, m_frame.size, scale, background, draw);
            drawing = View::Drawing::everything;
        }
    }
    if (!drawn) {
        changed = { whole };
        m_picture.render(m_frame.size, scale, background, draw);
    }
    m_redrawAll = false;
    m_lastFocusRingArea = ring;
    m_displayPending = false;
    if (m_platform && m_visible && !m_picture.isEmpty()) {
        // The display is handed what changed, in pixels counted from the top left.
        double s = m_picture.scale();
        // A display that must take the whole picture first is still told of a pass that
        // changed nothing.
        std::erase_if(changed, [](const Rect& part) { return part.isEmpty(); });
        if (changed.empty())
            changed.push_back(Rect());
        for (const Rect& part : changed) {
            m_platform->presentPart(m_picture.surface(), Rect(std::floor(part.minX() * s), std::floor((m_frame.height() - part.maxY()) * s),
                std::ceil(part.width() * s) + 1, std::ceil(part.height() * s) + 1));
        }
    }
    // The caret may have moved with what was drawn: the input method follows it.
    textInputMayHaveChanged();
}

cairo_surface_t* Window::surface()
{
    if (m_picture.isEmpty() || m_displayPending || m_layoutPending)
        display();
    return m_picture.surface();
}

gfx::Color Window::pixelAt(double x, double y)
{
    surface();
    return m_picture.pixelAt(x, y);
}

bool Window::writePng(const std::filesystem::path& path)
{
    surface();
    return m_picture.writePng(path);
}

void Window::platformDidMove(Point origin)
{
    if (catchingUp(m_askedOrigins, origin))
        return;
    // Put away, a window goes back to the display where its content stood, and a window
    // manager tells of that place: it is no move of anyone's, and taken for one the window
    // crept a title bar up at every hide and show.
    if (!m_visible)
        return;
    if (std::fabs(origin.x - m_frame.minX()) < 1 && std::fabs(origin.y - m_frame.minY()) < 1) {
        // Where it was asked to be, as near as whole points tell (a frame half a point high
        // is told half a point off): a correction of the frame's offset has landed.
        m_decorationCorrected.reset();
        return;
    }
    // At the first showing a window manager puts its frame (title bar, border) where the
    // content was asked to go, so the content lands that much lower and to the right. Asked
    // once more, the place is the content's: a stored place stays where it was instead of
    // moving a title bar lower at every start. A display still learning the frame's size
    // may land it off by the same amount again, and is asked again, twice at most; the
    // display telling of the place asked before the showing does not end the first placement.
    Point off { origin.x - m_frame.minX(), origin.y - m_frame.minY() };
    bool decoration = std::fabs(off.x) <= kLargestDecoration && std::fabs(off.y) <= kLargestDecoration;
    bool firstPlacement = std::exchange(m_awaitingFirstPlacement, false);
    bool offAgain = m_decorationCorrected && *m_decorationCorrected == off && m_decorationCorrections < 3;
    // Only by the frame's own size: a user's drag soon after a showing stays the user's.
    bool placedAgainLower = std::exchange(m_awaitingPlacementAgain, false) && m_learnedDecoration
        && std::fabs(off.y + m_learnedDecoration->top) <= 1 && std::fabs(off.x - m_learnedDecoration->left) <= 1;
    if (placedAgainLower) {
        askForThePlaceAgain();
        return;
    }
    if (decoration && (firstPlacement || offAgain)) {
        m_decorationCorrected = off;
        ++m_decorationCorrections;
        // The title bar's height is known now: a window asked for at the top of the work
        // area goes as much lower, or its title bar would be above it.
        if (m_styleMask & WindowStyle::Titled) {
            double border = std::max(0.0, off.x);
            // The title bar the window manager tells of where it has: inside a work area that
            // starts lower, the offset holds the push into it too, and a window put away (when
            // nothing is told) came back that much shorter and lower.
            auto told = m_platform ? m_platform->frameExtents() : std::nullopt;
            m_learnedDecoration = EdgeInsets { told ? told->top : std::max(0.0, -off.y), border, border, border };
            if (auto* app = Application::shared())
                app->m_knownDecoration = m_learnedDecoration;
        }
        if (Rect placed = constrainFrameRect(m_frame); placed != m_frame) {
            setFrame(placed);
            return;
        }
        askForThePlaceAgain();
        return;
    }
    m_decorationCorrected.reset();
    m_frame.origin = origin;
    scaleMayHaveChanged();
    if (m_delegate)
        m_delegate->windowDidMove(*this);
}

void Window::askForThePlaceAgain()
{
    // A new placement: the same frame is sent to the display once more.
    ++m_placements;
    asked(m_askedOrigins, m_frame.origin);
    pushState();
}

void Window::platformDidZoom(bool zoomed, std::optional<Rect> frameBefore)
{
    if (zoomed == m_zoomed)
        return;
    noteDecorationWhileZoomed();
    // Told of the maximized size before the state, it stood at frameBefore.
    if (zoomed) {
        m_unzoomedFrame = frameBefore && fillsItsScreen() ? *frameBefore : m_frame;
        m_shownMaximized = false;
    }
    m_zoomed = zoomed;
    pushState();
    // A window maximized when it was last put away is mapped at its maximized frame, and the
    // window manager gives back that one, in the work area's corner: it goes where the user
    // had left it. Maximized while shown, the window manager gives back the frame it had,
    // its word perhaps still on the way: a request of ours crossing it is answered late with
    // the maximized size, and the window would grow again.
    // No smaller than what shows now needs: another screen may have shown meanwhile.
    if (!zoomed && m_visible && std::exchange(m_shownMaximized, false)) {
        Rect back = m_unzoomedFrame;
        back.size = heldSize(back.size);
        back.origin.y -= back.height() - m_unzoomedFrame.height();
        if (m_frame != back)
            setFrame(back, true);
    }
    if (!zoomed && m_delegate)
        m_delegate->windowDidUnzoom(*this);
}

bool Window::fillsItsScreen() const
{
    // Its decoration is not asked here: while maximized, the display tells of another.
    constexpr double kAnyDecoration = 64;
    auto place = screen();
    return place && m_frame.width() >= place->visibleFrame.width() - kAnyDecoration
        && m_frame.height() >= place->visibleFrame.height() - kAnyDecoration;
}

void Window::scaleMayHaveChanged()
{
    // Moved to a display of another density: drawn again at its scale.
    if (!m_picture.isEmpty() && backingScaleFactor() != m_picture.scale())
        viewNeedsDisplay();
}

void Window::platformKeptSize(Size size)
{
    m_askedSizes.clear();
    platformDidResize(size);
}

Size Window::heldSize(Size size)
{
    if (!(m_styleMask & WindowStyle::Resizable))
        return size;
    Size least = contentMinSize();
    // Where the display cannot hold all of the content, the work area's height will do:
    // the content scrolls.
    least.height = std::min(least.height, constrainFrameRect(Rect(m_frame.origin, least)).height());
    return { std::max(size.width, least.width), std::max(size.height, least.height) };
}

void Window::platformDidResize(Size size)
{
    size = { std::clamp(sane(size.width, 1), 1.0, kLargestSide), std::clamp(sane(size.height, 1), 1.0, kLargestSide) };
    // Word of anything else between the two, the display may grant the size asked next time.
    auto askedBefore = std::exchange(m_givenAgainstHeld, std::nullopt);
    if (catchingUp(m_askedSizes, size) || size == m_frame.size)
        return;
    auto keep = weak_from_this().lock();
    // No smaller than the content's constraints allow, however the display sized it (a
    // drag of a window manager's border, a tool): the display is asked for that size.
    Size given = size;
    size = heldSize(size);
    // Given the same again once asked for more, the display keeps its size: a tile smaller
    // than the work area less a title bar its window manager does not tell of (i3 at twice
    // the density) held, the content scrolling, where asking again went on for ever.
    if (size != given) {
        std::pair sizes { given, size };
        if (askedBefore == sizes)
            size = given;
        else
            m_givenAgainstHeld = sizes;
    }
    // The display keeps a window's top left corner where it was: so does our frame, whose
    // origin is its bottom left.
    m_frame.origin.y += m_frame.height() - size.height;
    m_frame.size = size;
    if (m_contentView)
        m_contentView->setFrame(Rect(0, 0, size.width, size.height));
    setNeedsLayout();
    if (size != given) {
        asked(m_askedSizes, size);
        pushState();
    }
    display();
    if (m_delegate)
        m_delegate->windowDidResize(*this);
}

}
