#pragma once

#include "viewkit/Wall.h"

#include "platform/ui/TabView.h"

namespace ostrel {

// A wall filled by a dark translucent effect view (material dark, following the window's
// active state, blending behind the window, the "vibrantDark" appearance). Bricks added
// through its factory land inside the effect view, not in the wall itself.
class WallWithSpecialEffectsView : public Wall {
public:
    static std::shared_ptr<WallWithSpecialEffectsView> create(ui::Rect frame = {});

    const std::shared_ptr<ui::EffectView>& effectView() const { return m_effectView; }

protected:
    friend class Wall;
    explicit WallWithSpecialEffectsView(ui::Rect frame);
    void finishCreation() override;

private:
    const std::shared_ptr<ui::EffectView> m_effectView;
};

}
