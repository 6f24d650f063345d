#include "viewkit/CustomBackgroundView.h"

#include "drawing/OstrelStyleKit.h"

namespace ostrel {

std::shared_ptr<CustomBackgroundView> CustomBackgroundView::create(ui::Rect frame)
{
    return std::shared_ptr<CustomBackgroundView>(new CustomBackgroundView(frame));
}

CustomBackgroundView::CustomBackgroundView(ui::Rect frame)
    : ui::View(frame)
{
}

void CustomBackgroundView::draw(gfx::GraphicsContext&, const ui::Rect&) { OstrelStyleKit::drawBackground(bounds()); }

}
