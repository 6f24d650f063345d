#include "ScreensFixture.h"

#include "states/DefineTimeSliceState.h"
#include "states/DurationSliderViewController.h"
#include "states/MiniDefineDurationTimeIndicatorWall.h"
#include "states/PlaceholderState.h"
#include "states/QuickDurationChangingViewController.h"
#include "states/StateFragmentStackView.h"

#include "command/MatchingItem.h"
#include "mainwindow/ObjectiveTextView.h"
#include "viewkit/IntegerTextField.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/TagTokenField.h"

#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/Popover.h"
#include "platform/ui/TextField.h"

namespace ostrel::test {

namespace {

class DefineTimeSliceStateTest : public ScreensTest {
protected:
    DefineTimeSliceState& define() { return static_cast<DefineTimeSliceState&>(*helper->defineTimeSliceState()); }
    int64_t duration() { return store().integer("durationInSeconds"); }
    // The pop-up button of the start-with-break row.
    PopUpButtonBrick* breakLengths()
    {
        for (auto* popUp : viewsOf<PopUpButtonBrick>(*define().infoWall()))
            if (!popUp->pullsDown())
                return popUp;
        return nullptr;
    }
    LabelFragment* durationLabel()
    {
        return dynamic_cast<LabelFragment*>(define().infoWall()->viewWithIdentifier("Duration: Fragment"));
    }
    // Chooses a menu entry by title, as a click on it would.
    static void choose(ui::Menu& menu, const std::string& title)
    {
        int index = menu.indexOfItemWithTitle(title);
        ASSERT_GE(index, 0) << title;
        menu.performActionForItemAt(static_cast<std::size_t>(index));
    }
    QuickDurationChangingViewController& quick() { return *define().quickDurationChangingViewController(); }
    // Return into the pop-over, which closes on it: the key's release would reach a window that
    // is gone, so only the press is sent.
    void returnKey()
    {
        backend().send(ui::Event::key(ui::Event::Type::KeyDown, app().keyWindow(), static_cast<std::uint16_t>(base::KeyCode::Return), "\r"));
    }
};

TEST_F(DefineTimeSliceStateTest, AMinuteMoreOrLessStepsWholeMinutesWithinTwoMinutesAndAnHour)
{
    startUp();
    struct Step {
        int64_t from;
        bool more;
        int64_t to;
    };
    const Step steps[] = { { 3599, true, 3600 }, { 3600, true, 3600 }, { 125, true, 180 }, { 185, false, 120 },
        { 180, false, 120 }, { 179, false, 179 } };
    for (const auto& step : steps) {
        store().set("durationInSeconds", step.from);
        ASSERT_TRUE(define().tryToPerform(step.more ? "addOneMinute:" : "subtractOneMinute:"));
        EXPECT_EQ(duration(), step.to) << step.from << (step.more ? " + 1 minute" : " - 1 minute");
    }
}

TEST_F(DefineTimeSliceStateTest, AStoredBreakLengthTheListLacksShowsTwoMinutesAndStartsAsStored)
{
    store().set("startWithBreakDurationInMinutes", 7);
    startUp();
    ASSERT_TRUE(breakLengths());
    EXPECT_EQ(breakLengths()->indexOfSelectedItem(), 0);
    EXPECT_EQ(breakLengths()->titleOfSelectedItem(), "of 2 minutes");
    define().startTimedBreak();
    EXPECT_EQ(model().oneTimeOnlyBreakDuration, 420);
    EXPECT_TRUE(model().useOneTimeOnlyBreakDurationThisTimeOnly);
    EXPECT_EQ(current(), helper->timedBreakRunningState());
}

TEST_F(DefineTimeSliceStateTest, TheRegisteredBreakLengthIsOneMinuteAndAChosenOneIsKept)
{
    startUp();
    EXPECT_EQ(store().integer("startWithBreakDurationInMinutes"), 1);
    choose(*breakLengths()->menu(), "of 15 minutes");
    EXPECT_EQ(store().integer("startWithBreakDurationInMinutes"), 15);
    auto button = viewsOf<PushButtonBrick>(*define().infoWall());
    auto start = std::find_if(button.begin(), button.end(), [](auto* b) { return b->title() == "Start with a Timed Break"; });
    ASSERT_NE(start, button.end());
    (*start)->performClick();
    EXPECT_EQ(model().oneTimeOnlyBreakDuration, 900);
    EXPECT_TRUE(model().useOneTimeOnlyBreakDurationThisTimeOnly);
    EXPECT_EQ(current(), helper->timedBreakRunningState());
}

TEST_F(DefineTimeSliceStateTest, TheQuickPopOverStartsAtTheWholeMinutesAndStoresWhatIsTyped)
{
    store().set("durationInSeconds", 1530);
    startUp();
    define().changeDuration();
    auto popOver = quick().popOver();
    ASSERT_TRUE(popOver->isShown());
    EXPECT_TRUE(popOver->isTransient());
    EXPECT_TRUE(popOver->hasDarkLook());
    EXPECT_EQ(quick().durationDigitsField()->integerValue(), 25);
    EXPECT_EQ(app().keyWindow(), popOver->window());
    type("30");
    returnKey();
    EXPECT_EQ(duration(), 1800);
    EXPECT_FALSE(popOver->isShown());
}

TEST_F(DefineTimeSliceStateTest, OpeningThePopOverAgainReplacesItAndAClickElsewhereChangesNothing)
{
    startUp();
    define().changeDuration();
    auto first = quick().popOver();
    define().changeDuration();
    EXPECT_FALSE(first->isShown()) << "the earlier pop-over closes first";
    auto second = quick().popOver();
    ASSERT_TRUE(second->isShown());
    EXPECT_NE(first, second);

    int64_t before = duration();
    click(*define().continueButton()->superview());
    EXPECT_FALSE(second->isShown());
    EXPECT_EQ(duration(), before);
}

TEST_F(DefineTimeSliceStateTest, TheQuickPopOverAndTheCommandPopUpNeverStandTogether)
{
    startUp();
    appDelegate->runCommandWindow();
    ASSERT_TRUE(commandPopUp().isRunning());
    define().changeDuration();
    EXPECT_FALSE(commandPopUp().isRunning());
    auto popOver = quick().popOver();
    ASSERT_TRUE(popOver->isShown());

    appDelegate->runCommandWindow();
    EXPECT_TRUE(commandPopUp().isRunning());
    EXPECT_FALSE(popOver->isShown());
    EXPECT_FALSE(define().quickDurationChangingViewController());
}

TEST_F(DefineTimeSliceStateTest, TheQuickPopOverRaisesTooSmallNumbersOnReturn)
{
    startUp();
    std::vector<int> set;
    auto quickly = QuickDurationChangingViewController::create();
    auto slider = define().slider();
    quickly->runModal(nullptr, *slider, 1, [&set](int minutes) { set.push_back(minutes); });
    EXPECT_EQ(quickly->durationDigitsField()->stringValue(), "1");
    returnKey();
    EXPECT_EQ(set, (std::vector<int> { 2 }));
    EXPECT_FALSE(quickly->popOver()->isShown());
}

TEST_F(DefineTimeSliceStateTest, TwoHoursOfScaleGiveTheSliderTwoToAHundredAndTwentyMinutes)
{
    startUp();
    auto slider = define().slider();
    EXPECT_DOUBLE_EQ(slider->maxValue(), 60);
    choose(*durationLabel()->wheelButton()->menu(), "Show 2 hours");
    EXPECT_EQ(model().timeSliceTimeScale->value(), TimeScale::twoHours);
    EXPECT_DOUBLE_EQ(slider->minValue(), 2);
    EXPECT_DOUBLE_EQ(slider->maxValue(), 120);
    EXPECT_EQ(slider->numberOfTickMarks(), 119);
    choose(*durationLabel()->wheelButton()->menu(), "Show \u00BE of an hour");
    EXPECT_DOUBLE_EQ(slider->maxValue(), 45);
    EXPECT_EQ(slider->numberOfTickMarks(), 44);
}

TEST_F(DefineTimeSliceStateTest, ADragToTwentyFourPointSixStopsAtTwentyFiveAndStoresFifteenHundred)
{
    startUp();
    auto slider = define().slider();
    // The point of the bar whose value is 24.6.
    double low = 0, high = slider->bounds().width();
    double y = slider->bounds().center().y;
    for (int i = 0; i < 40; ++i) {
        double middle = (low + high) / 2;
        (slider->valueAt({ middle, y }) < 24.6 ? low : high) = middle;
    }
    backend().drag(window(), topLeftOf(*slider, slider->knobRect().center()), topLeftOf(*slider, { low, y }));
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 25);
    EXPECT_EQ(duration(), 1500);
}

TEST_F(DefineTimeSliceStateTest, TheMiniIndicatorReadsWholeMinutesAndShowsOnlyWithBothPartsHidden)
{
    startUp();
    // Hidden by default, so out of the view tree: found among the stack's fragments.
    auto& stack = *define().fragmentStackView();
    MiniDefineDurationTimeIndicatorWall* found = nullptr;
    for (const auto& fragment : stack.arrangedSubviews())
        if (auto* mini = dynamic_cast<MiniDefineDurationTimeIndicatorWall*>(fragment.get()))
            found = mini;
    ASSERT_TRUE(found);
    auto& mini = *found;
    store().set("durationInSeconds", 1530);
    EXPECT_EQ(mini.durationTextField()->stringValue(), "25 Minutes");
    store().set("durationInSeconds", 59);
    EXPECT_EQ(mini.durationTextField()->stringValue(), "0 Minutes");
    EXPECT_EQ(stack.visibilityPriority(&mini), ui::VisibilityPriority::NotVisible);
    store().set("hideDurationAndEndDate", true);
    EXPECT_EQ(stack.visibilityPriority(&mini), ui::VisibilityPriority::NotVisible);
    store().set("hideBubbles", true);
    EXPECT_EQ(stack.visibilityPriority(&mini), ui::VisibilityPriority::MustHold) << "shown, and held as the window grows to it";
}

TEST_F(DefineTimeSliceStateTest, FocusingTheTagFieldShowsAHiddenTagEditor)
{
    store().set("hideTagEditor", true);
    startUp();
    define().selectTagTokenField();
    EXPECT_FALSE(store().boolean("hideTagEditor"));
    EXPECT_EQ(window().firstResponder(), static_cast<ui::Responder*>(define().tagTokenField().get()));
    define().selectObjectiveField();
    EXPECT_EQ(window().firstResponder(), static_cast<ui::Responder*>(define().objectiveTextView().get()));
}

TEST_F(DefineTimeSliceStateTest, EveryActivationBringsTheProgramForwardWithTheObjectiveSelected)
{
    startUp();
    define().objectiveTextView()->insertText(u"Outline chapter three");
    define().objectiveTextView()->setSelectedRange({ 0, 0 });
    machine->triggerTransition("next");
    app().hide();
    ASSERT_FALSE(app().isActive());
    machine->triggerTransition("straightToNextTimeSlice");
    EXPECT_EQ(current(), helper->defineTimeSliceState());
    EXPECT_TRUE(app().isActive());
    EXPECT_FALSE(app().isHidden());
    EXPECT_TRUE(window().isKeyWindow());
    EXPECT_EQ(define().objectiveTextView()->selectedRange().length, 21u);
    EXPECT_TRUE(define().continueButton()->isEnabled());
    EXPECT_FALSE(define().shouldConfirmTerminationWithUser());
}

TEST_F(DefineTimeSliceStateTest, ThePopUpListsTheScreensEntriesInOrder)
{
    startUp();
    MatchingItemCollector collector(store());
    define().collectMatchingItems(collector);
    std::vector<std::string> titles;
    for (const auto& item : collector.matchingItems())
        titles.push_back(item->displayString());
    const std::vector<std::string> expected { "Start Time Slice", "Start Timed Break", "Focus Tag Field",
        "Focus Objective Field", "Focus Duration Slider", "Quickly Change Duration...", "Hide Ostrel During Time Slice",
        "Bring to Front After 5 Minutes of Inactivity", "Bring to Front After 1 Hour of Inactivity",
        "Bring to Front After Breakfast", "Bring to Front After Lunch", "Start With Timed Break Option",
        "Half Height Text View", "Tag Editor" };
    ASSERT_GE(titles.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + std::ptrdiff_t(expected.size())), expected);
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Re-Run Profile Selection"), titles.end());
    EXPECT_EQ(titles.back(), "Duration Scale");

    // The default choice starts the slice.
    collector.matchingItems().front()->execute();
    EXPECT_EQ(current(), helper->timeSliceRunningState());
}

}

}
