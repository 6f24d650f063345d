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

    constexpr Color withAlpha(double a) const { return { red, green, blue, a }; }

    bool operator==(const Color&) const = default;
};

}
