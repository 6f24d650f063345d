#include "viewkit/BezierPathExtensions.h"

#include "viewkit/VectorGeometry.h"

#include "platform/base/Diagnostics.h"
#include "platform/gfx/GraphicsContext.h"

#include <cmath>

namespace ostrel {

using Type = gfx::Path::ElementType;

namespace {

gfx::Path flipped(const gfx::Path& path, gfx::Point p, bool vertical)
{
    gfx::Path result;
    result.setLineWidth(path.lineWidth());
    result.setWindingRule(path.windingRule());
    for (const auto& element : path.elements()) {
        auto points = element.points;
        for (auto& point : points) {
            if (vertical)
                FlipPointV(point, p.y);
            else
                FlipPointH(point, p.x);
        }
        switch (element.type) {
        case Type::moveTo:
            result.moveTo(points[0]);
            break;
        case Type::lineTo:
            result.lineTo(points[0]);
            break;
        case Type::curveTo:
            result.curveTo(points[2], points[0], points[1]);
            break;
        case Type::closePath:
            result.closePath();
            break;
        default:
            base::diagnostic("Bad path element!");
        }
    }
    return result;
}

std::size_t pointsOf(Type type) { return type == Type::curveTo ? 3 : (type == Type::closePath ? 0 : 1); }

}

gfx::Path pathFromVFlipAtPoint(const gfx::Path& path, gfx::Point p) { return flipped(path, p, true); }

gfx::Path pathFromHFlipAtPoint(const gfx::Path& path, gfx::Point p) { return flipped(path, p, false); }

std::vector<gfx::Point> controlPoints(const gfx::Path& path)
{
    std::vector<gfx::Point> points;
    for (const auto& element : path.elements()) {
        if (element.type == Type::closePath)
            break;
        for (std::size_t i = 0; i < pointsOf(element.type); ++i)
            points.push_back(element.points[i]);
    }
    return points;
}

std::size_t numControlPoints(const gfx::Path& path) { return controlPoints(path).size(); }

gfx::Path pathFromMovingControlPoint(const gfx::Path& path, std::size_t index, gfx::Point point)
{
    gfx::Path result;
    result.setLineWidth(path.lineWidth());
    result.setWindingRule(path.windingRule());
    std::size_t counted = 0;
    for (const auto& element : path.elements()) {
        if (element.type == Type::closePath) {
            result.closePath();
            break;
        }
        auto points = element.points;
        for (std::size_t i = 0; i < pointsOf(element.type); ++i, ++counted) {
            if (counted == index)
                points[i] = point;
        }
        if (element.type == Type::moveTo)
            result.moveTo(points[0]);
        else if (element.type == Type::lineTo)
            result.lineTo(points[0]);
        else
            result.curveTo(points[2], points[0], points[1]);
    }
    return result;
}

bool pointInStroke(const gfx::Path& path, gfx::Point point)
{
    double halfWidth = path.lineWidth() / 2;
    if (!path.bounds().insetBy(-halfWidth, -halfWidth).contains(point))
        return false;
    double tolerance = static_cast<float>(halfWidth + 2);
    gfx::Point current;
    gfx::Point subpathStart;
    for (const auto& element : path.elements()) {
        switch (element.type) {
        case Type::moveTo:
            current = subpathStart = element.points[0];
            break;
        case Type::lineTo:
            if (IsPointOnLine(point, current, element.points[0], tolerance))
                return true;
            current = element.points[0];
            break;
        case Type::curveTo:
            if (IsPointOnCurve({ current, element.points[0], element.points[1], element.points[2] }, point, tolerance))
                return true;
            current = element.points[2];
            break;
        case Type::closePath:
            if (IsPointOnLine(point, current, subpathStart, tolerance))
                return true;
            current = subpathStart;
            break;
        default:
            base::diagnostic("Bad path element!");
        }
    }
    return false;
}

void fillWithShadowAtDegrees(const gfx::Path& path, double degrees, double distance)
{
    constexpr double radiansPerDegree = 0.01745328888888889;
    double angle = degrees * radiansPerDegree;
    gfx::Shadow shadow;
    shadow.color = gfx::colors::black.withAlpha(0.3);
    shadow.offset = { distance * std::cos(angle), distance * std::sin(angle) };
    shadow.blurRadius = 3;
    auto& context = gfx::GraphicsContext::requireCurrent();
    context.save();
    context.setShadow(shadow);
    path.fill();
    context.restore();
}

}
