#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/TextLayout.h"
#include "platform/ui/Geometry.h"

#include <string_view>

namespace gfx {
class GraphicsContext;
}

namespace ui::ControlLook {

// The plain dark look every control has until a skin draws it.
constexpr gfx::Color kFace = gfx::Color::rgb(0.23, 0.23, 0.24);
constexpr gfx::Color kFaceHighlighted = gfx::Color::rgb(0.36, 0.36, 0.38);
constexpr gfx::Color kStroke = gfx::Color::rgb(0.42, 0.42, 0.44);
constexpr gfx::Color kText = gfx::Color::rgb(0.9, 0.9, 0.9);
constexpr gfx::Color kSecondaryText = gfx::Color::rgb(0.6, 0.6, 0.62);
// Deep enough that white text on it (a highlighted menu row) reads at 4.5:1.
constexpr gfx::Color kAccent = gfx::Color::rgb(0.13, 0.42, 0.88);
constexpr gfx::Color kField = gfx::Color::rgb(0.12, 0.12, 0.13);
constexpr gfx::Color kMenu = gfx::Color::rgb(0.17, 0.17, 0.18);
// The accent as text on the dark faces and fields (a recorded shortcut): light enough to read
// at 4.5:1 on any of them, as the accent itself does not.
constexpr gfx::Color kAccentText = gfx::Color::rgb(0.65, 0.83, 1.0);
// Around the control with the keyboard: the accent, lighter, so it reads on dark and light faces.
constexpr gfx::Color kFocusRing = gfx::Color::rgb(0.38, 0.62, 1.0);

// The selection behind text on a background: deep on a dark background, light on a light
// one, so that the text over it keeps reading; paler while its view has not the keyboard.
gfx::Color selectionColor(gfx::Color background, bool active);
// The same for a view that leaves its background to what is behind it: light text is on a
// dark background there, dark text on a light one.
gfx::Color selectionColorForText(gfx::Color text, bool active);

// A rounded face with its outline.
void drawBezel(gfx::GraphicsContext& context, const Rect& rect, double radius, gfx::Color fill,
    gfx::Color stroke = kStroke);
// One line of text centred vertically in the rect, placed by the alignment.
void drawLabel(std::string_view text, const Rect& rect, const gfx::Font& font, gfx::Color color,
    gfx::TextAlignment alignment = gfx::TextAlignment::center);
Size labelSize(std::string_view text, const gfx::Font& font);
// Keeps a layout to one line of that width, ending in "…" where its text is longer: a label
// never loses its end unseen, nor breaks a word onto a line that no one sees.
void fitOnOneLine(gfx::TextLayout& layout, double width);
// Where drawLabel puts the first baseline in a rect of that height, from its top: what a
// control drawing its text so answers as its first baseline.
double labelBaseline(const gfx::Font& font, double rectHeight);
// A tick, as in a checked box or a checked menu item.
void drawCheckMark(gfx::GraphicsContext& context, const Rect& rect, gfx::Color color);
// A small downward chevron, as pop-up buttons show.
void drawChevron(gfx::GraphicsContext& context, const Rect& rect, gfx::Color color, bool upAndDown);

}
