#include "drawing/OstrelStyleKit.h"
#include "drawing/WindowIconPaths.h"
#include "tests/drawing/InkProbes.h"

#include <gtest/gtest.h>

using namespace ostrel;
using gfx::Color;
using gfx::Rect;
using K = OstrelStyleKit;

namespace {

using Draw = void (*)(const Rect&, ResizingBehavior);

struct Icon {
    const char* name;
    Draw draw;
    gfx::Size design;
    // Where the ink lies in design units, shadows left out (threshold above their alpha).
    Rect ink;
    // A point of the design and the colour it shows.
    gfx::Point probe;
    Color color;
    bool shadow;
};

const Color kLaterGreen { 0.722, 0.965, 0.514, 1 };
const Color kScratchViolet { 0.832, 0.757, 0.993, 1 };

const std::vector<Icon>& icons()
{
    static const std::vector<Icon> table {
        { "now pad", &K::drawNowPadIcon, { 18, 18 }, { 3, 1, 12, 15 }, { 10, 8 }, K::lightYellow(), true },
        { "later pad", &K::drawLaterPadIcon, { 18, 18 }, { 3, 1, 12, 15 }, { 10, 8 }, kLaterGreen, true },
        { "scratch pad", &K::drawScratchPadIcon, { 18, 18 }, { 3, 1, 12, 15 }, { 10, 8 }, kScratchViolet, true },
        { "log book", &K::drawLogBookIcon, { 18, 18 }, { 3, 1, 12, 15 }, { 9, 11.5 }, gfx::colors::black, true },
        { "stats", &K::drawStatsIcon, { 18, 18 }, { 2, 2, 14, 12 }, { 4, 13 }, gfx::colors::white, true },
        { "title-bar button", &K::drawTitleBarRoundButton, { 13, 16 }, { 1, 1, 12, 12 }, { 7, 7 }, gfx::colors::gray, false },
        { "window mask", &K::drawMainWindowMask, { 64, 64 }, { 0, 0, 64, 64 }, { 32, 32 }, gfx::colors::black, false },
        { "filter", &K::drawFilterIcon, { 10, 12 }, { 1, 2, 8, 8 }, { 5, 4 }, gfx::colors::black, false },
        { "state preferences", &K::drawStatePreferencesIcon, { 16, 18 }, { 1, 2, 14, 13 }, { 7.5, 13.5 }, gfx::colors::white, false },
        { "help index", &K::drawHelpIndexIcon, { 16, 18 }, { 1, 3.5, 13, 10 }, { 5, 8.5 }, gfx::colors::white, false },
        { "hide", &K::drawHideIcon, { 18, 18 }, { 0, 2.1, 18, 13.8 }, { 1, 9.1 }, gfx::colors::black, false },
        { "logo", &K::drawLogo, { 187, 21 }, { 17, 2, 157, 14.77 }, { 18.5, 9 }, gfx::colors::white, true },
    };
    return table;
}

bool inked(const test::Canvas& canvas, double x, double y) { return canvas.alphaAt(x, y) > 0.5; }

}

TEST(WindowIcons, InkStaysInsideTheStatedShapesAndColours)
{
    constexpr double scale = 4;
    for (const Icon& icon : icons()) {
        SCOPED_TRACE(icon.name);
        test::Canvas canvas(int(icon.design.width), int(icon.design.height), scale);
        icon.draw({ 0, 0, icon.design.width, icon.design.height }, ResizingBehavior::aspectFit);
        // A shadow is black at most half strength where it falls outside the shapes.
        test::expectRectNear(test::inkBounds(canvas.bitmap(), scale, 0.6), icon.ink, 0.4);
        test::expectColorNear(canvas.at(icon.probe.x, icon.probe.y), icon.color, 0.03);
    }
}

namespace {

// How far a drawing's faint ink (a shadow) reaches below its solid ink, in points.
double shadowBelow(const std::function<void()>& draw, int width, int height)
{
    constexpr double scale = 4;
    test::Canvas canvas(width, height, scale);
    draw();
    return test::inkBounds(canvas.bitmap(), scale, 0.6).minY() - test::inkBounds(canvas.bitmap(), scale, 0.02).minY();
}

}

TEST(WindowIcons, ShadowsFallOnlyWhereTheyAreCast)
{
    for (const Icon& icon : icons()) {
        SCOPED_TRACE(icon.name);
        gfx::Size design = icon.design;
        double below = shadowBelow([&] { icon.draw({ 0, 3, design.width, design.height }, ResizingBehavior::aspectFit); },
            int(design.width) + 4, int(design.height) + 6);
        // An offset (0.5, -0.5) shadow blurred by 1 reaches well past the edge's anti-aliasing.
        EXPECT_EQ(below > 0.75, icon.shadow) << below;
    }
}

TEST(WindowIcons, PadShadowFollowsTheSmallerScale)
{
    // Stretched twice as wide, the shadow stays at scale 1; fitted twice as large, it doubles.
    double stretched = shadowBelow([] { K::drawLaterPadIcon({ 0, 4, 36, 18 }, ResizingBehavior::stretch); }, 40, 26);
    double doubled = shadowBelow([] { K::drawLaterPadIcon({ 0, 4, 36, 36 }, ResizingBehavior::aspectFit); }, 40, 44);
    EXPECT_GT(stretched, 0.75);
    EXPECT_GT(doubled, stretched * 1.5);
}

TEST(WindowIcons, PlaceholdersPaintNothingAtTheirSizes)
{
    struct Placeholder {
        Draw draw;
        std::shared_ptr<gfx::Image> (*image)();
        gfx::Size size;
    };
    for (const Placeholder& p : { Placeholder { &K::drawEmptyPlaceholderIcon, &K::imageOfEmptyPlaceholderIcon, { 20, 18 } },
             Placeholder { &K::drawEmptyEndPlaceholderIcon, &K::imageOfEmptyEndPlaceholderIcon, { 29, 18 } },
             Placeholder { &K::drawEmptyStartPlaceholderIcon, &K::imageOfEmptyStartPlaceholderIcon, { 24, 18 } } }) {
        test::Canvas canvas(40, 40);
        canvas.context().setFillColor(gfx::colors::red);
        p.draw({ 0, 0, 40, 40 }, ResizingBehavior::stretch);
        EXPECT_EQ(test::inkedPixels(canvas.bitmap()), 0);
        EXPECT_EQ(canvas.context().fillColor(), gfx::colors::red);
        EXPECT_EQ(p.image()->size(), p.size);
        EXPECT_EQ(test::inkedPixels(*p.image()->rasterize()), 0);
        EXPECT_EQ(p.image(), p.image());
    }
}

TEST(WindowIcons, EyeOpeningStaysClearBesideTheStrikeBar)
{
    test::Canvas canvas(18, 18, 8);
    K::drawHideIcon({ 0, 0, 18, 18 }, ResizingBehavior::aspectFit);
    EXPECT_FALSE(inked(canvas, 7.5, 7.0));
    EXPECT_FALSE(inked(canvas, 10.5, 11.2));
    EXPECT_TRUE(inked(canvas, 9, 9.1));
    EXPECT_TRUE(inked(canvas, 1, 9.1));
    EXPECT_TRUE(inked(canvas, 17, 9.1));
    // The bar runs from upper left to lower right.
    EXPECT_TRUE(inked(canvas, 3.5, 15.5));
    EXPECT_FALSE(inked(canvas, 14.5, 15.5));
}

TEST(WindowIcons, EyeHalvesAreCutAlongTheBar)
{
    gfx::Path eye = windowIconPaths::hideEye();
    EXPECT_EQ(eye.windingRule(), gfx::WindingRule::evenOdd);
    test::expectContours(eye, { { 2, 6, true, { 0, 4.71, 11.43, 12.8 - 4.71 } }, { 2, 6, true, { 6.62, 5.4, 18 - 6.62, 13.49 - 5.4 } } });
}

TEST(WindowIcons, WordMarkIsEightShapesEachCastingItsOwnShadow)
{
    auto shapes = windowIconPaths::logoShapes();
    ASSERT_EQ(shapes.size(), 8u);
    int withTwoContours = 0;
    gfx::Rect all;
    for (const gfx::Path& shape : shapes) {
        withTwoContours += contourShapes(shape).size() == 2;
        all = all.unionWith(shape.bounds());
    }
    EXPECT_GE(withTwoContours, 1);
    test::expectRectNear(all, { 17, 2, 173.99 - 17, 16.77 - 2 }, 0.01);
}

TEST(WindowIcons, HelpMarkIsClippedToItsTextBox)
{
    test::Canvas canvas(18, 18, 4);
    K::drawHelpIcon({ 0, 0, 18, 18 }, ResizingBehavior::aspectFit);
    gfx::Rect glyph = test::inkBounds(canvas.bitmap(), 4, 0.6);
    EXPECT_GE(glyph.minX(), 1);
    EXPECT_LE(glyph.maxX(), 17);
    EXPECT_GE(glyph.minY(), 2);
    EXPECT_LE(glyph.maxY(), 16);
    EXPECT_GT(glyph.height(), 8);
}

TEST(WindowIcons, DemonstrationCanvasShadowsOnceOutsideOnceInside)
{
    test::Canvas canvas(200, 200);
    canvas.context().setFillColor(gfx::colors::white);
    canvas.context().fillRect({ 0, 0, 200, 200 });
    K::drawCanvas1({ 0, 0, 200, 200 }, ResizingBehavior::aspectFit);
    // Below the upper rectangle its shadow; below the lower one nothing.
    EXPECT_LT(canvas.at(100, 110).red, 0.95);
    EXPECT_EQ(canvas.at(100, 31), gfx::colors::white);
    // Inside the lower rectangle, under its top edge, the inner shadow darkens the green.
    EXPECT_LT(canvas.at(100, 88).green, 0.9);
    test::expectColorNear(canvas.at(100, 40), gfx::colors::green);
    test::expectColorNear(canvas.at(40, 120), gfx::colors::green);
}

TEST(TextIndicators, LettersAreBlackInsideTheSquareAndLinesWhereTheySay)
{
    using Image = std::shared_ptr<gfx::Image> (*)();
    for (auto [name, image] : std::initializer_list<std::pair<const char*, Image>> { { "bold", &K::imageOfBoldIndicator },
             { "strike", &K::imageOfStrikeThroughIndicator }, { "underline", &K::imageOfUnderlineIndicator },
             { "plain", &K::imageOfPlainIndicator }, { "italics", &K::imageOfItalicsIndicator } }) {
        SCOPED_TRACE(name);
        EXPECT_EQ(image(), image());
        EXPECT_EQ(image()->size(), (gfx::Size { 20, 20 }));
        auto pixels = image()->rasterize(2);
        EXPECT_GT(test::inkedPixels(*pixels), 20);
        for (int y = 0; y < pixels->height(); ++y) {
            for (int x = 0; x < pixels->width(); ++x) {
                if (pixels->pixel(x, y).alpha > 0.1) {
                    ASSERT_LT(pixels->pixel(x, y).red + pixels->pixel(x, y).green + pixels->pixel(x, y).blue, 0.01);
                }
            }
        }
    }
    // Round caps reach past the strike's ends; the underline's butt caps stop at them.
    test::Canvas strike(20, 20, 8);
    K::drawStrikeThroughIndicator({ 0, 0, 20, 20 }, ResizingBehavior::aspectFit);
    EXPECT_TRUE(inked(strike, 4.2, 9.5));
    test::Canvas underline(20, 20, 8);
    K::drawUnderlineIndicator({ 0, 0, 20, 20 }, ResizingBehavior::aspectFit);
    EXPECT_FALSE(inked(underline, 5.3, 3.5));
    EXPECT_TRUE(inked(underline, 5.8, 3.5));
    EXPECT_TRUE(inked(underline, 14.3, 3.5));
}

TEST(TextIndicators, PlainLetterSitsLeftOfTheCentreByItsTrailingSpace)
{
    auto plain = test::inkBounds(*K::imageOfPlainIndicator()->rasterize(4), 4);
    auto bold = test::inkBounds(*K::imageOfBoldIndicator()->rasterize(4), 4);
    EXPECT_LT(plain.midX(), 9.6);
    EXPECT_NEAR(bold.midX(), 10, 0.6);
}

TEST(TextIndicators, FittedIntoAWideFrameStayAtDesignSizeInTheMiddle)
{
    auto pixels = test::drawn(40, 20, [] { K::drawBoldIndicator({ 0, 0, 40, 20 }, ResizingBehavior::aspectFit); });
    gfx::Rect ink = test::inkBounds(*pixels);
    EXPECT_GE(ink.minX(), 10);
    EXPECT_LE(ink.maxX(), 30);
}
