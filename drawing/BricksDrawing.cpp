#include "drawing/BricksDrawing.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"

#include <cmath>

namespace ostrel {

using namespace colorRule;

OSTREL_KIT_COLOR(BricksDrawing, standardFill, rgb(1.0, 1.0, 1.0))
OSTREL_KIT_COLOR(BricksDrawing, standardStroke, rgb(0.46, 0.46, 0.46))
OSTREL_KIT_COLOR(BricksDrawing, standardText, rgb(0.0, 0.0, 0.0))
OSTREL_KIT_COLOR(BricksDrawing, standardHighlightedText, rgb(1.0, 1.0, 1.0))
OSTREL_KIT_COLOR(BricksDrawing, standardHighlightedStroke, rgb(0.0, 0.345, 0.88))
OSTREL_KIT_COLOR(BricksDrawing, darkFill, rgb(0.218, 0.212, 0.212))
OSTREL_KIT_COLOR(BricksDrawing, darkStroke, rgb(0.8, 0.8, 0.8))
OSTREL_KIT_COLOR(BricksDrawing, darkText, rgb(0.851, 0.851, 0.851, 0.969))
OSTREL_KIT_COLOR(BricksDrawing, darkHighlightedFill, rgb(0.634, 0.634, 0.634))
OSTREL_KIT_COLOR(BricksDrawing, darkHighlightedStroke, rgb(0.393, 0.8, 0.32, 0.0))
OSTREL_KIT_COLOR(BricksDrawing, darkHighlightedText, rgb(0.0, 0.0, 0.0))
// Deep enough that the white title of a pressed button reads at 4.5:1 or better.
OSTREL_KIT_COLOR(BricksDrawing, highlightGradientStart, rgb(0.16, 0.43, 0.82))
OSTREL_KIT_COLOR(BricksDrawing, highlightGradientEnd, rgb(0.0, 0.38, 0.76))

const gfx::Gradient& BricksDrawing::standardHighlightGradient()
{
    static const gfx::Gradient gradient(std::vector<gfx::Gradient::Stop> {
        { highlightGradientStart(), 0.0 },
        { blend(highlightGradientStart(), highlightGradientEnd(), 0.5), 0.5 },
        { highlightGradientEnd(), 1.0 },
    });
    return gradient;
}

const gfx::Shadow& BricksDrawing::lightShadow()
{
    static const gfx::Shadow shadow { alphaCopy(gfx::colors::lightGray, 0.5), { 0, -0.5 }, 2 };
    return shadow;
}

namespace {

gfx::TextStyle titleStyle(const gfx::Color& color, gfx::TextAlignment alignment)
{
    return textStyle(gfx::Font::system(12), color, alignment);
}

enum class ButtonJoin { bevel, pathDefault };

struct RoundedButton {
    gfx::Rect body;
    gfx::Path path;
};

RoundedButton roundedButtonBody(const gfx::Rect& frame)
{
    gfx::Rect body { frame.minX() + 6.75, frame.minY() + std::floor((frame.height() - 19.5) * 0.38 - 0.25) + 0.75,
        frame.width() - 13, 19.5 };
    return { body, gfx::Path::roundedRect(body, 4, 4) };
}

void fillWithShadow(const gfx::Path& path, const gfx::Color& fill, const gfx::Shadow& shadow)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    context.save();
    context.setShadow(shadow);
    context.setFillColor(fill);
    path.fill();
    context.restore();
}

void strokeOutline(gfx::Path path, const gfx::Color& stroke, double width, ButtonJoin join)
{
    gfx::GraphicsContext::requireCurrent().setStrokeColor(stroke);
    path.setLineWidth(width);
    path.setLineCap(gfx::LineCap::square);
    if (join == ButtonJoin::bevel)
        path.setLineJoin(gfx::LineJoin::bevel);
    path.stroke();
}

// The rounded buttons' title, centred in the body both ways, without a clip.
void drawButtonTitle(const gfx::Rect& body, std::string_view title, const gfx::Color& color)
{
    gfx::TextStyle style = titleStyle(color, gfx::TextAlignment::center);
    double height = measuredTextHeight(title, body.width(), style);
    drawTextIn(title, { body.minX(), body.minY() + (body.height() - height) / 2, body.width(), height }, style,
        gfx::TextClipping::none);
}

void drawSolidButton(const gfx::Rect& frame, const gfx::Color& fill, const gfx::Shadow& shadow, const gfx::Color& stroke,
    const gfx::Color& text, std::string_view title)
{
    auto button = roundedButtonBody(frame);
    fillWithShadow(button.path, fill, shadow);
    strokeOutline(button.path, stroke, 0.5, ButtonJoin::bevel);
    drawButtonTitle(button.body, title, text);
}

void drawGradientButton(const gfx::Rect& frame, const gfx::Gradient& gradient, const gfx::Color& stroke, const gfx::Color& text,
    std::string_view title)
{
    auto button = roundedButtonBody(frame);
    gradient.drawInPath(button.path, 90);
    strokeOutline(button.path, stroke, 0.5, ButtonJoin::pathDefault);
    drawButtonTitle(button.body, title, text);
}

void drawPullDown(const gfx::Rect& frame, const gfx::Color& fill, const gfx::Color& stroke, double titleInset,
    const gfx::Color& titleColor, double arrowInset, const gfx::Color& arrowColor, std::string_view title)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::Rect body { frame.minX() + 3.5, frame.minY() + std::floor((frame.height() - 20) * 0.36538 - 0.25) + 0.75,
        frame.width() - 7, 20 };
    gfx::Path path = gfx::Path::roundedRect(body, 4, 4);
    fillWithShadow(path, fill, BricksDrawing::lightShadow());
    strokeOutline(path, stroke, 0.5, ButtonJoin::bevel);

    gfx::Rect titleRect { frame.minX() + titleInset, frame.minY() + std::floor((frame.height() - 22) * 0.36364 + 0.5),
        frame.width() - 29, 22 };
    drawTextBox(title, titleRect, titleStyle(titleColor, gfx::TextAlignment::left), -0.5);

    // The arrow's 8 x 5 design is squeezed into a box 4 high and turned upside down.
    gfx::Rect arrowBox { frame.minX() + frame.width() - 18, frame.minY() + arrowInset, 8, 4 };
    context.save();
    context.clipToRect(arrowBox);
    context.translate(arrowBox.minX(), arrowBox.minY());
    context.translate(0, arrowBox.height());
    context.scale(1, -1);
    BricksDrawing::drawCanvas3({ 0, 0, 8, 4 }, ResizingBehavior::stretch, arrowColor);
    context.restore();
}

struct CheckBoxColors {
    gfx::Color fill;
    gfx::Color stroke;
    gfx::Color text;
};

void drawCheckBox(const gfx::Rect& frame, const CheckBoxColors& colors, std::string_view title, bool on)
{
    gfx::Rect f = frame.standardized();
    gfx::Path box = gfx::Path::roundedRect({ f.minX() + 2.5, f.maxY() - 14.5, 13, 13 }, 2, 2);
    fillWithShadow(box, colors.fill, BricksDrawing::lightShadow());
    strokeOutline(box, colors.stroke, 1, ButtonJoin::bevel);

    drawTextBox(title, { f.minX() + 19, f.maxY() - 15, f.width() - 20, 15 }, titleStyle(colors.text, gfx::TextAlignment::left), -0.5);

    if (!on)
        return;
    // Controls are flipped views: with y running down the screen the short arm falls and the
    // long one rises, the right way up.
    gfx::Path tick;
    tick.moveTo({ f.minX() + 5, f.maxY() - 7 });
    tick.lineTo({ f.minX() + 7, f.maxY() - 5 });
    tick.lineTo({ f.minX() + 13, f.maxY() - 11 });
    gfx::GraphicsContext::requireCurrent().setStrokeColor(colors.text);
    tick.setLineWidth(2);
    tick.stroke();
}

}

void BricksDrawing::drawRoundedRegularButton(const gfx::Rect& frame, std::string_view title)
{
    drawSolidButton(frame, standardFill(), lightShadow(), standardStroke(), standardText(), title);
}

void BricksDrawing::drawRoundedRegularButtonHighlighted(const gfx::Rect& frame, std::string_view title)
{
    drawGradientButton(frame, standardHighlightGradient(), standardHighlightedStroke(), gfx::colors::white, title);
}

void BricksDrawing::drawDarkRoundedRegularButton(const gfx::Rect& frame, std::string_view title)
{
    drawSolidButton(frame, darkFill(), lightShadow(), standardStroke(), gfx::colors::white, title);
}

void BricksDrawing::drawPushButton(const gfx::Rect& frame, const gfx::Color& genericFillColor, const gfx::Color& genericStrokeColor,
    const gfx::Color& genericTextColor, const gfx::Shadow& genericShadow, std::string_view title)
{
    drawSolidButton(frame, genericFillColor, genericShadow, genericStrokeColor, genericTextColor, title);
}

void BricksDrawing::drawPushButtonWithGradient(const gfx::Rect& frame, const gfx::Color& genericStrokeColor,
    const gfx::Color& genericTextColor, const gfx::Gradient& genericGradient, std::string_view title)
{
    drawGradientButton(frame, genericGradient, genericStrokeColor, genericTextColor, title);
}

void BricksDrawing::drawRoundedPullDownButton(const gfx::Rect& frame, const gfx::Color& genericFillColor,
    const gfx::Color& genericStrokeColor, const gfx::Color& genericTextColor, std::string_view title)
{
    drawPullDown(frame, genericFillColor, genericStrokeColor, 12, genericTextColor, 10, genericTextColor, title);
}

void BricksDrawing::drawDarkRoundedPullDownButton(const gfx::Rect& frame, const gfx::Color& genericTextColor, std::string_view title)
{
    drawPullDown(frame, darkFill(), standardStroke(), 11, gfx::colors::white, 10.5, genericTextColor, title);
}

void BricksDrawing::drawCanvas3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& genericTextColor)
{
    RoutineFrame routine(frame, resizing, { 8, 5 });
    gfx::Path arrow;
    arrow.moveTo({ 1, 4 });
    arrow.lineTo({ 4, 1 });
    arrow.lineTo({ 7, 4 });
    routine.context().setStrokeColor(genericTextColor);
    arrow.setLineWidth(1.25);
    arrow.setLineCap(gfx::LineCap::square);
    arrow.setLineJoin(gfx::LineJoin::bevel);
    arrow.stroke();
}

void BricksDrawing::drawCheckBoxInOffState(const gfx::Rect& frame, const gfx::Color& genericFillColor,
    const gfx::Color& genericStrokeColor, const gfx::Color& genericTextColor, std::string_view title)
{
    drawCheckBox(frame, { genericFillColor, genericStrokeColor, genericTextColor }, title, false);
}

void BricksDrawing::drawCheckBoxInOnState(const gfx::Rect& frame, const gfx::Color& genericFillColor,
    const gfx::Color& genericStrokeColor, const gfx::Color& genericTextColor, std::string_view title)
{
    drawCheckBox(frame, { genericFillColor, genericStrokeColor, genericTextColor }, title, true);
}

void BricksDrawing::drawCheck(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 18, 18 });
    gfx::Path tick;
    tick.moveTo({ 2.5, 8.5 });
    tick.lineTo({ 6.5, 3.5 });
    tick.lineTo({ 15.5, 15.5 });
    routine.context().setStrokeColor(gfx::colors::black);
    tick.setLineWidth(3);
    tick.stroke();
}

void BricksDrawing::drawSliderKnob(const gfx::Rect& frame)
{
    gfx::Rect f = frame.standardized();
    auto corner = [&](double fx, double fy) { return gfx::Point { f.minX() + fx * f.width(), f.minY() + fy * f.height() }; };
    gfx::Path knob;
    knob.moveTo(corner(0.5, 0.85));
    knob.lineTo(corner(0.85665, 0.60816));
    knob.lineTo(corner(0.72042, 0.21684));
    knob.lineTo(corner(0.27958, 0.21684));
    knob.lineTo(corner(0.14335, 0.60816));
    knob.closePath();
    gfx::GraphicsContext::requireCurrent().setFillColor(gfx::colors::gray);
    knob.fill();
}

void BricksDrawing::drawCanvas2(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 28, 18 });
    gfx::Path triangle;
    triangle.moveTo({ 13.86, 18 });
    triangle.lineTo({ 27.71, 0 });
    triangle.lineTo({ 0, 0 });
    triangle.closePath();
    routine.context().setFillColor(gfx::colors::gray);
    triangle.fill();
}

const KitSelectorTable& BricksDrawing::selectors()
{
    static const KitSelectorTable table = [] {
        using K = BricksDrawing;
        KitSelectorTable t;
        t.add("standardFill", &K::standardFill);
        t.add("standardStroke", &K::standardStroke);
        t.add("standardText", &K::standardText);
        t.add("standardHighlightedText", &K::standardHighlightedText);
        t.add("standardHighlightedStroke", &K::standardHighlightedStroke);
        t.add("darkFill", &K::darkFill);
        t.add("darkStroke", &K::darkStroke);
        t.add("darkText", &K::darkText);
        t.add("darkHighlightedFill", &K::darkHighlightedFill);
        t.add("darkHighlightedStroke", &K::darkHighlightedStroke);
        t.add("darkHighlightedText", &K::darkHighlightedText);
        t.add("highlightGradientStart", &K::highlightGradientStart);
        t.add("highlightGradientEnd", &K::highlightGradientEnd);
        t.add("standardHighlightGradient", &K::standardHighlightGradient);
        t.add("lightShadow", &K::lightShadow);
        t.add("drawRoundedRegularButtonWithFrame:title:", &K::drawRoundedRegularButton);
        t.add("drawRoundedRegularButtonHighlightedWithFrame:title:", &K::drawRoundedRegularButtonHighlighted);
        t.add("drawDarkRoundedRegularButtonWithFrame:title:", &K::drawDarkRoundedRegularButton);
        t.add("drawPushButtonWithFrame:genericFillColor:genericStrokeColor:genericTextColor:genericShadow:title:", &K::drawPushButton);
        t.add("drawPushButtonWithGradientWithFrame:genericStrokeColor:genericTextColor:genericGradient:title:",
            &K::drawPushButtonWithGradient);
        t.add("drawRoundedPullDownButtonWithFrame:genericFillColor:genericStrokeColor:genericTextColor:title:",
            &K::drawRoundedPullDownButton);
        t.add("drawDarkRoundedPullDownButtonWithFrame:genericTextColor:title:", &K::drawDarkRoundedPullDownButton);
        t.add("drawCanvas3WithFrame:resizing:genericTextColor:", &K::drawCanvas3);
        t.add("drawCheckBoxInOffStateWithFrame:genericFillColor:genericStrokeColor:genericTextColor:title:", &K::drawCheckBoxInOffState);
        t.add("drawCheckBoxInOnStateWithFrame:genericFillColor:genericStrokeColor:genericTextColor:title:", &K::drawCheckBoxInOnState);
        t.add("drawCheckWithFrame:resizing:", &K::drawCheck);
        t.add("drawSliderKnobWithFrame:", &K::drawSliderKnob);
        t.add("drawCanvas2WithFrame:resizing:", &K::drawCanvas2);
        return t;
    }();
    return table;
}

}
