#pragma once

#include "viewkit/DrawingStack.h"

#include <optional>

namespace ui {
class Button;
class View;
}

namespace ostrel {

class CheckBoxBrick;
class PopUpButtonBrick;
class PullDownButtonBrick;

// How bricks paint themselves. A skin does not draw: for a brick in a state it hands out a
// drawing stack, which the brick keeps and runs when it draws. No stack means the brick keeps
// its platform look. The base skin gives none (and red labels, so a skin that forgot its
// palette shows); GenericControlSkin and DarkControlSkin paint push buttons, pull-downs and
// check boxes with the bricks kit. Every stack holds the brick itself as its text provider,
// so the title drawn is always the brick's current one.
class ControlSkin {
public:
    ControlSkin() = default;
    virtual ~ControlSkin() = default;

    virtual std::optional<DrawingStack> normalPushButtonDrawingStack(ui::Button& button) const;
    // Whatever the normal stack of the same skin is, unless a skin says otherwise.
    virtual std::optional<DrawingStack> highlightedPushButtonDrawingStack(ui::Button& button) const;
    virtual std::optional<DrawingStack> pullDownButtonDrawingStack(PullDownButtonBrick& pullDownButton) const;
    virtual std::optional<DrawingStack> highlightedPullDownButtonDrawingStack(PullDownButtonBrick& pullDownButton) const;
    // No skin paints pop-up buttons; the pop-up brick does not ask.
    virtual std::optional<DrawingStack> popUpButtonDrawingStack(PopUpButtonBrick& popUpButton) const;
    virtual std::optional<DrawingStack> highlightedPopUpButtonDrawingStack(PopUpButtonBrick& popUpButton) const;
    virtual std::optional<DrawingStack> checkBoxOffDrawingStack(CheckBoxBrick& checkBox) const;
    virtual std::optional<DrawingStack> checkBoxOnDrawingStack(CheckBoxBrick& checkBox) const;
    // The text colour labels take in this skin.
    virtual DrawingPalette labelPalette() const;

protected:
    // A stack of one operation over the unchanged frame, with the brick as text provider.
    static DrawingStack stackOf(DrawingOperation::Function function, DrawingPalette palette, ui::View& brick);
};

}
