#include "viewkit/BreakDurationBottomView.h"

namespace ostrel {

std::shared_ptr<BreakDurationBottomView> BreakDurationBottomView::create(ui::Rect frame) { return make<BreakDurationBottomView>(frame); }

BreakDurationBottomView::BreakDurationBottomView(ui::Rect frame)
    : TimeControlBottomView(frame)
{
}

std::int64_t BreakDurationBottomView::duration() const { return DataModel::shared().breakDurationInMinutes(); }

std::int64_t BreakDurationBottomView::durationInSeconds() const { return DataModel::shared().breakDurationInSeconds(); }

void BreakDurationBottomView::registerListener()
{
    DataModel::shared().addBreakDurationListener(std::static_pointer_cast<BreakDurationBottomView>(shared_from_this()));
}

void BreakDurationBottomView::setDurationInMinutes(std::int64_t minutes) { DataModel::shared().setBreakDurationInMinutes(minutes); }

}
