#pragma once

#include "viewkit/Wall.h"

namespace ostrel {

// A wall whose intrinsic size is the size of the frame it was made with.
class WallWithInstrinsicSize : public Wall {
public:
    static std::shared_ptr<WallWithInstrinsicSize> create(ui::Rect frame);

    ui::Size intrinsicContentSize() const override { return m_myIntrinsicSize; }

protected:
    friend class Wall;
    explicit WallWithInstrinsicSize(ui::Rect frame);

private:
    ui::Size m_myIntrinsicSize;
};

}
