#include "breaks/CountDownView.h"
#include "breaks/KeptPictures.h"

#include "drawing/CountDownStyleKit.h"

#include "platform/gfx/GraphicsContext.h"

#include <algorithm>
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

// The dial's ring, as the rest screen has it: the kit's ring of a 400-point square stretched
// over 600 points.
std::shared_ptr<ContentsLayer> dialRing()
{
    auto ring = ContentsLayer::create({ 0, 0, 600, 600 });
    ring->setContents(CountDownStyleKit::imageOfOuterCircle({ 400, 400 }));
    ring->setNeedsDisplay(false);
    return ring;
}

// Its pixels as a window draws them (y up, black beneath), kept picture or shapes.
std::vector<unsigned char> pixelsOf(ContentsLayer& ring, bool shapes)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 600, 600);
    {
        auto context = gfx::GraphicsContext::create(surface);
        gfx::GraphicsContext::MakeCurrent current(*context);
        context->setFillColor(gfx::Color::rgb(0, 0, 0));
        context->fillRect({ 0, 0, 600, 600 });
        if (shapes) {
            double side = 600 * ring.scale();
            ring.contents()->drawDirectly({ 300 - side / 2, 300 - side / 2, side, side });
        } else {
            ring.draw(*context, ring.bounds());
        }
    }
    cairo_surface_flush(surface);
    std::vector<unsigned char> green;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int row = 0; row < 600; ++row)
        for (int column = 0; column < 600; ++column)
            green.push_back(data[row * cairo_image_surface_get_stride(surface) + column * 4 + 1]);
    cairo_surface_destroy(surface);
    return green;
}

// A step of the pulse drew the dial's whole 600-point square again; the ring's band is a
// sixth of it. What changed between two steps lies within the parts the ring asks for.
TEST(CountDownRing, AStepOfThePulseAsksForTheRingsBandAlone)
{
    auto ring = dialRing();
    auto before = pixelsOf(*ring, false);
    ring->setScale(1 + 5 * ring->visibleScaleStep());
    ASSERT_TRUE(ring->needsDisplay());
    auto parts = ring->changedParts();
    double area = 0;
    for (const auto& part : parts)
        area += part.width() * part.height();
    EXPECT_LT(area, 600 * 600 / 4) << "the band, not the square";
    EXPECT_LE(parts.size(), 48u) << "few enough to be sent one by one";
    auto after = pixelsOf(*ring, false);
    int changed = 0;
    for (int row = 0; row < 600; ++row) {
        for (int column = 0; column < 600; ++column) {
            if (before[row * 600 + column] == after[row * 600 + column])
                continue;
            ++changed;
            // Rows count down; the view's points count up.
            ui::Point point { column + 0.5, 600 - row - 0.5 };
            bool inside = std::any_of(parts.begin(), parts.end(), [&](const ui::Rect& part) { return part.contains(point); });
            ASSERT_TRUE(inside) << "pixel " << column << ", " << row << " changed outside the parts";
        }
    }
    EXPECT_GT(changed, 1000) << "the ring did grow";
}

// Each step is rasterised once and looks as the ring's shapes drawn at that scale do.
TEST(CountDownRing, ItsStepsAreKeptPicturesOfItsShapes)
{
    auto ring = dialRing();
    for (int pulse = 0; pulse < 2; ++pulse) {
        for (int step = 0; step <= 15; ++step) {
            ring->setScale(1 + step * ring->visibleScaleStep());
            if (step % 5 == 0) {
                auto kept = pixelsOf(*ring, false);
                auto shapes = pixelsOf(*ring, true);
                int worst = 0;
                for (std::size_t i = 0; i < kept.size(); ++i)
                    worst = std::max(worst, std::abs(int(kept[i]) - int(shapes[i])));
                EXPECT_LE(worst, 2) << "step " << step;
            }
        }
        ring->setScale(1.0);
    }
    EXPECT_EQ(ring->keptPictures(), 16u) << "a pulse's sixteen steps, the second pulse drawn from them";
}


// Kept pictures of a large drawing at a high display scale would hold tens of megabytes;
// past their budget the rest are drawn as shapes, and what is kept stays kept.
TEST(KeptPictures, PastTheirBudgetTheRestAreDrawnAsShapes)
{
    KeptPictures pictures(KeptPictures::Kind::coverage);
    pictures.keepFor({ 0, 0, 1000, 1000 }, 2); // four megabytes each
    int drawn = 0;
    auto draw = [&drawn] { ++drawn; };
    for (int key = 0; key < 6; ++key)
        pictures.picture(key, draw);
    EXPECT_EQ(pictures.size(), KeptPictures::kMostBytes / (4u << 20));
    EXPECT_EQ(pictures.picture(0, draw).first != nullptr, true) << "kept";
    EXPECT_FALSE(pictures.picture(5, draw).first) << "past the budget";
    EXPECT_EQ(drawn, static_cast<int>(pictures.size())) << "each kept one drawn once";
}
}
}
