#include "tests/support/gfx/Canvas.h"

#include "platform/gfx/Path.h"

#include <cmath>

namespace {

using gfx::AffineTransform;
using gfx::Path;
using gfx::Point;
using gfx::Rect;
using gfx::test::Canvas;
using Type = gfx::Path::ElementType;
namespace colors = gfx::colors;

void expectRectNear(const Rect& actual, const Rect& expected, double tolerance = 1e-6)
{
    EXPECT_NEAR(actual.minX(), expected.minX(), tolerance);
    EXPECT_NEAR(actual.minY(), expected.minY(), tolerance);
    EXPECT_NEAR(actual.width(), expected.width(), tolerance);
    EXPECT_NEAR(actual.height(), expected.height(), tolerance);
}

size_t countOf(const Path& path, Type type)
{
    return std::count_if(path.elements().begin(), path.elements().end(), [&](const auto& e) { return e.type == type; });
}

TEST(Geometry, RectArithmetic)
{
    Rect r { 10, 10, -4, 6 };
    EXPECT_EQ(r.standardized(), (Rect { 6, 10, 4, 6 }));
    EXPECT_EQ(r.minX(), 6);
    EXPECT_EQ(r.maxX(), 10);
    EXPECT_EQ(r.midY(), 13);
    EXPECT_EQ(Rect(0, 0, 10, 10).insetBy(2, 3), Rect(2, 3, 6, 4));
    EXPECT_EQ(Rect(0, 0, 10, 10).insetBy(6, 1), Rect(5, 1, 0, 8));
    EXPECT_EQ(Rect(0, 0, 10, 10).offsetBy(1, -1), Rect(1, -1, 10, 10));
    EXPECT_EQ(Rect(0, 0, 10, 10).unionWith({ 20, 5, 5, 10 }), Rect(0, 0, 25, 15));
    EXPECT_EQ(Rect(0, 0, 10, 10).unionWith({}), Rect(0, 0, 10, 10));
    EXPECT_EQ(Rect(0, 0, 10, 10).intersection({ 5, 5, 10, 10 }), Rect(5, 5, 5, 5));
    EXPECT_EQ(Rect(0, 0, 10, 10).intersection({ 20, 20, 1, 1 }), Rect());
}

TEST(AffineTransform, StepsApplyInReverseOrderOfCalls)
{
    // Translate, then scale: a point is scaled first and then moved, as the dial's wedge is.
    auto t = AffineTransform::identity().translated(100, 50).scaled(1, 0.5);
    Point p = t.apply({ 10, 10 });
    EXPECT_DOUBLE_EQ(p.x, 110);
    EXPECT_DOUBLE_EQ(p.y, 55);
    Point r = AffineTransform::rotation(90).apply({ 1, 0 });
    EXPECT_EQ(r, (Point { 0, 1 }));
    auto back = t.inverted().apply(p);
    EXPECT_NEAR(back.x, 10, 1e-12);
    EXPECT_NEAR(back.y, 10, 1e-12);
    Rect a { 2, 3, 4, 5 };
    EXPECT_EQ(AffineTransform::mapping(a, a), AffineTransform::identity());
    EXPECT_EQ(AffineTransform::mapping({ 0, 0, 1, 1 }, { 10, 20, 30, 40 }).apply({ 1, 1 }), (Point { 40, 60 }));
}

TEST(Path, ShapesHaveTheirElementsAndBounds)
{
    Path rect = Path::rect({ 1, 2, 3, 4 });
    EXPECT_EQ(rect.elementCount(), 5u);
    EXPECT_EQ(rect.element(2).points[0], (Point { 4, 6 }));
    expectRectNear(rect.bounds(), { 1, 2, 3, 4 });

    Path oval = Path::oval({ 0, 0, 20, 10 });
    EXPECT_EQ(countOf(oval, Type::curveTo), 4u);
    expectRectNear(oval.bounds(), { 0, 0, 20, 10 });

    // Each radius is clamped to half its side: 8 across stays, 8 up becomes 5.
    Path rounded = Path::roundedRect({ 0, 0, 40, 10 }, 8, 8);
    expectRectNear(rounded.bounds(), { 0, 0, 40, 10 });
    EXPECT_EQ(rounded.element(1).points[0], (Point { 32, 0 }));
    EXPECT_EQ(rounded.element(2).points[2], (Point { 40, 5 }));
}

TEST(Path, BoundsFollowCurvesNotControlPoints)
{
    Path path;
    path.moveTo({ 0, 0 });
    path.curveTo({ 10, 0 }, { 0, 10 }, { 10, 10 });
    expectRectNear(path.bounds(), { 0, 0, 10, 7.5 });
    expectRectNear(path.controlPointBounds(), { 0, 0, 10, 10 });
    EXPECT_EQ(Path().bounds(), Rect());
}

TEST(Path, ArcsRunInTheirDirection)
{
    // Counter-clockwise from 0 to 90: the upper right quarter.
    Path ccw;
    ccw.appendArc({ 0, 0 }, 10, 0, 90);
    expectRectNear(ccw.bounds(), { 0, 0, 10, 10 }, 1e-9);
    EXPECT_EQ(countOf(ccw, Type::curveTo), 1u);

    // Clockwise from 0 to 90 takes the long way round: three quarters.
    Path cw;
    cw.appendArc({ 0, 0 }, 10, 0, 90, true);
    expectRectNear(cw.bounds(), { -10, -10, 20, 20 }, 1e-9);
    EXPECT_EQ(countOf(cw, Type::curveTo), 3u);
    EXPECT_NEAR(cw.currentPoint().y, 10, 1e-9);

    // The dial's wedge: start 90, end 90 - 360·p, clockwise.
    Path quarter;
    quarter.appendArc({ 0, 0 }, 10, 90, 0, true);
    expectRectNear(quarter.bounds(), { 0, 0, 10, 10 }, 1e-9);
    Path full;
    full.appendArc({ 0, 0 }, 10, 90, 90 - 360, true);
    expectRectNear(full.bounds(), { -10, -10, 20, 20 }, 1e-9);
    Path none;
    none.appendArc({ 0, 0 }, 10, 90, 90, true);
    EXPECT_EQ(none.elementCount(), 1u);
    Path normalised;
    normalised.appendArc({ 0, 0 }, 10, 0, 450);
    expectRectNear(normalised.bounds(), { 0, 0, 10, 10 }, 1e-9);
}

TEST(Path, ArcJoinsTheCurrentPointWithALine)
{
    Path path;
    path.moveTo({ 0, 0 });
    path.appendArc({ 20, 0 }, 5, 180, 0, true);
    EXPECT_EQ(path.element(1).type, Type::lineTo);
    EXPECT_NEAR(path.element(1).points[0].x, 15, 1e-12);
    EXPECT_NEAR(path.element(1).points[0].y, 0, 1e-12);
}

TEST(Path, RelativeStepsAndCloseTrackTheCurrentPoint)
{
    Path path;
    path.moveTo({ 5, 5 });
    path.relativeLineTo({ 10, 0 });
    path.relativeLineTo({ 0, 10 });
    path.closePath();
    EXPECT_EQ(path.currentPoint(), (Point { 5, 5 }));
    path.relativeLineTo({ -5, 0 });
    EXPECT_EQ(path.currentPoint(), (Point { 0, 5 }));
    EXPECT_EQ(path.element(4).type, Type::moveTo);
}

TEST(Path, TransformMovesEveryPoint)
{
    Path path = Path::oval({ -1, -1, 2, 2 });
    path.transform(AffineTransform::identity().translated(50, 40).scaled(10, 5));
    expectRectNear(path.bounds(), { 40, 35, 20, 10 }, 1e-9);
}

TEST(Path, WindingRuleDecidesHoles)
{
    // Two contours the same way round: nonzero fills the inner square, even-odd leaves a hole.
    Path twoSquares = Path::rect({ 0, 0, 30, 30 });
    twoSquares.appendPath(Path::rect({ 10, 10, 10, 10 }));
    // The inner square reversed: a hole under either rule.
    Path reversed = Path::rect({ 0, 0, 30, 30 });
    reversed.moveTo({ 10, 10 });
    reversed.lineTo({ 10, 20 });
    reversed.lineTo({ 20, 20 });
    reversed.lineTo({ 20, 10 });
    reversed.closePath();

    struct Case {
        Path path;
        gfx::WindingRule rule;
        bool hole;
    };
    for (auto& [path, rule, hole] : std::vector<Case> { { twoSquares, gfx::WindingRule::nonZero, false },
             { twoSquares, gfx::WindingRule::evenOdd, true }, { reversed, gfx::WindingRule::nonZero, true } }) {
        Canvas canvas(30, 30);
        canvas.context().setFillColor(colors::black);
        path.setWindingRule(rule);
        path.fill();
        EXPECT_EQ(canvas.at(5, 5), colors::black);
        EXPECT_EQ(canvas.at(15, 15), hole ? colors::clear : colors::black);
    }
}

TEST(Path, StrokeUsesWidthAndCap)
{
    Canvas canvas(40, 20);
    canvas.context().setStrokeColor(colors::red);
    Path line;
    line.moveTo({ 10, 10 });
    line.lineTo({ 30, 10 });
    line.setLineWidth(4);
    line.stroke();
    EXPECT_EQ(canvas.at(20, 11.5), colors::red);
    EXPECT_EQ(canvas.at(20, 13), colors::clear);
    EXPECT_EQ(canvas.at(9, 10), colors::clear);
    line.setLineCap(gfx::LineCap::square);
    line.stroke();
    EXPECT_EQ(canvas.at(9, 10), colors::red);
}

TEST(Path, ClipLimitsLaterDrawing)
{
    Canvas canvas(40, 40);
    canvas.context().save();
    Path::oval({ 0, 0, 40, 40 }).addClip();
    canvas.context().setFillColor(colors::green);
    canvas.context().fillRect({ 0, 0, 40, 40 });
    canvas.context().restore();
    EXPECT_EQ(canvas.at(20, 20), colors::green);
    EXPECT_EQ(canvas.at(2, 2), colors::clear);
}

}
