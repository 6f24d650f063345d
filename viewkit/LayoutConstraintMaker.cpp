#include "viewkit/LayoutConstraintMaker.h"

#include "viewkit/LayoutConstraintMakerWithRelation.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/View.h"

namespace ostrel {

using A = ui::LayoutAttribute;
using R = ui::LayoutRelation;

LayoutConstraintMaker::LayoutConstraintMaker(ui::View& subject)
    : m_subject(&subject)
{
}

ui::View& LayoutConstraintMaker::superviewOrStop() const
{
    ui::View* superview = m_subject->superview();
    if (!superview)
        base::fatal("LayoutConstraintMaker: the view has no superview to relate to");
    return *superview;
}

LayoutConstraintMaker& LayoutConstraintMaker::fillContainer()
{
    for (const auto& edge : ui::Constraint::edgesEqual(m_subject, &superviewOrStop()))
        append(edge);
    return *this;
}

LayoutConstraintMakerWithRelation LayoutConstraintMaker::and_(ui::View& view) { return { *this, view }; }

LayoutConstraintMakerWithRelation LayoutConstraintMaker::container() { return { *this, superviewOrStop() }; }

LayoutConstraintMaker& LayoutConstraintMaker::fixed(A attribute, R relation, double constant)
{
    append(ui::Constraint::create(m_subject, attribute, relation, constant));
    return *this;
}

LayoutConstraintMaker& LayoutConstraintMaker::width(double constant) { return fixed(A::Width, R::Equal, constant); }
LayoutConstraintMaker& LayoutConstraintMaker::minWidth(double constant) { return fixed(A::Width, R::GreaterThanOrEqual, constant); }
LayoutConstraintMaker& LayoutConstraintMaker::maxWidth(double constant) { return fixed(A::Width, R::LessThanOrEqual, constant); }
LayoutConstraintMaker& LayoutConstraintMaker::height(double constant) { return fixed(A::Height, R::Equal, constant); }
LayoutConstraintMaker& LayoutConstraintMaker::minHeight(double constant) { return fixed(A::Height, R::GreaterThanOrEqual, constant); }
LayoutConstraintMaker& LayoutConstraintMaker::maxHeight(double constant) { return fixed(A::Height, R::LessThanOrEqual, constant); }

LayoutConstraintMaker& LayoutConstraintMaker::lowPriority()
{
    if (!m_constraints.empty())
        m_constraints.back()->setPriority(ui::LayoutPriority::DefaultLow);
    return *this;
}

LayoutConstraintMaker& LayoutConstraintMaker::highPriority()
{
    if (!m_constraints.empty())
        m_constraints.back()->setPriority(ui::LayoutPriority::DefaultHigh);
    return *this;
}

}
