#include "platform/gfx/GraphicsContext.h"

#include "platform/base/Diagnostics.h"
#include "platform/gfx/Blur.h"
#include "platform/gfx/Path.h"

#include <cairo.h>
#include <cmath>

namespace gfx {

namespace {

thread_local GraphicsContext* t_current = nullptr;

// Temporary surfaces beyond this many pixels are refused rather than allocated: a shadow or
// layer that large can only come from a runaway transform.
constexpr double kLargestTemporaryArea = 64.0 * 1024 * 1024;

cairo_operator_t cairoOperator(Operation operation)
{
    switch (operation) {
    case Operation::sourceOver: return CAIRO_OPERATOR_OVER;
    case Operation::copy: return CAIRO_OPERATOR_SOURCE;
    case Operation::sourceAtop: return CAIRO_OPERATOR_ATOP;
    case Operation::sourceIn: return CAIRO_OPERATOR_IN;
    case Operation::sourceOut: return CAIRO_OPERATOR_OUT;
    case Operation::destinationOver: return CAIRO_OPERATOR_DEST_OVER;
    case Operation::destinationOut: return CAIRO_OPERATOR_DEST_OUT;
    case Operation::clear: return CAIRO_OPERATOR_CLEAR;
    case Operation::multiply: return CAIRO_OPERATOR_MULTIPLY;
    case Operation::screen: return CAIRO_OPERATOR_SCREEN;
    }
    return CAIRO_OPERATOR_OVER;
}

// The clip in device pixels of the root surface (every temporary surface carries a device
// offset, so identity user space is the root's pixel grid).
Rect deviceClipExtents(cairo_t* cr)
{
    cairo_save(cr);
    cairo_identity_matrix(cr);
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    cairo_restore(cr);
    return { x0, y0, x1 - x0, y1 - y0 };
}

Rect deviceBounds(cairo_t* cr, const Rect& user)
{
    Rect r = user.standardized();
    double xs[] = { r.minX(), r.maxX(), r.minX(), r.maxX() };
    double ys[] = { r.minY(), r.minY(), r.maxY(), r.maxY() };
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(cr, &xs[i], &ys[i]);
        x0 = std::min(x0, xs[i]);
        y0 = std::min(y0, ys[i]);
        x1 = std::max(x1, xs[i]);
        y1 = std::max(y1, ys[i]);
    }
    return { x0, y0, x1 - x0, y1 - y0 };
}

Rect roundedOut(const Rect& r)
{
    double x0 = std::floor(r.minX()), y0 = std::floor(r.minY());
    return { x0, y0, std::ceil(r.maxX()) - x0, std::ceil(r.maxY()) - y0 };
}

// A blank surface covering `region` of the device grid, or none when the region is empty
// or absurdly large.
cairo_surface_t* temporarySurface(cairo_format_t format, const Rect& region)
{
    if (region.isEmpty() || region.width() * region.height() > kLargestTemporaryArea) {
        if (!region.isEmpty())
            base::diagnostic("graphics: temporary surface too large, effect skipped");
        return nullptr;
    }
    cairo_surface_t* surface = cairo_image_surface_create(format, int(region.width()), int(region.height()));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_set_device_offset(surface, -region.minX(), -region.minY());
    return surface;
}

cairo_t* contextLike(cairo_surface_t* surface, cairo_t* model)
{
    cairo_t* cr = cairo_create(surface);
    cairo_matrix_t matrix;
    cairo_get_matrix(model, &matrix);
    cairo_set_matrix(cr, &matrix);
    cairo_set_antialias(cr, cairo_get_antialias(model));
    return cr;
}

}

std::unique_ptr<GraphicsContext> GraphicsContext::create(cairo_surface_t* surface, double scale, bool flipped)
{
    cairo_t* cr = cairo_create(surface);
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1;
    Rect device = deviceClipExtents(cr);
    cairo_matrix_t matrix;
    if (flipped)
        cairo_matrix_init(&matrix, scale, 0, 0, scale, 0, 0);
    else
        cairo_matrix_init(&matrix, scale, 0, 0, -scale, 0, device.maxY());
    cairo_set_matrix(cr, &matrix);
    return std::unique_ptr<GraphicsContext>(new GraphicsContext(cr, scale));
}

GraphicsContext::GraphicsContext(cairo_t* cr, double scale)
    : m_scale(scale)
{
    m_layers.push_back({ cr, nullptr, 1 });
}

GraphicsContext::~GraphicsContext()
{
    // Layers left open are dropped, not composited: their drawing was never finished.
    for (Layer& layer : m_layers) {
        cairo_destroy(layer.cr);
        if (layer.surface)
            cairo_surface_destroy(layer.surface);
    }
    if (t_current == this)
        t_current = nullptr;
}

GraphicsContext* GraphicsContext::current() { return t_current; }

GraphicsContext& GraphicsContext::requireCurrent()
{
    if (!t_current)
        base::fatal("drawing without a current graphics context");
    return *t_current;
}

GraphicsContext::MakeCurrent::MakeCurrent(GraphicsContext& context)
    : m_previous(t_current)
{
    t_current = &context;
}

GraphicsContext::MakeCurrent::~MakeCurrent() { t_current = m_previous; }

bool GraphicsContext::isFlipped() const
{
    double dx = 0, dy = 1;
    cairo_user_to_device_distance(cairo(), &dx, &dy);
    return dy > 0;
}

void GraphicsContext::save()
{
    m_states.push_back(state());
    cairo_save(cairo());
}

void GraphicsContext::restore()
{
    // More restores than saves (within the open layer) are ignored rather than unbalancing
    // cairo's own stack.
    if (m_states.size() <= m_layers.back().stateDepth)
        return;
    m_states.pop_back();
    cairo_restore(cairo());
}

void GraphicsContext::translate(double dx, double dy) { concat(AffineTransform::translation(dx, dy)); }

void GraphicsContext::scale(double sx, double sy) { concat(AffineTransform::scaling(sx, sy)); }

void GraphicsContext::rotate(double degrees) { concat(AffineTransform::rotation(degrees)); }

void GraphicsContext::concat(const AffineTransform& t)
{
    // cairo stops drawing for good once its CTM cannot be inverted; a routine scaled to a
    // zero frame must only draw nothing until its state is restored.
    if (state().collapsed)
        return;
    AffineTransform combined = t.concatenated(ctm());
    bool finite = std::isfinite(combined.m11) && std::isfinite(combined.m12) && std::isfinite(combined.m21)
        && std::isfinite(combined.m22) && std::isfinite(combined.tX) && std::isfinite(combined.tY);
    if (!finite || std::abs(combined.determinant()) < 1e-12) {
        state().collapsed = true;
        return;
    }
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.m11, t.m12, t.m21, t.m22, t.tX, t.tY);
    cairo_transform(cairo(), &matrix);
}

AffineTransform GraphicsContext::ctm() const
{
    cairo_matrix_t m;
    cairo_get_matrix(cairo(), &m);
    return { m.xx, m.yx, m.xy, m.yy, m.x0, m.y0 };
}

void GraphicsContext::setAlpha(double alpha)
{
    state().alpha = std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1.0;
}

void GraphicsContext::clipToRect(const Rect& rect)
{
    if (state().collapsed)
        return;
    cairo_t* cr = cairo();
    cairo_new_path(cr);
    Rect r = rect.standardized();
    cairo_rectangle(cr, r.minX(), r.minY(), r.width(), r.height());
    cairo_clip(cr);
}

void GraphicsContext::clipToRects(const std::vector<Rect>& rects)
{
    if (state().collapsed)
        return;
    cairo_t* cr = cairo();
    cairo_new_path(cr);
    for (const Rect& rect : rects) {
        Rect r = rect.standardized();
        cairo_rectangle(cr, r.minX(), r.minY(), r.width(), r.height());
    }
    cairo_clip(cr);
}

std::vector<Rect> GraphicsContext::clipRectangles() const
{
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cairo());
    std::vector<Rect> rects;
    if (list->status == CAIRO_STATUS_SUCCESS) {
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            rects.push_back(Rect { r.x, r.y, r.width, r.height }.standardized());
        }
    } else {
        rects.push_back(clipBoundingBox());
    }
    cairo_rectangle_list_destroy(list);
    return rects;
}

Rect GraphicsContext::clipBoundingBox() const
{
    double x0, y0, x1, y1;
    cairo_clip_extents(cairo(), &x0, &y0, &x1, &y1);
    return Rect { x0, y0, x1 - x0, y1 - y0 }.standardized();
}

void GraphicsContext::fillRect(const Rect& rect) { Path::rect(rect).fill(); }

void GraphicsContext::beginTransparencyLayer(std::optional<Rect> bounds)
{
    cairo_t* parent = cairo();
    Rect region = deviceClipExtents(parent);
    // A layer's content may lie outside the clip and still cast its shadow into it, so the
    // layer reaches as far as the shadow can come from.
    if (const auto& shadow = state().shadow) {
        double reach = std::ceil(3 * shadow->blurRadius / 2 * m_scale) + 1;
        Rect source = region.offsetBy(-shadow->offset.width * m_scale, shadow->offset.height * m_scale);
        region = region.unionWith(source.insetBy(-reach, -reach));
    }
    if (bounds)
        region = region.intersection(deviceBounds(parent, *bounds));
    region = roundedOut(region);
    cairo_surface_t* surface = temporarySurface(CAIRO_FORMAT_ARGB32, region);
    if (!surface)
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = contextLike(surface, parent);

    State inside = state();
    inside.alpha = 1;
    inside.shadow.reset();
    inside.operation = Operation::sourceOver;
    m_states.push_back(state());
    m_states.push_back(inside);
    m_layers.push_back({ cr, surface, m_states.size() });
}

void GraphicsContext::endTransparencyLayer()
{
    if (m_layers.size() < 2)
        return;
    Layer layer = m_layers.back();
    m_layers.pop_back();
    m_states.resize(layer.stateDepth - 1);
    cairo_surface_flush(layer.surface);
    paint([&](cairo_t* cr) {
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_set_source_surface(cr, layer.surface, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    });
    m_states.pop_back();
    cairo_destroy(layer.cr);
    cairo_surface_destroy(layer.surface);
}

void GraphicsContext::paint(const std::function<void(cairo_t*)>& draw)
{
    const State& s = state();
    if (s.alpha <= 0 || s.collapsed)
        return;
    if (s.shadow && s.shadow->color.alpha > 0)
        paintShadow(*s.shadow, draw);
    cairo_t* cr = cairo();
    cairo_save(cr);
    if (s.alpha >= 1) {
        cairo_set_operator(cr, cairoOperator(s.operation));
        draw(cr);
    } else {
        cairo_push_group(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        draw(cr);
        cairo_pop_group_to_source(cr);
        cairo_set_operator(cr, cairoOperator(s.operation));
        cairo_paint_with_alpha(cr, s.alpha);
    }
    cairo_restore(cr);
}

void GraphicsContext::paintShadow(const Shadow& shadow, const std::function<void(cairo_t*)>& draw)
{
    cairo_t* cr = cairo();
    double sigma = std::max(0.0, shadow.blurRadius) / 2 * m_scale;
    // Base space runs y up whatever the CTM does.
    double dx = shadow.offset.width * m_scale;
    double dy = -shadow.offset.height * m_scale;
    if (!std::isfinite(sigma) || !std::isfinite(dx) || !std::isfinite(dy))
        return;
    Rect clip = deviceClipExtents(cr);
    double reach = std::ceil(3 * sigma) + 1;
    Rect region = roundedOut(clip.offsetBy(-dx, -dy).insetBy(-reach, -reach));
    cairo_surface_t* mask = temporarySurface(CAIRO_FORMAT_A8, region);
    if (!mask)
        return;
    cairo_t* maskContext = contextLike(mask, cr);
    draw(maskContext);
    cairo_destroy(maskContext);
    cairo_surface_flush(mask);
    blurAlpha(cairo_image_surface_get_data(mask), cairo_image_surface_get_width(mask),
        cairo_image_surface_get_height(mask), cairo_image_surface_get_stride(mask), sigma);
    cairo_surface_mark_dirty(mask);

    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, cairoOperator(state().operation));
    const Color& c = shadow.color;
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha * state().alpha);
    cairo_mask_surface(cr, mask, dx, dy);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}

}
