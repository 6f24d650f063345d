#pragma once

#include "drawing/PathPieces.h"
#include "tests/drawing/KitCanvas.h"

#include <gtest/gtest.h>

namespace ostrel::test {

// The rectangle, in points with y up, around every pixel with more than `threshold` alpha;
// the zero rectangle when nothing is inked.
inline gfx::Rect inkBounds(const gfx::Bitmap& bitmap, double scale = 1, double threshold = 0.1)
{
    int left = bitmap.width(), right = -1, top = bitmap.height(), bottom = -1;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (bitmap.pixel(x, y).alpha > threshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return { left / scale, (bitmap.height() - 1 - bottom) / scale, (right - left + 1) / scale, (bottom - top + 1) / scale };
}

// The largest alpha of any pixel: above a translucent colour's own only where fills overlap.
inline double strongestAlpha(const gfx::Bitmap& bitmap)
{
    double strongest = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x)
            strongest = std::max(strongest, bitmap.pixel(x, y).alpha);
    }
    return strongest;
}

inline void expectRectNear(const gfx::Rect& actual, const gfx::Rect& expected, double tolerance)
{
    EXPECT_NEAR(actual.minX(), expected.minX(), tolerance);
    EXPECT_NEAR(actual.minY(), expected.minY(), tolerance);
    EXPECT_NEAR(actual.maxX(), expected.maxX(), tolerance);
    EXPECT_NEAR(actual.maxY(), expected.maxY(), tolerance);
}

// What a contour is expected to be made of.
struct ExpectedContour {
    int lines;
    int curves;
    bool counterClockwise;
    gfx::Rect bounds;
};

inline void expectContours(const gfx::Path& path, const std::vector<ExpectedContour>& expected, double tolerance = 0.02)
{
    auto shapes = contourShapes(path);
    ASSERT_EQ(shapes.size(), expected.size());
    for (size_t i = 0; i < shapes.size(); ++i) {
        SCOPED_TRACE("contour " + std::to_string(i));
        EXPECT_EQ(shapes[i].lines, expected[i].lines);
        EXPECT_EQ(shapes[i].curves, expected[i].curves);
        EXPECT_EQ(shapes[i].counterClockwise, expected[i].counterClockwise);
        if (!expected[i].bounds.isEmpty())
            expectRectNear(shapes[i].bounds, expected[i].bounds, tolerance);
    }
}

}
