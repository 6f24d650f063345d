#pragma once

namespace ostrel {

class ControlSkin;

// A control the brick factory can size and skin. Platform text fields count too: the
// factory treats them through TextFieldBrickType.h.
class BrickType {
public:
    virtual ~BrickType() = default;
    // Turns the brick into its small variant; answers the brick itself.
    virtual BrickType& small() = 0;
    // Adopts the skin's drawing stacks or colours for this kind of brick.
    virtual void apply(const ControlSkin& skin) = 0;
};

}
