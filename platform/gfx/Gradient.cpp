#include "platform/gfx/Gradient.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <numbers>

namespace gfx {

Gradient::Gradient(const Color& start, const Color& end)
    : m_stops { { start, 0 }, { end, 1 } }
{
}

Gradient::Gradient(const std::vector<Color>& colors)
{
    for (size_t i = 0; i < colors.size(); ++i)
        m_stops.push_back({ colors[i], colors.size() == 1 ? 0.0 : double(i) / double(colors.size() - 1) });
}

Gradient::Gradient(std::vector<Stop> stops)
    : m_stops(std::move(stops))
{
    for (Stop& stop : m_stops)
        stop.location = std::isfinite(stop.location) ? std::clamp(stop.location, 0.0, 1.0) : 0.0;
    std::stable_sort(m_stops.begin(), m_stops.end(), [](const Stop& a, const Stop& b) { return a.location < b.location; });
}

Color Gradient::interpolatedColor(double location) const
{
    if (m_stops.empty())
        return colors::clear;
    if (location <= m_stops.front().location)
        return m_stops.front().color;
    for (size_t i = 1; i < m_stops.size(); ++i) {
        const Stop& a = m_stops[i - 1];
        const Stop& b = m_stops[i];
        if (location <= b.location) {
            double span = b.location - a.location;
            return span <= 0 ? b.color : a.color.blended((location - a.location) / span, b.color);
        }
    }
    return m_stops.back().color;
}

void Gradient::drawInRect(const Rect& rect, double angleDegrees) const
{
    GraphicsContext& context = GraphicsContext::requireCurrent();
    context.save();
    context.clipToRect(rect);
    draw(rect, angleDegrees);
    context.restore();
}

void Gradient::drawInPath(const Path& path, double angleDegrees) const
{
    GraphicsContext& context = GraphicsContext::requireCurrent();
    context.save();
    path.addClip();
    draw(path.bounds(), angleDegrees);
    context.restore();
}

void Gradient::draw(const Rect& area, double angleDegrees) const
{
    if (m_stops.empty())
        return;
    double radians = angleDegrees * std::numbers::pi / 180;
    double c = std::cos(radians), s = std::sin(radians);
    // The axis is long enough for the end colours to reach the far corners.
    double half = (std::abs(area.width() * c) + std::abs(area.height() * s)) / 2;
    Point center = area.center();
    Point start { center.x - half * c, center.y - half * s };
    Point end { center.x + half * c, center.y + half * s };

    GraphicsContext::requireCurrent().paint([&](cairo_t* cr) {
        cairo_pattern_t* pattern = cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
        for (const Stop& stop : m_stops) {
            const Color& k = stop.color;
            cairo_pattern_add_color_stop_rgba(pattern, stop.location, k.red, k.green, k.blue, k.alpha);
        }
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
        cairo_set_source(cr, pattern);
        cairo_paint(cr);
        cairo_pattern_destroy(pattern);
    });
}

}
