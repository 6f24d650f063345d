#pragma once

#include <algorithm>
#include <cmath>

namespace gfx {

struct Point {
    double x { 0 };
    double y { 0 };

    constexpr Point operator+(Point other) const { return { x + other.x, y + other.y }; }
    constexpr Point operator-(Point other) const { return { x - other.x, y - other.y }; }
    bool operator==(const Point&) const = default;
};

struct Size {
    double width { 0 };
    double height { 0 };

    bool operator==(const Size&) const = default;
};

// A rectangle by origin and size. Sizes may be negative until standardised; the edge
// accessors (minX, maxY, width…) answer for the standardised rectangle, as drawing code
// expects of them.
struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point o, Size s)
        : origin(o)
        , size(s)
    {
    }
    constexpr Rect(double x, double y, double width, double height)
        : origin { x, y }
        , size { width, height }
    {
    }

    Rect standardized() const
    {
        Rect r = *this;
        if (r.size.width < 0) {
            r.origin.x += r.size.width;
            r.size.width = -r.size.width;
        }
        if (r.size.height < 0) {
            r.origin.y += r.size.height;
            r.size.height = -r.size.height;
        }
        return r;
    }

    double minX() const { return standardized().origin.x; }
    double minY() const { return standardized().origin.y; }
    double width() const { return std::abs(size.width); }
    double height() const { return std::abs(size.height); }
    double maxX() const { return minX() + width(); }
    double maxY() const { return minY() + height(); }
    double midX() const { return minX() + width() / 2; }
    double midY() const { return minY() + height() / 2; }
    Point center() const { return { midX(), midY() }; }

    bool isEmpty() const { return size.width == 0 || size.height == 0; }
    bool contains(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }

    // Grows (negative) or shrinks (positive) every side; a rectangle inset past its middle is
    // empty, at its middle.
    Rect insetBy(double dx, double dy) const
    {
        Rect r = standardized();
        r.origin.x += dx;
        r.origin.y += dy;
        r.size.width -= 2 * dx;
        r.size.height -= 2 * dy;
        if (r.size.width < 0 || r.size.height < 0)
            return Rect { r.origin.x + std::min(0.0, r.size.width) / 2, r.origin.y + std::min(0.0, r.size.height) / 2,
                std::max(0.0, r.size.width), std::max(0.0, r.size.height) };
        return r;
    }
    Rect offsetBy(double dx, double dy) const { return { origin.x + dx, origin.y + dy, size.width, size.height }; }

    // The smallest rectangle around both; an empty one adds nothing.
    Rect unionWith(const Rect& other) const
    {
        if (other.isEmpty())
            return standardized();
        if (isEmpty())
            return other.standardized();
        double x0 = std::min(minX(), other.minX());
        double y0 = std::min(minY(), other.minY());
        return { x0, y0, std::max(maxX(), other.maxX()) - x0, std::max(maxY(), other.maxY()) - y0 };
    }

    // The common part, or the zero rectangle when they do not overlap.
    Rect intersection(const Rect& other) const
    {
        double x0 = std::max(minX(), other.minX());
        double y0 = std::max(minY(), other.minY());
        double x1 = std::min(maxX(), other.maxX());
        double y1 = std::min(maxY(), other.maxY());
        if (x1 <= x0 || y1 <= y0)
            return {};
        return { x0, y0, x1 - x0, y1 - y0 };
    }
    bool intersects(const Rect& other) const { return !intersection(other).isEmpty(); }

    bool operator==(const Rect& other) const { return origin == other.origin && size == other.size; }
};

}
