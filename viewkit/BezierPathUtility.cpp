#include "viewkit/BezierPathUtility.h"

#include "viewkit/BezierConversions.h"
#include "viewkit/BezierPathExtensions.h"

#include "core/SettingsArchive.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/Archive.h"
#include "platform/gfx/GraphicsContext.h"

#include <algorithm>

namespace ostrel {

namespace {

gfx::Color rgb(double r, double g, double b, double a = 1) { return gfx::Color::rgb(r, g, b, a); }

gfx::Path outlinePath()
{
    gfx::Path path;
    path.setLineWidth(1);
    path.setMiterLimit(0);
    return path;
}

}

const gfx::Gradient& BezierPathUtility::whiteGradient()
{
    static const gfx::Gradient gradient(rgb(0.96, 0.961, 0.96), rgb(0.892, 0.893, 0.892));
    return gradient;
}

const gfx::Gradient& BezierPathUtility::blueGradient()
{
    static const gfx::Gradient gradient(rgb(0.0, 0.4375, 1.0), rgb(0.0, 0.4375, 1.0));
    return gradient;
}

const gfx::Gradient& BezierPathUtility::purpleGradient()
{
    static const gfx::Gradient gradient(rgb(0.5, 0.5, 1.0), rgb(0.3, 0.3, 1.0));
    return gradient;
}

const gfx::Gradient& BezierPathUtility::greenGradient()
{
    static const gfx::Gradient gradient(rgb(0.5, 1.0, 0.5), rgb(0.3, 1.0, 0.3));
    return gradient;
}

const gfx::Gradient& BezierPathUtility::disabledGradientForText()
{
    static const gfx::Gradient gradient(gfx::Color::white(0.4), gfx::Color::white(0.4));
    return gradient;
}

const gfx::Gradient& BezierPathUtility::silverGradientForText()
{
    static const gfx::Gradient gradient(gfx::Color::white(0.6), gfx::Color::white(1.0));
    return gradient;
}

const gfx::Shadow& BezierPathUtility::darkTextShadow()
{
    static const gfx::Shadow shadow { gfx::Color::white(0.0, 0.5), { 0, 0 }, 0 };
    return shadow;
}

const gfx::Shadow& BezierPathUtility::focusRingShadow()
{
    static const gfx::Shadow shadow { gfx::colors::white, { 0, 0 }, 3 };
    return shadow;
}

const gfx::Shadow& BezierPathUtility::shadow()
{
    static const gfx::Shadow shadow { gfx::colors::black, { 3, -5 }, 2 };
    return shadow;
}

gfx::Color BezierPathUtility::strokeColor() { return rgb(0.749, 0.761, 0.788, 0.7); }

const gfx::Gradient& BezierPathUtility::normalGradient()
{
    double a = alphaValue();
    static const gfx::Gradient gradient(std::vector<gfx::Gradient::Stop> {
        { rgb(0.324, 0.331, 0.347, a), 0 }, { rgb(0.206, 0.214, 0.233, a), 0.5 }, { rgb(0.139, 0.147, 0.167, a), 1.0 } });
    return gradient;
}

const gfx::Gradient& BezierPathUtility::pushedGradient()
{
    double a = alphaValue();
    static const gfx::Gradient gradient(std::vector<gfx::Gradient::Stop> { { rgb(0.524, 0.531, 0.547, a), 0 },
        { rgb(0.445, 0.453, 0.469, a), 0.5 }, { rgb(0.406, 0.414, 0.433, a), 0.5 }, { rgb(0.339, 0.347, 0.367, a), 1.0 } });
    return gradient;
}

const gfx::Gradient& BezierPathUtility::highlightGradient() { return pushedGradient(); }

const gfx::Gradient& BezierPathUtility::knobColor()
{
    static const gfx::Gradient gradient(std::vector<gfx::Gradient::Stop> { { rgb(0.324, 0.331, 0.347), 0 },
        { rgb(0.245, 0.253, 0.269), 0.5 }, { rgb(0.206, 0.214, 0.233), 0.5 }, { rgb(0.139, 0.147, 0.167), 1.0 } });
    return gradient;
}

const gfx::Gradient& BezierPathUtility::disabledKnobColor() { return knobColor(); }

const gfx::Gradient& BezierPathUtility::highlightKnobColor()
{
    static const gfx::Gradient gradient(std::vector<gfx::Gradient::Stop> { { rgb(0.524, 0.531, 0.547), 0 },
        { rgb(0.445, 0.453, 0.469), 0.5 }, { rgb(0.406, 0.414, 0.433), 0.5 }, { rgb(0.339, 0.347, 0.367), 1.0 } });
    return gradient;
}

gfx::Color BezierPathUtility::storedColor(const std::string& key, const std::string& unreadableLine)
{
    auto store = base::Defaults::standard();
    // What the key falls back on: its registered colour, else black.
    gfx::Color registered = gfx::colors::black;
    if (auto value = store->registeredObject(key); value && value->asString()) {
        if (auto color = gfx::unarchiveColor(*value->asString()))
            registered = *color;
    }
    return readColorSetting(*store, key, registered, unreadableLine);
}

gfx::Color BezierPathUtility::colorWithKey(const std::string& key)
{
    auto color = storedColor(key, "colorWithKey: " + key + " could not be deserialized");
    return color.withAlpha(1.0);
}

gfx::Color BezierPathUtility::colorWithKey(const std::string& key, const std::string& alphaKey)
{
    auto color = storedColor(key, "colorWithKey: " + key + " and alphaKey: " + alphaKey + " could not be deserialized");
    return color.withAlpha(static_cast<float>(base::Defaults::standard()->real(alphaKey)));
}

gfx::Color BezierPathUtility::inactiveColorWithKey(const std::string& key, const std::string& alphaKey)
{
    auto color = storedColor(key, "inactiveColorWithKey: " + key + " and alphaKey: " + alphaKey + " could not be deserialized");
    float alpha = static_cast<float>(base::Defaults::standard()->real(alphaKey));
    return color.withAlpha(std::max(alpha * 0.7, 0.2));
}

gfx::Path BezierPathUtility::bezierPathForEventBoxWithoutArrows(const gfx::Rect& r, double i)
{
    gfx::Path path = outlinePath();
    path.appendRect(gfx::Rect(r.minX(), r.minY() + i, r.width(), r.height() - i));
    return path;
}

gfx::Path BezierPathUtility::bezierPathForEventBoxWithRightArrow(const gfx::Rect& r, double i)
{
    double x = r.minX(), y = r.minY(), w = r.width(), h = r.height();
    gfx::Path path = outlinePath();
    path.moveTo({ x, y + h });
    path.lineTo({ x + w, y + h });
    path.lineTo({ x + w, y });
    path.relativeLineTo({ -i, i });
    path.relativeLineTo({ i - w, 0 });
    path.closePath();
    return path;
}

gfx::Path BezierPathUtility::bezierPathForEventBoxWithLeftArrow(const gfx::Rect& r, double i)
{
    double x = r.minX(), y = r.minY(), w = r.width(), h = r.height();
    gfx::Path path = outlinePath();
    path.moveTo({ x, y + h });
    path.lineTo({ x + w, y + h });
    path.relativeLineTo({ 0, i - h });
    path.relativeLineTo({ i - w, 0 });
    path.lineTo({ x, y });
    path.closePath();
    return path;
}

gfx::Path BezierPathUtility::bezierPathForEventBoxWithBothArrows(const gfx::Rect& r, double i)
{
    double x = r.minX(), y = r.minY(), w = r.width(), h = r.height();
    gfx::Path path = outlinePath();
    path.moveTo({ x, y + h });
    path.lineTo({ x + w, y + h });
    path.lineTo({ x + w, y });
    path.relativeLineTo({ -i, i });
    path.relativeLineTo({ 2 * i - w, 0 });
    path.relativeLineTo({ -i, -i });
    path.closePath();
    return path;
}

gfx::Path BezierPathUtility::bezierPathForRightFacingArrow(const gfx::Rect& r)
{
    gfx::Path path = outlinePath();
    path.moveTo({ r.minX(), r.minY() + r.height() });
    path.lineTo({ r.minX() + r.width(), r.minY() + r.height() / 2 });
    path.lineTo({ r.minX(), r.minY() });
    path.closePath();
    return path;
}

gfx::Path BezierPathUtility::bezierDownBoxFittingInRect(const gfx::Rect& r, double c, double i)
{
    double x = r.minX(), y = r.minY(), w = r.width(), h = r.height();
    gfx::Path path = outlinePath();
    path.moveTo({ x, y + h });
    path.lineTo({ x + w, y + h });
    path.relativeLineTo({ 0, i - h });
    path.relativeLineTo({ i - w + c, 0 });
    path.relativeLineTo({ -i, -i });
    path.relativeLineTo({ -i, i });
    path.lineTo({ x, y + i });
    path.lineTo({ x, y + h });
    path.closePath();
    return path;
}

gfx::Path BezierPathUtility::bezierPathFittingInRect(const gfx::Rect& r, double c, double radius, double i)
{
    double x = r.minX(), y = r.minY(), w = r.width(), h = r.height();
    double t = y + h - i;
    gfx::Path path;
    path.setLineJoin(gfx::LineJoin::miter);
    path.moveTo({ c - i, t });
    path.relativeLineTo({ i, i });
    path.relativeLineTo({ i, -i });
    if (x + w - path.currentPoint().x >= radius) {
        path.lineTo({ x + w - radius, t });
        path.appendArc({ x + w - radius, t - radius }, radius, 90, 0, true);
    } else {
        path.lineTo({ x + w, t });
    }
    path.lineTo({ x + w, y + radius });
    path.appendArc({ x + w - radius, y + radius }, radius, 0, -90, true);
    path.lineTo({ x + radius, y });
    path.appendArc({ x + radius, y + radius }, radius, -90, 180, true);
    path.lineTo({ x, t - radius });
    if ((c - i) - path.currentPoint().x >= radius)
        path.appendArc({ x + radius, t - radius }, radius, 180, 90, true);
    else
        path.relativeLineTo({ 0, radius });
    path.lineTo({ c - i, t });
    path.closePath();
    return path;
}

gfx::Path& BezierPathUtility::offsetByHalfPixelForDrawing(gfx::Path& path)
{
    path.transform(gfx::AffineTransform::translation(0.5, 0.5));
    return path;
}

void BezierPathUtility::drawText(std::string_view text, const gfx::Rect& rect, const gfx::Gradient& gradient,
    const std::optional<gfx::Shadow>& shadow, const gfx::Color& outlineColor)
{
    gfx::Path outline = pathFromVFlipAtPoint(bezierWithFont(text, gfx::Font::named("HelveticaNeue-Bold", 14)), { 0, 0 });
    gfx::Rect bounds = outline.bounds();
    double dx = rect.minX() + rect.width() / 2 - bounds.width() / 2 - bounds.minX();
    double dy = rect.minY() + rect.height() / 2 - bounds.minY() - bounds.height() / 2;
    auto& context = gfx::GraphicsContext::requireCurrent();
    context.save();
    context.translate(dx, dy);
    outline.setLineWidth(1);
    if (shadow)
        context.setShadow(*shadow);
    context.setStrokeColor(outlineColor);
    outline.stroke();
    gradient.drawInPath(outline, -90);
    context.restore();
}

}
