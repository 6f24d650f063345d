#pragma once

#include "states/ModernUIState.h"

#include <string>
#include <vector>

namespace ostrel {

// Stands in for a screen that is not built yet, under that screen's class name and with its
// transitions: a title, the first way out as the main button (Return) and a button for every
// other way out, each firing its transition.
class PlaceholderState final : public ModernUIState {
public:
    // `screenClass` without the module ("TimeSliceRunningState"); the first transition is the main one.
    static std::shared_ptr<PlaceholderState> create(DataModel& model, std::string screenClass, std::vector<std::string> transitions);

    std::string className() const override { return std::string(kModuleName) + "." + m_screenClass; }
    const std::vector<std::string>& transitions() const { return m_transitions; }

    void build() override;

private:
    PlaceholderState(DataModel& model, std::string screenClass, std::vector<std::string> transitions);

    std::string m_screenClass;
    std::vector<std::string> m_transitions;
    // One per transition, in order, exposed under its name.
    std::vector<TransitionTarget> m_targets;
};

}
