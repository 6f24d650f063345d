#include "tests/support/gfx/Canvas.h"

#include "platform/gfx/Gradient.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"
#include "tests/support/TemporaryHome.h"

namespace {

using gfx::Color;
using gfx::Gradient;
using gfx::Image;
using gfx::Path;
using gfx::Rect;
using gfx::test::Canvas;
using gfx::test::expectColorNear;
namespace colors = gfx::colors;

TEST(Gradient, NinetyDegreesStartsAtTheBottom)
{
    for (bool flipped : { false, true }) {
        Canvas canvas(10, 100, 1, flipped);
        Gradient(colors::red, colors::blue).drawInRect({ 0, 0, 10, 100 }, 90);
        // Location 0 sits at the smallest y of the user space, the top of a flipped one.
        double low = 1, high = 99;
        EXPECT_GT(canvas.at(5, low).red, 0.95) << flipped;
        EXPECT_GT(canvas.at(5, high).blue, 0.95) << flipped;
        expectColorNear(canvas.at(5, 50), Color::rgb(0.5, 0, 0.5), 0.03);
    }
}

TEST(Gradient, AngledAxisReachesTheCorners)
{
    Canvas canvas(100, 50);
    Gradient(colors::black, colors::white).drawInRect({ 0, 0, 100, 50 }, 45);
    EXPECT_LT(canvas.at(0.5, 0.5).red, 0.03);
    EXPECT_GT(canvas.at(99.5, 49.5).red, 0.97);
    EXPECT_NEAR(canvas.at(50, 25).red, 0.5, 0.03);
    // 0 degrees runs left to right, −90 from top to bottom.
    Canvas sideways(100, 10);
    Gradient(colors::black, colors::white).drawInRect({ 0, 0, 100, 10 }, 0);
    EXPECT_LT(sideways.at(1, 5).red, sideways.at(99, 5).red);
    Canvas down(10, 100);
    Gradient(colors::black, colors::white).drawInRect({ 0, 0, 10, 100 }, -90);
    EXPECT_GT(down.at(5, 1).red, 0.95);
}

TEST(Gradient, StopsAreOrderedAndInterpolated)
{
    Gradient gradient({ { colors::white, 1 }, { colors::black, 0 }, { colors::red, 0.5 }, { colors::green, 7 } });
    EXPECT_EQ(gradient.stops().front().color, colors::black);
    EXPECT_EQ(gradient.stops().back().location, 1);
    EXPECT_EQ(gradient.interpolatedColor(0.5), colors::red);
    expectColorNear(gradient.interpolatedColor(0.25), Color::rgb(0.5, 0, 0), 1e-9);
    EXPECT_EQ(Gradient(std::vector<Color> { colors::red, colors::green, colors::blue }).stops()[1].location, 0.5);
}

TEST(Gradient, DrawnInAPathStaysInside)
{
    Canvas canvas(40, 40);
    Gradient(colors::red, colors::red).drawInPath(Path::oval({ 0, 0, 40, 40 }), 0);
    EXPECT_EQ(canvas.at(20, 20), colors::red);
    EXPECT_EQ(canvas.at(1, 1), colors::clear);
}

std::shared_ptr<Image> lowerLeftSquare(bool flipped)
{
    // Red in the quarter nearest the image's own origin, which is the top left when flipped.
    return Image::create({ 20, 20 }, flipped, [](const Rect& bounds) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.setFillColor(colors::red);
        context.fillRect({ 0, 0, bounds.size.width / 2, bounds.size.height / 2 });
        return true;
    });
}

TEST(Image, ReplaysItsHandlerUprightAtAnyScale)
{
    for (bool imageFlipped : { false, true }) {
        for (bool contextFlipped : { false, true }) {
            Canvas canvas(40, 40, 1, contextFlipped);
            lowerLeftSquare(imageFlipped)->draw({ 0, 0, 40, 40 });
            auto bitmap = &canvas.bitmap();
            // On screen: the unflipped image's red is at the bottom left, the flipped one's at the top left.
            int redRow = imageFlipped ? 5 : 35;
            EXPECT_EQ(bitmap->pixel(5, redRow), colors::red) << imageFlipped << contextFlipped;
            EXPECT_EQ(bitmap->pixel(5, 40 - redRow), colors::clear) << imageFlipped << contextFlipped;
            EXPECT_EQ(bitmap->pixel(35, redRow), colors::clear) << imageFlipped << contextFlipped;
        }
    }
    auto large = lowerLeftSquare(false)->rasterize(3);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->width(), 60);
    EXPECT_EQ(large->pixel(29, 31), colors::red);
    EXPECT_EQ(large->pixel(31, 31), colors::clear);
}

TEST(Image, FractionOperationAndTint)
{
    Canvas canvas(60, 20);
    auto& context = canvas.context();
    context.setFillColor(colors::blue);
    context.fillRect({ 0, 0, 60, 20 });
    auto image = lowerLeftSquare(false);
    image->draw({ 0, 0, 20, 20 }, gfx::Operation::sourceOver, 0.5);
    expectColorNear(canvas.at(5, 5), Color::rgb(0.5, 0, 0.5));
    // Copy replaces what was there within the image's rectangle, transparent parts included.
    image->draw({ 20, 0, 20, 20 }, gfx::Operation::copy);
    EXPECT_EQ(canvas.at(25, 5), colors::red);
    EXPECT_EQ(canvas.at(35, 15), colors::clear);
    EXPECT_EQ(canvas.at(45, 15), colors::blue);
    image->setTemplate(true);
    image->drawTinted({ 40, 0, 20, 20 }, colors::green);
    EXPECT_EQ(canvas.at(45, 5), colors::green);
    EXPECT_EQ(canvas.at(55, 15), colors::blue);
}

TEST(Image, CastsOneShadow)
{
    Canvas canvas(60, 60);
    auto image = Image::create({ 20, 20 }, false, [](const Rect&) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.setFillColor(colors::red);
        context.fillRect({ 0, 0, 15, 20 });
        context.fillRect({ 5, 0, 15, 20 });
        return true;
    });
    canvas.context().setShadow(gfx::Shadow { colors::black.withAlpha(0.5), { 0, -20 }, 0 });
    image->draw({ 20, 30, 20, 20 });
    expectColorNear(canvas.at(22, 20), colors::black.withAlpha(0.5));
    expectColorNear(canvas.at(30, 20), colors::black.withAlpha(0.5));
}

TEST(Image, PngRoundTripAndDamagedFiles)
{
    ostrel::test::TemporaryHome home;
    auto file = home.path() / "square.png";
    ASSERT_TRUE(lowerLeftSquare(false)->savePng(file, 2));
    auto loaded = Image::loadPng(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), (gfx::Size { 40, 40 }));
    Canvas canvas(40, 40);
    loaded->draw({ 0, 0, 40, 40 });
    EXPECT_EQ(canvas.at(5, 5), colors::red);
    EXPECT_EQ(canvas.at(35, 35), colors::clear);

    std::filesystem::path damaged = home.path() / "damaged.png";
    std::FILE* out = std::fopen(damaged.c_str(), "wb");
    std::fputs("\x89PNG\r\n\x1a\nnot really", out);
    std::fclose(out);
    EXPECT_EQ(Image::loadPng(damaged), nullptr);
    EXPECT_EQ(Image::loadPng(home.path() / "missing.png"), nullptr);
    EXPECT_FALSE(lowerLeftSquare(false)->savePng(home.path() / "no/such/folder/x.png"));
}

}
