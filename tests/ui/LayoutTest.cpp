#include "platform/base/Diagnostics.h"
#include "platform/ui/Constraint.h"
#include "platform/ui/View.h"

#include <gtest/gtest.h>

using namespace ui;
using A = LayoutAttribute;
using R = LayoutRelation;

namespace {

// A root view of 400 × 300, laid out on its own, and a helper to add a constrained child.
struct Tree {
    std::shared_ptr<View> root = View::create(Rect(0, 0, 400, 300));

    std::shared_ptr<View> child(View* parent = nullptr)
    {
        auto v = View::create();
        v->setTranslatesAutoresizingMaskIntoConstraints(false);
        (parent ? parent : root.get())->addSubview(v);
        return v;
    }

    std::shared_ptr<Constraint> pin(View* a, A aa, View* b, A ba, double c = 0, double priority = 1000,
        R relation = R::Equal)
    {
        auto constraint = Constraint::create(a, aa, relation, b, ba, 1, c);
        constraint->setPriority(priority);
        a->ancestorSharedWith(b)->addConstraint(constraint);
        return constraint;
    }

    std::shared_ptr<Constraint> size(View* v, A attribute, double c, double priority = 1000, R relation = R::Equal)
    {
        auto constraint = Constraint::create(v, attribute, relation, c);
        constraint->setPriority(priority);
        v->addConstraint(constraint);
        return constraint;
    }

    void layout() { root->layoutSubtreeIfNeeded(); }
};

}

TEST(Layout, PinnedEdgesInUnflippedParentCountFromTheBottom)
{
    Tree t;
    auto v = t.child();
    t.pin(v.get(), A::Left, t.root.get(), A::Left, 10);
    t.pin(v.get(), A::Right, t.root.get(), A::Right, -20);
    t.pin(v.get(), A::Top, t.root.get(), A::Top, 30);
    t.size(v.get(), A::Height, 50);
    t.layout();
    // 30 below the top of a 300-high unflipped parent: its bottom sits at 300 - 30 - 50.
    EXPECT_EQ(v->frame(), Rect(10, 220, 370, 50));
}

TEST(Layout, CentringAndMultipliers)
{
    Tree t;
    auto v = t.child();
    t.pin(v.get(), A::CenterX, t.root.get(), A::CenterX);
    t.pin(v.get(), A::CenterY, t.root.get(), A::CenterY);
    t.root->addConstraint(Constraint::create(v.get(), A::Width, R::Equal, t.root.get(), A::Width, 0.5, 0));
    t.size(v.get(), A::Height, 100);
    t.layout();
    EXPECT_EQ(v->frame(), Rect(100, 100, 200, 100));
}

TEST(Layout, FlippedParentCountsFromTheTopAndNestedFramesAreRelative)
{
    struct Flipped : View {
        Flipped() : View({}) { }
        bool isFlipped() const override { return true; }
    };
    Tree t;
    auto outer = std::shared_ptr<View>(new Flipped);
    outer->setTranslatesAutoresizingMaskIntoConstraints(false);
    t.root->addSubview(outer);
    t.pin(outer.get(), A::Left, t.root.get(), A::Left, 50);
    t.pin(outer.get(), A::Top, t.root.get(), A::Top, 50);
    t.size(outer.get(), A::Width, 200);
    t.size(outer.get(), A::Height, 200);
    auto inner = t.child(outer.get());
    t.pin(inner.get(), A::Top, outer.get(), A::Top, 10);
    t.pin(inner.get(), A::Left, outer.get(), A::Left, 5);
    t.size(inner.get(), A::Width, 20);
    t.size(inner.get(), A::Height, 30);
    t.layout();
    EXPECT_EQ(outer->frame(), Rect(50, 50, 200, 200));
    EXPECT_EQ(inner->frame(), Rect(5, 10, 20, 30));
}

TEST(Layout, GreaterOrEqualHoldsAgainstAWeakerWish)
{
    Tree t;
    auto v = t.child();
    t.size(v.get(), A::Width, 200, 1000, R::GreaterThanOrEqual);
    t.size(v.get(), A::Width, 100, 500);
    t.size(v.get(), A::Height, 10);
    t.layout();
    EXPECT_EQ(v->frame().width(), 200);
}

TEST(Layout, LowPriorityConstraintGivesWayAndComesBackWhenFreed)
{
    Tree t;
    auto v = t.child();
    t.size(v.get(), A::Width, 300, 250);
    auto strong = t.size(v.get(), A::Width, 100, 750);
    t.layout();
    EXPECT_EQ(v->frame().width(), 100);

    v->removeConstraint(strong);
    t.layout();
    EXPECT_EQ(v->frame().width(), 300);

    auto again = t.size(v.get(), A::Width, 120, 750);
    t.layout();
    EXPECT_EQ(v->frame().width(), 120);
    again->setConstant(140);
    t.layout();
    EXPECT_EQ(v->frame().width(), 140);
}

TEST(Layout, ConflictingRequiredConstraintsAreLoggedNotFatal)
{
    std::vector<std::string> lines;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
    Tree t;
    auto v = t.child();
    t.size(v.get(), A::Width, 100);
    t.size(v.get(), A::Width, 200);
    t.size(v.get(), A::Height, 10);
    t.layout();
    base::setDiagnosticSink(previous);
    // The first required width stands; the contradicting one is kept as the strongest wish.
    EXPECT_EQ(v->frame().width(), 100);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("conflicts"), std::string::npos);

    // Freed of the first, the demoted one takes over.
    v->removeConstraint(v->constraints().front());
    t.layout();
    EXPECT_EQ(v->frame().width(), 200);
}

TEST(Layout, ARootTooSmallForItsContentLeavesNoTraceOnceLargeEnoughAgain)
{
    // The main window made narrower than its column and pad allow, then wider again: the
    // refused width is forgotten and the pad reaches the new right edge (it stayed as wide
    // as the narrow window had it, the rest of the window left undrawn).
    auto previous = base::setDiagnosticSink([](std::string_view) { });
    Tree t;
    auto column = t.child();
    auto pad = t.child();
    t.pin(column.get(), A::Left, t.root.get(), A::Left);
    t.size(column.get(), A::Width, 440);
    t.pin(pad.get(), A::Left, column.get(), A::Right);
    t.pin(pad.get(), A::Right, t.root.get(), A::Right);
    t.size(pad.get(), A::Width, 400, 1000, R::GreaterThanOrEqual);
    for (auto* v : { column.get(), pad.get() }) {
        t.pin(v, A::Top, t.root.get(), A::Top);
        t.pin(v, A::Bottom, t.root.get(), A::Bottom);
    }
    for (double width : { 1000.0, 700.0, 1000.0, 870.0 }) {
        t.root->setFrame(Rect(0, 0, width, 300));
        t.layout();
    }
    base::setDiagnosticSink(previous);
    EXPECT_EQ(pad->frame(), Rect(440, 0, 430, 300));
    EXPECT_EQ(column->frame(), Rect(0, 0, 440, 300));
}

TEST(Layout, IntrinsicSizeHugsAndResistsByPriority)
{
    Tree t;
    auto label = t.child();
    label->setIntrinsicContentSize({ 80, 20 });
    t.pin(label.get(), A::Left, t.root.get(), A::Left, 0);
    t.pin(label.get(), A::Top, t.root.get(), A::Top, 0);
    // A wish to be wider than the text, below the hugging priority: the label hugs.
    t.size(label.get(), A::Width, 150, 200);
    t.layout();
    EXPECT_EQ(label->frame().size, (Size { 80, 20 }));

    // Above the hugging priority, the label stretches.
    label->setContentHuggingPriority(100, Orientation::Horizontal);
    t.layout();
    EXPECT_EQ(label->frame().width(), 150);

    // A required squeeze beats compression resistance.
    t.size(label.get(), A::Width, 50, 1000, R::LessThanOrEqual);
    t.layout();
    EXPECT_EQ(label->frame().width(), 50);
}

TEST(Layout, FittingSizeIsTheSmallestTheContentAllows)
{
    auto box = View::create();
    Tree t;
    auto a = t.child(box.get());
    a->setIntrinsicContentSize({ 60, 20 });
    auto b = t.child(box.get());
    b->setIntrinsicContentSize({ 40, 30 });
    t.pin(a.get(), A::Left, box.get(), A::Left, 8);
    t.pin(b.get(), A::Left, a.get(), A::Right, 4);
    t.pin(b.get(), A::Right, box.get(), A::Right, -8);
    t.pin(a.get(), A::Top, box.get(), A::Top, 8);
    t.pin(b.get(), A::Top, box.get(), A::Top, 8);
    t.pin(b.get(), A::Bottom, box.get(), A::Bottom, -8, 1000, R::LessThanOrEqual);
    t.pin(a.get(), A::Bottom, box.get(), A::Bottom, -8, 1000, R::LessThanOrEqual);
    EXPECT_EQ(box->fittingSize(), (Size { 120, 46 }));
}

TEST(Layout, RemovingAViewDropsTheConstraintsThatReferToIt)
{
    Tree t;
    auto a = t.child();
    auto b = t.child();
    t.pin(b.get(), A::Left, a.get(), A::Right, 10);
    ASSERT_EQ(t.root->constraints().size(), 1u);
    a->removeFromSuperview();
    EXPECT_TRUE(t.root->constraints().empty());
    t.layout();
}

TEST(Layout, BaselinesAlignByOffsetFromTop)
{
    struct Text : View {
        explicit Text(double baseline) : View({}), m_baseline(baseline) { }
        std::optional<double> firstBaselineOffsetFromTop() const override { return m_baseline; }
        double m_baseline;
    };
    Tree t;
    auto big = std::shared_ptr<View>(new Text(30));
    auto small = std::shared_ptr<View>(new Text(12));
    for (auto& v : { big, small }) {
        v->setTranslatesAutoresizingMaskIntoConstraints(false);
        t.root->addSubview(v);
        t.size(v.get(), A::Width, 10);
        t.size(v.get(), A::Height, 40);
    }
    t.pin(big.get(), A::Top, t.root.get(), A::Top, 0);
    t.pin(small.get(), A::FirstBaseline, big.get(), A::FirstBaseline, 0);
    t.layout();
    // Top of the small one: 30 - 12 below the root's top.
    EXPECT_EQ(small->frame().maxY(), 300 - 18);
}

TEST(Layout, ActivationInstallsOnTheNearestCommonAncestor)
{
    Tree t;
    auto group = t.child();
    auto a = t.child(group.get());
    auto b = t.child(group.get());
    auto outside = t.child();
    auto between = Constraint::create(a.get(), A::Left, R::Equal, b.get(), A::Right, 1, 8);
    between->setActive(true);
    EXPECT_EQ(between->installedOn(), group.get());
    auto across = Constraint::create(a.get(), A::Top, R::Equal, outside.get(), A::Top, 1, 0);
    across->setActive(true);
    EXPECT_EQ(across->installedOn(), t.root.get());
    Constraint::deactivate({ between, across });
    EXPECT_FALSE(between->isActive());
    EXPECT_TRUE(group->constraints().empty());

    // A view of another tree shares no ancestor: the constraint stays off.
    auto stranger = View::create();
    auto lost = Constraint::create(a.get(), A::Left, R::Equal, stranger.get(), A::Left, 1, 0);
    lost->setActive(true);
    EXPECT_FALSE(lost->isActive());
}
