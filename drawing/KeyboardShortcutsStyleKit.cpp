#include "drawing/KeyboardShortcutsStyleKit.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

namespace ostrel {

namespace {

constexpr gfx::Size kGlyphSize { 18, 20 };

struct BoxGreys {
    double border;
    double fill;
    double disabledFill;
};
constexpr BoxGreys kLight { 0.74, 1.0, 0.98 };
constexpr BoxGreys kDark { 0.47, 0.34, 0.23 };

struct BoxLayout {
    gfx::Font font;
    double titleHeight;
    double titleOffset;
};

BoxLayout regularLayout() { return { gfx::Font::system(12), 22, 0.5 }; }
BoxLayout smallLayout() { return { gfx::Font::system(gfx::Font::smallSystemFontSize), 20, 0 }; }

void drawRecorderBox(const BoxGreys& greys, const BoxLayout& layout, const gfx::Rect& frame, const gfx::Color& disabledBorder,
    const gfx::Color& textColor, std::string_view title, double textFieldWidth, bool isEnabled)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::Color border = gfx::Color::white(greys.border);
    gfx::Color fill = gfx::Color::white(greys.fill);
    gfx::Color disabledFill = gfx::Color::white(greys.disabledFill);

    // Inset by half a unit so that the 1-wide border lies wholly inside the frame.
    gfx::Rect f = frame.standardized();
    gfx::Path box = gfx::Path::roundedRect({ f.minX() + 0.5, f.minY() + 0.5, f.width() - 1, f.height() - 1 }, 4, 4);
    context.setFillColor(isEnabled ? fill : disabledFill);
    box.fill();
    context.setStrokeColor(isEnabled ? border : disabledBorder);
    box.setLineWidth(1);
    box.setLineJoin(gfx::LineJoin::bevel);
    box.stroke();

    auto style = textStyle(layout.font, textColor, gfx::TextAlignment::center);
    drawTextBox(title, { 0, 0, textFieldWidth, layout.titleHeight }, style, layout.titleOffset);
}

}

void KeyboardShortcutsStyleKit::drawBox(const gfx::Rect& frame, const gfx::Color& disabledBorderColor, const gfx::Color& textColor,
    std::string_view title, double textFieldWidth, bool isEnabled)
{
    drawRecorderBox(kLight, regularLayout(), frame, disabledBorderColor, textColor, title, textFieldWidth, isEnabled);
}

void KeyboardShortcutsStyleKit::drawSmallBox(const gfx::Rect& frame, const gfx::Color& disabledBorderColor,
    const gfx::Color& textColor, std::string_view title, double textFieldWidth, bool isEnabled)
{
    drawRecorderBox(kLight, smallLayout(), frame, disabledBorderColor, textColor, title, textFieldWidth, isEnabled);
}

void KeyboardShortcutsStyleKit::drawBoxDarkMode(const gfx::Rect& frame, const gfx::Color& disabledBorderDarkModeColor,
    const gfx::Color& textColor, std::string_view title, double textFieldWidth, bool isEnabled)
{
    drawRecorderBox(kDark, regularLayout(), frame, disabledBorderDarkModeColor, textColor, title, textFieldWidth, isEnabled);
}

void KeyboardShortcutsStyleKit::drawSmallBoxDarkMode(const gfx::Rect& frame, const gfx::Color& disabledBorderDarkModeColor,
    const gfx::Color& textColor, std::string_view title, double textFieldWidth, bool isEnabled)
{
    drawRecorderBox(kDark, smallLayout(), frame, disabledBorderDarkModeColor, textColor, title, textFieldWidth, isEnabled);
}

void KeyboardShortcutsStyleKit::drawClear(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kGlyphSize);
    gfx::Path cross;
    cross.moveTo({ 4, 6 });
    cross.curveTo({ 12, 14 }, { 12.02, 14.02 }, { 12, 14 });
    cross.moveTo({ 4, 14 });
    cross.curveTo({ 12, 6 }, { 12.02, 5.98 }, { 12, 6 });
    routine.context().setStrokeColor(gfx::colors::darkGray);
    cross.setLineWidth(2.5);
    cross.stroke();
}

void KeyboardShortcutsStyleKit::drawUndo(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kGlyphSize);
    // A band 2 wide on an ellipse around (11.21, 9.5), from its tail at the bottom up the
    // right and over the top into a head pointing down and to the left.
    gfx::Path arrow;
    arrow.moveTo({ 10.71, 4.25 });
    arrow.lineTo({ 11.21, 4.25 });
    arrow.curveTo({ 15.75, 9.5 }, { 13.72, 4.25 }, { 15.75, 6.6 });
    arrow.curveTo({ 11.21, 14.75 }, { 15.75, 12.4 }, { 13.72, 14.75 });
    arrow.curveTo({ 7.21, 12.5 }, { 9.7, 14.75 }, { 8.05, 13.94 });
    arrow.lineTo({ 4.75, 13.95 });
    arrow.lineTo({ 4.79, 7.78 });
    arrow.lineTo({ 11.58, 9.93 });
    arrow.lineTo({ 9.12, 11.38 });
    arrow.curveTo({ 11.21, 12.75 }, { 9.59, 12.27 }, { 10.37, 12.75 });
    arrow.curveTo({ 10.71, 6.25 }, { 14.6, 12.75 }, { 14.1, 6.25 });
    arrow.closePath();
    arrow.setWindingRule(gfx::WindingRule::evenOdd);
    routine.context().setFillColor(gfx::colors::darkGray);
    arrow.fill();
}

std::shared_ptr<gfx::Image> KeyboardShortcutsStyleKit::imageOfClear()
{
    static const auto image = routineImage(kGlyphSize, [](const gfx::Rect& bounds) { drawClear(bounds, ResizingBehavior::aspectFit); });
    return image;
}

std::shared_ptr<gfx::Image> KeyboardShortcutsStyleKit::imageOfUndo()
{
    static const auto image = routineImage(kGlyphSize, [](const gfx::Rect& bounds) { drawUndo(bounds, ResizingBehavior::aspectFit); });
    return image;
}

const KitSelectorTable& KeyboardShortcutsStyleKit::selectors()
{
    static const KitSelectorTable table = [] {
        using K = KeyboardShortcutsStyleKit;
        KitSelectorTable t;
        t.add("drawBoxWithFrame:disabledBorderColor:textColor:title:textFieldWidth:isEnabled:", &K::drawBox);
        t.add("drawSmallBoxWithFrame:disabledBorderColor:textColor:title:textFieldWidth:isEnabled:", &K::drawSmallBox);
        t.add("drawBoxDarkModeWithFrame:disabledBorderDarkModeColor:textColor:title:textFieldWidth:isEnabled:", &K::drawBoxDarkMode);
        t.add("drawSmallBoxDarkModeWithFrame:disabledBorderDarkModeColor:textColor:title:textFieldWidth:isEnabled:",
            &K::drawSmallBoxDarkMode);
        t.add("drawClearWithFrame:resizing:", &K::drawClear);
        t.add("drawUndoWithFrame:resizing:", &K::drawUndo);
        t.add("imageOfClear", &K::imageOfClear);
        t.add("imageOfUndo", &K::imageOfUndo);
        return t;
    }();
    return table;
}

}
