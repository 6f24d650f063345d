#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Gradient.h"

#include <variant>

namespace ostrel {

// The colours (or gradient) a drawing operation of a control skin is called with. One case
// at a time; the drawing functions read the case they understand and fall back on red for
// any other, so a mismatched palette shows at once instead of failing.
class DrawingPalette {
public:
    struct Empty {
        bool operator==(const Empty&) const = default;
    };
    struct BackgroundColor {
        gfx::Color color;
        bool operator==(const BackgroundColor&) const = default;
    };
    struct TextColor {
        gfx::Color color;
        bool operator==(const TextColor&) const = default;
    };
    struct FrameColor {
        gfx::Color color;
        bool operator==(const FrameColor&) const = default;
    };
    struct MainGradient {
        gfx::Gradient gradient;
        bool operator==(const MainGradient&) const = default;
    };
    struct FillAndStrokeColors {
        gfx::Color fill;
        gfx::Color stroke;
        bool operator==(const FillAndStrokeColors&) const = default;
    };
    struct FillAndStrokeAndTextColors {
        gfx::Color fill;
        gfx::Color stroke;
        gfx::Color textColor;
        bool operator==(const FillAndStrokeAndTextColors&) const = default;
    };
    struct GradientAndStrokeAndTextColors {
        gfx::Gradient gradient;
        gfx::Color stroke;
        gfx::Color textColor;
        bool operator==(const GradientAndStrokeAndTextColors&) const = default;
    };

    static DrawingPalette backgroundColor(gfx::Color color) { return DrawingPalette(BackgroundColor { color }); }
    static DrawingPalette textColor(gfx::Color color) { return DrawingPalette(TextColor { color }); }
    static DrawingPalette frameColor(gfx::Color color) { return DrawingPalette(FrameColor { color }); }
    static DrawingPalette mainGradient(gfx::Gradient gradient) { return DrawingPalette(MainGradient { std::move(gradient) }); }
    static DrawingPalette fillAndStrokeColors(gfx::Color fill, gfx::Color stroke)
    {
        return DrawingPalette(FillAndStrokeColors { fill, stroke });
    }
    static DrawingPalette fillAndStrokeAndTextColors(gfx::Color fill, gfx::Color stroke, gfx::Color text)
    {
        return DrawingPalette(FillAndStrokeAndTextColors { fill, stroke, text });
    }
    static DrawingPalette gradientAndStrokeAndTextColors(gfx::Gradient gradient, gfx::Color stroke, gfx::Color text)
    {
        return DrawingPalette(GradientAndStrokeAndTextColors { std::move(gradient), stroke, text });
    }
    static DrawingPalette empty() { return DrawingPalette(Empty {}); }

    // The case's values, or nullptr when the palette is of another case.
    template<typename Case>
    const Case* as() const
    {
        return std::get_if<Case>(&m_case);
    }

    bool operator==(const DrawingPalette&) const = default;

private:
    using Case = std::variant<Empty, BackgroundColor, TextColor, FrameColor, MainGradient, FillAndStrokeColors,
        FillAndStrokeAndTextColors, GradientAndStrokeAndTextColors>;
    explicit DrawingPalette(Case c)
        : m_case(std::move(c))
    {
    }
    Case m_case;
};

}
