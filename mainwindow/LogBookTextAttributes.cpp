#include "mainwindow/LogBookTextAttributes.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/gfx/Fonts.h"

namespace ostrel {

namespace {

gfx::Font helvetica(double size)
{
    static const bool available = gfx::canMakeFont("Helvetica");
    return available ? gfx::Font::named("Helvetica", size) : gfx::Font::system(size);
}

LogBookTextStyle make(double size, bool right, gfx::Color color, bool shadowed)
{
    gfx::ParagraphStyle paragraph;
    if (right)
        paragraph.alignment = gfx::TextAlignment::right;
    LogBookTextStyle style { gfx::TextStyle(helvetica(size), color, paragraph), std::nullopt, std::nullopt };
    if (shadowed)
        style.shadow = LogBookTextAttributes::shadow();
    return style;
}

}

const gfx::Color& LogBookTextAttributes::labelColor()
{
    static const gfx::Color color = gfx::Color::white(0.2, 1.0);
    return color;
}

const gfx::Shadow& LogBookTextAttributes::shadow()
{
    static const gfx::Shadow shadow { gfx::colors::white, gfx::Size(0.0, -1.0), 0.0 };
    return shadow;
}

const LogBookTextStyle& LogBookTextAttributes::objectiveLabelAttributes()
{
    static const LogBookTextStyle style = [] {
        auto made = make(11, false, labelColor(), false);
        made.underlineColor = gfx::colors::red;
        return made;
    }();
    return style;
}

const LogBookTextStyle& LogBookTextAttributes::durationLabelAttributes()
{
    static const LogBookTextStyle style = make(9, true, labelColor(), false);
    return style;
}

const LogBookTextStyle& LogBookTextAttributes::flowFocusAttributes()
{
    static const LogBookTextStyle style = make(9, true, gfx::Color::rgb(1.0, 0.0, 0.0), true);
    return style;
}

const LogBookTextStyle& LogBookTextAttributes::highlyFocusedAttributes()
{
    static const LogBookTextStyle style = make(9, true, gfx::Color::rgb(1.0, 0.6470588235, 0.0), true);
    return style;
}

const LogBookTextStyle& LogBookTextAttributes::goodFocusAttributes()
{
    static const LogBookTextStyle style = make(9, true, OstrelStyleKit::goodFocusColor(), false);
    return style;
}

const LogBookTextStyle& LogBookTextAttributes::distractedFocusAttributes()
{
    static const LogBookTextStyle style = make(9, true, gfx::Color::rgb(0.390625, 0.58203125, 0.92578125), true);
    return style;
}

const LogBookTextStyle& LogBookTextAttributes::tagLabelAttributes()
{
    static const LogBookTextStyle style = make(11, true, labelColor(), false);
    return style;
}

const LogBookTextStyle& LogBookTextAttributes::unknownFocusAttributes()
{
    // No attributes at all: the platform's default text, black in its standard size.
    static const LogBookTextStyle style { gfx::TextStyle(gfx::Font::system(gfx::Font::systemFontSize), gfx::colors::black), std::nullopt, std::nullopt };
    return style;
}

}
