#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Button.h"
#include "platform/ui/Slider.h"
#include "platform/base/Calendar.h"

using namespace ui;
using base::KeyCode;

namespace {

class ControlTest : public UiTest {
protected:
    // A 300 × 120 window with the control at (10, 10) of the given size, laid out and drawn.
    template<class T>
    std::shared_ptr<T> place(std::shared_ptr<T> control, Size size = { 120, 24 })
    {
        m_window = window(300, 120);
        control->setFrame(Rect(10, 120 - 10 - size.height, size.width, size.height));
        m_window->contentView()->addSubview(control);
        m_window->display();
        return control;
    }
    // A click at a point of the control counted from its top left.
    void clickAt(View& view, Point point)
    {
        Rect f = view.frame();
        backend().click(*m_window, Point(f.minX() + point.x, 120 - f.maxY() + point.y));
    }
    void press(KeyCode key, const std::string& characters, std::uint32_t modifiers = 0)
    {
        backend().press(*m_window, static_cast<std::uint16_t>(key), characters, modifiers);
    }

    std::shared_ptr<Window> m_window;
};

TEST_F(ControlTest, PushButtonReportsClicksInsideOnly)
{
    auto button = place(Button::create("OK"));
    int presses = 0;
    button->onAction = [&] { ++presses; };
    clickAt(*button, { 20, 10 });
    EXPECT_EQ(presses, 1);
    // Pressed inside, released outside: no press.
    Rect f = button->frame();
    backend().send(Event::mouse(Event::Type::LeftMouseDown, m_window.get(), Point(f.minX() + 5, f.minY() + 5)));
    backend().send(Event::mouse(Event::Type::LeftMouseUp, m_window.get(), Point(f.maxX() + 40, f.minY() + 5)));
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(button->isHighlighted());
    button->setEnabled(false);
    clickAt(*button, { 20, 10 });
    button->performClick();
    EXPECT_EQ(presses, 1);
}

TEST_F(ControlTest, ReturnAndEscapePressTheirButtonsWhenNoViewTypesThem)
{
    auto ok = place(Button::create("OK"));
    auto cancel = Button::create("Cancel");
    cancel->setFrame(Rect(150, 10, 100, 24));
    m_window->contentView()->addSubview(cancel);
    ok->setKeyEquivalent("\r");
    cancel->setKeyEquivalent("\x1b");
    std::string pressed;
    ok->onAction = [&] { pressed += "ok "; };
    cancel->onAction = [&] { pressed += "cancel "; };
    press(KeyCode::Return, "\r");
    press(KeyCode::Escape, "\x1b");
    press(KeyCode::KeypadEnter, "\x03");
    EXPECT_EQ(pressed, "ok cancel ok ");
    // A hidden button has no key equivalent.
    ok->setHidden(true);
    press(KeyCode::Return, "\r");
    EXPECT_EQ(pressed, "ok cancel ok ");
}

TEST_F(ControlTest, CommandShortcutsNeedTheirModifiers)
{
    auto button = place(Button::create("Save"));
    button->setKeyEquivalent("s", ModifierFlag::Command);
    int presses = 0;
    button->onAction = [&] { ++presses; };
    press(KeyCode::S, "s");
    press(KeyCode::S, "s", ModifierFlag::Command | ModifierFlag::Shift);
    EXPECT_EQ(presses, 0);
    press(KeyCode::S, "s", ModifierFlag::Command);
    EXPECT_EQ(presses, 1);
}

TEST_F(ControlTest, StatefulButtonsMoveTheirStateBeforeReporting)
{
    auto box = place(Button::create("Remind me", ButtonType::Switch));
    std::vector<int> states;
    box->onAction = [&] { states.push_back(box->state()); };
    box->performClick();
    clickAt(*box, { 5, 10 });
    EXPECT_EQ(states, (std::vector<int> { ControlStateValue::On, ControlStateValue::Off }));
    // Space presses the focused button.
    m_window->makeFirstResponder(box.get());
    press(KeyCode::Space, " ");
    EXPECT_EQ(box->state(), ControlStateValue::On);

    auto toggle = Button::create("Mute", ButtonType::OnOff);
    toggle->performClick();
    EXPECT_EQ(toggle->state(), ControlStateValue::On);
    toggle->setState(7);
    EXPECT_EQ(toggle->state(), ControlStateValue::On) << "an unknown state is on unless mixed is allowed";
}

TEST_F(ControlTest, RadioButtonsOfOneGroupTurnEachOtherOff)
{
    auto group = View::create(Rect(0, 0, 300, 100));
    std::vector<std::shared_ptr<Button>> radios;
    for (int i = 0; i < 3; ++i) {
        radios.push_back(Button::create("Choice", ButtonType::Radio));
        group->addSubview(radios.back());
    }
    radios[0]->performClick();
    radios[2]->performClick();
    EXPECT_EQ(radios[0]->state(), ControlStateValue::Off);
    EXPECT_EQ(radios[1]->state(), ControlStateValue::Off);
    EXPECT_EQ(radios[2]->state(), ControlStateValue::On);
    radios[2]->performClick();
    EXPECT_EQ(radios[2]->state(), ControlStateValue::On) << "a radio button cannot be clicked off";
}

TEST_F(ControlTest, SkinHookDrawsInPlaceOfOwnLook)
{
    auto button = place(Button::create("OK"));
    gfx::Color own = m_window->pixelAt(15, 20);
    bool answer = true;
    button->setDrawHook([&](Control&, gfx::GraphicsContext& context, const Rect& rect) {
        context.setFillColor(gfx::colors::red);
        context.fillRect(rect);
        return answer;
    });
    m_window->display();
    EXPECT_EQ(m_window->pixelAt(15, 20), gfx::colors::red);
    answer = false;
    button->setNeedsDisplay();
    m_window->display();
    EXPECT_EQ(m_window->pixelAt(15, 20), own) << "a hook that declines leaves the own look";
}

TEST_F(ControlTest, OwnLookShowsStateInPixels)
{
    auto box = place(Button::create("", ButtonType::Switch), { 20, 20 });
    gfx::Color off = m_window->pixelAt(13, 14);
    box->setState(ControlStateValue::On);
    m_window->display();
    gfx::Color on = m_window->pixelAt(13, 14);
    EXPECT_NE(off, on);
    EXPECT_GT(on.blue, on.red) << "a checked box is drawn in the accent colour";
}

TEST_F(ControlTest, SliderSnapsToTicksAndReportsMoves)
{
    auto slider = place(Slider::create(0, 100, 0), { 216, 24 });
    slider->setNumberOfTickMarks(5);
    slider->setAllowsTickMarkValuesOnly(true);
    std::vector<double> values;
    slider->onAction = [&] { values.push_back(slider->doubleValue()); };
    // The bar runs from 8 to 208: x = 8 + 200 × 0.3 is 30, nearest tick 25.
    clickAt(*slider, { 68, 5 });
    EXPECT_EQ(values, std::vector<double> { 25 });
    slider->setDoubleValue(88);
    EXPECT_EQ(slider->doubleValue(), 100);
    slider->setDoubleValue(std::nan(""));
    EXPECT_EQ(slider->doubleValue(), 100) << "a value that is not a number is ignored";
    m_window->makeFirstResponder(slider.get());
    press(KeyCode::LeftArrow, "");
    EXPECT_EQ(values.back(), 75);
    EXPECT_TRUE(slider->rectOfTickMark(5).isEmpty());
    EXPECT_DOUBLE_EQ(slider->rectOfTickMark(4).midX(), slider->barRect().maxX());
}

TEST_F(ControlTest, SliderThatIsNotContinuousReportsOnRelease)
{
    auto slider = place(Slider::create(0, 1, 0), { 216, 24 });
    slider->setContinuous(false);
    int reports = 0;
    slider->onAction = [&] { ++reports; };
    Rect f = slider->frame();
    backend().send(Event::mouse(Event::Type::LeftMouseDown, m_window.get(), Point(f.minX() + 50, f.midY())));
    backend().send(Event::mouse(Event::Type::LeftMouseDragged, m_window.get(), Point(f.minX() + 90, f.midY())));
    EXPECT_EQ(reports, 0);
    backend().send(Event::mouse(Event::Type::LeftMouseUp, m_window.get(), Point(f.minX() + 108, f.midY())));
    EXPECT_EQ(reports, 1);
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 0.5);
}

}

#include "platform/ui/ColorPanel.h"
#include "platform/ui/ColorWell.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Switch.h"

namespace {

TEST_F(ControlTest, SegmentsSwitchesAndWellsReportTheirNewValues)
{
    auto segments = place(SegmentedControl::create({ "Day", "Hour", "Weekday" }), { 180, 24 });
    std::vector<int> chosen;
    segments->onAction = [&] { chosen.push_back(segments->selectedSegment()); };
    clickAt(*segments, { 150, 10 });
    m_window->makeFirstResponder(segments.get());
    press(KeyCode::LeftArrow, "");
    EXPECT_EQ(chosen, (std::vector<int> { 2, 1 }));
    segments->setSelectedSegment(7);
    EXPECT_EQ(segments->selectedSegment(), -1);

    auto toggle = Switch::create();
    std::vector<bool> states;
    toggle->onAction = [&] { states.push_back(toggle->isOn()); };
    toggle->mouseDown(Event::mouse(Event::Type::LeftMouseDown, m_window.get(), {}));
    toggle->mouseDown(Event::mouse(Event::Type::LeftMouseDown, m_window.get(), {}));
    EXPECT_EQ(states, (std::vector<bool> { true, false }));

    auto well = ColorWell::create(gfx::colors::black);
    std::vector<gfx::Color> colors;
    well->onAction = [&] { colors.push_back(well->color()); };
    well->mouseDown(Event::mouse(Event::Type::LeftMouseDown, m_window.get(), {}));
    EXPECT_TRUE(ColorPanel::shared().isVisible());
    ColorPanel::shared().pick(gfx::colors::red);
    well->deactivate();
    ColorPanel::shared().pick(gfx::colors::blue);
    EXPECT_EQ(colors, std::vector<gfx::Color> { gfx::colors::red }) << "an inactive well no longer follows the panel";
    ColorPanel::shared().close();
}

TEST_F(ControlTest, DatePickerStepsTheSelectedElement)
{
    // 2026-01-31 09:59 UTC (the tests run in UTC).
    double moment = base::Calendar::current().moment({ 2026, 1, 31, 9, 59, 0 });
    auto picker = place(DatePicker::create(moment, DatePicker::YearMonthDay | DatePicker::HourMinute), { 180, 24 });
    EXPECT_EQ(picker->text(), "2026-01-31 09:59");
    int reports = 0;
    picker->onAction = [&] { ++reports; };
    m_window->makeFirstResponder(picker.get());
    picker->selectField(4);
    press(KeyCode::UpArrow, "");
    EXPECT_EQ(picker->text(), "2026-01-31 10:00");
    picker->selectField(1);
    picker->step(1);
    EXPECT_EQ(picker->text(), "2026-02-28 10:00") << "the 31st moves to the end of a shorter month";
    picker->setMaxDate(picker->dateValue());
    picker->step(1);
    EXPECT_EQ(reports, 2) << "a step past the maximum changes nothing and tells nothing";
}


TEST_F(ControlTest, DatePickerTakesTypedDigitsFieldByField)
{
    double moment = base::Calendar::current().moment({ 2026, 1, 31, 9, 59, 0 });
    auto picker = place(DatePicker::create(moment, DatePicker::YearMonthDay), { 180, 24 });
    int reports = 0;
    picker->onAction = [&] { ++reports; };
    m_window->makeFirstResponder(picker.get());
    auto typeText = [&](const std::string& text) {
        for (char c : text)
            press(KeyCode::A, std::string(1, c));
    };
    // The year waits for its four digits, then the month takes two, the day the rest.
    typeText("2025");
    EXPECT_EQ(picker->text(), "2025-01-31");
    EXPECT_EQ(picker->selectedField(), 1);
    typeText("04");
    EXPECT_EQ(picker->text(), "2025-04-30") << "the 31st lands on April's last day";
    typeText("1");
    EXPECT_EQ(picker->text(), "2025-04-01");
    typeText("7");
    EXPECT_EQ(picker->text(), "2025-04-17");
    EXPECT_GE(reports, 3);

    // A digit that cannot start a two-digit month goes on at once; a separator goes on too.
    picker->selectField(1);
    typeText("9");
    EXPECT_EQ(picker->text(), "2025-09-17");
    EXPECT_EQ(picker->selectedField(), 2);
    picker->selectField(0);
    typeText("-");
    EXPECT_EQ(picker->selectedField(), 1);
    // After a pause the field starts again.
    typeText("1");
    clock.advance(2);
    typeText("2");
    EXPECT_EQ(picker->text(), "2025-02-17");
}

TEST_F(ControlTest, SliderTakesTheHomeEndAndPageKeys)
{
    // The duration slider's scale: 2 to 60 minutes, one tick a minute.
    auto slider = place(Slider::create(2, 60, 25), { 216, 24 });
    slider->setNumberOfTickMarks(59);
    slider->setAllowsTickMarkValuesOnly(true);
    std::vector<double> values;
    slider->onAction = [&] { values.push_back(slider->doubleValue()); };
    m_window->makeFirstResponder(slider.get());
    press(KeyCode::PageUp, "");
    press(KeyCode::End, "");
    press(KeyCode::PageDown, "");
    press(KeyCode::Home, "");
    press(KeyCode::PageDown, "");
    EXPECT_EQ(values, (std::vector<double> { 35, 60, 50, 2 })) << "no move at the end, no report";
}

}

#include "platform/ui/FontPanel.h"

namespace {

TEST_F(ControlTest, FontPanelHandsOnEveryChangeAndRefusesAbsurdSizes)
{
    std::vector<gfx::Font> fonts;
    FontPanel::shared().show(gfx::Font::named("Helvetica", 12), [&](const gfx::Font& font) { fonts.push_back(font); });
    EXPECT_TRUE(FontPanel::shared().isVisible());
    FontPanel::shared().pickFamily("Futura");
    EXPECT_TRUE(FontPanel::shared().pickSize(18));
    EXPECT_FALSE(FontPanel::shared().pickSize(0));
    EXPECT_FALSE(FontPanel::shared().pickSize(std::nan("")));
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts.back(), gfx::Font::named("Futura", 18));
    FontPanel::shared().close();
    EXPECT_FALSE(FontPanel::shared().isVisible());
}

}

namespace {

TEST_F(ControlTest, SwitchAndPopUpShowTheirStateInPixels)
{
    auto toggle = place(Switch::create(), { 40, 22 });
    // Left of the knob's resting place when off: the track.
    gfx::Color off = m_window->pixelAt(10 + 30, 10 + 11);
    toggle->setState(1);
    m_window->display();
    gfx::Color on = m_window->pixelAt(10 + 8, 10 + 11);
    EXPECT_GT(on.blue, on.red + 0.3) << "an on switch is the accent colour";
    EXPECT_LT(std::abs(off.blue - off.red), 0.05) << "an off switch is grey";

    auto popUp = PopUpButton::create();
    popUp->addItem("of 2 minutes");
    popUp->setFrame(Rect(150, 120 - 10 - 24, 120, 24));
    m_window->contentView()->addSubview(popUp);
    m_window->display();
    gfx::Color normal = m_window->pixelAt(150 + 4, 10 + 20);
    popUp->setHighlighted(true);
    m_window->display();
    gfx::Color pressed = m_window->pixelAt(150 + 4, 10 + 20);
    EXPECT_GT(pressed.red, normal.red + 0.05) << "a pressed pop-up lightens";
}

}
