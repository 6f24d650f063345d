#pragma once

#include "core/EndOfLifeBag.h"
#include "viewkit/NiblessViewController.h"

#include <memory>

namespace ostrel {

class DataModel;
class DurationSliderViewController;
class SliderBrick;
class TimeSliceRunningState;

// The running slice's duration slider: whole minutes from 2 to the time scale's longest,
// bound to "durationInSeconds" as the define screen's slider is (moving it also plans later
// slices), and moving it sets the running slice's remaining time to the chosen minutes.
// Between moves its screen keeps it at the remaining minutes.
class DurationSliderForTimeSliceRunningViewController final : public NiblessViewController {
public:
    // With delayedBuild false the view is built at once. The model outlives the controller.
    static std::shared_ptr<DurationSliderForTimeSliceRunningViewController> create(DataModel& model, bool delayedBuild = false);

    int minValue() const;
    int maxValue() const;
    std::shared_ptr<SliderBrick> slider() const;
    // Held weakly: the screen owns this controller. Set by the screen as it builds.
    std::shared_ptr<TimeSliceRunningState> timeSliceRunningState() const { return m_timeSliceRunningState.lock(); }
    void setTimeSliceRunningState(const std::shared_ptr<TimeSliceRunningState>& state) { m_timeSliceRunningState = state; }
    // Where the slider's binding is undone.
    EndOfLifeBag& endOfLifeBag();

    void build() override;
    void configure(int max);
    // The slider's action, after its binding stored the minutes: the remaining time becomes
    // the value rounded to whole minutes; the value itself is kept.
    float sliderMoved(float value);

private:
    friend class NiblessViewController;
    explicit DurationSliderForTimeSliceRunningViewController(DataModel& model);

    DataModel* m_model { nullptr };
    // The define screen's slider controller: the same wall, range, tick marks and binding.
    std::shared_ptr<DurationSliderViewController> m_durationSlider;
    std::weak_ptr<TimeSliceRunningState> m_timeSliceRunningState;
};

}
