#include "UiFixture.h"

#include "platform/gfx/Bitmap.h"
#include "platform/ui/Beep.h"

#include <cairo.h>

using namespace ui;

namespace {

// What windows ask of the desktop around them: zoom, moving by the background, the
// keyboard, covers over every display, the bell.
using WindowDesktop = UiTest;

TEST_F(WindowDesktop, ZoomFillsTheVisibleFrameAndComesBack)
{
    auto w = window(300, 200);
    w->setStyleMask(WindowStyle::Titled | WindowStyle::Resizable);
    w->zoom();
    EXPECT_TRUE(w->isZoomed());
    EXPECT_EQ(w->frame(), backend().screens().front().visibleFrame);
    EXPECT_TRUE(backend().stateOf(*w)->zoomed);
    EXPECT_FALSE(backend().stateOf(*w)->borderless) << "a zoomed window keeps its title bar";
    w->zoom();
    EXPECT_FALSE(w->isZoomed());
    EXPECT_EQ(w->frame(), Rect(100, 100, 300, 200));
    EXPECT_FALSE(backend().stateOf(*w)->zoomed);

    // Any other frame ends the zoom: the next zoom fills the display again.
    w->zoom();
    w->setFrame(Rect(50, 50, 400, 300));
    EXPECT_FALSE(w->isZoomed());
    w->zoom();
    EXPECT_TRUE(w->isZoomed());
    w->zoom();
    EXPECT_EQ(w->frame(), Rect(50, 50, 400, 300));

    // A press on a movable background, that goes nowhere or further, moves no zoomed window:
    // the window manager keeps it there.
    w->setMovableByWindowBackground(true);
    auto background = Swatch::create(gfx::colors::gray, Rect(0, 0, 400, 300));
    background->setMouseDownCanMoveWindow(true);
    w->contentView()->addSubview(background);
    w->zoom();
    Rect zoomed = w->frame();
    for (Point to : { Point(20, 20), Point(220, 120) }) {
        backend().drag(*w, Point(20, 20), to);
        EXPECT_TRUE(w->isZoomed());
        EXPECT_TRUE(backend().stateOf(*w)->zoomed);
        EXPECT_EQ(w->frame(), zoomed);
    }
    EXPECT_EQ(background->clicks, 0) << "a press on the background is the window's";
}

TEST_F(WindowDesktop, DraggingTheBackgroundMovesTheWindowButNotOtherViews)
{
    auto w = window(300, 200);
    auto background = Swatch::create(gfx::colors::gray, Rect(0, 0, 300, 200));
    background->setMouseDownCanMoveWindow(true);
    auto button = Swatch::create(gfx::colors::red, Rect(200, 150, 50, 30));
    w->contentView()->addSubview(background);
    w->contentView()->addSubview(button);

    backend().drag(*w, Point(20, 20), Point(70, 0));
    EXPECT_EQ(w->frame().origin, Point(100, 100)) << "only a window movable by its background moves";
    EXPECT_EQ(background->clicks, 1);

    w->setMovableByWindowBackground(true);
    backend().drag(*w, Point(20, 20), Point(70, 0));
    EXPECT_EQ(w->frame().origin, Point(150, 120)) << "right by 50, up by 20";
    EXPECT_EQ(background->clicks, 1) << "the background's press moved the window instead";
    EXPECT_FALSE(backend().stateOf(*w)->borderless);

    // A press on a view that is no background is that view's.
    backend().drag(*w, Point(210, 25), Point(260, 5));
    EXPECT_EQ(w->frame().origin, Point(150, 120));
    EXPECT_EQ(button->clicks, 1);

    // A press a monitor took (one closing a menu) takes its drag and release with it.
    auto reached = [&] { return button->dragsAndReleases + background->dragsAndReleases; };
    int before = reached();
    EXPECT_GT(before, 0);
    auto taken = app().addLocalMonitor(EventMask::LeftMouseDown, [](const Event&) { return std::optional<Event> {}; });
    backend().drag(*w, Point(210, 25), Point(260, 5));
    app().removeMonitor(taken);
    EXPECT_EQ(std::pair(button->clicks, reached()), std::pair(1, before));
}

TEST_F(WindowDesktop, ADragByTheBackgroundCountsFromWhereTheButtonWentDown)
{
    // A busy program reads the press when the pointer has already moved on: the window still
    // moves by as much as the pointer did from the press, and ends where it was let go.
    auto w = window(300, 200);
    w->setMovableByWindowBackground(true);
    auto background = Swatch::create(gfx::colors::gray, Rect(0, 0, 300, 200));
    background->setMouseDownCanMoveWindow(true);
    w->contentView()->addSubview(background);
    Point press(20, 180);
    Point pressOnScreen = w->convertPointToScreen(press);
    backend().setMouseLocation({ pressOnScreen.x + 10, pressOnScreen.y - 8 });
    app().sendEvent(Event::mouse(Event::Type::LeftMouseDown, w.get(), press));
    backend().setMouseLocation({ pressOnScreen.x + 60, pressOnScreen.y - 48 });
    app().sendEvent(Event::mouse(Event::Type::LeftMouseUp, w.get(), press));
    EXPECT_EQ(w->frame().origin, Point(160, 52));
}

TEST_F(WindowDesktop, ResignKeyObserversLastAsLongAsTheirTokens)
{
    auto w = window(100, 100);
    std::vector<std::string> heard;
    auto first = w->addResignKeyObserver([&](Window&) { heard.push_back("first"); });
    ObserverToken second;
    second = w->addResignKeyObserver([&](Window&) {
        heard.push_back("second");
        // Letting go of itself while being told is safe.
        second.reset();
    });
    auto other = window(100, 100);
    EXPECT_EQ(heard, (std::vector<std::string> { "first", "second" }));
    w->makeKeyWindow();
    first.reset();
    other->makeKeyWindow();
    EXPECT_EQ(heard.size(), 2u) << "no observer is told after its token went";

    // A token may outlive its window.
    auto late = w->addResignKeyObserver([](Window&) { });
    w.reset();
    late.reset();
}

TEST_F(WindowDesktop, WindowsThatMayNotBeKeyNeverAskForTheKeyboard)
{
    auto w = window(100, 100);
    int asked = backend().focusRequests();
    app().setInputTime(4242);
    w->makeKeyWindow();
    auto other = window(100, 100);
    EXPECT_EQ(backend().focusRequests(), asked + 2);
    EXPECT_EQ(backend().lastFocusTime(), 4242u) << "asked as of the input that led to it";

    auto cover = Window::create(Rect(0, 0, 1440, 900), WindowStyle::Borderless);
    cover->setCanBecomeKeyWindow(false);
    cover->makeKeyAndOrderFront();
    EXPECT_FALSE(cover->isKeyWindow());
    EXPECT_TRUE(other->isKeyWindow());
    EXPECT_FALSE(backend().stateOf(*cover)->takesFocus);
    backend().click(*cover, Point(10, 10));
    EXPECT_TRUE(other->isKeyWindow()) << "a click does not make it key either";
    EXPECT_EQ(backend().focusRequests(), asked + 2);

    // A key window told it may not be key stops being key.
    other->setCanBecomeKeyWindow(false);
    EXPECT_FALSE(other->isKeyWindow());
}

TEST_F(WindowDesktop, CoversBlendOverAPictureOfTheScreenWhereNothingComposites)
{
    backend().setCompositing(false);
    backend().setDesktopColor(gfx::Color::rgb(0, 0, 1));
    auto cover = Window::create(Rect(0, 0, 200, 100), WindowStyle::Borderless);
    cover->setBackgroundColor(gfx::colors::black);
    cover->setBlendsOverScreen(true);
    cover->setAlphaValue(0.25);
    cover->orderFrontRegardless();
    gfx::Color seen = cover->pixelAt(50, 50);
    EXPECT_NEAR(seen.blue, 0.75, 0.01) << "a quarter black over the blue screen";
    EXPECT_EQ(seen.alpha, 1);
    EXPECT_EQ(backend().stateOf(*cover)->alpha, 1) << "the alpha is in the pixels";
    cover->setAlphaValue(0.5);
    EXPECT_NEAR(cover->pixelAt(50, 50).blue, 0.5, 0.01);

    // Under a compositor the display does the blending.
    cover->orderOut();
    backend().setCompositing(true);
    cover->orderFrontRegardless();
    EXPECT_EQ(cover->pixelAt(50, 50), gfx::colors::black);
    EXPECT_EQ(backend().stateOf(*cover)->alpha, 0.5);
}

namespace {

// A swatch that marks its own changes, so that a window may draw it again alone.
class MarkedSwatch final : public Swatch {
public:
    static std::shared_ptr<MarkedSwatch> create(gfx::Color color, Rect frame)
    {
        return std::shared_ptr<MarkedSwatch>(new MarkedSwatch(color, frame));
    }
    bool marksItsOwnChanges() const override { return true; }

private:
    MarkedSwatch(gfx::Color color, Rect frame)
        : Swatch(color, frame)
    {
    }
};

}

// A cover over a screen that does not composite draws itself over a picture of that screen
// while it fades in; once opaque it hides the screen wholly, and a change inside it is drawn
// alone again, where each one drew the whole display-sized picture and blended it anew.
TEST_F(WindowDesktop, AFadedInCoverDrawsAChangeAloneAgain)
{
    backend().setCompositing(false);
    backend().setDesktopColor(gfx::Color::rgb(0, 0, 1));
    auto cover = Window::create(Rect(0, 0, 200, 100), WindowStyle::Borderless);
    cover->setBackgroundColor(gfx::colors::black);
    cover->setBlendsOverScreen(true);
    auto swatch = MarkedSwatch::create(gfx::colors::red, Rect(10, 10, 20, 20));
    cover->contentView()->addSubview(swatch);
    cover->setAlphaValue(0.5);
    cover->orderFrontRegardless();
    auto markCorner = [&] {
        cairo_t* cr = cairo_create(cover->surface());
        cairo_set_source_rgb(cr, 0, 1, 0);
        cairo_rectangle(cr, 180, 0, 4, 4);
        cairo_fill(cr);
        cairo_destroy(cr);
    };
    auto cornerMarked = [&] { return cover->pixelAt(181, 1) == gfx::Color::rgb(0, 1, 0); };

    markCorner();
    swatch->setNeedsDisplay();
    cover->display();
    EXPECT_FALSE(cornerMarked()) << "half see-through: blended whole";
    EXPECT_NEAR(cover->pixelAt(181, 1).blue, 0.5, 0.01);

    cover->setAlphaValue(1);
    swatch->setNeedsDisplay();
    cover->display();
    EXPECT_EQ(cover->pixelAt(181, 1), gfx::colors::black) << "the first opaque drawing leaves nothing of the blend";
    markCorner();
    swatch->setNeedsDisplay();
    cover->display();
    EXPECT_TRUE(cornerMarked()) << "only the swatch was drawn again";
    EXPECT_EQ(cover->pixelAt(15, 75), gfx::colors::red);

    cover->setAlphaValue(0.5);
    cover->display();
    EXPECT_FALSE(cornerMarked()) << "fading out blends whole again";
}

// Changes in opposite corners are drawn again as two parts, not as the rectangle around
// them: a ring's thin band was drawn and sent as its whole square.
TEST_F(WindowDesktop, ChangesFarApartAreDrawnAsPartsOfTheirOwn)
{
    auto cover = Window::create(Rect(0, 0, 200, 100), WindowStyle::Borderless);
    cover->setBackgroundColor(gfx::colors::black);
    auto low = MarkedSwatch::create(gfx::colors::red, Rect(0, 0, 20, 20));
    auto high = MarkedSwatch::create(gfx::colors::blue, Rect(180, 80, 20, 20));
    cover->contentView()->addSubview(low);
    cover->contentView()->addSubview(high);
    cover->orderFrontRegardless();
    cover->display();
    cairo_t* cr = cairo_create(cover->surface());
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_rectangle(cr, 98, 48, 4, 4);
    cairo_fill(cr);
    cairo_destroy(cr);

    low->setColor(gfx::colors::white);
    high->setColor(gfx::colors::white);
    low->setNeedsDisplay();
    high->setNeedsDisplay();
    cover->display();
    EXPECT_EQ(cover->pixelAt(5, 95), gfx::colors::white);
    EXPECT_EQ(cover->pixelAt(195, 5), gfx::colors::white);
    EXPECT_EQ(cover->pixelAt(99, 49), gfx::Color::rgb(0, 1, 0)) << "the middle was not drawn again";
}

TEST_F(WindowDesktop, BeepsAreCounted)
{
    int before = beepCount();
    beep();
    beep();
    EXPECT_EQ(beepCount(), before + 2);
}

}
