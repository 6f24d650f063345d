#include "ViewkitFixture.h"

#include "viewkit/IntegerTextField.h"
#include "viewkit/LocalEventMonitor.h"
#include "viewkit/NiblessViewController.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/ViewWithInstrinsicSize.h"
#include "viewkit/Wall.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Menu.h"

namespace ostrel::test {

namespace {

class SmallControlsTest : public ViewkitTest {
protected:
    // An integer field in a window with the keyboard.
    std::shared_ptr<IntegerTextField> focusedField(std::int32_t value, std::optional<std::int64_t> min, std::optional<std::int64_t> max)
    {
        m_window = window();
        auto field = IntegerTextField::integerTextField(value, min, max);
        field->setTranslatesAutoresizingMaskIntoConstraints(true);
        field->setFrame(ui::Rect(10, 10, 120, 22));
        m_window->contentView()->addSubview(field);
        m_window->makeFirstResponder(field.get());
        field->returnKeyActionFunction = [this] { ++returns; };
        return field;
    }
    void press(base::KeyCode key) { backend().press(*m_window, static_cast<std::uint16_t>(key), ""); }

    std::shared_ptr<ui::Window> m_window;
    int returns = 0;
};

class Panel : public NiblessViewController {
public:
    void build() override { setView(Wall::create()); }
};

}

TEST_F(SmallControlsTest, TheArrowsStepWithinTheBounds)
{
    auto field = focusedField(4, 0, 5);
    EXPECT_EQ(field->alignment(), gfx::TextAlignment::right);
    press(base::KeyCode::UpArrow);
    EXPECT_EQ(field->integerValue(), 5);
    EXPECT_EQ(returns, 0) << "the closure runs on steps only when asked to";
    EXPECT_TRUE(field->increment()) << "at the maximum the key is taken and nothing changes";
    EXPECT_EQ(field->integerValue(), 5);

    field->setCallsReturnKeyFunctionOnTextHasChanged(true);
    press(base::KeyCode::DownArrow);
    EXPECT_EQ(field->integerValue(), 4);
    EXPECT_EQ(returns, 1);

    auto unbounded = IntegerTextField::integerTextField(7);
    EXPECT_FALSE(unbounded->increment()) << "without a maximum the field leaves the key alone";
    EXPECT_EQ(unbounded->integerValue(), 7);
}

TEST_F(SmallControlsTest, ReturnRaisesANumberBelowTheMinimumFirst)
{
    auto field = focusedField(-3, 0, std::nullopt);
    int seen = 99;
    field->returnKeyActionFunction = [&] { seen = static_cast<int>(field->integerValue()); };
    press(base::KeyCode::Return);
    EXPECT_EQ(field->integerValue(), 0);
    EXPECT_EQ(seen, 0);

    field->returnKeyActionFunction = {};
    EXPECT_FALSE(field->control(ui::TextCommand::InsertNewline)) << "without a closure Return is the field's own";
}

TEST_F(SmallControlsTest, TypingIsCheckedAsAWholeNumberOf32Bits)
{
    auto field = focusedField(0, std::nullopt, std::nullopt);
    auto& formatter = *field->numberFormatter();
    EXPECT_TRUE(formatter.isPartialStringValid(""));
    EXPECT_TRUE(formatter.isPartialStringValid("-12"));
    EXPECT_TRUE(formatter.isPartialStringValid("+12"));
    EXPECT_FALSE(formatter.isPartialStringValid("-"));
    EXPECT_FALSE(formatter.isPartialStringValid("1.5"));
    EXPECT_FALSE(formatter.isPartialStringValid("12a"));
    EXPECT_TRUE(formatter.isPartialStringValid("2147483647"));
    EXPECT_FALSE(formatter.isPartialStringValid("2147483648")) << "2^31 does not fit the field";
    EXPECT_FALSE(formatter.isPartialStringValid("-2147483649"));

    field->selectAll();
    field->insertText("214748364");
    EXPECT_FALSE(field->insertText("8"));
    EXPECT_EQ(field->stringValue(), "214748364") << "the refused keystroke leaves the text as it was";

    auto bounded = IntegerTextField::integerTextField(1, 1, 60);
    EXPECT_FALSE(bounded->numberFormatter()->isPartialStringValid("61"));
    EXPECT_TRUE(bounded->numberFormatter()->isPartialStringValid("0")) << "the minimum plays no part while typing";
}

TEST_F(SmallControlsTest, LeavingTheFieldRunsTheClosureWhenAsked)
{
    auto field = focusedField(3, 0, 10);
    field->setCallsReturnKeyFunctionOnResigningFirstResponder(true);
    EXPECT_TRUE(m_window->makeFirstResponder(nullptr));
    EXPECT_EQ(returns, 1);
}

TEST_F(SmallControlsTest, SmartMenuItemsCarryTheirOwnWork)
{
    int presses = 0;
    auto item = SmartMenuItem::create("Start", [&] { ++presses; }, [](ui::MenuItem& shown) { shown.setTitle("Start now"); });
    auto menu = ui::Menu::create();
    menu->addItem(item);
    EXPECT_TRUE(menu->isItemEnabled(*item)) << "without a validation closure an item is enabled";
    item->traditionalValidateFunc = [](ui::MenuItem&) { return false; };
    EXPECT_FALSE(menu->isItemEnabled(*item));
    item->traditionalValidateFunc = {};
    EXPECT_TRUE(menu->performActionForItemAt(0));
    EXPECT_EQ(presses, 1);
    item->updateBeforeDisplay();
    EXPECT_EQ(item->title(), "Start now");

    auto plain = SmartMenuItem::create("Plain", "p");
    EXPECT_TRUE(plain->perform()) << "its action does nothing, but there is one";
    EXPECT_EQ(plain->keyEquivalent(), "p");
}

TEST_F(SmallControlsTest, ANiblessControllerBuildsAtOnceOrWhenAsked)
{
    auto now = NiblessViewController::create<Panel>(false);
    EXPECT_TRUE(now->view());
    auto later = NiblessViewController::create<Panel>(true);
    EXPECT_FALSE(later->view());
    later->build();
    EXPECT_TRUE(later->view());
    EXPECT_FALSE(later->delayedBuild());

    int built = 0;
    auto closure = NiblessViewController::create([&] { ++built; });
    EXPECT_EQ(built, 1);

    auto wall = Wall::create();
    wall->fillWallWith(*now);
    EXPECT_EQ(now->view()->superview(), wall.get());
    EXPECT_EQ(wall->constraints().size(), 4u);
}

TEST_F(SmallControlsTest, AnEventMonitorWorksFromStartUntilItGoes)
{
    auto w = window();
    int seen = 0;
    auto monitor = LocalEventMonitor::create(ui::EventMask::KeyDown, [&](const ui::Event& event) -> std::optional<ui::Event> {
        ++seen;
        return event;
    });
    backend().press(*w, 0, "a");
    EXPECT_EQ(seen, 0) << "nothing before start()";
    EXPECT_TRUE(monitor->start().isMonitoring());
    backend().press(*w, 0, "a");
    EXPECT_EQ(seen, 1);
    monitor.reset();
    backend().press(*w, 0, "a");
    EXPECT_EQ(seen, 1);

    // One never started goes quietly.
    LocalEventMonitor::create(ui::EventMask::KeyDown, [](const ui::Event& event) { return std::optional<ui::Event>(event); });
}

TEST_F(SmallControlsTest, AViewWithIntrinsicSizeKeepsItsFrameSize)
{
    auto view = ViewWithInstrinsicSize::create(ui::Rect(5, 5, 40, 12));
    EXPECT_EQ(view->intrinsicContentSize(), ui::Size(40, 12));
}

}
