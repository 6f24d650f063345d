#pragma once

#include "platform/gfx/Geometry.h"

#include <array>
#include <vector>

namespace ostrel {

// Plain geometry on 2-D vectors and cubic Bezier segments, for hit-testing stroked paths.
// A segment is its four points: start, control 1, control 2, end.
using BezierSegment = std::array<gfx::Point, 4>;

double V2SquaredLength(gfx::Point v);
double V2Length(gfx::Point v);
gfx::Point V2Add(gfx::Point a, gfx::Point b);
gfx::Point V2Sub(gfx::Point a, gfx::Point b);
double V2Dot(gfx::Point a, gfx::Point b);
// The vector rescaled to `length`; a zero vector stays zero.
gfx::Point V2Scale(gfx::Point v, double length);
// Both components multiplied by `factor`.
gfx::Point V2ScaleII(gfx::Point v, double factor);
double V2DistanceBetween2Points(gfx::Point a, gfx::Point b);

// Mirror a point about the horizontal line at y (or the vertical line at x).
void FlipPointV(gfx::Point& point, double y);
void FlipPointH(gfx::Point& point, double x);

// The point of the segment nearest to `point` (the nearest-point method of Graphics Gems,
// 1990): the roots of a degree-5 polynomial, and both ends; the end wins only when
// strictly nearer than everything before it.
gfx::Point NearestPointOnCurve(gfx::Point point, const BezierSegment& curve);
// The roots in t of a Bezier curve of degree `degree` (its control points as (t, value)
// pairs), found by subdivision; `depth` starts at 0.
std::vector<double> FindRoots(const std::vector<gfx::Point>& curve, int degree, int depth = 0);
// De Casteljau at t: the point on the curve, and its two halves when asked for.
gfx::Point Bezier(const std::vector<gfx::Point>& curve, int degree, double t, std::vector<gfx::Point>* left = nullptr,
    std::vector<gfx::Point>* right = nullptr);

bool IsPointOnCurve(const BezierSegment& curve, gfx::Point point, double tolerance);
// Whether the point lies within `tolerance` of the segment from `start` to `end`.
bool IsPointOnLine(gfx::Point point, gfx::Point start, gfx::Point end, double tolerance);

}
