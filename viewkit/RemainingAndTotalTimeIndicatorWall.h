#pragma once

#include "viewkit/TimeIndicatorWall.h"

#include "core/TimedStateMachineModule.h"

namespace ostrel {

// "Remaining:" and "Total:" of a running slice or break, the same for both. Until its screen
// hands it a view model a refresh changes nothing ("00" and "Total" stay).
class RemainingAndTotalTimeIndicatorWall : public TimeIndicatorWall {
public:
    const std::shared_ptr<AttributedLabel>& remainingTextField() const { return m_remainingTextField; }
    const std::shared_ptr<AttributedLabel>& totalDurationField() const { return m_totalDurationField; }
    const std::shared_ptr<TimedStateMachineViewModel>& viewModel() const { return m_viewModel; }
    // Set by the screen before each refresh to its current module's.
    void setViewModel(std::shared_ptr<TimedStateMachineViewModel> viewModel) { m_viewModel = std::move(viewModel); }

    void updateState() override;

protected:
    explicit RemainingAndTotalTimeIndicatorWall(ui::Rect frame);
    void build() override;

private:
    std::shared_ptr<AttributedLabel> m_remainingTextField;
    std::shared_ptr<AttributedLabel> m_totalDurationField;
    std::shared_ptr<TimedStateMachineViewModel> m_viewModel;
};

}
