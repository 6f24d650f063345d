#include "TimeViewsFixture.h"

#include "viewkit/BubbleViewForTimedState.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"
#include "viewkit/TimeBubbleView.h"
#include "viewkit/TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall.h"

#include "platform/base/DateFormat.h"

namespace ostrel::test {

namespace {

// A slider that remembers which ticks it was asked for.
class RecordingSlider final : public ui::Slider {
public:
    static std::shared_ptr<RecordingSlider> create(double minValue, double maxValue, int ticks)
    {
        std::shared_ptr<RecordingSlider> slider(new RecordingSlider(minValue, maxValue));
        slider->setNumberOfTickMarks(ticks);
        return slider;
    }
    ui::Rect rectOfTickMark(int index) const override
    {
        asked.push_back(index);
        return ui::Slider::rectOfTickMark(index);
    }
    mutable std::vector<int> asked;

private:
    RecordingSlider(double minValue, double maxValue)
        : ui::Slider(minValue, maxValue, minValue)
    {
    }
};

class TimeBubblesTest : public TimeViewsTest {
protected:
    // A row of the given width over a slider 560 points wide at x 20 (its ticks at
    // 28 + 544 × index / (ticks − 1)), side by side in one view, positioned at that time.
    template<typename Row = TimeBubbleView>
    std::shared_ptr<Row> rowAt(double time, double rowWidth = 600, double minValue = 2, double maxValue = 60, int ticks = 59)
    {
        clock.set(time);
        slider = RecordingSlider::create(minValue, maxValue, ticks);
        slider->setFrame(ui::Rect(20, 10, 560, 23));
        auto row = Row::createNewTimeBubbleView(slider);
        row->setTranslatesAutoresizingMaskIntoConstraints(true);
        row->setFrame(ui::Rect(0, 40, rowWidth, 26));
        container->addSubview(slider);
        container->addSubview(row);
        row->updateState();
        return row;
    }
    static std::vector<std::int64_t> shownMinutes(const TimeBubbleView& row)
    {
        std::vector<std::int64_t> shown;
        for (std::size_t i = 0; i < row.bubbleViews().size(); ++i) {
            if (!row.bubbleViews()[i]->isHidden())
                shown.push_back(row.bubbleDurations()[i]);
        }
        return shown;
    }
    static double tickCentre(int index) { return 28 + 544.0 * index / 58; }

    std::shared_ptr<ui::View> container = ui::View::create(ui::Rect(0, 0, 600, 80));
    std::shared_ptr<RecordingSlider> slider;
};

}

TEST_F(TimeBubblesTest, BubblesOfferTheComingQuarterHoursAtLeastTwoMinutesAway)
{
    auto row = rowAt(at(10, 7, 12));
    EXPECT_EQ(row->bubbleViews().size(), 10u);
    EXPECT_EQ(row->bubbleDurations(), (std::vector<std::int64_t> { 8, 23, 38, 53, 68, 83, 98, 113, 128, 143 }));
    EXPECT_EQ(row->bubbleDates().front(), at(10, 15, 12)) << "a bubble's date keeps the seconds of now";
    EXPECT_EQ(row->bubbleDates().back(), at(12, 30, 12));
    EXPECT_EQ(row->bubbleViews()[0]->title(), base::DateFormat::formatStyled(at(10, 15), base::DateFormat::Style::None, base::DateFormat::Style::Short));
    EXPECT_NE(row->bubbleViews()[0]->title().find("10:15"), std::string::npos);

    clock.set(at(10, 14));
    row->updateState();
    EXPECT_EQ(row->bubbleDurations().front(), 16) << "1 minute is below the minimum of 2";
    EXPECT_NE(row->bubbleViews()[0]->title().find("10:30"), std::string::npos);
    clock.set(at(10, 13));
    row->updateState();
    EXPECT_EQ(row->bubbleDurations().front(), 2);
}

TEST_F(TimeBubblesTest, OnlyMinutesBelowTheTickCountAreShownAndNoTickOutsideTheRangeIsAsked)
{
    auto row = rowAt(at(10, 7));
    EXPECT_EQ(shownMinutes(*row), (std::vector<std::int64_t> { 8, 23, 38, 53 }));
    // 59 minutes has a tick on a 2 … 60 slider, but only minutes below the tick count show.
    clock.set(at(10, 1));
    row->updateState();
    EXPECT_EQ(shownMinutes(*row), (std::vector<std::int64_t> { 14, 29, 44 }));

    // A slider that starts at 10: the 8-minute bubble would need tick −2.
    auto offset = rowAt(at(10, 7), 600, 10, 60, 51);
    EXPECT_EQ(shownMinutes(*offset), (std::vector<std::int64_t> { 23, 38 }));
    EXPECT_EQ(slider->asked, (std::vector<int> { 13, 28 }));
}

TEST_F(TimeBubblesTest, BubblesPointAtTheirTicksAndArePinnedInsideTheRow)
{
    auto row = rowAt(at(10, 13));
    auto& first = *row->bubbleViews()[0];
    // 2 minutes is tick 0 at x 28: the bubble would start at −2, so it is pinned 8 points in
    // and its arrow moves left to keep pointing at the tick.
    EXPECT_EQ(first.frame(), ui::Rect(8, 1, 60, 25));
    EXPECT_EQ(first.middleX(), 20);
    EXPECT_EQ(first.frame().minX() + first.middleX(), 28);
    auto& second = *row->bubbleViews()[1];
    EXPECT_EQ(second.frame().minX(), std::floor(tickCentre(15) - 30));
    EXPECT_EQ(second.middleX(), 30);

    // A row narrower than the slider pins its last shown bubble 8 points inside its right edge.
    auto narrow = rowAt(at(10, 13), 478);
    auto& fourth = *narrow->bubbleViews()[3];
    ASSERT_FALSE(fourth.isHidden());
    double unpinned = std::floor(tickCentre(45) - 30);
    EXPECT_EQ(fourth.frame().maxX(), 478 - 8);
    EXPECT_EQ(fourth.middleX(), (unpinned + 60 - 470) + 30);
}

TEST_F(TimeBubblesTest, TheArrowPositionIsRoundedAndKeptOffTheCorners)
{
    auto bubble = BubbleViewWithArrowOnTop::create();
    EXPECT_EQ(bubble->middleX(), 5);
    for (auto [given, stored] : { std::pair { 0.4, 1.0 }, { 0.0, 1.0 }, { 30.6, 31.0 }, { 30.5, 31.0 }, { 42.4, 42.0 }, { 42.6, 45.0 } }) {
        bubble->setMiddleX(given);
        EXPECT_EQ(bubble->middleX(), stored) << given;
    }
}

TEST_F(TimeBubblesTest, AClickSetsThePlannedDurationAndARowFollowsTheModel)
{
    auto row = rowAt(at(10, 7));
    model().addDurationListener(row);
    row->bubbleViews()[1]->mouseDown(click());
    EXPECT_EQ(model().durationInSeconds(), 23 * 60);

    // A change of the duration repositions the row for the time it is now.
    clock.set(at(10, 14));
    model().setDurationInMinutes(40);
    EXPECT_EQ(row->bubbleDurations().front(), 16);

    std::vector<std::int64_t> asked;
    row->setNewDurationFunc = [&asked](std::int64_t minutes) { asked.push_back(minutes); };
    row->bubbleViews()[0]->mouseDown(click());
    EXPECT_EQ(asked, std::vector<std::int64_t> { 16 });
    EXPECT_EQ(model().durationInMinutes(), 40);
}

TEST_F(TimeBubblesTest, AClickOnARunningRowEndsTheMachineAtTheBubblesTime)
{
    // The slice began at 09:48:01; its walls last froze the time at 10:08:01, 1,200 seconds in.
    clock.set(at(9, 48, 1));
    auto screen = std::make_shared<FakeTimedScreen>(1500);
    screen->activate();
    auto row = rowAt<BubbleViewForTimedState>(at(10, 7, 0.4));
    row->setTimedState(screen);
    screen->module->viewModel->frozenTime = at(10, 8, 1);

    auto wall = TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall::create();
    wall->setViewModel(screen->module->viewModel);
    int refreshed = 0;
    screen->views = { row, wall, GenericUpdateViewTypeImplementation::create([&refreshed] { ++refreshed; }) };

    // The first bubble stands for 10:15:00.4, 419.4 seconds after the frozen time.
    model().setDurationInSeconds(900);
    row->bubbleViews()[0]->mouseDown(click());
    EXPECT_EQ(screen->module->stateMachine->config()->workingDuration, 1620);
    EXPECT_EQ(model().durationInSeconds(), 900) << "the setting is not touched";
    EXPECT_TRUE(screen->events.empty()) << "the machine tells the screen nothing";
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(wall->totalDurationField()->stringValue(), "27′00″");

    // Without a module the click does nothing.
    screen->deactivate();
    screen->module = nullptr;
    row->bubbleViews()[0]->mouseDown(click());
    EXPECT_EQ(refreshed, 1);
}

}
