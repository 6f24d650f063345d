#pragma once

#include "viewkit/Wall.h"

#include "platform/ui/TabView.h"

namespace ostrel {

// As WallWithSpecialEffectsView, with the effect view left at the platform's defaults.
class WallWithUnconfiguredSpecialEffectsView : public Wall {
public:
    static std::shared_ptr<WallWithUnconfiguredSpecialEffectsView> create(ui::Rect frame = {});

    const std::shared_ptr<ui::EffectView>& effectView() const { return m_effectView; }

protected:
    friend class Wall;
    explicit WallWithUnconfiguredSpecialEffectsView(ui::Rect frame);
    void finishCreation() override;

private:
    const std::shared_ptr<ui::EffectView> m_effectView;
};

}
