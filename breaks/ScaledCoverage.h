#pragma once

#include "breaks/KeptPictures.h"

#include "platform/gfx/Image.h"
#include "platform/ui/Geometry.h"

#include <map>
#include <memory>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace ostrel {

// A drawing of one colour over a view, kept as its coverage in device pixels at each scale
// it was shown at (grown about the view's centre), with the columns each band of rows
// covers. A pulse of many frames rasterises each of its few scales once, and a frame sends
// only what the two pictures it goes between cover, not the square around them.
class ScaledCoverage {
public:
    // Rows are looked at in bands this high, and columns further apart than a gap are
    // spans of their own: a ring gives a span or two a band.
    static constexpr int kBandRows = 24;
    static constexpr int kSmallestGap = 16;

    // Columns of a band, and the rows within it they cover.
    struct Span {
        int left;
        int right; // one past
        int top;
        int bottom; // one past
    };
    using Bands = std::vector<std::vector<Span>>;

    // Forgets every picture unless they are of this drawing over `area` (points) at
    // `pixelScale` pixels a point.
    void keepFor(std::shared_ptr<gfx::Image> contents, ui::Rect area, double pixelScale);
    double pixelScale() const { return m_pictures.pixelScale(); }
    ui::Rect area() const { return m_pictures.area(); }
    std::size_t pictureCount() const { return m_pictures.size(); }

    // What the drawing grown by `scale` covers, its picture kept under `step`.
    const Bands& coveredAt(int step, double scale);
    // Lays the picture of `step` on the area in the context; false where it cannot.
    bool drawIn(gfx::GraphicsContext& context, int step, double scale);
    // What either covers, in points of the area, as few rectangles as their bands, each
    // as high as the rows its columns cover.
    std::vector<ui::Rect> partsCovered(const Bands& one, const Bands& other) const;

private:
    std::function<void()> drawing(double scale) const;
    Bands bandsOf(cairo_surface_t* picture) const;

    std::shared_ptr<gfx::Image> m_contents;
    KeptPictures m_pictures { KeptPictures::Kind::coverage };
    std::map<int, Bands> m_bands;
};

}
