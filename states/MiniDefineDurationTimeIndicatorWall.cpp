#include "states/MiniDefineDurationTimeIndicatorWall.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"

#include "platform/ui/ControlLook.h"
#include "platform/ui/TextField.h"

namespace ostrel {

using A = ui::LayoutAttribute;

std::shared_ptr<MiniDefineDurationTimeIndicatorWall> MiniDefineDurationTimeIndicatorWall::create(DataModel& model)
{
    return make<MiniDefineDurationTimeIndicatorWall>(model);
}

MiniDefineDurationTimeIndicatorWall::MiniDefineDurationTimeIndicatorWall(DataModel& model)
    : HideableFragmentWall(ui::Rect {})
{
    // Read through the model, which keeps a damaged setting within a day.
    DataModel* data = &model;
    obtainDurationInSecondsFunc = [data] { return static_cast<int32_t>(data->durationInSeconds()); };
    obtainDurationInMinutesFunc = [data] { return static_cast<int32_t>(data->durationInSeconds() / 60); };
    setStorageKeys({ "hideDurationAndEndDate", "hideBubbles" });
    setInitialValues({ false, false });
    setShouldHideExpression(None);
}

void MiniDefineDurationTimeIndicatorWall::finishCreation()
{
    HideableFragmentWall::finishCreation();
    build();
}

void MiniDefineDurationTimeIndicatorWall::build()
{
    m_durationTextField = factory().label("00", [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::CenterX, A::CenterX, 0).pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, -4);
        maker.width(440);
    });
    m_durationTextField->setFont(gfx::Font::monospacedDigitSystem(11));
    m_durationTextField->setTextColor(ui::ControlLook::kSecondaryText);
    m_durationTextField->setAlignment(gfx::TextAlignment::center);
}

void MiniDefineDurationTimeIndicatorWall::updateState()
{
    m_durationTextField->setStringValue(std::to_string(obtainDurationInMinutesFunc()) + " Minutes");
}

}
