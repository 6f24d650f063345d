#pragma once

#include "states/TimedState.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace ostrel {

class BubbleViewForTimedState;
class DurationSliderForTimeSliceRunningViewController;
class MiniRemainingDurationTimeIndicatorWall;
class QuickDurationChangingViewController;
class SliderBrick;
class TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall;
class TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall;

// The countdown of a time slice. While current it counts every second into the log writer's
// worked seconds, shows the remaining time in the status item, and posts the events that
// sound, speak and notify. The slice can be finished early, paused, lengthened by minutes or
// given a new remaining time; when its time is up it goes to the soft break, the rating, or
// (as the skip settings say) straight to the break or the next slice.
//
// The length of each run is what is left of the slice: the planned duration D
// ("durationInSeconds") plus the current extension E less the seconds W already worked.
// Every change of the running length stores the E that keeps this true, so a pause, an
// extension or a resume never gains or loses a second.
class TimeSliceRunningState final : public TimedState {
public:
    static std::shared_ptr<TimeSliceRunningState> create(DataModel& model);
    ~TimeSliceRunningState() override;

    std::string className() const override { return std::string(kModuleName) + ".TimeSliceRunningState"; }

    const std::shared_ptr<TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall>& elapsedAndEndTimeIndicatorFragment() const
    {
        return m_elapsedAndEndTimeIndicatorFragment;
    }
    const std::shared_ptr<TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall>& remainingAndTotalTimeFragment() const
    {
        return m_remainingAndTotalTimeFragment;
    }
    const std::shared_ptr<BubbleViewForTimedState>& bubbleView() const { return m_bubbleView; }
    const std::shared_ptr<MiniRemainingDurationTimeIndicatorWall>& miniRemainingDurationIndicator() const
    {
        return m_miniRemainingDurationIndicator;
    }
    std::shared_ptr<SliderBrick> durationSlider() const { return slider(); }
    std::shared_ptr<SliderBrick> slider() const;
    const std::shared_ptr<QuickDurationChangingViewController>& quickDurationChangingViewController() const
    {
        return m_quickDurationChangingViewController;
    }
    const std::shared_ptr<DurationSliderForTimeSliceRunningViewController>& durationSliderViewController() const
    {
        return m_durationSliderViewController;
    }

    void build() override;
    void activate() override;
    void deactivate() override;
    void eachTick(int64_t elapsedSeconds) override;
    void prepareForUITimerUpdate() override;
    void handleTimerElapsed() override;
    // D + E − W: what is left of the slice.
    int64_t duration() const override;
    // The remaining time as "%02d:%02d", read at this moment.
    std::string menuItemText() override;
    void closeOtherPopUps(PopUpKind kind) override;
    bool shouldHideOnActivate() const override;
    bool shouldConfirmTerminationWithUser() override { return true; }
    void collectMatchingItems(MatchingItemCollector& collector) override;

    // The commands of the menus, hot keys, pop-up and debugging menu; the sender is not used
    // except by the last two, which take a whole number of seconds.
    void stopTimeSlice(const base::Sender& sender = {});
    void pauseOrResumeTimeSlice(const base::Sender& sender = {});
    void addOneMinute(const base::Sender& sender = {});
    void subtractOneMinute(const base::Sender& sender);
    void changeDuration(const base::Sender& sender);
    void selectObjectiveField(const base::Sender& sender = {});
    void selectTagTokenField(const base::Sender& sender);
    void parseObjective(const base::Sender& sender = {});
    void parseClipboard(const base::Sender& sender = {});
    void changeWithDuration(const base::Sender& sender);
    void setRemainingWithSecondsForDebuggingOnly(const base::Sender& sender);

    // m more minutes, while at most an hour is left.
    void add(int64_t minutes);
    // A minute less, while more than two minutes are left.
    void subtractOneMinute();
    // A new length for this run, counted from its start, with the extension that keeps the
    // slice's arithmetic whole.
    void change(int64_t duration);
    // The remaining time becomes x minutes from now.
    void setRemaining(float minutes);
    // The quick pop-over at the slider, holding the remaining whole minutes.
    void changeDuration();
    void selectTagTokenField();

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit TimeSliceRunningState(DataModel& model);
    // The pieces of the layout, in the order they stack.
    void buildTitle();
    void buildDurationFragments();
    void buildContinuousSoundFragments();
    void buildButtons();
    void addStatusMenuItems();
    void setRemainingSeconds(int64_t seconds);
    void internalEndTimeSlice();
    void internalPauseOrResumeTimeSlice();
    TimedStateMachineModule& requireModule(const char* operation) const;
    void postWithElapsedAndTotal(const char* suffix);

    TransitionTarget m_pause;
    TransitionTarget m_softBreak;
    TransitionTarget m_straightToBreak;
    TransitionTarget m_straightToNextTimeSlice;
    std::shared_ptr<TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall> m_elapsedAndEndTimeIndicatorFragment;
    std::shared_ptr<TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall> m_remainingAndTotalTimeFragment;
    std::shared_ptr<BubbleViewForTimedState> m_bubbleView;
    std::shared_ptr<MiniRemainingDurationTimeIndicatorWall> m_miniRemainingDurationIndicator;
    std::shared_ptr<QuickDurationChangingViewController> m_quickDurationChangingViewController;
    std::shared_ptr<DurationSliderForTimeSliceRunningViewController> m_durationSliderViewController;
    ListenerToken m_timeScaleListener;
    // The clock second of the last refresh made by a tick.
};

}
