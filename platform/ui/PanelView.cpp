#include "platform/ui/PanelView.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"

namespace ui {

std::shared_ptr<PanelView> PanelView::create(Rect frame) { return std::shared_ptr<PanelView>(new PanelView(frame)); }

PanelView::PanelView(Rect frame)
    : View(frame)
{
}

void PanelView::draw(gfx::GraphicsContext& context, const Rect&)
{
    context.setFillColor(ControlLook::kMenu);
    context.fillRect(bounds());
}

}
