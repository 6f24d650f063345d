#include "ScreensFixture.h"

#include "states/DefineTimeSliceState.h"
#include "states/PlaceholderState.h"
#include "states/QuickDurationChangingViewController.h"

#include "core/RTFHelper.h"
#include "mainwindow/ObjectiveTextView.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/Wall.h"

#include "platform/base/Json.h"
#include "platform/ui/Popover.h"

#include <fstream>
#include <sstream>

namespace ostrel::test {

namespace {

class DefineRoadTest : public ScreensTest {
protected:
    DefineTimeSliceState& define() { return static_cast<DefineTimeSliceState&>(*helper->defineTimeSliceState()); }
    // The slider's point for a value, found along the bar's middle.
    ui::Point sliderPoint(ui::Slider& slider, double value)
    {
        double low = 0, high = slider.bounds().width();
        double y = slider.bounds().center().y;
        for (int i = 0; i < 40; ++i) {
            double middle = (low + high) / 2;
            (slider.valueAt({ middle, y }) < value ? low : high) = middle;
        }
        return { high, y };
    }
    std::string settingsFileText()
    {
        std::ifstream file(home.configHome() / "Ostrel" / "defaults.json");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(DefineRoadTest, AnObjectiveTypedTwoMinutesDraggedAndReturnStartTheSlice)
{
    startUp();
    ASSERT_EQ(current(), helper->defineTimeSliceState());
    ASSERT_EQ(window().firstResponder(), static_cast<ui::Responder*>(define().objectiveTextView().get())) << "typing goes to the objective";
    type("Write the chapter");
    auto objective = RTFHelper::sharedInstance().attributedStringFromData(model().objectiveData());
    ASSERT_TRUE(objective);
    EXPECT_EQ(objective->utf8(), "Write the chapter");

    auto slider = define().slider();
    backend().drag(window(), topLeftOf(*slider, slider->knobRect().center()), topLeftOf(*slider, sliderPoint(*slider, 2)));
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 2);
    store().synchronize();
    auto saved = base::parseJson(settingsFileText());
    ASSERT_TRUE(saved);
    auto* settings = saved->asDictionary();
    ASSERT_TRUE(settings);
    auto stored = settings->find("durationInSeconds");
    ASSERT_NE(stored, settings->end());
    EXPECT_EQ(stored->second.toInteger(), 120);

    press(base::KeyCode::Return, "\r");
    auto running = std::dynamic_pointer_cast<PlaceholderState>(current());
    ASSERT_TRUE(running);
    EXPECT_EQ(running->className(), "Ostrel_4.TimeSliceRunningState");
    EXPECT_EQ(eventsNamed("Ostrel_4.DefineTimeSliceState.end").size(), 1u);
    EXPECT_EQ(eventsNamed("Ostrel_4.TimeSliceRunningState.start").size(), 1u);
    window().layoutIfNeeded();
    EXPECT_TRUE(running->infoWall()->window()) << "the main window shows the running screen";
}

// An objective is one sentence: Return in it starts the slice, Shift+Return breaks the line.
TEST_F(DefineRoadTest, ReturnInTheObjectiveStartsTheSliceAndShiftReturnBreaksTheLine)
{
    startUp();
    ASSERT_EQ(window().firstResponder(), static_cast<ui::Responder*>(define().objectiveTextView().get()));
    type("Draft");
    press(base::KeyCode::Return, "\r", ui::ModifierFlag::Shift);
    type("report");
    EXPECT_EQ(current(), helper->defineTimeSliceState()) << "Shift+Return only breaks the line";
    EXPECT_EQ(define().objectiveTextView()->textStorage().utf8(), "Draft\nreport");

    press(base::KeyCode::Return, "\r");
    auto running = std::dynamic_pointer_cast<PlaceholderState>(current());
    ASSERT_TRUE(running);
    EXPECT_EQ(running->className(), "Ostrel_4.TimeSliceRunningState");
    auto objective = RTFHelper::sharedInstance().attributedStringFromData(model().objectiveData());
    ASSERT_TRUE(objective);
    EXPECT_EQ(objective->utf8(), "Draft\nreport") << "Return typed nothing into the objective";
}

TEST_F(DefineRoadTest, Pictures)
{
    startUp();
    wait(0.5);
    writePicture(window(), "define-defaults");

    store().set("halfHeightObjectiveTextView", false);
    wait(0.5);
    writePicture(window(), "define-full-height");
    store().set("halfHeightObjectiveTextView", true);

    for (const char* key : { "hideCalendarEvents", "hideBubbles", "hideDurationAndEndDate", "startWithBreakOption", "hideTagEditor" })
        store().set(key, true);
    wait(0.5);
    writePicture(window(), "define-optional-parts-hidden");
    for (const char* key : { "hideCalendarEvents", "hideBubbles", "hideDurationAndEndDate", "startWithBreakOption", "hideTagEditor" })
        store().set(key, false);
    wait(0.5);

    define().changeDuration();
    auto popOver = define().quickDurationChangingViewController()->popOver();
    ASSERT_TRUE(popOver->isShown());
    writePicture(*popOver->window(), "define-quick-popover");
    writePicture(window(), "define-with-popover-open");
    popOver->close();

    machine->triggerTransition("next");
    wait(0.5);
    writePicture(window(), "placeholder-running");
}

}

}
