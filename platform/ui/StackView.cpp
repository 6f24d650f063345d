#include "platform/ui/StackView.h"

#include <algorithm>

namespace ui {

std::shared_ptr<StackView> StackView::create(Orientation orientation) { return std::shared_ptr<StackView>(new StackView(orientation)); }

StackView::StackView(Orientation orientation)
    : View({})
    , m_orientation(orientation)
    , m_alignment(orientation == Orientation::Horizontal ? LayoutAttribute::CenterY : LayoutAttribute::CenterX)
{
}

void StackView::rearrange()
{
    m_dirty = true;
    setNeedsLayout();
}

void StackView::setOrientation(Orientation orientation)
{
    m_orientation = orientation;
    rearrange();
}

void StackView::setAlignment(LayoutAttribute alignment)
{
    m_alignment = alignment;
    rearrange();
}

void StackView::setSpacing(double spacing)
{
    m_spacing = spacing;
    rearrange();
}

void StackView::setEdgeInsets(EdgeInsets insets)
{
    m_insets = insets;
    rearrange();
}

void StackView::addArrangedSubview(std::shared_ptr<View> view) { insertArrangedSubview(std::move(view), m_arranged.size()); }

void StackView::insertArrangedSubview(std::shared_ptr<View> view, std::size_t index)
{
    if (!view)
        return;
    std::erase(m_arranged, view);
    index = std::min(index, m_arranged.size());
    m_arranged.insert(m_arranged.begin() + static_cast<std::ptrdiff_t>(index), view);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    if (visibilityPriority(view.get()) > VisibilityPriority::NotVisible)
        attach(view);
    rearrange();
}

void StackView::removeArrangedSubview(const std::shared_ptr<View>& view)
{
    std::erase(m_arranged, view);
    m_priorities.erase(view.get());
    std::erase(m_squeezedOut, view.get());
    rearrange();
}

double StackView::visibilityPriority(const View* view) const
{
    auto it = m_priorities.find(view);
    return it == m_priorities.end() ? VisibilityPriority::MustHold : it->second;
}

void StackView::setVisibilityPriority(const View* view, double priority)
{
    auto it = std::find_if(m_arranged.begin(), m_arranged.end(), [view](const auto& v) { return v.get() == view; });
    if (it == m_arranged.end())
        return;
    m_priorities[view] = priority;
    std::erase(m_squeezedOut, view);
    if (priority <= VisibilityPriority::NotVisible)
        detach(*it);
    else
        attach(*it);
    rearrange();
}

bool StackView::isDetached(const View* view) const { return view->superview() != this; }

std::vector<std::shared_ptr<View>> StackView::detachedViews() const
{
    std::vector<std::shared_ptr<View>> out;
    for (const auto& v : m_arranged)
        if (isDetached(v.get()))
            out.push_back(v);
    return out;
}

void StackView::attach(const std::shared_ptr<View>& view)
{
    if (view->superview() == this)
        return;
    // Subview order follows the arrangement, so drawing and hit testing do too.
    std::size_t index = 0;
    for (const auto& v : m_arranged) {
        if (v == view)
            break;
        if (v->superview() == this)
            ++index;
    }
    insertSubview(view, index);
}

void StackView::detach(const std::shared_ptr<View>& view)
{
    if (view->superview() == this)
        view->removeFromSuperview();
}

void StackView::updateConstraints()
{
    std::vector<View*> shown;
    for (const auto& v : m_arranged)
        if (!isDetached(v.get()) && !v->isHidden())
            shown.push_back(v.get());
    if (!m_dirty && shown == m_lastShown)
        return;
    m_dirty = false;
    m_lastShown = shown;

    removeConstraints(m_generated);
    m_generated.clear();
    using A = LayoutAttribute;
    using R = LayoutRelation;
    bool row = m_orientation == Orientation::Horizontal;
    A lead = row ? A::Leading : A::Top;
    A trail = row ? A::Trailing : A::Bottom;
    double leadInset = row ? m_insets.left : m_insets.top;
    double trailInset = row ? m_insets.right : m_insets.bottom;
    A crossLead = row ? A::Top : A::Leading;
    A crossTrail = row ? A::Bottom : A::Trailing;
    double crossLeadInset = row ? m_insets.top : m_insets.left;
    double crossTrailInset = row ? m_insets.bottom : m_insets.right;
    double hug = contentHuggingPriority(m_orientation);
    double crossHug = contentHuggingPriority(row ? Orientation::Vertical : Orientation::Horizontal);

    auto add = [this](View* a, A aa, R r, View* b, A ba, double c, double priority = LayoutPriority::Required) {
        auto constraint = Constraint::create(a, aa, r, b, ba, 1, c);
        constraint->setPriority(priority);
        constraint->setIdentifier("stack");
        m_generated.push_back(constraint);
    };

    View* previous = nullptr;
    for (View* v : shown) {
        if (previous)
            add(v, lead, R::Equal, previous, trail, m_spacing);
        else
            add(v, lead, R::Equal, this, lead, leadInset);
        previous = v;

        switch (m_alignment) {
        case A::Width:
        case A::Height:
            add(v, crossLead, R::Equal, this, crossLead, crossLeadInset);
            add(v, crossTrail, R::Equal, this, crossTrail, -crossTrailInset);
            break;
        case A::CenterX:
        case A::CenterY:
            add(v, row ? A::CenterY : A::CenterX, R::Equal, this, row ? A::CenterY : A::CenterX,
                (crossLeadInset - crossTrailInset) / 2);
            break;
        case A::FirstBaseline:
            if (v != shown.front())
                add(v, A::FirstBaseline, R::Equal, shown.front(), A::FirstBaseline, 0);
            break;
        case A::Bottom:
        case A::Trailing:
            add(v, crossTrail, R::Equal, this, crossTrail, -crossTrailInset);
            break;
        default:
            add(v, crossLead, R::Equal, this, crossLead, crossLeadInset);
            break;
        }
        // The stack holds every view across, and hugs the largest of them.
        add(v, crossLead, R::GreaterThanOrEqual, this, crossLead, crossLeadInset);
        add(v, crossTrail, R::LessThanOrEqual, this, crossTrail, -crossTrailInset);
        add(v, crossLead, R::Equal, this, crossLead, crossLeadInset, std::min(crossHug, 249.0));
        add(v, crossTrail, R::Equal, this, crossTrail, -crossTrailInset, std::min(crossHug, 249.0));
    }
    if (previous) {
        add(previous, trail, R::LessThanOrEqual, this, trail, -trailInset);
        add(previous, trail, R::Equal, this, trail, -trailInset, std::min(hug, 249.0));
    }
    addConstraints(m_generated);
}

double StackView::lengthOf(View* view)
{
    Size size = view->fittingSize();
    Size intrinsic = view->intrinsicContentSize();
    if (m_orientation == Orientation::Horizontal)
        return std::max(size.width, intrinsic.width);
    return std::max(size.height, intrinsic.height);
}

double StackView::available() const
{
    if (m_orientation == Orientation::Horizontal)
        return frame().width() - m_insets.left - m_insets.right;
    return frame().height() - m_insets.top - m_insets.bottom;
}

double StackView::needed(const std::vector<View*>& views)
{
    double total = 0;
    for (View* v : views)
        total += lengthOf(v);
    if (views.size() > 1)
        total += m_spacing * static_cast<double>(views.size() - 1);
    return total;
}

void StackView::layout()
{
    auto attachedViews = [this] {
        std::vector<View*> out;
        for (const auto& v : m_arranged)
            if (!isDetached(v.get()) && !v->isHidden())
                out.push_back(v.get());
        return out;
    };
    // Too short: detach the least important view that may go, the last of equals first.
    auto shown = attachedViews();
    if (needed(shown) > available() + 0.5) {
        std::shared_ptr<View> victim;
        for (const auto& v : m_arranged) {
            if (isDetached(v.get()) || v->isHidden() || visibilityPriority(v.get()) >= VisibilityPriority::MustHold)
                continue;
            if (!victim || visibilityPriority(v.get()) <= visibilityPriority(victim.get()))
                victim = v;
        }
        if (victim) {
            m_squeezedOut.push_back(victim.get());
            detach(victim);
            rearrange();
        }
        return;
    }
    // Room again: bring back the most important view squeezed out, if it fits.
    std::shared_ptr<View> candidate;
    for (const auto& v : m_arranged) {
        if (std::find(m_squeezedOut.begin(), m_squeezedOut.end(), v.get()) == m_squeezedOut.end())
            continue;
        if (!candidate || visibilityPriority(v.get()) > visibilityPriority(candidate.get()))
            candidate = v;
    }
    if (candidate) {
        shown.push_back(candidate.get());
        if (needed(shown) <= available() + 0.5) {
            std::erase(m_squeezedOut, candidate.get());
            attach(candidate);
            rearrange();
        }
    }
}

}
