#pragma once

#include "viewkit/BrickType.h"
#include "viewkit/BricksDrawingHelper.h"

#include "platform/ui/PopUpButton.h"

#include <functional>
#include <memory>
#include <optional>

namespace ostrel {

// A pop-up button that is its own menu's delegate: every time the menu opens it runs its
// press closure and lets each SmartMenuItem update itself, and does the same for every
// submenu, depth first (so the press closure runs once more per submenu). It walks a copy of
// each item list, so a press closure that rebuilds the menu cannot break the walk.
// It keeps the platform look whatever skin it is given.
class PopUpButtonBrick : public ui::PopUpButton, public ui::MenuDelegate, public BrickType, public TextProviderType {
public:
    // A pop-up button that does not pull down.
    static std::shared_ptr<PopUpButtonBrick> create();
    ~PopUpButtonBrick() override;

    std::function<void()> buttonPressFunction;

    const std::optional<ButtonDrawingFuncType>& normalDrawFunc() const { return m_normalDrawFunc; }
    void setNormalDrawFunc(std::optional<ButtonDrawingFuncType> function);
    const std::optional<ButtonDrawingFuncType>& highlightedDrawFunc() const { return m_highlightedDrawFunc; }
    void setHighlightedDrawFunc(std::optional<ButtonDrawingFuncType> function);
    const std::optional<DrawingStack>& normalDrawingStack() const { return m_normalDrawingStack; }
    void setNormalDrawingStack(std::optional<DrawingStack> stack);
    const std::optional<DrawingStack>& highlightedDrawingStack() const { return m_highlightedDrawingStack; }
    void setHighlightedDrawingStack(std::optional<DrawingStack> stack);

    void menuWillOpen(ui::Menu& menu) override;
    void menuDidClose(ui::Menu& menu) override;

    // Small control size, and the small system font for the menu.
    PopUpButtonBrick& small() override;
    // Clears both drawing stacks: pop-ups keep the platform look.
    void apply(const ControlSkin& skin) override;
    std::string getText() const override { return title(); }

protected:
    explicit PopUpButtonBrick(bool pullsDown);

private:
    void prepareForDisplay(ui::Menu& menu);

    std::optional<ButtonDrawingFuncType> m_normalDrawFunc;
    std::optional<ButtonDrawingFuncType> m_highlightedDrawFunc;
    std::optional<DrawingStack> m_normalDrawingStack;
    std::optional<DrawingStack> m_highlightedDrawingStack;
    // The face item of a pull-down rebuilt while opening, kept out of the list until it closes.
    std::weak_ptr<ui::MenuItem> m_hiddenFaceItem;
};

}
