#include "platform/gfx/FontWarmUp.h"
#include "platform/gfx/Fonts.h"
#include "platform/gfx/TextLayout.h"
#include "tests/support/gfx/Canvas.h"

#include <gtest/gtest.h>
#include <limits>
#include <pango/pangocairo.h>

namespace {

using gfx::Font;
using gfx::FontWarmUp;
using gfx::FontWeight;
using gfx::WarmFont;

// The font pango lays "Ag" out in, in `font`, as the program's own layouts do: measured in
// the shared context, or drawn magnified `scale` times.
PangoFont* fontOfText(const Font& font, double scale = 1)
{
    PangoContext* context = scale == 1 ? gfx::sharedPangoContext(gfx::SharedContext::measuring) : gfx::newPangoContext();
    if (scale != 1) {
        PangoMatrix matrix = PANGO_MATRIX_INIT;
        pango_matrix_scale(&matrix, scale, scale);
        pango_context_set_matrix(context, &matrix);
    }
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, gfx::pangoFontDescription(font).get());
    pango_layout_set_text(layout, "Ag", -1);
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0);
    PangoFont* found = nullptr;
    if (line && line->runs)
        found = static_cast<PangoGlyphItem*>(line->runs->data)->item->analysis.font;
    // The font map keeps the font: the layout's reference is not the last one.
    g_object_unref(layout);
    if (scale != 1)
        g_object_unref(context);
    return found;
}

const std::vector<WarmFont> kScreenFonts {
    { Font::system(13), 2 },
    { Font::system(13, FontWeight::bold) },
    { Font::named("Helvetica", 12) },
    { Font::named("GillSans", 18) },
};

}

TEST(FontWarmUp, TextLaidOutAfterTheHandOverFindsTheFontsLoaded)
{
    auto warmUp = FontWarmUp::start(kScreenFonts);
    gfx::fontMap();
    ASSERT_TRUE(warmUp->finished()) << "the font map was used before the warm-up was over";

    for (const WarmFont& warm : kScreenFonts) {
        PangoFont* measured = fontOfText(warm.font);
        ASSERT_NE(measured, nullptr) << warm.font.postScriptName;
        EXPECT_TRUE(warmUp->loaded(measured)) << warm.font.postScriptName << " " << warm.font.pointSize;
    }
    // Drawn at twice the size as well, for the one asked for so.
    EXPECT_TRUE(warmUp->loaded(fontOfText(Font::system(13), 2)));
    EXPECT_FALSE(warmUp->loaded(fontOfText(Font::named("Helvetica", 12), 2))) << "only what was asked for is loaded";
    EXPECT_FALSE(warmUp->loaded(fontOfText(Font::system(31))));
}

TEST(FontWarmUp, EveryWayToTheFontsWaitsForTheWarmUp)
{
    // Plain text, rich text's own contexts and pinning fonts anew all hand the fonts over first.
    auto measuring = FontWarmUp::start(kScreenFonts);
    gfx::TextLayout layout("Measured", gfx::TextStyle(Font::system(13)));
    EXPECT_TRUE(measuring->finished());
    EXPECT_GT(layout.boundingRect().width(), 0);

    auto rich = FontWarmUp::start(kScreenFonts);
    g_object_unref(gfx::newPangoContext());
    EXPECT_TRUE(rich->finished());

    // Even a configuration that cannot be read, which leaves the pinned fonts as they are.
    auto pinning = FontWarmUp::start(kScreenFonts);
    EXPECT_FALSE(gfx::pinFonts("/nonexistent/fonts.conf"));
    EXPECT_TRUE(pinning->finished());
}

TEST(FontWarmUp, AWarmUpWaitsForTheOneBefore)
{
    auto first = FontWarmUp::start(kScreenFonts);
    auto second = FontWarmUp::start({ { Font::system(11) } });
    EXPECT_TRUE(first->finished()) << "two threads used the fonts at once";
    gfx::fontMap();
    EXPECT_TRUE(second->finished());
    EXPECT_TRUE(second->loaded(fontOfText(Font::system(11))));
}

TEST(FontWarmUp, FontsThatCannotBeMadeAreSkipped)
{
    double nan = std::numeric_limits<double>::quiet_NaN();
    double infinity = std::numeric_limits<double>::infinity();
    auto warmUp = FontWarmUp::start({
        { Font::named("", nan), nan },
        { Font::named("NoSuchFamily-Bold", 1e9), infinity },
        { Font::system(-3), -2 },
        { Font::system(13), 1e6 },
    });
    gfx::fontMap();
    EXPECT_TRUE(warmUp->finished());
    // And the fonts still measure as they did.
    EXPECT_GT(gfx::TextLayout("After", gfx::TextStyle(Font::system(13))).boundingRect().width(), 0);
}

TEST(FontWarmUp, NothingToWarmOrNobodyWaitingEndsCleanly)
{
    auto empty = FontWarmUp::start({});
    gfx::fontMap();
    EXPECT_TRUE(empty->finished());
    EXPECT_FALSE(empty->loaded(fontOfText(Font::system(13))));

    // Gone before anyone used a font: its thread is waited for, and later uses go on alone.
    FontWarmUp::start(kScreenFonts).reset();
    EXPECT_GT(gfx::TextLayout("Alone", gfx::TextStyle(Font::system(13))).boundingRect().width(), 0);
}
