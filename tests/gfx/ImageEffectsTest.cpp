#include "tests/support/gfx/Canvas.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/ImageEffects.h"

namespace {

using gfx::Color;
using gfx::test::expectColorNear;

// 10 x 10: the left half opaque red, the right half clear but for a half-transparent blue
// square in its middle.
std::shared_ptr<gfx::Image> sample()
{
    return gfx::Image::create({ 10, 10 }, false, [](const gfx::Rect&) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.setFillColor(gfx::colors::red);
        context.fillRect(gfx::Rect(0, 0, 5, 10));
        context.setFillColor(Color::rgb(0, 0, 1, 0.5));
        context.fillRect(gfx::Rect(6, 4, 2, 2));
        return true;
    });
}

}

TEST(ImageEffects, InvertingTurnsColoursAroundAndKeepsCoverage)
{
    auto inverted = gfx::inverted(sample());
    ASSERT_TRUE(inverted);
    EXPECT_EQ(inverted->size(), gfx::Size(10, 10));
    auto pixels = inverted->rasterize(1);
    expectColorNear(pixels->pixel(2, 5), Color::rgb(0, 1, 1));
    expectColorNear(pixels->pixel(6, 5), Color::rgb(1, 1, 0, 0.5));
    EXPECT_EQ(pixels->pixel(9, 0).alpha, 0);
}

TEST(ImageEffects, ColouringFillsOnlyWhatTheImageCovers)
{
    auto coloured = gfx::applyColor(sample(), gfx::colors::green);
    ASSERT_TRUE(coloured);
    auto pixels = coloured->rasterize(1);
    expectColorNear(pixels->pixel(2, 5), gfx::colors::green);
    expectColorNear(pixels->pixel(6, 5), Color::rgb(0, 1, 0, 0.5));
    EXPECT_EQ(pixels->pixel(9, 0).alpha, 0);
}

TEST(ImageEffects, AnImageWithoutPixelsComesBackAsItIs)
{
    auto empty = gfx::Image::create({ 0, 0 }, false, [](const gfx::Rect&) { return true; });
    EXPECT_EQ(gfx::inverted(empty), empty);
    EXPECT_EQ(gfx::applyColor(empty, gfx::colors::red), empty);
    EXPECT_EQ(gfx::inverted(nullptr), nullptr);
}
