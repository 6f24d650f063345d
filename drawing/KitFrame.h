#pragma once

#include "drawing/ResizingBehavior.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Shadow.h"
#include "platform/gfx/TextLayout.h"

#include <functional>
#include <memory>
#include <string_view>

namespace gfx {
class GraphicsContext;
class Image;
class Path;
}

// What every drawing kit shares. A kit is a class of static members only:
//
//   - named colours: `static const gfx::Color& name()`, made once on first read by one of the
//     colour rules below, inside a function-local static (the once-guard); every read returns
//     the same object. A derived colour reads its base through the base's own getter.
//   - resizable routines: `static void drawName(const gfx::Rect& frame, ResizingBehavior
//     resizing, ...own parameters)`, stated in a fixed W x H design rectangle and drawn
//     through a `RoutineFrame`;
//   - frame-only routines: `drawName(const gfx::Rect& frame, ...)`, computed from the frame's
//     edges, no mapping; fixed routines: no frame, fixed coordinates;
//   - parameterless images: `static std::shared_ptr<gfx::Image> imageOfName()`, made once by
//     `routineImage` and kept; parameterised images: made anew by `routineImage` on every
//     call;
//   - `static const KitSelectorTable& selectors()`: every member by selector name
//     (drawing/KitSelectors.h).
namespace ostrel {

// The routine frame: saves the current context's state, moves and scales it so that the
// design rectangle (0, 0, W, H) lands where `resizing` puts it in `frame`, and restores the
// state when it goes out of scope. It does not clip.
class RoutineFrame {
public:
    RoutineFrame(const gfx::Rect& frame, ResizingBehavior resizing, gfx::Size design);
    ~RoutineFrame();
    RoutineFrame(const RoutineFrame&) = delete;
    RoutineFrame& operator=(const RoutineFrame&) = delete;

    gfx::GraphicsContext& context() { return m_context; }
    const gfx::Rect& resized() const { return m_resized; }
    // The smaller of the two scale factors: shadows are set in base space, which the frame's
    // transform does not reach, so their offset and blur are multiplied by it.
    double shadowScale() const;

private:
    gfx::GraphicsContext& m_context;
    gfx::Size m_design;
    gfx::Rect m_resized;
};

// Defines a kit's named colour getter: made from the expression on the first read, under the
// function-local static's once-guard, and the same object on every read after.
#define OSTREL_KIT_COLOR(kit, name, ...)              \
    const gfx::Color& kit::name()                     \
    {                                                 \
        static const gfx::Color color = __VA_ARGS__;  \
        return color;                                 \
    }

// The four ways a kit colour is made.
namespace colorRule {
constexpr gfx::Color rgb(double red, double green, double blue, double alpha = 1) { return { red, green, blue, alpha }; }
// Hue, saturation and brightness kept, alpha replaced.
constexpr gfx::Color alphaCopy(const gfx::Color& base, double alpha) { return base.withAlpha(alpha); }
// `fraction` parts of `other`, the rest of `base`.
inline gfx::Color blend(const gfx::Color& base, const gfx::Color& other, double fraction) { return base.blended(fraction, other); }
// Hue, saturation and alpha of `base` with a new brightness.
gfx::Color brightnessReplacement(const gfx::Color& base, double brightness);
}

// A shadow whose offset and blur are multiplied by a routine frame's shadow scale.
gfx::Shadow scaledShadow(const gfx::Shadow&, double scale);

gfx::TextStyle textStyle(const gfx::Font&, const gfx::Color&, gfx::TextAlignment);
// The height of `text` laid out `width` wide from the line-fragment origin.
double measuredTextHeight(std::string_view text, double width, const gfx::TextStyle&);
// Draws `text` laid out in `rect`, from its top, clipped to it unless told otherwise;
// nothing for a rectangle or font size that is not a number.
void drawTextIn(std::string_view text, const gfx::Rect& rect, const gfx::TextStyle&,
    gfx::TextClipping = gfx::TextClipping::toRect);
// Draws `text` laid out in `drawing` while clipped to `clip`, and leaves the state as it was.
void drawTextClipped(std::string_view text, const gfx::Rect& clip, const gfx::Rect& drawing, const gfx::TextStyle&);

// The text box every kit text goes through: measured in the width of `box`, centred
// vertically in it, moved up by `dy`, and cut at the box's edges. Long texts wrap.
void drawTextBox(std::string_view text, const gfx::Rect& box, const gfx::TextStyle&, double dy = 0);

// The shadow of the outside of `path` falling inside it: offset and blur as the context
// takes them (already scaled in resizable routines), drawn at the colour's own alpha.
void drawInnerShadow(const gfx::Path& path, const gfx::Color&, gfx::Size offset, double blurRadius);

// Shapes that share one shadow: `draw` paints them inside one transparency layer, so that
// the group casts the context's current shadow once, as a whole.
void drawAsOneLayer(const std::function<void()>& draw);

// An image of `size`, not flipped, whose drawing handler calls `draw` with the image's
// bounds (0, 0, width, height) each time the image is drawn.
std::shared_ptr<gfx::Image> routineImage(gfx::Size size, std::function<void(const gfx::Rect& bounds)> draw);
// The image of a resizable routine: its design size, drawn into its bounds with aspectFit.
std::shared_ptr<gfx::Image> designImage(gfx::Size design, void (*draw)(const gfx::Rect&, ResizingBehavior));
// The same for a routine in one colour.
std::shared_ptr<gfx::Image> designImage(gfx::Size design, void (*draw)(const gfx::Rect&, ResizingBehavior, const gfx::Color&), const gfx::Color&);

}
