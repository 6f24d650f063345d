#include "ViewkitFixture.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/TabWall.h"
#include "viewkit/Wall.h"
#include "viewkit/WallWithInstrinsicSize.h"
#include "viewkit/WallWithSpecialEffectsView.h"

#include <any>

namespace ostrel::test {

namespace {

using A = ui::LayoutAttribute;

// A wall filling a window's content, laid out and drawn.
class WallTest : public ViewkitTest {
protected:
    std::shared_ptr<Wall> placedWall(double width = 100, double height = 50)
    {
        m_window = window(width, height);
        auto wall = Wall::create();
        m_window->contentView()->addSubview(wall);
        LayoutConstraintMaker maker(*wall);
        maker.fillContainer();
        m_window->contentView()->addConstraints(maker.constraints());
        return wall;
    }
    // The pixel at x, y counted from the bottom left, as the wall's own coordinates run.
    gfx::Color at(int x, int y)
    {
        m_window->display();
        return m_window->pixelAt(x, static_cast<int>(m_window->frame().height()) - 1 - y);
    }
    std::shared_ptr<ui::Window> m_window;
};

const gfx::Color kBlack = gfx::colors::black;

}

TEST_F(WallTest, AWallWithNothingSetDrawsNothingOfItsOwn)
{
    auto wall = placedWall();
    m_window->setBackgroundColor(gfx::colors::blue);
    EXPECT_EQ(at(50, 25), gfx::colors::blue);
    EXPECT_EQ(at(0, 0), gfx::colors::blue);
}

TEST_F(WallTest, TheDrawingStackHidesColourAndClosureWhichHidesColour)
{
    auto wall = placedWall();
    wall->setBackgroundColor(gfx::colors::red);
    EXPECT_EQ(at(50, 25), gfx::colors::red);

    int closureCalls = 0;
    wall->backgroundDrawingFunc = [&](const ui::Rect& rect) {
        ++closureCalls;
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.setFillColor(gfx::colors::green);
        context.fillRect(rect);
    };
    EXPECT_EQ(at(50, 25), gfx::colors::green);

    DrawingOperation fill;
    fill.function = [](const gfx::Rect& rect, const std::vector<DrawingAsset>&, const DrawingPalette& palette) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.setFillColor(palette.as<DrawingPalette::BackgroundColor>()->color);
        context.fillRect(rect);
    };
    fill.frameAdjuster = DrawingOperation::unchangedFrame;
    fill.palette = DrawingPalette::backgroundColor(gfx::colors::yellow);
    wall->setDrawingStack(DrawingStack { { fill } });
    closureCalls = 0;
    EXPECT_EQ(at(50, 25), gfx::colors::yellow);
    EXPECT_EQ(closureCalls, 0);
}

TEST_F(WallTest, BordersLeaveTheCornersToTheTopAndBottomRows)
{
    auto wall = placedWall(100, 50);
    m_window->setBackgroundColor(gfx::colors::white);
    wall->setBorderColor(kBlack);
    wall->setDrawRightBorder(true);
    // The right column alone runs the full height.
    EXPECT_EQ(at(99, 0), kBlack);
    EXPECT_EQ(at(99, 49), kBlack);
    EXPECT_EQ(at(98, 25), gfx::colors::white);
    EXPECT_EQ(at(0, 25), gfx::colors::white);

    // With the top row it is one point shorter, and the row spans the full width.
    wall->setBorderColor(gfx::colors::red);
    wall->setDrawTopBorder(true);
    EXPECT_EQ(at(0, 49), gfx::colors::red);
    EXPECT_EQ(at(99, 49), gfx::colors::red);
    EXPECT_EQ(at(99, 0), gfx::colors::red);

    // All four: the side columns run from y + 1 with height h - 2.
    wall->setDrawLeftBorder(true);
    wall->setDrawBottomBorder(true);
    EXPECT_EQ(at(0, 0), gfx::colors::red);
    EXPECT_EQ(at(50, 0), gfx::colors::red);
    EXPECT_EQ(at(0, 25), gfx::colors::red);
    EXPECT_EQ(at(50, 25), gfx::colors::white);
}

TEST_F(WallTest, SettingTheBackgroundColourMarksTheWholeWall)
{
    auto wall = placedWall();
    m_window->display();
    EXPECT_TRUE(wall->dirtyRect().isEmpty());
    wall->setBackgroundColor(gfx::colors::red);
    EXPECT_EQ(wall->dirtyRect(), wall->bounds());
}

TEST_F(WallTest, SplitMakesRelativeHalvesAndAnAbsoluteColumn)
{
    auto wall = placedWall(400, 100);
    auto [left, right] = wall->split(SplittingSize::relative, 0.5, SplitDirection::left);
    m_window->layoutIfNeeded();
    EXPECT_EQ(left->frame(), ui::Rect(0, 0, 200, 100));
    EXPECT_EQ(right->frame(), ui::Rect(200, 0, 200, 100));

    auto [first, sized] = right->split(SplittingSize::absolute, 150, SplitDirection::right);
    m_window->layoutIfNeeded();
    EXPECT_EQ(sized->frame(), ui::Rect(50, 0, 150, 100));
    EXPECT_EQ(first->frame(), ui::Rect(0, 0, 50, 100));
    // Every constraint of a split goes to the splitting wall, the sized child's first.
    ASSERT_EQ(right->constraints().size(), 8u);
    EXPECT_EQ(right->constraints().front()->firstItem(), sized.get());
    EXPECT_EQ(right->constraints().front()->firstAttribute(), A::Width);
}

TEST_F(WallTest, ACentredWallInsideIsPinnedToTopBottomAndCentre)
{
    auto wall = placedWall(300, 80);
    auto centred = wall->createCenteredWallInside();
    LayoutConstraintMaker maker(*centred);
    maker.width(100);
    centred->addConstraints(maker.constraints());
    m_window->layoutIfNeeded();
    EXPECT_EQ(centred->frame(), ui::Rect(100, 0, 100, 80));
    EXPECT_EQ(centred->superview(), wall.get());
}

TEST_F(WallTest, EffectWallsTakeTheirBricksIntoTheEffectView)
{
    auto wall = WallWithSpecialEffectsView::create();
    auto button = wall->factory().pushButton("Go", [] { }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Left, A::Left); });
    EXPECT_EQ(button->superview(), wall->effectView().get());
    ASSERT_FALSE(wall->effectView()->constraints().empty());
    EXPECT_EQ(wall->effectView()->constraints().back()->firstItem(), button.get());
    EXPECT_EQ(wall->effectView()->material(), ui::EffectView::Material::Dark);
    EXPECT_EQ(wall->effectView()->appearance(), "vibrantDark");
}

TEST_F(WallTest, TabWallPagesAreNumberedAndFilledByTheirWalls)
{
    auto tabs = TabWall::create();
    auto first = tabs->createNewWall();
    auto second = tabs->createNewWall();
    ASSERT_EQ(tabs->numberOfItems(), 2u);
    EXPECT_EQ(std::any_cast<int>(tabs->items()[0]->identifier()), 0);
    EXPECT_EQ(std::any_cast<int>(tabs->items()[1]->identifier()), 1);
    EXPECT_EQ(tabs->contentWallToTabViewItemDict().at(second.get()), tabs->items()[1]);
    EXPECT_EQ(first->superview(), tabs->items()[0]->view());
    EXPECT_EQ(tabs->items()[0]->view()->constraints().size(), 4u);
}

TEST_F(WallTest, AWallWithIntrinsicSizeReportsItsFrameSize)
{
    auto wall = WallWithInstrinsicSize::create(ui::Rect(0, 0, 120, 30));
    EXPECT_EQ(wall->intrinsicContentSize(), ui::Size(120, 30));
    EXPECT_FALSE(wall->translatesAutoresizingMaskIntoConstraints());
}

TEST_F(WallTest, TheBagRunsWhenTheWallGoes)
{
    int ran = 0;
    {
        auto wall = Wall::create();
        wall->endOfLifeBag().add([&] { ++ran; });
    }
    EXPECT_EQ(ran, 1);
}

}
