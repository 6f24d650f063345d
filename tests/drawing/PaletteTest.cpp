#include "drawing/BreakTimeStyleKit.h"
#include "drawing/BricksDrawing.h"
#include "drawing/OstrelStyleKit.h"
#include "tests/drawing/KitCanvas.h"

#include <gtest/gtest.h>

using namespace ostrel;
using K = OstrelStyleKit;

TEST(Palette, NamedColoursAreMadeOnceAndKeptByIdentity)
{
    EXPECT_EQ(&K::commandHighlightedButDisabled(), &K::commandHighlightedButDisabled());
    EXPECT_EQ(&BreakTimeStyleKit::flashColor(), &BreakTimeStyleKit::flashColor());
    EXPECT_EQ(&BricksDrawing::lightShadow(), &BricksDrawing::lightShadow());
    EXPECT_EQ(&BricksDrawing::standardHighlightGradient(), &BricksDrawing::standardHighlightGradient());
    // Equal components, two colours.
    EXPECT_EQ(K::n8(), K::n10());
    EXPECT_NE(&K::n8(), &K::n10());
}

TEST(Palette, DerivedCommandColoursFollowTheirRules)
{
    test::expectColorNear(K::commandHighlightedTitle(), K::commandSearchFieldActive(), 1e-9);
    test::expectColorNear(K::commandHighlightedByLine(), { 0.388 * 0.7, 0.894 * 0.7, 0.988 * 0.7, 1 }, 1e-9);
    test::expectColorNear(K::commandByLine(), { 0.5, 0.5, 0.5, 1 }, 1e-12);

    const gfx::Color& disabled = K::commandHighlightedButDisabled();
    EXPECT_NEAR(disabled.brightness(), 0.7, 1e-9);
    EXPECT_NEAR(disabled.hue() * 360, 189.4, 0.1);
    EXPECT_NEAR(disabled.saturation(), 0.607, 0.001);
    test::expectColorNear(disabled, { 0.275, 0.633, 0.7, 1 }, 0.001);
}

TEST(Palette, StateAndRampColours)
{
    test::expectColorNear(K::workingColor(), { 1.0, 0.874, 0.31, 1 }, 1e-12);
    test::expectColorNear(K::pausedColor(), { 0.733, 0.408, 0.95, 1 }, 1e-12);
    test::expectColorNear(K::n0(), { 0.343, 0.375, 0.44, 1 }, 1e-12);
    test::expectColorNear(BreakTimeStyleKit::flashColor(), { 0.214, 0.24, 0.325, 1 }, 1e-12);
}

TEST(Palette, SkinPaletteGradientAndShadow)
{
    EXPECT_EQ(BricksDrawing::darkText().alpha, 0.969);
    EXPECT_EQ(BricksDrawing::darkHighlightedStroke().alpha, 0.0);

    const auto& stops = BricksDrawing::standardHighlightGradient().stops();
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_EQ(stops[0].color, BricksDrawing::highlightGradientStart());
    EXPECT_EQ(stops[2].color, BricksDrawing::highlightGradientEnd());
    EXPECT_EQ(stops[1].location, 0.5);
    test::expectColorNear(stops[1].color, { 0.08, 0.405, 0.79, 1 }, 1e-9);

    const gfx::Shadow& shadow = BricksDrawing::lightShadow();
    test::expectColorNear(shadow.color, gfx::colors::lightGray.withAlpha(0.5), 1e-12);
    EXPECT_EQ(shadow.offset, (gfx::Size { 0, -0.5 }));
    EXPECT_EQ(shadow.blurRadius, 2);
}
