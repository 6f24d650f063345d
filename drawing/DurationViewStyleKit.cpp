#include "drawing/DurationViewStyleKit.h"

namespace ostrel {

namespace {

struct DurationLayout {
    gfx::Rect firstLabel;
    gfx::Rect secondLabel;
    gfx::Rect firstDigits;
    gfx::Rect secondDigits;
};

// A label starts at the bottom of its column and grows upward.
void drawLabel(std::string_view text, const gfx::Rect& column, const gfx::TextStyle& style)
{
    double height = measuredTextHeight(text, column.width(), style);
    drawTextClipped(text, column, { column.minX(), column.minY(), column.width(), height }, style);
}

// Our system font's digits are wider than the ones these boxes were drawn for: a group that
// would not fit on one line is set a little smaller instead of wrapping onto a second.
void drawDigits(std::string_view text, const gfx::Rect& box, gfx::TextStyle style)
{
    double width = gfx::textBoundingRect(text, 0, style).width();
    if (width > box.width() && box.width() > 0)
        style.font.pointSize *= box.width() / width;
    drawTextBox(text, box, style, 0.5);
}

void drawDuration(const DurationLayout& layout, std::string_view firstLabel, std::string_view secondLabel,
    std::string_view firstDigits, std::string_view secondDigits, double digitSize, double labelSize, bool disabled)
{
    gfx::Color color = disabled ? gfx::Color::rgb(0.7, 0.7, 0.7) : gfx::Color::rgb(1, 1, 1);
    auto label = textStyle(gfx::Font::system(labelSize, gfx::FontWeight::medium), color, gfx::TextAlignment::left);
    auto digits = textStyle(gfx::Font::system(digitSize, gfx::FontWeight::thin), color, gfx::TextAlignment::right);
    drawLabel(firstLabel, layout.firstLabel, label);
    drawLabel(secondLabel, layout.secondLabel, label);
    drawDigits(firstDigits, layout.firstDigits, digits);
    drawDigits(secondDigits, layout.secondDigits, digits);
}

}

void DurationViewStyleKit::drawDurationView(std::string_view firstLabel, std::string_view secondLabel, std::string_view firstDigits,
    std::string_view secondDigits, double digitSize, double labelBottomInset, double labelSize, bool disabled)
{
    DurationLayout layout { { 80, labelBottomInset, 20, 80 }, { 180, labelBottomInset, 20, 80 }, { 0, 0, 80, 80 }, { 100, -1, 80, 80 } };
    drawDuration(layout, firstLabel, secondLabel, firstDigits, secondDigits, digitSize, labelSize, disabled);
}

void DurationViewStyleKit::drawSmallDurationView(std::string_view firstLabel, std::string_view secondLabel,
    std::string_view firstDigits, std::string_view secondDigits, double digitSize, double labelBottomInset, double labelSize,
    bool disabled)
{
    DurationLayout layout { { 40, labelBottomInset, 10, 30 }, { 90, labelBottomInset, 10, 30 }, { 0, 0, 40, 40 }, { 50, 0, 40, 40 } };
    drawDuration(layout, firstLabel, secondLabel, firstDigits, secondDigits, digitSize, labelSize, disabled);
}

const KitSelectorTable& DurationViewStyleKit::selectors()
{
    static const KitSelectorTable table = [] {
        using K = DurationViewStyleKit;
        KitSelectorTable t;
        t.add("drawDurationViewWithFirstLabel:secondLabel:firstDigits:secondDigits:digitSize:labelBottomInset:labelSize:disabled:",
            &K::drawDurationView);
        t.add("drawSmallDurationViewWithFirstLabel:secondLabel:firstDigits:secondDigits:digitSize:labelBottomInset:labelSize:"
              "disabled:",
            &K::drawSmallDurationView);
        return t;
    }();
    return table;
}

}
