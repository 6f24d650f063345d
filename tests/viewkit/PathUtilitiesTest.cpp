#include "ViewkitFixture.h"

#include "viewkit/BezierConversions.h"
#include "viewkit/BezierPathExtensions.h"
#include "viewkit/BezierPathUtility.h"
#include "viewkit/RectMapping.h"
#include "viewkit/VectorGeometry.h"

#include "platform/base/Diagnostics.h"
#include "platform/gfx/Archive.h"

namespace ostrel::test {

namespace {

using Type = gfx::Path::ElementType;

// Collects the diagnostic lines written while it lives.
struct Lines {
    std::vector<std::string> lines;
    base::DiagnosticSink previous = base::setDiagnosticSink([this](std::string_view line) { lines.emplace_back(line); });
    ~Lines() { base::setDiagnosticSink(previous); }
};

gfx::Path triangle()
{
    gfx::Path path;
    path.moveTo({ 0, 4 });
    path.lineTo({ 10, 16 });
    path.lineTo({ 20, 4 });
    path.closePath();
    return path;
}

}

using PathUtilitiesTest = ViewkitTest;

TEST_F(PathUtilitiesTest, FlipsMirrorEveryPointAboutTheLine)
{
    auto flipped = pathFromVFlipAtPoint(triangle(), { 0, 10 });
    ASSERT_EQ(flipped.elementCount(), 4u);
    EXPECT_EQ(flipped.element(0).points[0], gfx::Point(0, 16));
    EXPECT_EQ(flipped.element(1).points[0], gfx::Point(10, 4));
    EXPECT_EQ(flipped.element(3).type, Type::closePath);

    gfx::Path curve;
    curve.moveTo({ 0, 0 });
    curve.curveTo({ 9, 0 }, { 1, 5 }, { 8, 5 });
    auto mirrored = pathFromHFlipAtPoint(curve, { 10, 0 });
    EXPECT_EQ(mirrored.element(1).points[0], gfx::Point(19, 5)) << "control points keep their order";
    EXPECT_EQ(mirrored.element(1).points[1], gfx::Point(12, 5));
    EXPECT_EQ(mirrored.element(1).points[2], gfx::Point(11, 0));
}

TEST_F(PathUtilitiesTest, ControlPointsAreCountedUpToTheFirstClose)
{
    EXPECT_EQ(numControlPoints(triangle()), 3u);
    gfx::Path curve;
    curve.moveTo({ 0, 0 });
    curve.curveTo({ 9, 0 }, { 1, 5 }, { 8, 5 });
    EXPECT_EQ(numControlPoints(curve), 4u);
    EXPECT_EQ(controlPoints(curve)[1], gfx::Point(1, 5));

    gfx::Path twice = triangle();
    twice.moveTo({ 50, 50 });
    twice.lineTo({ 60, 60 });
    auto moved = pathFromMovingControlPoint(twice, 1, { 10, 30 });
    ASSERT_EQ(moved.elementCount(), 4u) << "elements after the first close are dropped";
    EXPECT_EQ(moved.element(1).points[0], gfx::Point(10, 30));
    EXPECT_EQ(moved.element(3).type, Type::closePath);
}

TEST_F(PathUtilitiesTest, TheNearestPointOnACurve)
{
    BezierSegment curve { gfx::Point { 0, 0 }, gfx::Point { 10, 20 }, gfx::Point { 30, 20 }, gfx::Point { 40, 0 } };
    // Beyond the far end, the end point itself (t = 1).
    EXPECT_EQ(NearestPointOnCurve({ 45, -3 }, curve), gfx::Point(40, 0));
    EXPECT_EQ(NearestPointOnCurve({ -5, -1 }, curve), gfx::Point(0, 0));
    // Above the middle, the curve's top at t = 0.5: (20, 15).
    gfx::Point top = NearestPointOnCurve({ 20, 30 }, curve);
    EXPECT_NEAR(top.x, 20, 1e-6);
    EXPECT_NEAR(top.y, 15, 1e-6);
    EXPECT_TRUE(IsPointOnCurve(curve, { 20, 16 }, 1.5));
    EXPECT_FALSE(IsPointOnCurve(curve, { 20, 18 }, 1.5));
}

TEST_F(PathUtilitiesTest, PointsInAStroke)
{
    gfx::Path path = triangle();
    path.setLineWidth(2);
    EXPECT_TRUE(pointInStroke(path, { 5, 10.5 }));
    EXPECT_TRUE(pointInStroke(path, { 10, 5 })) << "on the closing line";
    EXPECT_FALSE(pointInStroke(path, { 10, 10 }));
    EXPECT_FALSE(pointInStroke(path, { 40, 40 }));
    EXPECT_TRUE(IsPointOnLine({ 5, 2.5 }, { 0, 0 }, { 10, 0 }, 3));
    EXPECT_FALSE(IsPointOnLine({ 14, 0 }, { 0, 0 }, { 10, 0 }, 3));
}

TEST_F(PathUtilitiesTest, VectorsAndMappings)
{
    EXPECT_EQ(V2Scale({ 0, 0 }, 5), gfx::Point(0, 0));
    EXPECT_EQ(V2Scale({ 3, 4 }, 10), gfx::Point(6, 8));
    gfx::Point p { 2, 4 };
    FlipPointV(p, 10);
    EXPECT_EQ(p, gfx::Point(2, 16));

    gfx::Rect rect(3, 4, 50, 20);
    EXPECT_EQ(mapFrom(rect, rect), gfx::AffineTransform::identity());
    auto scaled = scaleBounds(gfx::Rect(0, 0, 10, 20), 40, 5, { 100, 100 });
    EXPECT_EQ(scaled.apply({ 0, 0 }), gfx::Point(90, 105));
    EXPECT_EQ(scaled.apply({ 10, 20 }), gfx::Point(110, 145));
    EXPECT_EQ(flipVertical(rect).apply({ 0, 5 }), gfx::Point(0, 15));
}

TEST_F(PathUtilitiesTest, OutlinesFollowTheirRectangles)
{
    auto arrow = BezierPathUtility::bezierPathForRightFacingArrow(gfx::Rect(0, 0, 10, 20));
    EXPECT_EQ(controlPoints(arrow), (std::vector<gfx::Point> { { 0, 20 }, { 10, 10 }, { 0, 0 } }));
    auto box = BezierPathUtility::bezierPathForEventBoxWithRightArrow(gfx::Rect(0, 0, 100, 20), 5);
    EXPECT_EQ(controlPoints(box), (std::vector<gfx::Point> { { 0, 20 }, { 100, 20 }, { 100, 0 }, { 95, 5 }, { 0, 5 } }));
    EXPECT_EQ(box.lineWidth(), 1);
    auto bubble = BezierPathUtility::bezierPathFittingInRect(gfx::Rect(0, 0, 100, 50), 50, 5, 6);
    EXPECT_NEAR(bubble.bounds().maxY(), 50, 1e-9) << "the arrow's apex touches the top";
    EXPECT_NEAR(bubble.bounds().minY(), 0, 1e-9);
    auto path = triangle();
    BezierPathUtility::offsetByHalfPixelForDrawing(path);
    EXPECT_EQ(path.element(0).points[0], gfx::Point(0.5, 4.5));
    EXPECT_FALSE(bezierWithFont("Ostrel", gfx::Font::named("HelveticaNeue-Bold", 14)).isEmpty());
}

TEST_F(PathUtilitiesTest, ColoursFromSettingsAndAnUnreadableOne)
{
    store().registerDefaults({ { "padColor", gfx::archiveColor(gfx::colors::blue) }, { "padAlpha", 0.1 } });
    store().set("padColor", gfx::archiveColor(gfx::Color::rgb(1, 0, 0, 0.5)));
    EXPECT_EQ(BezierPathUtility::colorWithKey("padColor"), gfx::colors::red);
    EXPECT_NEAR(BezierPathUtility::colorWithKey("padColor", "padAlpha").alpha, 0.1, 1e-6);
    EXPECT_NEAR(BezierPathUtility::inactiveColorWithKey("padColor", "padAlpha").alpha, 0.2, 1e-6);
    store().set("padAlpha", 1.0);
    EXPECT_NEAR(BezierPathUtility::inactiveColorWithKey("padColor", "padAlpha").alpha, 0.7, 1e-6);

    // A damaged setting is outside input: the registered colour, and a line saying so.
    store().set("padColor", "{\"color\": \"purple\"}");
    Lines log;
    EXPECT_EQ(BezierPathUtility::colorWithKey("padColor"), gfx::colors::blue);
    EXPECT_EQ(BezierPathUtility::colorWithKey("padColor", "padAlpha"), gfx::colors::blue);
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "colorWithKey: padColor could not be deserialized");
    EXPECT_EQ(log.lines[1], "colorWithKey: padColor and alphaKey: padAlpha could not be deserialized");
    // Nothing registered either: black, never a stop.
    EXPECT_EQ(BezierPathUtility::colorWithKey("noSuchColor"), gfx::colors::black);
}

}
