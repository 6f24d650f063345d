#include "viewkit/LayoutConstraintMakerWithRelation.h"

#include "viewkit/BricksFactory.h"
#include "viewkit/LayoutConstraintMaker.h"

#include "platform/base/Diagnostics.h"

namespace ostrel {

using A = ui::LayoutAttribute;
using R = ui::LayoutRelation;

LayoutConstraintMakerWithRelation::LayoutConstraintMakerWithRelation(LayoutConstraintMaker& container, ui::View& relation)
    : m_container(&container)
    , m_relation(&relation)
{
}

LayoutConstraintMakerWithRelation& LayoutConstraintMakerWithRelation::width(double factor)
{
    m_container->append(ui::Constraint::create(&m_container->subject(), A::Width, R::Equal, m_relation, A::Width, factor, 0));
    return *this;
}

LayoutConstraintMakerWithRelation& LayoutConstraintMakerWithRelation::height(double factor)
{
    m_container->append(ui::Constraint::create(&m_container->subject(), A::Height, R::Equal, m_relation, A::Height, factor, 0));
    return *this;
}

LayoutConstraintMakerWithRelation& LayoutConstraintMakerWithRelation::pin(A a, A b, double constant)
{
    m_container->append(ui::Constraint::create(&m_container->subject(), a, R::Equal, m_relation, b, 1, constant));
    return *this;
}

LayoutConstraintMakerWithRelation& LayoutConstraintMakerWithRelation::pin(SmartLayoutDirectionsType direction, double constant)
{
    A attribute = A::NotAnAttribute;
    switch (direction) {
    case SmartLayoutDirectionsType::top:
        attribute = A::Top;
        break;
    case SmartLayoutDirectionsType::bottom:
        attribute = A::Bottom;
        break;
    case SmartLayoutDirectionsType::left:
        attribute = A::Left;
        break;
    case SmartLayoutDirectionsType::right:
        attribute = A::Right;
        break;
    case SmartLayoutDirectionsType::leading:
        attribute = A::Leading;
        break;
    case SmartLayoutDirectionsType::trailing:
        attribute = A::Trailing;
        break;
    case SmartLayoutDirectionsType::centerX:
        attribute = A::CenterX;
        break;
    case SmartLayoutDirectionsType::centerY:
        attribute = A::CenterY;
        break;
    case SmartLayoutDirectionsType::width:
        attribute = A::Width;
        break;
    case SmartLayoutDirectionsType::height:
        attribute = A::Height;
        break;
    }
    return pin(attribute, attribute, constant);
}

LayoutConstraintMakerWithRelation& LayoutConstraintMakerWithRelation::place(A a, A b)
{
    auto factory = BricksFactory::current();
    if (!factory)
        base::fatal("LayoutConstraintMaker: place needs a current brick factory");
    return pin(a, b, factory->insetFor(a));
}

LayoutConstraintMakerWithRelation& LayoutConstraintMakerWithRelation::lowPriority()
{
    m_container->lowPriority();
    return *this;
}

LayoutConstraintMakerWithRelation& LayoutConstraintMakerWithRelation::highPriority()
{
    m_container->highPriority();
    return *this;
}

}
