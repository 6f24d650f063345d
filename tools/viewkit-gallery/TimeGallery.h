#pragma once

#include "viewkit/BubbleViewForTimedState.h"
#include "viewkit/CalendarView.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/OldDurationView.h"
#include "viewkit/ReadoutLayer.h"
#include "viewkit/RunningTimedScreen.h"
#include "viewkit/TimeBubbleView.h"
#include "viewkit/TimeControlBottomView.h"
#include "viewkit/UpdatedViewType.h"

#include "core/Clock.h"
#include "core/TimedStateMachineModule.h"

#include "platform/ui/Slider.h"
#include "platform/ui/TableView.h"
#include "platform/ui/Window.h"

#include <memory>
#include <string>
#include <vector>

class GalleryRunningSlice;

// The time views of the kit in a second window, over duration sliders from 2 to 60 minutes:
// the define screen's bubble row, slider, calendar strip (over the desktop's calendar store)
// and duration wall; a running slice's bubble row and its four walls; the duration
// displays and the read-out; a group row; the older panel with its typed duration. Everything
// is refreshed once a second, as a screen does.
class TimeGallery {
public:
    static constexpr double kWidth = 640;
    static constexpr double kHeight = 800;

    explicit TimeGallery(ui::Point topLeft);
    ~TimeGallery();

    ui::Window& window() const { return *m_window; }
    // Runs every refresh once now (after layout), as the first second would.
    void refresh();

    // For the end-to-end test, in X's root coordinates: "timeslider x y w h" (the define
    // slider, with "ticks n min max"), "bubble <minutes> x y" for each bubble shown, "bar x y
    // w h <title>" for the strip's earliest bar while it shows; again whenever they change;
    // and "slidervalue <minutes>" whenever the slider moves.
    void reportPositions();

private:
    void addDefineSection();
    void addRunningSection();
    void addDisplays();
    void addOlderPanel();
    std::string positions();

    std::shared_ptr<ui::Window> m_window;
    std::shared_ptr<ostrel::FragmentStackView> m_stack;
    std::shared_ptr<ui::Slider> m_defineSlider;
    std::shared_ptr<ostrel::TimeBubbleView> m_defineRow;
    std::shared_ptr<ostrel::CalendarView> m_calendarStrip;
    std::shared_ptr<GalleryRunningSlice> m_runningSlice;
    std::shared_ptr<ui::Slider> m_runningSlider;
    std::shared_ptr<ostrel::ReadoutLayer> m_readout;
    std::shared_ptr<ui::TableView> m_table;
    std::shared_ptr<ui::TableViewDataSource> m_tableSource;
    std::shared_ptr<ui::Slider> m_panelSlider;
    std::shared_ptr<ostrel::TimeControlBottomView> m_panel;
    std::shared_ptr<ostrel::OldDurationView> m_typedDuration;
    std::vector<std::shared_ptr<ostrel::UpdatedViewType>> m_updatableViews;
    std::shared_ptr<ostrel::SmartTimerWrapper> m_refreshTimer;
    std::shared_ptr<base::Timer> m_positionWatch;
    std::string m_lastPositions;
    double m_lastSliderValue { -1 };
};
