#include "TimeViewsFixture.h"

#include "viewkit/BreakElapsedAndEndTimeIndicatorHideableFragmentWall.h"
#include "viewkit/BreakRemainingAndTotalTimeIndicatorHideableFragmentWall.h"
#include "viewkit/DefineDurationTimeIndicatorWall.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/OstrelControlSkin.h"
#include "viewkit/TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall.h"
#include "viewkit/TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall.h"

#include "log/Logger.h"

namespace ostrel::test {

namespace {

class TimeIndicatorWallsTest : public TimeViewsTest {
protected:
    // A 75-minute-old slice of 100 minutes, its model frozen at its last tick.
    std::shared_ptr<FakeTimedScreen> runningFor(double seconds, std::int64_t duration = 6000)
    {
        clock.set(at(10, 0));
        auto screen = std::make_shared<FakeTimedScreen>(duration);
        screen->activate();
        clock.advance(seconds);
        screen->module->viewModel->frozenTime = clock.now();
        return screen;
    }
    // The wall filling a window, laid out.
    void place(const std::shared_ptr<Wall>& wall, double width = 600, double height = 40)
    {
        m_window = window(width, height);
        m_window->contentView()->addSubview(wall);
        LayoutConstraintMaker maker(*wall);
        maker.fillContainer();
        m_window->contentView()->addConstraints(maker.constraints());
        m_window->layoutIfNeeded();
    }
    std::shared_ptr<ui::Window> m_window;
};

}

TEST_F(TimeIndicatorWallsTest, WithoutAViewModelARefreshKeepsTheInitialTexts)
{
    auto sliceElapsed = TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall::create();
    auto breakElapsed = BreakElapsedAndEndTimeIndicatorHideableFragmentWall::create();
    auto sliceRemaining = TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall::create();
    auto breakRemaining = BreakRemainingAndTotalTimeIndicatorHideableFragmentWall::create();
    for (auto* wall : { static_cast<ElapsedAndEndTimeIndicatorWall*>(sliceElapsed.get()), static_cast<ElapsedAndEndTimeIndicatorWall*>(breakElapsed.get()) }) {
        wall->updateState();
        EXPECT_EQ(wall->elapsedTextField()->stringValue(), "00");
        EXPECT_EQ(wall->endDateField()->stringValue(), "");
    }
    for (auto* wall : { static_cast<RemainingAndTotalTimeIndicatorWall*>(sliceRemaining.get()), static_cast<RemainingAndTotalTimeIndicatorWall*>(breakRemaining.get()) }) {
        wall->updateState();
        EXPECT_EQ(wall->remainingTextField()->stringValue(), "00");
        EXPECT_EQ(wall->totalDurationField()->stringValue(), "Total");
    }
}

TEST_F(TimeIndicatorWallsTest, RunningWallsShowMinutesWithoutHoursAndTheEndAsATimeOfDay)
{
    auto screen = runningFor(4500);
    auto& model = screen->module->viewModel;
    double end = at(10, 0) + 6000;

    auto breakElapsed = BreakElapsedAndEndTimeIndicatorHideableFragmentWall::create();
    breakElapsed->setViewModel(model);
    clock.advance(0.7); // the refresh freezes the model's time: the 0.7 s count
    breakElapsed->updateState();
    EXPECT_EQ(breakElapsed->elapsedTextField()->stringValue(), "75′00″");
    EXPECT_EQ(model->frozenTime, clock.now());
    EXPECT_EQ(breakElapsed->endDateField()->stringValue(), timeOfDay(end));
    ASSERT_TRUE(breakElapsed->endDateField()->attributedStringValue());

    // The slice counts what the log writer counts as worked, not the time since it began.
    auto& logger = Logger::sharedLogger();
    logger.resetActualSecondsWorked();
    for (int i = 0; i < 61; ++i)
        logger.incrementActualSecondsWorked();
    auto sliceElapsed = TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall::create();
    sliceElapsed->setViewModel(model);
    sliceElapsed->updateState();
    EXPECT_EQ(sliceElapsed->elapsedTextField()->stringValue(), "01′01″");
    EXPECT_EQ(sliceElapsed->endDateField()->stringValue(), timeOfDay(end));
    logger.resetActualSecondsWorked();

    auto remaining = TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall::create();
    remaining->setViewModel(model);
    remaining->updateState();
    EXPECT_EQ(remaining->remainingTextField()->stringValue(), "24′59″") << "1499.3 seconds, truncated";
    EXPECT_EQ(remaining->totalDurationField()->stringValue(), "100′00″");
    EXPECT_EQ(model->totalSeconds(), 6000);
    EXPECT_NEAR(model->elapsedSeconds(), 4500.7, 1e-6);

    // Past the end the remaining time stays at zero.
    clock.advance(2000);
    remaining->updateState();
    EXPECT_EQ(remaining->remainingTextField()->stringValue(), "00′00″");
}

TEST_F(TimeIndicatorWallsTest, TheDefineWallReadsThePlannedDurationThroughTheModel)
{
    clock.set(at(10, 7));
    auto wall = DefineDurationTimeIndicatorWall::create("hideDurationAndEndDate", false);
    EXPECT_EQ(wall->storageKeys(), std::vector<std::string> { "hideDurationAndEndDate" });
    EXPECT_EQ(wall->durationTextField()->stringValue(), "00");

    model().setDurationInSeconds(1500);
    wall->updateState();
    EXPECT_EQ(wall->durationTextField()->stringValue(), "25");
    EXPECT_EQ(wall->endDateField()->stringValue(), timeOfDay(at(10, 32)));

    model().setDurationInSeconds(90);
    wall->updateState();
    EXPECT_EQ(wall->durationTextField()->stringValue(), "1");
    EXPECT_EQ(wall->endDateField()->stringValue(), timeOfDay(at(10, 8, 30)));

    // A value no program would store is outside input: it reads as the default, never fatal.
    model().store()->set("durationInSeconds", static_cast<long long>(1e15));
    wall->updateState();
    EXPECT_EQ(wall->durationTextField()->stringValue(), "15");
    EXPECT_EQ(wall->endDateField()->stringValue(), timeOfDay(at(10, 7) + 900));
    model().store()->set("durationInSeconds", "twenty");
    wall->updateState();
    EXPECT_EQ(wall->durationTextField()->stringValue(), "15");
}

TEST_F(TimeIndicatorWallsTest, RunningWallsPlaceEightyPointLabelsAndTheirValuesInTwoHalves)
{
    auto wall = BreakRemainingAndTotalTimeIndicatorHideableFragmentWall::create();
    place(wall);
    ASSERT_EQ(wall->subviews().size(), 2u);
    auto& left = *wall->subviews()[0];
    auto& right = *wall->subviews()[1];
    EXPECT_EQ(left.frame(), ui::Rect(0, 0, 300, 40));
    EXPECT_EQ(right.frame(), ui::Rect(300, 0, 300, 40));

    double inset = static_cast<Wall&>(left).factory().internalHorizontalInset();
    for (auto* half : { &left, &right }) {
        ASSERT_EQ(half->subviews().size(), 2u);
        auto& label = static_cast<ui::TextField&>(*half->subviews()[0]);
        auto& value = static_cast<ui::TextField&>(*half->subviews()[1]);
        EXPECT_EQ(label.frame().minX(), half == &left ? inset : 0);
        EXPECT_EQ(label.frame().width(), 80);
        EXPECT_EQ(label.alignment(), gfx::TextAlignment::right);
        EXPECT_EQ(value.frame().minX(), label.frame().maxX() + 4) << "a space between label and value";
        EXPECT_EQ(value.font(), OstrelControlSkin::shared().proportionalDigitsFont());
        // Label and value share their first baseline.
        EXPECT_NEAR(label.frame().maxY() - *label.firstBaselineOffsetFromTop(), value.frame().maxY() - *value.firstBaselineOffsetFromTop(), 0.5);
    }
    EXPECT_EQ(static_cast<ui::TextField&>(*left.subviews()[0]).stringValue(), "Remaining:");
    EXPECT_EQ(static_cast<ui::TextField&>(*right.subviews()[0]).stringValue(), "Total:");
}

TEST_F(TimeIndicatorWallsTest, ATimeOfDayWithTwoDigitHoursStaysWithinTheColumn)
{
    // The left column's 440 points, ending at 10:40:16 AM.
    auto wall = TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall::create();
    place(wall, 440);
    wall->endDateField()->setStringValue("10:40:16 AM");
    m_window->layoutIfNeeded();
    auto& right = *wall->subviews()[1];
    auto& label = *right.subviews()[0];
    auto& value = *wall->endDateField();
    EXPECT_LE(value.frame().maxX(), right.bounds().maxX() - 6) << "its AM was cut at the window's edge";
    EXPECT_GE(value.frame().width(), value.intrinsicContentSize().width);
    EXPECT_LT(label.frame().width(), 80) << "the label gave way";
    EXPECT_GE(label.frame().width(), label.intrinsicContentSize().width);
}

TEST_F(TimeIndicatorWallsTest, AGenericEntryRunsItsClosureOnEachRefresh)
{
    int runs = 0;
    auto entry = GenericUpdateViewTypeImplementation::create([&runs] { ++runs; });
    std::shared_ptr<UpdatedViewType> asListed = entry;
    asListed->updateState();
    asListed->updateState();
    EXPECT_EQ(runs, 2);
}

}
