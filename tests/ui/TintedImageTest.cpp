#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"
#include "platform/ui/TintedImage.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace ui;

namespace {

// A ring with a bar across: antialiased edges, and a top differing from its bottom.
std::shared_ptr<gfx::Image> ring()
{
    auto image = gfx::Image::create({ 18, 18 }, false, [](const Rect&) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.setStrokeColor(gfx::colors::black);
        context.setFillColor(gfx::colors::black);
        gfx::Path oval = gfx::Path::oval({ 2.25, 2.25, 13.5, 13.5 });
        oval.setLineWidth(3.1);
        oval.stroke();
        context.fillRect({ 9, 9, 6, 5 });
        return true;
    });
    image->setTemplate(true);
    return image;
}

// What the drawing leaves in a 40 x 40 point bitmap at `scale`.
std::shared_ptr<gfx::Bitmap> drawn(double scale, const std::function<void()>& draw)
{
    auto bitmap = gfx::Bitmap::create(int(40 * scale), int(40 * scale));
    auto context = bitmap->makeContext(scale, true);
    gfx::GraphicsContext::MakeCurrent current(*context);
    draw();
    return bitmap;
}

void expectSamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b)
{
    ASSERT_EQ(a.width(), b.width());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            gfx::Color p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(p.alpha - q.alpha) > 2 / 255.0 || std::abs(p.red - q.red) > 2 / 255.0
                || std::abs(p.green - q.green) > 2 / 255.0 || std::abs(p.blue - q.blue) > 2 / 255.0)
                ++differing;
        }
    EXPECT_EQ(differing, 0);
}

}

TEST(TintedImage, KeptPixelsLookAsTheVectorsDrawnThereWouldAndFollowTheTint)
{
    auto image = ring();
    for (double scale : { 1.0, 2.0 }) {
        SCOPED_TRACE(scale);
        TintedImage tinted;
        Rect target { 7, 11, 18, 18 };
        auto vectors = drawn(scale, [&] { image->drawTinted(target, gfx::colors::red); });
        // Twice: made, then copied from what was kept.
        for (int i = 0; i < 2; ++i)
            expectSamePixels(*drawn(scale, [&] { tinted.draw(image, target, gfx::colors::red); }), *vectors);
        // Elsewhere on whole pixels, in another colour: the colour is not the one kept.
        Rect moved { 3, 2, 18, 18 };
        expectSamePixels(*drawn(scale, [&] { tinted.draw(image, moved, gfx::colors::blue); }),
            *drawn(scale, [&] { image->drawTinted(moved, gfx::colors::blue); }));
    }
}

TEST(TintedImage, BetweenPixelsOrScaledItIsDrawnFromItsVectors)
{
    auto image = ring();
    TintedImage tinted;
    Rect between { 7.5, 11.25, 18, 18 };
    expectSamePixels(*drawn(1, [&] { tinted.draw(image, between, gfx::colors::red); }),
        *drawn(1, [&] { image->drawTinted(between, gfx::colors::red); }));
    Rect larger { 4, 4, 27, 27 };
    expectSamePixels(*drawn(1, [&] { tinted.draw(image, larger, gfx::colors::red); }),
        *drawn(1, [&] { image->drawTinted(larger, gfx::colors::red); }));
}
