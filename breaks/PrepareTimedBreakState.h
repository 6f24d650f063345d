#pragma once

#include "states/ModernUIState.h"

#include <memory>

namespace ui {
class Slider;
}

namespace ostrel {

class CalendarView;
class DefineDurationTimeIndicatorWall;
class MiniPrepareForBreakDurationTimeIndicatorWall;
class PomodoroBreakViewController;
class QuickDurationChangingViewController;
class SliderBrick;
class TimeBubbleView;

// Between a finished slice and its break: the coming timed break's length, as one length in
// minutes ("default") or as the rotating Pomodoro lengths ("pomodoroStyle"), whether the
// screen is locked during it, the next slice's objective; then the timed break, an informal
// break, or straight on to the next slice. Every section of a style shows only while that
// style is the one stored under "breakDurationControlAlternative".
class PrepareTimedBreakState final : public ModernUIState, public ValueChangeListener {
public:
    // Registered as a break-duration listener of the model, which outlives the screen.
    static std::shared_ptr<PrepareTimedBreakState> create(DataModel& model);

    std::string className() const override { return std::string(kModuleName) + ".PrepareTimedBreakState"; }

    const std::shared_ptr<DefineDurationTimeIndicatorWall>& durationIndicatorFragment() const { return m_durationIndicatorFragment; }
    const std::shared_ptr<MiniPrepareForBreakDurationTimeIndicatorWall>& miniDurationIndicator() const { return m_miniIndicator; }
    const std::shared_ptr<TimeBubbleView>& bubbleView() const { return m_bubbleView; }
    const std::shared_ptr<CalendarView>& calendarView() const { return m_calendarView; }
    const std::shared_ptr<PomodoroBreakViewController>& pomodoroViewController() const { return m_pomodoroViewController; }
    std::shared_ptr<ui::Slider> slider() const;
    const std::shared_ptr<QuickDurationChangingViewController>& quickDurationChangingViewController() const
    {
        return m_quickDurationChangingViewController;
    }

    void build() override;
    void activate() override;
    void collectMatchingItems(MatchingItemCollector& collector) override;
    void closeOtherPopUps(PopUpKind kind) override;
    // The break length changed: every updatable view refreshes at once.
    void valueHasChanged() override;

    // The commands of the buttons, menus, hot keys and pop-up; the sender is not used.
    void startTimedBreak(const base::Sender& sender = {});
    void startInformalBreak(const base::Sender& sender = {});
    void startTimeSlice(const base::Sender& sender = {});
    void backToWelcomePage(const base::Sender& sender = {});
    void changeDuration(const base::Sender& sender = {});
    // Whole minutes of the style in use, at most 60 and at least 2.
    void addOneMinute(const base::Sender& sender = {});
    void subtractOneMinute(const base::Sender& sender = {});
    void parseObjective(const base::Sender& sender = {});
    void parseClipboard(const base::Sender& sender = {});
    void selectObjectiveField(const base::Sender& sender = {});
    void selectTagTokenField(const base::Sender& sender = {});

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit PrepareTimedBreakState(DataModel& model);
    void buildTitle();
    void buildDefaultStyleSections();
    void buildPomodoroSections();
    void buildLockScreenSection();
    void buildOptions();
    void buildButtons();
    void requireBuilt() const;

    TransitionTarget m_next;
    TransitionTarget m_informalBreak;
    TransitionTarget m_nextTimeSlice;
    TransitionTarget m_welcome;
    std::shared_ptr<DefineDurationTimeIndicatorWall> m_durationIndicatorFragment;
    std::shared_ptr<MiniPrepareForBreakDurationTimeIndicatorWall> m_miniIndicator;
    std::shared_ptr<TimeBubbleView> m_bubbleView;
    std::shared_ptr<CalendarView> m_calendarView;
    std::shared_ptr<PomodoroBreakViewController> m_pomodoroViewController;
    std::shared_ptr<SliderBrick> m_slider;
    std::shared_ptr<QuickDurationChangingViewController> m_quickDurationChangingViewController;
    ListenerToken m_fitWindowToken;
};

}
