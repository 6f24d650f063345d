#include "drawing/KitFrame.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

#include <cmath>

namespace ostrel {

namespace {
// The art's text boxes were sized to their texts' measured widths, rounded to a tenth of a
// point; a text that overflows its box by less than this still belongs on one line.
constexpr double kWidthTolerance = 0.05;

bool finite(const gfx::Rect& r)
{
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) && std::isfinite(r.size.height);
}
}

RoutineFrame::RoutineFrame(const gfx::Rect& frame, ResizingBehavior resizing, gfx::Size design)
    : m_context(gfx::GraphicsContext::requireCurrent())
    , m_design(design)
    , m_resized(apply(resizing, { 0, 0, design.width, design.height }, frame))
{
    m_context.save();
    m_context.translate(m_resized.minX(), m_resized.minY());
    m_context.scale(m_resized.width() / design.width, m_resized.height() / design.height);
}

RoutineFrame::~RoutineFrame() { m_context.restore(); }

double RoutineFrame::shadowScale() const
{
    return std::min(m_resized.width() / m_design.width, m_resized.height() / m_design.height);
}

gfx::Color colorRule::brightnessReplacement(const gfx::Color& base, double brightness)
{
    return gfx::Color::hsb(base.hue(), base.saturation(), brightness, base.alpha);
}

gfx::Shadow scaledShadow(const gfx::Shadow& shadow, double scale)
{
    return { shadow.color, { shadow.offset.width * scale, shadow.offset.height * scale }, shadow.blurRadius * scale };
}

gfx::TextStyle textStyle(const gfx::Font& font, const gfx::Color& color, gfx::TextAlignment alignment)
{
    return { font, color, gfx::ParagraphStyle { alignment } };
}

double measuredTextHeight(std::string_view text, double width, const gfx::TextStyle& style)
{
    return gfx::textBoundingRect(text, width, style).height();
}

void drawTextIn(std::string_view text, const gfx::Rect& rect, const gfx::TextStyle& style, gfx::TextClipping clipping)
{
    // A text rectangle or size that is not a number would leave cairo's context broken for
    // good; such a text is simply not drawn.
    if (!finite(rect) || !std::isfinite(style.font.pointSize))
        return;
    gfx::drawText(text, rect, style, clipping);
}

void drawTextClipped(std::string_view text, const gfx::Rect& clip, const gfx::Rect& drawing, const gfx::TextStyle& style)
{
    if (!finite(clip))
        return;
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    context.save();
    context.clipToRect(clip);
    drawTextIn(text, drawing, style);
    context.restore();
}

void drawTextBox(std::string_view text, const gfx::Rect& box, const gfx::TextStyle& style, double dy)
{
    double width = box.width() + kWidthTolerance;
    double height = measuredTextHeight(text, width, style);
    gfx::Rect drawing { box.minX(), box.minY() + (box.height() - height) * 0.5 + dy, width, height };
    drawTextClipped(text, box, drawing, style);
}

void drawInnerShadow(const gfx::Path& path, const gfx::Color& color, gfx::Size offset, double blurRadius)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::Color opaque = color.withAlpha(1);
    context.save();
    context.clipToRect(path.bounds());
    context.setShadow(std::nullopt);
    context.setAlpha(color.alpha);
    context.beginTransparencyLayer();
    context.setShadow(gfx::Shadow { opaque, offset, blurRadius });
    context.setOperation(gfx::Operation::sourceOut);
    context.beginTransparencyLayer();
    context.setFillColor(opaque);
    path.fill();
    context.endTransparencyLayer();
    context.endTransparencyLayer();
    context.restore();
}

void drawAsOneLayer(const std::function<void()>& draw)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    context.beginTransparencyLayer();
    draw();
    context.endTransparencyLayer();
}

std::shared_ptr<gfx::Image> routineImage(gfx::Size size, std::function<void(const gfx::Rect& bounds)> draw)
{
    gfx::Rect bounds { 0, 0, size.width, size.height };
    return gfx::Image::create(size, false, [bounds, draw = std::move(draw)](const gfx::Rect&) {
        draw(bounds);
        return true;
    });
}

std::shared_ptr<gfx::Image> designImage(gfx::Size design, void (*draw)(const gfx::Rect&, ResizingBehavior))
{
    return routineImage(design, [draw](const gfx::Rect& bounds) { draw(bounds, ResizingBehavior::aspectFit); });
}

std::shared_ptr<gfx::Image> designImage(gfx::Size design, void (*draw)(const gfx::Rect&, ResizingBehavior, const gfx::Color&), const gfx::Color& color)
{
    return routineImage(design, [draw, color](const gfx::Rect& bounds) { draw(bounds, ResizingBehavior::aspectFit, color); });
}

}
