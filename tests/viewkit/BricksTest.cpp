#include "ViewkitFixture.h"

#include "viewkit/CheckBoxBrick.h"
#include "viewkit/ColorWellBrick.h"
#include "viewkit/DarkControlSkin.h"
#include "viewkit/DatePickerBrick.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SegmentedControlBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/SmartTextField.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/SwitchBrick.h"

#include "platform/base/Timer.h"
#include "platform/ui/Menu.h"

#include <cmath>

namespace ostrel::test {

namespace {

// Draws a control into an offscreen window and reports whether anything red landed in it.
class BricksTest : public ViewkitTest {
protected:
    void show(const std::shared_ptr<ui::View>& view, ui::Rect frame = ui::Rect(10, 10, 120, 30))
    {
        m_window = window(200, 60);
        view->setTranslatesAutoresizingMaskIntoConstraints(true);
        view->setFrame(frame);
        m_window->contentView()->addSubview(view);
        m_window->display();
    }
    gfx::Color pixel(int x, int y) { return m_window->pixelAt(x, y); }
    // Clicks a point of a view (in its own coordinates) as the user would.
    void clickAt(ui::View& view, ui::Point point)
    {
        ui::Point inWindow = view.convertPointTo(point, nullptr);
        backend().click(*m_window, { inWindow.x, m_window->frame().height() - inWindow.y });
    }
    std::shared_ptr<ui::Window> m_window;
};

// A drawing function that fills its frame and remembers what it was given.
struct Recorder {
    std::string text;
    std::shared_ptr<gfx::Image> image;
    int calls = 0;
    ButtonDrawingFuncType textFunction(gfx::Color color)
    {
        return ButtonDrawingFuncType::text([this, color](const gfx::Rect& frame, const std::string& title) {
            ++calls;
            text = title;
            auto& context = gfx::GraphicsContext::requireCurrent();
            context.setFillColor(color);
            context.fillRect(frame);
        });
    }
};

std::shared_ptr<gfx::Image> dot()
{
    return gfx::Image::create({ 4, 4 }, false, [](const gfx::Rect&) { return true; });
}

}

TEST_F(BricksTest, APushButtonHandsItsDrawingTheImageFirstThenTheTitle)
{
    auto button = PushButtonBrick::create("Start", [] { });
    button->setImage(dot());
    auto assets = button->drawingAssets();
    ASSERT_EQ(assets.size(), 2u);
    EXPECT_NE(assets[0].asImage(), nullptr);
    ASSERT_NE(assets[1].asText(), nullptr);
    EXPECT_EQ(*assets[1].asText(), "Start");

    Recorder normal, highlighted;
    button->setNormalDrawFunc(normal.textFunction(gfx::colors::red));
    button->setHighlightedDrawFunc(highlighted.textFunction(gfx::colors::green));
    show(button);
    EXPECT_EQ(normal.text, "Start");
    EXPECT_EQ(pixel(60, 25), gfx::colors::red);
    button->setHighlighted(true);
    m_window->display();
    EXPECT_EQ(highlighted.calls, 1);
    EXPECT_EQ(pixel(60, 25), gfx::colors::green);
}

TEST_F(BricksTest, AHighlightedButtonUsesTheHighlightedStackAndWithoutAnyDrawsAsThePlatform)
{
    auto button = PushButtonBrick::create("Start", [] { });
    show(button);
    gfx::Color platform = pixel(60, 25);
    button->apply(DarkControlSkin());
    ASSERT_TRUE(button->highlightedDrawingStack());
    button->setHighlighted(true);
    m_window->display();
    EXPECT_NE(pixel(60, 25), platform);
    button->setHighlighted(false);
    button->setNormalDrawingStack(std::nullopt);
    button->setHighlightedDrawingStack(std::nullopt);
    m_window->display();
    EXPECT_EQ(pixel(60, 25), platform);
}

TEST_F(BricksTest, ABrickReportsThroughItsClosure)
{
    int presses = 0;
    auto push = PushButtonBrick::create("Go", [&] { ++presses; });
    push->performClick();
    EXPECT_EQ(presses, 1);

    std::vector<bool> states;
    auto box = CheckBoxBrick::create("Remind me", [&](bool on) { states.push_back(on); });
    box->performClick();
    box->performClick();
    EXPECT_EQ(states, (std::vector<bool> { true, false }));

    int segment = -1;
    auto segments = SegmentedControlBrick::create({ "a", "b", "c" }, [&](int index) { segment = index; });
    show(segments, ui::Rect(10, 10, 150, 24));
    clickAt(*segments, segments->rectOfSegment(2).center());
    EXPECT_EQ(segment, 2);

    std::optional<gfx::Color> picked;
    auto well = ColorWellBrick::create();
    well->valueChangedFunc = [&](gfx::Color color) { picked = color; };
    well->takeColor(gfx::colors::orange);
    EXPECT_EQ(picked, gfx::colors::orange);

    std::optional<bool> switched;
    auto toggle = SwitchBrick::create();
    toggle->checkBoxChangeFunc = [&](bool on) { switched = on; };
    show(toggle, ui::Rect(10, 10, 40, 22));
    clickAt(*toggle, toggle->bounds().center());
    EXPECT_EQ(switched, true);

    std::vector<std::string> texts;
    auto field = SmartTextField::create();
    field->textChangedAction = [&](const std::string& text) { texts.push_back(text); };
    show(field);
    m_window->makeFirstResponder(field.get());
    field->insertText("ab");
    EXPECT_EQ(texts.back(), "ab");
    EXPECT_LT(field->intrinsicContentSize().width, 0);
}

TEST_F(BricksTest, ACheckBoxMadeWithoutAClosureReportsNothing)
{
    auto box = CheckBoxBrick::create("Quiet");
    EXPECT_FALSE(static_cast<bool>(box->onAction));
    box->performClick();
    EXPECT_EQ(box->state(), ui::ControlStateValue::On);
}

TEST_F(BricksTest, ASnappingSliderShowsTheSnappedValue)
{
    std::vector<float> seen;
    auto slider = SliderBrick::create([&](float value) {
        seen.push_back(value);
        return std::round(value * 4) / 4;
    });
    show(slider, ui::Rect(0, 10, 200, 21));
    ui::Rect bar = slider->barRect();
    // A click at 0.37 of the way along snaps to 0.25; one at 0.9 to 1.
    clickAt(*slider, { bar.minX() + 0.37 * bar.width(), bar.midY() });
    ASSERT_FALSE(seen.empty());
    EXPECT_NEAR(seen.front(), 0.37, 0.1);
    EXPECT_EQ(slider->doubleValue(), 0.25);
    clickAt(*slider, { bar.minX() + 0.9 * bar.width(), bar.midY() });
    EXPECT_EQ(slider->doubleValue(), 1.0);

    auto plain = SliderBrick::create([](float value) { return value; });
    plain->setDoubleValue(0.3);
    plain->actionMethod();
    EXPECT_NEAR(plain->doubleValue(), 0.3, 1e-6);
}

TEST_F(BricksTest, TickMarksTakeNoRoomUnlessAsked)
{
    auto slider = SliderBrick::create();
    slider->setFrame(ui::Rect(0, 0, 200, 21));
    slider->setNumberOfTickMarks(5);
    EXPECT_TRUE(slider->rectOfTickMark(2).isEmpty());
    slider->setReturnZeroRectForTickMarks(false);
    EXPECT_FALSE(slider->rectOfTickMark(2).isEmpty());
}

TEST_F(BricksTest, OpeningAPullDownWithTwoSubmenusRunsThePressClosureThreeTimes)
{
    auto pullDown = PullDownButtonBrick::create("Options");
    int presses = 0;
    pullDown->buttonPressFunction = [&] { ++presses; };
    int updates = 0;
    for (const char* title : { "First", "Second" }) {
        auto submenu = ui::Menu::create(title);
        submenu->addItem(SmartMenuItem::create("inner", [] { }, [&](ui::MenuItem&) { ++updates; }));
        auto holder = ui::MenuItem::create(title);
        holder->setSubmenu(submenu);
        pullDown->menu()->addItem(holder);
    }
    pullDown->menuWillOpen(*pullDown->menu());
    EXPECT_EQ(presses, 3);
    EXPECT_EQ(updates, 2);
}

TEST_F(BricksTest, AMenuRebuiltWhileOpeningIsWalkedToTheEnd)
{
    auto pullDown = PullDownButtonBrick::create("Tags");
    std::vector<std::string> updated;
    auto rebuild = [&] {
        pullDown->removeAllItems();
        pullDown->menu()->addItem(ui::MenuItem::create("face"));
        for (const char* title : { "a", "b", "c" }) {
            pullDown->menu()->addItem(SmartMenuItem::create(title, [] { }, [&, title](ui::MenuItem&) { updated.push_back(title); }));
        }
    };
    rebuild();
    pullDown->buttonPressFunction = rebuild;
    updated.clear();
    pullDown->menuWillOpen(*pullDown->menu());
    // The walk went over the items there were when it began, every one of them, and the
    // new list stands.
    EXPECT_EQ(updated, (std::vector<std::string> { "a", "b", "c" }));
    EXPECT_EQ(pullDown->numberOfItems(), 4u);
    // The new face item stays out of the list until the menu closes.
    EXPECT_TRUE(pullDown->itemAt(0)->isHidden());
    pullDown->menuDidClose(*pullDown->menu());
    EXPECT_FALSE(pullDown->itemAt(0)->isHidden());
}

TEST_F(BricksTest, APopUpOpenedForRealShowsTheRebuiltListWithoutItsFace)
{
    auto w = window(300, 200);
    auto pullDown = PullDownButtonBrick::create("Tags");
    pullDown->setTranslatesAutoresizingMaskIntoConstraints(true);
    pullDown->setFrame(ui::Rect(10, 10, 100, 24));
    w->contentView()->addSubview(pullDown);
    int chosen = 0;
    pullDown->buttonPressFunction = [&] {
        pullDown->removeAllItems();
        pullDown->menu()->addItem(ui::MenuItem::create("face"));
        pullDown->menu()->addItem(SmartMenuItem::create("work", [&] { ++chosen; }));
    };
    auto clicker = base::Timer::create(0.2, true, base::RunLoop::Mode::Common, [&](base::Timer& timer) {
        auto* tracking = pullDown->menu()->trackingWindow();
        if (!tracking)
            return;
        timer.invalidate();
        EXPECT_EQ(pullDown->menu()->trackingRectOfItem(pullDown->itemAt(0)).height(), 0) << "the face item is not an entry";
        backend().click(*tracking, pullDown->menu()->trackingRectOfItem(pullDown->itemAt(1)).center());
    });
    pullDown->popUpMenu();
    EXPECT_EQ(chosen, 1);
}

TEST_F(BricksTest, SmallBricksTakeTheSmallFont)
{
    auto popUp = PopUpButtonBrick::create();
    popUp->small();
    EXPECT_EQ(popUp->controlSize(), ui::ControlSize::Small);
    EXPECT_EQ(popUp->menu()->font().pointSize, gfx::Font::smallSystemFontSize);
    auto date = DatePickerBrick::create();
    date->small();
    EXPECT_EQ(date->controlSize(), ui::ControlSize::Small);
    auto well = ColorWellBrick::create();
    well->small();
    EXPECT_EQ(well->controlSize(), ui::ControlSize::Regular);
}

TEST_F(BricksTest, TheStandardLabelIsAPlainLine)
{
    auto label = standardLabel("Notes");
    EXPECT_EQ(label->stringValue(), "Notes");
    EXPECT_FALSE(label->isEditable());
    EXPECT_FALSE(label->isSelectable());
    EXPECT_FALSE(label->isBordered());
    EXPECT_FALSE(label->drawsBackground());
    EXPECT_FALSE(label->translatesAutoresizingMaskIntoConstraints());
}

}
