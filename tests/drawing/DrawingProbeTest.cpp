#include "drawing/BreakTimeStyleKit.h"
#include "drawing/BricksDrawing.h"
#include "drawing/CountDownStyleKit.h"
#include "drawing/DurationViewStyleKit.h"
#include "drawing/KeyboardShortcutsStyleKit.h"
#include "tests/drawing/InkProbes.h"

#include <gtest/gtest.h>

using namespace ostrel;
using gfx::Color;
using gfx::Rect;

namespace {

bool inked(const test::Canvas& canvas, double x, double y) { return canvas.alphaAt(x, y) > 0.5; }

// The brightest red component of any inked pixel: the colour a one-colour drawing used.
double brightestInk(const gfx::Bitmap& bitmap)
{
    double brightest = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            Color c = bitmap.pixel(x, y);
            if (c.alpha > 0.99)
                brightest = std::max(brightest, c.red);
        }
    }
    return brightest;
}

}

TEST(CountDownDial, WedgeRunsClockwiseFromTwelve)
{
    // Start 90, end 0: a quarter of the way through, the upper right quarter.
    test::Canvas canvas(200, 200);
    CountDownStyleKit::drawSlice({ 0, 0, 200, 200 }, 90, 0);
    EXPECT_TRUE(inked(canvas, 130, 129));
    EXPECT_FALSE(inked(canvas, 70, 129));
    EXPECT_FALSE(inked(canvas, 130, 69));
    EXPECT_FALSE(inked(canvas, 70, 69));
    EXPECT_EQ(canvas.at(130, 129), gfx::colors::white);
}

TEST(CountDownDial, WedgeSitsOneLowerAndFollowsANonSquareFrame)
{
    test::Canvas canvas(300, 200);
    CountDownStyleKit::drawSlice({ 0, 0, 300, 200 }, 90, -270);
    // An ellipse 220 x 120 around (150, 99).
    EXPECT_TRUE(inked(canvas, 258, 99));
    EXPECT_FALSE(inked(canvas, 262, 99));
    EXPECT_TRUE(inked(canvas, 150, 40));
    EXPECT_FALSE(inked(canvas, 150, 38));
    EXPECT_TRUE(inked(canvas, 150, 158));
    EXPECT_FALSE(inked(canvas, 150, 160));
}

TEST(CountDownDial, RingReachesFrom15To25InsideTheEdges)
{
    test::Canvas canvas(200, 200);
    CountDownStyleKit::drawOuterCircle({ 0, 0, 200, 200 });
    EXPECT_FALSE(inked(canvas, 14, 100));
    EXPECT_TRUE(inked(canvas, 16, 100));
    EXPECT_TRUE(inked(canvas, 24, 100));
    EXPECT_FALSE(inked(canvas, 26, 100));
    EXPECT_TRUE(inked(canvas, 100, 180));
    EXPECT_FALSE(inked(canvas, 100, 100));
}

TEST(CountDownDial, TooSmallFramesDrawNothing)
{
    auto pixels = test::drawn(100, 100, [] {
        CountDownStyleKit::drawSlice({ 0, 0, 80, 80 }, 90, 0);
        CountDownStyleKit::drawSlice({ 0, 0, std::nan(""), 100 }, 90, 0);
        CountDownStyleKit::drawOuterCircle({ 0, 0, 40, 90 });
    });
    EXPECT_EQ(test::inkedPixels(*pixels), 0);
}

TEST(CountDownDial, ReadOutIsCentredOnItsBand)
{
    auto image = CountDownStyleKit::imageOfReadOut("05:03");
    EXPECT_EQ(image->size(), (gfx::Size { 300, 40 }));
    auto pixels = image->rasterize();
    int left = 300, right = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (pixels->pixel(x, y).alpha > 0.5) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_LT(left, right);
    EXPECT_NEAR((left + right) / 2.0, 150, 3);
    EXPECT_EQ(test::inkedPixels(*CountDownStyleKit::imageOfReadOut("")->rasterize()), 0);
}

TEST(BreakLock, ShackleOpensOnlyAtExactlyAFullTurn)
{
    // Where the closed shackle's left leg stands between the body and the arch.
    auto leftLeg = [](double endAngle) {
        test::Canvas canvas(39, 39, 4);
        BreakTimeStyleKit::drawLockIcon({ 0, 0, 39, 39 }, ResizingBehavior::aspectFit, endAngle);
        return canvas.at(14.7, 22.8);
    };
    EXPECT_EQ(leftLeg(359.99), gfx::colors::black);
    EXPECT_EQ(leftLeg(360.01), gfx::colors::black);
    EXPECT_EQ(leftLeg(360), gfx::colors::white);
}

TEST(BreakLock, DiscFillsClockwiseFromTheTop)
{
    test::Canvas canvas(39, 39, 2);
    BreakTimeStyleKit::drawLockIcon({ 0, 0, 39, 39 }, ResizingBehavior::aspectFit, 90);
    test::expectColorNear(canvas.at(31, 29), gfx::colors::white);
    test::expectColorNear(canvas.at(9, 29), { 0.244, 0.244, 0.244, 1 });
    test::expectColorNear(canvas.at(31, 9), { 0.244, 0.244, 0.244, 1 });
    // The keyhole stays open in the black body.
    EXPECT_EQ(canvas.at(20, 9), gfx::colors::black);
    EXPECT_NE(canvas.at(20.08, 16.45), gfx::colors::black);
}

TEST(BreakStatusItem, WedgeShrinksAsTheAngleGrows)
{
    auto at = [](double endAngle, double x, double y) {
        test::Canvas canvas(18, 18, 4);
        BreakTimeStyleKit::drawStatusItem(endAngle);
        return canvas.alphaAt(x, y);
    };
    // At 270 only the quarter clockwise of the top is left.
    EXPECT_GT(at(270, 10.5, 10.5), 0.9);
    EXPECT_EQ(at(270, 7, 10.5), 0);
    EXPECT_EQ(at(270, 7, 7), 0);
    EXPECT_EQ(at(0, 8.75, 11), 0);
    EXPECT_GT(at(90, 7, 7), 0.9);
    EXPECT_EQ(at(90, 7, 10.5), 0);
}

TEST(BreakCanvas, ReadOutCastsItsShadowBelowIt)
{
    test::Canvas canvas(385, 191);
    BreakTimeStyleKit::drawCanvas1({ 0, 0, 385, 191 }, ResizingBehavior::aspectFit);
    // The lowest near-white ink of the read-out, between the caption and the panel's foot.
    double bottom = 200, top = 0, column = 0;
    for (double x = 40; x < 280; ++x) {
        for (double y = 20; y < 125; ++y) {
            if (canvas.at(x, y).red > 0.9) {
                if (y < bottom)
                    bottom = y, column = x;
                top = std::max(top, y);
            }
        }
    }
    ASSERT_LT(bottom, top);
    // The shadow falls 2 below the glyphs and blurs by 4: darker under them than over them.
    auto darkest = [&](double from, double step) {
        double red = 1;
        for (double d = 1; d <= 4; d += 0.5)
            red = std::min(red, canvas.at(column, from + step * d).red);
        return red;
    };
    const double panel = 0.31;
    EXPECT_LT(darkest(bottom, -1), panel - 0.025);
    EXPECT_LT(darkest(bottom, -1), darkest(top, 1) - 0.01);
    EXPECT_NEAR(canvas.at(column, bottom - 12).red, panel, 0.01);
    // The caption sits above the read-out, inside the panel.
    EXPECT_LT(top, 130);
}

TEST(BreakCanvas, PanelShowsItsBorderAndNothingOutside)
{
    test::Canvas canvas(385, 191);
    BreakTimeStyleKit::drawCanvas1({ 0, 0, 385, 191 }, ResizingBehavior::aspectFit);
    EXPECT_EQ(canvas.alphaAt(10, 100), 0);
    EXPECT_EQ(canvas.alphaAt(200, 170), 0);
    test::expectColorNear(canvas.at(200, 30), { 0.312, 0.302, 0.302, 1 });
    test::expectColorNear(canvas.at(200, 9.5), { 0.289, 0.288, 0.288, 1 }, 0.03);
    test::expectColorNear(canvas.at(333, 121), { 0.876, 0.876, 0.876, 1 });
}

TEST(CheckBox, TickIsTheRightWayUpInAFlippedView)
{
    test::Canvas canvas(100, 20, 4, true);
    BricksDrawing::drawCheckBoxInOnState({ 0, 0, 100, 20 }, gfx::colors::white, Color::white(0.4), gfx::colors::black, "");
    // y runs down: the vertex is the tick's lowest point and the long arm rises to the right.
    EXPECT_LT(canvas.at(7, 14.5).red, 0.3);
    EXPECT_LT(canvas.at(12, 10).red, 0.3);
    EXPECT_GT(canvas.at(6, 9.5).red, 0.9);
    EXPECT_GT(canvas.at(12, 14.5).red, 0.9);
}

TEST(CheckBox, OffStateIsTheSameBoxWithoutTheTick)
{
    auto off = test::drawn(60, 30, [] {
        BricksDrawing::drawCheckBoxInOffState({ 0, 0, 60, 30 }, gfx::colors::white, Color::white(0.4), gfx::colors::black, "");
    });
    auto on = test::drawn(60, 30, [] {
        BricksDrawing::drawCheckBoxInOnState({ 0, 0, 60, 30 }, gfx::colors::white, Color::white(0.4), gfx::colors::black, "");
    });
    EXPECT_FALSE(test::samePixels(*off, *on));
    // The box hangs from the frame's top (y up): nothing at the bottom of a tall frame.
    EXPECT_EQ(off->pixel(8, 28).alpha, 0);
    EXPECT_EQ(off->pixel(8, 8), gfx::colors::white);
}

TEST(CheckBox, StandAloneTickPointsUpInAYUpView)
{
    test::Canvas canvas(36, 18, 4);
    BricksDrawing::drawCheck({ 0, 0, 36, 18 }, ResizingBehavior::aspectFit);
    EXPECT_TRUE(inked(canvas, 9 + 6.5, 4));
    EXPECT_TRUE(inked(canvas, 9 + 15, 15));
    EXPECT_FALSE(inked(canvas, 9 + 6.5, 14));
    EXPECT_FALSE(inked(canvas, 5, 9));
}

TEST(Bricks, SliderKnobIsAnUprightPentagon)
{
    test::Canvas canvas(100, 100);
    BricksDrawing::drawSliderKnob({ 0, 0, 100, 100 });
    EXPECT_TRUE(inked(canvas, 50, 80));
    EXPECT_TRUE(inked(canvas, 20, 58));
    EXPECT_FALSE(inked(canvas, 50, 90));
    EXPECT_FALSE(inked(canvas, 50, 18));
    EXPECT_FALSE(inked(canvas, 10, 58));
    test::expectColorNear(canvas.at(50, 50), gfx::colors::gray, 0.005);
}

TEST(Bricks, PullDownArrowIsAVTenInsideTheRightEdge)
{
    for (double width : { 80.0, 200.0 }) {
        test::Canvas canvas(int(width), 22, 4);
        BricksDrawing::drawRoundedPullDownButton({ 0, 0, width, 22 }, gfx::colors::white, Color::white(0.4), gfx::colors::red, "");
        double box = width - 18;
        // In the button: the tip at (box + 4, 10 + 3.2), the arms' ends at y 10.8.
        EXPECT_EQ(canvas.at(box + 4, 13.1), gfx::colors::red);
        EXPECT_EQ(canvas.at(box + 1.2, 11), gfx::colors::red);
        EXPECT_EQ(canvas.at(box + 4, 11), gfx::colors::white);
        EXPECT_NE(canvas.at(width - 9.5, 12), gfx::colors::red);
    }
}

TEST(Bricks, RoundedButtonBodyKeepsItsHeight)
{
    for (double height : { 22.0, 40.0 }) {
        test::Canvas canvas(100, int(height), 4);
        BricksDrawing::drawPushButton({ 0, 0, 100, height }, gfx::colors::red, gfx::colors::red, gfx::colors::red, {}, "");
        double y = std::floor((height - 19.5) * 0.38 - 0.25) + 0.75;
        EXPECT_EQ(canvas.at(50, y + 0.5), gfx::colors::red);
        EXPECT_EQ(canvas.at(50, y + 19), gfx::colors::red);
        EXPECT_EQ(canvas.alphaAt(50, y + 20), 0);
        EXPECT_EQ(canvas.alphaAt(5, y + 10), 0);
    }
}

TEST(Bricks, HighlightedGradientIsLightAtTheBottomOfTheBody)
{
    // The body runs from y 0.75 to 20.25; the gradient's first stop belongs at its minimum y.
    test::Canvas canvas(100, 22, 4);
    BricksDrawing::drawRoundedRegularButtonHighlighted({ 0, 0, 100, 22 }, "");
    test::expectColorNear(canvas.at(50, 1.5), BricksDrawing::highlightGradientStart(), 0.05);
    test::expectColorNear(canvas.at(50, 19.5), BricksDrawing::highlightGradientEnd(), 0.05);
}

TEST(Bricks, PushButtonTitlesAreCentredInTheBody)
{
    for (double height : { 22.0, 32.0 }) {
        test::Canvas canvas(100, int(height), 4);
        BricksDrawing::drawPushButton({ 0, 0, 100, height }, gfx::colors::white, gfx::colors::white, gfx::colors::black, {}, "Start");
        double top = height, bottom = 0, left = 100, right = 0;
        for (double y = 0; y < height; y += 0.25) {
            for (double x = 0; x < 100; x += 0.25) {
                if (canvas.at(x, y).red > 0.5 || canvas.alphaAt(x, y) < 0.5)
                    continue;
                top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x), right = std::max(right, x);
            }
        }
        // "Start" has no descender: its ink centres on the body with cap height above the baseline.
        double bodyTop = std::floor((height - 19.5) * 0.38 - 0.25) + 0.75;
        EXPECT_NEAR((top + bottom) / 2, bodyTop + 19.5 / 2, 1.5) << "height " << height << ", ink " << top << " to " << bottom;
        EXPECT_NEAR((left + right) / 2, 50, 1);
    }
}

TEST(Bricks, DarkPullDownTitleIsWhiteWhateverTheArrowColour)
{
    test::Canvas canvas(120, 22);
    BricksDrawing::drawDarkRoundedPullDownButton({ 0, 0, 120, 22 }, gfx::colors::red, "Menu");
    int redTitle = 0, whiteTitle = 0, redArrow = 0;
    for (double y = 0; y < 22; ++y) {
        for (double x = 0; x < 120; ++x) {
            Color c = canvas.at(x, y);
            bool red = c.red > 0.6 && c.green < 0.3, white = c.red > 0.8 && c.green > 0.8;
            (x < 100 ? redTitle : redArrow) += red;
            whiteTitle += x < 100 && white;
        }
    }
    EXPECT_EQ(redTitle, 0);
    EXPECT_GT(whiteTitle, 10);
    EXPECT_GT(redArrow, 0);
}

TEST(ShortcutRecorder, BorderShowsTheCallersColourOnlyWhenDisabled)
{
    auto draw = [](bool enabled) {
        auto canvas = std::make_unique<test::Canvas>(100, 22, 2);
        KeyboardShortcutsStyleKit::drawBox({ 0, 0, 100, 22 }, gfx::colors::red, gfx::colors::black, "", 100, enabled);
        return canvas;
    };
    auto enabled = draw(true);
    test::expectColorNear(enabled->at(50, 0.25), Color::white(0.74));
    test::expectColorNear(enabled->at(50, 11), Color::white(1.0));
    auto disabled = draw(false);
    test::expectColorNear(disabled->at(50, 0.25), gfx::colors::red);
    test::expectColorNear(disabled->at(50, 11), Color::white(0.98), 0.005);
}

TEST(ShortcutRecorder, TitleStaysAtTheOriginWhenTheBoxMoves)
{
    test::Canvas canvas(200, 22);
    KeyboardShortcutsStyleKit::drawSmallBoxDarkMode({ 100, 0, 100, 22 }, gfx::colors::red, gfx::colors::red, "XX", 40, true);
    bool titleAtOrigin = false;
    for (double x = 0; x < 40; ++x)
        titleAtOrigin |= canvas.alphaAt(x, 10) > 0.5;
    EXPECT_TRUE(titleAtOrigin);
    test::expectColorNear(canvas.at(150, 11), Color::white(0.34));
}

TEST(DurationDisplay, DisabledDrawsInGrey)
{
    auto draw = [](bool disabled) {
        return test::drawn(200, 80, [=] { DurationViewStyleKit::drawDurationView("h", "m", "01", "25", 60, 10, 14, disabled); });
    };
    EXPECT_NEAR(brightestInk(*draw(true)), 0.7, 0.01);
    EXPECT_NEAR(brightestInk(*draw(false)), 1.0, 0.01);
}

TEST(DurationDisplay, OnlyTheRegularSecondDigitBoxSitsOneLower)
{
    auto digitsBottom = [](bool small, bool second) {
        int width = small ? 100 : 200, height = small ? 40 : 80;
        auto pixels = test::drawn(width, height, [=] {
            std::string_view first = second ? "" : "00", other = second ? "00" : "";
            if (small)
                DurationViewStyleKit::drawSmallDurationView("", "", first, other, 30, 0, 10, false);
            else
                DurationViewStyleKit::drawDurationView("", "", first, other, 60, 0, 14, false);
        });
        return test::inkBounds(*pixels).minY();
    };
    EXPECT_EQ(digitsBottom(false, true), digitsBottom(false, false) - 1);
    EXPECT_EQ(digitsBottom(true, true), digitsBottom(true, false));
}

TEST(DurationDisplay, LabelsStartAtTheirInsetAndDigitsRightAlign)
{
    test::Canvas canvas(200, 80);
    DurationViewStyleKit::drawDurationView("h", "m", "1", "2", 60, 30, 14, false);
    // Nothing of the labels below their inset.
    for (double x = 80; x < 100; ++x)
        EXPECT_EQ(canvas.alphaAt(x, 25), 0);
    // The single digit hugs the right of its 80-wide box.
    bool leftHalf = false, rightHalf = false;
    for (double x = 0; x < 80; ++x) {
        for (double y = 10; y < 70; y += 2) {
            (x < 40 ? leftHalf : rightHalf) |= canvas.alphaAt(x, y) > 0.5;
        }
    }
    EXPECT_FALSE(leftHalf);
    EXPECT_TRUE(rightHalf);
}
