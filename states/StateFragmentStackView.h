#pragma once

#include "core/Variables.h"
#include "viewkit/FragmentStackView.h"

#include <memory>

namespace ostrel {

// A screen's stack of fragments that tells whenever a fragment is hidden or shown: every such
// call flips the emitter, whose value means nothing beyond "the visible set may have changed".
// A fragment shown is held as firmly as one never hidden: the window grows to the screen.
class StateFragmentStackView final : public FragmentStackView {
public:
    static std::shared_ptr<StateFragmentStackView> create();

    const std::shared_ptr<StraightVariable<bool>>& visibilityChangeEmitter() const { return m_visibilityChangeEmitter; }

    void hideFragment(const ui::View& fragment) override;
    void showFragment(const ui::View& fragment) override;

private:
    StateFragmentStackView();

    std::shared_ptr<StraightVariable<bool>> m_visibilityChangeEmitter { StraightVariable<bool>::create(true) };
};

}
