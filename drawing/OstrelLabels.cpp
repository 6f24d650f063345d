#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"

#include <array>

namespace ostrel {

void OstrelStyleKit::drawEventView(const gfx::Rect& frame, bool leftTerminator, bool rightTerminator, std::string_view label)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    context.setFillColor(gfx::colors::white);
    gfx::Path::rect({ frame.minX() + 1, frame.maxY() - 28, frame.width() - 1, 1 }).fill();
    if (rightTerminator)
        gfx::Path::rect({ frame.maxX() - 1, frame.maxY() - 32, 1, 9 }).fill();
    if (leftTerminator)
        gfx::Path::rect({ frame.minX(), frame.maxY() - 32, 1, 9 }).fill();

    // The label sits on the bottom of its box, not in its middle, and grows upwards.
    gfx::Rect box { frame.minX() + 1, frame.minY() + 7, frame.width() - 2, frame.height() - 8 };
    gfx::TextStyle style = textStyle(gfx::Font::system(gfx::Font::labelFontSize), gfx::colors::white, gfx::TextAlignment::center);
    double height = measuredTextHeight(label, box.width(), style);
    drawTextClipped(label, box, { box.minX(), box.minY(), box.width(), height }, style);
}

void OstrelStyleKit::drawBubbleWithArrowOnTop(const gfx::Rect& frame, std::string_view label, double horizontalCenter)
{
    gfx::Rect box { frame.minX() + 1, frame.maxY() - 17, frame.width() - 2, 10 };
    gfx::TextStyle style = textStyle(gfx::Font::system(gfx::Font::smallSystemFontSize), gfx::colors::lightGray, gfx::TextAlignment::center);
    double height = measuredTextHeight(label, box.width(), style);
    drawTextClipped(label, box, { box.minX(), box.minY() + (10 - height) / 2, box.width(), height }, style);

    // The caret stands at a fixed height above the origin: the callers' bounds start there.
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    context.save();
    context.translate(horizontalCenter - 3.5, 20.5);
    gfx::Path caret;
    caret.moveTo({ 0, 0 });
    caret.lineTo({ 3, 3 });
    caret.lineTo({ 6, 0 });
    context.setStrokeColor(gfx::colors::lightGray);
    caret.stroke();
    context.restore();
}

void OstrelStyleKit::drawKeyCombo(const gfx::Rect& frame, ResizingBehavior resizing, std::string_view char1, std::string_view char2)
{
    RoutineFrame routine(frame, resizing, { 47, 16 });
    gfx::TextStyle style = textStyle(gfx::Font::system(gfx::Font::systemFontSize), gfx::colors::black, gfx::TextAlignment::center);
    // Right to left, so that in the 1-point overlaps the left-hand cell's text lies on top.
    const std::array<std::pair<double, std::string_view>, 4> cells { { { 34, char1 }, { 23, char2 }, { 13, char1 }, { 3, char1 } } };
    for (const auto& [x, text] : cells) {
        gfx::Rect cell { x, 1, 11, 13 };
        double height = measuredTextHeight(text, cell.width(), style);
        drawTextClipped(text, cell, { cell.minX(), 1 + (13 - height) / 2 + 0.5, 11, height }, style);
    }
}

void OstrelStyleKit::publishLabels(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawEventViewWithFrame:leftTerminator:rightTerminator:label:", &K::drawEventView);
    t.add("drawBubbleWithArrowOnTopWithFrame:label:horizontalCenter:", &K::drawBubbleWithArrowOnTop);
    t.add("drawKeyComboWithFrame:resizing:char1:char2:", &K::drawKeyCombo);
}

}
