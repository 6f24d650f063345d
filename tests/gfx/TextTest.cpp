#include "tests/support/gfx/Canvas.h"

#include "platform/gfx/Fonts.h"
#include "platform/gfx/TextLayout.h"

#include <cmath>
#include <fontconfig/fontconfig.h>
#include <limits>
#include <pango/pangocairo.h>

namespace {

using gfx::Font;
using gfx::Rect;
using gfx::TextAlignment;
using gfx::TextStyle;
using gfx::test::Canvas;
namespace colors = gfx::colors;

class Text : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gfx::test::pinShippedFonts()); }
};

// The family pango actually picks for a font.
std::string resolvedFamily(const Font& font)
{
    PangoContext* context = gfx::newPangoContext();
    auto description = gfx::pangoFontDescription(font);
    PangoFont* loaded = pango_font_map_load_font(gfx::fontMap(), context, description.get());
    PangoFontDescription* actual = pango_font_describe(loaded);
    std::string family = pango_font_description_get_family(actual);
    pango_font_description_free(actual);
    g_object_unref(loaded);
    g_object_unref(context);
    return family;
}

// Columns and rows that carry ink, in points of an unflipped canvas.
struct Ink {
    double minX { 1e9 }, maxX { -1e9 }, minY { 1e9 }, maxY { -1e9 };
    double midX() const { return (minX + maxX) / 2; }
    double midY() const { return (minY + maxY) / 2; }
};

Ink inkOf(const gfx::Bitmap& bitmap)
{
    Ink ink;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (bitmap.pixel(x, y).alpha > 0.3) {
                double up = bitmap.height() - y - 0.5;
                ink.minX = std::min(ink.minX, x + 0.5);
                ink.maxX = std::max(ink.maxX, x + 0.5);
                ink.minY = std::min(ink.minY, up);
                ink.maxY = std::max(ink.maxY, up);
            }
        }
    }
    return ink;
}

TEST_F(Text, PostScriptNamesBecomeFamiliesAndStyles)
{
    EXPECT_EQ(gfx::familyName(Font::named("HelveticaNeue-Bold", 12)), "Helvetica Neue");
    EXPECT_EQ(gfx::familyName(Font::named("Helvetica Neue Bold", 14)), "Helvetica Neue");
    EXPECT_EQ(gfx::familyName(Font::named("GillSans", 18)), "Gill Sans");
    EXPECT_EQ(gfx::familyName(Font::named("Futura-Medium", 35)), "Futura");

    auto bold = gfx::pangoFontDescription(Font::named("Helvetica Neue Bold", 14));
    EXPECT_EQ(pango_font_description_get_weight(bold.get()), PANGO_WEIGHT_BOLD);
    EXPECT_EQ(pango_font_description_get_size(bold.get()), 14 * PANGO_SCALE);
    EXPECT_TRUE(pango_font_description_get_size_is_absolute(bold.get()));
    auto oblique = gfx::pangoFontDescription(Font::named("Helvetica-BoldOblique", 12));
    EXPECT_EQ(pango_font_description_get_style(oblique.get()), PANGO_STYLE_OBLIQUE);
    EXPECT_EQ(pango_font_description_get_weight(oblique.get()), PANGO_WEIGHT_BOLD);
    auto light = gfx::pangoFontDescription(Font::system(11, gfx::FontWeight::light));
    EXPECT_EQ(pango_font_description_get_weight(light.get()), PANGO_WEIGHT_LIGHT);
    EXPECT_EQ(gfx::pangoFontFeatures(Font::monospacedDigitSystem(24)), "tnum 1");
    EXPECT_EQ(gfx::pangoFontFeatures(Font::system(24)), "");
}

TEST_F(Text, ShippedConfigurationPinsTheFamilies)
{
    EXPECT_EQ(resolvedFamily(Font::named("Helvetica", 12)), "Nimbus Sans");
    EXPECT_EQ(resolvedFamily(Font::named("HelveticaNeue", 12)), "Nimbus Sans");
    EXPECT_EQ(resolvedFamily(Font::named("Futura-Medium", 35)), "URW Gothic");
    EXPECT_EQ(resolvedFamily(Font::named("Gill Sans", 18)), "DejaVu Sans");
    EXPECT_EQ(resolvedFamily(Font::system(13)), "DejaVu Sans");
    EXPECT_EQ(resolvedFamily(Font::named("NoSuchFamilyAnywhere", 13)), "DejaVu Sans");

    EXPECT_TRUE(gfx::canMakeFont("Helvetica-Oblique"));
    EXPECT_TRUE(gfx::canMakeFont("GillSans"));
    EXPECT_TRUE(gfx::canMakeFont("Futura-Medium"));
    EXPECT_FALSE(gfx::canMakeFont("NoSuchFamilyAnywhere"));
    EXPECT_FALSE(gfx::canMakeFont(""));
}

// Whatever asks fontconfig with no configuration of its own (pango's first font map, cairo)
// gets ours: the desktop's, which would be loaded for it on a thread and waited for as the
// first text is measured, knows nothing of the program's own family name.
TEST_F(Text, TheShippedConfigurationIsAlsoFontconfigsDefault)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("Ostrel System"));
    ASSERT_TRUE(FcConfigSubstitute(nullptr, pattern, FcMatchPattern));
    FcChar8* family = nullptr;
    ASSERT_EQ(FcPatternGetString(pattern, FC_FAMILY, 0, &family), FcResultMatch);
    EXPECT_STREQ(reinterpret_cast<const char*>(family), "DejaVu Sans");
    FcPatternDestroy(pattern);
}

TEST_F(Text, MeasuresInPointsAndWrapsInItsWidth)
{
    TextStyle style { Font::system(13) };
    Rect line = gfx::textBoundingRect("Define Objective", 0, style);
    // DejaVu Sans lines are about 1.16 em high: 72 dpi makes points the unit.
    EXPECT_NEAR(line.height(), 13 * 1.164, 0.5);
    EXPECT_EQ(line.origin, (gfx::Point {}));
    TextStyle large { Font::system(26) };
    EXPECT_NEAR(gfx::textBoundingRect("Define Objective", 0, large).width(), 2 * line.width(), 1);

    Rect wrapped = gfx::textBoundingRect("Define Objective", line.width() * 0.7, style);
    EXPECT_NEAR(wrapped.height(), 2 * line.height(), 0.5);
    EXPECT_LE(wrapped.width(), line.width() * 0.7);
    EXPECT_EQ(gfx::textBoundingRect("", 100, style).width(), 0);
}

TEST_F(Text, MonospacedDigitsShareOneWidth)
{
    TextStyle style { Font::monospacedDigitSystem(24, gfx::FontWeight::light) };
    EXPECT_DOUBLE_EQ(gfx::textBoundingRect("11:11", 0, style).width(), gfx::textBoundingRect("00:00", 0, style).width());
}

TEST_F(Text, DrawsCentredInsideItsRectUpright)
{
    for (bool flipped : { false, true }) {
        Canvas canvas(200, 60, 1, flipped);
        TextStyle style { Font::named("Futura-Medium", 35), colors::white, { TextAlignment::center } };
        Rect box { 20, 10, 160, 40 };
        double h = gfx::textBoundingRect("T", box.width(), style).height();
        gfx::drawText("T", { box.minX(), box.minY() + (box.height() - h) / 2, box.width(), h }, style);
        Ink ink = inkOf(canvas.bitmap());
        EXPECT_NEAR(ink.midX(), 100, 1) << flipped;
        EXPECT_GE(ink.minY, 0);
        EXPECT_LE(ink.maxY, 60);
        // Upright: the T's bar is at the top of its ink.
        auto row = [&](double up) {
            int count = 0;
            for (int x = 0; x < 200; ++x)
                count += canvas.bitmap().pixel(x, int(60 - up)).alpha > 0.5;
            return count;
        };
        EXPECT_GT(row(ink.maxY - 1), 3 * row(ink.minY + 1)) << flipped;
    }
}

TEST_F(Text, NothingFallsOutsideTheRect)
{
    Canvas canvas(100, 100);
    TextStyle style { Font::system(20) };
    Rect box { 10, 40, 60, 20 };
    gfx::drawText("A text far too long for its little box", box, style);
    Ink ink = inkOf(canvas.bitmap());
    EXPECT_GE(ink.minX, box.minX());
    EXPECT_LE(ink.maxX, box.maxX());
    EXPECT_GE(ink.minY, box.minY());
    EXPECT_LE(ink.maxY, box.maxY());
}

TEST_F(Text, UnclippedTextKeepsWhatFallsOutsideItsRect)
{
    TextStyle style { Font::system(20), colors::black, { TextAlignment::center } };
    // A rectangle far shorter than the line: the clipped form cuts the glyphs' lower part
    // off, the unclipped form draws the whole line hanging below the rectangle.
    Rect box { 10, 60, 80, 8 };
    Ink clipped, whole;
    {
        Canvas canvas(100, 100);
        gfx::drawText("Hg", box, style);
        clipped = inkOf(canvas.bitmap());
    }
    {
        Canvas canvas(100, 100);
        gfx::drawText("Hg", box, style, gfx::TextClipping::none);
        whole = inkOf(canvas.bitmap());
    }
    EXPECT_GE(clipped.minY, box.minY());
    EXPECT_LT(whole.minY, box.minY() - 8);
    EXPECT_NEAR(whole.maxY, clipped.maxY, 1);
    EXPECT_NEAR(whole.midX(), box.midX(), 2);
}

TEST_F(Text, CompositionMarkersDrawAsNothing)
{
    std::string marked = "A\xEF\xA1\xA0" "B\xEF\xA1\xA1";
    EXPECT_EQ(gfx::displayableText(marked).size(), marked.size());
    TextStyle style { Font::system(20) };
    EXPECT_DOUBLE_EQ(gfx::textBoundingRect(marked, 0, style).width(), gfx::textBoundingRect("AB", 0, style).width());

    Canvas plain(80, 40), withMarkers(80, 40);
    {
        gfx::GraphicsContext::MakeCurrent current(plain.context());
        gfx::drawText("AB", { 0, 0, 80, 40 }, style);
    }
    gfx::drawText(marked, { 0, 0, 80, 40 }, style);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(plain.bitmap().pixel(x, y), withMarkers.bitmap().pixel(x, y)) << x << "," << y;
    }
}

TEST_F(Text, BrokenUtf8IsRepairedNotFatal)
{
    std::string broken = "ab\xff\xfe" "cd\xc3";
    std::string shown = gfx::displayableText(broken);
    EXPECT_TRUE(g_utf8_validate(shown.data(), gssize(shown.size()), nullptr));
    Canvas canvas(80, 40);
    gfx::drawText(broken, { 0, 0, 80, 40 }, TextStyle { Font::system(13) });
    EXPECT_GT(gfx::textBoundingRect(broken, 0, TextStyle { Font::system(13) }).width(), 0);
}

TEST_F(Text, ARectThatIsNoNumberDrawsNothingAndLeavesTheContextDrawing)
{
    Canvas canvas(20, 20);
    TextStyle style { Font::system(12) };
    gfx::drawText("Hi", { std::nan(""), 0, 10, 10 }, style);
    gfx::drawText("Hi", { 0, 0, std::nan(""), 10 }, style, gfx::TextClipping::none);
    gfx::drawText("Hi", { 0, std::numeric_limits<double>::infinity(), 10, 10 }, style);
    canvas.context().setFillColor(colors::red);
    canvas.context().fillRect({ 0, 0, 20, 20 });
    EXPECT_EQ(canvas.at(10, 10), colors::red);
}

TEST_F(Text, OutlineSitsOnTheBaseline)
{
    gfx::Path outline = gfx::textOutline("H", Font::named("Helvetica-Bold", 14));
    ASSERT_FALSE(outline.isEmpty());
    Rect bounds = outline.bounds();
    EXPECT_NEAR(bounds.minY(), 0, 0.05);
    // Cap height of the Helvetica face is about 0.72 em.
    EXPECT_NEAR(bounds.height(), 14 * 0.72, 0.6);
    EXPECT_GT(bounds.minX(), 0);
    EXPECT_EQ(std::count_if(outline.elements().begin(), outline.elements().end(),
                  [](const auto& e) { return e.type == gfx::Path::ElementType::closePath; }),
        1);
    EXPECT_TRUE(gfx::textOutline("", Font::system(12)).isEmpty());
}

}

namespace {

TEST_F(Text, MeasuresTheSameInPointsAndDrawsTwiceAsFineAtTwiceTheScale)
{
    TextStyle style { Font::system(13), colors::white };
    const char* words = "Write the report, then rest";
    Rect before = gfx::textBoundingRect(words, 0, style);
    Ink ink[2];
    for (int i = 0; i < 2; ++i) {
        double scale = i + 1;
        Canvas canvas(220, 30, scale);
        gfx::TextLayout layout(words, style);
        layout.draw({ 5, 5, 210, 20 });
        EXPECT_EQ(layout.boundingRect(), before) << "measured the same after drawing at " << scale;
        ink[i] = inkOf(canvas.bitmap());
    }
    EXPECT_EQ(gfx::textBoundingRect(words, 0, style), before);
    // Pixels at twice the scale: the same ink in points, to within a pixel.
    EXPECT_NEAR(ink[1].minX / 2, ink[0].minX, 1);
    EXPECT_NEAR(ink[1].maxX / 2, ink[0].maxX, 1);
    EXPECT_NEAR(ink[1].minY / 2, ink[0].minY, 1);
    EXPECT_NEAR(ink[1].maxY / 2, ink[0].maxY, 1);
}

TEST_F(Text, AnUnderlinedPartDrawsALineUnderOnlyThatPart)
{
    TextStyle style { Font::system(13), colors::white, { TextAlignment::left } };
    const char* words = "ab 你好 cd";
    auto drawn = [&](bool underline) {
        auto canvas = std::make_unique<Canvas>(200, 30, 1, true);
        gfx::TextLayout layout(words, style);
        if (underline)
            layout.underline(3, 9);
        layout.draw({ 0, 0, 200, 30 });
        return canvas;
    };
    auto plain = drawn(false);
    auto underlined = drawn(true);
    gfx::TextLayout layout(words, style);
    PangoRectangle from, to;
    pango_layout_index_to_pos(layout.pangoLayout(), 3, &from);
    pango_layout_index_to_pos(layout.pangoLayout(), 9, &to);
    double left = from.x / double(PANGO_SCALE), right = to.x / double(PANGO_SCALE);
    int changed = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x)
            if (plain->bitmap().pixel(x, y) != underlined->bitmap().pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(x >= left - 1 && x <= right + 1) << x << " outside " << left << " … " << right;
            }
    EXPECT_GT(changed, right - left - 2) << "a line as long as the part";
}

TEST_F(Text, WhatIsSetOnTheMeasuredLayoutIsWhatDraws)
{
    const char* words = "Parse Selected Text and Set the Objective of the Slice";
    // Small text is drawn on whole pixels through a layout of its own; large text too.
    for (double size : { 10.0, 20.0 }) {
        TextStyle style { Font::system(size), colors::white, { TextAlignment::left } };
        auto drawn = [&](bool fittedOnOneLine, bool alsoAfterADrawing) {
            gfx::TextLayout layout(words, style, 150);
            if (alsoAfterADrawing) {
                Canvas before(160, 120, 1, true);
                layout.draw({ 0, 0, 160, 120 });
            }
            if (fittedOnOneLine) {
                // As a control fits a title that is too long: one line ending in "…".
                pango_layout_set_ellipsize(layout.pangoLayout(), PANGO_ELLIPSIZE_END);
                pango_layout_set_height(layout.pangoLayout(), -1);
            }
            Canvas canvas(160, 120, 1, true);
            layout.draw({ 0, 0, 160, 120 });
            return inkOf(canvas.bitmap());
        };
        double line = size * 1.6;
        EXPECT_GT(drawn(false, false).maxY - drawn(false, false).minY, line) << size << " pt: wrapped, it takes lines";
        EXPECT_LT(drawn(true, false).maxY - drawn(true, false).minY, line) << size << " pt: fitted, it takes one";
        EXPECT_LT(drawn(true, true).maxY - drawn(true, true).minY, line) << size << " pt: fitted after it was drawn";
    }
}

}
