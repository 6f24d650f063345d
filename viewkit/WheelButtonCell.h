#pragma once

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

#include <memory>

namespace ui {
class Button;
}

namespace ostrel {

// How a wheel button draws: the "silverwheel" image in place of any bezel, with a white glow
// while the button has the keyboard in the key window. No focus ring of the platform's.
class WheelButtonCell {
public:
    // Our own art: a silver gear wheel, 16 x 16.
    static std::shared_ptr<gfx::Image> silverwheel();

    // The wheel at 8, 9 from the bounds' origin, whole points, source-atop.
    void drawBezelWithFrame(gfx::GraphicsContext& context, const gfx::Rect& frame, ui::Button& controlView) const;
    // The wheel is the bezel: the image slot draws nothing.
    void drawImage(gfx::GraphicsContext&, const gfx::Rect&, ui::Button&) const { }
};

}
