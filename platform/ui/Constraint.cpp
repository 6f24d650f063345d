#include "platform/ui/Constraint.h"

#include "platform/ui/View.h"

#include "platform/base/Diagnostics.h"

#include <algorithm>
#include <cmath>

namespace ui {

std::shared_ptr<Constraint> Constraint::create(View* first, LayoutAttribute firstAttribute, LayoutRelation relation,
    View* second, LayoutAttribute secondAttribute, double multiplier, double constant)
{
    auto c = std::shared_ptr<Constraint>(new Constraint);
    c->m_first = first;
    c->m_firstAttribute = firstAttribute;
    c->m_relation = relation;
    c->m_second = second;
    c->m_secondAttribute = second ? secondAttribute : LayoutAttribute::NotAnAttribute;
    c->m_multiplier = std::isfinite(multiplier) ? multiplier : 1;
    c->m_constant = std::isfinite(constant) ? constant : 0;
    if (c->m_multiplier != multiplier || c->m_constant != constant)
        base::diagnostic("Layout: a constraint with a number that is not finite was made with 1 and 0 instead");
    return c;
}

std::shared_ptr<Constraint> Constraint::create(View* first, LayoutAttribute attribute, LayoutRelation relation,
    double constant)
{
    return create(first, attribute, relation, nullptr, LayoutAttribute::NotAnAttribute, 1, constant);
}

void Constraint::setConstant(double constant)
{
    if (!std::isfinite(constant)) {
        base::diagnostic("Layout: a constant that is not finite was ignored");
        return;
    }
    if (constant == m_constant)
        return;
    m_constant = constant;
    changed();
}

void Constraint::setPriority(double priority)
{
    if (std::isnan(priority))
        return;
    priority = std::clamp(priority, 1.0, 1000.0);
    if (priority == m_priority)
        return;
    m_priority = priority;
    changed();
}

void Constraint::changed()
{
    if (m_installedOn)
        m_installedOn->setNeedsLayout();
}

void Constraint::setActive(bool active)
{
    if (active == isActive())
        return;
    auto self = shared_from_this();
    if (!active) {
        m_installedOn->removeConstraint(self);
        return;
    }
    if (!m_first)
        return;
    // A constraint between views of two separate trees has nowhere to live and stays off.
    if (View* host = m_first->ancestorSharedWith(m_second))
        host->addConstraint(self);
}

void Constraint::activate(const std::vector<std::shared_ptr<Constraint>>& constraints)
{
    for (const auto& c : constraints)
        c->setActive(true);
}

std::vector<std::shared_ptr<Constraint>> Constraint::edgesEqual(View* view, View* other)
{
    using A = LayoutAttribute;
    std::vector<std::shared_ptr<Constraint>> edges;
    for (A attribute : { A::Top, A::Bottom, A::Left, A::Right })
        edges.push_back(create(view, attribute, LayoutRelation::Equal, other, attribute, 1, 0));
    return edges;
}

void Constraint::deactivate(const std::vector<std::shared_ptr<Constraint>>& constraints)
{
    for (const auto& c : constraints)
        c->setActive(false);
}

}
