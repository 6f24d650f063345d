#include "drawing/BreakTimeStyleKit.h"
#include "drawing/BricksDrawing.h"
#include "drawing/KeyboardShortcutsStyleKit.h"
#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/Path.h"
#include "tests/drawing/KitCanvas.h"

#include <gtest/gtest.h>

using namespace ostrel;
using gfx::Rect;

namespace {

struct ContextState {
    gfx::AffineTransform ctm;
    gfx::Color fill;
    gfx::Color stroke;
    double alpha;
    std::optional<gfx::Shadow> shadow;
    Rect clip;
    bool operator==(const ContextState&) const = default;
};

ContextState stateOf(const gfx::GraphicsContext& context)
{
    return { context.ctm(), context.fillColor(), context.strokeColor(), context.alpha(), context.shadow(), context.clipBoundingBox() };
}

// A context with something set in every field a routine could disturb.
void dressUp(gfx::GraphicsContext& context)
{
    context.translate(7, 3);
    context.setFillColor(gfx::colors::orange);
    context.setStrokeColor(gfx::colors::blue);
    context.setAlpha(0.8);
    context.clipToRect({ 0, 0, 90, 80 });
}

}

TEST(KitFrame, ResizableRoutinesRestoreTheContext)
{
    const std::vector<std::function<void()>> routines {
        [] { BreakTimeStyleKit::drawCanvas1({ 0, 0, 80, 40 }, ResizingBehavior::aspectFill); },
        [] { BreakTimeStyleKit::drawLockIcon({ 0, 0, 30, 30 }, ResizingBehavior::center, 360); },
        [] { BreakTimeStyleKit::drawAddButton({ 5, 5, 40, 20 }, ResizingBehavior::stretch); },
        [] { BreakTimeStyleKit::drawFastForwardButton({ 5, 5, 40, 20 }, ResizingBehavior::aspectFit); },
        [] { KeyboardShortcutsStyleKit::drawUndo({ 0, 0, 36, 40 }, ResizingBehavior::aspectFit); },
        [] { BricksDrawing::drawCanvas3({ 0, 0, 16, 10 }, ResizingBehavior::stretch, gfx::colors::red); },
        [] { BricksDrawing::drawCheck({ 0, 0, 0, 0 }, ResizingBehavior::aspectFit); },
    };
    for (size_t i = 0; i < routines.size(); ++i) {
        SCOPED_TRACE(i);
        test::Canvas canvas(100, 100);
        dressUp(canvas.context());
        ContextState before = stateOf(canvas.context());
        routines[i]();
        EXPECT_EQ(stateOf(canvas.context()), before);
    }
}

TEST(KitFrame, EmptyRoutinesLeaveTheContextUntouched)
{
    test::Canvas canvas(60, 60);
    dressUp(canvas.context());
    ContextState before = stateOf(canvas.context());
    for (Rect frame : { Rect {}, Rect { 1, 2, 50, 40 }, Rect { 10, 10, -5, -5 } }) {
        OstrelStyleKit::drawPadBackground(frame);
        OstrelStyleKit::drawSegmentedControl(frame);
        OstrelStyleKit::drawHighlightedSegmentedControl(frame);
    }
    EXPECT_EQ(stateOf(canvas.context()), before);
    EXPECT_EQ(test::inkedPixels(canvas.bitmap()), 0);
}

TEST(KitFrame, FrameOnlyRoutinesLeaveTheirLastColourSetAndTheTransformAlone)
{
    test::Canvas canvas(120, 40);
    gfx::AffineTransform ctm = canvas.context().ctm();
    BricksDrawing::drawRoundedPullDownButton({ 0, 0, 120, 22 }, gfx::colors::white, gfx::colors::red, gfx::colors::black, "Menu");
    EXPECT_EQ(canvas.context().strokeColor(), gfx::colors::red);
    BricksDrawing::drawSliderKnob({ 0, 0, 20, 20 });
    EXPECT_EQ(canvas.context().fillColor(), gfx::colors::gray);
    EXPECT_EQ(canvas.context().ctm(), ctm);
    EXPECT_FALSE(canvas.context().shadow());
}

TEST(KitFrame, ButtonImagesAreDrawnAtDesignScaleAndCentred)
{
    // 16 x 16 into 32 x 16 keeps scale 1 and moves 8 in from the left.
    test::Canvas canvas(32, 16);
    BreakTimeStyleKit::drawPauseButton({ 0, 0, 32, 16 }, ResizingBehavior::aspectFit);
    EXPECT_EQ(canvas.alphaAt(8 + 4.5, 8), 1);
    EXPECT_EQ(canvas.alphaAt(4.5, 8), 0);
    EXPECT_EQ(canvas.alphaAt(8 + 11.5, 8), 1);
    EXPECT_EQ(canvas.alphaAt(8 + 8, 8), 0);
}

TEST(KitFrame, ShadowsScaleByTheSmallerFactor)
{
    test::Canvas canvas(10, 10);
    RoutineFrame routine({ 0, 0, 385, 382 }, ResizingBehavior::stretch, { 385, 191 });
    EXPECT_EQ(routine.shadowScale(), 1);
    gfx::Shadow shadow = scaledShadow({ gfx::colors::black, { 588, -2 }, 4 }, 2);
    EXPECT_EQ(shadow.offset, (gfx::Size { 1176, -4 }));
    EXPECT_EQ(shadow.blurRadius, 8);
}

TEST(KitFrame, TextBoxCentresAndClips)
{
    auto style = textStyle(gfx::Font::system(12), gfx::colors::black, gfx::TextAlignment::center);
    test::Canvas canvas(200, 60);
    drawTextBox("MMMM", { 50, 10, 100, 40 }, style);
    // Ink only inside the box, around its middle.
    for (double x : { 40.0, 160.0 })
        EXPECT_EQ(canvas.alphaAt(x, 30), 0);
    for (double y : { 5.0, 55.0 })
        EXPECT_EQ(canvas.alphaAt(100, y), 0);
    int inked = 0;
    for (double x = 80; x < 120; x += 1)
        inked += canvas.alphaAt(x, 30) > 0;
    EXPECT_GT(inked, 5);

    // A text taller than its box is cut at the box's edges.
    test::Canvas tall(200, 60);
    drawTextBox("W W W W W W W W", { 50, 20, 10, 20 }, style);
    for (double y : { 18.0, 42.0 }) {
        for (double x = 45; x < 65; x += 1)
            EXPECT_EQ(tall.alphaAt(x, y), 0);
    }
}

TEST(KitFrame, InnerShadowFallsInsideThePathOnly)
{
    test::Canvas canvas(60, 60);
    gfx::Path square = gfx::Path::rect({ 10, 10, 40, 40 });
    drawInnerShadow(square, gfx::colors::black, { 0, -4 }, 2);
    // The offset pushes the outside down into the square, so its top edge darkens.
    EXPECT_GT(canvas.alphaAt(30, 48), 0.3);
    EXPECT_LT(canvas.alphaAt(30, 30), 0.05);
    EXPECT_EQ(canvas.alphaAt(30, 55), 0);
    EXPECT_EQ(canvas.alphaAt(5, 30), 0);
}

TEST(KitFrame, GroupedShapesCastOneShadow)
{
    test::Canvas canvas(60, 30);
    canvas.context().setShadow(gfx::Shadow { gfx::colors::black.withAlpha(0.5), { 0, -6 }, 0 });
    canvas.context().setFillColor(gfx::colors::white);
    drawAsOneLayer([] {
        gfx::Path::rect({ 10, 10, 20, 10 }).fill();
        gfx::Path::rect({ 20, 10, 20, 10 }).fill();
    });
    // Where the two shapes' shadows would overlap, one shadow is no darker than elsewhere.
    test::expectColorNear(canvas.at(25, 6), canvas.at(15, 6), 0.01);
}

TEST(KitFrame, ParameterlessImagesAreKeptParameterisedOnesAreNew)
{
    EXPECT_EQ(BreakTimeStyleKit::imageOfPlayButton(), BreakTimeStyleKit::imageOfPlayButton());
    EXPECT_EQ(KeyboardShortcutsStyleKit::imageOfClear(), KeyboardShortcutsStyleKit::imageOfClear());
    auto a = BreakTimeStyleKit::imageOfStatusItem(30), b = BreakTimeStyleKit::imageOfStatusItem(30);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->size(), (gfx::Size { 18, 18 }));
    EXPECT_TRUE(test::samePixels(*a->rasterize(), *b->rasterize()));
    EXPECT_EQ(KeyboardShortcutsStyleKit::imageOfUndo()->size(), (gfx::Size { 18, 20 }));
    EXPECT_FALSE(BreakTimeStyleKit::imageOfAddButton()->isFlipped());
}
