#include "drawing/FolderIconPaths.h"
#include "drawing/MediaIconPaths.h"
#include "drawing/OptionIconPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "drawing/PopUpGlyphPaths.h"
#include "tests/drawing/InkProbes.h"

#include <gtest/gtest.h>

using namespace ostrel;
using gfx::Color;
using gfx::Rect;
using K = OstrelStyleKit;
using test::ExpectedContour;

namespace {

using Tinted = void (*)(const Rect&, ResizingBehavior, const Color&);

const Color kHalfBlue { 0, 0, 1, 0.5 };

Rect box(double x0, double y0, double x1, double y1) { return { x0, y0, x1 - x0, y1 - y0 }; }

struct Shape {
    const char* name;
    gfx::Path path;
    std::vector<ExpectedContour> contours;
};

void expectShapes(const std::vector<Shape>& shapes, double tolerance = 0.05)
{
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        test::expectContours(shape.path, shape.contours, tolerance);
    }
}

// Lines and curves over all contours, and how many run counter-clockwise.
struct Totals {
    int contours = 0, lines = 0, curves = 0, counterClockwise = 0;
};

Totals totals(const gfx::Path& path)
{
    Totals t;
    for (const auto& c : contourShapes(path)) {
        ++t.contours;
        t.lines += c.lines;
        t.curves += c.curves;
        t.counterClockwise += c.counterClockwise;
    }
    return t;
}

std::shared_ptr<gfx::Bitmap> at180(Tinted draw, const Color& tint)
{
    return test::drawn(180, 180, [&] { draw({ 0, 0, 180, 180 }, ResizingBehavior::aspectFit, tint); });
}

}

TEST(OptionGlyphShapes, OutlinesHaveTheirStatedStructure)
{
    using namespace optionIconPaths;
    Totals tools = totals(crossedTools(ToolsDrawing::glyph, { 1, 2, 15, 14.87 }));
    EXPECT_EQ(tools.contours, 8);
    EXPECT_EQ(tools.lines, 28);
    EXPECT_EQ(tools.curves, 97);
    EXPECT_EQ(tools.counterClockwise, 6);
    test::expectRectNear(crossedTools(ToolsDrawing::glyph, { 1, 2, 15, 14.87 }).bounds(), { 1, 2, 15, 14.87 }, 0.01);

    Totals brushTotals = totals(brush());
    EXPECT_EQ(brushTotals.contours, 6);
    EXPECT_EQ(brushTotals.lines, 10);
    EXPECT_EQ(brushTotals.curves, 66);

    Totals slidersTotals = totals(sliderGlyph(4, 19, 1.14, { 3.92, 9.00, 14.08 }, { 14.28, 8.87, 14.28 }, { 3.47, 3.83 }, { 1.82, 2.01 }, 13.07,
        15.56, 7.60, 10.08));
    EXPECT_EQ(slidersTotals.contours, 12);
    EXPECT_EQ(slidersTotals.lines, 18);
    EXPECT_EQ(slidersTotals.curves, 84);

    Totals swap = totals(swapWindows());
    EXPECT_EQ(swap.contours, 4);
    EXPECT_EQ(swap.lines, 26);
    EXPECT_EQ(swap.curves, 40);

    expectShapes({
        { "small gear", smallGear(), { { 24, 24, false, { 0.5, 0.5, 15, 15 } }, { 0, 4, true, box(5.32, 5.32, 10.68, 10.68) } } },
        { "small emblem tools", crossedTools(ToolsDrawing::smallEmblem, box(64, 54.89, 116.11, 106.11)),
            { { 4, 4, true, {} }, { 2, 8, false, {} }, { 2, 8, false, {} }, { 8, 7, true, {} }, { 2, 34, true, {} }, { 2, 22, true, {} },
                { 8, 6, true, {} }, { 0, 8, true, {} } } },
        { "large emblem tools", crossedTools(ToolsDrawing::largeEmblem, box(57.98, 51.99, 121.15, 115.16)),
            { { 8, 8, true, {} }, { 2, 8, true, {} }, { 2, 8, true, {} }, { 16, 7, true, {} }, { 2, 34, true, {} }, { 0, 8, true, {} },
                { 2, 22, true, {} }, { 8, 6, true, {} } } },
    });
}

TEST(OptionGlyphs, CommandButtonKeepsItsProportionAndItsChevronApart)
{
    // Fitted into a square, the 29 x 16 button sits in the middle band.
    auto pixels = test::drawn(58, 58, [] { K::drawCommandButtonIcon({ 0, 0, 58, 58 }, ResizingBehavior::aspectFit, gfx::colors::white); });
    gfx::Rect ink = test::inkBounds(*pixels);
    EXPECT_NEAR(ink.minY(), 13, 1.5);
    EXPECT_NEAR(ink.maxY(), 45, 1.5);
    // One fill and one stroke that never meet: a translucent colour shows nowhere darker.
    auto translucent = test::drawn(58, 32, [] { K::drawCommandButtonIcon({ 0, 0, 58, 32 }, ResizingBehavior::aspectFit, kHalfBlue); });
    EXPECT_LT(test::strongestAlpha(*translucent), 0.52);
}

TEST(OptionGlyphs, OneFillEachSoNothingDarkens)
{
    for (auto [name, draw, size] : std::initializer_list<std::tuple<const char*, Tinted, gfx::Size>> {
             { "gear", &K::drawLabelOption, { 16, 16 } }, { "tools", &K::drawLabelOption2, { 18, 18 } }, { "brush", &K::drawLabelOption3, { 18, 18 } },
             { "sliders", &K::drawLabelOption4, { 20, 18 } }, { "preferences", &K::drawStatePreferencesIcon2, { 21, 18 } },
             { "swap", &K::drawSwapIcon, { 19, 18 } } }) {
        SCOPED_TRACE(name);
        auto pixels = test::drawn(int(size.width * 4), int(size.height * 4),
            [&] { draw({ 0, 0, size.width * 4, size.height * 4 }, ResizingBehavior::aspectFit, kHalfBlue); });
        EXPECT_GT(test::inkedPixels(*pixels), 50);
        EXPECT_LT(test::strongestAlpha(*pixels), 0.52);
    }
}

TEST(PopUpGlyphShapes, OutlinesHaveTheirStatedStructure)
{
    using namespace popUpGlyphPaths;
    std::vector<ExpectedContour> brackets;
    for (Rect r : { box(30, 110.7, 69.09, 149.56), box(110.51, 110.7, 149.61, 149.56), box(30, 30, 69.09, 68.85), box(110.51, 30, 149.61, 68.85) })
        brackets.push_back({ 4, 8, true, r });
    expectShapes({
        { "chevron", chevronRight(), { { 4, 8, true, box(99, 36, 159.11, 142.54) } } },
        { "next action", nextActionArrow(), { { 12, 17, true, box(31, 42, 147.99, 136.53) } } },
        { "next action 4", nextAction4Arrow(), { { 12, 17, true, box(55, 39, 154.88, 141.3) } } },
        { "next action 5", nextAction5Arrow(), { { 12, 17, true, box(57, 48, 153.46, 130.76) } } },
        { "up arrow", upArrow(), { { 12, 16, true, box(59, 53, 119.74, 126.19) } } },
        { "down arrow", downArrow(), { { 12, 16, true, box(1, 2, 18, 17) } } },
        { "navigation brackets", navigationBrackets(), brackets },
        { "navigation pointer", navigationPointer(), { { 4, 10, true, box(52.5, 52.57, 120.35, 120.48) } } },
    },
        0.15);
    Totals option = totals(optionSliders());
    EXPECT_EQ(option.contours, 12);
    EXPECT_EQ(option.counterClockwise, 9);
    test::expectRectNear(optionSliders().bounds(), box(40, 47, 139.59, 132), 0.01);
}

TEST(PopUpGlyphs, SeparateBarsDarkenWhereTheyCrossSinglePathsDoNot)
{
    struct Case {
        const char* name;
        Tinted draw;
        bool darkens;
    };
    for (const Case& c : { Case { "chevron", &K::drawChevronRight, false }, Case { "next action", &K::drawNextAction, false },
             Case { "next action 2", &K::drawNextAction2, true }, Case { "next action 3", &K::drawNextAction3, true },
             Case { "next action 4", &K::drawNextAction4, false }, Case { "next action 6", &K::drawNextAction6, true },
             Case { "option", &K::drawOption, false }, Case { "navigation", &K::drawNavigationAction, false } }) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(test::strongestAlpha(*at180(c.draw, kHalfBlue)) > 0.6, c.darkens);
    }
}

TEST(PopUpGlyphs, KnobHolesStayEmpty)
{
    test::Canvas canvas(180, 180);
    K::drawOption({ 0, 0, 180, 180 }, ResizingBehavior::aspectFit, gfx::colors::black);
    EXPECT_EQ(canvas.alphaAt(108.24, 58.65), 0);
    EXPECT_EQ(canvas.alphaAt(72.35, 89.48), 0);
    EXPECT_GT(canvas.alphaAt(98.5, 58.65), 0.9);
    EXPECT_GT(canvas.alphaAt(50, 58.65), 0.9);
}

TEST(PopUpGlyphs, SquareFramesLookAlikeFittedOrFilled)
{
    for (Tinted draw : { &K::drawChevronRight, &K::drawNextAction6, &K::drawFolder, &K::drawHelpItem }) {
        auto fit = test::drawn(90, 90, [draw] { draw({ 0, 0, 90, 90 }, ResizingBehavior::aspectFit, gfx::colors::black); });
        auto fill = test::drawn(90, 90, [draw] { draw({ 0, 0, 90, 90 }, ResizingBehavior::aspectFill, gfx::colors::black); });
        EXPECT_TRUE(test::samePixels(*fit, *fill));
    }
}

TEST(FolderShapes, OutlinesHaveTheirStatedStructure)
{
    using namespace folderIconPaths;
    const ExpectedContour outer { 6, 12, true, box(4, 21, 176, 159) }, inner { 6, 12, false, box(10.75, 27.79, 169.25, 152.41) };
    expectShapes({
        { "folder", folder(), { outer, inner } },
        { "folder with divider", folder(true), { outer, inner, { 4, 0, true, box(7.97, 108.67, 172.33, 115.16) } } },
        { "hammer", hammer(),
            { { 8, 8, true, box(52.9, 44.91, 101.92, 94.53) }, { 12, 24, true, box(73.23, 71.07, 127.04, 115.02) },
                { 12, 16, false, box(79.53, 76.57, 121.51, 110.36) } } },
        { "navigation", navigationEmblem(), { { 4, 14, true, box(65.92, 56.91, 113.08, 104.05) } } },
        { "help", helpEmblem(),
            { { 0, 16, true, box(57, 36, 122, 101) }, { 0, 16, false, {} }, { 3, 24, true, box(79.38, 61.9, 100.31, 85.01) },
                { 0, 8, true, box(85.05, 52.23, 92.46, 59.32) } } },
        { "help item", helpItem(),
            { { 0, 16, true, box(26, 26, 153, 153.61) }, { 0, 16, false, box(36.65, 36.63, 142.42, 142.98) },
                { 3, 27, true, box(70.2, 76.86, 109.98, 121.83) }, { 0, 8, true, box(81.41, 58.22, 94.79, 71.23) } } },
        { "archive", archiveBox(),
            { { 8, 8, true, box(56.81, 47, 122.29, 99.49) }, { 4, 8, true, box(74.19, 80.64, 105.0, 87.82) },
                { 4, 8, true, box(51, 96.22, 128.15, 118.19) }, { 4, 8, false, box(58.03, 102.76, 121.07, 111.6) } } },
        { "sound", soundEmblem(), { { 6, 14, true, box(61, 45, 107.34, 113.36) } } },
        { "outlined sound", soundEmblem2(), { { 6, 14, true, box(60, 44, 107.27, 112.36) }, { 6, 12, false, box(66.84, 52.94, 100.48, 103.42) } } },
        { "stats", statsEmblem(),
            { { 4, 8, true, box(50, 53, 72.86, 92.31) }, { 4, 8, true, box(78.05, 53, 100.95, 101.17) }, { 4, 8, true, box(106.14, 53, 129, 110) } } },
        { "sidebar", sideBarEmblem(),
            { { 4, 8, true, box(44, 48, 134.58, 119.19) }, { 4, 8, false, box(51.03, 55.08, 127.54, 112.11) },
                { 4, 0, true, box(87.3, 53.71, 94.13, 113.33) }, { 2, 8, true, box(99.11, 97.95, 122.61, 102.74) },
                { 2, 8, true, box(99.11, 88.19, 122.61, 92.97) }, { 2, 8, true, box(99.11, 78.42, 122.61, 83.16) } } },
        { "globe", globe(),
            { { 0, 16, true, box(73.38, 50.05, 105.62, 110.76) }, { 0, 16, false, box(78.13, 54.42, 100.87, 106.38) },
                { 4, 0, true, box(87.15, 50.65, 91.81, 110.32) }, { 2, 10, true, box(66.54, 59.28, 112.46, 69.04) },
                { 4, 0, true, box(60.5, 78.08, 118.46, 82.73) }, { 2, 10, true, box(66.54, 91.61, 112.46, 101.36) },
                { 0, 16, true, box(57, 48, 122, 112.81) }, { 0, 16, false, box(61.87, 52.82, 117.13, 107.99) } } },
    },
        0.1);
}

TEST(FolderIcons, EmblemAndFolderNeverOverlapAndTheInsideStaysClear)
{
    const std::vector<std::pair<const char*, Tinted>> folders { { "folder", &K::drawFolder }, { "options", &K::drawOptionsFolder },
        { "tools", &K::drawToolsFolder }, { "tools 2", &K::drawToolsFolder2 }, { "tools 3", &K::drawToolsFolder3 },
        { "navigation", &K::drawNavigationFolder }, { "navigation 2", &K::drawNavigationFolder2 }, { "help", &K::drawHelpFolder },
        { "help 2", &K::drawHelpFolder2 }, { "log", &K::drawLogFolder }, { "sound", &K::drawSoundFolder }, { "sound 2", &K::drawSoundFolder2 },
        { "stats", &K::drawStatsFolder }, { "sidebar", &K::drawSideBarFolder }, { "folder 2", &K::drawFolder2 },
        { "preferences", &K::drawPreferencesFolder } };
    for (auto [name, draw] : folders) {
        SCOPED_TRACE(name);
        auto pixels = at180(draw, kHalfBlue);
        EXPECT_LT(test::strongestAlpha(*pixels), 0.52);
        // Between the band and the emblem, just inside the band's lower left.
        EXPECT_EQ(pixels->pixel(20, 180 - 40).alpha, 0);
        // The band itself.
        EXPECT_GT(pixels->pixel(7, 90).alpha, 0.45);
    }
    // The action folder's arrow is three fills that cross.
    EXPECT_GT(test::strongestAlpha(*at180(&K::drawActionFolder, kHalfBlue)), 0.6);
}

TEST(FolderIcons, DividerOnlyWhereAsked)
{
    for (auto [draw, divider] : std::initializer_list<std::pair<Tinted, bool>> { { &K::drawHelpFolder, true }, { &K::drawFolder2, true },
             { &K::drawHelpFolder2, false }, { &K::drawLogFolder, false }, { &K::drawPreferencesFolder, false } }) {
        auto pixels = at180(draw, gfx::colors::black);
        EXPECT_EQ(pixels->pixel(30, 180 - 112).alpha > 0.5, divider);
    }
}

TEST(FolderIcons, ActionArrowStaysInItsBox)
{
    auto withArrow = at180(&K::drawActionFolder, gfx::colors::black);
    auto plain = at180(&K::drawFolder, gfx::colors::black);
    for (int y = 0; y < 180; ++y) {
        for (int x = 0; x < 180; ++x) {
            if (withArrow->pixel(x, y).alpha > plain->pixel(x, y).alpha + 0.01) {
                gfx::Point p { x + 0.5, 180 - y - 0.5 };
                ASSERT_TRUE(box(58.5, 61, 120.5, 109.5).contains(p)) << x << "," << y;
            }
        }
    }
}

TEST(MediaShapes, OutlinesHaveTheirStatedStructure)
{
    using namespace mediaIconPaths;
    expectShapes({
        { "stop", stop(), { { 4, 8, true, box(50, 50, 129.54, 129.59) } } },
        { "play", play(), { { 3, 12, true, box(53, 48, 126.83, 130.67) } } },
        { "unmute", unmute(), { { 6, 14, true, box(60, 46, 118.15, 132.13) } } },
        { "mute", mute(),
            { { 4, 8, true, box(53.72, 49.25, 111.53, 108.92) }, { 4, 5, true, box(77.98, 79.62, 111.87, 135.38) },
                { 2, 8, true, box(44, 43, 135.16, 134.14) } } },
        { "statistics", statistics(),
            { { 4, 8, true, box(37, 50, 67.12, 104.37) }, { 4, 8, true, box(74.92, 50, 105.04, 116.66) }, { 4, 8, true, box(112.88, 50, 143, 129) } } },
    },
        0.4);
}

TEST(MediaIcons, OnlyTheArrowCanvasDarkensInATranslucentTint)
{
    for (auto [name, draw, darkens] : std::initializer_list<std::tuple<const char*, Tinted, bool>> { { "stop", &K::drawStop, false },
             { "play", &K::drawPlay, false }, { "mute", &K::drawMute, false }, { "unmute", &K::drawUnmute, false },
             { "statistics", &K::drawStatistics, false }, { "up arrow", &K::drawUpArrow, false }, { "arrow canvas", &K::drawCanvas2, true } }) {
        SCOPED_TRACE(name);
        EXPECT_EQ(test::strongestAlpha(*at180(draw, kHalfBlue)) > 0.6, darkens);
    }
}

TEST(MediaIcons, CustomPadKeepsItsBlackStripAndOneShadow)
{
    test::Canvas canvas(18, 18, 4);
    K::drawPadIconWithCustomColor({ 0, 0, 18, 18 }, ResizingBehavior::aspectFit, gfx::colors::red);
    test::expectColorNear(canvas.at(4.5, 8), gfx::colors::black);
    test::expectColorNear(canvas.at(10, 8), gfx::colors::red);
    // The shadow below the pad's lower right.
    EXPECT_GT(canvas.alphaAt(15.3, 0.6), 0.05);
    EXPECT_LT(canvas.alphaAt(15.3, 0.6), 0.9);

    // Stretched twice as wide, the shadow follows the smaller (vertical) factor.
    auto stretched = test::drawn(144, 36, [] { K::drawPadIconWithCustomColor({ 0, 0, 72, 18 }, ResizingBehavior::stretch, gfx::colors::red); }, false);
    EXPECT_GT(test::inkedPixels(*stretched), 0);
    auto image = K::imageOfPadIconWithCustomColor(gfx::colors::red);
    EXPECT_EQ(image->size(), (gfx::Size { 18, 18 }));
    EXPECT_NE(image, K::imageOfPadIconWithCustomColor(gfx::colors::red));
}

TEST(MediaIcons, DownArrowIsWiderThanHighAndCentredInASquare)
{
    auto pixels = test::drawn(40, 40, [] { K::drawDownArrow({ 0, 0, 40, 40 }, ResizingBehavior::aspectFit, gfx::colors::black); });
    gfx::Rect ink = test::inkBounds(*pixels);
    // 20 x 18 fitted into 40 x 40 is 40 x 36, 2 free above and below; the ink lies 2 to 17.
    EXPECT_NEAR(ink.minY(), 2 + 2 * 2, 1);
    EXPECT_NEAR(ink.maxY(), 2 + 17 * 2, 1);
    EXPECT_NEAR(ink.midX(), 19, 1);
}
