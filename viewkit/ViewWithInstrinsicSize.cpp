#include "viewkit/ViewWithInstrinsicSize.h"

namespace ostrel {

std::shared_ptr<ViewWithInstrinsicSize> ViewWithInstrinsicSize::create(ui::Rect frame)
{
    return std::shared_ptr<ViewWithInstrinsicSize>(new ViewWithInstrinsicSize(frame));
}

ViewWithInstrinsicSize::ViewWithInstrinsicSize(ui::Rect frame)
    : ui::View(frame)
    , m_myIntrinsicSize(frame.size)
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
}

}
