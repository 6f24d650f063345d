#pragma once

#include <string>

namespace gfx {

enum class FontWeight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };

// A font by PostScript name ("Helvetica-Bold", "Futura-Medium") and point size. A plain value:
// the graphics layer maps the name onto an installed family when it draws.
// The system font has its own reserved name; its weight and digit style are the fields below
// (a named font carries its weight in its name, as "Helvetica-Bold" does).
struct Font {
    std::string postScriptName { "Helvetica" };
    double pointSize { 12 };
    FontWeight weight { FontWeight::regular };
    bool monospacedDigits { false };

    static constexpr const char* systemFontName = ".SystemFont";
    // The desktop's standard sizes, in points.
    static constexpr double systemFontSize = 13;
    static constexpr double smallSystemFontSize = 11;
    static constexpr double miniSystemFontSize = 9;
    static constexpr double labelFontSize = 10;

    static Font named(std::string postScriptName, double pointSize) { return { std::move(postScriptName), pointSize }; }
    static Font system(double pointSize, FontWeight weight = FontWeight::regular)
    {
        return { systemFontName, pointSize, weight, false };
    }
    static Font boldSystem(double pointSize) { return system(pointSize, FontWeight::bold); }
    static Font monospacedDigitSystem(double pointSize, FontWeight weight = FontWeight::regular)
    {
        return { systemFontName, pointSize, weight, true };
    }

    bool isSystem() const { return postScriptName == systemFontName; }

    bool operator==(const Font&) const = default;
};

}
