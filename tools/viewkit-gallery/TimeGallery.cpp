#include "TimeGallery.h"
#include "GalleryPlacement.h"

#include "viewkit/BreakElapsedAndEndTimeIndicatorHideableFragmentWall.h"
#include "viewkit/BreakRemainingAndTotalTimeIndicatorHideableFragmentWall.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/DefineDurationTimeIndicatorWall.h"
#include "viewkit/DurationView.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"
#include "viewkit/GroupTableCell.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/SmallDurationView.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall.h"
#include "viewkit/TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall.h"

#include "core/DataModel.h"
#include "core/SmartScheduler.h"
#include "log/Logger.h"

#include "platform/base/MainQueue.h"
#include "platform/base/Timer.h"

#include <cmath>
#include <cstdio>
#include <optional>

using namespace ostrel;
using A = ui::LayoutAttribute;

// A running slice of 25 minutes for the running walls and row, counting as a screen does.
class GalleryRunningSlice final : public TimedStateType, public RunningTimedScreen, public std::enable_shared_from_this<GalleryRunningSlice> {
public:
    void start()
    {
        Logger::sharedLogger().resetActualSecondsWorked();
        m_module = TimedStateMachineModule::create(shared_from_this());
        m_module->viewModel->frozenTime = Clock::now();
    }
    // As a screen does when it is left: the scheduler's timer holds the module's chain.
    void stop()
    {
        if (m_module && m_module->scheduler->timer) {
            m_module->scheduler->timer->stop();
            m_module->scheduler->timer = nullptr;
        }
    }
    int64_t duration() const override { return 25 * 60; }
    void execute(Event event) override
    {
        if (event == Event::oneTick) {
            m_module->viewModel->frozenTime = Clock::now();
            Logger::sharedLogger().incrementActualSecondsWorked();
            return;
        }
        // Over: a new slice begins, as the gallery has no screens to go on to.
        stop();
        std::weak_ptr<GalleryRunningSlice> weakSelf = shared_from_this();
        base::MainQueue::async([weakSelf] {
            if (auto self = weakSelf.lock())
                self->start();
        });
    }
    std::shared_ptr<TimedStateMachineModule> timedStateMachineModule() const override { return m_module; }
    std::vector<std::shared_ptr<UpdatedViewType>> updatableViewList() const override { return views; }

    std::vector<std::shared_ptr<UpdatedViewType>> views;

private:
    std::shared_ptr<TimedStateMachineModule> m_module;
};

namespace {

std::shared_ptr<ui::Slider> durationSlider()
{
    auto slider = ui::Slider::create(2, 60, 25);
    slider->setNumberOfTickMarks(59);
    slider->setAllowsTickMarkValuesOnly(true);
    return slider;
}

// A slider across a section, one inset in from both sides.
void placeSlider(Wall& section, const std::shared_ptr<ui::Slider>& slider, const BricksFactory::ConstraintsClosure& vertical)
{
    section.factory().internalAddBrick(slider, [&vertical](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Right, A::Right);
        vertical(maker);
    });
}

// A group row over one plain row, as a table's heading.
class GroupRows final : public ui::TableViewDataSource {
public:
    int numberOfRows(ui::TableView&) override { return 2; }
    bool isGroupRow(ui::TableView&, int row) override { return row == 0; }
    std::shared_ptr<ui::View> viewForRow(ui::TableView&, int row) override
    {
        if (row == 0) {
            auto cell = GroupTableCell::create("Group row");
            cell->setTextColor(gfx::colors::white);
            return cell;
        }
        return standardLabel("  An ordinary row");
    }
};

}

TimeGallery::TimeGallery(ui::Point topLeft)
    : m_stack(makeFragmentWindow(m_window, "Time views", topLeft, kWidth, kHeight))
    , m_runningSlice(std::make_shared<GalleryRunningSlice>())
{
    m_runningSlice->start();
    addDefineSection();
    addRunningSection();
    addDisplays();
    addOlderPanel();

    m_refreshTimer = Clock::timerWithSimulatedTimeInterval(1.0, true, [this](base::Timer&) { refresh(); });
    m_window->makeKeyAndOrderFront();
    m_window->makeFirstResponder(m_typedDuration.get());
}

TimeGallery::~TimeGallery()
{
    if (m_refreshTimer)
        m_refreshTimer->stop();
    if (m_positionWatch)
        m_positionWatch->invalidate();
    m_runningSlice->stop();
}

void TimeGallery::addDefineSection()
{
    auto label = appended(*m_stack, LabelFragment::labelFragment("Duration"));
    label->setIsFirstLabel(true);
    auto& model = DataModel::shared();

    auto section = appended(*m_stack, FragmentWall::create());
    fixedHeight(*section, 56);
    m_defineSlider = durationSlider();
    bindDurationInMinutes(model, *m_defineSlider);
    m_defineRow = TimeBubbleView::createNewTimeBubbleView(m_defineSlider);
    // The row at the section's left edge: bubbles are placed by the slider's frame in it.
    section->factory().internalAddBrick(m_defineRow, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 2).pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0);
    });
    auto row = m_defineRow;
    placeSlider(*section, m_defineSlider, [row](LayoutConstraintMaker& maker) { maker.and_(*row).pin(A::Top, A::Bottom, 2); });
    model.addDurationListener(m_defineRow);
    m_updatableViews.push_back(m_defineRow);

    // The strip in a fragment of its own, its left edge under the slider's.
    m_calendarStrip = CalendarView::createCalendarView(m_defineSlider);
    m_calendarStrip->prepare();
    auto stripFragment = appended(*m_stack, HideableFragmentWall::create("hideCalendarEvents", false));
    stripFragment->factory().internalAddBrick(m_calendarStrip, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Right, A::Right).pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0);
    });
    std::weak_ptr<CalendarView> strip = m_calendarStrip;
    m_updatableViews.push_back(GenericUpdateViewTypeImplementation::create([strip] {
        if (auto view = strip.lock())
            view->updateState();
    }));

    auto wall = appended(*m_stack, DefineDurationTimeIndicatorWall::create("hideDurationAndEndDate", false));
    fixedHeight(*wall, 40);
    m_updatableViews.push_back(wall);
}

void TimeGallery::addRunningSection()
{
    appended(*m_stack, LabelFragment::labelFragment("Running slice"));
    auto section = appended(*m_stack, FragmentWall::create());
    fixedHeight(*section, 56);
    m_runningSlider = durationSlider();
    m_runningSlider->setEnabled(false);
    auto row = BubbleViewForTimedState::createNewTimeBubbleView(m_runningSlider);
    row->setTimedState(m_runningSlice);
    section->factory().internalAddBrick(row, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 2).pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0);
    });
    placeSlider(*section, m_runningSlider, [&row](LayoutConstraintMaker& maker) { maker.and_(*row).pin(A::Top, A::Bottom, 2); });

    auto& views = m_runningSlice->views;
    views.push_back(row);
    // The slider shows the running total, which a bubble click changes.
    std::weak_ptr<GalleryRunningSlice> slice = m_runningSlice;
    std::weak_ptr<ui::Slider> slider = m_runningSlider;
    views.push_back(GenericUpdateViewTypeImplementation::create([slice, slider] {
        auto s = slice.lock();
        auto knob = slider.lock();
        auto module = s ? s->timedStateMachineModule() : nullptr;
        if (knob && module && module->stateMachine->config())
            knob->setDoubleValue(std::round(module->stateMachine->config()->workingDuration / 60.0));
    }));

    auto sliceElapsed = appended(*m_stack, TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall::create());
    auto sliceRemaining = appended(*m_stack, TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall::create());
    auto breakElapsed = appended(*m_stack, BreakElapsedAndEndTimeIndicatorHideableFragmentWall::create());
    auto breakRemaining = appended(*m_stack, BreakRemainingAndTotalTimeIndicatorHideableFragmentWall::create());
    for (Wall* wall : std::initializer_list<Wall*> { sliceElapsed.get(), sliceRemaining.get(), breakElapsed.get(), breakRemaining.get() })
        fixedHeight(*wall, 44);
    // As the screen does before each refresh: the walls read the current module's model.
    views.push_back(GenericUpdateViewTypeImplementation::create([slice, sliceElapsed, sliceRemaining, breakElapsed, breakRemaining] {
        auto s = slice.lock();
        auto module = s ? s->timedStateMachineModule() : nullptr;
        if (!module)
            return;
        sliceElapsed->setViewModel(module->viewModel);
        sliceRemaining->setViewModel(module->viewModel);
        breakElapsed->setViewModel(module->viewModel);
        breakRemaining->setViewModel(module->viewModel);
    }));
    for (const std::shared_ptr<UpdatedViewType>& wall : std::initializer_list<std::shared_ptr<UpdatedViewType>> {
             sliceElapsed, sliceRemaining, breakElapsed, breakRemaining })
        views.push_back(wall);
}

void TimeGallery::addDisplays()
{
    appended(*m_stack, LabelFragment::labelFragment("Displays"));
    auto section = appended(*m_stack, FragmentWall::create());
    fixedHeight(*section, 84);
    BricksFactory& bricks = section->factory();
    auto large = DurationView::create();
    bricks.internalAddBrick(large, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).pin(A::CenterY, A::CenterY, 0);
        maker.width(200).height(80);
    });
    auto small = SmallDurationView::create();
    small->setSeconds(2 * 3600 + 5 * 60);
    bricks.internalAddBrick(small, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(*bricks.previous()).pin(A::Left, A::Right, 8).pin(A::Top, A::Top, 0);
        maker.width(100).height(40);
    });
    auto dashes = SmallDurationView::create();
    dashes->setDisplayTime(false);
    dashes->setDisabled(true);
    bricks.internalAddBrick(dashes, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(*bricks.previous()).pin(A::Left, A::Left, 0).pin(A::Top, A::Bottom, 0);
        maker.width(100).height(40);
    });
    m_readout = ReadoutLayer::create();
    bricks.internalAddBrick(m_readout, [&small](LayoutConstraintMaker& maker) {
        maker.and_(*small).pin(A::Left, A::Right, 8).pin(A::Top, A::Top, 0);
        maker.width(300).height(40);
    });
    // The table takes the width of what holds it.
    auto tableWall = bricks.wall(gfx::Size { 200, 34 }, [this](LayoutConstraintMaker& maker) {
        maker.and_(*m_readout).pin(A::Left, A::Left, 0).pin(A::Top, A::Bottom, 4);
    });
    m_table = ui::TableView::create();
    m_tableSource = std::make_shared<GroupRows>();
    m_table->setDataSource(m_tableSource.get());
    tableWall->factory().internalAddBrick(m_table, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });
    m_table->reloadData();

    std::weak_ptr<GalleryRunningSlice> slice = m_runningSlice;
    std::weak_ptr<DurationView> display = large;
    std::weak_ptr<ReadoutLayer> readout = m_readout;
    m_updatableViews.push_back(GenericUpdateViewTypeImplementation::create([slice, display, readout] {
        auto s = slice.lock();
        auto module = s ? s->timedStateMachineModule() : nullptr;
        if (!module)
            return;
        double remaining = module->viewModel->remainingSeconds();
        if (auto view = display.lock()) {
            view->setSeconds(static_cast<std::int64_t>(remaining));
            view->setNeedsDisplay();
        }
        if (auto view = readout.lock())
            view->setTimeLeft(remaining);
    }));
}

void TimeGallery::addOlderPanel()
{
    appended(*m_stack, LabelFragment::labelFragment("Older panel (type digits for minutes)"));
    auto section = appended(*m_stack, FragmentWall::create());
    fixedHeight(*section, 110);
    m_panelSlider = durationSlider();
    bindDurationInMinutes(DataModel::shared(), *m_panelSlider);
    placeSlider(*section, m_panelSlider, [](LayoutConstraintMaker& maker) { maker.container().pin(A::Top, A::Top, 4); });
    // The panel lays itself out by frames, as wide as the slider below which it sits.
    double width = kWidth - 16;
    m_panel = TimeControlBottomView::create(ui::Rect(8, 0, width, 80));
    section->addSubview(m_panel);
    m_panel->prepare();
    m_panel->activate();
    m_typedDuration = OldDurationView::create(ui::Rect(0, 0, 1, 1));
    m_typedDuration->setTimeControlBottomView(m_panel);
    section->addSubview(m_typedDuration);
    std::weak_ptr<TimeControlBottomView> panel = m_panel;
    m_updatableViews.push_back(GenericUpdateViewTypeImplementation::create([panel] {
        if (auto view = panel.lock())
            view->updateState();
    }));
}

void TimeGallery::refresh()
{
    m_window->layoutIfNeeded();
    for (const auto& view : m_updatableViews)
        view->updateState();
    for (const auto& view : m_runningSlice->updatableViewList())
        view->updateState();
}

std::string TimeGallery::positions()
{
    m_window->layoutIfNeeded();
    std::string report;
    char line[256];
    if (auto slider = rootRectOf(*m_defineSlider)) {
        std::snprintf(line, sizeof line, "timeslider %g %g %g %g\nticks %d %g %g\n", slider->minX(), slider->minY(),
            slider->width(), slider->height(), m_defineSlider->numberOfTickMarks(), m_defineSlider->minValue(),
            m_defineSlider->maxValue());
        report += line;
    }
    const auto& bubbles = m_defineRow->bubbleViews();
    const auto& minutes = m_defineRow->bubbleDurations();
    for (std::size_t i = 0; i < bubbles.size() && i < minutes.size(); ++i) {
        if (auto placed = rootRectOf(*bubbles[i])) {
            std::snprintf(line, sizeof line, "bubble %lld %g %g\n", static_cast<long long>(minutes[i]), placed->midX(), placed->midY());
            report += line;
        }
    }
    if (auto bar = rootRectOf(*m_calendarStrip->bottomEventView())) {
        std::snprintf(line, sizeof line, "bar %g %g %g %g %s\n", bar->minX(), bar->minY(), bar->width(), bar->height(),
            m_calendarStrip->bottomEventView()->title().c_str());
        report += line;
    }
    return report;
}

void TimeGallery::reportPositions()
{
    m_positionWatch = base::Timer::create(0.05, true, base::RunLoop::Mode::Common, [this](base::Timer&) {
        if (auto now = positions(); now != m_lastPositions) {
            m_lastPositions = now;
            std::fputs(now.c_str(), stdout);
            std::fflush(stdout);
        }
        if (double value = m_defineSlider->doubleValue(); value != m_lastSliderValue) {
            m_lastSliderValue = value;
            std::printf("slidervalue %g\n", value);
            std::fflush(stdout);
        }
    });
}
