#include "breaks/MiniIndicatorLabel.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/Wall.h"

#include "platform/ui/ControlLook.h"
#include "platform/ui/TextField.h"

namespace ostrel {

std::shared_ptr<ui::TextField> addMiniIndicatorLabel(Wall& wall, gfx::TextAlignment alignment)
{
    using A = ui::LayoutAttribute;
    auto label = wall.factory().label("00", [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::CenterX, A::CenterX, 0).pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, -4);
        maker.width(440);
    });
    label->setFont(gfx::Font::monospacedDigitSystem(11));
    label->setTextColor(ui::ControlLook::kSecondaryText);
    label->setAlignment(alignment);
    return label;
}

}
