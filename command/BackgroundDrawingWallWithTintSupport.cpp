#include "command/BackgroundDrawingWallWithTintSupport.h"

namespace ostrel {

std::shared_ptr<BackgroundDrawingWallWithTintSupport> BackgroundDrawingWallWithTintSupport::create()
{
    return make<BackgroundDrawingWallWithTintSupport>();
}

BackgroundDrawingWallWithTintSupport::BackgroundDrawingWallWithTintSupport()
    : Wall({})
{
    backgroundDrawingFunc = [this](const ui::Rect& bounds) {
        if (backgroundDrawingFuncWithTint)
            backgroundDrawingFuncWithTint(bounds, m_tint);
    };
}

void BackgroundDrawingWallWithTintSupport::setTint(gfx::Color tint)
{
    m_tint = tint;
    setNeedsDisplay();
}

}
