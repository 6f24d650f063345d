#pragma once

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Geometry.h"

#include <functional>
#include <map>

typedef struct _cairo_surface cairo_surface_t;

namespace ostrel {

// Drawings of one area rasterised once each, under a number, at the display's pixels, and
// copied in upright afterwards: a drawing shown again and again (a step of a ring) costs a
// copy of its pixels instead of its shapes. Coverage pictures keep only how much each pixel
// is covered, and are laid on in white.
class KeptPictures {
public:
    enum class Kind { colour, coverage };
    // Past this many bytes of pictures (a large drawing at a high display scale) no more
    // are kept: the rest are drawn as shapes.
    static constexpr std::size_t kMostBytes = 16 << 20;
    explicit KeptPictures(Kind kind)
        : m_kind(kind)
    {
    }
    ~KeptPictures();
    KeptPictures(const KeptPictures&) = delete;
    KeptPictures& operator=(const KeptPictures&) = delete;

    // Forgets every picture when the area, the pixels a point or where the area's corner
    // falls within a pixel (`phase`, device pixels) differ from those kept.
    void keepFor(ui::Rect area, double pixelScale, ui::Point phase = {});
    ui::Rect area() const { return m_area; }
    double pixelScale() const { return m_pixelScale; }
    ui::Point phase() const { return m_phase; }
    std::size_t size() const { return m_pictures.size(); }

    // The picture under `key`, made by `draw` (in the area's points, y up) when missing;
    // none when it cannot be made or kept. The second is true when it was made just now.
    // Its top left pixel is the one the area's top left corner falls in.
    std::pair<cairo_surface_t*, bool> picture(int key, const std::function<void()>& draw);
    // Lays the picture under `key` on `area` in the context, made by `draw` when missing
    // (all forgotten first when the area or its place within a pixel changed); false,
    // drawing nothing, where the context is turned or stretched off the pixels (then the
    // caller draws the shapes).
    bool drawIn(gfx::GraphicsContext& context, ui::Rect area, int key, const std::function<void()>& draw);

private:
    Kind m_kind;
    ui::Rect m_area;
    double m_pixelScale { 0 };
    ui::Point m_phase;
    std::map<int, cairo_surface_t*> m_pictures;
    std::size_t m_bytes { 0 };
};

}
