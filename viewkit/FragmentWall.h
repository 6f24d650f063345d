#pragma once

#include "viewkit/Wall.h"

namespace ostrel {

class FragmentStackView;

// A wall that can be installed in a fragment stack; plain fragments need nothing there.
class FragmentWall : public Wall {
public:
    static std::shared_ptr<FragmentWall> create(ui::Rect frame = {});

    virtual void install(const std::shared_ptr<FragmentStackView>& parentStackView);

protected:
    friend class Wall;
    explicit FragmentWall(ui::Rect frame);
};

}
