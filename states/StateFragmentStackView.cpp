#include "states/StateFragmentStackView.h"

#include "platform/ui/StackView.h"

namespace ostrel {

std::shared_ptr<StateFragmentStackView> StateFragmentStackView::create()
{
    return std::shared_ptr<StateFragmentStackView>(new StateFragmentStackView);
}

StateFragmentStackView::StateFragmentStackView()
    : FragmentStackView(ui::Orientation::Vertical)
{
}

void StateFragmentStackView::hideFragment(const ui::View& fragment)
{
    FragmentStackView::hideFragment(fragment);
    m_visibilityChangeEmitter->setValue(!m_visibilityChangeEmitter->value());
}

void StateFragmentStackView::showFragment(const ui::View& fragment)
{
    // A section its settings show holds its place as one never hidden does: squeezed out
    // while the window was still the last screen's height, it would never come back, the
    // window keeping to what is left.
    setVisibilityPriority(&fragment, ui::VisibilityPriority::MustHold);
    m_visibilityChangeEmitter->setValue(!m_visibilityChangeEmitter->value());
}

}
