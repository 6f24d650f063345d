#pragma once

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Geometry.h"

#include <memory>

namespace ostrel {

class SliderBrick;

// Draws a slider brick's knob and bar from the brick's drawing stacks, and leaves either to
// the platform while its stack is empty. Made only by SliderBrick, which installs it as the
// slider's knob and bar hooks.
class SmartSliderBrickCell {
public:
    // Not owning: the brick owns its cell.
    std::shared_ptr<SliderBrick> slider() const { return m_slider.lock(); }
    void setSlider(const std::shared_ptr<SliderBrick>& slider) { m_slider = slider; }

    // False leaves the part to the platform.
    bool drawKnob(const gfx::Rect& knobRect) const;
    bool drawBar(const gfx::Rect& rect, bool flipped) const;

private:
    std::weak_ptr<SliderBrick> m_slider;
};

}
