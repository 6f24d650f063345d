#pragma once

#include <string>

namespace gfx {

// A font by PostScript name ("Helvetica-Bold", "Futura-Medium") and point size. A plain value:
// the graphics layer maps the name onto an installed family when it draws.
struct Font {
    std::string postScriptName { "Helvetica" };
    double pointSize { 12 };

    bool operator==(const Font&) const = default;
};

}
