#pragma once

namespace gfx {

// An sRGB colour with alpha, each component 0…1. A plain value: no drawing library needed.
struct Color {
    double red { 0 };
    double green { 0 };
    double blue { 0 };
    double alpha { 1 };

    static constexpr Color rgb(double r, double g, double b, double a = 1) { return { r, g, b, a }; }
    static constexpr Color white(double w, double a = 1) { return { w, w, w, a }; }
    // Hue, saturation and brightness 0…1, hue wrapping around (1.25 is 0.25).
    static Color hsb(double hue, double saturation, double brightness, double a = 1);

    constexpr Color withAlpha(double a) const { return { red, green, blue, a }; }

    double hue() const;
    double saturation() const;
    double brightness() const;

    // `fraction` parts of `other` and 1 - `fraction` parts of this colour, alpha included.
    // The fraction is clamped to 0…1.
    Color blended(double fraction, const Color& other) const;

    bool operator==(const Color&) const = default;
};

// The named system colours the drawings use.
namespace colors {
inline constexpr Color black { 0, 0, 0, 1 };
inline constexpr Color white { 1, 1, 1, 1 };
inline constexpr Color clear { 0, 0, 0, 0 };
inline constexpr Color darkGray { 1.0 / 3, 1.0 / 3, 1.0 / 3, 1 };
inline constexpr Color gray { 0.5, 0.5, 0.5, 1 };
inline constexpr Color lightGray { 2.0 / 3, 2.0 / 3, 2.0 / 3, 1 };
inline constexpr Color red { 1, 0, 0, 1 };
inline constexpr Color green { 0, 1, 0, 1 };
inline constexpr Color blue { 0, 0, 1, 1 };
inline constexpr Color yellow { 1, 1, 0, 1 };
inline constexpr Color orange { 1, 0.5, 0, 1 };
}

}
