#pragma once

#include "states/ModernUIState.h"

#include <memory>

namespace ui {
class PopUpButton;
}

namespace ostrel {

class CheckBoxBrick;
class SmartTimerWrapper;

// Where a finished slice is rated (focus level 0 to 3, completed or not) and then logged,
// extended by some minutes, or dropped after the user's word. Logging writes one entry to
// today's log file; when that write fails the user has been told, nothing of the slice is
// lost and the screen stays, so that logging can be tried again. Depending on the completed
// flag the screen offers the breadcrumbs or the priming template for the Scratch pad.
class RateTimeSliceState final : public ModernUIState {
public:
    static std::shared_ptr<RateTimeSliceState> create(DataModel& model);
    ~RateTimeSliceState() override;

    std::string className() const override { return std::string(kModuleName) + ".RateTimeSliceState"; }

    const std::shared_ptr<ui::PopUpButton>& focusPopUpButton() const { return m_focusPopUpButton; }
    const std::shared_ptr<CheckBoxBrick>& completedCheckbox() const { return m_completedCheckbox; }
    const std::shared_ptr<SmartTimerWrapper>& activateObjectiveEditingAfterDelayTimer() const
    {
        return m_activateObjectiveEditingAfterDelayTimer;
    }

    void build() override;
    void activate() override;
    void collectMatchingItems(MatchingItemCollector& collector) override;

    // Log, then on to the break, or to the next slice when breaks are always skipped.
    void internalContinue();
    void internalStraightToNextTimeSlice();
    // True when the slice may be left: it was written, or there was no worked second to write.
    bool logTimeSlice();
    // The running screen again, for exactly `minutes` more.
    void internalExtend(int64_t minutes);
    // Asks first; on "OK" the slice is dropped unlogged.
    void internalDoNotLogWithAlertDialog();

    // The commands of the menus and pop-up; the sender is not used.
    void parseObjective(const base::Sender& sender = {});
    void parseClipboard(const base::Sender& sender = {});
    void selectObjectiveField(const base::Sender& sender = {});
    void selectTagTokenField(const base::Sender& sender = {});
    void setDistractedLevel(const base::Sender& sender = {});
    void setGoodLevel(const base::Sender& sender = {});
    void setHighlyFocusedLevel(const base::Sender& sender = {});
    void setFlowLevel(const base::Sender& sender = {});

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit RateTimeSliceState(DataModel& model);
    void addButtons();
    // The pieces of the layout, in the order they stack.
    void buildRatingRow();
    void buildTemplateFragments();
    void buildExtensionOption();
    void buildSkipLoggingOption();
    void switchToWeeklyStatisticWhenAsked();
    void delayObjectiveEditing();
    void continueWorking();

    TransitionTarget m_next;
    TransitionTarget m_extend;
    TransitionTarget m_skipLogging;
    TransitionTarget m_straightToNextTimeSlice;
    std::shared_ptr<ui::PopUpButton> m_focusPopUpButton;
    std::shared_ptr<CheckBoxBrick> m_completedCheckbox;
    std::shared_ptr<SmartTimerWrapper> m_activateObjectiveEditingAfterDelayTimer;
};

}
