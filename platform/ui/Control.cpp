#include "platform/ui/Control.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Window.h"

namespace ui {

Control::Control(Rect frame)
    : View(frame)
{
}

void Control::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    setNeedsDisplay();
    if (!enabled && window())
        window()->keyViewBecameUnavailable(this);
}

double Control::systemFontSize(ControlSize size)
{
    switch (size) {
    case ControlSize::Small:
        return gfx::Font::smallSystemFontSize;
    case ControlSize::Mini:
        return gfx::Font::miniSystemFontSize;
    case ControlSize::Regular:
        break;
    }
    return gfx::Font::systemFontSize;
}

void Control::setControlSize(ControlSize size)
{
    m_size = size;
    m_font.pointSize = systemFontSize(size);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void Control::setFont(gfx::Font font)
{
    m_font = std::move(font);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void Control::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    setNeedsDisplay();
}

void Control::setDrawHook(ControlDrawHook hook)
{
    m_drawHook = std::move(hook);
    setNeedsDisplay();
}

void Control::draw(gfx::GraphicsContext& context, const Rect&)
{
    if (m_drawHook) {
        context.save();
        bool drawn = m_drawHook(*this, context, bounds());
        context.restore();
        if (drawn)
            return;
    }
    context.save();
    if (!m_enabled)
        context.setAlpha(0.45);
    drawOwnLook(context);
    context.restore();
}

void Control::sendAction()
{
    // A copy: the closure may replace itself (a control reconfigured by its own report).
    if (auto action = onAction)
        action();
}

}
