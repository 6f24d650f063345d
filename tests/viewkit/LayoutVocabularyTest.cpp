#include "ViewkitFixture.h"

#include "viewkit/CreateScrollView.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/Wall.h"

namespace ostrel::test {

namespace {

using A = ui::LayoutAttribute;

struct Pair {
    std::shared_ptr<Wall> wall = Wall::create();
    std::shared_ptr<ui::View> subject = ui::View::create();
    std::shared_ptr<ui::View> sibling = ui::View::create();
    Pair()
    {
        wall->addSubview(subject);
        wall->addSubview(sibling);
    }
};

}

using LayoutVocabularyTest = ViewkitTest;

TEST_F(LayoutVocabularyTest, PlaceTakesTheCurrentFactorysInsetsWithTheirSigns)
{
    Pair views;
    LayoutConstraintMaker maker(*views.subject);
    maker.container().place(A::Left, A::Left).place(A::Right, A::Right).place(A::Bottom, A::Bottom).place(A::CenterX, A::CenterX);
    auto& made = maker.constraints();
    ASSERT_EQ(made.size(), 4u);
    EXPECT_EQ(made[0]->constant(), 8);
    EXPECT_EQ(made[1]->constant(), -8);
    EXPECT_EQ(made[2]->constant(), -8);
    EXPECT_EQ(made[3]->constant(), 0);
    EXPECT_EQ(made[0]->secondItem(), views.wall.get());
}

TEST_F(LayoutVocabularyTest, FillContainerPinsTopBottomLeftRightInThatOrder)
{
    Pair views;
    LayoutConstraintMaker maker(*views.subject);
    maker.fillContainer();
    std::vector<A> attributes;
    for (auto& constraint : maker.constraints()) {
        attributes.push_back(constraint->firstAttribute());
        EXPECT_EQ(constraint->secondAttribute(), constraint->firstAttribute());
        EXPECT_EQ(constraint->constant(), 0);
    }
    EXPECT_EQ(attributes, (std::vector<A> { A::Top, A::Bottom, A::Left, A::Right }));
}

TEST_F(LayoutVocabularyTest, LowPriorityLowersExactlyTheLastConstraint)
{
    Pair views;
    LayoutConstraintMaker maker(*views.subject);
    maker.lowPriority();
    EXPECT_TRUE(maker.constraints().empty());
    maker.and_(*views.sibling).pin(A::Left, A::Right, 4).place(A::Top, A::Top).lowPriority();
    maker.width(30);
    ASSERT_EQ(maker.constraints().size(), 3u);
    EXPECT_EQ(maker.constraints()[0]->priority(), 1000);
    EXPECT_EQ(maker.constraints()[1]->priority(), 250);
    EXPECT_EQ(maker.constraints()[2]->priority(), 1000);
    EXPECT_EQ(maker.constraints()[0]->secondItem(), views.sibling.get());
    EXPECT_EQ(maker.constraints()[0]->constant(), 4);
    EXPECT_EQ(maker.constraints()[2]->secondItem(), nullptr);
}

TEST_F(LayoutVocabularyTest, RelativeWidthAndDirectionPins)
{
    Pair views;
    LayoutConstraintMaker maker(*views.subject);
    maker.container().width(0.25).pin(SmartLayoutDirectionsType::top, 5);
    maker.minHeight(10).maxWidth(90);
    auto& made = maker.constraints();
    ASSERT_EQ(made.size(), 4u);
    EXPECT_EQ(made[0]->multiplier(), 0.25);
    EXPECT_EQ(made[1]->firstAttribute(), A::Top);
    EXPECT_EQ(made[1]->constant(), 5);
    EXPECT_EQ(made[2]->relation(), ui::LayoutRelation::GreaterThanOrEqual);
    EXPECT_EQ(made[3]->relation(), ui::LayoutRelation::LessThanOrEqual);
}

TEST_F(LayoutVocabularyTest, TheScrollViewLeavesTheDocumentItsOwnHeight)
{
    auto w = window(200, 100);
    auto document = Wall::create();
    LayoutConstraintMaker tall(*document);
    tall.height(400);
    document->addConstraints(tall.constraints());
    auto scroll = createScrollView(document);
    w->contentView()->addSubview(scroll);
    LayoutConstraintMaker maker(*scroll);
    maker.fillContainer();
    w->contentView()->addConstraints(maker.constraints());
    w->layoutIfNeeded();

    EXPECT_TRUE(scroll->contentView()->isFlipped());
    EXPECT_EQ(scroll->documentView(), document.get());
    EXPECT_EQ(document->frame().size, ui::Size(200, 400));
    EXPECT_EQ(scroll->contentView()->constraints().size(), 3u);
    EXPECT_TRUE(scroll->autohidesScrollers());
    EXPECT_FALSE(scroll->drawsBackground());
}

}
