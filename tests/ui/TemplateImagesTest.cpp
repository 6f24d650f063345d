#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Image.h"
#include "platform/ui/TemplateImages.h"

#include <gtest/gtest.h>

namespace {

// How much of a row's (or column's) pixels carry ink, at two pixels per point, y from the top.
double inkAt(const gfx::Bitmap& pixels, int x, int y) { return pixels.pixel(x, y).alpha; }

std::shared_ptr<gfx::Bitmap> pixelsOf(const std::shared_ptr<gfx::Image>& image) { return image->rasterize(2); }

}

TEST(TemplateImages, AllAreBlackTemplatesOfTheirSize)
{
    using namespace ui::TemplateImages;
    for (auto [image, size] : { std::pair { checkMark(), gfx::Size(12, 12) }, std::pair { add(), gfx::Size(12, 12) },
             std::pair { leftTriangle(), gfx::Size(9, 12) }, std::pair { rightTriangle(), gfx::Size(9, 12) },
             std::pair { stop(), gfx::Size(14, 14) } }) {
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->isTemplate());
        EXPECT_EQ(image->size(), size);
        auto pixels = pixelsOf(image);
        bool ink = false;
        for (int y = 0; y < pixels->height(); ++y)
            for (int x = 0; x < pixels->width(); ++x)
                ink = ink || (pixels->pixel(x, y).alpha > 0.5 && pixels->pixel(x, y).red < 0.1);
        EXPECT_TRUE(ink);
    }
}

TEST(TemplateImages, ShapesAreWhereTheyShouldBe)
{
    auto plus = pixelsOf(ui::TemplateImages::add());
    EXPECT_GT(inkAt(*plus, 12, 12), 0.5) << "the plus crosses in the middle";
    EXPECT_LT(inkAt(*plus, 3, 3), 0.1);

    auto left = pixelsOf(ui::TemplateImages::leftTriangle());
    auto right = pixelsOf(ui::TemplateImages::rightTriangle());
    // Near the top, only the flat back of a triangle reaches: left for the right-pointing one.
    EXPECT_GT(inkAt(*left, 15, 4), 0.5);
    EXPECT_LT(inkAt(*left, 3, 4), 0.1);
    EXPECT_GT(inkAt(*right, 3, 4), 0.5);
    EXPECT_LT(inkAt(*right, 15, 4), 0.1);

    auto stop = pixelsOf(ui::TemplateImages::stop());
    EXPECT_LT(inkAt(*stop, 14, 14), 0.2) << "the cross is cut out of the disc";
    EXPECT_GT(inkAt(*stop, 14, 4), 0.5);
    EXPECT_LT(inkAt(*stop, 0, 0), 0.1);

    auto tick = pixelsOf(ui::TemplateImages::checkMark());
    EXPECT_LT(inkAt(*tick, 20, 20), 0.1) << "the tick leaves the bottom right clear";
}
