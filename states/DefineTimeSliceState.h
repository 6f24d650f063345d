#pragma once

#include "states/ModernUIState.h"

#include <memory>
#include <optional>
#include <vector>

namespace ui {
class Slider;
}

namespace ostrel {

class CalendarView;
class DefineDurationTimeIndicatorWall;
class DurationSliderViewController;
class KVOResponder;
class PushButtonBrick;
class QuickDurationChangingViewController;
class SmartTimerWrapper;
class TimeBubbleView;

// Where the user states the next time slice's objective and duration and starts it, or
// starts a one-time timed break instead. The duration is the setting "durationInSeconds",
// which the slider, the bubbles, the quick pop-over, the parser and the ±1-minute commands
// all write. While the program is in the background this screen may bring it back to the
// front by itself: after five minutes of inactivity, an hour away, breakfast or lunch, each
// as its own setting says.
class DefineTimeSliceState final : public ModernUIState, public ValueChangeListener {
public:
    // Registered as a duration listener of the model. The model outlives the screen.
    static std::shared_ptr<DefineTimeSliceState> create(DataModel& model);
    ~DefineTimeSliceState() override;

    std::string className() const override { return std::string(kModuleName) + ".DefineTimeSliceState"; }

    const std::shared_ptr<TimeBubbleView>& bubbleView() const { return m_bubbleView; }
    const std::shared_ptr<CalendarView>& calendarView() const { return m_calendarView; }
    const std::shared_ptr<DefineDurationTimeIndicatorWall>& durationIndicatorFragment() const { return m_durationIndicatorFragment; }
    const std::shared_ptr<PushButtonBrick>& continueButton() const { return m_continueButton; }
    const std::shared_ptr<SmartTimerWrapper>& bringToFrontTimer() const { return m_bringToFrontTimer; }
    std::shared_ptr<ui::Slider> slider() const;
    const std::shared_ptr<DurationSliderViewController>& durationSliderViewController() const { return m_durationSliderViewController; }
    bool lunchBreakTransitionAlreadyTriggeredOnce() const { return m_lunchBreakTransitionAlreadyTriggeredOnce; }
    bool breakfastTransitionAlreadyTriggeredOnce() const { return m_breakfastTransitionAlreadyTriggeredOnce; }
    std::optional<double> automaticTransitionToFrontInitiatedTime() const { return m_automaticTransitionToFrontInitiatedTime; }
    const std::shared_ptr<QuickDurationChangingViewController>& quickDurationChangingViewController() const
    {
        return m_quickDurationChangingViewController;
    }

    void build() override;
    void activate() override;
    void deactivate() override;
    void collectMatchingItems(MatchingItemCollector& collector) override;
    void closeOtherPopUps(PopUpKind kind) override;
    bool shouldConfirmTerminationWithUser() override { return false; }

    // The commands of the menus, hot keys and pop-up; the sender is not used.
    void startTimeSlice(const base::Sender& sender = {});
    void startTimedBreak(const base::Sender& sender = {});
    void backToWelcomePage(const base::Sender& sender = {});
    void parseObjective(const base::Sender& sender = {});
    void parseClipboard(const base::Sender& sender = {});
    void selectTagTokenField(const base::Sender& sender = {});
    void selectObjectiveField(const base::Sender& sender = {});
    void changeDuration(const base::Sender& sender = {});
    // A minute more, up to an hour (from whole minutes: 125 s becomes 180 s); a minute less,
    // down to two.
    void addOneMinute(const base::Sender& sender = {});
    void subtractOneMinute(const base::Sender& sender = {});

    // The program went to the background: a period away starts, checked once a second.
    void automaticallyBringToTheFrontWhenAppropriate();
    // The program to the front with the objective selected; the period away starts afresh.
    void internalBringToFront();
    // The planned duration changed: every updatable view refreshes at once.
    void valueHasChanged() override;

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit DefineTimeSliceState(DataModel& model);
    void addApplicationCallbacks();
    void buildDurationFragments();
    void buildStartWithBreakFragment();
    void buildButtons();
    void internalStartTimedBreak();
    void selectObjectiveText();
    void stopBringToFrontTimer();
    // The armed check ticks only while a tick could act; see the definition.
    void runBringToFrontChecksWhileTheyCanAct();
    void watchBringToFrontSwitches();
    void closeQuickDurationPopOver();
    void bringToFrontTick();

    TransitionTarget m_next;
    TransitionTarget m_timedBreak;
    TransitionTarget m_welcome;
    std::shared_ptr<TimeBubbleView> m_bubbleView;
    std::shared_ptr<CalendarView> m_calendarView;
    std::shared_ptr<DefineDurationTimeIndicatorWall> m_durationIndicatorFragment;
    std::shared_ptr<PushButtonBrick> m_continueButton;
    std::shared_ptr<SmartTimerWrapper> m_bringToFrontTimer;
    // From each time the program resigns until it is active again or brought to the front.
    bool m_bringToFrontArmed { false };
    std::vector<std::shared_ptr<KVOResponder>> m_bringToFrontSwitchObservers;
    std::shared_ptr<DurationSliderViewController> m_durationSliderViewController;
    bool m_lunchBreakTransitionAlreadyTriggeredOnce { false };
    bool m_breakfastTransitionAlreadyTriggeredOnce { false };
    std::optional<double> m_automaticTransitionToFrontInitiatedTime;
    std::shared_ptr<QuickDurationChangingViewController> m_quickDurationChangingViewController;
    ListenerToken m_timeScaleListener;
};

}
