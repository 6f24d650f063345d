#include "states/DurationSliderForTimeSliceRunningViewController.h"

#include "states/DurationSliderViewController.h"
#include "states/TimeSliceRunningState.h"

#include "viewkit/SliderBrick.h"

#include "platform/base/Diagnostics.h"

#include <cmath>

namespace ostrel {

std::shared_ptr<DurationSliderForTimeSliceRunningViewController> DurationSliderForTimeSliceRunningViewController::create(
    DataModel& model, bool delayedBuild)
{
    return NiblessViewController::create<DurationSliderForTimeSliceRunningViewController>(delayedBuild, model);
}

DurationSliderForTimeSliceRunningViewController::DurationSliderForTimeSliceRunningViewController(DataModel& model)
    : m_model(&model)
{
}

int DurationSliderForTimeSliceRunningViewController::minValue() const { return m_durationSlider ? m_durationSlider->minValue() : 2; }

int DurationSliderForTimeSliceRunningViewController::maxValue() const { return m_durationSlider ? m_durationSlider->maxValue() : 60; }

std::shared_ptr<SliderBrick> DurationSliderForTimeSliceRunningViewController::slider() const
{
    return m_durationSlider ? m_durationSlider->slider() : nullptr;
}

EndOfLifeBag& DurationSliderForTimeSliceRunningViewController::endOfLifeBag()
{
    if (!m_durationSlider)
        base::fatal("DurationSliderForTimeSliceRunningViewController: not built");
    return m_durationSlider->endOfLifeBag();
}

void DurationSliderForTimeSliceRunningViewController::build()
{
    m_durationSlider = DurationSliderViewController::create(*m_model, false);
    setView(m_durationSlider->view());
    std::weak_ptr<NiblessViewController> weakSelf = weak_from_this();
    m_durationSlider->slider()->sliderValueChangedFunc = [weakSelf](float value) {
        auto self = std::static_pointer_cast<DurationSliderForTimeSliceRunningViewController>(weakSelf.lock());
        return self ? self->sliderMoved(value) : value;
    };
}

void DurationSliderForTimeSliceRunningViewController::configure(int max)
{
    if (m_durationSlider)
        m_durationSlider->configure(max);
}

float DurationSliderForTimeSliceRunningViewController::sliderMoved(float value)
{
    auto state = m_timeSliceRunningState.lock();
    if (!state || !state->timedStateMachineModule()) {
        base::diagnostic("the running duration slider moved while no slice runs");
        return value;
    }
    state->setRemaining(std::round(value));
    return value;
}

}
