#include "drawing/BreakTimeStyleKit.h"

#include "drawing/PathPieces.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

namespace ostrel {

using namespace colorRule;

namespace {

constexpr gfx::Size kButtonSize { 16, 16 };

gfx::Path triangle(gfx::Point a, gfx::Point b, gfx::Point c)
{
    gfx::Path path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closePath();
    return path;
}

gfx::Path playTriangle() { return triangle({ 13, 8.14 }, { 3.75, 1.28 }, { 3.75, 15 }); }

void fillHalfTransparent(const gfx::Path& path)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    context.save();
    context.setAlpha(0.5);
    path.fill();
    context.restore();
}

// The padlock's body with its keyhole left open: the body runs counter-clockwise and the
// keyhole clockwise, so the non-zero rule leaves the hole unfilled.
gfx::Path lockBody()
{
    gfx::Path path;
    path.moveTo({ 20, 23.26 });
    appendEllipseArc(path, { 20, 15.13 }, 8.5, 8.13, 90, 450, 90);
    path.closePath();

    // A round head about (20.08, 16.45) above a stem 1.62 wide with a rounded foot.
    constexpr gfx::Point head { 20.08, 16.45 };
    constexpr double headX = 1.78, headY = 1.7, stemLeft = 19.27, stemRight = 20.89, neck = 14.94, footCenter = 12.3;
    constexpr double k = 0.5523;
    path.moveTo({ head.x, head.y + headY });
    path.curveTo({ head.x + headX, head.y }, { head.x + headX * k, head.y + headY }, { head.x + headX, head.y + headY * k });
    path.curveTo({ stemRight, neck }, { head.x + headX, head.y - 0.6 }, { stemRight + 0.41, neck + 0.16 });
    path.lineTo({ stemRight, footCenter });
    path.curveTo({ head.x, 11.49 }, { stemRight, footCenter - 0.81 * k }, { head.x + 0.81 * k, 11.49 });
    path.curveTo({ stemLeft, footCenter }, { head.x - 0.81 * k, 11.49 }, { stemLeft, footCenter - 0.81 * k });
    path.lineTo({ stemLeft, neck });
    path.curveTo({ head.x - headX, head.y }, { stemLeft - 0.41, neck + 0.16 }, { head.x - headX, head.y - 0.6 });
    path.curveTo({ head.x, head.y + headY }, { head.x - headX, head.y + headY * k }, { head.x - headX * k, head.y + headY });
    path.closePath();
    return path;
}

// The inverted U of the shackle. Opening it lifts everything by 1 and pulls the left leg's
// foot up out of the body, while the right leg stays in.
gfx::Path lockShackle(bool open)
{
    double lift = open ? 1 : 0;
    constexpr double outerLeft = 13.52, innerLeft = 15.95, innerRight = 24.21, outerRight = 26.64, spring = 24;
    constexpr gfx::Point center { 20.08, spring };
    gfx::Point leftFootOuter = open ? gfx::Point { 14, 25 } : gfx::Point { outerLeft, 17.65 };
    gfx::Point leftFootInner = open ? gfx::Point { 16, 25 } : gfx::Point { innerLeft, 17.65 };

    gfx::Path path;
    path.moveTo({ outerRight, 17.18 + lift });
    path.lineTo({ outerRight, spring + lift });
    appendEllipseArc(path, { center.x, center.y + lift }, 6.56, 30.5 - spring, 0, 180);
    path.lineTo(leftFootOuter);
    path.lineTo(leftFootInner);
    path.lineTo({ innerLeft, spring + lift });
    appendEllipseArc(path, { center.x, center.y + lift }, 4.13, 28.18 - spring, 180, 0);
    path.lineTo({ innerRight, 17.18 + lift });
    path.closePath();
    return path;
}

// Draws `text` through the text box in a rectangle of the canvas.
void canvasText(std::string_view text, const gfx::Rect& box, const gfx::Font& font, const gfx::Color& color)
{
    drawTextBox(text, box, textStyle(font, color, gfx::TextAlignment::center));
}

}

OSTREL_KIT_COLOR(BreakTimeStyleKit, flashColor, rgb(0.214, 0.24, 0.325))

void BreakTimeStyleKit::drawPlayButton(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kButtonSize);
    routine.context().setFillColor(gfx::colors::black);
    playTriangle().fill();
}

void BreakTimeStyleKit::drawPauseButton(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kButtonSize);
    routine.context().setFillColor(gfx::colors::black);
    gfx::Path::rect({ 3, 2, 3, 12 }).fill();
    gfx::Path::rect({ 10, 2, 3, 12 }).fill();
}

void BreakTimeStyleKit::drawFastForwardButton(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kButtonSize);
    routine.context().setFillColor(gfx::colors::black);
    fillHalfTransparent(triangle({ 7.5, 8.39 }, { 1.75, 2.28 }, { 1.75, 14.5 }));
    fillHalfTransparent(triangle({ 14.5, 8.39 }, { 8.75, 2.28 }, { 8.75, 14.5 }));
}

void BreakTimeStyleKit::drawTransparentPlayButton(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kButtonSize);
    routine.context().setFillColor(gfx::colors::black);
    fillHalfTransparent(playTriangle());
}

void BreakTimeStyleKit::drawAddButton(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kButtonSize);
    gfx::GraphicsContext& context = routine.context();
    context.setFillColor(gfx::colors::black);
    context.save();
    context.translate(14, 7);
    context.rotate(90);
    gfx::Path::rect({ 0, 0, 2, 12 }).fill();
    context.restore();
    context.save();
    context.translate(9, 2);
    context.rotate(90);
    gfx::Path::rect({ 0, 0, 12, 2 }).fill();
    context.restore();
}

void BreakTimeStyleKit::drawStatusItem(double endAngle)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::Path ring = gfx::Path::oval({ 2.5, 2.5, 12.5, 12.5 });
    context.setStrokeColor(gfx::colors::darkGray);
    ring.setLineWidth(1.5);
    ring.setLineCap(gfx::LineCap::round);
    ring.stroke();

    gfx::Rect disc { 4, 4, 9.5, 9.5 };
    gfx::Path wedge;
    wedge.appendArc(disc.center(), disc.width() / 2, 90, endAngle + 90, true);
    wedge.lineTo(disc.center());
    wedge.closePath();
    context.setFillColor(gfx::colors::darkGray);
    wedge.fill();
}

void BreakTimeStyleKit::drawLockIcon(const gfx::Rect& frame, ResizingBehavior resizing, double endAngle)
{
    RoutineFrame routine(frame, resizing, { 39, 39 });
    gfx::GraphicsContext& context = routine.context();
    gfx::Rect disc { 4, 3, 32, 32 };
    context.setFillColor(rgb(0.244, 0.244, 0.244));
    gfx::Path::oval(disc).fill();

    gfx::Path wedge;
    wedge.appendArc(disc.center(), disc.width() / 2, 90, 90 - endAngle, true);
    wedge.lineTo(disc.center());
    wedge.closePath();
    context.setFillColor(gfx::colors::white);
    wedge.fill();

    context.setFillColor(gfx::colors::black);
    lockBody().fill();
    // The lock opens only at the full turn the rest screen sets when the break is over.
    lockShackle(endAngle == 360).fill();
}

void BreakTimeStyleKit::drawCanvas1(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 385, 191 });
    gfx::GraphicsContext& context = routine.context();
    const gfx::Color lightGrey = rgb(0.876, 0.876, 0.876);
    const gfx::Color midGrey = rgb(0.657, 0.657, 0.657);
    const gfx::Color panelGrey = rgb(0.312, 0.302, 0.302);
    const gfx::Color panelBorderGrey = rgb(0.289, 0.288, 0.288);
    const gfx::Color nearWhite = rgb(0.934, 0.934, 0.934);
    const gfx::Color shadowGrey = rgb(0.195, 0.196, 0.196);
    const gfx::Color captionGrey = rgb(0.837, 0.837, 0.837);
    const gfx::Shadow readOutShadow { alphaCopy(shadowGrey, shadowGrey.alpha * 0.5), { 588, -2 }, 4 };
    const gfx::Font readOutFont = gfx::Font::named("Helvetica-Light", 102);

    gfx::Path panel = roundedRectOutline({ 22, 9, 343, 149 }, 4, true);
    panel.setWindingRule(gfx::WindingRule::evenOdd);

    // Panel fill, painted only inside the inner edge.
    context.save();
    context.beginTransparencyLayer();
    gfx::Path mask = gfx::Path::rect({ 1.5, -11.5, 384, 190 });
    mask.appendPath(roundedRectOutline({ 22.5, 9.5, 342, 148 }, 3.5, true));
    mask.appendPath(roundedRectOutline({ 21.5, 8.5, 344, 150 }, 4.5, false));
    mask.setWindingRule(gfx::WindingRule::evenOdd);
    mask.addClip();
    context.save();
    context.beginTransparencyLayer();
    panel.addClip();
    context.setFillColor(panelGrey);
    panel.fill();
    context.endTransparencyLayer();
    context.restore();
    context.endTransparencyLayer();
    context.restore();

    // Border: the inner half of a 2-wide stroke.
    context.save();
    context.beginTransparencyLayer();
    panel.addClip();
    context.setStrokeColor(panelBorderGrey);
    gfx::Path border = panel;
    border.setLineWidth(2);
    border.stroke();
    context.endTransparencyLayer();
    context.restore();

    // The read-out's shadow comes from a copy far outside the clip, thrown back under the
    // read-out by the shadow's offset, so that only the shadow shows.
    context.save();
    context.beginTransparencyLayer();
    context.clipToRect({ 17, -8, 294, 162 });
    context.save();
    context.translate(-556, 16);
    context.save();
    context.setShadow(scaledShadow(readOutShadow, routine.shadowScale()));
    canvasText("05:03", { -592, -6, 1439.2, 135 }, readOutFont, nearWhite);
    context.restore();
    context.restore();
    context.endTransparencyLayer();
    context.restore();

    canvasText("05:03", { 32, 16, 255.2, 123 }, readOutFont, nearWhite);
    canvasText("TIME REMAINING TILL BREAK", { 36, 130, 213.39, 19 }, gfx::Font::named("Helvetica", 15), captionGrey);

    gfx::Path play = triangle({ 349, 121 }, { 328.75, 106.28 }, { 328.75, 135.72 });
    play.setWindingRule(gfx::WindingRule::evenOdd);
    context.setFillColor(lightGrey);
    play.fill();
    gfx::Path playOutline = triangle({ 349, 121 }, { 328.75, 106.28 }, { 328.75, 135.72 });
    context.setStrokeColor(midGrey);
    playOutline.stroke();

    for (gfx::Rect bar : { gfx::Rect { 328, 74, 9, 19 }, gfx::Rect { 340, 74, 9, 19 } }) {
        gfx::Path barPath = gfx::Path::rect(bar);
        context.setFillColor(lightGrey);
        barPath.fill();
        context.save();
        context.beginTransparencyLayer();
        barPath.addClip();
        context.setStrokeColor(midGrey);
        barPath.setLineWidth(2);
        barPath.stroke();
        context.endTransparencyLayer();
        context.restore();
    }
}

namespace {

std::shared_ptr<gfx::Image> buttonImage(void (*draw)(const gfx::Rect&, ResizingBehavior))
{
    return routineImage(kButtonSize, [draw](const gfx::Rect& bounds) { draw(bounds, ResizingBehavior::aspectFit); });
}

}

std::shared_ptr<gfx::Image> BreakTimeStyleKit::imageOfPlayButton()
{
    static const auto image = buttonImage(&drawPlayButton);
    return image;
}

std::shared_ptr<gfx::Image> BreakTimeStyleKit::imageOfPauseButton()
{
    static const auto image = buttonImage(&drawPauseButton);
    return image;
}

std::shared_ptr<gfx::Image> BreakTimeStyleKit::imageOfFastForwardButton()
{
    static const auto image = buttonImage(&drawFastForwardButton);
    return image;
}

std::shared_ptr<gfx::Image> BreakTimeStyleKit::imageOfTransparentPlayButton()
{
    static const auto image = buttonImage(&drawTransparentPlayButton);
    return image;
}

std::shared_ptr<gfx::Image> BreakTimeStyleKit::imageOfAddButton()
{
    static const auto image = buttonImage(&drawAddButton);
    return image;
}

std::shared_ptr<gfx::Image> BreakTimeStyleKit::imageOfStatusItem(double endAngle)
{
    return routineImage({ 18, 18 }, [endAngle](const gfx::Rect&) { drawStatusItem(endAngle); });
}

const KitSelectorTable& BreakTimeStyleKit::selectors()
{
    static const KitSelectorTable table = [] {
        using K = BreakTimeStyleKit;
        KitSelectorTable t;
        t.add("flashColor", &K::flashColor);
        t.add("drawCanvas1WithFrame:resizing:", &K::drawCanvas1);
        t.add("drawPlayButtonWithFrame:resizing:", &K::drawPlayButton);
        t.add("drawPauseButtonWithFrame:resizing:", &K::drawPauseButton);
        t.add("drawFastForwardButtonWithFrame:resizing:", &K::drawFastForwardButton);
        t.add("drawTransparentPlayButtonWithFrame:resizing:", &K::drawTransparentPlayButton);
        t.add("drawAddButtonWithFrame:resizing:", &K::drawAddButton);
        t.add("drawStatusItemWithEndAngle:", &K::drawStatusItem);
        t.add("drawLockIconWithFrame:resizing:endAngle:", &K::drawLockIcon);
        t.add("imageOfPlayButton", &K::imageOfPlayButton);
        t.add("imageOfPauseButton", &K::imageOfPauseButton);
        t.add("imageOfFastForwardButton", &K::imageOfFastForwardButton);
        t.add("imageOfTransparentPlayButton", &K::imageOfTransparentPlayButton);
        t.add("imageOfAddButton", &K::imageOfAddButton);
        t.add("imageOfStatusItemWithEndAngle:", &K::imageOfStatusItem);
        return t;
    }();
    return table;
}

}
