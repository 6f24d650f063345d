#pragma once

#include "states/ModernUIState.h"

#include <memory>
#include <optional>

namespace ui {
class TextField;
}

namespace ostrel {

class CheckBoxBrick;
class SmartTimerWrapper;

// The untimed break: no count-down, only the way on to the next slice. It may end itself,
// each way by its own setting: an hour after it began, once back from lunch (begun before
// 13:00, now 13:00 or later), in time for the morning (begun before 05:00, now 05:00 or
// later), or after 301 seconds without input. It checks ten times a second while current;
// nothing ends it in its first 10 seconds.
class InformalBreakState final : public ModernUIState {
public:
    static std::shared_ptr<InformalBreakState> create(DataModel& model);

    std::string className() const override { return std::string(kModuleName) + ".InformalBreakState"; }

    // When this visit's break began (the clock's seconds); none before the first visit.
    std::optional<double> automaticTransitionInitiatedTime() const { return m_automaticTransitionInitiatedTime; }
    const std::shared_ptr<SmartTimerWrapper>& automaticTransitionTimer() const { return m_automaticTransitionTimer; }
    const std::shared_ptr<CheckBoxBrick>& endAutomaticallyAfterAnHourCheckbox() const { return m_endAutomaticallyAfterAnHourCheckbox; }
    const std::shared_ptr<CheckBoxBrick>& endAfterInactivityCheckbox() const { return m_endAfterInactivityCheckbox; }
    const std::shared_ptr<CheckBoxBrick>& endForBreakfastCheckbox() const { return m_endForBreakfastCheckbox; }
    const std::shared_ptr<CheckBoxBrick>& endForLunchCheckbox() const { return m_endForLunchCheckbox; }
    const std::shared_ptr<ui::TextField>& inactiveTimeLeftLabel() const { return m_inactiveTimeLeftLabel; }
    const std::shared_ptr<ui::TextField>& timeRemainingLabel() const { return m_timeRemainingLabel; }

    void build() override;
    void activate() override;
    void deactivate() override;
    void collectMatchingItems(MatchingItemCollector& collector) override;

    // Each fires only while this screen is current; the sender is not used.
    void startTimeSlice(const base::Sender& sender = {});
    void backToWelcomePage(const base::Sender& sender = {});
    void parseObjective(const base::Sender& sender = {});
    void parseClipboard(const base::Sender& sender = {});
    void selectObjectiveField(const base::Sender& sender = {});
    void selectTagTokenField(const base::Sender& sender = {});

    // One pass of the automatic end's rules and labels, as the timer runs it.
    void checkForAutomaticEnd();

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit InformalBreakState(DataModel& model);
    void buildAutomaticEndSection();
    void buildButtons();
    void stopTimer();

    TransitionTarget m_next;
    TransitionTarget m_welcome;
    std::optional<double> m_automaticTransitionInitiatedTime;
    std::shared_ptr<SmartTimerWrapper> m_automaticTransitionTimer;
    std::shared_ptr<CheckBoxBrick> m_endAutomaticallyAfterAnHourCheckbox;
    std::shared_ptr<CheckBoxBrick> m_endAfterInactivityCheckbox;
    std::shared_ptr<CheckBoxBrick> m_endForBreakfastCheckbox;
    std::shared_ptr<CheckBoxBrick> m_endForLunchCheckbox;
    std::shared_ptr<ui::TextField> m_inactiveTimeLeftLabel;
    std::shared_ptr<ui::TextField> m_timeRemainingLabel;
    ListenerToken m_fitWindowToken;
};

}
