#include "drawing/PathPieces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ostrel {

void appendEllipseArc(gfx::Path& path, gfx::Point center, double rx, double ry, double from, double to, double largestPiece)
{
    auto point = [&](double t) { return gfx::Point { center.x + rx * std::cos(t), center.y + ry * std::sin(t) }; };
    auto tangent = [&](double t) { return gfx::Point { -rx * std::sin(t), ry * std::cos(t) }; };
    double radians = std::numbers::pi / 180;
    int pieces = std::max(1, int(std::ceil(std::abs(to - from) / largestPiece - 1e-9)));
    double step = (to - from) / pieces * radians;
    // The control-arm length that makes a cubic follow a circle over `step`.
    double k = 4.0 / 3 * std::tan(step / 4);
    if (!path.hasCurrentPoint())
        path.moveTo(point(from * radians));
    for (int i = 0; i < pieces; ++i) {
        double t0 = from * radians + i * step, t1 = t0 + step;
        gfx::Point p0 = point(t0), p1 = point(t1), d0 = tangent(t0), d1 = tangent(t1);
        path.curveTo(p1, { p0.x + k * d0.x, p0.y + k * d0.y }, { p1.x - k * d1.x, p1.y - k * d1.y });
    }
}

gfx::Path roundedRectOutline(const gfx::Rect& rect, double radius, bool clockwise)
{
    gfx::Rect r = rect.standardized();
    double x0 = r.minX(), y0 = r.minY(), x1 = r.maxX(), y1 = r.maxY();
    gfx::Path path;
    if (clockwise) {
        path.moveTo({ x1 - radius, y0 });
        path.lineTo({ x0 + radius, y0 });
        appendEllipseArc(path, { x0 + radius, y0 + radius }, radius, radius, 270, 180);
        path.lineTo({ x0, y1 - radius });
        appendEllipseArc(path, { x0 + radius, y1 - radius }, radius, radius, 180, 90);
        path.lineTo({ x1 - radius, y1 });
        appendEllipseArc(path, { x1 - radius, y1 - radius }, radius, radius, 90, 0);
        path.lineTo({ x1, y0 + radius });
        appendEllipseArc(path, { x1 - radius, y0 + radius }, radius, radius, 0, -90);
    } else {
        path.moveTo({ x0 + radius, y0 });
        path.lineTo({ x1 - radius, y0 });
        appendEllipseArc(path, { x1 - radius, y0 + radius }, radius, radius, -90, 0);
        path.lineTo({ x1, y1 - radius });
        appendEllipseArc(path, { x1 - radius, y1 - radius }, radius, radius, 0, 90);
        path.lineTo({ x0 + radius, y1 });
        appendEllipseArc(path, { x0 + radius, y1 - radius }, radius, radius, 90, 180);
        path.lineTo({ x0, y0 + radius });
        appendEllipseArc(path, { x0 + radius, y0 + radius }, radius, radius, 180, 270);
    }
    path.closePath();
    return path;
}

gfx::Path smoothContour(std::span<const ContourPoint> points)
{
    gfx::Path path;
    size_t n = points.size();
    if (n == 0)
        return path;
    auto at = [&](size_t i) { return points[i % n].point; };
    path.moveTo(at(0));
    for (size_t i = 0; i < n; ++i) {
        gfx::Point p0 = at(i + n - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        if (points[i].straight) {
            path.lineTo(p2);
            continue;
        }
        // Catmull-Rom tangents, except that a curve meeting a straight edge leaves along it,
        // as far out as the curve is long.
        double chord = std::hypot(p2.x - p1.x, p2.y - p1.y);
        auto along = [chord](gfx::Point from, gfx::Point to) {
            double length = std::hypot(to.x - from.x, to.y - from.y);
            return length > 0 ? gfx::Point { (to.x - from.x) / length * chord, (to.y - from.y) / length * chord } : gfx::Point {};
        };
        gfx::Point t1 = points[(i + n - 1) % n].straight ? along(p0, p1) : gfx::Point { (p2.x - p0.x) / 2, (p2.y - p0.y) / 2 };
        gfx::Point t2 = points[(i + 1) % n].straight ? along(p2, p3) : gfx::Point { (p3.x - p1.x) / 2, (p3.y - p1.y) / 2 };
        path.curveTo(p2, { p1.x + t1.x / 3, p1.y + t1.y / 3 }, { p2.x - t2.x / 3, p2.y - t2.y / 3 });
    }
    path.closePath();
    return path;
}

gfx::Path fittedTo(const gfx::Path& path, const gfx::Rect& bounds)
{
    gfx::Rect from = path.bounds();
    if (from.width() == 0 || from.height() == 0)
        return path;
    return path.transformed(gfx::AffineTransform::mapping(from, bounds));
}

namespace {

struct Segment {
    gfx::Path::ElementType type;
    gfx::Point from, control1, control2, to;
};

struct Contour {
    std::vector<Segment> segments;
    bool closed { false };
};

std::vector<Contour> contoursOf(const gfx::Path& path)
{
    std::vector<Contour> contours;
    gfx::Point start, current;
    for (const auto& element : path.elements()) {
        switch (element.type) {
        case gfx::Path::ElementType::moveTo:
            contours.emplace_back();
            start = current = element.points[0];
            break;
        case gfx::Path::ElementType::lineTo:
            if (contours.empty())
                contours.emplace_back();
            contours.back().segments.push_back({ element.type, current, current, element.points[0], element.points[0] });
            current = element.points[0];
            break;
        case gfx::Path::ElementType::curveTo:
            if (contours.empty())
                contours.emplace_back();
            contours.back().segments.push_back({ element.type, current, element.points[0], element.points[1], element.points[2] });
            current = element.points[2];
            break;
        case gfx::Path::ElementType::closePath:
            if (contours.empty())
                break;
            // The closing edge counts as a segment only where it has a length.
            if (std::hypot(current.x - start.x, current.y - start.y) > 1e-6)
                contours.back().segments.push_back({ gfx::Path::ElementType::lineTo, current, current, start, start });
            contours.back().closed = true;
            current = start;
            break;
        }
    }
    return contours;
}

gfx::Point bezier(const Segment& s, double t)
{
    double u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return { a * s.from.x + b * s.control1.x + c * s.control2.x + d * s.to.x, a * s.from.y + b * s.control1.y + c * s.control2.y + d * s.to.y };
}

}

gfx::Path reversed(const gfx::Path& path)
{
    gfx::Path result;
    for (const Contour& contour : contoursOf(path)) {
        if (contour.segments.empty())
            continue;
        result.moveTo(contour.segments.back().to);
        for (auto s = contour.segments.rbegin(); s != contour.segments.rend(); ++s) {
            if (s->type == gfx::Path::ElementType::curveTo)
                result.curveTo(s->from, s->control2, s->control1);
            else
                result.lineTo(s->from);
        }
        if (contour.closed)
            result.closePath();
    }
    result.setWindingRule(path.windingRule());
    return result;
}

gfx::Path mirroredAbout(const gfx::Path& path, double axis)
{
    return path.transformed({ -1, 0, 0, 1, 2 * axis, 0 });
}

std::vector<ContourShape> contourShapes(const gfx::Path& path)
{
    std::vector<ContourShape> shapes;
    for (const Contour& contour : contoursOf(path)) {
        ContourShape shape;
        double area = 0;
        gfx::Path outline;
        for (const Segment& s : contour.segments) {
            if (s.type == gfx::Path::ElementType::curveTo)
                ++shape.curves;
            else
                ++shape.lines;
            int steps = s.type == gfx::Path::ElementType::curveTo ? 16 : 1;
            gfx::Point previous = s.from;
            for (int i = 1; i <= steps; ++i) {
                gfx::Point next = bezier(s, double(i) / steps);
                area += previous.x * next.y - next.x * previous.y;
                previous = next;
            }
            if (outline.isEmpty())
                outline.moveTo(s.from);
            if (s.type == gfx::Path::ElementType::curveTo)
                outline.curveTo(s.to, s.control1, s.control2);
            else
                outline.lineTo(s.to);
        }
        shape.counterClockwise = area > 0;
        shape.bounds = outline.bounds();
        shapes.push_back(shape);
    }
    return shapes;
}

gfx::Path resampledContour(std::span<const gfx::Point> keyPoints, int segments, std::span<const int> straight)
{
    std::vector<ContourPoint> key;
    for (gfx::Point p : keyPoints)
        key.push_back({ p });
    gfx::Path smooth = smoothContour(key);
    std::vector<Segment> pieces = contoursOf(smooth).front().segments;
    std::vector<ContourPoint> points;
    for (int i = 0; i < segments; ++i) {
        double t = double(i) * pieces.size() / segments;
        size_t j = std::min(size_t(t), pieces.size() - 1);
        points.push_back({ bezier(pieces[j], t - j), std::find(straight.begin(), straight.end(), i) != straight.end() });
    }
    return smoothContour(points);
}

void appendArcPieces(gfx::Path& path, gfx::Point center, double radius, double from, double to, int pieces)
{
    // A hair over the even share, so that rounding never makes one piece more.
    appendEllipseArc(path, center, radius, radius, from, to, std::abs(to - from) / pieces * (1 + 1e-9));
}

}
