#pragma once

#include "viewkit/BrickType.h"
#include "viewkit/BricksDrawingHelper.h"

#include "platform/ui/Button.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// The push button of the code-built interface, the model of every brick: it reports a press
// through its stored closure, turns small on request and draws through a skin's stacks (or a
// drawing function of its own) instead of the platform look when it has them.
class PushButtonBrick : public ui::Button, public BrickType, public TextProviderType {
public:
    // A momentary push button in the regular size and the system font of that size.
    static std::shared_ptr<PushButtonBrick> create(std::optional<std::string> title = std::nullopt,
        std::function<void()> action = {});

    std::function<void()> buttonPressFunction;

    const std::optional<DrawingStack>& normalDrawingStack() const { return m_normalDrawingStack; }
    void setNormalDrawingStack(std::optional<DrawingStack> stack);
    const std::optional<DrawingStack>& highlightedDrawingStack() const { return m_highlightedDrawingStack; }
    void setHighlightedDrawingStack(std::optional<DrawingStack> stack);
    const std::optional<ButtonDrawingFuncType>& normalDrawFunc() const { return m_normalDrawFunc; }
    void setNormalDrawFunc(std::optional<ButtonDrawingFuncType> function);
    const std::optional<ButtonDrawingFuncType>& highlightedDrawFunc() const { return m_highlightedDrawFunc; }
    void setHighlightedDrawFunc(std::optional<ButtonDrawingFuncType> function);

    // Whether the key-view loop may stop here (as long as the button is shown and enabled).
    bool internalCanBecomeKeyView() const { return m_internalCanBecomeKeyView; }
    void setInternalCanBecomeKeyView(bool can) { m_internalCanBecomeKeyView = can; }
    bool canBecomeKeyView() const override { return m_internalCanBecomeKeyView && ui::Button::canBecomeKeyView(); }

    void buttonPressedCallBack();
    // The image (when there is one) and then the title, as the drawing receives them.
    std::vector<DrawingAsset> drawingAssets() const;

    PushButtonBrick& small() override;
    void apply(const ControlSkin& skin) override;
    std::string getText() const override { return title(); }

protected:
    PushButtonBrick();

private:
    std::optional<DrawingStack> m_normalDrawingStack;
    std::optional<ButtonDrawingFuncType> m_normalDrawFunc;
    std::optional<ButtonDrawingFuncType> m_highlightedDrawFunc;
    std::optional<DrawingStack> m_highlightedDrawingStack;
    bool m_internalCanBecomeKeyView { true };
};

}
