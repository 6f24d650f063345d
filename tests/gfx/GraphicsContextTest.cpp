#include "tests/support/gfx/Canvas.h"

#include "platform/gfx/Path.h"

#include <cmath>
#include <limits>

namespace {

using gfx::Color;
using gfx::Path;
using gfx::Rect;
using gfx::test::Canvas;
using gfx::test::expectColorNear;
namespace colors = gfx::colors;

TEST(GraphicsContext, UnflippedPutsTheOriginBottomLeft)
{
    Canvas canvas(20, 20);
    EXPECT_FALSE(canvas.context().isFlipped());
    canvas.context().setFillColor(colors::red);
    canvas.context().fillRect({ 0, 0, 10, 5 });
    EXPECT_EQ(canvas.bitmap().pixel(2, 18), colors::red);
    EXPECT_EQ(canvas.bitmap().pixel(2, 2), colors::clear);

    Canvas flipped(20, 20, 1, true);
    EXPECT_TRUE(flipped.context().isFlipped());
    flipped.context().setFillColor(colors::red);
    flipped.context().fillRect({ 0, 0, 10, 5 });
    EXPECT_EQ(flipped.bitmap().pixel(2, 2), colors::red);
}

TEST(GraphicsContext, ScaleDrawsPointsAtPixelDensity)
{
    Canvas canvas(10, 10, 2);
    canvas.context().setFillColor(colors::blue);
    canvas.context().fillRect({ 0, 0, 5, 5 });
    EXPECT_EQ(canvas.bitmap().pixel(9, 19), colors::blue);
    EXPECT_EQ(canvas.bitmap().pixel(10, 19), colors::clear);
}

TEST(GraphicsContext, SaveAndRestorePairStateAndTransform)
{
    Canvas canvas(40, 20);
    auto& context = canvas.context();
    context.setFillColor(colors::red);
    context.save();
    context.setFillColor(colors::blue);
    context.setAlpha(0.5);
    context.translate(20, 0);
    context.clipToRect({ 0, 0, 5, 5 });
    context.fillRect({ 0, 0, 10, 10 });
    context.restore();
    context.restore(); // one too many: ignored
    EXPECT_EQ(context.fillColor(), colors::red);
    EXPECT_EQ(context.alpha(), 1);
    EXPECT_EQ(context.ctm(), (gfx::AffineTransform { 1, 0, 0, -1, 0, 20 }));
    expectColorNear(canvas.at(22, 2), colors::blue.withAlpha(0.5));
    EXPECT_EQ(canvas.at(27, 2), colors::clear);
    context.fillRect({ 0, 0, 10, 10 });
    EXPECT_EQ(canvas.at(2, 2), colors::red);
}

TEST(GraphicsContext, OperationsCombineWithWhatIsThere)
{
    Canvas canvas(30, 10);
    auto& context = canvas.context();
    context.setFillColor(colors::red);
    context.fillRect({ 0, 0, 30, 10 });

    context.setOperation(gfx::Operation::copy);
    context.setFillColor(colors::blue.withAlpha(0.5));
    context.fillRect({ 0, 0, 10, 10 });
    expectColorNear(canvas.at(5, 5), colors::blue.withAlpha(0.5));

    context.setOperation(gfx::Operation::sourceOver);
    context.fillRect({ 10, 0, 10, 10 });
    expectColorNear(canvas.at(15, 5), Color::rgb(0.5, 0, 0.5));

    // Source-atop paints only where something already is.
    context.setOperation(gfx::Operation::clear);
    context.fillRect({ 20, 0, 5, 10 });
    context.setOperation(gfx::Operation::sourceAtop);
    context.setFillColor(colors::green);
    context.fillRect({ 20, 0, 10, 10 });
    EXPECT_EQ(canvas.at(22, 5), colors::clear);
    EXPECT_EQ(canvas.at(27, 5), colors::green);
}

TEST(GraphicsContext, ShadowFallsAtItsBaseSpaceOffset)
{
    for (bool flipped : { false, true }) {
        Canvas canvas(60, 60, 1, flipped);
        auto& context = canvas.context();
        context.setShadow(gfx::Shadow { colors::black, { 10, 10 }, 0 });
        context.setFillColor(colors::red);
        // In a flipped space the rectangle's y runs down, yet the shadow still goes up.
        double y = flipped ? 30 : 20;
        context.fillRect({ 20, y, 10, 10 });
        Color shadow = flipped ? canvas.bitmap().pixel(35, 25) : canvas.at(35, 35);
        EXPECT_EQ(shadow, colors::black) << flipped;
        EXPECT_EQ(canvas.bitmap().pixel(25, 35), colors::red) << flipped;
    }
}

TEST(GraphicsContext, ShadowOfAShapeClippedAwayStillFalls)
{
    Canvas canvas(60, 60);
    auto& context = canvas.context();
    context.clipToRect({ 30, 0, 30, 60 });
    context.setShadow(gfx::Shadow { colors::black, { 20, 0 }, 4 });
    context.setFillColor(colors::red);
    context.fillRect({ 5, 20, 20, 20 });
    EXPECT_EQ(canvas.at(15, 30), colors::clear);
    EXPECT_GT(canvas.alphaAt(36, 30), 0.9);
    // Blurred edge: fading out beyond the offset shape's right side.
    double edge = canvas.alphaAt(45, 30);
    EXPECT_GT(edge, 0.2);
    EXPECT_LT(edge, 0.8);
    EXPECT_LT(canvas.alphaAt(52, 30), 0.05);
    // Nothing outside the clip, though the shadow's left part would fall there.
    EXPECT_EQ(canvas.at(28, 30), colors::clear);
}

TEST(GraphicsContext, BlurSpreadsHalfTheRadiusAsSigma)
{
    Canvas canvas(100, 40);
    auto& context = canvas.context();
    context.setShadow(gfx::Shadow { colors::black, { 0, 0 }, 20 });
    context.setFillColor(Color::white(1));
    context.fillRect({ 50, -100, 100, 300 });
    // A straight edge blurred by σ = 10: one σ outside the edge the shadow is at about 16 %.
    EXPECT_NEAR(canvas.alphaAt(39.5, 20), 0.16, 0.03);
    EXPECT_NEAR(canvas.alphaAt(49.5, 20), 0.5, 0.04);
}

TEST(GraphicsContext, LayerCastsOneShadowForItsShapes)
{
    Canvas canvas(80, 40);
    auto& context = canvas.context();
    context.setShadow(gfx::Shadow { colors::black.withAlpha(0.5), { 0, -10 }, 0 });
    context.beginTransparencyLayer();
    EXPECT_FALSE(context.shadow());
    context.setFillColor(colors::red);
    context.fillRect({ 10, 20, 20, 10 });
    context.fillRect({ 20, 20, 20, 10 });
    context.endTransparencyLayer();
    EXPECT_TRUE(context.shadow());
    EXPECT_EQ(context.fillColor(), colors::black);
    // The overlap of the two shapes casts no darker shadow than the rest.
    expectColorNear(canvas.at(15, 15), colors::black.withAlpha(0.5));
    expectColorNear(canvas.at(25, 15), colors::black.withAlpha(0.5));
    expectColorNear(canvas.at(35, 15), colors::black.withAlpha(0.5));
    EXPECT_EQ(canvas.at(25, 25), colors::red);
}

TEST(GraphicsContext, LayerAlphaAppliesToTheGroupOnce)
{
    Canvas canvas(40, 20);
    auto& context = canvas.context();
    context.setAlpha(0.5);
    context.beginTransparencyLayer();
    EXPECT_EQ(context.alpha(), 1);
    context.setFillColor(colors::blue);
    context.fillRect({ 0, 0, 20, 20 });
    context.fillRect({ 10, 0, 20, 20 });
    context.endTransparencyLayer();
    expectColorNear(canvas.at(5, 5), colors::blue.withAlpha(0.5));
    expectColorNear(canvas.at(15, 5), colors::blue.withAlpha(0.5));
}

TEST(GraphicsContext, NestedLayersWithSourceOutMakeAnInnerShadow)
{
    Canvas canvas(40, 40);
    auto& context = canvas.context();
    context.setFillColor(colors::white);
    context.fillRect({ 0, 0, 40, 40 });
    Path box = Path::rect({ 10, 10, 20, 20 });

    context.save();
    context.clipToRect(box.bounds());
    context.setShadow(std::nullopt);
    context.setAlpha(1);
    context.beginTransparencyLayer();
    context.setShadow(gfx::Shadow { colors::black, { 0, -4 }, 0 });
    context.setOperation(gfx::Operation::sourceOut);
    context.beginTransparencyLayer();
    context.setFillColor(colors::black);
    box.fill();
    context.endTransparencyLayer();
    context.endTransparencyLayer();
    context.restore();

    // The box's shadow, moved down, leaves a band along the inside of its top edge.
    EXPECT_EQ(canvas.at(20, 28), colors::black);
    EXPECT_EQ(canvas.at(20, 20), colors::white);
    EXPECT_EQ(canvas.at(20, 12), colors::white);
    EXPECT_EQ(canvas.at(20, 35), colors::white);
}

}

namespace {

TEST(GraphicsContext, ZeroScaleDrawsNothingUntilRestored)
{
    Canvas canvas(20, 20);
    auto& context = canvas.context();
    context.setFillColor(colors::red);
    context.save();
    context.scale(0, 0);
    EXPECT_TRUE(context.isCollapsed());
    context.translate(5, 5);
    context.fillRect({ 0, 0, 20, 20 });
    context.clipToRect({ 0, 0, 1, 1 });
    context.restore();
    EXPECT_FALSE(context.isCollapsed());
    EXPECT_EQ(canvas.at(10, 10), colors::clear);
    context.fillRect({ 0, 0, 20, 20 });
    EXPECT_EQ(canvas.at(10, 10), colors::red);
}

TEST(GraphicsContext, UnbalancedCallsAndBadNumbersLeaveItDrawing)
{
    Canvas canvas(20, 20);
    auto& context = canvas.context();
    context.endTransparencyLayer();
    context.restore();
    context.setAlpha(std::nan(""));
    EXPECT_EQ(context.alpha(), 1);
    Path broken;
    broken.moveTo({ 0, 0 });
    broken.lineTo({ std::nan(""), 5 });
    broken.fill();
    broken.stroke();
    context.translate(std::numeric_limits<double>::infinity(), 0);
    context.restore();
    context.setShadow(gfx::Shadow { colors::black, { 1e300, 0 }, 1e300 });
    context.setFillColor(colors::blue);
    context.fillRect({ 0, 0, 20, 20 });
    // The infinite move collapsed the outermost state, which no restore reopens.
    EXPECT_EQ(canvas.at(10, 10), colors::clear);
    Canvas fresh(20, 20);
    fresh.context().setShadow(gfx::Shadow { colors::black, { 1e300, 0 }, 1e300 });
    fresh.context().setFillColor(colors::blue);
    Path::rect({ 0, 0, 20, 20 }).fill();
    EXPECT_EQ(fresh.at(10, 10), colors::blue);
    // A layer left open when the context goes away is dropped without harm.
    fresh.context().beginTransparencyLayer();
}

}
