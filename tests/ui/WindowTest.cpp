#include "UiFixture.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/KeyCodes.h"
#include "platform/ui/Button.h"
#include "platform/ui/Constraint.h"

#include <cmath>
#include <limits>
#include "platform/ui/ScreenManager.h"

using namespace ui;

namespace {

struct Field : Swatch {
    static std::shared_ptr<Field> create(Rect frame)
    {
        auto f = std::shared_ptr<Field>(new Field(frame));
        f->m_acceptsFirstResponder = true;
        return f;
    }
    using Swatch::Swatch;
    Field(Rect frame) : Swatch(gfx::colors::white, frame) { }
};

struct Delegate : WindowDelegate {
    std::vector<std::string> heard;
    bool mayClose { false };
    void windowDidMove(Window&) override { heard.push_back("move"); }
    void windowDidResize(Window&) override { heard.push_back("resize"); }
    void windowDidBecomeKey(Window&) override { heard.push_back("becomeKey"); }
    void windowDidResignKey(Window&) override { heard.push_back("resignKey"); }
    bool windowShouldClose(Window&) override
    {
        heard.push_back("shouldClose");
        return mayClose;
    }
};

// A view filling the window's content that asks for at least this much of it.
std::shared_ptr<View> columnNeeding(Window& w, LayoutAttribute dimension, double least)
{
    auto column = View::create();
    column->setTranslatesAutoresizingMaskIntoConstraints(false);
    w.contentView()->addSubview(column);
    for (auto attribute : { LayoutAttribute::Left, LayoutAttribute::Right, LayoutAttribute::Top, LayoutAttribute::Bottom })
        w.contentView()->addConstraint(Constraint::create(column.get(), attribute, LayoutRelation::Equal, w.contentView(), attribute, 1, 0));
    column->addConstraint(Constraint::create(column.get(), dimension, LayoutRelation::GreaterThanOrEqual, least));
    return column;
}

void tab(OffscreenBackend& backend, Window& w, std::uint32_t modifiers = 0)
{
    backend.press(w, static_cast<std::uint16_t>(base::KeyCode::Tab), "\t", modifiers);
}

}

using Windows = UiTest;

TEST_F(Windows, KeyViewLoopFollowsReadingOrderAndSkipsHiddenViews)
{
    auto w = window(300, 200);
    // Added out of order: the loop goes by place on screen, top row first.
    auto bottom = Field::create(Rect(10, 10, 50, 20));
    auto topRight = Field::create(Rect(150, 150, 50, 20));
    auto topLeft = Field::create(Rect(10, 150, 50, 20));
    for (auto& f : { bottom, topRight, topLeft })
        w->contentView()->addSubview(f);
    w->recalculateKeyViewLoop();

    tab(backend(), *w);
    EXPECT_EQ(w->firstResponder(), topLeft.get());
    tab(backend(), *w);
    EXPECT_EQ(w->firstResponder(), topRight.get());
    tab(backend(), *w);
    EXPECT_EQ(w->firstResponder(), bottom.get());
    tab(backend(), *w);
    EXPECT_EQ(w->firstResponder(), topLeft.get());
    tab(backend(), *w, ModifierFlag::Shift);
    EXPECT_EQ(w->firstResponder(), bottom.get());

    topRight->setHidden(true);
    tab(backend(), *w);
    tab(backend(), *w);
    EXPECT_EQ(w->firstResponder(), bottom.get());
    // Hiding the first responder hands the keyboard back to the window.
    bottom->setHidden(true);
    EXPECT_EQ(w->firstResponder(), w.get());
}

TEST_F(Windows, KeyAndMainFollowOrderingAndTellTheDelegate)
{
    Delegate d1, d2;
    auto a = window();
    a->setDelegate(&d1);
    auto b = window();
    b->setDelegate(&d2);
    EXPECT_TRUE(b->isKeyWindow());
    a->makeKeyWindow();
    EXPECT_TRUE(a->isKeyWindow());
    EXPECT_TRUE(a->isMainWindow());
    EXPECT_EQ(d1.heard, (std::vector<std::string> { "resignKey", "becomeKey" }));
    EXPECT_EQ(d2.heard, (std::vector<std::string> { "resignKey" }));

    // Borderless covers never take the keyboard.
    auto cover = Window::create(Rect(0, 0, 1440, 900), WindowStyle::Borderless);
    cover->setLevel(WindowLevel::AboveAll);
    cover->orderFrontRegardless();
    cover->makeKeyWindow();
    EXPECT_TRUE(a->isKeyWindow());

    a->orderOut();
    EXPECT_EQ(app().keyWindow(), nullptr);
    EXPECT_EQ(d1.heard.back(), "resignKey");
}

TEST_F(Windows, FramesMoveAndResizeWithDelegateAndMinimumSize)
{
    Delegate d;
    auto w = window(200, 100);
    w->setDelegate(&d);
    w->setMinSize({ 150, 80 });
    w->setFrame(Rect(100, 100, 100, 50));
    EXPECT_EQ(w->frame(), Rect(100, 100, 150, 80));
    EXPECT_EQ(w->contentView()->frame(), Rect(0, 0, 150, 80));
    w->setFrameTopLeftPoint({ 10, 500 });
    EXPECT_EQ(w->frame(), Rect(10, 420, 150, 80));
    EXPECT_EQ(d.heard, (std::vector<std::string> { "resize", "move" }));
}

TEST_F(Windows, AWindowManagersFrameAtTheFirstShowingIsNotTakenForAMove)
{
    // Placed before it shows, as the main window is from the stored place, the window
    // manager puts its frame there and the content a title bar lower: the same place is
    // asked for again, and the stored one stays as it was.
    Delegate d;
    auto w = Window::create(Rect(503, 204, 870, 521));
    w->setDelegate(&d);
    w->orderFront();
    int asked = backend().stateOf(*w)->placement;
    w->platformDidMove({ 504, 184 });
    EXPECT_EQ(w->frame().origin, Point(503, 204)) << "not taken for a move of the user's";
    EXPECT_TRUE(d.heard.empty());
    EXPECT_EQ(backend().stateOf(*w)->frame.origin, Point(503, 204));
    EXPECT_NE(backend().stateOf(*w)->placement, asked) << "asked again";
    w->platformDidMove({ 503, 204 });
    EXPECT_EQ(w->frame().origin, Point(503, 204));

    // Later moves of the user's (a drag of the title bar), small or not, are taken as they come.
    w->platformDidMove({ 504, 184 });
    EXPECT_EQ(w->frame().origin, Point(504, 184));
    EXPECT_EQ(d.heard, std::vector<std::string> { "move" });
    w->orderOut();
    w->orderFront();
    w->platformDidMove({ 600, 204 });
    EXPECT_EQ(w->frame().origin, Point(600, 204));
}

TEST_F(Windows, AWindowShownAgainATitleBarLowerIsPutBackWhereItWas)
{
    // Put away, the window goes back to the display where its content stood; shown again, a
    // window manager frames it there, a title bar lower: a window as tall as the work area
    // lost its bottom row below the screen at each hide and show.
    Delegate d;
    auto w = Window::create(Rect(503, 204, 870, 521));
    w->setDelegate(&d);
    w->orderFront();
    w->platformDidMove({ 504, 184 });
    w->platformDidMove({ 503, 204 });
    w->orderOut();
    // Let go by the window manager, the content is where the frame was: no move of anyone's.
    w->platformDidMove({ 502, 224 });
    EXPECT_EQ(w->frame().origin, Point(503, 204)) << "crept while hidden";
    EXPECT_TRUE(d.heard.empty());
    w->orderFront();
    int asked = backend().stateOf(*w)->placement;
    w->platformDidMove({ 504, 184 });
    EXPECT_EQ(w->frame().origin, Point(503, 204)) << "shown again a title bar lower";
    EXPECT_NE(backend().stateOf(*w)->placement, asked) << "asked again";
    EXPECT_TRUE(d.heard.empty());
    // Once there, a move by the same amount is the user's.
    w->platformDidMove({ 503, 204 });
    w->platformDidMove({ 504, 184 });
    EXPECT_EQ(w->frame().origin, Point(504, 184));
    EXPECT_EQ(d.heard, std::vector<std::string> { "move" });

    // Half a point high, it is told of in whole points, half a point off where it stands:
    // no move either, or its top went a pixel up at two pixels a point.
    w->setFrame(Rect(504, 184.5, 870, 520.5));
    w->orderOut();
    w->orderFront();
    d.heard.clear();
    w->platformDidMove({ 504, 185 });
    EXPECT_EQ(w->frame().origin, Point(504, 184.5));
    EXPECT_TRUE(d.heard.empty());
}

TEST_F(Windows, TheFirstPlacementSurvivesALateReportAndADisplayStillLearningTheFrame)
{
    // On a loaded machine the report of the place asked before the showing arrives after
    // it, and the display, not yet knowing the frame's size, lands the content a title bar
    // lower twice: each time the place is asked for again.
    Delegate d;
    auto w = Window::create(Rect(503, 204, 870, 521));
    w->setDelegate(&d);
    w->orderFront();
    w->platformDidMove({ 503, 204 });
    int asked = backend().stateOf(*w)->placement;
    w->platformDidMove({ 504, 184 });
    EXPECT_NE(backend().stateOf(*w)->placement, asked) << "asked again after the late report";
    asked = backend().stateOf(*w)->placement;
    w->platformDidMove({ 504, 184 });
    EXPECT_NE(backend().stateOf(*w)->placement, asked) << "asked again when off by the same amount";
    EXPECT_EQ(w->frame().origin, Point(503, 204));
    EXPECT_TRUE(d.heard.empty());
    // Off by something else, it is a move.
    w->platformDidMove({ 510, 190 });
    EXPECT_EQ(w->frame().origin, Point(510, 190));
    EXPECT_EQ(d.heard, std::vector<std::string> { "move" });
}

TEST_F(Windows, AResizeByTheDisplayKeepsTheTopEdgeWhereTheDisplayHasIt)
{
    // Maximized by the window manager: the display reports the new place (flipped with the
    // height the window still had) before the new size; the frame ends up on the screen.
    auto w = window(870, 521);
    w->setFrame(Rect(503, 204, 870, 521));
    w->platformDidZoom(true);
    w->platformDidMove({ 0, 900 - 19 - 521 });
    w->platformDidResize({ 1440, 881 });
    EXPECT_EQ(w->frame(), Rect(0, 0, 1440, 881));
    // The other order gives the same frame.
    w->platformDidResize({ 870, 521 });
    EXPECT_EQ(w->frame(), Rect(0, 360, 870, 521));
    w->platformDidMove({ 503, 204 });
    EXPECT_EQ(w->frame(), Rect(503, 204, 870, 521));
}

TEST_F(Windows, TheDisplayCatchingUpWithEarlierRequestsDoesNotUndoTheLatest)
{
    // A drag by the background moves the window at every step; the display reports each
    // step once it got there, after the window has asked for the next: the drag ended where
    // the pointer was let go, not a step short of it.
    Delegate d;
    auto w = window(200, 100);
    // Placed by the window manager when it showed, its frame's offset already corrected.
    w->platformDidMove({ 101, 80 });
    w->platformDidMove({ 100, 100 });
    w->setDelegate(&d);
    for (double x : { 110.0, 120.0, 130.0 })
        w->setFrameOrigin({ x, 100 });
    w->setFrame(Rect(130, 100, 300, 150));
    d.heard.clear();
    w->platformDidMove({ 110, 100 });
    w->platformDidMove({ 120, 100 });
    EXPECT_EQ(w->frame(), Rect(130, 100, 300, 150));
    EXPECT_TRUE(d.heard.empty());
    w->platformDidMove({ 130, 100 });
    w->platformDidResize({ 300, 150 });
    EXPECT_EQ(w->frame(), Rect(130, 100, 300, 150));
    // Anything else is the user's or the window manager's.
    w->platformDidMove({ 120, 100 });
    EXPECT_EQ(w->frame().origin, Point(120, 100));
    EXPECT_EQ(d.heard, std::vector<std::string> { "move" });

    // Resized, then moved at once (a pad opened, then the window back where it was left): the
    // display answers the resize where the window stood, after the move was asked.
    w->setFrame(Rect(120, 100, 280, 150));
    w->setFrameOrigin({ 160, 100 });
    d.heard.clear();
    w->platformDidMove({ 120, 100 });
    EXPECT_EQ(w->frame().origin, Point(160, 100)) << "the place the window left was taken for a move";
    w->platformDidMove({ 160, 100 });
    EXPECT_EQ(w->frame().origin, Point(160, 100));
    EXPECT_TRUE(d.heard.empty());
}

TEST_F(Windows, TheDisplayCannotMakeAWindowSmallerThanItsContentAllows)
{
    // A window manager's border dragged in further than the content's constraints allow:
    // the window keeps the least size they allow, its top edge where it was.
    auto w = Window::create(Rect(100, 100, 600, 200), WindowStyle::Titled | WindowStyle::Resizable);
    w->makeKeyAndOrderFront();
    auto column = columnNeeding(*w, LayoutAttribute::Width, 500);
    w->platformDidResize({ 300, 150 });
    EXPECT_EQ(w->frame(), Rect(100, 150, 500, 150));
    EXPECT_EQ(backend().stateOf(*w)->frame.size, Size(500, 150)) << "the display is asked for it";
    w->layoutIfNeeded();
    EXPECT_EQ(column->frame().width(), 500);
    w->platformDidResize({ 700, 150 });
    EXPECT_EQ(w->frame().size, Size(700, 150));

    // A tile that stays narrower once asked for more (a tiling window manager's): the
    // window takes it, its content scrolling, rather than asking for ever.
    w->platformDidResize({ 450, 150 });
    EXPECT_EQ(w->frame().size, Size(500, 150));
    w->platformDidResize({ 450, 150 });
    EXPECT_EQ(w->frame().size, Size(450, 150));
    EXPECT_EQ(backend().stateOf(*w)->frame.size, Size(500, 150)) << "asked once";
    // Dragged in as far again once the display granted the size asked, the window asks
    // for it again.
    w->platformDidResize({ 450, 150 });
    w->platformDidResize({ 500, 150 });
    w->platformDidResize({ 450, 150 });
    EXPECT_EQ(w->frame().size, Size(500, 150));
}

TEST_F(Windows, AWindowMaximizedByTheWindowManagerIsGivenBackItsSizeWhenTheProgramAsksForOne)
{
    // Maximized from its title bar, then the program shrinks it (a pad closed): the display
    // is asked to end the maximized state, or it would keep the window large around a
    // picture of the smaller size.
    auto w = window(200, 100);
    w->platformDidZoom(true);
    w->platformDidResize({ 1440, 868 });
    EXPECT_TRUE(w->isZoomed());
    EXPECT_TRUE(backend().stateOf(*w)->zoomed);
    w->setFrame(Rect(100, 100, 300, 150));
    EXPECT_FALSE(w->isZoomed());
    EXPECT_FALSE(backend().stateOf(*w)->zoomed);
    EXPECT_EQ(backend().stateOf(*w)->frame.size, Size(300, 150));
    // Zoomed by the window manager and back by it: zoom() then goes back to where it was.
    w->platformDidZoom(true);
    w->platformDidZoom(false);
    EXPECT_FALSE(w->isZoomed());

    // Maximized while shown and given back, the display's word of the size on its way:
    // nothing is asked (a request crossing that word was answered late with the maximized
    // size, and the window grew again).
    Rect left = w->frame();
    w->platformDidZoom(true);
    w->platformDidResize({ 1440, 868 });
    w->platformDidZoom(false);
    EXPECT_EQ(backend().stateOf(*w)->frame.size, Size(1440, 868)) << "asked for a size the display is giving";
    w->platformDidResize(left.size);
    EXPECT_EQ(w->frame().size, left.size);
    // Shown again while maximized, the display knows no other frame to give back.
    w->platformDidZoom(true);
    w->platformDidResize({ 1440, 868 });
    w->orderOut();
    w->orderFront();
    w->platformDidZoom(false);
    EXPECT_EQ(backend().stateOf(*w)->frame.size, left.size) << "left at its maximized size";

    // A resizable one, and what shows now needs more height than it had (another screen
    // shown meanwhile): given back no shorter than that, its top where it was.
    auto r = Window::create(Rect(100, 300, 300, 150), WindowStyle::Titled | WindowStyle::Resizable);
    r->makeKeyAndOrderFront();
    left = r->frame();
    r->platformDidZoom(true);
    r->platformDidResize({ 1440, 868 });
    r->orderOut();
    r->orderFront();
    auto taller = columnNeeding(*r, LayoutAttribute::Height, 260);
    r->platformDidZoom(false);
    EXPECT_EQ(backend().stateOf(*r)->frame.size, Size(left.width(), 260)) << "given back shorter than its content";
    EXPECT_EQ(r->frame().maxY(), left.maxY());
}

// A 1280 × 800 display whose window manager draws a 20-point title bar and 1-point borders
// (5 at the bottom): the program's titled windows stay where the user can reach them.
TEST_F(Windows, ATitledWindowKeepsItsTitleBarAndBottomInsideTheWorkArea)
{
    backend().setScreens({ { Rect(0, 0, 1280, 800), Rect(0, 0, 1280, 800), "small", 1 } });
    backend().setFrameExtents(EdgeInsets { 20, 1, 5, 1 });
    // The window manager has told of the frame of a window already shown.
    (void)window()->decoration();
    // Its top 256 points down, 563 high: its bottom would be off the display.
    auto w = Window::create(Rect(420, 800 - 256 - 563, 840, 563), WindowStyle::Titled | WindowStyle::Resizable);
    w->makeKeyAndOrderFront();
    EXPECT_EQ(w->frame(), Rect(420, 5, 840, 563)) << "moved up as it shows";
    w->setFrame(Rect(420, 568 - 712, 840, 712));
    EXPECT_EQ(w->frame(), Rect(420, 5, 840, 712)) << "moved up as it grows";
    EXPECT_EQ(backend().stateOf(*w)->frame, w->frame());
    w->setFrame(Rect(420, 0, 840, 900));
    EXPECT_EQ(w->frame(), Rect(420, 5, 840, 775)) << "as tall as the work area, its content scrolling";
    w->setFrameTopLeftPoint({ -476, 900 });
    EXPECT_EQ(w->frame(), Rect(1, 5, 840, 775)) << "a place off the top left comes back inside";

    auto fixed = Window::create(Rect(100, 100, 300, 900), WindowStyle::Titled);
    fixed->orderFront();
    EXPECT_EQ(fixed->frame(), Rect(100, -120, 300, 900)) << "one that cannot shrink keeps its title bar";

    // Put away, a window is placed as asked; it comes back within reach.
    w->orderOut();
    w->setFrame(Rect(-476, -300, 840, 400));
    EXPECT_EQ(w->frame(), Rect(-476, -300, 840, 400));
    w->orderFront();
    EXPECT_EQ(w->frame(), Rect(1, 5, 840, 400));

    auto strip = Window::create(Rect(1200, 790, 100, 24), WindowStyle::Borderless);
    strip->orderFront();
    EXPECT_EQ(strip->frame(), Rect(1200, 790, 100, 24)) << "windows without a title bar go where asked";
}

// A window manager that frames a maximized window without borders or handle: a window taken
// out of maximized by the program is sized for the frame it has once it leaves.
TEST_F(Windows, LeavingMaximizedTheWindowIsSizedForItsBordersAgain)
{
    backend().setScreens({ { Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 740), "small", 1 } });
    backend().setFrameExtents(EdgeInsets { 20, 1, 6, 1 });
    auto w = Window::create(Rect(100, 100, 600, 400), WindowStyle::Titled | WindowStyle::Resizable);
    w->makeKeyAndOrderFront();
    EXPECT_EQ(w->decoration(), (EdgeInsets { 20, 1, 6, 1 }));
    backend().setFrameExtents(EdgeInsets { 20, 0, 0, 0 });
    w->platformDidZoom(true);
    w->platformDidResize({ 1024, 720 });
    EXPECT_EQ(w->decoration(), (EdgeInsets { 20, 0, 0, 0 }));

    // Made narrower while the window manager still tells of the maximized frame.
    w->setFrame(Rect(0, 0, 840, 720));
    EXPECT_FALSE(w->isZoomed());
    EXPECT_EQ(w->frame().height(), 740 - 20 - 6) << "its handle would stand below the work area";
    EXPECT_GE(w->frame().minY(), 6);
    // Given the whole work area's width again, without maximizing: its side borders too.
    w->platformDidZoom(true);
    backend().setFrameExtents(EdgeInsets { 20, 0, 0, 0 });
    w->platformDidResize({ 1024, 720 });
    w->setFrame(Rect(0, 0, 1024, 720));
    EXPECT_EQ(w->frame().width(), 1024 - 2) << "its right border would stand past the edge";
    EXPECT_EQ(w->frame().minX(), 1);
    backend().setFrameExtents(EdgeInsets { 20, 1, 6, 1 });
    EXPECT_EQ(w->decoration(), (EdgeInsets { 20, 1, 6, 1 }));
}

// A first placement inside a work area that starts lower tells more than the title bar: put
// away, where the window manager tells of no frame, the window is kept in reach by the title
// bar it told, not shrunk and moved down by that push at every showing.
TEST_F(Windows, PutAwayAWindowKeepsTheTitleBarTheWindowManagerTold)
{
    backend().setScreens({ { Rect(0, 0, 1280, 800), Rect(0, 0, 1280, 772), "small", 1 } });
    auto w = Window::create(Rect(100, 480, 300, 300), WindowStyle::Titled | WindowStyle::Resizable);
    w->orderFront();
    backend().setFrameExtents(EdgeInsets { 20, 1, 5, 1 });
    w->platformDidMove({ 100, 432 });
    EXPECT_EQ(w->decoration(), (EdgeInsets { 20, 1, 5, 1 }));
    w->setFrame(Rect(100, 5, 300, 747));
    EXPECT_EQ(w->frame(), Rect(100, 5, 300, 747));
    w->orderOut();
    backend().setFrameExtents(std::nullopt);
    w->orderFront();
    EXPECT_EQ(w->frame(), Rect(100, 5, 300, 747));
}

// The first showing tells the title bar's height where the window manager has not said it: a
// window asked for at the very top goes that much lower, and so do later ones.
TEST_F(Windows, TheTitleBarLearnedAtTheFirstShowingKeepsWindowsBelowTheTop)
{
    backend().setScreens({ { Rect(0, 0, 1280, 800), Rect(0, 0, 1280, 780), "small", 1 } });
    auto w = Window::create(Rect(100, 480, 300, 300));
    w->orderFront();
    w->platformDidMove({ 101, 460 });
    EXPECT_EQ(w->frame(), Rect(100, 460, 300, 300));
    EXPECT_EQ(backend().stateOf(*w)->frame.origin, Point(100, 460)) << "asked for below the top";
    auto next = Window::create(Rect(500, 480, 200, 300));
    next->orderFront();
    EXPECT_EQ(next->frame(), Rect(500, 460, 200, 300));

    // Where the display cannot hold the content, the work area's height is enough.
    auto tall = Window::create(Rect(100, 0, 600, 400), WindowStyle::Titled | WindowStyle::Resizable);
    tall->makeKeyAndOrderFront();
    columnNeeding(*tall, LayoutAttribute::Height, 1000);
    tall->platformDidResize({ 600, 700 });
    EXPECT_EQ(tall->frame().height(), 780 - 21);
    EXPECT_EQ(backend().stateOf(*tall)->frame.size.height, 780 - 21) << "the display is asked for it";
}

TEST_F(Windows, CloseButtonAsksTheDelegate)
{
    Delegate d;
    auto w = window();
    w->setDelegate(&d);
    w->performClose();
    EXPECT_TRUE(w->isVisible());
    d.mayClose = true;
    w->performClose();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(Windows, ContentMinimumSizeComesFromConstraints)
{
    auto w = window(300, 300);
    auto inner = View::create();
    inner->setTranslatesAutoresizingMaskIntoConstraints(false);
    w->contentView()->addSubview(inner);
    using A = LayoutAttribute;
    auto c = w->contentView();
    c->addConstraint(Constraint::create(inner.get(), A::Left, LayoutRelation::Equal, c, A::Left, 1, 10));
    c->addConstraint(Constraint::create(inner.get(), A::Right, LayoutRelation::Equal, c, A::Right, 1, -10));
    c->addConstraint(Constraint::create(inner.get(), A::Top, LayoutRelation::Equal, c, A::Top, 1, 10));
    c->addConstraint(Constraint::create(inner.get(), A::Bottom, LayoutRelation::Equal, c, A::Bottom, 1, -10));
    inner->addConstraint(Constraint::create(inner.get(), A::Width, LayoutRelation::GreaterThanOrEqual, 440));
    inner->addConstraint(Constraint::create(inner.get(), A::Height, LayoutRelation::GreaterThanOrEqual, 100));
    EXPECT_EQ(w->contentMinSize(), (Size { 460, 120 }));
    w->setMinSize({ 500, 10 });
    EXPECT_EQ(w->contentMinSize(), (Size { 500, 120 }));
}

TEST_F(Windows, ScreensAnswerWhichDisplayHoldsAPoint)
{
    Screen left { Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 868), "left" };
    Screen right { Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1080), "right" };
    backend().setScreens({ left, right });
    EXPECT_FALSE(ScreenManager::isSingleScreen());
    EXPECT_EQ(ScreenManager::screenForMouseLocation({ 100, 100 })->name, "left");
    EXPECT_EQ(ScreenManager::screenForMouseLocation({ 2000, 1000 })->name, "right");
    // The shared edge belongs to the first display listed.
    EXPECT_EQ(ScreenManager::screenForMouseLocation({ 1440, 100 })->name, "left");
    EXPECT_FALSE(ScreenManager::screenForMouseLocation({ 100, 1000 }));

    auto w = window(400, 300);
    w->setFrameOrigin({ 1300, 100 });
    EXPECT_EQ(w->screen()->name, "right");
    backend().setScreens({ left });
    EXPECT_TRUE(ScreenManager::isSingleScreen());
}

TEST_F(Windows, CoversAndDocklessModeReachTheDisplay)
{
    auto cover = Window::create(Rect(0, 0, 1440, 900), WindowStyle::Borderless);
    EXPECT_FALSE(backend().stateOf(*cover));
    cover->setLevel(WindowLevel::AboveAll);
    cover->setShownOnAllDesktops(true);
    cover->setIgnoresMouseEvents(true);
    cover->setAlphaValue(0.25);
    cover->orderFrontRegardless();
    auto state = backend().stateOf(*cover);
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->visible);
    EXPECT_TRUE(state->borderless);
    EXPECT_EQ(state->level, 25);
    EXPECT_TRUE(state->allDesktops);
    EXPECT_TRUE(state->ignoresMouseEvents);
    EXPECT_EQ(state->alpha, 0.25);
    EXPECT_FALSE(state->skipTaskbar);

    app().setActivationPolicy(ActivationPolicy::Accessory);
    EXPECT_TRUE(backend().stateOf(*cover)->skipTaskbar);
    cover->orderOut();
    EXPECT_FALSE(backend().stateOf(*cover)->visible);
}

TEST_F(Windows, GarbledFramesAndConstantsNeverReachTheDrawing)
{
    auto previous = base::setDiagnosticSink([](std::string_view) { });
    double nan = std::nan("");
    auto w = window(200, 100);
    w->setFrame(Rect(nan, 5, nan, 1e12));
    EXPECT_EQ(w->frame(), Rect(100, 100, 200, 100)) << "a frame with a number that is none counts as none";
    w->setFrameOrigin(Point(std::numeric_limits<double>::infinity(), 5));
    w->setFrameTopLeftPoint(Point(5, nan));
    EXPECT_EQ(w->frame(), Rect(100, 100, 200, 100));
    w->setFrame(Rect(100, 5, 200, 1e12));
    EXPECT_EQ(w->frame().size, Size(200, 16384));
    EXPECT_EQ(w->frame().maxY(), Screen::main()->visibleFrame.maxY()) << "its title bar stays on the display";
    w->setFrame(Rect(0, 0, -50, 0));
    EXPECT_EQ(w->frame(), Rect(0, 0, 1, 1));
    w->setMinSize({ nan, std::numeric_limits<double>::infinity() });
    EXPECT_EQ(w->minSize(), (Size { 0, 0 }));

    auto v = View::create(Rect(1, 2, 3, 4));
    w->contentView()->addSubview(v);
    v->setFrame(Rect(nan, 0, 10, 10));
    EXPECT_EQ(v->frame(), Rect(1, 2, 3, 4));
    v->setBoundsOrigin(Point(0, nan));
    EXPECT_EQ(v->bounds(), Rect(0, 0, 3, 4));
    auto c = Constraint::create(v.get(), LayoutAttribute::Width, LayoutRelation::Equal, nan);
    EXPECT_EQ(c->constant(), 0);
    c->setConstant(std::numeric_limits<double>::infinity());
    EXPECT_EQ(c->constant(), 0);
    v->setAlphaValue(0.5);
    v->setAlphaValue(nan);
    EXPECT_EQ(v->alphaValue(), 0.5);
    w->setAlphaValue(nan);
    EXPECT_EQ(w->alphaValue(), 1);
    w->display();
    base::setDiagnosticSink(previous);
}

// A panel's own button may close it and let go of the last reference (a popover's Done, a
// sheet's OK): the window and the view must last until the event is handled.
TEST_F(Windows, AWindowLetGoByItsOwnButtonOutlivesTheEvent)
{
    auto w = window(200, 100);
    auto button = Button::create("Done");
    button->setFrame(Rect(10, 10, 80, 24));
    button->setKeyEquivalent("\r");
    w->contentView()->addSubview(button);
    std::weak_ptr<Window> watched = w;
    button->onAction = [&] {
        w->close();
        button->removeFromSuperview();
        button.reset();
        w.reset();
    };
    Window* raw = w.get();
    backend().click(*raw, Point(20, 100 - 20));
    EXPECT_TRUE(watched.expired());

    w = window(200, 100);
    button = Button::create("Done");
    button->setKeyEquivalent("\r");
    w->contentView()->addSubview(button);
    watched = w;
    raw = w.get();
    button->onAction = [&] {
        w->close();
        w.reset();
    };
    backend().send(Event::key(Event::Type::KeyDown, raw, static_cast<std::uint16_t>(base::KeyCode::Return), "\r"));
    EXPECT_TRUE(watched.expired());
}
