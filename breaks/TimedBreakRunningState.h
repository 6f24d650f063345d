#pragma once

#include "breaks/ProportionValueProvider.h"

#include "states/TimedState.h"

#include <memory>

namespace ostrel {

class BreakElapsedAndEndTimeIndicatorHideableFragmentWall;
class BreakRemainingAndTotalTimeIndicatorHideableFragmentWall;
class BubbleViewForTimedState;
class QuickDurationChangingViewController;
class SliderBrick;

// While a timed break runs: its count in the status item and in optional readouts, ways to
// lengthen, shorten or end it, and, when "lockScreenDuringBreak" is set as it begins, the rest
// screen over every display. It leaves for the define screen when the count ends
// ("elapsed") or the user ends it ("aborted"). Each start of a timed break moves the
// Pomodoro rotation on by one; a one-time length serves this break only.
class TimedBreakRunningState final : public TimedState, public ProportionValueProvider {
public:
    static std::shared_ptr<TimedBreakRunningState> create(DataModel& model);

    std::string className() const override { return std::string(kModuleName) + ".TimedBreakRunningState"; }

    const std::shared_ptr<BreakElapsedAndEndTimeIndicatorHideableFragmentWall>& elapsedAndEndTimeIndicatorFragment() const
    {
        return m_elapsedAndEndTimeIndicatorFragment;
    }
    const std::shared_ptr<BreakRemainingAndTotalTimeIndicatorHideableFragmentWall>& remainingAndTotalTimeFragment() const
    {
        return m_remainingAndTotalTimeFragment;
    }
    const std::shared_ptr<BubbleViewForTimedState>& bubbleView() const { return m_bubbleView; }
    const std::shared_ptr<SliderBrick>& durationSlider() const { return m_durationSlider; }
    const std::shared_ptr<QuickDurationChangingViewController>& quickDurationChangingViewController() const
    {
        return m_quickDurationChangingViewController;
    }
    // Whether this visit brought the rest screen up (and so takes it down when it ends).
    bool restScreenIsUp() const { return m_restScreenIsUp; }

    void build() override;
    void activate() override;
    void deactivate() override;
    // The one-time length, else the current Pomodoro slot's, else "breakDurationInSeconds".
    int64_t duration() const override;
    // Hidden at the start unless the rest screen is to cover the displays.
    bool shouldHideOnActivate() const override;
    void handleTimerElapsed() override;
    // The remaining time as "%02d:%02d".
    std::string menuItemText() override;
    void prepareForUITimerUpdate() override;
    void collectMatchingItems(MatchingItemCollector& collector) override;
    void closeOtherPopUps(PopUpKind kind) override;

    // Elapsed ÷ total seconds of the running count, always within 0 … 1 (0 without a count).
    double currentProportion() const override;

    // Changes of the length while the count runs; refused ones change nothing. Up to an hour
    // remaining may be lengthened; more than two minutes remaining may be shortened.
    void extendBreakBy(int64_t minutes);
    void addOneMinute(const base::Sender& sender = {});
    void subtractOneMinute(const base::Sender& sender = {});
    void changeDuration(const base::Sender& sender = {});
    // The quick change's answer: this many minutes from now on.
    void setRemaining(float minutes);
    // The slider, in whole minutes of remaining time.
    void sliderMoved(double minutes);
    // Ends the break early ("aborted").
    void startTimeSlice(const base::Sender& sender = {});

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit TimedBreakRunningState(DataModel& model);
    void buildDurationSections();
    void buildButtons();
    void changeLength(int64_t seconds);

    std::shared_ptr<BreakElapsedAndEndTimeIndicatorHideableFragmentWall> m_elapsedAndEndTimeIndicatorFragment;
    std::shared_ptr<BreakRemainingAndTotalTimeIndicatorHideableFragmentWall> m_remainingAndTotalTimeFragment;
    std::shared_ptr<BubbleViewForTimedState> m_bubbleView;
    std::shared_ptr<SliderBrick> m_durationSlider;
    std::shared_ptr<QuickDurationChangingViewController> m_quickDurationChangingViewController;
    bool m_restScreenIsUp { false };
    ListenerToken m_fitWindowToken;
};

}
