#pragma once

#include "platform/ui/Constraint.h"

#include <memory>
#include <vector>

namespace ui {
class View;
}

namespace ostrel {

class LayoutConstraintMakerWithRelation;

// The layout vocabulary every constraint closure receives: a maker for one subject view (the
// brick just added) that collects constraints in call order. It only collects: the factory
// installs the list on the container after the closure returns. Calls chain:
//   maker.container().pin(Top, Top, 0).place(Left, Left);
//   maker.and_(sibling).pin(Left, Right, 0);
//   maker.container().place(Right, Right).lowPriority();
class LayoutConstraintMaker {
public:
    // Not owned: the subject lives in the view tree for as long as the maker is used.
    explicit LayoutConstraintMaker(ui::View& subject);

    ui::View& subject() const { return *m_subject; }
    const std::vector<std::shared_ptr<ui::Constraint>>& constraints() const { return m_constraints; }
    void setConstraints(std::vector<std::shared_ptr<ui::Constraint>> constraints) { m_constraints = std::move(constraints); }
    void append(std::shared_ptr<ui::Constraint> constraint) { m_constraints.push_back(std::move(constraint)); }

    // Top, bottom, left and right to the superview's, in that order. The subject must have a
    // superview: without one the program stops.
    LayoutConstraintMaker& fillContainer();
    // Relations to another view (`and` is a C++ keyword) or to the superview.
    LayoutConstraintMakerWithRelation and_(ui::View& view);
    LayoutConstraintMakerWithRelation container();

    LayoutConstraintMaker& width(double constant);
    LayoutConstraintMaker& minWidth(double constant);
    LayoutConstraintMaker& maxWidth(double constant);
    LayoutConstraintMaker& height(double constant);
    LayoutConstraintMaker& minHeight(double constant);
    LayoutConstraintMaker& maxHeight(double constant);
    // The last constraint made at 250 (low) or 750 (high); nothing when there is none.
    LayoutConstraintMaker& lowPriority();
    LayoutConstraintMaker& highPriority();

private:
    LayoutConstraintMaker& fixed(ui::LayoutAttribute attribute, ui::LayoutRelation relation, double constant);
    ui::View& superviewOrStop() const;

    ui::View* m_subject;
    std::vector<std::shared_ptr<ui::Constraint>> m_constraints;
};

}
