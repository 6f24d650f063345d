#pragma once

#include "platform/gfx/Color.h"

#include <filesystem>
#include <memory>

namespace gfx {
class Bitmap;
}

namespace ostrel::acceptance {

// A rectangle in screen pixels, y down from the top left, as X and xdotool count.
struct Box {
    int x { 0 }, y { 0 }, width { 0 }, height { 0 };
    int midX() const { return x + width / 2; }
    int midY() const { return y + height / 2; }
    bool operator==(const Box&) const = default;
};

// What the display showed at one moment, over the whole screen or one window: pixels to
// probe where a colour tells, and a PNG to look at.
class Screenshot {
public:
    explicit Screenshot(std::shared_ptr<gfx::Bitmap> pixels);

    int width() const;
    int height() const;
    gfx::Color at(int x, int y) const;
    // How many pixels of the box lie within `tolerance` of the colour in each channel.
    int count(const Box& box, const gfx::Color& color, double tolerance = 0.03) const;
    bool savePng(const std::filesystem::path& file) const;
    // Pixel for pixel the same picture.
    bool sameAs(const Screenshot& other) const;

private:
    std::shared_ptr<gfx::Bitmap> m_pixels;
};

}
