#include "UiFixture.h"

#include "platform/ui/ControlLook.h"
#include "platform/ui/Popover.h"

using namespace ui;

namespace {

using PopoverTest = UiTest;

TEST_F(PopoverTest, AnchorsToTheRectOnThePreferredSideAndClosesOnlyWhenAsked)
{
    auto w = window(400, 300);
    auto anchorView = Swatch::create(gfx::colors::blue, Rect(100, 100, 80, 40));
    anchorView->m_flipped = true;
    w->contentView()->addSubview(anchorView);
    auto popover = Popover::create();
    popover->setContentView(Swatch::create(gfx::colors::green, Rect(0, 0, 120, 60)));
    std::vector<std::string> heard;
    popover->onWillShow = [&] { heard.push_back("will show"); };
    popover->onWillClose = [&] { heard.push_back("will close"); };
    popover->onDidClose = [&] { heard.push_back("did close"); };

    // MaxY of a flipped view is its bottom: the popover hangs below the anchor.
    popover->show(anchorView->bounds(), anchorView.get(), RectEdge::MaxY);
    ASSERT_TRUE(popover->isShown());
    Rect anchorOnScreen(w->convertPointToScreen(anchorView->convertRectTo(anchorView->bounds(), nullptr).origin), Size(80, 40));
    Rect frame = popover->window()->frame();
    EXPECT_TRUE(popover->isShownBelow());
    EXPECT_DOUBLE_EQ(frame.maxY(), anchorOnScreen.minY());
    EXPECT_DOUBLE_EQ(frame.midX(), anchorOnScreen.midX());
    EXPECT_GE(frame.width(), 120);

    backend().click(*w, Point(10, 10));
    EXPECT_TRUE(popover->isShown()) << "clicks elsewhere leave it up";
    popover->close();
    popover->close();
    EXPECT_FALSE(popover->isShown());
    EXPECT_EQ(heard, (std::vector<std::string> { "will show", "will close", "did close" }));

    // An owner that forgets its popover as it closes.
    popover->show(anchorView->bounds(), anchorView.get(), RectEdge::MaxY);
    std::weak_ptr<Popover> watched = popover;
    popover->onWillClose = [&] { popover.reset(); };
    Popover* raw = popover.get();
    raw->close();
    EXPECT_TRUE(watched.expired());
}

TEST_F(PopoverTest, TakesTheOtherSideWhenTheDisplayHasNoRoom)
{
    // A window at the very bottom of the display: no room below its content.
    auto w = Window::create(Rect(100, 0, 200, 60));
    w->makeKeyAndOrderFront();
    auto anchorView = Swatch::create(gfx::colors::blue, Rect(10, 10, 40, 20));
    w->contentView()->addSubview(anchorView);
    auto popover = Popover::create();
    popover->setContentView(Swatch::create(gfx::colors::green, Rect(0, 0, 100, 100)));
    // MinY of an unflipped view is its bottom.
    popover->show(anchorView->bounds(), anchorView.get(), RectEdge::MinY);
    EXPECT_FALSE(popover->isShownBelow());
    EXPECT_GE(popover->window()->frame().minY(), 30);
}

// A display too short for the popover on either side of its anchor (a small or high-density
// one): it opens on the side with more room and stays on the display, its top edge first.
TEST_F(PopoverTest, WhereNeitherSideHasRoomItStaysOnTheDisplayTopFirst)
{
    backend().setScreens({ { Rect(0, 0, 640, 400), Rect(0, 0, 640, 400), "small", 2 } });
    auto w = Window::create(Rect(100, 300, 200, 60), WindowStyle::Borderless);
    w->makeKeyAndOrderFront();
    auto anchorView = Swatch::create(gfx::colors::blue, Rect(10, 10, 40, 20));
    w->contentView()->addSubview(anchorView);
    auto popover = Popover::create();
    popover->setContentView(Swatch::create(gfx::colors::green, Rect(0, 0, 200, 330)));
    // Above is preferred: 70 points of room there, 310 below.
    popover->show(anchorView->bounds(), anchorView.get(), RectEdge::MaxY);
    EXPECT_TRUE(popover->isShownBelow());
    Rect frame = popover->window()->frame();
    EXPECT_LE(frame.maxY(), 400);
    EXPECT_GE(frame.minY(), 0);

    popover->close();
    popover->setContentView(Swatch::create(gfx::colors::green, Rect(0, 0, 200, 500)));
    popover->show(anchorView->bounds(), anchorView.get(), RectEdge::MaxY);
    EXPECT_EQ(popover->window()->frame().maxY(), 400) << "taller than the display: its top edge shows";
}

TEST_F(PopoverTest, ContentDrawsInsideTheChrome)
{
    auto w = window(400, 300);
    auto popover = Popover::create();
    popover->setContentView(Swatch::create(gfx::colors::green, Rect(0, 0, 50, 30)));
    popover->show(Rect(0, 0, 10, 10), w->contentView(), RectEdge::MaxX);
    Window& pw = *popover->window();
    pw.display();
    Rect frame = pw.frame();
    EXPECT_EQ(pw.pixelAt(static_cast<int>(frame.width() / 2 + 4), static_cast<int>(frame.height() / 2)), gfx::colors::green);
}

TEST_F(PopoverTest, ItsCornersAndArrowSideShowTheScreenBehindWhereNothingComposites)
{
    // Openbox alone: a clear pixel of a window would show black.
    backend().setCompositing(false);
    backend().setDesktopColor(gfx::Color::rgb(0, 0, 1));
    auto w = window(400, 300);
    auto anchorView = Swatch::create(gfx::colors::blue, Rect(100, 100, 80, 40));
    anchorView->m_flipped = true;
    w->contentView()->addSubview(anchorView);
    auto popover = Popover::create();
    popover->setDarkLook(true);
    popover->setContentView(Swatch::create(gfx::colors::green, Rect(0, 0, 120, 60)));
    popover->show(anchorView->bounds(), anchorView.get(), RectEdge::MaxY);
    Window& pw = *popover->window();
    pw.display();
    Rect frame = pw.frame();
    // The top left corner (beside the arrow, outside the rounded body) and the bottom corner.
    for (Point p : { Point(1, 1), Point(1, frame.height() - 1) }) {
        gfx::Color seen = pw.pixelAt(p.x, p.y);
        EXPECT_NEAR(seen.blue, 1, 0.01) << p.x << ", " << p.y;
        EXPECT_EQ(seen.alpha, 1);
    }
}

TEST_F(PopoverTest, ATransientOneClosesAtAClickInAnotherWindowButNotInItsOwn)
{
    auto w = window(400, 300);
    auto popover = Popover::create();
    auto content = Swatch::create(gfx::colors::green, Rect(0, 0, 50, 30));
    popover->setContentView(content);
    popover->setTransient(true);
    popover->setDarkLook(true);
    int closed = 0;
    popover->onDidClose = [&] { ++closed; };
    popover->show(Rect(0, 0, 10, 10), w->contentView(), RectEdge::MaxY);
    backend().click(*popover->window(), Point(20, 20));
    EXPECT_TRUE(popover->isShown());
    backend().click(*w, Point(300, 200));
    EXPECT_FALSE(popover->isShown());
    EXPECT_EQ(closed, 1);
    backend().click(*w, Point(300, 200));
    EXPECT_EQ(closed, 1);

    // Its panel is near black, darker than the plain one.
    popover->show(Rect(0, 0, 10, 10), w->contentView(), RectEdge::MaxY);
    Window& pw = *popover->window();
    pw.display();
    EXPECT_LT(pw.pixelAt(4, static_cast<int>(pw.frame().height() / 2)).red, ControlLook::kMenu.red);
    popover->close();
}

}

