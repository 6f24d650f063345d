#include "platform/ui/FocusRing.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/ScrollView.h"

namespace ui {

View* FocusRing::around(View& focused)
{
    View* ringed = &focused;
    if (auto* clip = dynamic_cast<ClipView*>(focused.superview()))
        if (auto* scroll = dynamic_cast<ScrollView*>(clip->superview()); scroll && scroll->documentView() == &focused)
            ringed = scroll;
    return ringed->focusRingType() == FocusRingType::None ? nullptr : ringed;
}

void FocusRing::draw(gfx::GraphicsContext& context, const Rect& frame)
{
    context.save();
    auto ring = gfx::Path::roundedRect(frame.insetBy(-1.5, -1.5), 4, 4);
    ring.setLineWidth(2);
    context.setStrokeColor(ControlLook::kFocusRing);
    ring.stroke();
    context.restore();
}

}
