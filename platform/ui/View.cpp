#include "platform/ui/View.h"

#include "platform/ui/LayoutEngine.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace ui {

std::shared_ptr<View> View::create(Rect frame) { return std::shared_ptr<View>(new View(frame)); }

View::View(Rect frame)
    : m_frame(frame)
{
}

View::~View()
{
    for (auto& constraint : m_constraints)
        constraint->m_installedOn = nullptr;
    for (auto& subview : m_subviews) {
        subview->m_superview = nullptr;
        subview->setNextResponder(nullptr);
    }
}

void View::addSubview(std::shared_ptr<View> view) { insertSubview(std::move(view), m_subviews.size()); }

void View::insertSubview(std::shared_ptr<View> view, std::size_t index)
{
    if (!view || view.get() == this || isDescendantOf(view.get()))
        return;
    if (view->m_superview)
        view->removeFromSuperview();
    index = std::min(index, m_subviews.size());
    m_subviews.insert(m_subviews.begin() + static_cast<std::ptrdiff_t>(index), view);
    view->m_superview = this;
    view->setNextResponder(this);
    view->setWindow(m_window);
    view->viewDidMoveToSuperview();
    layoutChanged();
    setNeedsDisplay();
}

void View::removeFromSuperview()
{
    View* parent = m_superview;
    if (!parent)
        return;
    auto keepAlive = shared_from_this();
    detachConstraintsFromAncestors();
    std::erase_if(parent->m_subviews, [this](const auto& v) { return v.get() == this; });
    m_superview = nullptr;
    setNextResponder(nullptr);
    setWindow(nullptr);
    viewDidMoveToSuperview();
    parent->layoutChanged();
    parent->setNeedsDisplay();
}

bool View::isDescendantOf(const View* view) const
{
    for (const View* v = this; v; v = v->m_superview)
        if (v == view)
            return true;
    return false;
}

std::vector<View*> View::subtree()
{
    std::vector<View*> out;
    subtreeInto(out);
    return out;
}

std::vector<std::shared_ptr<View>> View::heldSubtree()
{
    std::vector<std::shared_ptr<View>> out;
    for (View* view : subtree())
        if (auto held = view->weak_from_this().lock())
            out.push_back(std::move(held));
    return out;
}

void View::subtreeInto(std::vector<View*>& out)
{
    out.push_back(this);
    for (auto& subview : m_subviews)
        subview->subtreeInto(out);
}

View* View::ancestorSharedWith(View* other)
{
    if (!other)
        return this;
    for (View* v = this; v; v = v->m_superview)
        if (other->isDescendantOf(v))
            return v;
    return nullptr;
}

View* View::viewWithIdentifier(const std::string& identifier)
{
    for (View* v : subtree())
        if (v->m_identifier == identifier)
            return v;
    return nullptr;
}

void View::detachConstraintsFromAncestors()
{
    auto views = subtree();
    std::unordered_set<View*> leaving(views.begin(), views.end());
    for (View* ancestor = m_superview; ancestor; ancestor = ancestor->m_superview) {
        std::vector<std::shared_ptr<Constraint>> gone;
        for (auto& c : ancestor->m_constraints)
            if (leaving.contains(c->m_first) || leaving.contains(c->m_second))
                gone.push_back(c);
        ancestor->removeConstraints(gone);
    }
}

void View::setWindow(Window* window)
{
    if (m_window == window)
        return;
    if (m_window)
        m_window->viewWillLeave(this);
    m_window = window;
    // A copy: a subview hearing of its new window may add or remove views beside it.
    auto subviews = m_subviews;
    for (auto& subview : subviews)
        if (subview->m_superview == this)
            subview->setWindow(window);
    viewDidMoveToWindow();
    if (window) {
        m_needsLayout = true;
        m_needsDisplay = true;
    }
}

void View::setFrame(Rect frame)
{
    if (!takeFrame(frame))
        return;
    // A view's own frame never constrains what is inside it (a fitting solve leaves the root's
    // frame out), only its superview's content.
    if (m_translatesMask) {
        if (m_superview)
            m_superview->forgetFittingSizes();
        m_needsLayout = true;
        if (m_window)
            m_window->setNeedsLayout();
    }
    frameTaken();
}

void View::setFrameWithoutLayout(Rect frame)
{
    if (!m_translatesMask) {
        setFrame(frame);
        return;
    }
    if (!takeFrame(frame))
        return;
    if (m_superview)
        m_superview->forgetFittingSizes();
    frameTaken();
}

bool View::takeFrame(Rect frame)
{
    bool finite = std::isfinite(frame.minX()) && std::isfinite(frame.minY()) && std::isfinite(frame.width())
        && std::isfinite(frame.height());
    if (!finite || frame == m_frame)
        return false;
    m_frame = frame;
    return true;
}

void View::frameTaken()
{
    // Subviews pinned to this one move with it at the next layout; what fits inside it stays
    // as it was solved, so that a resize does not solve every fitting size below it again.
    if (std::ranges::any_of(m_subviews, [](const auto& subview) { return !subview->m_translatesMask; })) {
        m_needsLayout = true;
        if (m_window)
            m_window->setNeedsLayout();
    }
    frameDidChange();
    setNeedsDisplay();
}

void View::setFrameFromLayout(Rect frame)
{
    if (frame == m_frame)
        return;
    m_frame = frame;
    frameDidChange();
    setNeedsDisplay();
}

void View::setBoundsOrigin(Point origin)
{
    // As with frames: a scroll offset that is no number would stick, and nothing would show.
    if (!std::isfinite(origin.x) || !std::isfinite(origin.y) || origin == m_boundsOrigin)
        return;
    m_boundsOrigin = origin;
    setNeedsDisplay();
}

bool View::parentIsFlipped() const { return m_superview ? m_superview->isFlipped() : false; }

Point View::toParent(Point p) const
{
    Point q { p.x - m_boundsOrigin.x, p.y - m_boundsOrigin.y };
    if (isFlipped() != parentIsFlipped())
        q.y = m_frame.height() - q.y;
    return { m_frame.minX() + q.x, m_frame.minY() + q.y };
}

Point View::fromParent(Point p) const
{
    Point q { p.x - m_frame.minX(), p.y - m_frame.minY() };
    if (isFlipped() != parentIsFlipped())
        q.y = m_frame.height() - q.y;
    return { q.x + m_boundsOrigin.x, q.y + m_boundsOrigin.y };
}

Point View::convertPointTo(Point point, const View* view) const
{
    for (const View* v = this; v; v = v->m_superview)
        point = v->toParent(point);
    if (!view)
        return point;
    return view->convertPointFrom(point, nullptr);
}

Point View::convertPointFrom(Point point, const View* view) const
{
    if (view)
        point = view->convertPointTo(point, nullptr);
    std::vector<const View*> chain;
    for (const View* v = this; v; v = v->m_superview)
        chain.push_back(v);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        point = (*it)->fromParent(point);
    return point;
}

Rect View::convertRectTo(Rect rect, const View* view) const
{
    Point a = convertPointTo(rect.origin, view);
    Point b = convertPointTo({ rect.maxX(), rect.maxY() }, view);
    return Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
}

Rect View::convertRectFrom(Rect rect, const View* view) const
{
    Point a = convertPointFrom(rect.origin, view);
    Point b = convertPointFrom({ rect.maxX(), rect.maxY() }, view);
    return Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
}

Point View::convertPointToScreen(Point point) const
{
    Point inWindow = convertPointTo(point, nullptr);
    return m_window ? m_window->convertPointToScreen(inWindow) : inWindow;
}

Point View::convertPointFromScreen(Point point) const
{
    Point inWindow = m_window ? m_window->convertPointFromScreen(point) : point;
    return convertPointFrom(inWindow, nullptr);
}

void View::setHidden(bool hidden)
{
    if (hidden == m_hidden)
        return;
    m_hidden = hidden;
    if (m_window && hidden)
        m_window->viewWillHide(this);
    if (m_superview) {
        // A stack leaves room only for shown views.
        m_superview->setNeedsLayout();
        m_superview->setNeedsDisplay();
    } else {
        setNeedsDisplay();
    }
}

bool View::isHiddenOrHasHiddenAncestor() const
{
    for (const View* v = this; v; v = v->m_superview)
        if (v->m_hidden)
            return true;
    return false;
}

void View::setAlphaValue(double alpha)
{
    // An alpha that is no number (a garbled animation) would blank the view's drawing.
    if (std::isnan(alpha))
        return;
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha == m_alpha)
        return;
    m_alpha = alpha;
    setNeedsDisplay();
}

void View::setNeedsDisplay(bool needsDisplay)
{
    m_needsDisplay = needsDisplay;
    if (!needsDisplay) {
        m_dirty = {};
        return;
    }
    m_dirty = bounds();
    if (m_window)
        m_window->viewNeedsDisplay();
}

void View::setNeedsDisplayInRect(Rect rect)
{
    rect = rect.intersection(bounds());
    if (rect.isEmpty())
        return;
    m_needsDisplay = true;
    m_dirty = m_dirty.unionWith(rect);
    if (m_window)
        m_window->viewNeedsDisplay();
}

void View::draw(gfx::GraphicsContext&, const Rect&) { }

std::optional<std::vector<Rect>> View::windowAreaToRedraw() const
{
    std::vector<Rect> parts;
    if (!collectAreaToRedraw(parts) || parts.empty())
        return std::nullopt;
    return parts;
}

bool View::collectAreaToRedraw(std::vector<Rect>& parts) const
{
    auto add = [&parts](const Rect& rect) {
        if (!rect.isEmpty())
            parts.push_back(rect);
    };
    if (m_needsDisplay) {
        if (!marksItsOwnChanges())
            return false;
        // Moved or resized since it was drawn: where it was shows something else now.
        if (m_lastShown && (m_hidden || *m_lastShown != convertRectTo(bounds(), nullptr)))
            add(*m_lastShown);
        if (!m_hidden && !m_dirty.isEmpty())
            for (const Rect& part : changedParts())
                add(convertRectTo(part.intersection(m_dirty), nullptr));
    }
    for (const auto& subview : m_subviews)
        if (!subview->collectAreaToRedraw(parts))
            return false;
    return true;
}

void View::renderTree(gfx::GraphicsContext& context, Drawing drawing)
{
    if (m_hidden || m_alpha <= 0) {
        m_needsDisplay = false;
        m_lastShown.reset();
        return;
    }
    // None of it is in what is drawn this time: it stays as it shows, and so do its
    // subviews; whatever of them asked to be drawn lies where nothing of them shows.
    if (drawing == Drawing::onlyWhatTheClipMeets && !context.clipBoundingBox().intersects(m_frame)) {
        for (View* view : subtree()) {
            view->m_needsDisplay = false;
            view->m_dirty = {};
        }
        return;
    }
    m_lastShown = convertRectTo(bounds(), nullptr);
    context.save();
    context.translate(m_frame.minX(), m_frame.minY());
    if (isFlipped() != parentIsFlipped()) {
        context.translate(0, m_frame.height());
        context.scale(1, -1);
    }
    context.translate(-m_boundsOrigin.x, -m_boundsOrigin.y);
    context.clipToRect(bounds());
    bool translucent = m_alpha < 1;
    if (translucent) {
        context.setAlpha(m_alpha);
        context.beginTransparencyLayer(bounds());
    }
    Rect dirty = m_needsDisplay ? m_dirty.unionWith(bounds()) : bounds();
    draw(context, dirty);
    // A copy: drawing may change the tree (a table makes the rows that came into sight).
    auto subviews = m_subviews;
    for (auto& subview : subviews)
        if (subview->m_superview == this)
            subview->renderTree(context, drawing);
    if (translucent)
        context.endTransparencyLayer();
    context.restore();
    m_needsDisplay = false;
    m_dirty = {};
}

View* View::hitTest(Point point)
{
    if (m_hidden || !m_frame.contains(point))
        return nullptr;
    Point local = fromParent(point);
    for (auto it = m_subviews.rbegin(); it != m_subviews.rend(); ++it)
        if (View* hit = (*it)->hitTest(local))
            return hit;
    return this;
}

bool View::mouseInRect(Point pointInWindow) const
{
    return bounds().contains(convertPointFrom(pointInWindow, nullptr));
}

void View::setTranslatesAutoresizingMaskIntoConstraints(bool translates)
{
    if (translates == m_translatesMask)
        return;
    m_translatesMask = translates;
    layoutChanged();
}

void View::setIntrinsicContentSize(Size size)
{
    m_intrinsicSize = size;
    invalidateIntrinsicContentSize();
}

void View::invalidateIntrinsicContentSize()
{
    // A size the last layout already used (a count whose digits change, not its width) needs
    // no new layout of the whole window; a fitting size worked out meanwhile may have seen
    // another.
    if (!m_translatesMask && m_automaticInputs && m_automaticInputs->intrinsic == intrinsicContentSize()) {
        forgetFittingSizes();
        return;
    }
    layoutChanged();
}

void View::setContentHuggingPriority(double priority, Orientation orientation)
{
    m_hugging[index(orientation)] = std::clamp(priority, 1.0, 1000.0);
    layoutChanged();
}

void View::setContentCompressionResistancePriority(double priority, Orientation orientation)
{
    m_compression[index(orientation)] = std::clamp(priority, 1.0, 1000.0);
    layoutChanged();
}

void View::addConstraint(std::shared_ptr<Constraint> constraint)
{
    if (!constraint)
        return;
    if (constraint->m_installedOn == this)
        return;
    if (constraint->m_installedOn)
        constraint->m_installedOn->removeConstraint(constraint);
    constraint->m_installedOn = this;
    m_constraints.push_back(std::move(constraint));
    layoutChanged();
}

void View::addConstraints(const std::vector<std::shared_ptr<Constraint>>& constraints)
{
    for (const auto& constraint : constraints)
        addConstraint(constraint);
}

void View::removeConstraint(const std::shared_ptr<Constraint>& constraint)
{
    auto it = std::find(m_constraints.begin(), m_constraints.end(), constraint);
    if (it == m_constraints.end())
        return;
    (*it)->m_installedOn = nullptr;
    m_constraints.erase(it);
    layoutChanged();
}

void View::removeConstraints(const std::vector<std::shared_ptr<Constraint>>& constraints)
{
    for (const auto& constraint : constraints)
        removeConstraint(constraint);
}

void View::setNeedsLayout(bool needsLayout)
{
    if (needsLayout)
        layoutChanged();
    else
        m_needsLayout = false;
}

void View::layoutChanged()
{
    forgetFittingSizes();
    m_needsLayout = true;
    if (m_window)
        m_window->setNeedsLayout();
}

void View::layoutSubtreeIfNeeded()
{
    if (m_window) {
        m_window->layoutIfNeeded();
        return;
    }
    View* root = this;
    while (root->m_superview)
        root = root->m_superview;
    if (!root->m_ownEngine)
        root->m_ownEngine = std::make_shared<LayoutEngine>();
    root->m_ownEngine->layout(*root, root->m_frame.size);
}

Size View::fittingSize()
{
    if (m_fittingSize)
        return *m_fittingSize;
    LayoutEngine engine;
    Size size = engine.fit(*this);
    m_fittingSize = size;
    return size;
}

void View::forgetFittingSizes()
{
    // Every ancestor: one may have been asked while the views between were not.
    for (View* v = this; v; v = v->m_superview)
        v->m_fittingSize.reset();
}

bool View::AutomaticInputs::operator==(const AutomaticInputs& o) const
{
    return translates == o.translates && frame == o.frame && intrinsic == o.intrinsic && hugging[0] == o.hugging[0]
        && hugging[1] == o.hugging[1] && compression[0] == o.compression[0] && compression[1] == o.compression[1]
        && flippedParent == o.flippedParent && superview == o.superview;
}

std::vector<std::shared_ptr<Constraint>> View::automaticConstraints()
{
    AutomaticInputs inputs;
    inputs.translates = m_translatesMask;
    inputs.frame = m_translatesMask ? m_frame : Rect {};
    inputs.intrinsic = m_translatesMask ? Size {} : intrinsicContentSize();
    for (int i = 0; i < 2; ++i) {
        inputs.hugging[i] = m_hugging[i];
        inputs.compression[i] = m_compression[i];
    }
    inputs.flippedParent = parentIsFlipped();
    inputs.superview = m_superview;
    if (m_automaticInputs && *m_automaticInputs == inputs)
        return m_automatic;

    m_automaticInputs = inputs;
    m_automatic.clear();
    using A = LayoutAttribute;
    using R = LayoutRelation;
    auto add = [this](std::shared_ptr<Constraint> c, double priority = LayoutPriority::Required) {
        c->setPriority(priority);
        c->setIdentifier("automatic");
        m_automatic.push_back(std::move(c));
    };
    if (m_translatesMask && m_superview) {
        add(Constraint::create(this, A::Left, R::Equal, m_superview, A::Left, 1, m_frame.minX()));
        if (inputs.flippedParent)
            add(Constraint::create(this, A::Top, R::Equal, m_superview, A::Top, 1, m_frame.minY()));
        else
            add(Constraint::create(this, A::Bottom, R::Equal, m_superview, A::Bottom, 1, -m_frame.minY()));
        add(Constraint::create(this, A::Width, R::Equal, m_frame.width()));
        add(Constraint::create(this, A::Height, R::Equal, m_frame.height()));
    } else if (!m_translatesMask) {
        Size size = inputs.intrinsic;
        if (size.width != kNoIntrinsicMetric) {
            add(Constraint::create(this, A::Width, R::LessThanOrEqual, size.width), m_hugging[0]);
            add(Constraint::create(this, A::Width, R::GreaterThanOrEqual, size.width), m_compression[0]);
        }
        if (size.height != kNoIntrinsicMetric) {
            add(Constraint::create(this, A::Height, R::LessThanOrEqual, size.height), m_hugging[1]);
            add(Constraint::create(this, A::Height, R::GreaterThanOrEqual, size.height), m_compression[1]);
        }
    }
    return m_automatic;
}

}

namespace ui {

bool View::performKeyEquivalent(const Event& event)
{
    if (isHidden())
        return false;
    // A copy: a view acting on the key may change the tree.
    auto subviews = m_subviews;
    for (const auto& subview : subviews)
        if (subview->performKeyEquivalent(event))
            return true;
    return false;
}

void View::setNextKeyView(View* view) { m_nextKeyView = view ? view->weak_from_this() : std::weak_ptr<View> {}; }

}
