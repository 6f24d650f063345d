#include "viewkit/SwitchBrick.h"

namespace ostrel {

std::shared_ptr<SwitchBrick> SwitchBrick::create() { return std::shared_ptr<SwitchBrick>(new SwitchBrick); }

SwitchBrick::SwitchBrick()
    : ui::Switch(false)
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    onAction = [this] { buttonPressedCallBack(); };
}

void SwitchBrick::buttonPressedCallBack()
{
    if (auto report = checkBoxChangeFunc)
        report(isOn());
}

SwitchBrick& SwitchBrick::small()
{
    setControlSize(ui::ControlSize::Small);
    return *this;
}

}
