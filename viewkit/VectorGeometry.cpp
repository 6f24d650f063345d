#include "viewkit/VectorGeometry.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

constexpr int kMaxDepth = 64;
constexpr int kDegree = 3;
constexpr int kSquaredDistanceDegree = 5;
// Flat enough: 2^-65.
const double kFlatness = std::ldexp(1.0, -kMaxDepth - 1);

int sign(double value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

int crossingCount(const std::vector<gfx::Point>& curve, int degree)
{
    int crossings = 0;
    int previous = sign(curve[0].y);
    for (int i = 1; i <= degree; ++i) {
        int current = sign(curve[i].y);
        if (current != previous)
            ++crossings;
        previous = current;
    }
    return crossings;
}

bool controlPolygonFlatEnough(const std::vector<gfx::Point>& curve, int degree)
{
    // The line through the first and last control points, a·x + b·y + c = 0.
    double a = curve[0].y - curve[degree].y;
    double b = curve[degree].x - curve[0].x;
    double c = curve[0].x * curve[degree].y - curve[degree].x * curve[0].y;
    double abSquared = a * a + b * b;
    double above = 0, below = 0;
    for (int i = 1; i < degree; ++i) {
        double distance = a * curve[i].x + b * curve[i].y + c;
        distance = distance > 0 ? distance * distance / abSquared : (distance < 0 ? -(distance * distance) / abSquared : 0);
        above = std::max(above, distance);
        below = std::min(below, distance);
    }
    // Where the lines parallel to the chord through the extreme points cross the t axis.
    if (a == 0)
        return true;
    double interceptAbove = -(c + above) / a;
    double interceptBelow = -(c + below) / a;
    double error = 0.5 * std::fabs(interceptAbove - interceptBelow);
    return error < kFlatness;
}

double chordIntercept(const std::vector<gfx::Point>& curve, int degree)
{
    double dx = curve[degree].x - curve[0].x;
    double dy = curve[degree].y - curve[0].y;
    if (dy == 0)
        return (curve[0].x + curve[degree].x) / 2;
    return curve[0].x - curve[0].y * dx / dy;
}

// The squared distance from the point along the curve as a degree-5 Bezier in t.
std::vector<gfx::Point> convertToBezierForm(gfx::Point point, const BezierSegment& curve)
{
    static constexpr double z[3][4] = {
        { 1.0, 0.6, 0.3, 0.1 },
        { 0.4, 0.6, 0.6, 0.4 },
        { 0.1, 0.3, 0.6, 1.0 },
    };
    gfx::Point c[kDegree + 1];
    gfx::Point d[kDegree];
    for (int i = 0; i <= kDegree; ++i)
        c[i] = V2Sub(curve[i], point);
    for (int i = 0; i < kDegree; ++i)
        d[i] = V2ScaleII(V2Sub(curve[i + 1], curve[i]), 3.0);
    double cd[kDegree][kDegree + 1];
    for (int row = 0; row < kDegree; ++row)
        for (int column = 0; column <= kDegree; ++column)
            cd[row][column] = V2Dot(d[row], c[column]);

    std::vector<gfx::Point> w(kSquaredDistanceDegree + 1);
    for (int i = 0; i <= kSquaredDistanceDegree; ++i)
        w[i] = { static_cast<double>(i) / kSquaredDistanceDegree, 0.0 };
    const int n = kDegree, m = kDegree - 1;
    for (int k = 0; k <= n + m; ++k) {
        int lower = std::max(0, k - m);
        int upper = std::min(k, n);
        for (int i = lower; i <= upper; ++i) {
            int j = k - i;
            w[i + j].y += cd[j][i] * z[j][i];
        }
    }
    return w;
}

}

double V2SquaredLength(gfx::Point v) { return v.x * v.x + v.y * v.y; }
double V2Length(gfx::Point v) { return std::sqrt(V2SquaredLength(v)); }
gfx::Point V2Add(gfx::Point a, gfx::Point b) { return { a.x + b.x, a.y + b.y }; }
gfx::Point V2Sub(gfx::Point a, gfx::Point b) { return { a.x - b.x, a.y - b.y }; }
double V2Dot(gfx::Point a, gfx::Point b) { return a.x * b.x + a.y * b.y; }

gfx::Point V2Scale(gfx::Point v, double length)
{
    double current = V2Length(v);
    if (current == 0)
        return v;
    return { v.x * length / current, v.y * length / current };
}

gfx::Point V2ScaleII(gfx::Point v, double factor) { return { v.x * factor, v.y * factor }; }
double V2DistanceBetween2Points(gfx::Point a, gfx::Point b) { return V2Length(V2Sub(a, b)); }

void FlipPointV(gfx::Point& point, double y) { point.y = 2 * y - point.y; }
void FlipPointH(gfx::Point& point, double x) { point.x = 2 * x - point.x; }

gfx::Point Bezier(const std::vector<gfx::Point>& curve, int degree, double t, std::vector<gfx::Point>* left,
    std::vector<gfx::Point>* right)
{
    std::vector<std::vector<gfx::Point>> table(degree + 1, std::vector<gfx::Point>(degree + 1));
    for (int j = 0; j <= degree; ++j)
        table[0][j] = curve[j];
    for (int i = 1; i <= degree; ++i) {
        for (int j = 0; j <= degree - i; ++j) {
            table[i][j] = { (1 - t) * table[i - 1][j].x + t * table[i - 1][j + 1].x,
                (1 - t) * table[i - 1][j].y + t * table[i - 1][j + 1].y };
        }
    }
    if (left) {
        left->resize(degree + 1);
        for (int j = 0; j <= degree; ++j)
            (*left)[j] = table[j][0];
    }
    if (right) {
        right->resize(degree + 1);
        for (int j = 0; j <= degree; ++j)
            (*right)[j] = table[degree - j][j];
    }
    return table[degree][0];
}

std::vector<double> FindRoots(const std::vector<gfx::Point>& curve, int degree, int depth)
{
    int crossings = crossingCount(curve, degree);
    if (crossings == 0)
        return {};
    // Deep enough: the middle of what is left is the root (also for several crossings, so
    // that a degenerate curve cannot split forever).
    if (depth >= kMaxDepth)
        return { (curve[0].x + curve[degree].x) / 2 };
    if (crossings == 1 && controlPolygonFlatEnough(curve, degree))
        return { chordIntercept(curve, degree) };
    std::vector<gfx::Point> left, right;
    Bezier(curve, degree, 0.5, &left, &right);
    auto roots = FindRoots(left, degree, depth + 1);
    auto rightRoots = FindRoots(right, degree, depth + 1);
    roots.insert(roots.end(), rightRoots.begin(), rightRoots.end());
    return roots;
}

gfx::Point NearestPointOnCurve(gfx::Point point, const BezierSegment& curve)
{
    auto candidates = FindRoots(convertToBezierForm(point, curve), kSquaredDistanceDegree);
    std::vector<gfx::Point> controls(curve.begin(), curve.end());
    double best = V2SquaredLength(V2Sub(point, curve[0]));
    double bestT = 0;
    for (double t : candidates) {
        double distance = V2SquaredLength(V2Sub(point, Bezier(controls, kDegree, t)));
        if (distance < best) {
            best = distance;
            bestT = t;
        }
    }
    if (V2SquaredLength(V2Sub(point, curve[kDegree])) < best)
        bestT = 1.0;
    return Bezier(controls, kDegree, bestT);
}

bool IsPointOnCurve(const BezierSegment& curve, gfx::Point point, double tolerance)
{
    return V2DistanceBetween2Points(point, NearestPointOnCurve(point, curve)) <= tolerance;
}

bool IsPointOnLine(gfx::Point point, gfx::Point start, gfx::Point end, double tolerance)
{
    // Outside the segment's box grown by the tolerance: no hit, and no arithmetic.
    if (point.x < std::min(start.x, end.x) - tolerance || point.x > std::max(start.x, end.x) + tolerance
        || point.y < std::min(start.y, end.y) - tolerance || point.y > std::max(start.y, end.y) + tolerance)
        return false;
    gfx::Point along = V2Sub(end, start);
    double lengthSquared = V2SquaredLength(along);
    if (lengthSquared == 0)
        return V2DistanceBetween2Points(point, start) <= tolerance;
    double t = std::clamp(V2Dot(V2Sub(point, start), along) / lengthSquared, 0.0, 1.0);
    gfx::Point nearest = V2Add(start, V2ScaleII(along, t));
    return V2DistanceBetween2Points(point, nearest) <= tolerance;
}

}
