#pragma once

#include "platform/gfx/AffineTransform.h"
#include "platform/gfx/Geometry.h"

#include <array>
#include <vector>

typedef struct _cairo cairo_t;

namespace gfx {

enum class WindingRule { nonZero, evenOdd };
enum class LineCap { butt, round, square };
enum class LineJoin { miter, round, bevel };

// A vector outline kept as its own element list, so that drawing code can count, read and
// move its points. Fill, stroke and clip go to the current graphics context.
class Path {
public:
    enum class ElementType { moveTo, lineTo, curveTo, closePath };
    struct Element {
        ElementType type { ElementType::moveTo };
        // moveTo and lineTo use points[0]; curveTo uses control 1, control 2, end point.
        std::array<Point, 3> points {};
        bool operator==(const Element&) const = default;
    };

    static Path rect(const Rect&);
    static Path oval(const Rect&);
    static Path roundedRect(const Rect&, double radiusX, double radiusY);

    void moveTo(Point);
    void lineTo(Point);
    void curveTo(Point end, Point control1, Point control2);
    void relativeMoveTo(Point delta);
    void relativeLineTo(Point delta);
    void closePath();
    void appendRect(const Rect&);
    // Four quarter curves, counter-clockwise (y up) from the rightmost point.
    void appendOval(const Rect&);
    // Radii are clamped to half the rectangle's width and height.
    void appendRoundedRect(const Rect&, double radiusX, double radiusY);
    // Angles in degrees counter-clockwise from +x. A counter-clockwise arc runs through
    // increasing angles, a clockwise one through decreasing angles; the sweep is taken modulo
    // a full turn, and equal angles draw nothing while ends a whole number of turns apart draw
    // a full circle. Joined to the current point by a line, or starts the path.
    void appendArc(Point center, double radius, double startDegrees, double endDegrees, bool clockwise = false);
    void appendPath(const Path&);
    void removeAllPoints() { m_elements.clear(); }

    void transform(const AffineTransform&);
    Path transformed(const AffineTransform& t) const;

    bool isEmpty() const { return m_elements.empty(); }
    // Every point and the line style are numbers (not infinite, not NaN).
    bool isFinite() const;
    size_t elementCount() const { return m_elements.size(); }
    const Element& element(size_t index) const { return m_elements.at(index); }
    const std::vector<Element>& elements() const { return m_elements; }
    // The last point reached; the subpath's start after a close; none on an empty path.
    bool hasCurrentPoint() const { return !m_elements.empty(); }
    Point currentPoint() const;

    // Bounds of the drawn outline (curve extremes, not their control points).
    Rect bounds() const;
    Rect controlPointBounds() const;

    WindingRule windingRule() const { return m_windingRule; }
    void setWindingRule(WindingRule rule) { m_windingRule = rule; }
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width) { m_lineWidth = width; }
    LineCap lineCap() const { return m_lineCap; }
    void setLineCap(LineCap cap) { m_lineCap = cap; }
    LineJoin lineJoin() const { return m_lineJoin; }
    void setLineJoin(LineJoin join) { m_lineJoin = join; }
    double miterLimit() const { return m_miterLimit; }
    void setMiterLimit(double limit) { m_miterLimit = limit; }

    // Paint in the current graphics context with its fill or stroke colour, shadow, alpha
    // and operation; addClip narrows the context's clip to the inside of the path.
    void fill() const;
    void stroke() const;
    void addClip() const;

    // For the drawing layers below: the outline as cairo's current path (fill rule, line
    // style included).
    void applyTo(cairo_t*) const;

    bool operator==(const Path&) const = default;

private:
    Point subpathStart() const;
    void paintWith(bool outline) const;

    std::vector<Element> m_elements;
    WindingRule m_windingRule { WindingRule::nonZero };
    double m_lineWidth { 1 };
    LineCap m_lineCap { LineCap::butt };
    LineJoin m_lineJoin { LineJoin::miter };
    double m_miterLimit { 10 };
};

}
