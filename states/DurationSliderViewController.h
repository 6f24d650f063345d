#pragma once

#include "core/EndOfLifeBag.h"
#include "viewkit/NiblessViewController.h"

#include <memory>

namespace ostrel {

class DataModel;
class SliderBrick;

// The define screen's duration slider: whole minutes from 2 to the time scale's longest, one
// tick mark per minute, bound both ways to "durationInSeconds" (moving it to m stores m × 60).
class DurationSliderViewController final : public NiblessViewController {
public:
    // With delayedBuild false the view is built at once. The model outlives the controller.
    static std::shared_ptr<DurationSliderViewController> create(DataModel& model, bool delayedBuild = false);

    int minValue() const { return m_minValue; }
    int maxValue() const { return m_maxValue; }
    void setMaxValue(int max) { m_maxValue = max; }
    const std::shared_ptr<SliderBrick>& slider() const { return m_slider; }
    void setSlider(std::shared_ptr<SliderBrick> slider) { m_slider = std::move(slider); }
    EndOfLifeBag& endOfLifeBag() { return m_endOfLifeBag; }

    void build() override;
    // A new longest value in minutes: the range and the tick marks follow; the low end stays 2.
    void configure(int max);

private:
    friend class NiblessViewController;
    explicit DurationSliderViewController(DataModel& model);

    DataModel* m_model { nullptr };
    int m_minValue { 2 };
    int m_maxValue { 60 };
    std::shared_ptr<SliderBrick> m_slider;
    // Last: it unbinds the slider while the slider is still there.
    EndOfLifeBag m_endOfLifeBag;
};

}
