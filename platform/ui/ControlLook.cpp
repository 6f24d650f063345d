#include "platform/ui/ControlLook.h"

#include "platform/gfx/Contrast.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"

#include "platform/gfx/Fonts.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <pango/pango.h>
#include <string>
#include <unordered_map>

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
    // Controls ask for the same few texts again and again (a line's height from "Xg", their
    // titles at every layout): each is shaped once.
    struct Key {
        std::string text;
        gfx::Font font;
        unsigned generation;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const
        {
            return std::hash<std::string> {}(key.text) ^ (std::hash<std::string> {}(key.font.postScriptName) * 31)
                ^ std::hash<double> {}(key.font.pointSize) ^ (std::size_t(key.font.weight) << 8)
                ^ (std::size_t(key.font.monospacedDigits) << 12);
        }
    };
    static std::unordered_map<Key, Size, KeyHash> measured;
    auto measure = [&] {
        // As drawn: a title measured narrower than it draws would lose its end.
        Rect r = gfx::TextLayout(text, gfx::TextStyle(font)).drawnBoundingRect();
        return Size { std::ceil(r.width()), std::ceil(std::max(r.height(), font.pointSize * 1.2)) };
    };
    // Long texts are seldom asked for twice and would make the cache large.
    if (text.size() > 256)
        return measure();
    Key key { std::string(text), font, gfx::fontGeneration() };
    if (auto found = measured.find(key); found != measured.end())
        return found->second;
    // Count-downs bring a new title every second: the cache stays small.
    if (measured.size() >= 512)
        measured.clear();
    Size size = measure();
    measured.emplace(std::move(key), size);
    return size;
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
