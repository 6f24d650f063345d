#include "platform/ui/ColorWell.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ColorPanel.h"
#include "platform/ui/ControlLook.h"

namespace ui {

std::shared_ptr<ColorWell> ColorWell::create(gfx::Color color)
{
    return std::shared_ptr<ColorWell>(new ColorWell(color));
}

ColorWell::ColorWell(gfx::Color color)
    : Control({})
    , m_color(color)
{
}

void ColorWell::setColor(gfx::Color color)
{
    m_color = color;
    setNeedsDisplay();
}

void ColorWell::takeColor(gfx::Color color)
{
    setColor(color);
    sendAction();
}

void ColorWell::activate()
{
    m_active = true;
    setNeedsDisplay();
    auto self = std::static_pointer_cast<ColorWell>(shared_from_this());
    std::weak_ptr<ColorWell> weak = self;
    ColorPanel::shared().show(m_color, [weak](gfx::Color color) {
        if (auto well = weak.lock(); well && well->isActive())
            well->takeColor(color);
    });
}

void ColorWell::deactivate()
{
    m_active = false;
    setNeedsDisplay();
}

void ColorWell::mouseDown(const Event&)
{
    if (isEnabled())
        activate();
}

void ColorWell::drawOwnLook(gfx::GraphicsContext& context)
{
    ControlLook::drawBezel(context, bounds(), 4, m_active ? ControlLook::kFaceHighlighted : ControlLook::kFace);
    context.setFillColor(m_color);
    context.fillRect(bounds().insetBy(5, 5));
}

}
