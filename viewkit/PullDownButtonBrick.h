#pragma once

#include "viewkit/PopUpButtonBrick.h"

#include "platform/gfx/Image.h"

#include <memory>
#include <string>

namespace ostrel {

// A pop-up brick that pulls down: its first menu item is the button's face (a title or an
// image), the rest are the entries. Unlike the pop-up brick it takes a skin's pull-down
// stacks.
class PullDownButtonBrick : public PopUpButtonBrick {
public:
    static std::shared_ptr<PullDownButtonBrick> create(const std::string& title);
    // An empty title and a face item showing the image.
    static std::shared_ptr<PullDownButtonBrick> create(std::shared_ptr<gfx::Image> image);

    PullDownButtonBrick& small() override;
    void apply(const ControlSkin& skin) override;

protected:
    PullDownButtonBrick();
};

}
