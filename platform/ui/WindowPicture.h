#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Geometry.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace ui {

// The picture a window draws itself into: pixels at the display's scale (points × scale),
// cleared to the window's background. Where the display cannot show a window translucent,
// the content goes at the window's alpha over a picture of the screen beneath it.
class WindowPicture {
public:
    using Content = std::function<void(gfx::GraphicsContext&)>;

    // Draws the content (in points, y up from the bottom left) into a picture of `size`.
    void render(Size size, double scale, gfx::Color background, const Content& content);
    // Draws again only the parts given (in the same points) of the picture as it is, in one
    // pass clipped to them all: true when it could, false when the whole picture must be
    // drawn (none yet, another size or scale, or one that lets the screen beneath show
    // through). The parts come back widened to whole pixels.
    bool renderPart(std::vector<Rect>& parts, Size size, double scale, gfx::Color background, const Content& content);

    // The screen beneath the window, pixels at the picture's scale, and the alpha to lay
    // the content over it with; none draws the content as it is.
    void setBackdrop(std::shared_ptr<gfx::Bitmap> backdrop, double alpha);
    bool hasBackdrop() const { return m_backdrop != nullptr; }
    void setBackdropAlpha(double alpha) { m_backdropAlpha = alpha; }

    bool isEmpty() const { return !m_bitmap; }
    cairo_surface_t* surface() const { return m_bitmap ? m_bitmap->cairoSurface() : nullptr; }
    double scale() const { return m_scale; }
    // The colour at a point counted from the top left, in points.
    gfx::Color pixelAt(double x, double y) const;
    bool writePng(const std::filesystem::path& path) const;

private:
    bool ensureBitmap(Size size, double scale);
    bool showsBackdrop(gfx::Color background) const;

    std::shared_ptr<gfx::Bitmap> m_bitmap;
    double m_scale { 1 };
    std::shared_ptr<gfx::Bitmap> m_backdrop;
    double m_backdropAlpha { 1 };
    bool m_blended { false };
};

}
