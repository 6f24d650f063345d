#include "states/DurationSliderViewController.h"

#include "viewkit/DataModelBindings.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/Wall.h"

#include <cmath>

namespace ostrel {

using A = ui::LayoutAttribute;

std::shared_ptr<DurationSliderViewController> DurationSliderViewController::create(DataModel& model, bool delayedBuild)
{
    return NiblessViewController::create<DurationSliderViewController>(delayedBuild, model);
}

DurationSliderViewController::DurationSliderViewController(DataModel& model)
    : m_model(&model)
{
}

void DurationSliderViewController::build()
{
    auto wall = Wall::create();
    wall->setIdentifier("Duration Slider Fragment");
    setView(wall);
    // A drag moves in whole minutes.
    m_slider = wall->factory().slider([](float value) { return std::round(value); }, false, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Top, A::Top).place(A::Bottom, A::Bottom).place(A::Left, A::Left).place(A::Right, A::Right);
    });
    m_slider->setAllowsTickMarkValuesOnly(true);
    m_slider->setContinuous(true);
    configure(m_maxValue);
    bindDurationInMinutes(*m_model, *m_slider);
    std::weak_ptr<SliderBrick> slider = m_slider;
    m_endOfLifeBag.add([slider] {
        if (auto bound = slider.lock())
            unbindDurationInMinutes(*bound);
    });
}

void DurationSliderViewController::configure(int max)
{
    m_maxValue = max;
    if (!m_slider)
        return;
    m_slider->setMinValue(2.0);
    m_slider->setNumberOfTickMarks(max - 1);
    m_slider->setMaxValue(max);
}

}
