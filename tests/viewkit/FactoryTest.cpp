#include "ViewkitFixture.h"

#include "viewkit/BricksFactory.h"
#include "viewkit/DarkControlSkin.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/ui/Slider.h"

namespace ostrel::test {

namespace {

using A = ui::LayoutAttribute;

// A skin that records when it is applied, to see that the size comes after it.
class RecordingSkin : public GenericControlSkin {
public:
    explicit RecordingSkin(std::vector<std::string>& events)
        : m_events(events)
    {
    }
    std::optional<DrawingStack> normalPushButtonDrawingStack(ui::Button& button) const override
    {
        m_events.push_back(std::string("skin at ") + (button.controlSize() == ui::ControlSize::Small ? "small" : "regular"));
        return GenericControlSkin::normalPushButtonDrawingStack(button);
    }

private:
    std::vector<std::string>& m_events;
};

// An outer wall with an inner wall added through its factory.
struct Nested {
    std::shared_ptr<Wall> outer = Wall::create();
    std::shared_ptr<Wall> inner = outer->factory().wall();
};

}

using FactoryTest = ViewkitTest;

TEST_F(FactoryTest, InsetsAreInheritedFromTheNearestWallAboveAndFinallyTheTopLevel)
{
    Nested walls;
    EXPECT_EQ(walls.inner->factory().internalHorizontalInset(), 8);
    EXPECT_EQ(BricksFactory::topLevel().internalVerticalInset(), 8);
    walls.outer->factory().setHorizontalInset(20);
    EXPECT_EQ(walls.inner->factory().internalHorizontalInset(), 20);
    EXPECT_EQ(walls.inner->factory().internalVerticalInset(), 8);
    walls.inner->factory().setHorizontalInset(3);
    EXPECT_EQ(walls.inner->factory().internalHorizontalInset(), 3);

    EXPECT_EQ(walls.inner->factory().insetFor(A::Right), -3);
    EXPECT_EQ(walls.inner->factory().insetFor(A::Bottom), -8);
    EXPECT_EQ(walls.inner->factory().insetFor(A::CenterX), 0);
}

TEST_F(FactoryTest, SizesAreInheritedAndTheTopLevelIsStandard)
{
    Nested walls;
    EXPECT_EQ(walls.outer->factory().internalGetInheritedBrickSize(), BrickSize::standard);
    walls.outer->factory().setBrickSize(BrickSize::small);
    EXPECT_EQ(walls.inner->factory().internalGetInheritedBrickSize(), BrickSize::small);
    auto button = walls.inner->factory().pushButton("OK", [] { });
    EXPECT_EQ(button->controlSize(), ui::ControlSize::Small);
    EXPECT_EQ(button->font().pointSize, gfx::Font::smallSystemFontSize);
}

TEST_F(FactoryTest, MiniSizesPlainControlsButLeavesBricksStandard)
{
    auto wall = Wall::create();
    wall->factory().setBrickSize(BrickSize::mini);
    auto brick = wall->factory().pushButton("OK", [] { });
    auto slider = ui::Slider::create();
    wall->factory().internalAddBrick(slider);
    EXPECT_EQ(brick->controlSize(), ui::ControlSize::Regular);
    EXPECT_EQ(slider->controlSize(), ui::ControlSize::Mini);
}

TEST_F(FactoryTest, TheSkinIsAppliedBeforeTheSize)
{
    std::vector<std::string> events;
    auto wall = Wall::create();
    wall->factory().setBrickSize(BrickSize::small);
    wall->factory().setControlSkin(std::make_shared<RecordingSkin>(events));
    auto button = wall->factory().pushButton("OK", [] { });
    EXPECT_EQ(events, std::vector<std::string> { "skin at regular" });
    EXPECT_TRUE(button->normalDrawingStack().has_value());
    EXPECT_EQ(button->controlSize(), ui::ControlSize::Small);

    // A pop-up brick keeps the platform look: the skin clears its stacks.
    wall->factory().setControlSkin(std::make_shared<DarkControlSkin>());
    auto popUp = wall->factory().popupButton();
    EXPECT_FALSE(popUp->normalDrawingStack());
}

TEST_F(FactoryTest, TheFactoryKeepsTheLastTwoBricks)
{
    auto wall = Wall::create();
    auto& factory = wall->factory();
    auto first = factory.pushButton("1", [] { });
    auto second = factory.pushButton("2", [] { });
    auto third = factory.pushButton("3", [] { });
    EXPECT_EQ(factory.currentView(), third);
    EXPECT_EQ(factory.previous(), second);
    EXPECT_EQ(third->superview(), wall.get());
}

TEST_F(FactoryTest, CurrentChangesWithEveryNewWallAndEveryAddedBrick)
{
    auto outer = Wall::create();
    outer->factory().setHorizontalInset(20);
    EXPECT_EQ(BricksFactory::current().get(), &outer->factory());

    auto label = outer->factory().label("Heading", [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left);
        // A wall made between two place calls becomes current: the second place reads its
        // insets (inherited from the top level, since it is in no wall yet).
        auto between = Wall::create();
        maker.container().place(A::Right, A::Right);
    });
    ASSERT_EQ(outer->constraints().size(), 2u);
    EXPECT_EQ(outer->constraints()[0]->constant(), 20);
    EXPECT_EQ(outer->constraints()[1]->constant(), -8);
    // Adding the brick made the outer factory current again first.
    outer->factory().pushButton("OK", [] { });
    EXPECT_EQ(BricksFactory::current().get(), &outer->factory());
}

TEST_F(FactoryTest, WithoutATargetNothingIsAddedAndTheClosureDoesNotRun)
{
    auto factory = BricksFactory::create();
    bool ran = false;
    auto button = factory->pushButton("OK", [] { }, [&](LayoutConstraintMaker&) { ran = true; });
    EXPECT_FALSE(ran);
    EXPECT_EQ(button->superview(), nullptr);
    EXPECT_EQ(factory->currentView(), button);
}

TEST_F(FactoryTest, AFactoryNeverKeepsItsWallAlive)
{
    std::weak_ptr<Wall> gone;
    std::shared_ptr<BricksFactory> factory;
    {
        auto wall = Wall::create();
        gone = wall;
        factory = BricksFactory::current();
        wall->factory().pushButton("OK", [] { });
    }
    EXPECT_TRUE(gone.expired());
    EXPECT_EQ(factory->containerView(), nullptr);
    EXPECT_EQ(factory->currentView(), nullptr);
    // Without its wall it still resolves its insets, from the top level.
    EXPECT_EQ(factory->internalHorizontalInset(), 8);
}

}
