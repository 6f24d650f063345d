#include "ViewkitFixture.h"

#include "viewkit/CheckBoxBrickBinding.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/DatePickerBrickBinding.h"
#include "viewkit/IntegerTextFieldBinding.h"
#include "viewkit/PopUpButtonBrickBinding.h"
#include "viewkit/PopUpButtonBrickSimpleIntBinding.h"
#include "viewkit/SettingsBinding.h"
#include "viewkit/TagTokenField.h"
#include "viewkit/TextFieldBinding.h"

#include "core/DataModel.h"

#include "platform/ui/Menu.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TokenField.h"

namespace ostrel::test {

namespace {

class BindingsTest : public ViewkitTest {
protected:
    BindingsTest() { model->prepare(); }
    std::unique_ptr<DataModel> model = DataModel::create(m_store);
};

}

TEST_F(BindingsTest, ACheckBoxShowsItsVariableAtActivationAndWritesClicks)
{
    auto variable = StraightVariable<bool>::create(true);
    auto box = CheckBoxBrick::create("Completed");
    auto binding = CheckBoxBrickBinding::create(box, variable);
    EXPECT_EQ(box->state(), ui::ControlStateValue::Off) << "nothing reaches the box before activate()";
    binding->activate();
    EXPECT_EQ(box->state(), ui::ControlStateValue::On);

    box->performClick();
    EXPECT_FALSE(variable->value());
    variable->setValue(true);
    EXPECT_EQ(box->state(), ui::ControlStateValue::On);

    binding->unbind();
    variable->setValue(false);
    EXPECT_EQ(box->state(), ui::ControlStateValue::On);
    box->performClick();
    EXPECT_FALSE(variable->value());

    // With neither side, nothing on either side.
    CheckBoxBrickBinding::create(nullptr, nullptr)->activate();
}

TEST_F(BindingsTest, AFocusPopUpFollowsItsVariableBothWays)
{
    auto popUp = PopUpButtonBrick::create();
    auto binding = PopUpButtonBrickSimpleIntBinding::create(popUp, model->focusLevelVariable);
    const char* levels[] = { "distracted", "good", "highly focused", "experienced flow" };
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(binding->addItem(levels[i], i));
    binding->activate();
    EXPECT_EQ(popUp->titleOfSelectedItem(), "good") << "the default focus level is 1";

    popUp->menu()->performActionForItemAt(3);
    EXPECT_EQ(store().integer("focusRating"), 3);
    EXPECT_EQ(popUp->titleOfSelectedItem(), "experienced flow");
    store().set("focusRating", 0);
    EXPECT_EQ(popUp->titleOfSelectedItem(), "distracted");

    EXPECT_EQ(PopUpButtonBrickSimpleIntBinding::create(nullptr, model->focusLevelVariable)->addItem("x", 1), nullptr);
}

TEST_F(BindingsTest, ADurationSliderCountsMinutesOfStoredSeconds)
{
    auto slider = ui::Slider::create(1, 120, 1);
    bindDurationInMinutes(*model, *slider);
    EXPECT_EQ(slider->doubleValue(), 15) << "900 seconds";
    slider->setDoubleValue(20);
    slider->onAction();
    EXPECT_EQ(store().object("durationInSeconds"), base::Value(1200));
    store().set("durationInSeconds", 1800);
    EXPECT_EQ(slider->doubleValue(), 30);
    unbindDurationInMinutes(*slider);
    store().set("durationInSeconds", 600);
    EXPECT_EQ(slider->doubleValue(), 30);
}

TEST_F(BindingsTest, EmptyTagsShowTheirPlaceholders)
{
    auto tags = TagTokenField::create();
    bindTags(*model, *tags);
    EXPECT_TRUE(tags->tokens().empty());
    EXPECT_EQ(tags->placeholder(), "No Tags.");
    auto filter = ui::TokenField::create();
    bindTagFilter(*model, *filter);
    EXPECT_EQ(filter->placeholder(), "<Enter Tags to Filter>");

    // Continuously: every edit writes the stored text.
    auto w = window();
    tags->setFrame(ui::Rect(10, 10, 200, 22));
    w->contentView()->addSubview(tags);
    w->makeFirstResponder(tags.get());
    tags->insertText("home, work");
    EXPECT_EQ(model->tags(), "home,work");
}

TEST_F(BindingsTest, CheckBoxesPopUpsAndFieldsBoundToKeys)
{
    auto box = CheckBoxBrick::create("Lock");
    int ownReports = 0;
    box->actualCheckboxFunc = [&](bool) { ++ownReports; };
    box->reportThroughActionMethod();
    bindLockScreenDuringBreak(*model, *box);
    EXPECT_EQ(box->state(), ui::ControlStateValue::Off);
    box->performClick();
    EXPECT_TRUE(store().boolean("lockScreenDuringBreak"));
    EXPECT_EQ(ownReports, 1) << "the control's own closure still runs";
    unbindLockScreenDuringBreak(*box);
    box->performClick();
    EXPECT_TRUE(store().boolean("lockScreenDuringBreak"));
    EXPECT_EQ(ownReports, 2);

    auto stats = ui::PopUpButton::create();
    for (int tag : { 3, 7 }) {
        stats->addItem("statistic " + std::to_string(tag))->setTag(tag);
    }
    store().set("currentlyDisplayedStatistic", 7);
    bindStatsMode(*model, *stats);
    EXPECT_EQ(stats->titleOfSelectedItem(), "statistic 7");
    EXPECT_EQ(SettingsBinding::boundKey(*stats, BindingName::selectedTag), "currentlyDisplayedStatistic");

    auto minutes = ui::TextField::create();
    bindFirstPomodoroBreakDurationInMinutes(*model, *minutes);
    EXPECT_EQ(minutes->stringValue(), "5");
    minutes->setStringValue("12");
    minutes->onAction();
    EXPECT_EQ(store().object("firstPomodoroBreakDurationInMinutes"), base::Value(12)) << "a number stays a number";
}

TEST_F(BindingsTest, ABindingDoesNotOutliveItsControl)
{
    {
        auto slider = ui::Slider::create(1, 120, 1);
        bindBreakDurationInMinutes(*model, *slider);
    }
    // The key changes with its control gone: nothing is reached.
    store().set("breakDurationInSeconds", 300);
    auto slider = ui::Slider::create(1, 120, 1);
    bindBreakDurationInMinutes(*model, *slider);
    EXPECT_EQ(slider->doubleValue(), 5);
}

TEST_F(BindingsTest, TheGenericBricksBindings)
{
    auto choice = StraightVariable<std::string>::create("b");
    auto popUp = PopUpButtonBrick::create();
    auto binding = PopUpButtonBrickBinding<std::string>::create(popUp, choice);
    binding->addItem("A", "a");
    binding->addSeparator();
    binding->addItem("B", "b");
    binding->activate();
    EXPECT_EQ(popUp->titleOfSelectedItem(), "B");
    popUp->menu()->performActionForItemAt(0);
    EXPECT_EQ(choice->value(), "a");

    auto text = StraightVariable<std::string>::create("first");
    auto field = SmartTextField::create();
    auto textBinding = TextFieldBinding<std::string>::create(field, text);
    textBinding->activate();
    EXPECT_EQ(field->stringValue(), "first");
    field->setStringValue("second");
    field->internalAction();
    EXPECT_EQ(text->value(), "second");

    auto number = StraightVariable<std::int64_t>::create(7);
    auto integer = IntegerTextField::integerTextField(0, 0, 100);
    auto integerBinding = IntegerTextFieldBinding<std::int64_t>::create(integer, number);
    integerBinding->activate();
    EXPECT_EQ(integer->integerValue(), 7);
    integer->setIntegerValue(9);
    integer->control(ui::TextCommand::InsertNewline);
    EXPECT_EQ(number->value(), 9);

    auto moment = StraightVariable<double>::create(1000);
    auto picker = DatePickerBrick::create();
    auto dateBinding = DatePickerBrickBinding<double>::create(picker, moment);
    dateBinding->activate();
    EXPECT_EQ(picker->dateValue(), 1000);
    picker->setDateValue(86400);
    picker->actionMethod();
    EXPECT_EQ(moment->value(), 86400);
}

}
