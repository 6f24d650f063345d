#include "platform/ui/LayoutEngine.h"

#include "platform/ui/View.h"

#include <cmath>
#include <unordered_set>

namespace ui {

namespace {

// Frames land on whole points far more often than not; keep solver noise out of them.
double tidy(double value)
{
    double rounded = std::round(value);
    return std::fabs(value - rounded) < 1e-6 ? rounded : value;
}

}

void LayoutEngine::layout(View& root, Size rootSize)
{
    // The views' hooks run in the middle of the pass, and a hook may let go of other views
    // (a table drops the rows that went out of sight): every view of the pass is held until
    // it ends, and a view that left the tree meanwhile is not laid out any further.
    auto keepRoot = root.weak_from_this().lock();
    auto inTree = [&root](const std::shared_ptr<View>& view) { return view->isDescendantOf(&root); };
    // A view's layout() may change constraints (a stack view detaching a view); a few passes
    // settle that, and a bound keeps a view that never settles from looping for ever.
    for (int pass = 0; pass < 4; ++pass) {
        solve(root, rootSize);
        auto views = root.heldSubtree();
        applyFrames(root, views);
        for (const auto& view : views)
            view->m_needsLayout = false;
        for (const auto& view : views)
            if (inTree(view))
                view->layout();
        bool again = false;
        for (View* view : root.subtree())
            again = again || view->m_needsLayout;
        if (!again)
            return;
    }
}

Size LayoutEngine::fit(View& root)
{
    solve(root, std::nullopt);
    Rect r = absoluteRect(&root);
    return { tidy(r.width()), tidy(r.height()) };
}

void LayoutEngine::solve(View& root, std::optional<Size> rootSize)
{
    for (const auto& view : root.heldSubtree())
        if (view->isDescendantOf(&root))
            view->updateConstraints();
    // The tree as those hooks left it.
    auto views = root.subtree();
    std::unordered_set<View*> inTree(views.begin(), views.end());

    if (m_root != &root || m_rootSize != rootSize || m_rootConstraints.empty()) {
        using A = LayoutAttribute;
        using R = LayoutRelation;
        m_root = &root;
        m_rootSize = rootSize;
        m_rootConstraints.clear();
        m_rootConstraints.push_back(Constraint::create(&root, A::Left, R::Equal, 0));
        m_rootConstraints.push_back(Constraint::create(&root, A::Top, R::Equal, 0));
        if (rootSize) {
            m_rootConstraints.push_back(Constraint::create(&root, A::Width, R::Equal, rootSize->width));
            m_rootConstraints.push_back(Constraint::create(&root, A::Height, R::Equal, rootSize->height));
        } else {
            // As small as the content lets it be: the weakest wish, below any compression.
            for (auto attribute : { A::Width, A::Height }) {
                auto shrink = Constraint::create(&root, attribute, R::Equal, 0);
                shrink->setPriority(LayoutPriority::FittingSizeCompression);
                m_rootConstraints.push_back(shrink);
                m_rootConstraints.push_back(Constraint::create(&root, attribute, R::GreaterThanOrEqual, 0));
            }
        }
    }

    std::vector<std::shared_ptr<Constraint>> wanted = m_rootConstraints;
    for (View* view : views) {
        for (const auto& c : view->constraints()) {
            if (!inTree.contains(c->firstItem()))
                continue;
            if (c->secondItem() && !inTree.contains(c->secondItem()))
                continue;
            wanted.push_back(c);
        }
        if (view != &root)
            for (auto& c : view->automaticConstraints())
                wanted.push_back(c);
    }
    std::erase_if(m_variables, [&](const auto& entry) { return !inTree.contains(entry.first); });
    sync(wanted);
}

void LayoutEngine::sync(const std::vector<std::shared_ptr<Constraint>>& wanted)
{
    auto baselineOf = [](const Constraint& c) -> std::optional<double> {
        if (c.firstAttribute() == LayoutAttribute::FirstBaseline)
            return c.firstItem()->firstBaselineOffsetFromTop();
        if (c.secondAttribute() == LayoutAttribute::FirstBaseline && c.secondItem())
            return c.secondItem()->firstBaselineOffsetFromTop();
        return std::nullopt;
    };

    std::unordered_set<Constraint*> wantedSet;
    for (const auto& c : wanted)
        wantedSet.insert(c.get());
    for (auto it = m_installed.begin(); it != m_installed.end();) {
        const Installed& installed = it->second;
        // Only a wanted constraint is looked into: an unwanted one may name a view now gone.
        bool stale = !wantedSet.contains(it->first) || installed.constant != installed.constraint->constant()
            || installed.priority != installed.constraint->priority()
            || installed.baseline != baselineOf(*installed.constraint);
        if (stale) {
            m_solver.remove(installed.id);
            it = m_installed.erase(it);
        } else {
            ++it;
        }
    }

    for (const auto& c : wanted) {
        if (m_installed.contains(c.get()))
            continue;
        LayoutSolver::Expression expression;
        expression.constant = -c->constant();
        if (!appendExpression(expression, c->firstItem(), c->firstAttribute(), 1))
            continue;
        if (c->secondItem()
            && !appendExpression(expression, c->secondItem(), c->secondAttribute(), -c->multiplier()))
            continue;
        LayoutSolver::Relation relation = LayoutSolver::Relation::Equal;
        if (c->relation() == LayoutRelation::LessThanOrEqual)
            relation = LayoutSolver::Relation::LessOrEqual;
        else if (c->relation() == LayoutRelation::GreaterThanOrEqual)
            relation = LayoutSolver::Relation::GreaterOrEqual;
        Installed installed;
        installed.id = m_solver.add(expression, relation, c->priority());
        installed.constraint = c;
        installed.constant = c->constant();
        installed.priority = c->priority();
        installed.baseline = baselineOf(*c);
        m_installed.emplace(c.get(), std::move(installed));
    }
}

bool LayoutEngine::appendExpression(LayoutSolver::Expression& e, View* view, LayoutAttribute attribute, double f)
{
    if (!view || attribute == LayoutAttribute::NotAnAttribute)
        return attribute == LayoutAttribute::NotAnAttribute;
    auto found = m_variables.find(view);
    if (found == m_variables.end()) {
        Variables v { m_solver.newVariable(), m_solver.newVariable(), m_solver.newVariable(), m_solver.newVariable() };
        found = m_variables.emplace(view, v).first;
    }
    const Variables& v = found->second;
    using A = LayoutAttribute;
    switch (attribute) {
    case A::Left:
    case A::Leading:
        e.terms.push_back({ v.left, f });
        break;
    case A::Right:
    case A::Trailing:
        e.terms.push_back({ v.left, f });
        e.terms.push_back({ v.width, f });
        break;
    case A::Top:
        e.terms.push_back({ v.top, f });
        break;
    case A::Bottom:
        e.terms.push_back({ v.top, f });
        e.terms.push_back({ v.height, f });
        break;
    case A::Width:
        e.terms.push_back({ v.width, f });
        break;
    case A::Height:
        e.terms.push_back({ v.height, f });
        break;
    case A::CenterX:
        e.terms.push_back({ v.left, f });
        e.terms.push_back({ v.width, f * 0.5 });
        break;
    case A::CenterY:
        e.terms.push_back({ v.top, f });
        e.terms.push_back({ v.height, f * 0.5 });
        break;
    case A::FirstBaseline:
        e.terms.push_back({ v.top, f });
        if (auto offset = view->firstBaselineOffsetFromTop())
            e.constant += f * *offset;
        else
            e.terms.push_back({ v.height, f });
        break;
    case A::NotAnAttribute:
        break;
    }
    return true;
}

Rect LayoutEngine::absoluteRect(View* view) const
{
    auto found = m_variables.find(view);
    if (found == m_variables.end())
        return {};
    const Variables& v = found->second;
    return Rect(m_solver.value(v.left), m_solver.value(v.top), std::max(0.0, m_solver.value(v.width)),
        std::max(0.0, m_solver.value(v.height)));
}

void LayoutEngine::applyFrames(View& root, const std::vector<std::shared_ptr<View>>& views)
{
    for (const auto& view : views) {
        // A frame hook may have taken a view out of the tree on the way.
        if (view.get() == &root || view->translatesAutoresizingMaskIntoConstraints() || !view->isDescendantOf(&root))
            continue;
        View* parent = view->superview();
        Rect mine = absoluteRect(view.get());
        Rect theirs = absoluteRect(parent);
        double x = mine.minX() - theirs.minX();
        double y = parent->isFlipped() ? mine.minY() - theirs.minY() : theirs.maxY() - mine.maxY();
        view->setFrameFromLayout(Rect(tidy(x), tidy(y), tidy(mine.width()), tidy(mine.height())));
    }
}

}
