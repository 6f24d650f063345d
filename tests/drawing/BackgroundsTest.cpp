#include "drawing/BackgroundPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "tests/drawing/InkProbes.h"

#include <gtest/gtest.h>

using namespace ostrel;
using gfx::Color;
using gfx::Rect;
using K = OstrelStyleKit;

namespace {

bool inked(const test::Canvas& canvas, double x, double y) { return canvas.alphaAt(x, y) > 0.5; }

}

TEST(Backgrounds, WindowBarsEdgeLinesOverlapWithTheLighterOnTop)
{
    test::Canvas canvas(200, 120, 4);
    K::drawBackground({ 0, 0, 200, 120 });
    test::expectColorNear(canvas.at(50, 35.6), K::n1());
    test::expectColorNear(canvas.at(50, 36.9), K::n8());
    test::expectColorNear(canvas.at(50, 0.1), K::n8());
    // The top bar stops a point short of the top, where the plain fill shows.
    test::expectColorNear(canvas.at(50, 119.8), K::n2());
    test::expectColorNear(canvas.at(50, 118.8), K::n8(), 0.03);
    test::expectColorNear(canvas.at(50, 60), K::n2());
}

TEST(Backgrounds, BarsAreWholePointsWideWithHalvesGoingUp)
{
    for (auto [width, reachesPast] : std::initializer_list<std::pair<double, bool>> { { 100.5, true }, { 100.4, false } }) {
        SCOPED_TRACE(width);
        test::Canvas canvas(120, 60, 4);
        K::drawBackground({ 0, 0, width, 60 });
        EXPECT_EQ(inked(canvas, 100.8, 10), reachesPast);
        test::Canvas command(120, 60, 4);
        K::drawCommandWindowBackground({ 0, 0, width, 60 });
        EXPECT_EQ(inked(command, 100.8, 31.5), reachesPast);
    }
}

TEST(Backgrounds, FragmentBarsReachPastTheirFrames)
{
    struct Case {
        const char* name;
        void (*draw)(const Rect&);
        double left, right;
    };
    const Rect frame { 40, 10, 100, 20 };
    for (const Case& c : { Case { "title", &K::drawTitleFragmentBar, 16, 42 }, Case { "first label", &K::drawFirstLabelFragmentBar, 3, 0 },
             Case { "label", &K::drawLabelFragmentBar, 3, 0 }, Case { "default", &K::drawDefaultFragmentBackground, 3, 0 },
             Case { "option", &K::drawOptionFragmentBar, 3, 0 }, Case { "in-between wall", &K::drawInbetweenWall, 3, 0 } }) {
        SCOPED_TRACE(c.name);
        test::Canvas canvas(220, 40, 2);
        c.draw(frame);
        EXPECT_TRUE(inked(canvas, frame.minX() - c.left + 0.3, 15));
        EXPECT_FALSE(inked(canvas, frame.minX() - c.left - 0.3, 15));
        EXPECT_TRUE(inked(canvas, frame.maxX() + c.right - 0.3, 15));
        EXPECT_FALSE(inked(canvas, frame.maxX() + c.right + 0.3, 15));
        // Square at the bottom, rounded at the top.
        EXPECT_TRUE(inked(canvas, frame.minX() - c.left + 0.1, 10.1));
        EXPECT_FALSE(inked(canvas, frame.minX() - c.left + 0.1, 29.9));
    }
}

TEST(Backgrounds, OptionBarAndWallCarryTheirTwoTopLines)
{
    for (auto [draw, bar] : std::initializer_list<std::pair<void (*)(const Rect&), Color>> { { &K::drawOptionFragmentBar, K::n3() },
             { &K::drawInbetweenWall, K::n2() } }) {
        test::Canvas canvas(120, 40, 4);
        draw({ 10, 0, 100, 30 });
        test::expectColorNear(canvas.at(50, 15), bar);
        test::expectColorNear(canvas.at(50, 28.5), K::n1());
        test::expectColorNear(canvas.at(50, 29.5), K::n6());
    }
}

TEST(Backgrounds, LabelBarsTopLineCarriesAnInnerShadow)
{
    test::Canvas plain(120, 40, 4);
    K::drawFirstLabelFragmentBar({ 10, 0, 100, 30 });
    test::Canvas label(120, 40, 4);
    K::drawLabelFragmentBar({ 10, 0, 100, 30 });
    test::expectColorNear(label.at(60, 28.5), K::n2());
    // The shadow falls in from the line's left edge (offset 3 to the right) and darkens it.
    Color shaded = label.at(11, 29.5);
    EXPECT_LT(shaded.red, K::n4().red - 0.005);
    test::expectColorNear(label.at(60, 5), plain.at(60, 5));
}

TEST(Backgrounds, GradientsRunTheWayTheirBarsFace)
{
    // The log-book entry is light blue at the left, the alternative option at the top.
    test::Canvas entry(200, 40);
    K::drawLogBookEntry({ 0, 0, 200, 40 });
    EXPECT_GT(entry.at(1, 20).green, entry.at(198, 20).green);
    test::Canvas option(200, 100);
    K::drawAlternativeOption({ 0, 0, 200, 100 });
    EXPECT_GT(option.at(100, 97).green, option.at(100, 3).green);
    // Its top-left corner is square, the other three are rounded.
    EXPECT_TRUE(inked(option, 1.2, 98.8));
    EXPECT_FALSE(inked(option, 198.8, 98.8));
    EXPECT_FALSE(inked(option, 1.2, 1.2));
}

TEST(Backgrounds, ZeroFramesLeaveFillsEmptyButCalendarTextsStillDraw)
{
    for (auto draw : { &K::drawBackground, &K::drawLogBookEntry, &K::drawPreferencesBackground, &K::drawTagTokenFieldBackground,
             &K::drawMessageWindowBackground }) {
        auto pixels = test::drawn(60, 60, [draw] { draw({ 30, 30, 0, 0 }); });
        gfx::Rect ink = test::inkBounds(*pixels);
        // Only the whole-point bars of the window background stay, and they are zero wide.
        EXPECT_TRUE(ink.isEmpty());
    }
    auto texts = test::drawn(500, 80, [] { K::drawCalendarNoEvents({ 0, 70, 0, 0 }); });
    EXPECT_GT(test::inkedPixels(*texts), 0);
}

TEST(Backgrounds, CalendarTextsKeepTheirOwnWidthInANarrowFrame)
{
    auto pixels = test::drawn(500, 80, [] { K::drawCalendarNoEvents({ 0, 0, 100, 80 }); });
    gfx::Rect ink = test::inkBounds(*pixels);
    EXPECT_GT(ink.maxX(), 250);
    EXPECT_LT(ink.maxX(), 435);
    EXPECT_GT(ink.minY(), 80 - 54 - 1);
    EXPECT_LT(ink.maxY(), 80 - 12 + 1);
}

TEST(Backgrounds, MessageWindowImagesAreMadeAnewAtTheirSize)
{
    auto a = K::imageOfMessageWindowBackground({ 90, 40 });
    auto b = K::imageOfMessageWindowBackground({ 90, 40 });
    EXPECT_NE(a, b);
    EXPECT_EQ(a->size(), (gfx::Size { 90, 40 }));
    EXPECT_TRUE(test::samePixels(*a->rasterize(), *b->rasterize()));
    // Rounded by 9: the corner pixel is clear, the middle of the top edge is the n0 stroke.
    auto pixels = a->rasterize(4);
    EXPECT_EQ(pixels->pixel(0, 0).alpha, 0);
    EXPECT_GT(pixels->pixel(180, 0).alpha, 0.3);
}

TEST(BackgroundOutlines, RoundedOutlinesHaveTheirCornersWhereTheySay)
{
    // Two arcs of one quarter each, whatever the arcs are split into.
    auto bar = contourShapes(backgroundPaths::topRoundedBar({ 0, 0, 50, 10 }));
    ASSERT_EQ(bar.size(), 1u);
    test::expectRectNear(bar[0].bounds, { 0, 0, 50, 10 }, 1e-6);
    EXPECT_TRUE(bar[0].counterClockwise);
    test::expectRectNear(contourShapes(backgroundPaths::commandBottomBar({ 0, 0, 80.5, 300 }))[0].bounds, { 0, 0, 81, 32 }, 1e-6);
    test::expectRectNear(contourShapes(backgroundPaths::alternativeOption({ 0, 0, 40, 20 }))[0].bounds, { 1, 1, 38, 18 }, 1e-6);
    // Too small for their corners: plain rectangles, never arcs around centres outside them.
    for (const gfx::Path& path : { backgroundPaths::topRoundedBar({ 0, 0, 50, 1 }), backgroundPaths::commandBottomBar({ 0, 0, 10, 0 }),
             backgroundPaths::alternativeOption({ 0, 0, 5, 5 }) }) {
        auto shapes = contourShapes(path);
        ASSERT_EQ(shapes.size(), 1u);
        EXPECT_EQ(shapes[0].curves, 0);
    }
}

TEST(SliderMarks, EventTicksFollowTheirFlags)
{
    struct Case {
        bool left, right;
    };
    for (Case c : { Case { false, false }, Case { true, false }, Case { false, true }, Case { true, true } }) {
        SCOPED_TRACE(std::to_string(c.left) + std::to_string(c.right));
        test::Canvas canvas(100, 60, 4);
        K::drawEventView({ 0, 0, 100, 60 }, c.left, c.right, "");
        // The rule 28 below the top from 1 inside the left edge; ticks 9 high centred on it.
        EXPECT_TRUE(inked(canvas, 50, 32.5));
        EXPECT_FALSE(inked(canvas, 50, 34));
        EXPECT_EQ(inked(canvas, 0.5, 30), c.left);
        EXPECT_EQ(inked(canvas, 99.5, 30), c.right);
        EXPECT_EQ(canvas.at(50, 32.5), gfx::colors::white);
    }
}

TEST(SliderMarks, EventLabelSitsOnTheBottomOfItsBox)
{
    test::Canvas canvas(120, 80);
    K::drawEventView({ 0, 0, 120, 80 }, false, false, "Lunch");
    auto inkBetween = [&](double bottom, double top) {
        int count = 0;
        for (double y = bottom; y < top; ++y)
            for (double x = 0; x < 120; ++x)
                count += canvas.alphaAt(x, y) > 0.1;
        return count;
    };
    // Just above the 7-point margin, and nothing between it and the rule.
    EXPECT_EQ(inkBetween(0, 7), 0);
    EXPECT_GT(inkBetween(7, 22), 0);
    EXPECT_EQ(inkBetween(22, 51), 0);
}

TEST(SliderMarks, BubbleCaretStandsAtItsCentreAboveTheOriginWhateverTheFrame)
{
    for (Rect frame : { Rect { 0, 0, 80, 30 }, Rect { 30, 5, 40, 30 } }) {
        test::Canvas canvas(120, 40, 4);
        K::drawBubbleWithArrowOnTop(frame, "", 50);
        gfx::Rect ink = test::inkBounds(canvas.bitmap(), 4);
        test::expectRectNear(ink, { 46, 20, 7, 4 }, 0.8);
        EXPECT_TRUE(inked(canvas, 49.5, 23.2));
    }
}

TEST(SliderMarks, KeyComboDrawsOnlyItsTexts)
{
    auto nothing = test::drawn(47, 16, [] { K::drawKeyCombo({ 0, 0, 47, 16 }, ResizingBehavior::aspectFit, "", ""); });
    EXPECT_EQ(test::inkedPixels(*nothing), 0);
    // An empty char2 leaves the third cell empty; char1 fills the other three.
    test::Canvas canvas(47, 16, 4);
    K::drawKeyCombo({ 0, 0, 47, 16 }, ResizingBehavior::aspectFit, "X", "");
    auto inColumns = [&](double from, double to) {
        int count = 0;
        for (double x = from; x < to; x += 0.25)
            for (double y = 1; y < 14; y += 0.25)
                count += canvas.alphaAt(x, y) > 0.3;
        return count;
    };
    EXPECT_GT(inColumns(3, 12.5), 0);
    EXPECT_GT(inColumns(14.5, 22.5), 0);
    EXPECT_EQ(inColumns(24.5, 33.5), 0);
    EXPECT_GT(inColumns(34.5, 45), 0);
}
