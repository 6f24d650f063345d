#include "viewkit/PullDownButtonBrick.h"

#include "viewkit/ControlSkin.h"

namespace ostrel {

std::shared_ptr<PullDownButtonBrick> PullDownButtonBrick::create(const std::string& title)
{
    std::shared_ptr<PullDownButtonBrick> brick(new PullDownButtonBrick);
    brick->addItem(title);
    return brick;
}

std::shared_ptr<PullDownButtonBrick> PullDownButtonBrick::create(std::shared_ptr<gfx::Image> image)
{
    std::shared_ptr<PullDownButtonBrick> brick(new PullDownButtonBrick);
    auto face = ui::MenuItem::create("");
    face->setImage(image);
    brick->menu()->addItem(face);
    brick->setTitle("");
    brick->setImage(std::move(image));
    return brick;
}

PullDownButtonBrick::PullDownButtonBrick()
    : PopUpButtonBrick(true)
{
}

PullDownButtonBrick& PullDownButtonBrick::small()
{
    setControlSize(ui::ControlSize::Small);
    return *this;
}

void PullDownButtonBrick::apply(const ControlSkin& skin)
{
    setNormalDrawingStack(skin.pullDownButtonDrawingStack(*this));
    setHighlightedDrawingStack(skin.highlightedPullDownButtonDrawingStack(*this));
}

}
