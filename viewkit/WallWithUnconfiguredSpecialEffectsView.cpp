#include "viewkit/WallWithUnconfiguredSpecialEffectsView.h"

namespace ostrel {

std::shared_ptr<WallWithUnconfiguredSpecialEffectsView> WallWithUnconfiguredSpecialEffectsView::create(ui::Rect frame)
{
    return make<WallWithUnconfiguredSpecialEffectsView>(frame);
}

WallWithUnconfiguredSpecialEffectsView::WallWithUnconfiguredSpecialEffectsView(ui::Rect frame)
    : Wall(frame)
    , m_effectView(ui::EffectView::create())
{
}

void WallWithUnconfiguredSpecialEffectsView::finishCreation()
{
    Wall::finishCreation();
    installEffectView(m_effectView);
}

}
