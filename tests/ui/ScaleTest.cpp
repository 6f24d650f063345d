#include "UiFixture.h"

#include "platform/ui/Button.h"
#include "platform/ui/DisplayScale.h"
#include "platform/ui/TextField.h"

#include <cairo.h>

using namespace ui;

namespace {

// High-density displays: frames and events in points, pictures in pixels.
using ScaleTest = UiTest;

TEST_F(ScaleTest, ThePictureHasScaleTimesThePointsAndEventsStayInPoints)
{
    setScale(2);
    auto w = window(100, 20);
    auto button = Button::create("Start");
    button->setFrame(Rect(0, 0, 100, 20));
    int presses = 0;
    button->onAction = [&] { ++presses; };
    w->contentView()->addSubview(button);
    EXPECT_EQ(w->backingScaleFactor(), 2);
    EXPECT_EQ(w->frame().size, (Size { 100, 20 }));
    EXPECT_EQ(cairo_image_surface_get_width(w->surface()), 200);
    EXPECT_EQ(cairo_image_surface_get_height(w->surface()), 40);
    EXPECT_EQ(backend().stateOf(*w)->scale, 2);
    // The bezel reaches the picture's far corner region, not only its first quarter.
    EXPECT_GT(w->pixelAt(95, 10).alpha, 0.9);
    backend().click(*w, Point(95, 15));
    EXPECT_EQ(presses, 1) << "hit-tested in points";
    backend().click(*w, Point(105, 15));
    EXPECT_EQ(presses, 1);
}

TEST_F(ScaleTest, EdgesLandOnWholePixelsAtTwiceTheScale)
{
    auto draw = [&](double scale) {
        setScale(scale);
        auto w = window(40, 30);
        w->contentView()->addSubview(Swatch::create(gfx::colors::red, Rect(10, 10, 20, 10)));
        w->display();
        return w;
    };
    auto one = draw(1);
    auto two = draw(2);
    cairo_surface_t* s = two->surface();
    int stride = cairo_image_surface_get_stride(s);
    auto red = [&](int x, int y) {
        auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(s) + y * stride);
        return row[x] == 0xffff0000u;
    };
    // Points 10 … 30 across, 10 … 20 up from the bottom of 30: pixels 20 … 59 and 20 … 39.
    EXPECT_TRUE(red(20, 20) && red(59, 39));
    EXPECT_FALSE(red(19, 20) || red(60, 39) || red(20, 19) || red(59, 40));
    for (double x : { 9.0, 10.0, 29.0, 30.0 })
        for (double y : { 9.0, 10.0, 19.0, 20.0 })
            EXPECT_EQ(one->pixelAt(x, y), two->pixelAt(x, y)) << "pixelAt is in points at any scale: " << x << ", " << y;
}

TEST_F(ScaleTest, TextMeasuresTheSameInPointsAtBothScales)
{
    auto measure = [&](double scale) {
        setScale(scale);
        auto w = window(300, 60);
        auto label = TextField::createLabel("Write the report, then rest");
        w->contentView()->addSubview(label);
        w->display();
        return label->intrinsicContentSize();
    };
    Size one = measure(1);
    Size two = measure(2);
    EXPECT_EQ(one, two);
}

TEST_F(ScaleTest, WindowsTakeTheScaleOfTheirDisplay)
{
    Screen left { Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 868), "left", 1 };
    Screen right { Rect(1440, 0, 1280, 800), Rect(1440, 0, 1280, 800), "right", 2 };
    backend().setScreens({ left, right });
    ASSERT_EQ(Screen::screens().size(), 2u);
    auto w = window(100, 50);
    EXPECT_EQ(w->backingScaleFactor(), 1);
    w->setFrameOrigin(Point(1500, 100));
    EXPECT_EQ(w->screen()->name, "right");
    EXPECT_EQ(w->backingScaleFactor(), 2);
    EXPECT_EQ(cairo_image_surface_get_width(w->surface()), 200);
    // Put away: a shown titled window is kept on a display.
    w->orderOut();
    w->setFrameOrigin(Point(5000, 5000));
    EXPECT_EQ(w->backingScaleFactor(), 1) << "off every display: the first display's";
    EXPECT_EQ(OffscreenBackend(2).screens().front().backingScaleFactor, 2);
}

TEST(DisplayScale, FromXftDpiElseGdkScaleElseOne)
{
    EXPECT_EQ(displayScale("192", nullptr), 2);
    EXPECT_EQ(displayScale("\t144 ", "3"), 1.5);
    EXPECT_EQ(displayScale("100", "2"), 1) << "Xft.dpi comes first; 100 dpi is no doubling";
    EXPECT_EQ(displayScale(std::nullopt, "2"), 2);
    EXPECT_EQ(displayScale(std::nullopt, "1.5"), 1) << "GDK_SCALE takes whole numbers only";
    for (const char* nonsense : { "", "abc", "-192", "nan", "1e9", "72" })
        EXPECT_EQ(displayScale(nonsense, nullptr), 1) << nonsense;
    EXPECT_EQ(displayScale(std::nullopt, "0"), 1);
    EXPECT_EQ(displayScale(std::nullopt, nullptr), 1);

    EXPECT_EQ(xftDpiResource("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), std::optional<std::string_view>("\t192"));
    EXPECT_EQ(xftDpiResource("Xcursor.size: 24\n"), std::nullopt);
    EXPECT_EQ(xftDpiResource(""), std::nullopt);
}

}
