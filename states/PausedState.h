#pragma once

#include "states/ModernUIState.h"

#include <memory>

namespace ostrel {

// A time slice on hold: the objective stays editable, and the slice can be resumed, finished
// (rated, or not as the skip settings say), aborted after the user's word, or the program
// hidden. The counter of worked seconds is left alone while paused, so that resuming runs
// for what is left. The status item shows no time but a pressed button.
class PausedState final : public ModernUIState {
public:
    static std::shared_ptr<PausedState> create(DataModel& model);

    std::string className() const override { return std::string(kModuleName) + ".PausedState"; }

    void build() override;
    void activate() override;
    int menuItemState() override { return 1; }
    std::string menuItemText() override { return {}; }
    void collectMatchingItems(MatchingItemCollector& collector) override;

    // The commands of the menus, hot keys and pop-up; the sender is not used.
    void pauseOrResumeTimeSlice(const base::Sender& sender = {});
    void stopTimeSlice(const base::Sender& sender = {});
    void selectObjectiveField(const base::Sender& sender = {});
    void selectTagTokenField(const base::Sender& sender = {});
    void parseObjective(const base::Sender& sender = {});
    void parseClipboard(const base::Sender& sender = {});

    // Asks first; on "OK" the worked seconds are dropped and the slice is left unrated.
    void abortTimeSlice();

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit PausedState(DataModel& model);
    void addButtons();
    void internalEndTimeSlice();

    TransitionTarget m_continueTimeSlice;
    TransitionTarget m_abort;
    TransitionTarget m_finish;
    TransitionTarget m_straightToBreak;
    TransitionTarget m_straightToNextTimeSlice;
};

}
