#include "breaks/CountDownView.h"

#include "platform/gfx/GraphicsContext.h"

#include <cairo.h>
#include <gtest/gtest.h>

namespace ostrel::test {
namespace {

// The ring pulses by 5 % over seconds: each frame of that animation moves its edge by a
// fraction of a point, and drawing the full-screen dial at every one of them cost a third
// of a core. It is drawn again once its edge has moved a point, and when it is back at rest.
TEST(CountDownRing, ItIsDrawnAgainOnlyOnceItsEdgeMovesAPoint)
{
    auto ring = ContentsLayer::create({ 0, 0, 600, 600 });
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 600, 600);
    auto context = gfx::GraphicsContext::create(surface);
    auto drawn = [&] {
        // As a window's pass does: only what asked to be.
        bool asked = ring->needsDisplay();
        if (asked)
            ring->draw(*context, ring->bounds());
        ring->setNeedsDisplay(false);
        return asked;
    };
    drawn();
    ring->setScale(1.002);
    EXPECT_FALSE(drawn()) << "the edge moved 0.6 points";
    EXPECT_DOUBLE_EQ(ring->scale(), 1.002) << "the scale is kept for the next drawing";
    ring->setScale(1.004);
    EXPECT_TRUE(drawn()) << "1.2 points from the last drawing";
    ring->setScale(1.005);
    EXPECT_FALSE(drawn());
    ring->setScale(1.05);
    EXPECT_TRUE(drawn());
    ring->setScale(1.0);
    EXPECT_TRUE(drawn()) << "back at rest";
    ring->setScale(1.0);
    EXPECT_FALSE(drawn()) << "nothing moved";
    context.reset();
    cairo_surface_destroy(surface);
}

}
}
