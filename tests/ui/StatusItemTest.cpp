#include "UiFixture.h"

#include "platform/base/Timer.h"
#include "platform/ui/Menu.h"
#include "platform/ui/StatusItem.h"

using namespace ui;

namespace {

using StatusItemTest = UiTest;

// Columns of the strip holding light (text) pixels.
int inkedColumns(Window& strip)
{
    strip.display();
    int columns = 0;
    for (int x = 0; x < strip.frame().width(); ++x)
        for (int y = 0; y < strip.frame().height(); ++y)
            if (strip.pixelAt(x, y).red > 0.6) {
                ++columns;
                break;
            }
    return columns;
}

TEST_F(StatusItemTest, StripShowsTheTitleAndGrowsWithIt)
{
    auto item = StatusItem::create();
    Window* strip = item->stripWindow();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(strip->level(), WindowLevel::StatusBar);
    double emptyWidth = strip->frame().width();
    EXPECT_EQ(inkedColumns(*strip), 0);

    item->button()->setTitle("24:59 ");
    EXPECT_GT(strip->frame().width(), emptyWidth + 30);
    EXPECT_GT(inkedColumns(*strip), 20);
    // Monospaced digits: the strip keeps its width as the seconds count down.
    double width = strip->frame().width();
    item->button()->setTitle("11:11 ");
    EXPECT_EQ(strip->frame().width(), width);
    // At the top right of the display, inside its visible part.
    Rect visible = Screen::main()->visibleFrame;
    EXPECT_LE(strip->frame().maxX(), visible.maxX());
    EXPECT_GT(strip->frame().minX(), visible.midX());
    EXPECT_LE(strip->frame().maxY(), visible.maxY());
}

// Always on top, the strip keeps the windows a window manager places or maximizes out from
// under it: it reserves the top of the screen down to its bottom edge. The work area then
// leaves out that reservation, and the strip stays where it was rather than moving below it.
TEST_F(StatusItemTest, TheStripReservesItsPlaceAndKeepsItsTop)
{
    auto item = StatusItem::create();
    Window* strip = item->stripWindow();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->reservesSpace());
    ASSERT_TRUE(backend().stateOf(*strip));
    EXPECT_TRUE(backend().stateOf(*strip)->reservesSpace);
    double top = strip->frame().maxY();

    auto screens = backend().screens();
    screens.front().visibleFrame.size.height = strip->frame().minY() - 4;
    backend().setScreens(screens);
    item->button()->setTitle("24:59 ");
    EXPECT_EQ(strip->frame().maxY(), top);
}

TEST_F(StatusItemTest, PressesReportOnTheWayDownWithTheirEvent)
{
    auto item = StatusItem::create();
    item->button()->setTitle("Ostrel");
    std::vector<Event::Type> presses;
    item->onClick = [&] { presses.push_back(app().currentEvent()->type()); };
    Window& strip = *item->stripWindow();
    backend().send(Event::mouse(Event::Type::LeftMouseDown, &strip, Point(10, 10)));
    backend().send(Event::mouse(Event::Type::RightMouseDown, &strip, Point(10, 10)));
    EXPECT_EQ(presses, (std::vector<Event::Type> { Event::Type::LeftMouseDown, Event::Type::RightMouseDown }));
}

TEST_F(StatusItemTest, WithoutAHandlerAPressPopsUpTheMenuBelowTheItem)
{
    auto item = StatusItem::create();
    item->button()->setTitle("Ostrel");
    auto menu = Menu::create();
    int quit = 0;
    MenuItem* entry = menu->addItem("Quit Ostrel", [&](MenuItem&) { ++quit; });
    item->setMenu(menu);
    Rect menuFrame;
    std::optional<WindowKind> menuKind;
    auto chooser = base::Timer::create(0.1, true, base::RunLoop::Mode::Common, [&](base::Timer& timer) {
        if (Window* w = menu->trackingWindow()) {
            timer.invalidate();
            menuFrame = w->frame();
            menuKind = backend().stateOf(*w)->kind;
            backend().click(*w, menu->trackingRectOfItem(entry).center());
        }
    });
    backend().click(*item->stripWindow(), Point(10, 10));
    EXPECT_EQ(quit, 1);
    EXPECT_LE(menuFrame.maxY(), item->stripWindow()->frame().minY() + 0.5);
    EXPECT_FALSE(item->button()->isHighlighted());
    // Each window says what it is to the window manager.
    EXPECT_EQ(menuKind, WindowKind::Menu);
    EXPECT_EQ(backend().stateOf(*item->stripWindow())->kind, WindowKind::Dock);

    // A menu asked to open above the top of the work area opens inside it.
    Rect visible = Screen::main()->visibleFrame;
    chooser = base::Timer::create(0.1, true, base::RunLoop::Mode::Common, [&](base::Timer& timer) {
        if (Window* w = menu->trackingWindow()) {
            timer.invalidate();
            menuFrame = w->frame();
            backend().click(*w, menu->trackingRectOfItem(entry).center());
        }
    });
    menu->popUp(nullptr, Point(visible.minX() - 30, visible.maxY() + 40), nullptr);
    EXPECT_LE(menuFrame.maxY(), visible.maxY());
    EXPECT_GE(menuFrame.minX(), visible.minX());
}

}
