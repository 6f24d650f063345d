#include "platform/gfx/Path.h"

#include "platform/gfx/GraphicsContext.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <limits>
#include <numbers>

namespace gfx {

namespace {

constexpr double kDegrees = std::numbers::pi / 180;
// Control-point distance of a cubic quarter circle of radius 1.
constexpr double kQuarterCircle = 0.5522847498307936;

struct Extent {
    double x0 { std::numeric_limits<double>::infinity() };
    double y0 { std::numeric_limits<double>::infinity() };
    double x1 { -std::numeric_limits<double>::infinity() };
    double y1 { -std::numeric_limits<double>::infinity() };

    void add(Point p)
    {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    Rect rect() const { return x0 > x1 ? Rect {} : Rect { x0, y0, x1 - x0, y1 - y0 }; }
};

double cubic(double p0, double p1, double p2, double p3, double t)
{
    double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
}

// Parameters in (0, 1) where one coordinate of a cubic segment turns round.
template<typename Add> void cubicTurningPoints(double p0, double p1, double p2, double p3, Add add)
{
    // Derivative / 3 = a t² + b t + c.
    double a = -p0 + 3 * p1 - 3 * p2 + p3;
    double b = 2 * (p0 - 2 * p1 + p2);
    double c = p1 - p0;
    auto consider = [&](double t) {
        if (t > 0 && t < 1)
            add(t);
    };
    if (std::abs(a) < 1e-12) {
        if (std::abs(b) > 1e-12)
            consider(-c / b);
        return;
    }
    double discriminant = b * b - 4 * a * c;
    if (discriminant < 0)
        return;
    double root = std::sqrt(discriminant);
    consider((-b + root) / (2 * a));
    consider((-b - root) / (2 * a));
}

}

Path Path::rect(const Rect& r)
{
    Path path;
    path.appendRect(r);
    return path;
}

Path Path::oval(const Rect& r)
{
    Path path;
    path.appendOval(r);
    return path;
}

Path Path::roundedRect(const Rect& r, double radiusX, double radiusY)
{
    Path path;
    path.appendRoundedRect(r, radiusX, radiusY);
    return path;
}

void Path::moveTo(Point p) { m_elements.push_back({ ElementType::moveTo, { p } }); }

void Path::lineTo(Point p)
{
    // A line with no current point starts the path there, rather than failing.
    if (m_elements.empty())
        return moveTo(p);
    if (m_elements.back().type == ElementType::closePath)
        moveTo(currentPoint());
    m_elements.push_back({ ElementType::lineTo, { p } });
}

void Path::curveTo(Point end, Point control1, Point control2)
{
    if (m_elements.empty())
        moveTo(control1);
    else if (m_elements.back().type == ElementType::closePath)
        moveTo(currentPoint());
    m_elements.push_back({ ElementType::curveTo, { control1, control2, end } });
}

void Path::relativeMoveTo(Point delta) { moveTo(currentPoint() + delta); }

void Path::relativeLineTo(Point delta) { lineTo(currentPoint() + delta); }

void Path::closePath()
{
    if (!m_elements.empty() && m_elements.back().type != ElementType::closePath)
        m_elements.push_back({ ElementType::closePath, {} });
}

Point Path::subpathStart() const
{
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it) {
        if (it->type == ElementType::moveTo)
            return it->points[0];
    }
    return {};
}

Point Path::currentPoint() const
{
    if (m_elements.empty())
        return {};
    const Element& last = m_elements.back();
    switch (last.type) {
    case ElementType::moveTo:
    case ElementType::lineTo:
        return last.points[0];
    case ElementType::curveTo:
        return last.points[2];
    case ElementType::closePath:
        break;
    }
    return subpathStart();
}

void Path::appendRect(const Rect& r)
{
    Rect s = r.standardized();
    moveTo({ s.minX(), s.minY() });
    lineTo({ s.maxX(), s.minY() });
    lineTo({ s.maxX(), s.maxY() });
    lineTo({ s.minX(), s.maxY() });
    closePath();
}

void Path::appendOval(const Rect& r)
{
    Rect s = r.standardized();
    double rx = s.width() / 2, ry = s.height() / 2;
    double kx = rx * kQuarterCircle, ky = ry * kQuarterCircle;
    double cx = s.midX(), cy = s.midY();
    moveTo({ cx + rx, cy });
    curveTo({ cx, cy + ry }, { cx + rx, cy + ky }, { cx + kx, cy + ry });
    curveTo({ cx - rx, cy }, { cx - kx, cy + ry }, { cx - rx, cy + ky });
    curveTo({ cx, cy - ry }, { cx - rx, cy - ky }, { cx - kx, cy - ry });
    curveTo({ cx + rx, cy }, { cx + kx, cy - ry }, { cx + rx, cy - ky });
    closePath();
}

void Path::appendRoundedRect(const Rect& r, double radiusX, double radiusY)
{
    Rect s = r.standardized();
    double rx = std::clamp(radiusX, 0.0, s.width() / 2);
    double ry = std::clamp(radiusY, 0.0, s.height() / 2);
    if (rx <= 0 || ry <= 0)
        return appendRect(s);
    double kx = rx * (1 - kQuarterCircle), ky = ry * (1 - kQuarterCircle);
    double x0 = s.minX(), y0 = s.minY(), x1 = s.maxX(), y1 = s.maxY();
    moveTo({ x0 + rx, y0 });
    lineTo({ x1 - rx, y0 });
    curveTo({ x1, y0 + ry }, { x1 - kx, y0 }, { x1, y0 + ky });
    lineTo({ x1, y1 - ry });
    curveTo({ x1 - rx, y1 }, { x1, y1 - ky }, { x1 - kx, y1 });
    lineTo({ x0 + rx, y1 });
    curveTo({ x0, y1 - ry }, { x0 + kx, y1 }, { x0, y1 - ky });
    lineTo({ x0, y0 + ry });
    curveTo({ x0 + rx, y0 }, { x0, y0 + ky }, { x0 + kx, y0 });
    closePath();
}

void Path::appendArc(Point center, double radius, double startDegrees, double endDegrees, bool clockwise)
{
    double sweep = clockwise ? startDegrees - endDegrees : endDegrees - startDegrees;
    if (!std::isfinite(sweep) || !std::isfinite(radius))
        return;
    if (sweep != 0) {
        sweep = std::fmod(sweep, 360);
        if (sweep < 0)
            sweep += 360;
        if (sweep == 0)
            sweep = 360;
    }
    double direction = clockwise ? -1 : 1;
    auto at = [&](double degrees) {
        return Point { center.x + radius * std::cos(degrees * kDegrees), center.y + radius * std::sin(degrees * kDegrees) };
    };
    Point start = at(startDegrees);
    if (m_elements.empty() || m_elements.back().type == ElementType::closePath)
        moveTo(start);
    else
        lineTo(start);

    int pieces = std::max(1, int(std::ceil(sweep / 90 - 1e-9)));
    double step = sweep / pieces * direction;
    double k = 4.0 / 3 * std::tan(step * kDegrees / 4) * radius;
    for (int i = 0; sweep > 0 && i < pieces; ++i) {
        double a0 = startDegrees + step * i;
        double a1 = a0 + step;
        Point p0 = at(a0), p1 = at(a1);
        Point c1 { p0.x - k * std::sin(a0 * kDegrees), p0.y + k * std::cos(a0 * kDegrees) };
        Point c2 { p1.x + k * std::sin(a1 * kDegrees), p1.y - k * std::cos(a1 * kDegrees) };
        m_elements.push_back({ ElementType::curveTo, { c1, c2, p1 } });
    }
}

void Path::appendPath(const Path& other)
{
    m_elements.insert(m_elements.end(), other.m_elements.begin(), other.m_elements.end());
}

void Path::transform(const AffineTransform& t)
{
    for (Element& element : m_elements) {
        for (Point& p : element.points)
            p = t.apply(p);
    }
}

Path Path::transformed(const AffineTransform& t) const
{
    Path copy = *this;
    copy.transform(t);
    return copy;
}

Rect Path::bounds() const
{
    Extent extent;
    Point current;
    for (const Element& element : m_elements) {
        switch (element.type) {
        case ElementType::moveTo:
        case ElementType::lineTo:
            current = element.points[0];
            extent.add(current);
            break;
        case ElementType::curveTo: {
            // Named copies, not a structured binding: the lambda below captures them.
            const Point c1 = element.points[0], c2 = element.points[1], end = element.points[2];
            extent.add(end);
            auto addAt = [&](double t) {
                extent.add({ cubic(current.x, c1.x, c2.x, end.x, t), cubic(current.y, c1.y, c2.y, end.y, t) });
            };
            cubicTurningPoints(current.x, c1.x, c2.x, end.x, addAt);
            cubicTurningPoints(current.y, c1.y, c2.y, end.y, addAt);
            current = end;
            break;
        }
        case ElementType::closePath:
            break;
        }
    }
    return extent.rect();
}

Rect Path::controlPointBounds() const
{
    Extent extent;
    for (const Element& element : m_elements) {
        int count = element.type == ElementType::curveTo ? 3 : element.type == ElementType::closePath ? 0 : 1;
        for (int i = 0; i < count; ++i)
            extent.add(element.points[i]);
    }
    return extent.rect();
}

void Path::applyTo(cairo_t* cr) const
{
    cairo_new_path(cr);
    for (const Element& element : m_elements) {
        const auto& p = element.points;
        switch (element.type) {
        case ElementType::moveTo: cairo_move_to(cr, p[0].x, p[0].y); break;
        case ElementType::lineTo: cairo_line_to(cr, p[0].x, p[0].y); break;
        case ElementType::curveTo: cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y); break;
        case ElementType::closePath: cairo_close_path(cr); break;
        }
    }
    cairo_set_fill_rule(cr, m_windingRule == WindingRule::evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_set_line_width(cr, m_lineWidth);
    constexpr cairo_line_cap_t caps[] = { CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND, CAIRO_LINE_CAP_SQUARE };
    constexpr cairo_line_join_t joins[] = { CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND, CAIRO_LINE_JOIN_BEVEL };
    cairo_set_line_cap(cr, caps[int(m_lineCap)]);
    cairo_set_line_join(cr, joins[int(m_lineJoin)]);
    cairo_set_miter_limit(cr, m_miterLimit);
}

void Path::fill() const { paintWith(false); }

void Path::stroke() const { paintWith(true); }

bool Path::isFinite() const
{
    return std::all_of(m_elements.begin(), m_elements.end(), [](const Element& e) {
        return std::all_of(e.points.begin(), e.points.end(), [](Point p) { return std::isfinite(p.x) && std::isfinite(p.y); });
    }) && std::isfinite(m_lineWidth) && std::isfinite(m_miterLimit);
}

void Path::paintWith(bool outline) const
{
    GraphicsContext& context = GraphicsContext::requireCurrent();
    // cairo would stop drawing altogether after a point that is not a number.
    if (!isFinite() || context.isCollapsed())
        return;
    Color color = outline ? context.strokeColor() : context.fillColor();
    context.paint([&](cairo_t* cr) {
        applyTo(cr);
        cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
        if (outline)
            cairo_stroke(cr);
        else
            cairo_fill(cr);
    });
}

void Path::addClip() const
{
    GraphicsContext& context = GraphicsContext::requireCurrent();
    if (context.isCollapsed())
        return;
    cairo_t* cr = context.cairo();
    if (isFinite()) {
        applyTo(cr);
    } else {
        // An outline that cannot be drawn encloses nothing.
        cairo_new_path(cr);
    }
    cairo_clip(cr);
}

}
