#include "viewkit/SmallDurationView.h"

#include "drawing/DurationViewStyleKit.h"

namespace ostrel {

std::shared_ptr<SmallDurationView> SmallDurationView::create(ui::Rect frame) { return make<SmallDurationView>(frame); }

SmallDurationView::SmallDurationView(ui::Rect frame)
    : DurationView(frame)
{
}

void SmallDurationView::finishCreation()
{
    DurationView::finishCreation();
    setDisplayRoutine(&DurationViewStyleKit::drawSmallDurationView);
}

}
