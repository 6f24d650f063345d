#pragma once

#include "drawing/KitSelectors.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Image.h"
#include "tests/support/gfx/Canvas.h"

#include <functional>

namespace ostrel::test {

using gfx::test::Canvas;
using gfx::test::expectColorNear;

// Whether two bitmaps hold the same pixels.
inline bool samePixels(const gfx::Bitmap& a, const gfx::Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!(a.pixel(x, y) == b.pixel(x, y)))
                return false;
        }
    }
    return true;
}

// How many pixels carry any ink.
inline int inkedPixels(const gfx::Bitmap& bitmap)
{
    int count = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x)
            count += bitmap.pixel(x, y).alpha > 0;
    }
    return count;
}

// Draws into a fresh transparent canvas and hands back its pixels.
inline std::shared_ptr<gfx::Bitmap> drawn(int width, int height, const std::function<void()>& draw, bool flipped = false)
{
    auto bitmap = gfx::Bitmap::create(width, height);
    auto context = bitmap->makeContext(1, flipped);
    gfx::GraphicsContext::MakeCurrent current(*context);
    draw();
    return bitmap;
}

}
