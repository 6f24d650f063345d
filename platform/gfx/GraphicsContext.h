#pragma once

#include "platform/gfx/AffineTransform.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Shadow.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace gfx {

class Path;

// How a drawing meets what is already there. sourceOver is the normal blend mode; the
// others are cairo's operators of the same name (sourceIn, sourceOut and destinationIn
// clear what lies outside the drawing, within the clip).
enum class Operation { sourceOver, copy, sourceAtop, sourceIn, sourceOut, destinationOver, destinationOut, clear, multiply, screen };

// Drawing state over one cairo surface: the CTM and clip (cairo's own), fill and stroke
// colours, global alpha, operation and shadow, saved and restored in pairs, and nested
// transparency layers. Made unflipped (y up, origin at the bottom left) unless asked
// otherwise. Kits draw into the current context of their thread.
class GraphicsContext {
public:
    // Draws into `surface` (not owned; kept alive by cairo while the context lives).
    // `scale` is device pixels per point; the context's base space is the points.
    static std::unique_ptr<GraphicsContext> create(cairo_surface_t* surface, double scale = 1, bool flipped = false);
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    // The context drawing routines draw into; none outside a drawing.
    static GraphicsContext* current();
    // The current context, or a programming error when there is none.
    static GraphicsContext& requireCurrent();
    // Makes a context current for its lifetime and puts the previous one back.
    class MakeCurrent {
    public:
        explicit MakeCurrent(GraphicsContext&);
        ~MakeCurrent();
        MakeCurrent(const MakeCurrent&) = delete;
        MakeCurrent& operator=(const MakeCurrent&) = delete;

    private:
        GraphicsContext* m_previous { nullptr };
    };

    // The cairo context drawing goes to now (a transparency layer's while one is open).
    cairo_t* cairo() const { return m_layers.back().cr; }
    double baseScale() const { return m_scale; }
    // Whether y runs down the screen in the current user space.
    bool isFlipped() const;
    // Whether a transform squashed the user space to nothing (a zero scale): then nothing
    // draws until the state is restored.
    bool isCollapsed() const { return state().collapsed; }

    void save();
    void restore();

    void translate(double dx, double dy);
    void scale(double sx, double sy);
    void rotate(double degrees);
    void concat(const AffineTransform&);
    AffineTransform ctm() const;

    void setFillColor(const Color& color) { state().fill = color; }
    void setStrokeColor(const Color& color) { state().stroke = color; }
    void setColor(const Color& color) { state().fill = state().stroke = color; }
    Color fillColor() const { return state().fill; }
    Color strokeColor() const { return state().stroke; }
    void setAlpha(double alpha);
    double alpha() const { return state().alpha; }
    void setOperation(Operation operation) { state().operation = operation; }
    Operation operation() const { return state().operation; }
    void setShadow(std::optional<Shadow> shadow) { state().shadow = shadow; }
    const std::optional<Shadow>& shadow() const { return state().shadow; }

    void clipToRect(const Rect&);
    // To the union of the rectangles.
    void clipToRects(const std::vector<Rect>&);
    // The clip's bounds in user space.
    Rect clipBoundingBox() const;
    // The clip as rectangles in user space: several where it was clipped to several parts,
    // its bounds where it is no union of rectangles.
    std::vector<Rect> clipRectangles() const;
    void fillRect(const Rect&);

    // Everything drawn until the matching end is composited as one picture with the alpha,
    // operation, shadow and clip current at the begin; inside, those start afresh (alpha 1,
    // no shadow, source-over). The end also restores the state saved by the begin.
    // `bounds` (user space), when given, promises that nothing is drawn outside it.
    void beginTransparencyLayer(std::optional<Rect> bounds = std::nullopt);
    void endTransparencyLayer();

    // For the drawing types: runs `draw` (which sets its own source, path and paints with
    // cairo's default operator) with this context's shadow, alpha and operation applied.
    // `draw` may be called more than once and on other cairo contexts with the same CTM.
    void paint(const std::function<void(cairo_t*)>& draw);

private:
    struct State {
        Color fill { 0, 0, 0, 1 };
        Color stroke { 0, 0, 0, 1 };
        double alpha { 1 };
        Operation operation { Operation::sourceOver };
        std::optional<Shadow> shadow;
        // The CTM was asked to squash everything to nothing: draw nothing until restored.
        bool collapsed { false };
    };
    struct Layer {
        cairo_t* cr { nullptr };
        cairo_surface_t* surface { nullptr };
        size_t stateDepth { 0 };
    };

    GraphicsContext(cairo_t*, double scale);
    State& state() { return m_states.back(); }
    const State& state() const { return m_states.back(); }
    void paintShadow(const Shadow&, const std::function<void(cairo_t*)>& draw);

    std::vector<State> m_states { State {} };
    std::vector<Layer> m_layers;
    double m_scale { 1 };
};

}
