#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Fonts.h"
#include "platform/gfx/GraphicsContext.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace gfx::test {

// An offscreen bitmap with its context made current: draw, then probe pixels by their
// position in points, y up from the bottom left unless flipped.
class Canvas {
public:
    Canvas(int width, int height, double scale = 1, bool flipped = false)
        : m_bitmap(Bitmap::create(int(width * scale), int(height * scale)))
        , m_context(m_bitmap->makeContext(scale, flipped))
        , m_current(*m_context)
        , m_height(height)
        , m_scale(scale)
        , m_flipped(flipped)
    {
    }

    GraphicsContext& context() { return *m_context; }
    Bitmap& bitmap() { return *m_bitmap; }

    // The pixel whose square contains the point (x, y) in points.
    Color at(double x, double y) const
    {
        double row = m_flipped ? y : m_height - y;
        return m_bitmap->pixel(int(x * m_scale), int(row * m_scale));
    }
    double alphaAt(double x, double y) const { return at(x, y).alpha; }

private:
    std::shared_ptr<Bitmap> m_bitmap;
    std::unique_ptr<GraphicsContext> m_context;
    GraphicsContext::MakeCurrent m_current;
    int m_height { 0 };
    double m_scale { 1 };
    bool m_flipped { false };
};

// Every test of this program measures and draws with the fonts the program ships, never the
// desktop's (ShippedFonts.cpp pins them before the first test).
inline bool pinShippedFonts()
{
    static bool pinned = [] {
        // The copy in the build's resources when there is one, else the source tree's (both
        // set by the test support's main).
        const char* resources = std::getenv("OSTREL_RESOURCES");
        std::filesystem::path built = std::filesystem::path(resources ? resources : "") / "fonts/fonts.conf";
        if (resources && std::filesystem::exists(built))
            return gfx::pinFonts(built);
        const char* source = std::getenv("OSTREL_SOURCE");
        return gfx::pinFonts(std::filesystem::path(source ? source : ".") / "resources/fonts/fonts.conf");
    }();
    return pinned;
}

inline void expectColorNear(const Color& actual, const Color& expected, double tolerance = 0.02)
{
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
    EXPECT_NEAR(actual.alpha, expected.alpha, tolerance);
}

}
