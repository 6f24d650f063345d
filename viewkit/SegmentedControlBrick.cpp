#include "viewkit/SegmentedControlBrick.h"

namespace ostrel {

std::shared_ptr<SegmentedControlBrick> SegmentedControlBrick::create(std::vector<std::string> titles, std::function<void(int)> action)
{
    std::shared_ptr<SegmentedControlBrick> brick(new SegmentedControlBrick(std::move(titles)));
    brick->selectionChangedFunction = std::move(action);
    return brick;
}

SegmentedControlBrick::SegmentedControlBrick(std::vector<std::string> titles)
    : ui::SegmentedControl(std::move(titles))
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    onAction = [this] { selectionChangedCallBack(); };
}

void SegmentedControlBrick::selectionChangedCallBack()
{
    if (auto report = selectionChangedFunction)
        report(selectedSegment());
}

SegmentedControlBrick& SegmentedControlBrick::small()
{
    setControlSize(ui::ControlSize::Small);
    return *this;
}

}
