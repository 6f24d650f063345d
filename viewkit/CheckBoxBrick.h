#pragma once

#include "viewkit/BrickType.h"
#include "viewkit/BricksDrawingHelper.h"

#include "platform/ui/Button.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// A check box that reports its new state (true when on) through its closure. Made without a
// closure it reports nothing at all. With a skin it draws the skin's ticked box while on
// and the empty box otherwise.
class CheckBoxBrick : public ui::Button, public BrickType, public TextProviderType {
public:
    static std::shared_ptr<CheckBoxBrick> create(std::string title = {}, std::function<void(bool)> action = {});

    std::function<void(bool)> actualCheckboxFunc;

    const std::optional<DrawingStack>& onStateDrawingStack() const { return m_onStateDrawingStack; }
    void setOnStateDrawingStack(std::optional<DrawingStack> stack);
    const std::optional<DrawingStack>& offStateDrawingStack() const { return m_offStateDrawingStack; }
    void setOffStateDrawingStack(std::optional<DrawingStack> stack);
    const std::optional<ButtonDrawingFuncType>& onStateDrawFunc() const { return m_onStateDrawFunc; }
    void setOnStateDrawFunc(std::optional<ButtonDrawingFuncType> function);
    const std::optional<ButtonDrawingFuncType>& offStateDrawFunc() const { return m_offStateDrawFunc; }
    void setOffStateDrawFunc(std::optional<ButtonDrawingFuncType> function);

    // Makes the brick report its clicks to actualCheckboxFunc (what a closure at creation does).
    void reportThroughActionMethod();
    void actionMethod();

    CheckBoxBrick& small() override;
    void apply(const ControlSkin& skin) override;
    std::string getText() const override { return title(); }

protected:
    CheckBoxBrick();

private:
    std::optional<DrawingStack> m_onStateDrawingStack;
    std::optional<ButtonDrawingFuncType> m_onStateDrawFunc;
    std::optional<ButtonDrawingFuncType> m_offStateDrawFunc;
    std::optional<DrawingStack> m_offStateDrawingStack;
};

}
