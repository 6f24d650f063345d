#pragma once

#include "platform/gfx/Geometry.h"

namespace gfx {

// x' = m11·x + m21·y + tX, y' = m12·x + m22·y + tY.
// translated/scaled/rotated return a transform that does the new step first and then this
// one, as the context's CTM calls do: "identity, translate, then scale" scales a point
// before it is moved.
struct AffineTransform {
    double m11 { 1 };
    double m12 { 0 };
    double m21 { 0 };
    double m22 { 1 };
    double tX { 0 };
    double tY { 0 };

    static AffineTransform identity() { return {}; }
    static AffineTransform translation(double dx, double dy) { return { 1, 0, 0, 1, dx, dy }; }
    static AffineTransform scaling(double sx, double sy) { return { sx, 0, 0, sy, 0, 0 }; }
    static AffineTransform rotation(double degrees);
    // Maps rectangle `from` onto rectangle `to` (scales per axis, no rotation).
    static AffineTransform mapping(const Rect& from, const Rect& to);

    AffineTransform translated(double dx, double dy) const { return translation(dx, dy).concatenated(*this); }
    AffineTransform scaled(double sx, double sy) const { return scaling(sx, sy).concatenated(*this); }
    AffineTransform scaled(double s) const { return scaled(s, s); }
    AffineTransform rotated(double degrees) const { return rotation(degrees).concatenated(*this); }
    // This transform followed by `then`.
    AffineTransform concatenated(const AffineTransform& then) const;
    // The inverse, or none for a singular transform.
    bool isInvertible() const { return determinant() != 0; }
    AffineTransform inverted() const;
    double determinant() const { return m11 * m22 - m12 * m21; }

    Point apply(Point p) const { return { m11 * p.x + m21 * p.y + tX, m12 * p.x + m22 * p.y + tY }; }
    Size applyToSize(Size s) const { return { m11 * s.width + m21 * s.height, m12 * s.width + m22 * s.height }; }

    bool operator==(const AffineTransform&) const = default;
};

}
