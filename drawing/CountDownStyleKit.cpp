#include "drawing/CountDownStyleKit.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

#include <string>

namespace ostrel {

void CountDownStyleKit::drawSlice(const gfx::Rect& frame, double startAngle, double endAngle)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::Rect inner { frame.minX() + 40, frame.minY() + 39, frame.width() - 80, frame.height() - 80 };
    // A frame too small for the inset has no dial to show.
    if (!(inner.size.width > 0 && inner.size.height > 0))
        return;
    gfx::Path wedge;
    wedge.appendArc({ 0, 0 }, inner.width() * 0.5, startAngle, endAngle, true);
    wedge.lineTo({ 0, 0 });
    wedge.closePath();
    // The circle is squashed into the inner rectangle's ellipse by moving the path, not the
    // context, so nothing else the caller draws is affected.
    wedge.transform(gfx::AffineTransform::identity().translated(inner.midX(), inner.midY()).scaled(1, inner.height() / inner.width()));
    context.setFillColor(gfx::colors::white);
    wedge.fill();
}

void CountDownStyleKit::drawOuterCircle(const gfx::Rect& frame)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::Rect oval { frame.minX() + 20, frame.minY() + 20, frame.width() - 40, frame.height() - 40 };
    if (!(oval.size.width > 0 && oval.size.height > 0))
        return;
    gfx::Path ring = gfx::Path::oval(oval);
    context.setStrokeColor(gfx::colors::white);
    ring.setLineWidth(10);
    ring.stroke();
}

void CountDownStyleKit::drawReadOut(std::string_view text)
{
    auto style = textStyle(gfx::Font::named("Futura-Medium", 35), gfx::colors::white, gfx::TextAlignment::center);
    drawTextBox(text, { 0, -1, 300, 40 }, style);
}

std::shared_ptr<gfx::Image> CountDownStyleKit::imageOfSlice(gfx::Size imageSize, double startAngle, double endAngle)
{
    return routineImage(imageSize, [=](const gfx::Rect& bounds) { drawSlice(bounds, startAngle, endAngle); });
}

std::shared_ptr<gfx::Image> CountDownStyleKit::imageOfOuterCircle(gfx::Size imageSize)
{
    return routineImage(imageSize, [](const gfx::Rect& bounds) { drawOuterCircle(bounds); });
}

std::shared_ptr<gfx::Image> CountDownStyleKit::imageOfReadOut(std::string_view text)
{
    return routineImage({ 300, 40 }, [text = std::string(text)](const gfx::Rect&) { drawReadOut(text); });
}

const KitSelectorTable& CountDownStyleKit::selectors()
{
    static const KitSelectorTable table = [] {
        using K = CountDownStyleKit;
        KitSelectorTable t;
        t.add("drawSliceWithFrame:startAngle:endAngle:", &K::drawSlice);
        t.add("drawOuterCircleWithFrame:", &K::drawOuterCircle);
        t.add("drawReadOutWithText:", &K::drawReadOut);
        t.add("imageOfSliceWithImageSize:startAngle:endAngle:", &K::imageOfSlice);
        t.add("imageOfOuterCircleWithImageSize:", &K::imageOfOuterCircle);
        t.add("imageOfReadOutWithText:", &K::imageOfReadOut);
        return t;
    }();
    return table;
}

}
