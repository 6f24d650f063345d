#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

namespace ostrel {

namespace {

constexpr gfx::Size kIndicator { 20, 20 };

// The letter centred on the square and raised half a unit, cut at the square's edges.
void drawLetter(std::string_view text, const gfx::Font& font)
{
    drawTextBox(text, { 0, 0, kIndicator.width, kIndicator.height }, textStyle(font, gfx::colors::black, gfx::TextAlignment::center), 0.5);
}

gfx::Font regular() { return gfx::Font::system(gfx::Font::systemFontSize); }

// A straight bar drawn as the one cubic segment the art has, stroked after the letter.
void strokeLine(gfx::Point start, gfx::Point end, gfx::Point control1, gfx::LineCap cap)
{
    gfx::Path line;
    line.moveTo(start);
    line.curveTo(end, control1, end);
    line.setLineCap(cap);
    gfx::GraphicsContext::requireCurrent().setStrokeColor(gfx::colors::black);
    line.stroke();
}

}

void OstrelStyleKit::drawBoldIndicator(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kIndicator);
    drawLetter("B", gfx::Font::boldSystem(gfx::Font::systemFontSize));
}

void OstrelStyleKit::drawStrikeThroughIndicator(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kIndicator);
    drawLetter("S", regular());
    strokeLine({ 4.5, 9.5 }, { 14.48, 9.5 }, { 15.42, 9.5 }, gfx::LineCap::round);
}

void OstrelStyleKit::drawUnderlineIndicator(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kIndicator);
    drawLetter("U", regular());
    strokeLine({ 5.5, 3.5 }, { 14.48, 3.5 }, { 15.33, 3.5 }, gfx::LineCap::butt);
}

void OstrelStyleKit::drawPlainIndicator(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kIndicator);
    // The trailing space belongs to the art: it sets the P half a space left of the centre.
    drawLetter("P ", regular());
}

void OstrelStyleKit::drawItalicsIndicator(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kIndicator);
    drawLetter("i", gfx::Font::named("Helvetica-Oblique", gfx::Font::systemFontSize));
}

#define OSTREL_INDICATOR_IMAGE(name)                                   \
    std::shared_ptr<gfx::Image> OstrelStyleKit::imageOf##name()        \
    {                                                                  \
        static const auto image = designImage(kIndicator, &draw##name); \
        return image;                                                  \
    }

OSTREL_INDICATOR_IMAGE(BoldIndicator)
OSTREL_INDICATOR_IMAGE(StrikeThroughIndicator)
OSTREL_INDICATOR_IMAGE(UnderlineIndicator)
OSTREL_INDICATOR_IMAGE(PlainIndicator)
OSTREL_INDICATOR_IMAGE(ItalicsIndicator)

void OstrelStyleKit::publishTextIndicators(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawBoldIndicatorWithFrame:resizing:", &K::drawBoldIndicator);
    t.add("drawStrikeThroughIndicatorWithFrame:resizing:", &K::drawStrikeThroughIndicator);
    t.add("drawUnderlineIndicatorWithFrame:resizing:", &K::drawUnderlineIndicator);
    t.add("drawPlainIndicatorWithFrame:resizing:", &K::drawPlainIndicator);
    t.add("drawItalicsIndicatorWithFrame:resizing:", &K::drawItalicsIndicator);
    t.add("imageOfBoldIndicator", &K::imageOfBoldIndicator);
    t.add("imageOfStrikeThroughIndicator", &K::imageOfStrikeThroughIndicator);
    t.add("imageOfUnderlineIndicator", &K::imageOfUnderlineIndicator);
    t.add("imageOfPlainIndicator", &K::imageOfPlainIndicator);
    t.add("imageOfItalicsIndicator", &K::imageOfItalicsIndicator);
}

}
