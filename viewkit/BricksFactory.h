#pragma once

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Image.h"
#include "platform/ui/Constraint.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class PopUpButton;
class TextField;
class View;
}

namespace ostrel {

class CheckBoxBrick;
class ColorWellBrick;
class ControlSkin;
class DatePickerBrick;
class IntegerTextField;
class LayoutConstraintMaker;
class PopUpButtonBrick;
class PullDownButtonBrick;
class PushButtonBrick;
class SegmentedControlBrick;
class SliderBrick;
class SmartTextField;
class TabWall;
class ViewWithInstrinsicSize;
class Wall;
class WallWithSpecialEffectsView;
class WallWithUnconfiguredSpecialEffectsView;

enum class BrickSize { standard, mini, small, inherited };

// Creates the controls (bricks) of the code-built interface and places them. Every wall owns
// one factory; the top-level factory serves views outside any wall. A factory adds each new
// brick to its element-creation target, runs the caller's constraint closure on a fresh maker
// and installs what it collected there, applies its skin and then its size. A factory without
// its own size or insets inherits them from the factory of the nearest wall above its
// container, and in the end from the top-level factory (standard size, insets 8).
//
// One factory at a time is current: the most recently created one (every new wall makes its
// own) or the one that last added a brick. `place` reads the current factory's insets.
// A factory refers to its wall and bricks weakly: it never keeps a freed view alive.
class BricksFactory : public std::enable_shared_from_this<BricksFactory> {
public:
    using ConstraintsClosure = std::function<void(LayoutConstraintMaker&)>;

    // A new factory with nothing of its own; it becomes the current factory.
    static std::shared_ptr<BricksFactory> create();
    // Made by createTopLevelFactory() on first use (which makes it current) and kept.
    static BricksFactory& topLevel();
    static std::shared_ptr<BricksFactory> current();
    static std::shared_ptr<BricksFactory> createTopLevelFactory();
    // The factory of the wall itself, else of the nearest wall above it, else the top level.
    static BricksFactory& factoryFor(ui::View& containerView);
    // A new factory whose container and target are the view.
    static std::shared_ptr<BricksFactory> makeFactory(ui::View& view);

    BrickSize brickSize() const { return m_brickSize; }
    void setBrickSize(BrickSize size) { m_brickSize = size; }
    const std::shared_ptr<const ControlSkin>& controlSkin() const { return m_controlSkin; }
    void setControlSkin(std::shared_ptr<const ControlSkin> skin) { m_controlSkin = std::move(skin); }
    std::optional<double> horizontalInset() const { return m_horizontalInset; }
    void setHorizontalInset(std::optional<double> inset) { m_horizontalInset = inset; }
    std::optional<double> verticalInset() const { return m_verticalInset; }
    void setVerticalInset(std::optional<double> inset) { m_verticalInset = inset; }
    // The brick added last and the one before it (none once they are gone).
    std::shared_ptr<ui::View> currentView() const { return m_currentView.lock(); }
    std::shared_ptr<ui::View> previous() const { return m_previous.lock(); }
    std::shared_ptr<ui::View> containerView() const { return m_containerView.lock(); }
    void setContainerView(const std::shared_ptr<ui::View>& view) { m_containerView = view; }
    std::shared_ptr<ui::View> elementCreationTarget() const { return m_elementCreationTarget.lock(); }
    void setElementCreationTarget(const std::shared_ptr<ui::View>& view) { m_elementCreationTarget = view; }

    // Resolved through the parents as described above.
    double internalHorizontalInset() const;
    double internalVerticalInset() const;
    BrickSize internalGetInheritedBrickSize() const;
    // The constant `place` uses for an attribute of the subject.
    double insetFor(ui::LayoutAttribute layoutAttribute) const;
    void makeCurrent();

    // Adds any view as a brick: see the class comment. Without an element-creation target
    // the view is neither added nor constrained (the closure does not run).
    void internalAddBrick(const std::shared_ptr<ui::View>& brick, const ConstraintsClosure& constraints = {});

    std::shared_ptr<CheckBoxBrick> smartCheckBoxButton(const std::string& title, std::function<void(bool)> action = {},
        const ConstraintsClosure& constraints = {});
    std::shared_ptr<PushButtonBrick> pushButton(const std::string& title, std::function<void()> action,
        const ConstraintsClosure& constraints = {});
    std::shared_ptr<SegmentedControlBrick> segmentedControl(std::vector<std::string> titles, std::function<void(int)> action,
        const ConstraintsClosure& constraints = {});
    std::shared_ptr<PushButtonBrick> borderlessButton(const std::string& title, std::function<void()> action,
        const ConstraintsClosure& constraints = {});
    std::shared_ptr<PushButtonBrick> helpButton(std::function<void()> action, const ConstraintsClosure& constraints = {});
    std::shared_ptr<SmartTextField> textField(std::optional<std::string> title = std::nullopt, const ConstraintsClosure& constraints = {});
    std::shared_ptr<IntegerTextField> integerTextField(std::int32_t initialValue, std::optional<std::int64_t> minValue = std::nullopt,
        std::optional<std::int64_t> maxValue = std::nullopt, const ConstraintsClosure& constraints = {});
    std::shared_ptr<DatePickerBrick> datePickerBrick(const ConstraintsClosure& constraints = {});
    std::shared_ptr<ui::TextField> label(const std::string& title, const ConstraintsClosure& constraints = {});
    std::shared_ptr<PopUpButtonBrick> popupButton(const ConstraintsClosure& constraints = {});
    // A plain platform pull-down, not a brick.
    std::shared_ptr<ui::PopUpButton> pullDownButton(const std::string& title, const ConstraintsClosure& constraints = {});
    std::shared_ptr<PullDownButtonBrick> pullDownButtonBrick(const std::string& title, const ConstraintsClosure& constraints = {});
    std::shared_ptr<PullDownButtonBrick> smartPullDownButton(const std::string& title, const ConstraintsClosure& constraints = {});
    std::shared_ptr<PullDownButtonBrick> smartPullDownButton(std::shared_ptr<gfx::Image> image, const ConstraintsClosure& constraints = {});
    std::shared_ptr<PullDownButtonBrick> pullDownButton(std::shared_ptr<gfx::Image> image, const ConstraintsClosure& constraints = {});
    std::shared_ptr<ViewWithInstrinsicSize> viewWithIntrinicSize(gfx::Size size, const ConstraintsClosure& constraints);
    // A size given to a wall holds its width and height fixed.
    std::shared_ptr<Wall> wall(std::optional<gfx::Size> size = std::nullopt, const ConstraintsClosure& constraints = {});
    std::shared_ptr<WallWithSpecialEffectsView> specialEffectWall(std::optional<gfx::Size> size = std::nullopt,
        const ConstraintsClosure& constraints = {});
    std::shared_ptr<WallWithUnconfiguredSpecialEffectsView> unconfiguredSpecialEffectWall(std::optional<gfx::Size> size = std::nullopt,
        const ConstraintsClosure& constraints = {});
    std::shared_ptr<SliderBrick> slider(std::function<float(float)> action, bool zeroTicksRectHack, const ConstraintsClosure& constraints);
    std::shared_ptr<TabWall> tabWall(const ConstraintsClosure& constraints);

private:
    BricksFactory() = default;
    bool isTopLevel() const;
    // The factory whose values this one inherits: the one above its container, or the top level.
    BricksFactory& parent() const;
    template<typename T>
    std::shared_ptr<T> added(std::shared_ptr<T> brick, const ConstraintsClosure& constraints)
    {
        internalAddBrick(brick, constraints);
        return brick;
    }
    ConstraintsClosure sized(std::optional<gfx::Size> size, const ConstraintsClosure& constraints) const;

    BrickSize m_brickSize { BrickSize::inherited };
    std::shared_ptr<const ControlSkin> m_controlSkin;
    std::optional<double> m_horizontalInset;
    std::optional<double> m_verticalInset;
    std::weak_ptr<ui::View> m_currentView;
    std::weak_ptr<ui::View> m_previous;
    std::weak_ptr<ui::View> m_containerView;
    std::weak_ptr<ui::View> m_elementCreationTarget;
};

}
