#include "platform/ui/ControlLook.h"

#include "platform/gfx/Contrast.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"

#include <algorithm>
#include <cmath>
#include <pango/pango.h>

namespace ui::ControlLook {

void drawBezel(gfx::GraphicsContext& context, const Rect& rect, double radius, gfx::Color fill, gfx::Color stroke)
{
    Rect r = rect.insetBy(0.5, 0.5);
    radius = std::min(radius, std::min(r.width(), r.height()) / 2);
    auto path = gfx::Path::roundedRect(r, radius, radius);
    context.setFillColor(fill);
    path.fill();
    path.setLineWidth(1);
    context.setStrokeColor(stroke);
    path.stroke();
}

Size labelSize(std::string_view text, const gfx::Font& font)
{
    // As drawn: a title measured narrower than it draws would lose its end.
    Rect r = gfx::TextLayout(text, gfx::TextStyle(font)).drawnBoundingRect();
    return { std::ceil(r.width()), std::ceil(std::max(r.height(), font.pointSize * 1.2)) };
}

gfx::Color selectionColor(gfx::Color background, bool active)
{
    // About halfway between black and white, as the eye measures it.
    bool light = gfx::relativeLuminance(background) > 0.18;
    if (light)
        return active ? kAccent.blended(0.7, gfx::colors::white) : gfx::Color::rgb(0.82, 0.82, 0.84);
    return active ? kAccent.blended(0.45, gfx::colors::black) : kFaceHighlighted;
}

gfx::Color selectionColorForText(gfx::Color text, bool active)
{
    return selectionColor(gfx::relativeLuminance(text) > 0.18 ? kField : gfx::colors::white, active);
}

double labelBaseline(const gfx::Font& font, double rectHeight)
{
    gfx::TextLayout layout("0", gfx::TextStyle(font));
    double height = layout.boundingRect().height();
    return (rectHeight - height) / 2 + pango_layout_get_baseline(layout.pangoLayout()) / static_cast<double>(PANGO_SCALE);
}

void drawLabel(std::string_view text, const Rect& rect, const gfx::Font& font, gfx::Color color,
    gfx::TextAlignment alignment)
{
    if (text.empty())
        return;
    gfx::TextLayout layout(text, gfx::TextStyle(font, color, { alignment }), rect.width());
    fitOnOneLine(layout, rect.width());
    double height = layout.boundingRect().height();
    // The context is flipped in controls: the rect's top is its minY.
    layout.draw(Rect(rect.minX(), rect.minY() + (rect.height() - height) / 2, rect.width(), height));
}

void fitOnOneLine(gfx::TextLayout& layout, double width)
{
    if (width <= 0 || !std::isfinite(width))
        return;
    PangoLayout* pango = layout.pangoLayout();
    pango_layout_set_width(pango, static_cast<int>(std::min(width, 1e6) * PANGO_SCALE));
    pango_layout_set_ellipsize(pango, PANGO_ELLIPSIZE_END);
    pango_layout_set_height(pango, -1);
}

void drawCheckMark(gfx::GraphicsContext& context, const Rect& r, gfx::Color color)
{
    gfx::Path path;
    path.moveTo({ r.minX() + r.width() * 0.2, r.minY() + r.height() * 0.52 });
    path.lineTo({ r.minX() + r.width() * 0.42, r.minY() + r.height() * 0.75 });
    path.lineTo({ r.minX() + r.width() * 0.8, r.minY() + r.height() * 0.25 });
    path.setLineWidth(std::max(1.5, r.width() / 7));
    path.setLineCap(gfx::LineCap::round);
    path.setLineJoin(gfx::LineJoin::round);
    context.setStrokeColor(color);
    path.stroke();
}

void drawChevron(gfx::GraphicsContext& context, const Rect& r, gfx::Color color, bool upAndDown)
{
    gfx::Path path;
    double w = r.width() * 0.3;
    double cx = r.midX();
    if (upAndDown) {
        double cy = r.midY();
        path.moveTo({ cx - w, cy - 1.5 });
        path.lineTo({ cx, cy - 1.5 - w });
        path.lineTo({ cx + w, cy - 1.5 });
        path.moveTo({ cx - w, cy + 1.5 });
        path.lineTo({ cx, cy + 1.5 + w });
        path.lineTo({ cx + w, cy + 1.5 });
    } else {
        double cy = r.midY() - w / 2;
        path.moveTo({ cx - w, cy });
        path.lineTo({ cx, cy + w });
        path.lineTo({ cx + w, cy });
    }
    path.setLineWidth(1.5);
    path.setLineCap(gfx::LineCap::round);
    context.setStrokeColor(color);
    path.stroke();
}

}
