#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/GraphicsContext.h"

#include <filesystem>
#include <memory>

typedef struct _cairo_surface cairo_surface_t;

namespace gfx {

// A block of premultiplied ARGB pixels: what windows render into, images rasterise to and
// PNG files load into. Pixel rows run top down.
class Bitmap {
public:
    // Transparent pixels; none for sizes that are not positive or too large.
    static std::shared_ptr<Bitmap> create(int width, int height);
    // Nothing for a missing or damaged file.
    static std::shared_ptr<Bitmap> loadPng(const std::filesystem::path&);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int width() const;
    int height() const;
    // The colour at a pixel, un-premultiplied; clear outside the bitmap.
    Color pixel(int x, int y) const;
    // Writes atomically; false when it could not be written.
    bool savePng(const std::filesystem::path&) const;

    // A context drawing into these pixels at `scale` pixels per point, y up unless flipped.
    std::unique_ptr<GraphicsContext> makeContext(double scale = 1, bool flipped = false);
    cairo_surface_t* cairoSurface() const { return m_surface; }

private:
    explicit Bitmap(cairo_surface_t* surface)
        : m_surface(surface)
    {
    }
    cairo_surface_t* m_surface { nullptr };
};

}
