#include "breaks/MiniPrepareForBreakDurationTimeIndicatorWall.h"

#include "breaks/MiniIndicatorLabel.h"

#include "platform/ui/TextField.h"

namespace ostrel {

std::shared_ptr<MiniPrepareForBreakDurationTimeIndicatorWall> MiniPrepareForBreakDurationTimeIndicatorWall::create(DataModel& model)
{
    return make<MiniPrepareForBreakDurationTimeIndicatorWall>(model);
}

MiniPrepareForBreakDurationTimeIndicatorWall::MiniPrepareForBreakDurationTimeIndicatorWall(DataModel& model)
    : HideableFragmentWall(ui::Rect {})
{
    // Through the model, which keeps a damaged setting within a day (and so within 32 bits).
    DataModel* data = &model;
    obtainDurationInSecondsFunc = [data] { return static_cast<int32_t>(data->breakDurationInSeconds()); };
    obtainDurationInMinutesFunc = [data] { return static_cast<int32_t>(data->breakDurationInSeconds() / 60); };
    setStorageKeys({ "hideBubblesInPrepareTimedBreakState", "hideBubblesInPrepareTimedBreakState" });
    setInitialValues({ false, false });
    setShouldHideExpression(None);
}

void MiniPrepareForBreakDurationTimeIndicatorWall::finishCreation()
{
    HideableFragmentWall::finishCreation();
    build();
}

void MiniPrepareForBreakDurationTimeIndicatorWall::build()
{
    m_durationTextField = addMiniIndicatorLabel(*this, gfx::TextAlignment::right);
}

void MiniPrepareForBreakDurationTimeIndicatorWall::updateState()
{
    m_durationTextField->setStringValue(std::to_string(obtainDurationInMinutesFunc()) + " Minutes");
}

}
