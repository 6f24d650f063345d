#pragma once

#include "platform/ui/View.h"

#include <memory>

namespace ostrel {

// A plain view whose intrinsic size is the size of the frame it was made with.
class ViewWithInstrinsicSize : public ui::View {
public:
    static std::shared_ptr<ViewWithInstrinsicSize> create(ui::Rect frame);

    ui::Size intrinsicContentSize() const override { return m_myIntrinsicSize; }

protected:
    explicit ViewWithInstrinsicSize(ui::Rect frame);

private:
    ui::Size m_myIntrinsicSize;
};

}
