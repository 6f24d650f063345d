#pragma once

#include "viewkit/TimeIndicatorWall.h"

#include "core/TimedStateMachineModule.h"

namespace ostrel {

// "Elapsed:" and "Ends:" of a running slice or break. Until its screen hands it a view model
// a refresh changes nothing and the wall shows "00" and an empty end.
class ElapsedAndEndTimeIndicatorWall : public TimeIndicatorWall {
public:
    const std::shared_ptr<AttributedLabel>& elapsedTextField() const { return m_elapsedTextField; }
    const std::shared_ptr<AttributedLabel>& endDateField() const { return m_endDateField; }
    const std::shared_ptr<TimedStateMachineViewModel>& viewModel() const { return m_viewModel; }
    // Set by the screen before each refresh to its current module's.
    void setViewModel(std::shared_ptr<TimedStateMachineViewModel> viewModel) { m_viewModel = std::move(viewModel); }

protected:
    explicit ElapsedAndEndTimeIndicatorWall(ui::Rect frame);
    void build() override;

    std::shared_ptr<AttributedLabel> m_elapsedTextField;
    std::shared_ptr<AttributedLabel> m_endDateField;
    std::shared_ptr<TimedStateMachineViewModel> m_viewModel;
};

}
