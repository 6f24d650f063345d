#pragma once

#include "platform/gfx/Font.h"

#include <filesystem>
#include <memory>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoContext PangoContext;

namespace gfx {

// Makes every later font lookup go through the fontconfig file the program ships, which
// pins the families the drawings name (Helvetica, Futura, Gill Sans, the system font) to
// fonts every installation has. False, and the desktop's own configuration stays, when the
// file cannot be read.
bool pinFonts(const std::filesystem::path& configurationFile);

// A font's family, weight, slant and stretch as pango describes them, its size in points
// (absolute, so it needs no resolution). For the rich-text layer as much as for ours.
struct PangoFontDescriptionDeleter {
    void operator()(PangoFontDescription*) const;
};
using PangoFontDescriptionPtr = std::unique_ptr<PangoFontDescription, PangoFontDescriptionDeleter>;
PangoFontDescriptionPtr pangoFontDescription(const Font&);
// OpenType features the font asks for ("tnum" for monospaced digits), in pango's syntax;
// empty when none.
std::string pangoFontFeatures(const Font&);

// The family a PostScript name asks for: "HelveticaNeue-Bold" asks for "Helvetica Neue".
std::string familyName(const Font&);
// Whether the font can be made: its family is installed or pinned to one that is.
bool canMakeFont(const std::string& postScriptName);

// Shared by every text drawing: the one font map and a context with 72 dpi and unhinted
// metrics, so that text measures the same at any scale. Main thread only (and a font
// warm-up's, which it waits for: see FontWarmUp).
PangoFontMap* fontMap();
PangoContext* newPangoContext();

// Contexts kept for the texts laid out one style at a time: making a context for every text
// measured costs more than the measuring (a count-down measures its title every second).
// One for measuring, which drawing never touches, one for drawing as is and one for drawing
// small text with glyphs on whole pixels; each of the calling thread's own. Not owned.
enum class SharedContext { measuring, drawing, drawingOnWholePixels };
PangoContext* sharedPangoContext(SharedContext purpose);
// Changes whenever the fonts are pinned anew: measures kept from before no longer hold.
unsigned fontGeneration();

}
