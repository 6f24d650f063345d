#include "drawing/CupIconPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "drawing/StateIconPaths.h"
#include "tests/drawing/InkProbes.h"

#include <gtest/gtest.h>

using namespace ostrel;
using gfx::Color;
using gfx::Rect;
using K = OstrelStyleKit;
using test::ExpectedContour;

namespace {

using Coloured = void (*)(const Rect&, ResizingBehavior, const Color&);

const Color kHalfRed { 1, 0, 0, 0.5 };

// The icon at 4 pixels per design unit on a canvas with `margin` units all round.
std::shared_ptr<gfx::Bitmap> icon(const std::function<void(const Rect&)>& draw, const Color& = kHalfRed, double margin = 0)
{
    constexpr double scale = 4;
    auto bitmap = gfx::Bitmap::create(int((22 + 2 * margin) * scale), int((22 + 2 * margin) * scale));
    auto context = bitmap->makeContext(scale, false);
    gfx::GraphicsContext::MakeCurrent current(*context);
    draw({ margin, margin, 22, 22 });
    return bitmap;
}

struct Shape {
    const char* name;
    gfx::Path path;
    std::vector<ExpectedContour> contours;
};

}

TEST(StateIconShapes, OutlinesHaveTheirStatedStructure)
{
    using namespace stateIconPaths;
    const std::vector<Shape> shapes {
        { "target outer ring", targetOuterRing(), { { 2, 10, true, { 1.30, 0.00, 20.97 - 1.30, 19.66 } } } },
        { "target inner ring", targetInnerRing(), { { 2, 8, true, { 5.00, 3.65, 17.30 - 5.00, 15.95 - 3.65 } } } },
        { "dart", targetDart(), { { 8, 5, true, {} } } },
        { "left pause bar", pauseBar(false), { { 4, 4, true, { 4, 2, 4.8, 17 } } } },
        { "right pause bar", pauseBar(true), { { 4, 4, true, { 13, 2, 4.8, 17 } } } },
        { "clock ring", clockRing(), { { 0, 4, true, { 1, 1, 22, 22 } }, { 0, 4, false, { 3.2, 3.2, 17.6, 17.6 } } } },
        { "star", star(), { { 10, 0, false, { 1.82, 3.36, 20.18 - 1.82, 20.82 - 3.36 } } } },
        { "gear", gear(), { { 24, 24, true, { 3, 3, 16, 16 } }, { 0, 4, false, { 8.26, 8.26, 5.48, 5.48 } } } },
        { "person in a circle", personInCircle(),
            { { 0, 20, true, { 1.5, 0.5, 19.5, 19.5 } }, { 0, 20, false, { 3.19, 2.19, 16.12, 16.12 } },
                { 2, 14, true, { 4.87, 1.37, 17.61 - 4.87, 7.0 - 1.37 } }, { 0, 12, true, { 7.97, 8.57, 14.52 - 7.97, 15.71 - 8.57 } } } },
        { "working figure", workingFigure(),
            { { 6, 68, true, { 0.5, 3.63, 21, 19 - 3.63 } }, { 2, 9, true, { 3.93, 3.0, 9.07 - 3.93, 5.69 - 3.0 } },
                { 0, 8, false, { 17.87, 10.5, 19.17 - 17.87, 11.9 - 10.5 } } } },
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        test::expectContours(shape.path, shape.contours);
    }
}

TEST(StateIconShapes, ProfileHeadIsABandAndTheBrainSixFoldsOneWayRound)
{
    auto head = contourShapes(stateIconPaths::profileHead());
    ASSERT_EQ(head.size(), 2u);
    EXPECT_EQ(head[0].lines + head[0].curves, 29);
    EXPECT_EQ(head[1].lines + head[1].curves, 34);
    EXPECT_EQ(head[0].lines + head[1].lines, 12);
    EXPECT_NE(head[0].counterClockwise, head[1].counterClockwise);
    test::expectRectNear(stateIconPaths::profileHead().bounds(), { 3.00, 1.00, 16.11, 18.92 }, 0.01);

    auto brain = contourShapes(stateIconPaths::profileBrain());
    ASSERT_EQ(brain.size(), 6u);
    const int segments[] = { 23, 17, 56, 15, 10, 9 };
    int lines = 0;
    for (size_t i = 0; i < brain.size(); ++i) {
        EXPECT_EQ(brain[i].lines + brain[i].curves, segments[i]);
        EXPECT_EQ(brain[i].counterClockwise, brain[0].counterClockwise);
        lines += brain[i].lines;
    }
    EXPECT_EQ(lines, 8);
    test::expectRectNear(stateIconPaths::profileBrain().bounds(), { 6.83, 9.34, 16.96 - 6.83, 17.79 - 9.34 }, 0.01);
}

TEST(StateIconShapes, ClockSectorSweepsClockwiseFromTwelve)
{
    using stateIconPaths::clockSector;
    test::expectRectNear(clockSector(90).bounds(), { 12, 12, 7.5, 7.5 }, 1e-6);
    test::expectRectNear(clockSector(180).bounds(), { 12, 4.5, 7.5, 15 }, 1e-6);
    test::expectRectNear(clockSector(360).bounds(), { 4.5, 4.5, 15, 15 }, 1e-6);
    // No sweep: a line from twelve o'clock to the centre, nothing to fill.
    EXPECT_EQ(clockSector(0).bounds().width(), 0);
}

TEST(StateIcons, EachRoutineDrawsInsideItsDesignAndOnlyInItsColour)
{
    const std::vector<std::pair<const char*, Coloured>> routines { { "target", &K::drawTargetIcon }, { "pause", &K::drawPauseIcon },
        { "star", &K::drawStarIcon }, { "gear", &K::drawGearIcon }, { "profile", &K::drawProfileIcon }, { "profile 2", &K::drawProfileIcon2 },
        { "tree", &K::drawTreeIcon }, { "working", &K::drawWorkingIcon }, { "cup 1", &K::drawCoffeeCupIcon1 },
        { "cup 2", &K::drawCoffeeCupIcon2 }, { "cup 3", &K::drawCoffeeCupIcon3 }, { "cup 4", &K::drawCoffeeCupIcon4 } };
    for (auto [name, draw] : routines) {
        SCOPED_TRACE(name);
        auto pixels = icon([draw](const Rect& frame) { draw(frame, ResizingBehavior::aspectFit, gfx::colors::blue); }, gfx::colors::blue, 2);
        gfx::Rect ink = test::inkBounds(*pixels, 4);
        EXPECT_GE(ink.minX(), 2);
        EXPECT_GE(ink.minY(), 2);
        EXPECT_LE(ink.maxX(), 24);
        EXPECT_LE(ink.maxY(), 24);
        for (int y = 0; y < pixels->height(); ++y) {
            for (int x = 0; x < pixels->width(); ++x) {
                if (pixels->pixel(x, y).alpha > 0.1) {
                    ASSERT_LT(pixels->pixel(x, y).red + pixels->pixel(x, y).green, 0.01);
                }
            }
        }
    }
}

TEST(StateIcons, TranslucentColoursDarkenOnlyWhereSeparateFillsOverlap)
{
    struct Case {
        const char* name;
        Coloured draw;
        bool overlaps;
    };
    for (const Case& c : { Case { "tree", &K::drawTreeIcon, true }, Case { "saucer cup", &K::drawCoffeeCupIcon3, true },
             Case { "gear", &K::drawGearIcon, false }, Case { "person in a circle", &K::drawProfileIcon2, false },
             Case { "plain cup", &K::drawCoffeeCupIcon2, false }, Case { "pause", &K::drawPauseIcon, false },
             Case { "working", &K::drawWorkingIcon, false } }) {
        SCOPED_TRACE(c.name);
        auto pixels = icon([&](const Rect& frame) { c.draw(frame, ResizingBehavior::aspectFit, kHalfRed); });
        EXPECT_EQ(test::strongestAlpha(*pixels) > 0.6, c.overlaps);
    }
}

TEST(StateIcons, TreeTrunkIsLighterThanItsCrown)
{
    test::Canvas canvas(22, 22, 4);
    K::drawTreeIcon({ 0, 0, 22, 22 }, ResizingBehavior::aspectFit, gfx::colors::black);
    EXPECT_NEAR(canvas.alphaAt(10.5, 3), 0.8, 0.02);
    EXPECT_NEAR(canvas.alphaAt(10.5, 12.5), 1, 0.01);
}

TEST(StateIcons, ClockFaceRingTouchesTheEdgesAndTheSectorFollowsTheAngle)
{
    struct Case {
        double endAngle;
        bool upperRight, lowerRight, lowerLeft, upperLeft;
    };
    for (const Case& c : { Case { 0, false, false, false, false }, Case { 90, true, false, false, false }, Case { 180, true, true, false, false },
             Case { 360, true, true, true, true } }) {
        SCOPED_TRACE(c.endAngle);
        test::Canvas canvas(22, 22, 4);
        K::drawClockFaceIcon({ 0, 0, 22, 22 }, ResizingBehavior::aspectFit, gfx::colors::black, c.endAngle);
        // The sector's quarters around (11, 11), 4 out along the diagonals.
        EXPECT_EQ(canvas.alphaAt(14, 14) > 0.5, c.upperRight);
        EXPECT_EQ(canvas.alphaAt(14, 8) > 0.5, c.lowerRight);
        EXPECT_EQ(canvas.alphaAt(8, 8) > 0.5, c.lowerLeft);
        EXPECT_EQ(canvas.alphaAt(8, 14) > 0.5, c.upperLeft);
        // The ring spans the whole design and leaves a gap round the sector.
        EXPECT_GT(canvas.alphaAt(0.2, 11), 0.5);
        EXPECT_GT(canvas.alphaAt(21.8, 11), 0.5);
        EXPECT_LT(canvas.alphaAt(11, 2.8), 0.5);
        test::expectRectNear(test::inkBounds(canvas.bitmap(), 4), { 0, 0, 22, 22 }, 0.3);
    }
}

TEST(StateIcons, ImagesAreMadeAnewInTheColourAsked)
{
    auto a = K::imageOfStarIcon(K::restfullColor());
    auto b = K::imageOfStarIcon(K::restfullColor());
    EXPECT_NE(a, b);
    EXPECT_EQ(a->size(), (gfx::Size { 22, 22 }));
    auto pixels = a->rasterize(2);
    test::expectColorNear(pixels->pixel(22, 22), K::restfullColor());
    EXPECT_TRUE(test::samePixels(*pixels, *b->rasterize(2)));
}

TEST(CupIconShapes, OutlinesHaveTheirStatedStructure)
{
    using namespace cupIconPaths;
    auto wisps = saucerWisps();
    const std::vector<Shape> shapes {
        { "plain body", plainCupBody(), { { 4, 6, true, { 0, 0.20, 17.32, 13.77 } } } },
        { "plain handle", plainCupHandle(), { { 3, 7, true, { 16.51, 4.52, 22 - 16.51, 12.22 - 4.52 } } } },
        { "left wisp", plainLeftWisp(), { { 0, 14, true, { 5.40, 15.54, 8.29 - 5.40, 21.32 - 15.54 } } } },
        { "right wisp", plainRightWisp(), { { 0, 14, true, { 9.56, 15.54, 12.44 - 9.56, 21.32 - 15.54 } } } },
        { "handle loop", saucerHandleLoop(), { { 3, 3, true, {} }, { 3, 3, false, { 9.50, 7.29, 11.5, 5.02 } } } },
        { "saucer body", saucerCupBody(), { { 4, 4, true, { 3.5, 4.5, 14.86, 8.07 } } } },
        { "saucer", saucer(), { { 4, 4, true, { 1, 1.5, 20, 2.49 } } } },
        { "first wisp", wisps[0], { { 0, 19, true, { 6.72, 14.37, 8.49 - 6.72, 19.50 - 14.37 } } } },
        { "second wisp", wisps[1], { { 0, 19, true, { 10.42, 14.32, 12.18 - 10.42, 19.44 - 14.32 } } } },
        { "third wisp", wisps[2], { { 0, 19, true, { 14.04, 14.32, 15.80 - 14.04, 19.44 - 14.32 } } } },
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        test::expectContours(shape.path, shape.contours, 0.05);
    }
}

TEST(CupIcons, MembersDifferOnlyWhereTheyShould)
{
    auto drawn = [](Coloured draw) { return icon([draw](const Rect& frame) { draw(frame, ResizingBehavior::aspectFit, gfx::colors::black); }); };
    auto below = [](const gfx::Bitmap& a, const gfx::Bitmap& b, int rowsFromTop) {
        for (int y = rowsFromTop; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (!(a.pixel(x, y) == b.pixel(x, y)))
                    return false;
        return true;
    };
    // Cup 1 and 2 share cup and handle; 3 and 4 share loop, cup and saucer. Steam starts at 14.3.
    auto one = drawn(&K::drawCoffeeCupIcon1), two = drawn(&K::drawCoffeeCupIcon2);
    auto three = drawn(&K::drawCoffeeCupIcon3), four = drawn(&K::drawCoffeeCupIcon4);
    EXPECT_TRUE(below(*one, *two, (22 - 14) * 4));
    EXPECT_FALSE(test::samePixels(*one, *two));
    EXPECT_TRUE(below(*three, *four, (22 - 14) * 4));
    EXPECT_FALSE(test::samePixels(*three, *four));
    // Mirrored steam: cup 1's wisps span x 5.56 to 12.60, cup 4's x 7.20 to 16.28.
    auto steam = [](const gfx::Bitmap& pixels) {
        int left = pixels.width(), right = 0;
        for (int y = 0; y < 7 * 4; ++y)
            for (int x = 0; x < pixels.width(); ++x)
                if (pixels.pixel(x, y).alpha > 0.5) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return std::pair<double, double> { left / 4.0, (right + 1) / 4.0 };
    };
    auto [oneLeft, oneRight] = steam(*one);
    EXPECT_NEAR(oneLeft, 5.56, 0.5);
    EXPECT_NEAR(oneRight, 12.60, 0.5);
    auto [fourLeft, fourRight] = steam(*four);
    EXPECT_NEAR(fourLeft, 7.20, 0.5);
    EXPECT_NEAR(fourRight, 16.28, 0.5);
}

TEST(CupIcons, RaisedCupsSteamRisesPastTheTopEdge)
{
    auto pixels = icon([](const Rect& frame) { K::drawCoffeeCupIcon(frame, ResizingBehavior::aspectFit, gfx::colors::black); }, gfx::colors::black, 1);
    gfx::Rect ink = test::inkBounds(*pixels, 4);
    EXPECT_NEAR(ink.maxY() - 1, 22.32, 0.3);
    EXPECT_NEAR(ink.minY() - 1, 2.20, 0.3);
    // In its own 22 x 22 image the steam is cut off at the top.
    auto image = K::imageOfCoffeeCupIcon(gfx::colors::black)->rasterize(4);
    EXPECT_GT(image->pixel(int(7.1 * 4), 0).alpha + image->pixel(int(6.9 * 4), 0).alpha + image->pixel(int(11.2 * 4), 0).alpha, 0);
}

TEST(StateIcons, HolesAndGapsStayEmpty)
{
    struct Case {
        const char* name;
        std::function<void()> draw;
        gfx::Point clear, inked;
    };
    const Color ink = gfx::colors::black;
    const Rect design { 0, 0, 22, 22 };
    const auto fit = ResizingBehavior::aspectFit;
    const std::vector<Case> cases {
        { "gear hole", [&] { K::drawGearIcon(design, fit, ink); }, { 11, 11 }, { 11, 15.5 } },
        { "between the target's rings", [&] { K::drawTargetIcon(design, fit, ink); }, { 11.1, 2.8 }, { 11.1, 1.0 } },
        { "between the pause bars", [&] { K::drawPauseIcon(design, fit, ink); }, { 11, 10 }, { 6.4, 10 } },
        { "clock without a sector", [&] { K::drawClockFaceIcon(design, fit, ink, 0); }, { 11, 14 }, { 11, 21 } },
        { "inside the person's circle", [&] { K::drawProfileIcon2(design, fit, ink); }, { 4.5, 10.25 }, { 1.9, 10.25 } },
        { "inside the head", [&] { K::drawProfileIcon(design, fit, ink); }, { 12, 6 }, { 12, 1.5 } },
        { "the working figure's hole", [&] { K::drawWorkingIcon(design, fit, ink); }, { 18.52, 11.2 }, { 16, 11.2 } },
        { "inside the saucer cup's loop", [&] { K::drawCoffeeCupIcon3(design, fit, ink); }, { 19.2, 9.8 }, { 20.5, 9.8 } },
        { "between the plain cup and its handle", [&] { K::drawCoffeeCupIcon2(design, fit, ink); }, { 18.5, 8.4 }, { 21.5, 8.4 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::Canvas canvas(22, 22, 8);
        c.draw();
        EXPECT_LT(canvas.alphaAt(c.clear.x, c.clear.y), 0.05);
        EXPECT_GT(canvas.alphaAt(c.inked.x, c.inked.y), 0.9);
    }
}
