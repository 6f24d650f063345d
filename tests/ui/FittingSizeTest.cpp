#include "UiFixture.h"

#include "platform/ui/Constraint.h"
#include "platform/ui/StackView.h"

#include <tuple>

using namespace ui;

namespace {

// A view that counts how often the constraints below it are gathered for solving.
class Counted : public View {
public:
    static std::shared_ptr<Counted> create() { return std::shared_ptr<Counted>(new Counted); }
    void updateConstraints() override { ++solves; }
    int solves { 0 };

private:
    Counted()
        : View({})
    {
        setTranslatesAutoresizingMaskIntoConstraints(false);
    }
};

std::shared_ptr<View> sized(double width, double height)
{
    auto view = View::create();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    view->setIntrinsicContentSize({ width, height });
    return view;
}

// A box holding a child pinned inside it with a margin.
struct Box {
    std::shared_ptr<Counted> box = Counted::create();
    std::shared_ptr<View> child = sized(40, 20);
    std::shared_ptr<Constraint> margin;

    Box()
    {
        box->addSubview(child);
        margin = Constraint::create(child.get(), LayoutAttribute::Left, LayoutRelation::Equal, box.get(), LayoutAttribute::Left, 1, 10);
        box->addConstraint(margin);
        for (auto [a, b, constant] : { std::tuple { LayoutAttribute::Right, LayoutAttribute::Right, -10.0 },
                 std::tuple { LayoutAttribute::Top, LayoutAttribute::Top, 5.0 },
                 std::tuple { LayoutAttribute::Bottom, LayoutAttribute::Bottom, -5.0 } })
            box->addConstraint(Constraint::create(child.get(), a, LayoutRelation::Equal, box.get(), b, 1, constant));
    }
};

using FittingSizes = UiTest;

TEST_F(FittingSizes, AreSolvedOnceUntilSomethingInsideChanges)
{
    Box b;
    EXPECT_EQ(b.box->fittingSize(), Size(60, 30));
    int solves = b.box->solves;
    EXPECT_EQ(b.box->fittingSize(), Size(60, 30));
    EXPECT_EQ(b.box->solves, solves) << "nothing changed, nothing solved";

    b.margin->setConstant(20);
    EXPECT_EQ(b.box->fittingSize(), Size(70, 30));
    b.child->setIntrinsicContentSize({ 50, 40 });
    EXPECT_EQ(b.box->fittingSize(), Size(80, 50));

    auto inner = sized(5, 100);
    b.child->addSubview(inner);
    b.child->addConstraint(Constraint::create(inner.get(), LayoutAttribute::Top, LayoutRelation::Equal, b.child.get(),
        LayoutAttribute::Top, 1, 0));
    b.child->addConstraint(Constraint::create(b.child.get(), LayoutAttribute::Bottom, LayoutRelation::GreaterThanOrEqual,
        inner.get(), LayoutAttribute::Bottom, 1, 0));
    EXPECT_EQ(b.box->fittingSize(), Size(80, 110)) << "a view added deep inside counts";
    inner->setIntrinsicContentSize({ 5, 60 });
    EXPECT_EQ(b.box->fittingSize(), Size(80, 70)) << "and so does its size, two levels down";
    inner->removeFromSuperview();
    EXPECT_EQ(b.box->fittingSize(), Size(80, 50));
}

TEST_F(FittingSizes, AViewsOwnFrameIsNotSolvedAgainButAFramedSubviewsIs)
{
    // As a window's content: placed by its frame inside a holder.
    Box b;
    auto holder = View::create();
    b.box->setTranslatesAutoresizingMaskIntoConstraints(true);
    holder->addSubview(b.box);
    holder->addConstraint(Constraint::create(
        holder.get(), LayoutAttribute::Right, LayoutRelation::GreaterThanOrEqual, b.box.get(), LayoutAttribute::Right, 1, 0));
    EXPECT_EQ(b.box->fittingSize(), Size(60, 30));
    int solves = b.box->solves;
    b.box->setFrame(Rect(0, 0, 300, 200));
    b.box->setFrameWithoutLayout(Rect(10, 0, 320, 210));
    EXPECT_EQ(b.box->fittingSize(), Size(60, 30));
    EXPECT_EQ(b.box->solves, solves) << "resized and moved, the box holds what it held";

    // The box's frame is part of what the holder holds: solved anew after each.
    EXPECT_EQ(holder->fittingSize().width, 330);
    b.box->setFrame(Rect(0, 0, 100, 50));
    EXPECT_EQ(holder->fittingSize().width, 100);
    b.box->setFrameWithoutLayout(Rect(5, 5, 100, 50));
    EXPECT_EQ(holder->fittingSize().width, 105);
}

TEST_F(FittingSizes, AStackSeesAViewHiddenOrShownInside)
{
    auto stack = StackView::create(Orientation::Vertical);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    stack->setSpacing(0);
    auto first = sized(30, 10);
    auto second = sized(30, 15);
    stack->addArrangedSubview(first);
    stack->addArrangedSubview(second);
    EXPECT_EQ(stack->fittingSize().height, 25);
    second->setHidden(true);
    EXPECT_EQ(stack->fittingSize().height, 10);
    second->setHidden(false);
    EXPECT_EQ(stack->fittingSize().height, 25);
}

}
