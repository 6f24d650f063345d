#pragma once

#include <algorithm>
#include <cmath>

namespace ui {

// Plain geometry for the window system. The graphics layer will bring its own; until then
// the window system keeps these few value types to itself.
struct Point {
    double x { 0 };
    double y { 0 };
    bool operator==(const Point&) const = default;
};

struct Size {
    double width { 0 };
    double height { 0 };
    bool operator==(const Size&) const = default;
};

struct Rect {
    Point origin;
    Size size;

    static constexpr Rect make(double x, double y, double w, double h) { return { { x, y }, { w, h } }; }

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }
    double width() const { return size.width; }
    double height() const { return size.height; }
    bool isEmpty() const { return size.width <= 0 || size.height <= 0; }

    // Half-open, as hit testing needs: a point on the shared edge of two rects is in one.
    bool contains(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }

    Rect intersection(const Rect& other) const
    {
        double x0 = std::max(minX(), other.minX());
        double y0 = std::max(minY(), other.minY());
        double x1 = std::min(maxX(), other.maxX());
        double y1 = std::min(maxY(), other.maxY());
        if (x1 <= x0 || y1 <= y0)
            return {};
        return make(x0, y0, x1 - x0, y1 - y0);
    }

    Rect united(const Rect& other) const
    {
        if (isEmpty())
            return other;
        if (other.isEmpty())
            return *this;
        double x0 = std::min(minX(), other.minX());
        double y0 = std::min(minY(), other.minY());
        return make(x0, y0, std::max(maxX(), other.maxX()) - x0, std::max(maxY(), other.maxY()) - y0);
    }

    bool operator==(const Rect&) const = default;
};

struct EdgeInsets {
    double top { 0 };
    double left { 0 };
    double bottom { 0 };
    double right { 0 };
    bool operator==(const EdgeInsets&) const = default;
};

}
