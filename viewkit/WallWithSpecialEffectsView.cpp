#include "viewkit/WallWithSpecialEffectsView.h"

namespace ostrel {

std::shared_ptr<WallWithSpecialEffectsView> WallWithSpecialEffectsView::create(ui::Rect frame)
{
    return make<WallWithSpecialEffectsView>(frame);
}

WallWithSpecialEffectsView::WallWithSpecialEffectsView(ui::Rect frame)
    : Wall(frame)
    , m_effectView(ui::EffectView::create())
{
    m_effectView->setMaterial(ui::EffectView::Material::Dark);
    m_effectView->setState(ui::EffectView::State::FollowsWindowActiveState);
    m_effectView->setBlendingMode(ui::EffectView::BlendingMode::BehindWindow);
    m_effectView->setAppearance("vibrantDark");
}

void WallWithSpecialEffectsView::finishCreation()
{
    Wall::finishCreation();
    installEffectView(m_effectView);
}

}
