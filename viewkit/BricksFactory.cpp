#include "viewkit/BricksFactory.h"

#include "viewkit/BrickType.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/ColorWellBrick.h"
#include "viewkit/DatePickerBrick.h"
#include "viewkit/IntegerTextField.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SegmentedControlBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/SmartTextField.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/TabWall.h"
#include "viewkit/TextFieldBrickType.h"
#include "viewkit/ViewWithInstrinsicSize.h"
#include "viewkit/Wall.h"
#include "viewkit/WallWithSpecialEffectsView.h"
#include "viewkit/WallWithUnconfiguredSpecialEffectsView.h"

#include "platform/ui/PopUpButton.h"

namespace ostrel {

namespace {

constexpr double kTopLevelInset = 8.0;

std::shared_ptr<BricksFactory>& currentFactory()
{
    static auto* current = new std::shared_ptr<BricksFactory>; // one process-wide slot
    return *current;
}

}

std::shared_ptr<BricksFactory> BricksFactory::create()
{
    std::shared_ptr<BricksFactory> factory(new BricksFactory);
    factory->makeCurrent();
    return factory;
}

std::shared_ptr<BricksFactory> BricksFactory::createTopLevelFactory()
{
    auto factory = create();
    factory->m_horizontalInset = kTopLevelInset;
    factory->m_verticalInset = kTopLevelInset;
    return factory;
}

BricksFactory& BricksFactory::topLevel()
{
    static auto* topLevel = new std::shared_ptr<BricksFactory>(createTopLevelFactory()); // kept for the whole run
    return **topLevel;
}

std::shared_ptr<BricksFactory> BricksFactory::current() { return currentFactory(); }

void BricksFactory::makeCurrent() { currentFactory() = shared_from_this(); }

BricksFactory& BricksFactory::factoryFor(ui::View& containerView)
{
    for (ui::View* view = &containerView; view; view = view->superview()) {
        if (auto* wall = dynamic_cast<Wall*>(view))
            return wall->factory();
    }
    return topLevel();
}

std::shared_ptr<BricksFactory> BricksFactory::makeFactory(ui::View& view)
{
    auto factory = create();
    auto shared = view.shared_from_this();
    factory->setContainerView(shared);
    factory->setElementCreationTarget(shared);
    return factory;
}

bool BricksFactory::isTopLevel() const { return this == &topLevel(); }

BricksFactory& BricksFactory::parent() const
{
    auto container = containerView();
    if (container && container->superview())
        return factoryFor(*container->superview());
    return topLevel();
}

double BricksFactory::internalHorizontalInset() const
{
    if (m_horizontalInset)
        return *m_horizontalInset;
    // The top level must keep its insets; should they be cleared, it keeps the margins anyway.
    if (isTopLevel())
        return kTopLevelInset;
    return parent().internalHorizontalInset();
}

double BricksFactory::internalVerticalInset() const
{
    if (m_verticalInset)
        return *m_verticalInset;
    if (isTopLevel())
        return kTopLevelInset;
    return parent().internalVerticalInset();
}

BrickSize BricksFactory::internalGetInheritedBrickSize() const
{
    if (m_brickSize != BrickSize::inherited)
        return m_brickSize;
    if (isTopLevel())
        return BrickSize::standard;
    return parent().internalGetInheritedBrickSize();
}

double BricksFactory::insetFor(ui::LayoutAttribute layoutAttribute) const
{
    using A = ui::LayoutAttribute;
    switch (layoutAttribute) {
    case A::Left:
    case A::Leading:
        return internalHorizontalInset();
    case A::Right:
    case A::Trailing:
        return -internalHorizontalInset();
    case A::Top:
        return internalVerticalInset();
    case A::Bottom:
        return -internalVerticalInset();
    default:
        return 0;
    }
}

void BricksFactory::internalAddBrick(const std::shared_ptr<ui::View>& brick, const ConstraintsClosure& constraints)
{
    brick->setTranslatesAutoresizingMaskIntoConstraints(false);
    makeCurrent();
    if (auto last = m_currentView.lock())
        m_previous = last;
    m_currentView = brick;

    if (auto target = elementCreationTarget()) {
        target->addSubview(brick);
        if (constraints) {
            LayoutConstraintMaker maker(*brick);
            constraints(maker);
            target->addConstraints(maker.constraints());
        }
    }

    auto* brickType = dynamic_cast<BrickType*>(brick.get());
    auto* field = brickType ? nullptr : dynamic_cast<ui::TextField*>(brick.get());
    // The skin first, then the size: a small brick keeps the skin's stacks.
    if (m_controlSkin) {
        if (brickType)
            brickType->apply(*m_controlSkin);
        else if (field)
            ostrel::apply(*field, *m_controlSkin);
    }
    BrickSize size = m_brickSize == BrickSize::inherited ? internalGetInheritedBrickSize() : m_brickSize;
    if (brickType || field) {
        if (size == BrickSize::small) {
            if (brickType)
                brickType->small();
            else
                ostrel::small(*field);
        }
    } else if (auto* control = dynamic_cast<ui::Control*>(brick.get())) {
        if (size == BrickSize::mini)
            control->setControlSize(ui::ControlSize::Mini);
        else if (size == BrickSize::small)
            control->setControlSize(ui::ControlSize::Small);
    }
}

BricksFactory::ConstraintsClosure BricksFactory::sized(std::optional<gfx::Size> size, const ConstraintsClosure& constraints) const
{
    if (!size)
        return constraints;
    return [size, constraints](LayoutConstraintMaker& maker) {
        maker.width(size->width).height(size->height);
        if (constraints)
            constraints(maker);
    };
}

std::shared_ptr<CheckBoxBrick> BricksFactory::smartCheckBoxButton(const std::string& title, std::function<void(bool)> action,
    const ConstraintsClosure& constraints)
{
    return added(CheckBoxBrick::create(title, std::move(action)), constraints);
}

std::shared_ptr<PushButtonBrick> BricksFactory::pushButton(const std::string& title, std::function<void()> action,
    const ConstraintsClosure& constraints)
{
    return added(PushButtonBrick::create(title, std::move(action)), constraints);
}

std::shared_ptr<SegmentedControlBrick> BricksFactory::segmentedControl(std::vector<std::string> titles,
    std::function<void(int)> action, const ConstraintsClosure& constraints)
{
    return added(SegmentedControlBrick::create(std::move(titles), std::move(action)), constraints);
}

std::shared_ptr<PushButtonBrick> BricksFactory::borderlessButton(const std::string& title, std::function<void()> action,
    const ConstraintsClosure& constraints)
{
    auto button = PushButtonBrick::create(title, std::move(action));
    // Borderless, and showing its pressed state by its content only, as a momentary change does.
    button->setBezelStyle(ui::BezelStyle::Borderless);
    return added(std::move(button), constraints);
}

std::shared_ptr<PushButtonBrick> BricksFactory::helpButton(std::function<void()> action, const ConstraintsClosure& constraints)
{
    auto button = PushButtonBrick::create(std::string {}, std::move(action));
    // The round help button: a question mark in a circle.
    button->setTitle("?");
    button->setBezelStyle(ui::BezelStyle::Inline);
    return added(std::move(button), constraints);
}

std::shared_ptr<SmartTextField> BricksFactory::textField(std::optional<std::string> title, const ConstraintsClosure& constraints)
{
    return added(SmartTextField::create(title.value_or(std::string {})), constraints);
}

std::shared_ptr<IntegerTextField> BricksFactory::integerTextField(std::int32_t initialValue, std::optional<std::int64_t> minValue,
    std::optional<std::int64_t> maxValue, const ConstraintsClosure& constraints)
{
    return added(IntegerTextField::integerTextField(initialValue, minValue, maxValue), constraints);
}

std::shared_ptr<DatePickerBrick> BricksFactory::datePickerBrick(const ConstraintsClosure& constraints)
{
    return added(DatePickerBrick::create(), constraints);
}

std::shared_ptr<ui::TextField> BricksFactory::label(const std::string& title, const ConstraintsClosure& constraints)
{
    return added(standardLabel(title), constraints);
}

std::shared_ptr<PopUpButtonBrick> BricksFactory::popupButton(const ConstraintsClosure& constraints)
{
    return added(PopUpButtonBrick::create(), constraints);
}

std::shared_ptr<ui::PopUpButton> BricksFactory::pullDownButton(const std::string& title, const ConstraintsClosure& constraints)
{
    auto button = ui::PopUpButton::create(true);
    button->addItem(title);
    return added(std::move(button), constraints);
}

std::shared_ptr<PullDownButtonBrick> BricksFactory::pullDownButtonBrick(const std::string& title, const ConstraintsClosure& constraints)
{
    return added(PullDownButtonBrick::create(title), constraints);
}

std::shared_ptr<PullDownButtonBrick> BricksFactory::smartPullDownButton(const std::string& title, const ConstraintsClosure& constraints)
{
    return added(PullDownButtonBrick::create(title), constraints);
}

std::shared_ptr<PullDownButtonBrick> BricksFactory::smartPullDownButton(std::shared_ptr<gfx::Image> image,
    const ConstraintsClosure& constraints)
{
    return added(PullDownButtonBrick::create(std::move(image)), constraints);
}

std::shared_ptr<PullDownButtonBrick> BricksFactory::pullDownButton(std::shared_ptr<gfx::Image> image, const ConstraintsClosure& constraints)
{
    return added(PullDownButtonBrick::create(std::move(image)), constraints);
}

std::shared_ptr<ViewWithInstrinsicSize> BricksFactory::viewWithIntrinicSize(gfx::Size size, const ConstraintsClosure& constraints)
{
    return added(ViewWithInstrinsicSize::create(gfx::Rect({}, size)), constraints);
}

std::shared_ptr<Wall> BricksFactory::wall(std::optional<gfx::Size> size, const ConstraintsClosure& constraints)
{
    auto made = Wall::create();
    // The new wall made its own factory current; adding it makes this one current again.
    return added(std::move(made), sized(size, constraints));
}

std::shared_ptr<WallWithSpecialEffectsView> BricksFactory::specialEffectWall(std::optional<gfx::Size> size,
    const ConstraintsClosure& constraints)
{
    return added(WallWithSpecialEffectsView::create(), sized(size, constraints));
}

std::shared_ptr<WallWithUnconfiguredSpecialEffectsView> BricksFactory::unconfiguredSpecialEffectWall(std::optional<gfx::Size> size,
    const ConstraintsClosure& constraints)
{
    return added(WallWithUnconfiguredSpecialEffectsView::create(), sized(size, constraints));
}

std::shared_ptr<SliderBrick> BricksFactory::slider(std::function<float(float)> action, bool zeroTicksRectHack,
    const ConstraintsClosure& constraints)
{
    auto slider = SliderBrick::create(std::move(action));
    slider->setReturnZeroRectForTickMarks(zeroTicksRectHack);
    return added(std::move(slider), constraints);
}

std::shared_ptr<TabWall> BricksFactory::tabWall(const ConstraintsClosure& constraints)
{
    return added(TabWall::create(), constraints);
}

}
