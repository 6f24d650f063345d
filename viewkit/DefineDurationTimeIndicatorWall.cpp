#include "viewkit/DefineDurationTimeIndicatorWall.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"

#include "core/Clock.h"
#include "core/DataModel.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

// The model clamps the setting to a day, so it always fits.
std::int32_t plannedSeconds() { return static_cast<std::int32_t>(DataModel::shared().durationInSeconds()); }

}

std::shared_ptr<DefineDurationTimeIndicatorWall> DefineDurationTimeIndicatorWall::create(ui::Rect frame)
{
    return make<DefineDurationTimeIndicatorWall>(frame);
}

std::shared_ptr<DefineDurationTimeIndicatorWall> DefineDurationTimeIndicatorWall::create(const std::string& storageKey,
    bool isHiddenByDefault)
{
    auto wall = create();
    wall->configure(storageKey, isHiddenByDefault);
    return wall;
}

DefineDurationTimeIndicatorWall::DefineDurationTimeIndicatorWall(ui::Rect frame)
    : TimeIndicatorWall(frame)
    , obtainDurationInSecondsFunc(plannedSeconds)
    , obtainDurationInMinutesFunc([] { return plannedSeconds() / 60; })
{
}

void DefineDurationTimeIndicatorWall::build()
{
    auto [left, right] = splitIntoHalves();
    BricksFactory& leftBricks = left->factory();
    leftBricks.label("Duration:", [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Bottom, A::Bottom);
    });
    m_durationTextField = addValueField(*left, "00", [&leftBricks](LayoutConstraintMaker& maker) {
        maker.and_(*leftBricks.previous()).place(A::Left, A::Right).pin(A::FirstBaseline, A::FirstBaseline, 0);
        maker.container().place(A::Top, A::Top);
    });
    leftBricks.label("Minutes", [&leftBricks](LayoutConstraintMaker& maker) {
        maker.and_(*leftBricks.previous()).place(A::Left, A::Right).pin(A::FirstBaseline, A::FirstBaseline, 0);
    });

    BricksFactory& rightBricks = right->factory();
    rightBricks.label("Ends:", [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 0).place(A::Bottom, A::Bottom);
    });
    m_endDateField = addValueField(*right, "", [&rightBricks](LayoutConstraintMaker& maker) {
        maker.and_(*rightBricks.previous()).pin(A::FirstBaseline, A::FirstBaseline, 0).place(A::Left, A::Right);
    });
}

void DefineDurationTimeIndicatorWall::updateState()
{
    std::int32_t minutes = obtainDurationInMinutesFunc ? obtainDurationInMinutesFunc() : 0;
    std::int32_t seconds = obtainDurationInSecondsFunc ? obtainDurationInSecondsFunc() : 0;
    m_durationTextField->setStringValue(std::to_string(minutes));
    showTimeOfDay(*m_endDateField, Clock::now() + seconds);
}

}
