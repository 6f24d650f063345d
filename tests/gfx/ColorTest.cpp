#include "platform/gfx/Archive.h"
#include "platform/gfx/Color.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using gfx::Color;

void expectNear(const Color& actual, const Color& expected, double tolerance = 1e-3)
{
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
    EXPECT_NEAR(actual.alpha, expected.alpha, tolerance);
}

TEST(Color, HueSaturationBrightnessRoundTrip)
{
    Color cyanish = Color::rgb(0.388, 0.894, 0.988);
    Color back = Color::hsb(cyanish.hue(), cyanish.saturation(), cyanish.brightness());
    expectNear(back, cyanish, 1e-9);
    EXPECT_NEAR(cyanish.hue() * 360, 189.4, 0.1);

    // A grey has hue and saturation 0, so replacing its brightness keeps it grey.
    Color grey = Color::white(0.95);
    EXPECT_EQ(grey.hue(), 0);
    EXPECT_EQ(grey.saturation(), 0);
    expectNear(Color::hsb(grey.hue(), grey.saturation(), 0.5), Color::rgb(0.5, 0.5, 0.5));

    // Replacing the brightness of the cyan keeps hue and saturation.
    Color dimmed = Color::hsb(cyanish.hue(), cyanish.saturation(), 0.7);
    expectNear(dimmed, Color::rgb(0.275, 0.633, 0.7), 2e-3);

    expectNear(Color::hsb(1.25, 1, 1), Color::hsb(0.25, 1, 1), 1e-12);
    expectNear(Color::hsb(0, 1, 1, 0.5), Color::rgb(1, 0, 0, 0.5));
    expectNear(Color::hsb(std::nan(""), std::nan(""), 0.5), Color::rgb(0.5, 0.5, 0.5));
}

TEST(Color, BlendTakesFractionOfOther)
{
    Color title = Color::rgb(0.388, 0.894, 0.988);
    expectNear(title.blended(0.3, gfx::colors::black), Color::rgb(0.272, 0.626, 0.692), 1e-3);
    EXPECT_EQ(title.blended(0, gfx::colors::black), title);
    EXPECT_EQ(title.blended(1, gfx::colors::black), gfx::colors::black);
    EXPECT_EQ(title.blended(7, gfx::colors::black), gfx::colors::black);
    expectNear(gfx::colors::clear.blended(0.5, gfx::colors::white), Color::rgb(0.5, 0.5, 0.5, 0.5));
}

TEST(Color, AlphaCopyKeepsComponents)
{
    Color base = Color::rgb(0.2, 0.4, 0.6, 0.3);
    EXPECT_EQ(base.withAlpha(1), Color::rgb(0.2, 0.4, 0.6, 1));
    EXPECT_EQ(base.withAlpha(1).hue(), base.hue());
}

TEST(ColorArchive, RoundTrips)
{
    for (Color color : { Color::rgb(0.203, 0.222, 0.26), gfx::colors::clear, Color::white(1, 0.25), Color::rgb(1, 0, 0.5, 0.969) })
        EXPECT_EQ(gfx::unarchiveColor(gfx::archiveColor(color)), color);
}

TEST(ColorArchive, GarbageReadsAsNone)
{
    for (const char* garbage : { "", "{", "null", "[1,2,3,4]", "{\"color\":[1,2,3]}", "{\"color\":[1,2,3,\"x\"]}",
             "{\"color\":\"red\"}", "{\"colour\":[0,0,0,1]}", "{\"color\":[0,0,0,1,1]}", "\xff\xfe\x00garbage",
             "{\"color\":[1e999,0,0,1]}" })
        EXPECT_EQ(gfx::unarchiveColor(garbage), std::nullopt) << garbage;
    EXPECT_EQ(gfx::unarchiveFont(gfx::archiveColor(gfx::colors::black)), std::nullopt);
}

TEST(ColorArchive, OutOfRangeComponentsAreClamped)
{
    EXPECT_EQ(gfx::unarchiveColor("{\"color\":[2,-1,0.5,1.5]}"), Color::rgb(1, 0, 0.5, 1));
}

TEST(FontArchive, RoundTrips)
{
    for (gfx::Font font : { gfx::Font::named("Futura-Medium", 35), gfx::Font::named("Helvetica", 12),
             gfx::Font::system(11, gfx::FontWeight::light), gfx::Font::monospacedDigitSystem(24, gfx::FontWeight::light),
             gfx::Font::named("Gill Sans \"Ünïcode\"", 14.5) })
        EXPECT_EQ(gfx::unarchiveFont(gfx::archiveFont(font)), font);
}

TEST(FontArchive, NameAndSizeAloneAreAPlainFont)
{
    auto font = gfx::unarchiveFont(R"({"font":"Helvetica-Bold","size":13})");
    ASSERT_TRUE(font);
    EXPECT_EQ(*font, gfx::Font::named("Helvetica-Bold", 13));
}

TEST(FontArchive, GarbageReadsAsNone)
{
    for (const char* garbage : { "", "[]", R"({"font":"","size":12})", R"({"font":"A","size":0})",
             R"({"font":"A","size":-3})", R"({"font":"A","size":1e9})", R"({"font":"A"})", R"({"font":3,"size":12})",
             R"({"font":"A","size":"12"})", R"({"font":"A","size":12,"weight":"enormous"})",
             R"({"font":"A","size":12,"weight":4})", R"({"font":"A","size":12,"digits":true})" })
        EXPECT_EQ(gfx::unarchiveFont(garbage), std::nullopt) << garbage;
    EXPECT_EQ(gfx::unarchiveFont(std::string(300, 'x')), std::nullopt);
}

}
